#pragma once
// Running totals of what the terminal backend costs: the write() calls and
// bytes it sends, the flushes that asked for them, and the pauses the game
// asked for. Kept always, by plain increments, so the measuring programs can
// set what the program adds against the pacing the rules fix.

namespace platform::posix {

struct OutputCosts {
    long long flushes = 0;      // flushes that had something to send
    long long writeCalls = 0;   // write() calls those flushes made
    long long bytes = 0;        // bytes those calls sent
    long long sleepAskedMs = 0; // the game's pauses, in milliseconds
};

// The totals since the program started or since they were last set to {}.
OutputCosts& outputCosts();

} // namespace platform::posix
