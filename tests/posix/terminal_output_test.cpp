// What the POSIX backend sends in one write(): its own control sequences
// first, then the frame; nothing of the table while a notice is up; the
// whole table again after the terminal lost it; a Korean codeset converted.
#include "platform/posix/terminal_io.h"
#include "platform/screen_model.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstddef>
#include <chrono>
#include <string>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

using platform::posix::TerminalOutput;

namespace {

constexpr char begin[] = "\x1b[?2026h";
constexpr char end[] = "\x1b[?2026l";

std::string frame(const std::string& inner) { return begin + inner + end; }

// An output whose terminal shows the blank model already.
struct Shown {
    platform::ScreenModel model{162, 42};
    TerminalOutput output{model};
    Shown() { output.takePending(); }
};

} // namespace

TEST(TerminalOutput, ControlSequencesGoFirstThenTheFrame) {
    Shown t;
    t.model.moveCursor(1, 1);
    t.model.write("a");
    t.output.control("\x1b[8;42;162t");
    EXPECT_EQ(t.output.takePending(), "\x1b[8;42;162t" + frame("\x1b[2;2Ha"));
    EXPECT_EQ(t.output.takePending(), "");
    t.output.controlMovingCursor("\x1b[6n"); // the cursor is no longer known
    t.model.write("b");
    EXPECT_EQ(t.output.takePending(), "\x1b[6n" + frame("\x1b[2;3Hb"));
}

TEST(TerminalOutput, NoTableUnderANoticeAndAllOfItAfter) {
    Shown t;
    t.model.write("x");
    t.output.takePending();
    platform::ScreenModel notice(162, 42);
    notice.write("small");
    t.output.notice(notice);
    t.model.write("y");
    EXPECT_EQ(t.output.takePending(), frame("\x1b[0m\x1b[2J\x1b[1;1Hsmall\x1b[?25l"));
    EXPECT_EQ(t.output.takePending(), "");
    t.output.repaint();
    EXPECT_EQ(t.output.takePending(), frame("\x1b[0m\x1b[2J\x1b[1;1Hxy\x1b[?25l"));
}

TEST(TerminalOutput, RestartDropsWhatWasWaitingAndDrawsEverythingAgain) {
    Shown t;
    t.model.write("x");
    t.output.control("<lost>");
    t.output.restart("<setup>");
    EXPECT_EQ(t.output.takePending(), "<setup>" + frame("\x1b[0m\x1b[2J\x1b[1;1Hx\x1b[?25l"));
}

TEST(TerminalOutput, FlushWritesOnceAndReportsAGoneTerminal) {
    Shown t;
    t.model.write("hello");
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    EXPECT_TRUE(t.output.flush(fds[1]));
    EXPECT_TRUE(t.output.flush(fds[1])); // nothing new: nothing written
    char buf[64];
    const ssize_t n = ::read(fds[0], buf, sizeof buf);
    EXPECT_EQ(std::string(buf, static_cast<std::size_t>(n)), frame("\x1b[1;1Hhello"));
    ::close(fds[0]);
    t.model.write("!");
    const auto previous = signal(SIGPIPE, SIG_IGN);
    EXPECT_FALSE(t.output.flush(fds[1]));
    signal(SIGPIPE, previous);
    ::close(fds[1]);
}

// An output set not to block (by whoever shares it) that is full has not
// gone away, and the frame is not cut: it is finished once the reader
// takes what was there, so the terminal shows the model.
TEST(TerminalOutput, AFrameToAFullOutputThatMustNotBlockArrivesWhole) {
    Shown t;
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    fcntl(fds[1], F_SETFL, fcntl(fds[1], F_GETFL) | O_NONBLOCK);
    std::size_t filled = 0;
    for (const std::size_t chunk : {4096, 1}) {
        for (ssize_t n = 0; (n = ::write(fds[1], std::string(chunk, 'f').data(), chunk)) > 0;) {
            filled += static_cast<std::size_t>(n);
        }
    }
    std::string received;
    std::thread reader([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        char buf[4096];
        for (ssize_t n = 0; (n = ::read(fds[0], buf, sizeof buf)) > 0;) {
            received.append(buf, static_cast<std::size_t>(n));
        }
    });
    const std::string text(3000, 'x'); // more than the pipe has room for at once
    t.model.write(text);
    EXPECT_TRUE(t.output.flush(fds[1]));
    ::close(fds[1]);
    reader.join();
    ::close(fds[0]);
    EXPECT_EQ(received.substr(filled), frame("\x1b[1;1H" + text.substr(0, 162)));
}

TEST(TerminalOutput, AKoreanCodesetGetsItsOwnBytes) {
    platform::posix::Recoder euc("EUC-KR");
    platform::ScreenModel model(162, 42);
    TerminalOutput output(model, &euc);
    output.takePending();
    output.setGlyphsNarrow(false);
    model.write("┌한");
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    EXPECT_TRUE(output.flush(fds[1]));
    char buf[64];
    const ssize_t n = ::read(fds[0], buf, sizeof buf);
    EXPECT_EQ(std::string(buf, static_cast<std::size_t>(n)), frame("\x1b[1;1H\xA6\xA3\xC7\xD1"));
    ::close(fds[0]);
    ::close(fds[1]);
}
