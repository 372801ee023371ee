#pragma once
// The soak run: which games to play, how to share them among processes, and
// what to say about them afterwards.

#include <string>
#include <vector>

namespace soak {

struct Options {
    int games = 100;
    int fewest = 1;
    int most = 6;
    unsigned firstSeed = 1;
    double budgetSeconds = 0; // 0: no limit
    int jobs = 1;
    std::vector<unsigned> seeds; // one game per count with these, when given
    long long handCap = 0;       // stops each game after this many hands; 0: none
};

struct GameResult {
    int computers = 0;
    unsigned seed = 0;
    long long hands = 0;
    double seconds = 0;
    bool capped = false; // stopped at the cap before its final line
    std::string fault;   // empty when the game ended (or was stopped) with its books balanced
};

// The seed of game `index` with `computers` computers: distinct over the run.
unsigned seedFor(const Options& options, int computers, int index);

// Plays one whole game on the fake console, or its first `handCap` hands.
GameResult playOne(int computers, unsigned seed, long long handCap);

struct Run {
    std::vector<GameResult> games;
    double wallSeconds = 0;
    int failedJobs = 0; // processes that did not finish their share
};

// Plays the run, in options.jobs processes, and returns every game's result.
Run run(const Options& options);

void printSummary(const Options& options, const Run& run);
// Every game ended cleanly, and every count played at least one game.
bool allPassed(const Options& options, const Run& run);

} // namespace soak
