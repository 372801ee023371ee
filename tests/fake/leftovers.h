#pragma once
// Nothing is left on the table that the game does not know it shows: the
// places of its own texts (the prompt line, the set-up prompt, the turn
// marker, the bet announcement, the pot and stake lines, the seats' labels)
// are compared, cell by cell, with a fresh drawing of what the game says
// they show. A cell of an earlier, longer text that a wipe missed fails.

#include "game/game_table.h"

#include <string>
#include <vector>

namespace fake {

// One line per cell that differs, none when the screen is as drawn afresh.
std::vector<std::string> leftovers(const GameTable& table);

} // namespace fake
