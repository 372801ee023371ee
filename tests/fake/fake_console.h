#pragma once
// A console that exists only in memory, linked into the tests in place of a
// real backend: the game draws into the shared screen model as on every
// console, and the model is shown, as a real console shows it, on a
// terminal in memory that places characters by the C library's widths. A
// script of keystrokes and typed lines stands in for the keyboard, and a
// clock that sleeps move forward without taking any time.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace fake {

inline constexpr int columns = 162;
inline constexpr int lines = 42;

// A blank screen, the cursor home, attribute 7, the clock at 0, no script.
void reset();

// Appends to the script. Keys and typed lines share one queue, as they do
// on a keyboard: a typed line is its characters followed by "\n".
void type(std::string_view bytes);
void typeLine(std::string_view line);
void pressKey(int code);
// The terminal in memory draws these layout glyphs one cell wide and the
// others two (after reset(): all two), and the console measures each glyph
// on it as a console does when it opens, and draws with what it found.
void measureOnTerminalDrawingNarrow(std::u32string_view narrowGlyphs);
// What the program is waiting for when the script runs out.
enum class Wait { Key, Line };
// Called when the script runs out; what it returns is appended to the
// script, and an empty answer ends the input.
void whenScriptRunsOut(std::function<std::string(Wait)> more);
// Called every time the game waits for a key or a key of a typed line,
// whether or not the script already holds it (keys typed ahead).
void atEveryWait(std::function<void()> look);
// Lines come whole and unechoed, as from a pipe or a file (true), or key by
// key from a person at the keyboard, edited on the screen (false, as after
// reset()).
void readLinesWhole(bool whole);

// What a person sees on the terminal, as the console last showed it plus
// everything drawn since (it is shown anew on every look).
// The text of a row as a person reads it: a wide character once, blank
// cells as blanks.
std::string row(int y);
// The text of the cells from column x, `cells` cells wide.
std::string text(int x, int y, int cells);
// The character in a cell ("" for the right half of a wide character).
std::string cell(int x, int y);
// The colour a person sees in the cell (a blank shows none: 7).
int attributeAt(int x, int y);
// True when any cell of the rectangle shows the attribute.
bool anyAttribute(int x, int y, int width, int height, int attribute);
// Times the terminal wrapped text at its right edge, scrolled, and rang its
// bell; sequences it did not know.
int terminalWraps();
int terminalScrolls();
int bells();
int unknownSequences();
// Whether the terminal shows its cursor, and where.
bool terminalCursorVisible();

// The game's side: the screen model's cursor and attribute.
int cursorX();
int cursorY();
int currentAttribute();
long long clockMs();
int clearCount();
int resizeCount();
int pauseCount();
int lastResizeColumns();
int lastResizeLines();
// Moves the model refused because they pointed off the grid.
int refusedMoves();
// Characters the model dropped at its right edge.
int droppedAtEdge();
// Bytes left in the script.
std::size_t scriptLeft();

// The whole screen, one row per line, for failure messages.
std::string dump();

} // namespace fake
