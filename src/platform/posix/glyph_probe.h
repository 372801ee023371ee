#pragma once
// Finds out at start-up how wide the terminal draws the layout glyphs.

#include "platform/posix/terminal_input.h"
#include "platform/posix/terminal_output.h"
#include "platform/posix/wait_point.h"

#include <optional>
#include <string_view>

namespace platform::posix {

// Draws one glyph in the top-left cell, asks the terminal where its cursor
// went and erases the glyph again. True when the glyph took one cell, and
// also when the terminal does not answer within a moment (most terminals
// draw these glyphs one cell wide). Keys typed meanwhile are kept.
bool glyphsDrawnNarrow(TerminalOutput& output, TerminalInput& input, WaitPoint& waits);

// The column (1-based) in a cursor-position report "ESC [ line ; column R";
// nothing for anything else, numbers past a terminal's size included.
std::optional<int> reportedColumn(std::string_view report);

} // namespace platform::posix
