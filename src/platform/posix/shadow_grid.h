#pragma once
// A copy of what the terminal shows, cell by cell, so the whole table can be
// drawn again when the terminal lost it (the program was suspended, or the
// window was too small for a while) without asking the game to redraw.

#include <string>
#include <string_view>
#include <vector>

namespace platform::posix {

struct Cell {
    // The character drawn from this cell on; empty for a blank cell and for
    // the right half of a two-cell character.
    std::string text;
    int attribute = 7;
    // The right half of a two-cell character.
    bool continuation = false;

    bool blank() const { return text.empty() || text == " "; }
};

class ShadowGrid {
  public:
    ShadowGrid(int columns, int lines);

    int columns() const { return width; }
    int lines() const { return height; }

    void clear();
    // Records a character `cells` cells wide (0, 1 or 2) at (x, y), as a
    // terminal draws it: a character taking no cell joins the one to its
    // left, a character half overwritten disappears, and what does not fit
    // on the grid is dropped.
    void put(int x, int y, std::string_view text, int cells, int attribute);

    const Cell& at(int x, int y) const;
    // The row as a person reads it: each character once, blank cells as
    // blanks, trailing blanks dropped.
    std::string row(int y) const;

  private:
    // Every cell that can change is reached through here, which notes its row.
    Cell& cell(int x, int y) {
        rowsFrom = y < rowsFrom ? y : rowsFrom;
        rowsTo = y + 1 > rowsTo ? y + 1 : rowsTo;
        return cells[static_cast<std::size_t>(y * width + x)];
    }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // Blanks both halves of a two-cell character that (x, y) is part of.
    void release(int x, int y);

    int width;
    int height;
    std::vector<Cell> cells;
    // The rows written since the last clear: only they can hold anything, and
    // the 48 clears of a shuffle find one card's rows.
    int rowsFrom = height;
    int rowsTo = 0;
};

} // namespace platform::posix
