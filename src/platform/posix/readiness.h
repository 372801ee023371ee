#pragma once
// Waiting until one of a few descriptors has something to read, or until a
// time is up: the one place where the backend blocks. Built on select(),
// which waits on a terminal alike on Linux, macOS and the BSDs (macOS's
// poll() answers a terminal with POLLNVAL at once).

#include <initializer_list>

namespace platform::posix {

// What a wait found. A descriptor is ready when a read() on it would not
// block: bytes are there, or the end of the input, or an error the read
// will report.
struct Readable {
    bool interrupted = false; // a signal ended the wait
    unsigned ready = 0;       // bit i: the i-th descriptor of the list

    // The i-th descriptor of the list can be read.
    bool at(int i) const { return ((ready >> i) & 1U) != 0; }
    // Neither input nor a signal: the time was up.
    bool timeUp() const { return !interrupted && ready == 0; }
};

// Waits at most `milliseconds` (-1: for as long as it takes, 0: not at all)
// until one of the descriptors (at most 8) is ready. A descriptor of -1
// takes part in nothing.
Readable awaitReadable(std::initializer_list<int> fds, int milliseconds);

// Waits until the descriptor can take more output (or a signal comes).
void awaitWritable(int fd);

} // namespace platform::posix
