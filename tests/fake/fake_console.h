#pragma once
// A console that exists only in memory, linked into the tests in place of a
// real backend: a 162×42 grid of cells with an attribute each, a cursor, a
// script of keystrokes and typed lines, and a clock that sleeps move forward
// without taking any time.

#include <functional>
#include <string>
#include <string_view>

namespace fake {

inline constexpr int columns = 162;
inline constexpr int lines = 42;

// A blank grid, the cursor home, attribute 7, the clock at 0, no script.
void reset();

// With drawing off, text goes nowhere: what the game costs without the
// console's. On again after reset().
void setDrawing(bool on);

// Appends to the script. Keys and typed lines share one queue, as they do
// on a keyboard: a typed line is its characters followed by "\n".
void type(std::string_view bytes);
void typeLine(std::string_view line);
void pressKey(int code);
// What the program is waiting for when the script runs out.
enum class Wait { Key, Line };
// Called when the script runs out; what it returns is appended to the
// script, and an empty answer ends the input.
void whenScriptRunsOut(std::function<std::string(Wait)> more);

// The text of a row as a person reads it: a wide character once, blank
// cells as blanks.
std::string row(int y);
// The text of the cells from column x, `cells` cells wide.
std::string text(int x, int y, int cells);
// The character in a cell ("" for the right half of a wide character).
std::string cell(int x, int y);
int attributeAt(int x, int y);
// True when any cell of the rectangle has the attribute.
bool anyAttribute(int x, int y, int width, int height, int attribute);

int cursorX();
int cursorY();
int currentAttribute();
long long clockMs();
int clearCount();
int resizeCount();
int pauseCount();
int lastResizeColumns();
int lastResizeLines();
// Moves refused because they pointed off the grid.
int refusedMoves();
// Times written text met the right edge and went on at the next line.
int runOffs();
// Times the grid scrolled up because text went on below the last line.
int scrolls();
// Bytes left in the script.
std::size_t scriptLeft();

// The whole grid, one row per line, for failure messages.
std::string dump();

} // namespace fake
