// A wait that a window change interrupts draws the screen again at once and
// then waits for the rest of its time; the signal never writes by itself.
#include "platform/posix/readiness.h"
#include "platform/posix/terminal_session.h"
#include "platform/posix/terminal_io.h"
#include "platform/screen_model.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstddef>
#include <string>
#include <thread>

#include <unistd.h>

using namespace platform::posix;
using Clock = std::chrono::steady_clock;

namespace {

// Standard output goes into a pipe for as long as this lives.
class CapturedOutput {
  public:
    CapturedOutput() {
        EXPECT_EQ(pipe(fds), 0);
        saved = dup(STDOUT_FILENO);
        dup2(fds[1], STDOUT_FILENO);
    }
    ~CapturedOutput() {
        dup2(saved, STDOUT_FILENO);
        ::close(saved);
        ::close(fds[0]);
        ::close(fds[1]);
    }
    std::string taken() {
        std::string text;
        char buf[4096];
        while (awaitReadable({fds[0]}, 0).at(0)) {
            const ssize_t n = ::read(fds[0], buf, sizeof buf);
            if (n <= 0) {
                break;
            }
            text.append(buf, static_cast<std::size_t>(n));
        }
        return text;
    }

  private:
    int fds[2] = {-1, -1};
    int saved = -1;
};

long long millisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

} // namespace

TEST(WaitPoint, ResizeDuringASleepRepaintsThenSleepsTheRest) {
    watchTerminalEvents();
    takeTerminalEvents();
    platform::ScreenModel model(162, 42);
    TerminalOutput output(model);
    model.moveCursor(2, 1);
    model.write("table");
    WaitPoint waits(output, STDIN_FILENO, false);
    CapturedOutput captured;
    std::thread resizer([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        kill(getpid(), SIGWINCH);
    });
    const auto start = Clock::now();
    EXPECT_FALSE(waits.wait(300, false));
    const long long slept = millisecondsSince(start);
    resizer.join();
    EXPECT_GE(slept, 290);
    EXPECT_LT(slept, 600);
    const std::string table = "\x1b[0m\x1b[2J\x1b[2;3Htable\x1b[?25l";
    EXPECT_EQ(captured.taken(), "\x1b[?2026h" + table + "\x1b[?2026l\x1b[?2026h" + table + "\x1b[?2026l");
}

TEST(WaitPoint, InputEndsTheWaitAndNothingIsSentTwice) {
    watchTerminalEvents();
    takeTerminalEvents();
    int input[2];
    ASSERT_EQ(pipe(input), 0);
    platform::ScreenModel model(162, 42);
    TerminalOutput output(model);
    model.write("x");
    WaitPoint waits(output, input[0], false);
    CapturedOutput captured;
    ASSERT_EQ(::write(input[1], "k", 1), 1);
    EXPECT_TRUE(waits.wait(-1, true));
    EXPECT_TRUE(waits.wait(5000, true)); // the key is still there: no waiting
    EXPECT_EQ(captured.taken(), "\x1b[?2026h\x1b[0m\x1b[2J\x1b[1;1Hx\x1b[?25l\x1b[?2026l");
    ::close(input[0]);
    ::close(input[1]);
}
