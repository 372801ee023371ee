// Runs a program on this console as a person at it would, for the checks
// under wine: the console's own input records and window sizes, which a
// terminal's keys cannot make, put in while the program runs.
//
// Usage: console_driver COMMANDS REPORT PROGRAM [ARGUMENT...]
// Runs PROGRAM on this console and carries out each line added to the file
// COMMANDS while it runs:
//   key CODE REPEAT     a press of the character CODE (a number) as one record
//                       counting REPEAT presses, then its release
//   altup CODE          Alt pressed, then released with the character CODE, as
//                       Alt and the number pad or a paste bring it
//   size COLUMNS LINES  the active screen buffer and its window made that
//                       size, and the window event a console sends
//   mode                the console's input mode, added to REPORT
// REPORT gets "mode" with the input mode before PROGRAM starts and after it
// ends, and "status" with PROGRAM's exit status, which is the driver's own
// too.
#include "files/windows_api.h"
#include "windows/input_records.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

HANDLE consoleInput() {
    return CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

HANDLE activeBuffer() {
    return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

void put(const INPUT_RECORD* records, DWORD count) {
    const HANDLE input = consoleInput();
    DWORD written = 0;
    WriteConsoleInputW(input, records, count, &written);
    CloseHandle(input);
}

// A letter's key is its capital's code; any other character comes as from an
// input method, on no key.
WORD keyOf(wchar_t character) {
    return character >= L'a' && character <= L'z' ? static_cast<WORD>(character - L'a' + 'A') : 0;
}

void pressKey(wchar_t character, WORD repeat) {
    const WORD virtualKey = keyOf(character);
    const INPUT_RECORD records[] = {inputRecords::key(true, virtualKey, character, repeat),
                                    inputRecords::key(false, virtualKey, character, 1)};
    put(records, 2);
}

void altUp(wchar_t character) {
    const INPUT_RECORD records[] = {inputRecords::key(true, VK_MENU, 0, 1),
                                    inputRecords::key(false, VK_MENU, character, 1)};
    put(records, 2);
}

// The window never larger than the buffer on the way: it shrinks first,
// then the buffer takes the size, then the window.
void resize(SHORT columns, SHORT lines) {
    const HANDLE output = activeBuffer();
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(output, &info);
    const SMALL_RECT smaller{0, 0, static_cast<SHORT>(std::min(columns, info.dwSize.X) - 1),
                             static_cast<SHORT>(std::min(lines, info.dwSize.Y) - 1)};
    SetConsoleWindowInfo(output, TRUE, &smaller);
    SetConsoleScreenBufferSize(output, COORD{columns, lines});
    const SMALL_RECT window{0, 0, static_cast<SHORT>(columns - 1), static_cast<SHORT>(lines - 1)};
    SetConsoleWindowInfo(output, TRUE, &window);
    CloseHandle(output);
    const INPUT_RECORD event = inputRecords::windowSize(columns, lines);
    put(&event, 1);
}

void reportMode(const char* report) {
    const HANDLE input = consoleInput();
    DWORD mode = 0;
    GetConsoleMode(input, &mode);
    CloseHandle(input);
    std::ofstream(report, std::ios::app | std::ios::binary) << "mode " << std::hex << mode << "\n";
}

void carryOut(const std::string& line, const char* report) {
    std::istringstream words(line);
    std::string command;
    int first = 0;
    int second = 1;
    words >> command >> first >> second;
    if (command == "key") {
        pressKey(static_cast<wchar_t>(first), static_cast<WORD>(second));
    } else if (command == "altup") {
        altUp(static_cast<wchar_t>(first));
    } else if (command == "size") {
        resize(static_cast<SHORT>(first), static_cast<SHORT>(second));
    } else if (command == "mode") {
        reportMode(report);
    }
}

// The program's command line: the driver's own after its first three words.
std::wstring programLine() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring line;
    for (int i = 3; i < count; ++i) {
        line += (i > 3 ? L" \"" : L"\"") + std::wstring(words[i]) + L"\"";
    }
    LocalFree(words);
    return line;
}

// The driver stays for the program's end, whatever the console's Ctrl-C.
BOOL WINAPI stayOnControl(DWORD) { return TRUE; }

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: console_driver COMMANDS REPORT PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    SetConsoleCtrlHandler(stayOnControl, TRUE);
    reportMode(argv[2]);
    std::wstring line = programLine();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION program{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &program)) {
        std::fprintf(stderr, "console_driver: cannot start the program (error %lu)\n", GetLastError());
        return 2;
    }
    // The file is opened afresh at each look: the C library takes a file
    // that once reached its end for ended.
    std::streamoff done = 0;
    while (WaitForSingleObject(program.hProcess, 50) == WAIT_TIMEOUT) {
        std::ifstream commands(argv[1], std::ios::binary);
        commands.seekg(done);
        for (std::string command; std::getline(commands, command) && !commands.eof();) {
            carryOut(command, argv[2]);
            done += static_cast<std::streamoff>(command.size()) + 1;
        }
    }
    DWORD status = 0;
    GetExitCodeProcess(program.hProcess, &status);
    reportMode(argv[2]);
    std::ofstream(argv[2], std::ios::app | std::ios::binary) << "status " << std::dec << status << "\n";
    return static_cast<int>(status);
}
