// The game's pauses keep their pace: a pause that follows straight on from
// another is timed from when that one was due to end, so the work between
// them does not add up over a hand; after anything else, or when the game
// fell behind by a whole pause, the pause is whole again.
#include "platform/posix/terminal_session.h"
#include "platform/posix/terminal_io.h"
#include "platform/screen_model.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace platform::posix;
using Clock = std::chrono::steady_clock;

namespace {

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void work(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

struct PauseCase {
    const char* name;
    std::function<void(WaitPoint&)> before; // what happens before the measured pause
    double atLeastMs;                       // the measured pause, from its call
    double belowMs;
};

} // namespace

TEST(PauseTiming, APauseFollowingAPauseKeepsThePace) {
    watchTerminalEvents();
    takeTerminalEvents();
    int input[2];
    ASSERT_EQ(pipe(input), 0);
    ASSERT_EQ(::write(input[1], "k", 1), 1); // a key that is always ready
    const std::vector<PauseCase> cases = {
        {"work between pauses falls inside the next one",
         [](WaitPoint& w) { w.wait(100, false), work(30); }, 0, 85},
        {"a wait for input in between: the pause is whole",
         [](WaitPoint& w) { w.wait(100, false), w.wait(-1, true), work(60); }, 99, 400},
        {"behind by more than a pause: the pause is whole",
         [](WaitPoint& w) { w.wait(50, false), work(120); }, 99, 400},
    };
    for (const PauseCase& c : cases) {
        platform::ScreenModel model(162, 42);
        TerminalOutput output(model);
        output.takePending(); // the terminal shows the blank model: the pauses send nothing
        WaitPoint waits(output, input[0], false);
        c.before(waits);
        const Clock::time_point start = Clock::now();
        waits.wait(100, false);
        const double paused = millisecondsSince(start);
        EXPECT_GE(paused, c.atLeastMs) << c.name;
        EXPECT_LT(paused, c.belowMs) << c.name;
    }
    ::close(input[0]);
    ::close(input[1]);
}

TEST(PauseTiming, PausesInARowTakeTheirSumAndNoLess) {
    watchTerminalEvents();
    takeTerminalEvents();
    platform::ScreenModel model(162, 42);
    TerminalOutput output(model);
    output.takePending(); // the terminal shows the blank model: the pauses send nothing
    WaitPoint waits(output, STDIN_FILENO, false);
    const Clock::time_point start = Clock::now();
    for (int frame = 0; frame < 10; ++frame) {
        work(5);
        waits.wait(20, false);
    }
    const double took = millisecondsSince(start);
    EXPECT_GE(took, 200.0 + 5.0); // the first pause starts after the first work
    EXPECT_LT(took, 240.0);       // ten times the work would make it 250
}
