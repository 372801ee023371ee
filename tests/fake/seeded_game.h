#pragma once
// Whole games of a chosen seed. The table's own generator deals the same
// game for a seed on every system, so a test that needs a game to end names
// the seed of a short one.

#include "fake/whole_game.h"
#include "game/game_table.h"

#include <memory>
#include <string>

namespace fake {

struct SeededGame {
    unsigned seed = 0;
    GameRecord record;
    std::unique_ptr<GameTable> table; // as the game left it
};

// "Play Simulation" with one computer that ends after this many hands.
inline constexpr unsigned shortGameSeed = 100002;
inline constexpr int shortGameHands = 1429;

// The game of `seed` on a new table and a fresh fake console.
SeededGame playSeed(unsigned seed, const GamePlan& plan);

// True when the game reached its final line (and was not stopped first).
bool reachedTheEnd(const GameRecord& record);

// The unit tests' whole game: the short game above, the person named `name`.
SeededGame shortGameWithOneComputer(const std::string& name);

} // namespace fake
