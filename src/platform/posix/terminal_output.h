#pragma once
// Everything the game writes, gathered and sent to the terminal in one
// write() whenever the program is about to wait.
//
// It keeps apart what the game asked for (cursor place, colour, cursor shown)
// and what the terminal has, and sends a change only when text needs it or
// the program is about to wait, so no sequence is sent that would change
// nothing; what a clear would wipe before the next flush is never sent. It
// gives each layout glyph the two cells the table is laid out with even on
// terminals that draw the glyph one cell wide, and it keeps a copy of the
// screen so the whole table can be drawn again after the terminal lost it.

#include "platform/posix/codeset.h"
#include "platform/posix/shadow_grid.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform::posix {

class TerminalOutput {
  public:
    // The screen copy covers the console the table asks for.
    explicit TerminalOutput(int columns = 162, int lines = 42);

    // Whether the terminal draws the layout glyphs one cell wide; when it
    // does, each is followed by a filler cell.
    void setGlyphsNarrow(bool narrow) { glyphsNarrow = narrow; }
    bool areGlyphsNarrow() const { return glyphsNarrow; }
    // A terminal that speaks another codeset gets what is sent converted.
    void setRecoder(Recoder* terminalCodeset) { recoder = terminalCodeset; }
    // The terminal's size: text reaching its right edge wraps, and after
    // that the terminal's cursor is no longer known; a repaint leaves out
    // what lies outside, so it never wraps or scrolls.
    void setTerminalSize(int columns, int lines) {
        terminalColumns = columns;
        terminalLines = lines;
    }

    void moveCursor(int x, int y);
    void setAttribute(int attribute);
    void setCursorVisible(bool visible) { wanted.visible = visible; }
    void write(std::string_view text);
    // Blanks the screen; the next text starts in the top-left cell.
    void clear();

    // Raw control text that changes nothing the output keeps track of.
    void control(std::string_view sequence) {
        pending.append(sequence);
        keepPending();
    }
    // Raw text that leaves the terminal's cursor somewhere the output does
    // not follow (a question to the terminal); the next text is placed anew.
    void controlMovingCursor(std::string_view sequence) {
        pending.append(sequence);
        sent.placed = false;
        keepPending();
    }
    // The terminal echoed a typed line at the cursor, then went to the start
    // of the next line.
    void echoed(std::string_view line);
    // The terminal is being set up afresh (after a suspend) with `setup`,
    // which leaves normal colours and the cursor hidden. Whatever was still
    // waiting to be sent is dropped: the next repaint draws it.
    void restart(std::string_view setup);
    // A message over the whole screen that is not part of the table: it is
    // not kept in the screen copy, so the next repaint removes it.
    void notice(const std::vector<std::string>& lines);
    // Draws the whole screen copy again, then carries on as before.
    void repaint();

    // Sends what is gathered, with the cursor shown or hidden and (when
    // shown) in its place, to the file in one write(). Returns false when the
    // file is gone. Nothing is written when nothing is gathered.
    bool flush(int fd);
    // What flush would send.
    std::string pendingText();
    const ShadowGrid& screen() const { return grid; }

  private:
    struct State {
        int x = 0;
        int y = 0;
        bool placed = false; // x and y are where the cursor really is
        int attribute = 7;
        bool visible = false;
    };

    void writeCodePoint(std::string_view bytes, char32_t c);
    void newLine();
    void advance(int cells);
    void syncCursor();
    void syncAttribute();
    void syncForWaiting();
    void replayRow(int y);
    // What is gathered so far is sent even if the screen is cleared before
    // the next flush.
    void keepPending();

    std::string pending;
    ShadowGrid grid;
    bool recording = true;
    bool glyphsNarrow = true;
    Recoder* recoder = nullptr;
    int terminalColumns = 162;
    int terminalLines = 42;
    State wanted{0, 0, true, 7, false};
    State sent{0, 0, false, 7, false};
    // From here on, `pending` holds only drawing, which a clear before the
    // next flush would wipe unseen: the clear drops it, and the terminal is
    // then as `sentBeforeDrawing` says.
    std::size_t drawingFrom = 0;
    State sentBeforeDrawing = sent;
};

} // namespace platform::posix
