#pragma once
// The drawing toolkit every picture of the game is made with: cursor
// placement, the table frame, centred text, glyph-wide printing and erasing,
// the blanks that wipe a centred text, boxes, and the title screen with its
// menu selector.
//
// The toolkit holds nothing: everything it draws goes straight to the
// console. Positions are console cells (x from the left, y from the top)
// unless an operation says it takes a logical column, which is two cells wide.

#include <string>

namespace screen {

// The cells of one line a text may take, from the first to the one past the
// last: where nothing else (a frame, a box, a picture) is drawn.
struct Span {
    int from;
    int to;
};
inline constexpr Span wholeLine{0, 1 << 20};

// Moves the cursor to cell column x, line y. True when the move was
// possible; nothing relies on the answer.
bool gotoXY(int x, int y);
// The table frame, width glyphs by height lines, from the cursor, each
// line ending in a line end.
void drawFrame(int width, int height);
// Prints text centred on cell column x of line y, by its width in cells.
void printCentered(const std::string& text, int x, int y);
// The cell column a text `cells` wide starts in when centred on column x:
// x less half its width, or x itself when it is too wide for that.
int centredStart(int cells, int x);
// The start of a text `cells` wide centred on column x as centredStart puts
// it; when that reaches past the span, moved along the line to lie within
// it, one blank cell from its end where there is room; a text wider than
// the span starts at its first cell.
int centredStartWithin(int cells, int x, Span within);
// Prints text centred on cell column x of line y, within the span.
void printCenteredWithin(const std::string& text, int x, int y, Span within);
// Prints text at logical column col (cell column 2 × col) of line y.
void printAt(const std::string& text, int col, int y);
// Wipes the one glyph at logical column col of line y.
void eraseAt(int col, int y);
// As many blanks as text is cells wide, times factor.
std::string blanksFor(const std::string& text, int factor);
// A box of width glyphs by height lines at cell column x, line y; its
// inside filled with "▩" unless keepInside is set.
void drawBox(int x, int y, int width, int height, bool keepInside);

// The title menu's items, top to bottom; the game names its modes by them.
inline constexpr const char* menuItems[] = {"Game Start", "Play Simulation", "Exit"};

// The title and the three menu items, centred on cell column x, the
// title on line y and the items 4, 8 and 12 lines below it.
void drawTitle(int x, int y);
// Lets the player move the light-red cursor over n items, step lines
// apart, the first on line y, at logical column col; returns the chosen
// item, 1 to n, when Enter is pressed.
int selectMenu(int n, int step, int col, int y);

} // namespace screen
