// How the session meets signals, each case in a child process of its own:
// a signal ignored by whoever started the program stays ignored; a write
// to a pipe whose reader has gone ends the program with the terminal given
// back, by SIGPIPE, or with the lost-output status where SIGPIPE is ignored;
// a window change landing while the events are taken leaves no wait spinning.
#include "platform/posix/terminal_io.h"
#include "platform/posix/terminal_session.h"
#include "platform/screen_model.h"
#include "support/openpty.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

using namespace platform::posix;

namespace {

constexpr int bodyReturned = 99;

// Runs `body` in a child process; its wait status. A child that stops is
// ended, and the status says it stopped.
int statusOfChild(const std::function<void()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        body();
        _exit(bodyReturned);
    }
    int status = 0;
    waitpid(child, &status, WUNTRACED);
    if (WIFSTOPPED(status)) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    return status;
}

void setAction(int signal, void (*action)(int)) {
    struct sigaction set {};
    sigemptyset(&set.sa_mask);
    set.sa_handler = action;
    sigaction(signal, &set, nullptr);
}

bool endedBy(int status, int signal) { return WIFSIGNALED(status) && WTERMSIG(status) == signal; }

bool exitedWith(int status, int code) { return WIFEXITED(status) && WEXITSTATUS(status) == code; }

// A session on a pseudo-terminal as standard input, writing its frames into
// a pipe nobody reads any more (`brannocktide | head -c 1` after head left).
class OutputGone : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(openpty(&typing, &terminal, nullptr, nullptr, nullptr), 0);
        ASSERT_EQ(tcgetattr(terminal, &before), 0);
    }
    void TearDown() override {
        ::close(typing);
        ::close(terminal);
    }

    // The child's status after it drew something and flushed it.
    int playUntilTheFlush(void (*sigpipe)(int)) {
        return statusOfChild([this, sigpipe] {
            setAction(SIGPIPE, sigpipe);
            int out[2];
            if (pipe(out) != 0) {
                _exit(2);
            }
            ::close(out[0]);
            // The terminal becomes the child's own, as a shell's is the
            // game's: only its own terminal's settings are given back.
            setsid();
            ioctl(terminal, TIOCSCTTY, 0);
            dup2(terminal, STDIN_FILENO);
            dup2(out[1], STDOUT_FILENO);
            dup2(open("/dev/null", O_WRONLY), STDERR_FILENO); // the lost-output line
            beginSession(true, false);
            platform::ScreenModel model(162, 42);
            TerminalOutput output(model);
            WaitPoint waits(output, STDIN_FILENO, true);
            model.write("table");
            waits.flush();
        });
    }

    // The terminal's settings are the ones it had before the child.
    void expectSettingsGivenBack() {
        termios after{};
        ASSERT_EQ(tcgetattr(terminal, &after), 0);
        EXPECT_EQ(after.c_lflag, before.c_lflag);
        EXPECT_EQ(after.c_iflag, before.c_iflag);
        EXPECT_EQ(after.c_cc[VMIN], before.c_cc[VMIN]);
    }

    int typing = -1;
    int terminal = -1;
    termios before{};
};

} // namespace

TEST(SessionSignals, AnIgnoredSignalStaysIgnored) {
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP}) {
        const int status = statusOfChild([signal] {
            setAction(signal, SIG_IGN);
            beginSession(false, false);
            raise(signal);
        });
        EXPECT_TRUE(exitedWith(status, bodyReturned)) << "signal " << signal << ", status " << status;
    }
}

TEST(SessionSignals, ATerminatingSignalStillEndsTheProgramByItself) {
    for (int signal : {SIGINT, SIGTERM, SIGPIPE}) {
        const int status = statusOfChild([signal] {
            beginSession(false, false);
            raise(signal);
        });
        EXPECT_TRUE(endedBy(status, signal)) << "signal " << signal << ", status " << status;
    }
}

TEST_F(OutputGone, SigpipeEndsTheProgramAfterTheTerminalIsGivenBack) {
    EXPECT_TRUE(endedBy(playUntilTheFlush(SIG_DFL), SIGPIPE));
    expectSettingsGivenBack();
}

TEST_F(OutputGone, WithSigpipeIgnoredTheFailedWriteEndsTheProgram) {
    EXPECT_TRUE(exitedWith(playUntilTheFlush(SIG_IGN), lostOutputStatus));
    expectSettingsGivenBack();
}

TEST(SessionSignals, AWindowChangeWhileTheEventsAreTakenLetsTheKeysThrough) {
    const int status = statusOfChild([] {
        alarm(5); // a wait that spins ends here
        int input[2];
        if (pipe(input) != 0 || ::write(input[1], "k", 1) != 1) {
            _exit(2);
        }
        dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);
        watchTerminalEvents();
        raise(SIGWINCH);
        landWhileTakingEvents([] { raise(SIGWINCH); });
        platform::ScreenModel model(162, 42);
        TerminalOutput output(model);
        WaitPoint waits(output, input[0], false);
        if (!waits.wait(-1, true) || !eventsWaiting()) { // the second change is not lost
            _exit(3);
        }
    });
    EXPECT_TRUE(exitedWith(status, bodyReturned)) << "status " << status;
}
