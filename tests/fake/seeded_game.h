#pragma once
// Whole games of a chosen seed, and games short enough for a test to play
// to their end. How long the game of a seed lasts depends on the C
// library's rand(), so a test that needs a game to end looks for one when
// it runs: the games of consecutive seeds, each stopped after a number of
// hands, until one reaches its final line.

#include "fake/whole_game.h"
#include "game/game_table.h"

#include <memory>
#include <optional>
#include <string>

namespace fake {

struct SeededGame {
    unsigned seed = 0;
    GameRecord record;
    std::unique_ptr<GameTable> table; // as the game left it
};

// The game of `seed` on a new table and a fresh fake console.
SeededGame playSeed(unsigned seed, const GamePlan& plan);

// True when the game reached its final line (and was not stopped first).
bool reachedTheEnd(const GameRecord& record);

// The first game of the seeds from `firstSeed` on that ends within
// plan.handLimit hands, after at most `tries` seeds; nothing when none does.
std::optional<SeededGame> findShortGame(const GamePlan& plan, unsigned firstSeed, int tries);

// The unit tests' whole game: "Play Simulation" with one computer and the
// person named `name`, found as above and named on standard output.
std::optional<SeededGame> shortGameWithOneComputer(const std::string& name);

} // namespace fake
