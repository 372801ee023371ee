// The one wait of the backend: it tells which descriptor can be read, ends
// when the time is up and not before, and tells a signal apart from both.
#include "platform/posix/readiness.h"
#include "support/openpty.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

#include <pthread.h>
#include <unistd.h>

using platform::posix::awaitReadable;
using platform::posix::Readable;
using Clock = std::chrono::steady_clock;

namespace {

struct Pipe {
    int fds[2] = {-1, -1};
    Pipe() { EXPECT_EQ(pipe(fds), 0); }
    ~Pipe() {
        closeWriteEnd();
        ::close(fds[0]);
    }
    int readEnd() const { return fds[0]; }
    void put(char byte) { EXPECT_EQ(::write(fds[1], &byte, 1), 1); }
    void closeWriteEnd() {
        if (fds[1] >= 0) {
            ::close(fds[1]);
            fds[1] = -1;
        }
    }
};

void noteSignal(int) {}

} // namespace

TEST(Readiness, TellsWhichDescriptorHasSomethingToRead) {
    Pipe quiet;
    Pipe busy;
    busy.put('k');
    const Readable found = awaitReadable({quiet.readEnd(), busy.readEnd()}, 5000);
    EXPECT_FALSE(found.interrupted);
    EXPECT_FALSE(found.at(0));
    EXPECT_TRUE(found.at(1));
}

TEST(Readiness, TheEndOfTheInputCanBeRead) {
    Pipe ended;
    ended.closeWriteEnd();
    EXPECT_TRUE(awaitReadable({ended.readEnd()}, -1).at(0)); // no time limit
}

TEST(Readiness, ADescriptorOfMinusOneTakesPartInNothing) {
    Pipe busy;
    busy.put('k');
    const Readable found = awaitReadable({-1, busy.readEnd()}, 0);
    EXPECT_FALSE(found.at(0));
    EXPECT_TRUE(found.at(1));
}

TEST(Readiness, WaitsTheWholeTimeWhenNothingComes) {
    Pipe quiet;
    const auto start = Clock::now();
    const Readable found = awaitReadable({quiet.readEnd()}, 120);
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_TRUE(found.timeUp());
    EXPECT_GE(waited, 119);
    EXPECT_LT(waited, 1000);
    EXPECT_TRUE(awaitReadable({quiet.readEnd()}, 0).timeUp());
}

TEST(Readiness, ASignalEndsTheWaitAndIsToldApart) {
    struct sigaction action {};
    struct sigaction previous {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = noteSignal; // no SA_RESTART: the wait ends with EINTR
    sigaction(SIGUSR1, &action, &previous);
    Pipe quiet;
    const pthread_t waiter = pthread_self();
    std::thread signaller([waiter] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pthread_kill(waiter, SIGUSR1);
    });
    const Readable found = awaitReadable({quiet.readEnd()}, 5000);
    signaller.join();
    sigaction(SIGUSR1, &previous, nullptr);
    EXPECT_TRUE(found.interrupted);
    EXPECT_FALSE(found.timeUp());
}

// The waits are for a terminal above all: a key typed on a pseudo-terminal
// is ready to be read, and nothing is before it.
TEST(Readiness, AKeyOnATerminal) {
    int typing = -1;
    int terminal = -1;
    ASSERT_EQ(openpty(&typing, &terminal, nullptr, nullptr, nullptr), 0);
    EXPECT_TRUE(awaitReadable({terminal}, 50).timeUp());
    ASSERT_EQ(::write(typing, "\n", 1), 1);
    EXPECT_TRUE(awaitReadable({terminal}, 1000).at(0));
    ::close(typing);
    ::close(terminal);
}

TEST(Readiness, ADescriptorThatIsNotOpenIsLeftToTheReadToReport) {
    Pipe some;
    const int closed = dup(some.readEnd());
    ::close(closed);
    EXPECT_TRUE(awaitReadable({closed}, 1000).at(0));
}
