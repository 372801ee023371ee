#pragma once
// What the Windows console backend's sources share. Included by them only,
// never by a header the game sees: the Windows API comes with it, in its lean
// form, without the min and max macros that would break the standard library.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/key_decoder.h"
#include "platform/line_editor.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform::windows {

// Ctrl-C that reached a read as input rather than as a signal: the console
// is given back and the process ends as Ctrl-C ends it.
[[noreturn]] void stopOnControlC();

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

    void attach(HANDLE input, bool isConsole, WindowChanged windowChanged, RepaintAsked repaintAsked);
    bool isConsole() const { return console; }

    // One key, as readKey gives it. Throws InputClosed at the end of the input.
    int nextKey();
    // One key of a typed line.
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
