#pragma once
// The one picture of the console that the game draws into. Cursor moves,
// colours, text and clears change only this grid of cells; each console
// shows it at its next flush, sending only what changed since the last one,
// so a person never sees a half-drawn or blank frame, and every console
// (terminal, Windows console, the tests' console) holds the same idea of
// the screen.
//
// Text never wraps: what would pass the right edge is dropped, and a line
// end on the last line stays there, so the table never scrolls.

#include "platform/console.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace platform {

struct Cell {
    char32_t glyph = U' ';
    std::uint8_t attribute = attrNormal;
    // The right half of a two-cell glyph, which stands in the cell before.
    bool rightHalf = false;
    // Fills the cell out to 8 bytes without padding, so rows of cells
    // compare as memory.
    std::uint16_t unused = 0;

    bool operator==(const Cell&) const = default;
    bool isBlank() const { return glyph == U' ' && !rightHalf; }
};

static_assert(sizeof(Cell) == 8 && std::has_unique_object_representations_v<Cell>);

class ScreenModel {
  public:
    ScreenModel(int columns, int lines);

    // A new size, every cell blank.
    void resize(int columns, int lines);
    int columns() const { return width; }
    int lines() const { return height; }

    // Moves the cursor; a move off the grid is refused and the cursor stays.
    void moveCursor(int x, int y);
    void setAttribute(int attribute) { currentAttribute = static_cast<std::uint8_t>(attribute); }
    // UTF-8 text at the cursor, each character in the cells the layout gives
    // it; '\n' goes to the next line's start; an invalid byte shows as "?";
    // controls and characters without cells of their own change nothing.
    void write(std::string_view text);
    // Every cell blank, the cursor home.
    void clear();
    void setCursorVisible(bool visible) { cursorShown = visible; }
    // The console beeps at its next flush.
    void ringBell() { bellRung = true; }

    const Cell& at(int x, int y) const { return cells[index(x, y)]; }
    int cursorX() const { return x; }
    int cursorY() const { return y; }
    bool cursorVisible() const { return cursorShown; }
    int attribute() const { return currentAttribute; }

    // For a console showing the model: whether the row changed since the
    // console last took the changes, and taking them.
    bool rowChanged(int row) const { return changedRows[static_cast<std::size_t>(row)] != 0; }
    void forgetChanges();
    bool takeBell();

    // Moves refused, characters dropped at the right edge, clears: counted
    // for the tests, which hold that the game never asks for the first two.
    int refusedMoves() const { return refused; }
    int droppedAtEdge() const { return dropped; }
    int clears() const { return clearCount; }

  private:
    std::size_t index(int column, int row) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(column);
    }
    // The cells from the cursor on that a glyph or a run takes, made ready:
    // the row marked changed, a two-cell glyph cut in half blanked.
    Cell* claim(int cellsWide);
    void put(char32_t glyph, int cellsWide);
    void putAscii(std::string_view run);

    int width = 0;
    int height = 0;
    std::vector<Cell> cells;
    std::vector<char> changedRows;
    // How far each row was written since the last clear: only there can it
    // hold anything, and the 48 clears of a shuffle find one card's cells.
    std::vector<int> writtenTo;
    // The last character measured, and its width: runs of one glyph (an
    // edge, a card's back) are measured once.
    char32_t lastGlyph = 0;
    int lastWidth = 0;
    int x = 0;
    int y = 0;
    std::uint8_t currentAttribute = attrNormal;
    bool cursorShown = false;
    bool bellRung = false;
    int refused = 0;
    int dropped = 0;
    int clearCount = 0;
};

// The model the game draws into: one for the whole program.
ScreenModel& screenModel();

} // namespace platform
