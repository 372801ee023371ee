#pragma once
// Everything the game writes, gathered as console calls and carried out
// whenever the program is about to wait. Standard output that is not a
// console (a file, a pipe) gets the text alone, as UTF-8.

#include "platform/console_batch.h"

#include <string_view>

namespace platform::windows {

class ConsoleOutput {
  public:
    // handle is the standard output's HANDLE.
    void attach(void* handle, bool isConsole);
    bool isConsole() const { return console; }

    void setGlyphsNarrow(bool narrow) { batch.setGlyphsNarrow(narrow); }
    void moveCursor(int x, int y) { batch.moveCursor(x, y); }
    void setAttribute(int attribute) { batch.setAttribute(attribute); }
    void write(std::string_view text) { batch.write(text); }
    void clear() { batch.clear(); }
    void flush();

    // Cells the console moves on for one layout glyph (1 or 2), found by
    // writing one and asking where the cursor went; the glyph is wiped again.
    int measureGlyphCells();

  private:
    void carryOut(const ConsoleBatch::Step& step);
    void writeText(const std::u16string& text);
    void clearConsole();

    ConsoleBatch batch;
    void* handle = nullptr;
    bool console = false;
};

} // namespace platform::windows
