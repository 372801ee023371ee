#pragma once
// A terminal in memory, as the tests' person sees the game: it takes the
// bytes a console sends (text, cursor moves, colours, clears, the marks of
// a frame) and places every character by its own idea of how wide it is,
// which comes from the C library rather than from the game. Where the game
// counts a character's cells differently, the picture comes out shifted, as
// it would on a real terminal, and a test of the layout fails.
//
// Like a real terminal it wraps text that reaches its right edge and scrolls
// when a line end or a wrap goes past the last line; it counts both, and the
// sequences it does not know.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fake {

// Cells a terminal gives a character: the layout glyphs two (the tests'
// terminal draws them wide), everything else as the C library's wcwidth
// says in a UTF-8 locale.
int terminalWidth(char32_t c);
// The C library's own answer for a character outside ASCII: -1 for one it
// does not know, and where there is no C library to ask, the game's count.
int libraryWidth(char32_t c);

class VirtualTerminal {
  public:
    // narrowGlyphs: the layout glyphs the terminal draws one cell wide, as
    // many do with some or all of them; the others take two cells.
    VirtualTerminal(int columns, int lines, std::u32string narrowGlyphs = U"");

    void feed(std::string_view bytes);

    // The row as a person reads it: a wide character once, blank cells as
    // blanks, as wide as the terminal.
    std::string row(int y) const;
    // The cells from column x, `cells` wide.
    std::string text(int x, int y, int cells) const;
    // The character in a cell ("" for the right half of a wide character).
    std::string cell(int x, int y) const;
    // The colour a person sees in the cell; a blank shows none.
    int attributeAt(int x, int y) const;

    int cursorX() const { return x; }
    int cursorY() const { return y; }
    bool cursorVisible() const { return cursorShown; }
    int wraps() const { return wrapCount; }
    int scrolls() const { return scrollCount; }
    int bells() const { return bellCount; }
    int unknownSequences() const { return unknownCount; }
    // Frames begun and ended with the synchronized-update marks.
    int framesBegun() const { return begun; }
    int framesEnded() const { return ended; }

  private:
    struct Cell {
        std::string glyph = " "; // "" for the right half of a wide character
        std::uint8_t attribute = 7;
    };

    Cell& at(int column, int row) { return cells[static_cast<std::size_t>(row * columns + column)]; }
    const Cell& at(int column, int row) const { return cells[static_cast<std::size_t>(row * columns + column)]; }
    void put(std::string_view glyph, int width);
    void lineFeed();
    void blankCell(int column, int row);
    // Blanks the other half of a wide character the cell belongs to.
    void breakWide(int column, int row);
    void controlSequence(std::string_view parameters, char final);
    // Inserts (by > 0) or deletes cells at the cursor, the rest of the row
    // moving with them.
    void shiftCells(int by);
    void setMode(std::string_view parameters, bool on);
    void selectGraphics(std::string_view parameters);
    std::size_t escape(std::string_view bytes, std::size_t at);

    int columns;
    int lines;
    std::u32string narrowGlyphs;
    std::vector<Cell> cells;
    int x = 0;
    int y = 0;
    bool wrapPending = false;
    std::uint8_t attribute = 7;
    bool cursorShown = true;
    int wrapCount = 0;
    int scrollCount = 0;
    int bellCount = 0;
    int unknownCount = 0;
    int begun = 0;
    int ended = 0;
};

} // namespace fake
