#pragma once
// Running totals of what the game sends to its standard output, kept by the
// measuring program itself: it stands in for the C library's write(), so
// the game carries no counters of its own.

namespace bench {

struct OutputCosts {
    long long flushes = 0;      // writes that ended a frame, or carried no frame at all
    long long writeCalls = 0;   // write() calls to standard output
    long long bytes = 0;        // bytes those calls sent
    long long splitFrames = 0;  // writes that began a frame without ending it
    long long sleepAskedMs = 0; // the game's pauses, in milliseconds
};

// The totals since the program started.
OutputCosts outputCosts();

} // namespace bench
