#pragma once
// The boxes of the table stay whole: every cell of the frame's outline, the
// seven panels' outlines and the deck's picture holds the glyph the table
// drew there, whatever texts were drawn beside them since.

#include <string>
#include <vector>

namespace fake {

// One line for the first damaged cell of each box, none when all are whole.
// The deck is looked at only while it lies on the table (during a hand).
std::vector<std::string> damagedBoxes(bool deckShown);

} // namespace fake
