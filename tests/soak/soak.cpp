// Whole "Play Simulation" games on the fake console, one after another, for
// every number of computers: every game must reach its final line with the
// books balanced at every wait. Prints one line per game and, at the end,
// hands per second and the spread of game lengths.
//
//   brannocktide_soak [--games N] [--computers A-B] [--first-seed S]
//                     [--budget SECONDS] [--jobs J] [--seeds S,S,...] [--cap HANDS]
//
// --games     games for each number of computers (default 100)
// --budget    stop starting games for a count once its share of this many
//             seconds is used (at least one game is always played)
// --jobs      processes to share the games (default 1)
// --seeds     one game for each count, with these seeds in order of the
//             counts (one seed alone serves every count)
// --cap       stop each game after this many hands: a game stopped there
//             passes when its books were balanced up to then, and is
//             counted as stopped at the end
#include "soak/soak_run.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool parseArguments(int argc, char** argv, soak::Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        char* value = argv[i + 1];
        if (flag == "--games") {
            options.games = std::atoi(value);
        } else if (flag == "--computers") {
            const char* dash = std::strchr(value, '-');
            options.fewest = std::atoi(value);
            options.most = dash != nullptr ? std::atoi(dash + 1) : options.fewest;
        } else if (flag == "--first-seed") {
            options.firstSeed = static_cast<unsigned>(std::strtoul(value, nullptr, 10));
        } else if (flag == "--budget") {
            options.budgetSeconds = std::atof(value);
        } else if (flag == "--seeds") {
            for (char* at = value; *at != '\0';) {
                options.seeds.push_back(static_cast<unsigned>(std::strtoul(at, &at, 10)));
                at += *at == ',' ? 1 : 0;
            }
        } else if (flag == "--cap") {
            options.handCap = std::atoll(value);
        } else if (flag == "--jobs") {
            options.jobs = std::atoi(value);
        } else {
            return false;
        }
    }
    if (!options.seeds.empty()) {
        options.games = 1;
    }
    return argc % 2 == 1 && options.games > 0 && options.handCap >= 0 && options.jobs > 0 && options.fewest >= 1 &&
           options.most <= 6 && options.fewest <= options.most;
}

} // namespace

int main(int argc, char** argv) {
    soak::Options options;
    if (!parseArguments(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s [--games N] [--computers A-B] [--first-seed S] [--budget SECONDS] "
                             "[--jobs J] [--seeds S,S,...] [--cap HANDS]\n",
                     argv[0]);
        return 2;
    }
    const soak::Run run = soak::run(options);
    soak::printSummary(options, run);
    return soak::allPassed(options, run) ? 0 : 1;
}
