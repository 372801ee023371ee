#include "platform/windows/console_session.h"

#include "platform/console.h"
#include "platform/windows/win32.h"

#include <atomic>

namespace platform::windows {

namespace {

struct SavedConsole {
    HANDLE input = INVALID_HANDLE_VALUE;
    HANDLE output = INVALID_HANDLE_VALUE;
    bool inputIsConsole = false;
    bool outputIsConsole = false;
    DWORD inputMode = 0;
    DWORD outputMode = 0;
    UINT inputCodePage = 0;
    UINT outputCodePage = 0;
    WORD attributes = static_cast<WORD>(attrNormal);
    CONSOLE_CURSOR_INFO cursor{};
};

SavedConsole saved;
std::atomic<bool> sessionActive{false};

// Keys typed while the game draws stay queued for the next read; Ctrl-C
// still stops the game. Mouse and window events would only wake the waits.
DWORD playInputMode() {
    const DWORD kept = ENABLE_EXTENDED_FLAGS | ENABLE_QUICK_EDIT_MODE | ENABLE_INSERT_MODE;
    return (saved.inputMode & kept) | ENABLE_PROCESSED_INPUT;
}

// A line end returns to the first column and text reaching the right edge
// goes on in the next line, as the layout expects.
DWORD playOutputMode() {
    constexpr DWORD noAutoReturn = 0x0008; // DISABLE_NEWLINE_AUTO_RETURN
    return (saved.outputMode | ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT) & ~noAutoReturn;
}

void showCursor(bool visible) {
    CONSOLE_CURSOR_INFO cursor = saved.cursor;
    cursor.bVisible = visible ? TRUE : FALSE;
    SetConsoleCursorInfo(saved.output, &cursor);
}

BOOL WINAPI onControl(DWORD) {
    endSession();
    return FALSE; // the system's own handler then ends the process
}

} // namespace

void beginSession(bool inputIsConsole, bool outputIsConsole) {
    saved.input = GetStdHandle(STD_INPUT_HANDLE);
    saved.output = GetStdHandle(STD_OUTPUT_HANDLE);
    saved.inputIsConsole = inputIsConsole && GetConsoleMode(saved.input, &saved.inputMode);
    saved.outputIsConsole = outputIsConsole && GetConsoleMode(saved.output, &saved.outputMode);
    saved.inputCodePage = GetConsoleCP();
    saved.outputCodePage = GetConsoleOutputCP();
    if (saved.outputIsConsole) {
        CONSOLE_SCREEN_BUFFER_INFO info;
        if (GetConsoleScreenBufferInfo(saved.output, &info)) {
            saved.attributes = info.wAttributes;
        }
        GetConsoleCursorInfo(saved.output, &saved.cursor);
    }
    sessionActive = true;
    SetConsoleCtrlHandler(onControl, TRUE);
    if (saved.inputIsConsole) {
        SetConsoleMode(saved.input, playInputMode());
    }
    if (saved.outputIsConsole) {
        SetConsoleMode(saved.output, playOutputMode());
        SetConsoleTextAttribute(saved.output, static_cast<WORD>(attrNormal));
        showCursor(false);
    }
}

void endSession() {
    if (!sessionActive.exchange(false)) {
        return;
    }
    if (saved.inputIsConsole) {
        SetConsoleMode(saved.input, saved.inputMode);
    }
    if (saved.outputIsConsole) {
        SetConsoleMode(saved.output, saved.outputMode);
        SetConsoleTextAttribute(saved.output, saved.attributes);
        SetConsoleCursorInfo(saved.output, &saved.cursor);
    }
    // The game never switches code pages (it speaks UTF-16 to the console),
    // but the console is shared with the shell: what it had, it gets back.
    if (saved.inputCodePage != 0 && GetConsoleCP() != saved.inputCodePage) {
        SetConsoleCP(saved.inputCodePage);
    }
    if (saved.outputCodePage != 0 && GetConsoleOutputCP() != saved.outputCodePage) {
        SetConsoleOutputCP(saved.outputCodePage);
    }
}

void stopOnControlC() {
    endSession();
    ExitProcess(STATUS_CONTROL_C_EXIT);
}

void setLineEditing(bool on) {
    if (!saved.inputIsConsole || !sessionActive) {
        return;
    }
    const DWORD lineMode = ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT;
    SetConsoleMode(saved.input, on ? playInputMode() | lineMode : playInputMode());
    if (saved.outputIsConsole) {
        showCursor(on);
    }
}

} // namespace platform::windows
