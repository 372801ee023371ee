// What the soak says at the end: the spread of game lengths for each number
// of computers, the speed, and every game that went wrong.
#include "soak/soak_run.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace soak {

namespace {

std::vector<long long> handsWith(const Run& run, int computers) {
    std::vector<long long> hands;
    for (const GameResult& r : run.games) {
        if (r.computers == computers) {
            hands.push_back(r.hands);
        }
    }
    std::sort(hands.begin(), hands.end());
    return hands;
}

} // namespace

void printSummary(const Options& options, const Run& run) {
    long long totalHands = 0;
    double busySeconds = 0;
    int capped = 0;
    for (const GameResult& r : run.games) {
        totalHands += r.hands;
        busySeconds += r.seconds;
        capped += r.capped ? 1 : 0;
        if (!r.fault.empty()) {
            std::printf("FAULT computers=%d seed=%u: %s\n", r.computers, r.seed, r.fault.c_str());
        }
    }
    std::printf("\n| computers | games | min hands | median hands | max hands |\n");
    std::printf("|---|---|---|---|---|\n");
    for (int computers = options.fewest; computers <= options.most; ++computers) {
        const std::vector<long long> hands = handsWith(run, computers);
        if (hands.empty()) {
            continue;
        }
        std::printf("| %d | %zu | %lld | %lld | %lld |\n", computers, hands.size(), hands.front(),
                    hands[hands.size() / 2], hands.back());
    }
    if (capped > 0) {
        std::printf("\n%d of %zu games stopped at the cap of %lld hands before their final line, books balanced "
                    "up to there\n",
                    capped, run.games.size(), options.handCap);
    }
    std::printf("\n%zu games, %lld hands in %.1f s (%d process%s): %.0f hands/s, %.0f hands/s per process\n",
                run.games.size(), totalHands, run.wallSeconds, options.jobs, options.jobs == 1 ? "" : "es",
                run.wallSeconds > 0 ? totalHands / run.wallSeconds : 0.0,
                busySeconds > 0 ? totalHands / busySeconds : 0.0);
}

bool allPassed(const Options& options, const Run& run) {
    if (run.failedJobs > 0) {
        std::printf("FAULT %d process%s died before the end of its games\n", run.failedJobs,
                    run.failedJobs == 1 ? "" : "es");
        return false;
    }
    for (const GameResult& r : run.games) {
        if (!r.fault.empty()) {
            return false;
        }
    }
    for (int computers = options.fewest; computers <= options.most; ++computers) {
        if (handsWith(run, computers).empty()) {
            std::printf("FAULT no game was played with %d computers\n", computers);
            return false;
        }
    }
    return true;
}

} // namespace soak
