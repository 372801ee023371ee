#include "platform/windows/console_windows.h"

#include "platform/console.h"

#include <array>
#include <optional>

namespace platform::windows {

namespace {

constexpr char32_t controlC = 0x03;
// Ctrl-Z is the console's own end of input.
constexpr char32_t controlZ = 0x1A;

// The key a press that types no character is: a cursor key its own code,
// a function key or another key of its own (Home, Insert, …) Escape, a
// modifier (Shift, Ctrl, Caps Lock …) none.
std::optional<int> keyTypingNothing(WORD key) {
    static_assert(VK_UP == VK_LEFT + 1 && VK_RIGHT == VK_LEFT + 2 && VK_DOWN == VK_LEFT + 3);
    if (key >= VK_LEFT && key <= VK_DOWN) {
        constexpr int cursorKeys[] = {keyLeft, keyUp, keyRight, keyDown};
        return cursorKeys[key - VK_LEFT];
    }
    if ((key >= VK_PRIOR && key <= VK_HELP) || (key >= VK_F1 && key <= VK_F24)) {
        return keyEscape;
    }
    return std::nullopt;
}

} // namespace

void ConsoleInput::attach(HANDLE inputHandle, bool isConsole, WindowChanged onWindowChange, RepaintAsked onRepaint) {
    handle = inputHandle;
    console = isConsole;
    windowChanged = onWindowChange;
    repaintAsked = onRepaint;
}

std::optional<std::string> ConsoleInput::readStream() {
    std::array<char, 4096> chunk;
    DWORD got = 0;
    if (!ReadFile(handle, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) || got == 0) {
        return std::nullopt; // the end of a file, or the writer closed the pipe
    }
    return std::string(chunk.data(), got);
}

std::optional<ConsoleInput::Press> ConsoleInput::pressOf(const void* data) {
    const auto& record = *static_cast<const INPUT_RECORD*>(data);
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    if (record.EventType != KEY_EVENT || !key.bKeyDown || key.wVirtualKeyCode == VK_PROCESSKEY) {
        return std::nullopt; // no key, a release, or the input method still composing
    }
    char32_t c = static_cast<char16_t>(key.uChar.UnicodeChar);
    if (c >= 0xD800 && c <= 0xDBFF) { // the first half of a surrogate pair
        highSurrogate = static_cast<char16_t>(c);
        return std::nullopt;
    }
    if (c >= 0xDC00 && c <= 0xDFFF) {
        if (highSurrogate == 0) {
            return std::nullopt;
        }
        c = 0x10000 + ((highSurrogate - 0xD800) << 10) + (c - 0xDC00);
    }
    highSurrogate = 0;
    if (c == 0 && !keyTypingNothing(key.wVirtualKeyCode)) {
        return std::nullopt; // Shift, Ctrl, Caps Lock: no key of their own
    }
    return Press{c, key.wVirtualKeyCode};
}

ConsoleInput::Press ConsoleInput::nextPress() {
    for (;;) {
        INPUT_RECORD record;
        DWORD got = 0;
        if (!ReadConsoleInputW(handle, &record, 1, &got) || got == 0) {
            throw InputClosed();
        }
        if (record.EventType == WINDOW_BUFFER_SIZE_EVENT && windowChanged != nullptr) {
            windowChanged();
        }
        if (const auto press = pressOf(&record)) {
            if (press->character == controlC) {
                stopOnControlC(); // Ctrl-C came as a key rather than as a signal
            }
            if (press->character == repaintKey) {
                repaintAsked();
                continue;
            }
            return *press;
        }
    }
}

int ConsoleInput::nextKey() {
    if (!console) {
        return streamKeys.nextKey();
    }
    const Press press = nextPress(); // Enter's '\r' is keyEnter already
    return press.character == 0 ? *keyTypingNothing(press.key) : static_cast<int>(press.character);
}

LineKey ConsoleInput::nextLineKey() {
    if (!console) {
        return streamKeys.nextLineKey();
    }
    const Press press = nextPress();
    return press.character == controlZ ? LineKey{LineKey::Kind::endOfInput} : lineKeyFor(press.character);
}

std::string ConsoleInput::nextRawLine() {
    std::string line = streamKeys.nextLine();
    if (line.size() >= 2 && line[line.size() - 2] == '\r') {
        line.erase(line.size() - 2, 1);
    }
    return line;
}

bool ConsoleInput::keyPressedWithin(int milliseconds) {
    if (!console || WaitForSingleObject(handle, static_cast<DWORD>(milliseconds)) != WAIT_OBJECT_0) {
        return false;
    }
    INPUT_RECORD record;
    DWORD got = 0;
    while (GetNumberOfConsoleInputEvents(handle, &got) && got > 0 && ReadConsoleInputW(handle, &record, 1, &got)) {
        if (pressOf(&record)) {
            return true;
        }
    }
    return false;
}

} // namespace platform::windows
