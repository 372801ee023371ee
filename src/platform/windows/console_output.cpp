#include "platform/windows/console_output.h"

#include "platform/console.h"
#include "platform/utf16.h"
#include "platform/windows/win32.h"

#include <algorithm>

namespace platform::windows {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the console's wide text is UTF-16");

COORD cell(int x, int y) { return COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}; }

int cursorColumn(HANDLE out) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    return GetConsoleScreenBufferInfo(out, &info) ? info.dwCursorPosition.X : -1;
}

} // namespace

void ConsoleOutput::attach(void* outputHandle, bool isConsole) {
    handle = outputHandle;
    console = isConsole;
}

void ConsoleOutput::writeText(const std::u16string& text) {
    if (!console) {
        const std::string utf8 = utf8FromUtf16(text);
        DWORD written = 0;
        WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
        return;
    }
    // Large writes go in pieces the console surely takes, never splitting a
    // surrogate pair.
    constexpr std::size_t piece = 4096;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t count = std::min(piece, text.size() - at);
        if (at + count < text.size() && text[at + count - 1] >= 0xD800 && text[at + count - 1] <= 0xDBFF) {
            --count;
        }
        DWORD written = 0;
        const auto* units = reinterpret_cast<const wchar_t*>(text.data() + at);
        if (!WriteConsoleW(handle, units, static_cast<DWORD>(count), &written, nullptr) || written == 0) {
            return; // the console is gone
        }
        at += written;
    }
}

void ConsoleOutput::clearConsole() {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(handle, &info)) {
        return;
    }
    const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    DWORD done = 0;
    FillConsoleOutputCharacterW(handle, L' ', cells, cell(0, 0), &done);
    FillConsoleOutputAttribute(handle, static_cast<WORD>(attrNormal), cells, cell(0, 0), &done);
    SetConsoleCursorPosition(handle, cell(0, 0));
}

void ConsoleOutput::carryOut(const ConsoleBatch::Step& step) {
    using Kind = ConsoleBatch::Kind;
    if (step.kind == Kind::writeText) {
        writeText(step.text);
    } else if (!console) {
        return; // a file keeps the text only
    } else if (step.kind == Kind::moveCursor) {
        SetConsoleCursorPosition(handle, cell(step.x, step.y));
    } else if (step.kind == Kind::setAttribute) {
        SetConsoleTextAttribute(handle, static_cast<WORD>(step.attribute));
    } else {
        clearConsole();
    }
}

void ConsoleOutput::flush() {
    for (const ConsoleBatch::Step& step : batch.steps()) {
        carryOut(step);
    }
    batch.forgetSteps();
}

int ConsoleOutput::measureGlyphCells() {
    flush();
    SetConsoleCursorPosition(handle, cell(0, 1));
    DWORD written = 0;
    WriteConsoleW(handle, L"\u250C", 1, &written, nullptr);
    const int cells = cursorColumn(handle);
    SetConsoleCursorPosition(handle, cell(0, 1));
    WriteConsoleW(handle, L"  ", 2, &written, nullptr);
    SetConsoleCursorPosition(handle, cell(0, 0));
    return cells;
}

} // namespace platform::windows
