#pragma once
// Console input records as a keyboard and a window make them: for the key
// records' tests and for the driver that puts them into a console.
#include "files/windows_api.h"

namespace inputRecords {

// A key's press or release, the press counting `repeat` presses.
inline INPUT_RECORD key(bool down, WORD virtualKey, wchar_t character, WORD repeat = 1) {
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = down ? TRUE : FALSE;
    record.Event.KeyEvent.wRepeatCount = repeat;
    record.Event.KeyEvent.wVirtualKeyCode = virtualKey;
    record.Event.KeyEvent.uChar.UnicodeChar = character;
    if (virtualKey == VK_MENU && down) {
        record.Event.KeyEvent.dwControlKeyState = LEFT_ALT_PRESSED;
    }
    return record;
}

// The window's buffer changed to columns × lines.
inline INPUT_RECORD windowSize(SHORT columns, SHORT lines) {
    INPUT_RECORD record{};
    record.EventType = WINDOW_BUFFER_SIZE_EVENT;
    record.Event.WindowBufferSizeEvent.dwSize = COORD{columns, lines};
    return record;
}

} // namespace inputRecords
