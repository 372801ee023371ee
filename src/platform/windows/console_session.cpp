#include "platform/windows/console_windows.h"

#include "platform/console.h"

#include <atomic>
#include <mutex>

namespace platform::windows {

namespace {

// Leaves the alternate screen with normal colours and the cursor shown.
constexpr wchar_t leaveScreen[] = L"\x1b[0m\x1b[?25h\x1b[?1049l";
constexpr wchar_t enterScreen[] = L"\x1b[?1049h\x1b[0m\x1b[?25l";
constexpr wchar_t enterAlternate[] = L"\x1b[?1049h";
constexpr wchar_t leaveAlternate[] = L"\x1b[?1049l";

struct SavedConsole {
    HANDLE input = INVALID_HANDLE_VALUE;
    HANDLE output = INVALID_HANDLE_VALUE;
    HANDLE ownBuffer = INVALID_HANDLE_VALUE;
    bool inputIsConsole = false;
    bool outputIsConsole = false;
    DWORD inputMode = 0;
    DWORD outputMode = 0;
    UINT inputCodePage = 0;
    UINT outputCodePage = 0;
    WORD attributes = static_cast<WORD>(attrNormal);
    CONSOLE_CURSOR_INFO cursor{};
    COORD bufferSize{};
    SMALL_RECT window{};
    Presentation presentation = Presentation::stream;
    // The console takes terminal sequences without carrying them out itself
    // but hands them to the terminal it runs in (wine does): the game's own
    // screen buffer is then drawn in that terminal's alternate screen.
    bool handsOnSequences = false;
};

SavedConsole saved;
std::recursive_mutex sessionLock;
std::atomic<bool> started{false};
std::atomic<bool> ended{false};

// Keys typed while the game draws stay queued for the next read; Ctrl-C
// still stops the game; a change of the window's size is reported.
DWORD playInputMode() {
    const DWORD kept = ENABLE_EXTENDED_FLAGS | ENABLE_QUICK_EDIT_MODE | ENABLE_INSERT_MODE;
    return (saved.inputMode & kept) | ENABLE_PROCESSED_INPUT | ENABLE_WINDOW_INPUT;
}

void write(HANDLE out, const wchar_t* text) {
    DWORD written = 0;
    WriteConsoleW(out, text, static_cast<DWORD>(wcslen(text)), &written, nullptr);
}

void hideCursor(HANDLE out) {
    CONSOLE_CURSOR_INFO cursor = saved.cursor;
    cursor.dwSize = cursor.dwSize == 0 ? 25 : cursor.dwSize;
    cursor.bVisible = FALSE;
    SetConsoleCursorInfo(out, &cursor);
}

void saveOutput() {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(saved.output, &info)) {
        saved.attributes = info.wAttributes;
        saved.bufferSize = info.dwSize;
        saved.window = info.srWindow;
    }
    GetConsoleCursorInfo(saved.output, &saved.cursor);
}

// Whether the console carries out a cursor move it is sent as a terminal
// sequence: the cursor must land where the sequence says. The cursor is put
// back where it was either way.
bool carriesOutMoves() {
    CONSOLE_SCREEN_BUFFER_INFO before;
    CONSOLE_SCREEN_BUFFER_INFO after;
    if (!GetConsoleScreenBufferInfo(saved.output, &before)) {
        return false;
    }
    write(saved.output, L"\x1b[2;3H");
    const bool moved = GetConsoleScreenBufferInfo(saved.output, &after) &&
                       after.dwCursorPosition.X == before.srWindow.Left + 2 &&
                       after.dwCursorPosition.Y == before.srWindow.Top + 1;
    SetConsoleCursorPosition(saved.output, before.dwCursorPosition);
    return moved;
}

// Terminal sequences in the alternate screen, where the console carries
// them out.
bool enterVirtualTerminal() {
    const DWORD mode = saved.outputMode | ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING;
    if (!SetConsoleMode(saved.output, mode)) {
        return false;
    }
    if (!carriesOutMoves()) {
        saved.handsOnSequences = true;
        return false;
    }
    write(saved.output, enterScreen);
    return true;
}

// A screen buffer of the game's own, shown instead of the user's.
bool enterOwnBuffer() {
    if (saved.handsOnSequences) {
        write(saved.output, enterAlternate);
    }
    saved.ownBuffer = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    if (saved.ownBuffer == INVALID_HANDLE_VALUE) {
        return false;
    }
    SetConsoleMode(saved.ownBuffer, ENABLE_PROCESSED_OUTPUT);
    SetConsoleTextAttribute(saved.ownBuffer, static_cast<WORD>(attrNormal));
    hideCursor(saved.ownBuffer);
    return SetConsoleActiveScreenBuffer(saved.ownBuffer) != FALSE;
}

Presentation choosePresentation() {
    if (enterVirtualTerminal()) {
        return Presentation::virtualTerminal;
    }
    return enterOwnBuffer() ? Presentation::screenBuffer : Presentation::stream;
}

void restoreSize(HANDLE out) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(out, &info) ||
        (info.dwSize.X == saved.bufferSize.X && info.dwSize.Y == saved.bufferSize.Y &&
         info.srWindow.Right - info.srWindow.Left == saved.window.Right - saved.window.Left &&
         info.srWindow.Bottom - info.srWindow.Top == saved.window.Bottom - saved.window.Top)) {
        return;
    }
    // The window must fit the buffer at every step: shrink it first, then
    // the buffer, then put the window back where it was.
    const SMALL_RECT corner{0, 0, 0, 0};
    SetConsoleWindowInfo(out, TRUE, &corner);
    SetConsoleScreenBufferSize(out, saved.bufferSize);
    SetConsoleWindowInfo(out, TRUE, &saved.window);
}

void restoreOutput() {
    if (saved.presentation == Presentation::screenBuffer) {
        SetConsoleActiveScreenBuffer(saved.output);
        CloseHandle(saved.ownBuffer);
    }
    SetConsoleTextAttribute(saved.output, saved.attributes);
    SetConsoleCursorInfo(saved.output, &saved.cursor);
    // The terminal's own screen comes back last, so nothing the console
    // does on the way out lands on it.
    if (saved.presentation == Presentation::virtualTerminal) {
        write(saved.output, leaveScreen);
        restoreSize(saved.output);
    } else if (saved.handsOnSequences) {
        write(saved.output, leaveAlternate);
    }
    SetConsoleMode(saved.output, saved.outputMode);
}

void restore() {
    if (saved.inputIsConsole) {
        SetConsoleMode(saved.input, saved.inputMode);
    }
    if (saved.outputIsConsole) {
        restoreOutput();
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

BOOL WINAPI onControl(DWORD) {
    endSession();
    return FALSE; // the system's own handler then ends the process
}

} // namespace

Session beginSession() {
    saved.input = GetStdHandle(STD_INPUT_HANDLE);
    saved.output = GetStdHandle(STD_OUTPUT_HANDLE);
    saved.inputIsConsole = GetConsoleMode(saved.input, &saved.inputMode) != FALSE;
    saved.outputIsConsole = GetConsoleMode(saved.output, &saved.outputMode) != FALSE;
    saved.inputCodePage = GetConsoleCP();
    saved.outputCodePage = GetConsoleOutputCP();
    const std::lock_guard<std::recursive_mutex> lock(sessionLock);
    started = true;
    SetConsoleCtrlHandler(onControl, TRUE);
    if (saved.inputIsConsole) {
        SetConsoleMode(saved.input, playInputMode());
    }
    if (saved.outputIsConsole) {
        saveOutput();
        saved.presentation = choosePresentation();
    }
    const HANDLE frames = saved.presentation == Presentation::screenBuffer ? saved.ownBuffer : saved.output;
    return {saved.input, frames, saved.inputIsConsole, saved.presentation};
}

void endSession() {
    if (ended || !started) {
        return;
    }
    const std::lock_guard<std::recursive_mutex> lock(sessionLock);
    if (!ended) {
        restore();
        ended = true;
    }
}

bool whileSessionOn(const std::function<void()>& draw) {
    if (ended) {
        return false;
    }
    const std::lock_guard<std::recursive_mutex> lock(sessionLock);
    if (ended) {
        return false;
    }
    draw();
    return true;
}

void stopOnControlC() {
    endSession();
    ExitProcess(STATUS_CONTROL_C_EXIT);
}

} // namespace platform::windows
