#include "replay.h"

#include "pseudo_terminal.h"
#include "stream_audit.h"

#include <chrono>
#include <cstddef>

namespace bench {

std::vector<std::string_view>
joinPieces(std::string_view output, const std::vector<std::string_view>& pieces, long long count) {
    std::vector<std::string_view> runs;
    const std::size_t share = output.size() / static_cast<std::size_t>(count > 0 ? count : 1) + 1;
    std::size_t start = 0;
    std::size_t at = 0;
    for (std::string_view piece : pieces) {
        at += piece.size();
        if (at - start >= share) {
            runs.push_back(output.substr(start, at - start));
            start = at;
        }
    }
    if (at > start) {
        runs.push_back(output.substr(start, at - start));
    }
    return runs;
}

ReplayTimes replayBothWays(std::string_view output, long long gameWrites, int fd, int rounds,
                           const std::function<void(long long)>& settle) {
    using Clock = std::chrono::steady_clock;
    const std::vector<std::string_view> pieces = splitPieces(output);
    const std::vector<std::string_view> gathered = joinPieces(output, pieces, gameWrites);
    ReplayTimes times;
    times.pieceWrites = static_cast<long long>(pieces.size());
    long long sent = 0;
    auto timed = [&](const std::vector<std::string_view>& writes) {
        const Clock::time_point start = Clock::now();
        for (std::string_view w : writes) {
            writeWhole(fd, w);
        }
        sent += static_cast<long long>(output.size());
        settle(sent);
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    for (int round = 0; round < rounds; ++round) {
        times.gatheredSeconds += timed(gathered);
        times.pieceSeconds += timed(pieces);
    }
    return times;
}

} // namespace bench
