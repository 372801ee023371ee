#include "platform/windows/console_input.h"

#include "platform/console.h"
#include "platform/utf16.h"
#include "platform/windows/console_session.h"
#include "platform/windows/win32.h"

#include <array>
#include <conio.h>
#include <cstdio>

namespace platform::windows {

namespace {

// Ctrl-Z at the start of a line is the console's end of input.
constexpr char16_t endOfInput = 0x1A;

} // namespace

void ConsoleInput::attach(void* inputHandle, bool isConsole) {
    handle = inputHandle;
    console = isConsole;
}

bool ConsoleInput::fillReadAhead() {
    std::array<char, 4096> chunk;
    DWORD got = 0;
    if (!ReadFile(handle, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) || got == 0) {
        return false; // the end of a file, or the writer closed the pipe
    }
    readAhead.assign(chunk.data(), got);
    readAt = 0;
    return true;
}

unsigned char ConsoleInput::nextByte() {
    if (readAt == readAhead.size() && !fillReadAhead()) {
        throw InputClosed();
    }
    return static_cast<unsigned char>(readAhead[readAt++]);
}

int ConsoleInput::nextKey() {
    if (!console) {
        return nextByte();
    }
    const int key = _getch();
    if (key == EOF) {
        throw InputClosed();
    }
    return key;
}

std::string ConsoleInput::streamLine() {
    std::string line;
    for (;;) {
        try {
            line += static_cast<char>(nextByte());
        } catch (const InputClosed&) {
            if (line.empty()) {
                throw;
            }
            return line + '\n';
        }
        if (line.back() == '\n') {
            return line;
        }
    }
}

std::string ConsoleInput::consoleLine() {
    std::u16string line;
    std::array<wchar_t, 256> chunk;
    while (line.empty() || line.back() != u'\n') {
        DWORD got = 0;
        SetLastError(ERROR_SUCCESS);
        const BOOL read = ReadConsoleW(handle, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr);
        if (!read || got == 0) {
            if (GetLastError() == ERROR_OPERATION_ABORTED) {
                stopOnControlC(); // Ctrl-C ended the line
            }
            break;
        }
        for (DWORD i = 0; i < got; ++i) {
            line += static_cast<char16_t>(chunk[i]);
        }
    }
    if (line.empty() || line.front() == endOfInput) {
        throw InputClosed();
    }
    if (line.back() != u'\n') {
        line += u'\n';
    }
    if (line.size() >= 2 && line[line.size() - 2] == u'\r') {
        line.erase(line.size() - 2, 1);
    }
    return utf8FromUtf16(line);
}

std::string ConsoleInput::nextLine() { return console ? consoleLine() : streamLine(); }

bool ConsoleInput::keyPressedWithin(int milliseconds) {
    if (!console || WaitForSingleObject(handle, static_cast<DWORD>(milliseconds)) != WAIT_OBJECT_0) {
        return false;
    }
    INPUT_RECORD event;
    DWORD got = 0;
    while (GetNumberOfConsoleInputEvents(handle, &got) && got > 0 && ReadConsoleInputW(handle, &event, 1, &got)) {
        if (event.EventType == KEY_EVENT && event.Event.KeyEvent.bKeyDown) {
            return true;
        }
    }
    return false;
}

} // namespace platform::windows
