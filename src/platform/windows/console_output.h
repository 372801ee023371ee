#pragma once
// The frames of the screen model as the Windows console shows them, each in
// one call: in terminal sequences by the same encoder as on POSIX terminals
// (one WriteConsoleW), or, on a console that does not take them, as the
// changed rows of cells (one WriteConsoleOutputW). Standard output that is
// not a console gets the terminal sequences in UTF-8 (one WriteFile).
// Every drawing call runs under the session's lock, and none after the
// console was given back.

#include "platform/frame_encoder.h"
#include "platform/screen_model.h"
#include "platform/windows/console_session.h"

#include <string>
#include <vector>

namespace platform::windows {

class ConsoleOutput {
  public:
    void attach(void* handle, Presentation presentation);
    bool isConsole() const { return presentation != Presentation::stream; }

    // The part of the model the window shows.
    void setWindow(int columns, int lines) { encoder.setWindow(columns, lines); }

    // Shows what changed in the model since the last frame.
    void present(ScreenModel& model);
    // A message over the whole console (as large as the model), outside the
    // model; present() then draws nothing until repaint().
    void showNotice(const ScreenModel& model, const std::vector<std::string>& lines);
    // The next frame draws the whole model again.
    void repaint();

    // Finds out how many cells the console gives a layout glyph and a Hangul
    // syllable (1 or 2 each), by writing one of each and asking where the
    // cursor went; both are wiped again.
    void measureCells();

  private:
    void writeText(const std::string& utf8);
    void presentCells(ScreenModel& model);
    void placeCursor(const ScreenModel& model);

    int cellsOf(const wchar_t* text);

    void* handle = nullptr;
    Presentation presentation = Presentation::stream;
    FrameEncoder encoder;
    bool glyphsNarrow = true;
    // The console keeps a Hangul syllable in one cell (and shows it wide).
    bool hangulInOneCell = false;
    bool framesHeld = false;
    // What a screen buffer of the game's own shows: nothing is known until
    // the first frame draws every row.
    bool cellsKnown = false;
    int cursorX = -1;
    int cursorY = -1;
    int cursorShown = -1;
};

} // namespace platform::windows
