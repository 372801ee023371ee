#pragma once
// Everything the game writes, gathered and sent to the terminal in one
// write() whenever the program is about to wait.
//
// It knows where the cursor is and which colour is set, so it never sends a
// cursor move or colour change that would change nothing, and it gives each
// layout glyph the two cells the table is laid out with even on terminals
// that draw the glyph one cell wide.

#include <string>
#include <string_view>

namespace platform::posix {

class TerminalOutput {
  public:
    // Whether the terminal draws the layout glyphs one cell wide; when it
    // does, each is followed by a filler cell.
    void setGlyphsNarrow(bool narrow) { glyphsNarrow = narrow; }
    bool areGlyphsNarrow() const { return glyphsNarrow; }
    void setColumns(int columns) { terminalColumns = columns; }

    void moveCursor(int x, int y);
    void setAttribute(int attribute);
    void write(std::string_view text);
    void clear();
    // Raw control text that moves nothing the output keeps track of.
    void control(std::string_view sequence) { pending.append(sequence); }
    // The terminal moved the cursor itself (it echoed a typed line).
    void forgetCursor() { cursorKnown = false; }

    // Sends what is gathered to the file in one write(); returns false when
    // the terminal is gone.
    bool flush(int fd);
    std::size_t bytesPending() const { return pending.size(); }

  private:
    void writeCodePoint(std::string_view bytes, char32_t c);
    void advance(int cells);

    std::string pending;
    bool glyphsNarrow = true;
    int terminalColumns = 162;
    int cursorX = 0;
    int cursorY = 0;
    bool cursorKnown = false;
    int attribute = 7;
};

} // namespace platform::posix
