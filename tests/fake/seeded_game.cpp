#include "fake/seeded_game.h"

#include "fake/fake_console.h"

namespace fake {

SeededGame playSeed(unsigned seed, const GamePlan& plan) {
    reset();
    SeededGame game{seed, {}, std::make_unique<GameTable>(seed)};
    game.record = playWholeGame(*game.table, plan);
    return game;
}

bool reachedTheEnd(const GameRecord& record) { return record.finalPauses > 0; }

SeededGame shortGameWithOneComputer(const std::string& name) {
    // A little past its length, so a game that ran longer shows as unfinished.
    return playSeed(shortGameSeed, {true, name, 1, {}, shortGameHands + 10});
}

} // namespace fake
