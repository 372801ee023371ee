#pragma once
// The bytes that bring a terminal from what it showed after the last frame
// to what the screen model shows now: the changed cells only, placed with
// cursor moves, coloured with SGR, and wrapped in the synchronized-update
// marks, so a terminal that knows them shows each frame whole (one that
// does not simply ignores them). Used by every console that speaks the
// terminal's escape sequences: POSIX terminals and the Windows console.
//
// Each layout glyph gets the two cells the table is laid out with even on a
// terminal that draws it one cell wide: a filler cell follows it there.
// Which glyphs those are is measured on the terminal, glyph by glyph.
// Cells beyond the window are not sent, and nothing is ever written past
// the window's right edge, so the terminal never wraps a line or scrolls.

#include "platform/glyph_widths.h"
#include "platform/screen_model.h"

#include <cstddef>
#include <string>
#include <vector>

namespace platform {

// What every console shows, as a screen of its own, while its window is too
// small for the table: the size needed and the size there is, in cells, and
// how to go on.
ScreenModel windowTooSmallNotice(int neededColumns, int neededLines, int nowColumns, int nowLines);

class FrameEncoder {
  public:
    // How wide the terminal draws each layout glyph, as measured on it.
    void setGlyphWidths(const GlyphWidths& widths) { glyphWidths = widths; }
    void setGlyphsNarrow(bool narrow) { glyphWidths = GlyphWidths(narrow); }
    // The window's size: only the cells from the top-left corner that it
    // shows are sent.
    void setWindow(int columns, int lines);

    // What the terminal shows is not known (it was just set up, continued,
    // resized, or showed a notice): the next frame clears it and sends every
    // cell of the model.
    void forget();
    // Something outside the frames moved the terminal's cursor.
    void loseCursor() { cursorKnown = false; }

    // The next frame; empty when the terminal already shows the model. Takes
    // the model's record of changed rows and its bell.
    std::string encode(ScreenModel& model);

  private:
    struct Shown {
        int columns = 0;
        int lines = 0;
        std::vector<Cell> cells;
    };

    // What the terminal shows, as the model's cells that were sent.
    Cell& shownAt(int x, int y) { return shown.cells[static_cast<std::size_t>(y * shown.columns + x)]; }
    // A block that moved sideways (a sliding card) is moved by inserting or
    // deleting cells at `from`, the row's first change, when that pays.
    void shiftRow(const ScreenModel& model, int from, int y, int columns, std::string& out);
    // About the bytes a shift `by` spares the row from `from` on; 0 when it
    // would push text off the row's end.
    int cellsSpared(const ScreenModel& model, int from, int y, int columns, int by);
    void encodeRow(const ScreenModel& model, int y, std::string& out);
    // Erases a long run of blanks from x in one sequence: the cells erased.
    int eraseBlankRun(const ScreenModel& model, int x, int y, int columns, std::string& out);
    // Takes the cursor to (x, y) by the shortest sequence.
    void moveTo(const ScreenModel& model, int x, int y, std::string& out);
    void appendMove(int x, int y, std::string& out) const;
    void emitUnit(const ScreenModel& model, int x, int y, int cellsWide, std::string& out);
    void placeCursor(const ScreenModel& model, std::string& out);
    void setSgr(int attribute, std::string& out);

    GlyphWidths glyphWidths;
    int windowColumns = 32767;
    int windowLines = 32767;
    Shown shown;
    int shortBlanksEnd = 0; // the end of the blank run last found too short to erase
    bool screenKnown = false;
    bool cursorKnown = false;
    int cursorX = 0;
    int cursorY = 0;
    int sgr = -1;            // the attribute the terminal writes with; -1: not known
    int cursorVisible = -1;  // 0 or 1; -1: not known
};

} // namespace platform
