#pragma once
// The parts the Windows console backend is put together from, each in the
// sections below. Included by the backend's sources only, never by a header
// the game sees: the Windows API comes with it, in its lean form, without
// the min and max macros that would break the standard library.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/frame_encoder.h"
#include "platform/key_decoder.h"
#include "platform/line_editor.h"
#include "platform/screen_model.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::windows {

// The console as the game borrows it from the shell that started it. Its
// modes, code pages, colours, cursor, buffer size and window are saved at
// start and given back on every way out: normal exit, end of input, Ctrl-C,
// Ctrl-Break and closing the window. The game draws where the user's own
// text is safe: in the console's alternate screen where the console takes
// terminal sequences (Windows 10 and later), otherwise in a screen buffer
// of its own.
//
// The control handler runs on a thread of its own: it and the drawing agree
// through one lock, so a frame is never cut by a restore, nothing is drawn
// after one, and a second restore waits for the first to finish.

// How frames reach the console.
enum class Presentation {
    virtualTerminal, // terminal sequences, in the console's alternate screen
    screenBuffer,    // cells, in a screen buffer of the game's own
    stream,          // standard output is a file or a pipe
};

struct Session {
    void* input = nullptr;  // standard input's HANDLE
    void* output = nullptr; // the HANDLE frames go to
    bool inputIsConsole = false;
    Presentation presentation = Presentation::stream;
};

// Saves the console's state, sets the game's modes, chooses where frames go
// and installs the control handler.
Session beginSession();
// Gives the console back as it was. Idempotent.
void endSession();
// Runs the drawing under the session's lock, unless the console has been
// given back already (the program is on its way out). True when it ran.
bool whileSessionOn(const std::function<void()>& draw);

// Ctrl-C that reached a read as input rather than as a signal: the console
// is given back and the process ends as Ctrl-C ends it.
[[noreturn]] void stopOnControlC();

// The frames of the screen model as the Windows console shows them, each in
// one call: in terminal sequences by the same encoder as on POSIX terminals
// (one WriteConsoleW), or, on a console that does not take them, as the
// changed rows of cells (one WriteConsoleOutputW). Standard output that is
// not a console gets the terminal sequences in UTF-8 (one WriteFile).
// Every drawing call runs under the session's lock, and none after the
// console was given back.

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

// Keys and typed lines from standard input. From the console: key presses
// as the console reports them, in Unicode, so a key typed through an input
// method (Korean among them) is the character it makes, one press is one
// key, and releases and the input method's own composing are no keys at
// all. From a redirected stream: its bytes, read as a terminal's are.

class ConsoleInput {
  public:
    // Called while a key is awaited and the console reports that its
    // window changed size, or Ctrl-L asks for the screen to be drawn again.
    using WindowChanged = void (*)();
    using RepaintAsked = void (*)();

    // handle is the standard input's HANDLE.
    void attach(void* handle, bool isConsole, WindowChanged windowChanged, RepaintAsked repaintAsked);
    bool isConsole() const { return console; }

    // One key: a character as its code point, Enter as 13, a cursor key as
    // its code (keyUp and the others), a function key or another key that
    // types nothing as Escape. Throws InputClosed at the end of the input.
    int nextKey();
    // One key of a typed line (from the console only).
    LineKey nextLineKey();
    // The next line of a redirected stream, with its '\n'; a last line
    // without one gets one. Throws InputClosed when nothing at all is left.
    std::string nextRawLine();
    // True when a key is pressed within the time; the key is taken. Always
    // false when the input is not a console.
    bool keyPressedWithin(int milliseconds);

  private:
    struct Press {
        char32_t character; // 0 for a key that types nothing
        unsigned short key; // the key's virtual-key code
    };

    // The next press that means something: a character, a cursor key or a
    // function key; Ctrl-L has the screen drawn again and is read past.
    Press nextPress();
    // The press an input record holds, if it holds one.
    std::optional<Press> pressOf(const void* record);
    // What a redirected stream has: its next chunk, nothing at its end.
    std::optional<std::string> readStream();

    void* handle = nullptr;
    bool console = false;
    WindowChanged windowChanged = nullptr;
    RepaintAsked repaintAsked = nullptr;
    char16_t highSurrogate = 0;
    KeyDecoder streamKeys{[this](int) { return readStream(); }, [this] { repaintAsked(); }};
};

} // namespace platform::windows
