// Keys as the game reads them, from the bytes terminals send; and the byte
// stream under them, which keeps typed-ahead bytes in order.
#include "platform/console.h"
#include "platform/posix/key_decoder.h"
#include "platform/posix/terminal_input.h"

#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

using platform::posix::KeyDecoder;
using platform::posix::TerminalInput;

namespace {

// A pipe holding the bytes, closed for writing: its reader sees them and
// then the end of the input.
class BytePipe {
  public:
    explicit BytePipe(const std::string& bytes) {
        EXPECT_EQ(pipe(fds), 0);
        EXPECT_EQ(::write(fds[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        ::close(fds[1]);
    }
    ~BytePipe() { ::close(fds[0]); }
    int reader() const { return fds[0]; }

  private:
    int fds[2] = {-1, -1};
};

std::vector<int> keysUntilEnd(const std::string& bytes) {
    BytePipe pipe(bytes);
    TerminalInput input(pipe.reader());
    KeyDecoder keys(input);
    std::vector<int> codes;
    try {
        for (;;) {
            codes.push_back(keys.next());
        }
    } catch (const platform::InputClosed&) {
    }
    return codes;
}

} // namespace

TEST(KeyDecoder, TurnsTerminalBytesIntoConsoleKeyCodes) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<int> codes;
    };
    const std::vector<Case> cases = {
        {"letters", "sw", {'s', 'w'}},
        {"Enter as carriage return or line feed", "\r\n", {13, 13}},
        {"cursor keys", "\x1b[A\x1b[B\x1b[C\x1b[D", {224, 72, 224, 80, 224, 77, 224, 75}},
        {"cursor keys in application mode", "\x1bOA\x1bOD", {224, 72, 224, 75}},
        {"cursor key with a modifier", "\x1b[1;5C", {224, 77}},
        {"late cursor report is no key", "\x1b[12;40Rs", {'s'}},
        {"function key is one Escape", "\x1b[15~s", {27, 's'}},
        {"Escape then a letter", "\x1bx", {27, 'x'}},
        {"lone Escape at the end", "\x1b", {27}},
        {"UTF-8 bytes pass one by one", "가", {0xEA, 0xB0, 0x80}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keysUntilEnd(c.bytes), c.codes) << c.name;
    }
}

TEST(TerminalInput, KeepsBytesPutBackInFrontInTheirOrder) {
    BytePipe pipe("cd");
    TerminalInput input(pipe.reader());
    EXPECT_EQ(input.next(), 'c');
    input.keepForLater("ab");
    input.keepForLater("_");
    std::string rest;
    rest += static_cast<char>(input.next());
    rest += static_cast<char>(input.next());
    rest += static_cast<char>(input.next());
    rest += static_cast<char>(input.next());
    EXPECT_EQ(rest, "_abd");
    EXPECT_THROW(input.next(), platform::InputClosed);
}

TEST(TerminalInput, KeysAndLinesComeFromOneStreamInOrder) {
    BytePipe pipe("s\nname 3\nlast");
    TerminalInput input(pipe.reader());
    KeyDecoder keys(input);
    EXPECT_EQ(keys.next(), 's');
    EXPECT_EQ(keys.next(), 13);
    EXPECT_EQ(input.nextLine(), "name 3\n");
    EXPECT_EQ(input.nextLine(), "last\n"); // the end of input ends the line
    EXPECT_THROW(input.nextLine(), platform::InputClosed);
}

TEST(TerminalInput, NothingWithinTheTimeGivesNothing) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    TerminalInput input(fds[0]);
    EXPECT_FALSE(input.nextWithin(10));
    ASSERT_EQ(::write(fds[1], "k", 1), 1);
    EXPECT_EQ(input.nextWithin(10), 'k');
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST(TerminalInput, AskingTheWaiterBeforeEveryRead) {
    static int waits = 0;
    waits = 0;
    BytePipe pipe("ab");
    TerminalInput input(pipe.reader(), [] { ++waits; });
    input.next();
    input.keepForLater("z");
    input.next(); // from the bytes kept: no wait
    input.next();
    EXPECT_EQ(waits, 2);
}
