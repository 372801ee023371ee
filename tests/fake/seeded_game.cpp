#include "fake/seeded_game.h"

#include "fake/fake_console.h"

#include <cstdio>
#include <cstdlib>

namespace fake {

namespace {

// Seed 9 plays 1,630 hands with glibc's rand(); with another C library the
// search goes on to the next seeds. A game with one computer often ends
// within 6,000 hands (the median of 100 measured is 10,175).
constexpr unsigned firstSeedTried = 9;
constexpr int handsAtMost = 6000;
constexpr int seedsTried = 30;

} // namespace

SeededGame playSeed(unsigned seed, const GamePlan& plan) {
    reset();
    std::srand(seed);
    SeededGame game{seed, {}, std::make_unique<GameTable>()};
    game.record = playWholeGame(*game.table, plan);
    return game;
}

bool reachedTheEnd(const GameRecord& record) { return record.finalPauses > 0; }

std::optional<SeededGame> findShortGame(const GamePlan& plan, unsigned firstSeed, int tries) {
    for (unsigned seed = firstSeed; seed < firstSeed + static_cast<unsigned>(tries); ++seed) {
        SeededGame game = playSeed(seed, plan);
        if (reachedTheEnd(game.record)) {
            return game;
        }
    }
    return std::nullopt;
}

std::optional<SeededGame> shortGameWithOneComputer(const std::string& name) {
    std::optional<SeededGame> found = findShortGame({true, name, 1, {}, handsAtMost}, firstSeedTried, seedsTried);
    if (found) {
        std::printf("the whole game: seed %u, %d hands\n", found->seed, found->record.hands);
    } else {
        std::printf("no game of seeds %u to %u ended within %d hands\n", firstSeedTried,
                    firstSeedTried + seedsTried - 1, handsAtMost);
    }
    return found;
}

} // namespace fake
