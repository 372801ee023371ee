// The byte stream under the keys and typed lines: typed-ahead bytes kept in
// order, lines read whole from a pipe, bytes from a terminal in another
// codeset taken as UTF-8.
#include "platform/console.h"
#include "platform/key_decoder.h"
#include "platform/posix/terminal_io.h"

#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

using platform::KeyDecoder;

namespace {

// Keys from the descriptor as the backend reads standard input.
KeyDecoder::Source reading(int fd, platform::posix::Recoder* recoder = nullptr) {
    return [fd, recoder](int ms) { return platform::posix::readInput(fd, ms, recoder); };
}

} // namespace

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

} // namespace

TEST(TerminalInput, KeepsBytesPutBackInFrontInTheirOrder) {
    BytePipe pipe("cd");
    KeyDecoder input(reading(pipe.reader()));
    EXPECT_EQ(input.next(), 'c');
    input.keepForLater("ab");
    input.keepForLater("_");
    std::string rest;
    for (int i = 0; i < 4; ++i) {
        rest += static_cast<char>(input.next());
    }
    EXPECT_EQ(rest, "_abd");
    EXPECT_THROW(input.next(), platform::InputClosed);
}

TEST(TerminalInput, LinesComeWholeAndTheLastOneGetsItsEnd) {
    BytePipe pipe("s\nname 3\nlast");
    KeyDecoder input(reading(pipe.reader()));
    EXPECT_EQ(input.next(), 's');
    EXPECT_EQ(input.next(), '\n');
    EXPECT_EQ(input.nextLine(), "name 3\n");
    EXPECT_EQ(input.nextLine(), "last\n");
    EXPECT_THROW(input.nextLine(), platform::InputClosed);
}

TEST(TerminalInput, NothingWithinTheTimeGivesNothing) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    KeyDecoder input(reading(fds[0]));
    EXPECT_FALSE(input.nextWithin(10));
    ASSERT_EQ(::write(fds[1], "k", 1), 1);
    EXPECT_EQ(input.nextWithin(10), 'k');
    ::close(fds[0]);
    ::close(fds[1]);
}

// The backend flushes the frame in its wait without end: it comes only
// when nothing read ahead is left.
TEST(TerminalInput, WaitsOnlyWhenNothingReadAheadIsLeft) {
    int waits = 0;
    BytePipe pipe("ab");
    KeyDecoder input([&, fd = pipe.reader()](int ms) {
        waits += ms < 0 ? 1 : 0;
        return platform::posix::readInput(fd, ms, nullptr);
    });
    input.next();
    input.keepForLater("z");
    input.next(); // from the bytes kept: no wait
    input.next();
    EXPECT_EQ(waits, 2);
}

TEST(TerminalInput, BytesOfAnotherCodesetArriveAsUtf8) {
    BytePipe pipe("\xC7\xD1" "a\xB1\xDB");
    platform::posix::Recoder euc("EUC-KR");
    KeyDecoder input(reading(pipe.reader(), &euc));
    // A wait with a time takes a character whole, not half of it as no key.
    std::string got(1, static_cast<char>(input.nextWithin(100).value_or('-')));
    for (int i = 1; i < 7; ++i) {
        got += static_cast<char>(input.next());
    }
    EXPECT_EQ(got, "한a글");
    EXPECT_THROW(input.next(), platform::InputClosed);
}
