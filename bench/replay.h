#pragma once
// The same output sent to a file two ways, timed in the same run: in as
// many write() calls as the game made, and one write() per glyph or escape
// sequence, as a writer without gathering would send it.

#include <functional>
#include <string_view>
#include <vector>

namespace bench {

struct ReplayTimes {
    double gatheredSeconds = 0; // as many writes as the game made
    double pieceSeconds = 0;    // one write per piece
    long long pieceWrites = 0;
};

// Sends `output` both ways `rounds` times, alternating, to `fd`; after each
// way, `settle` waits until the other side has taken it all.
ReplayTimes replayBothWays(std::string_view output, long long gameWrites, int fd, int rounds,
                           const std::function<void(long long bytesSoFar)>& settle);

// Consecutive pieces joined into `count` runs of about equal size.
std::vector<std::string_view>
joinPieces(std::string_view output, const std::vector<std::string_view>& pieces, long long count);

} // namespace bench
