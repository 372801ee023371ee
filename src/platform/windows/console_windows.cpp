// The console layer on the Windows console. The game borrows the console from
// the shell that started it: its modes, code pages, colours and cursor are
// saved at start and given back on every way out (normal exit, end of input,
// Ctrl-C, Ctrl-Break, closing the window). The game draws where the user's
// own text is safe, and each frame in one call. It never sizes the user's
// own screen buffer: only a buffer of its own, where it draws in one.
//
// The control handler runs on a thread of its own: it and the drawing agree
// through one lock, so a frame is never cut by a restore, nothing is drawn
// after one, and a second restore waits for the first to finish.
#include "files/wide_text.h"
#include "files/windows_api.h"
#include "platform/backend.h"
#include "platform/console.h"
#include "platform/frame_encoder.h"
#include "platform/glyph_widths.h"
#include "platform/key_decoder.h"
#include "platform/line_editor.h"
#include "platform/screen_model.h"
#include "platform/text_width.h"
#include "platform/windows/key_records.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <shellapi.h>

namespace platform {

namespace {

// How frames reach the console, each frame in one call.
enum class Presentation {
    virtualTerminal, // the POSIX terminals' sequences, in the alternate screen (Windows 10 on): WriteConsoleW
    screenBuffer,    // the changed rows of cells, in a screen buffer of the game's own: WriteConsoleOutputW
    stream,          // standard output is a file or a pipe: the sequences in UTF-8, WriteFile
};

// A testing aid for wine, whose console does not carry terminal sequences
// out and cannot hand them on whole: it keeps each character of a sequence
// as a cell of its own buffer and shows the terminal it runs in only the
// cells that changed, breaking them at its lines' ends. Set to the file of
// that terminal (Z:\dev\pts\3), the game takes the sequence path without
// asking the console and sends the sequences there, as UTF-8; everything
// else on the path (modes, sizes, keys, the restore) goes to the console.
constexpr const char* sequenceFileSetting = "BRANNOCKTIDE_SEQUENCES_TO";

HANDLE openSequenceFile() {
    const char* name = std::getenv(sequenceFileSetting);
    if (name == nullptr || *name == '\0') {
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileW(files::wideText(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The console as the shell had it, and where the game draws instead.
struct SavedConsole {
    HANDLE input = INVALID_HANDLE_VALUE;
    HANDLE output = INVALID_HANDLE_VALUE;
    HANDLE ownBuffer = INVALID_HANDLE_VALUE;
    HANDLE sequenceFile = INVALID_HANDLE_VALUE; // the testing aid's terminal
    bool inputIsConsole = false;
    bool outputIsConsole = false;
    DWORD inputMode = 0;
    DWORD outputMode = 0;
    UINT inputCodePage = 0;
    UINT outputCodePage = 0;
    // Colours.
    CONSOLE_SCREEN_BUFFER_INFO screen{{}, {}, static_cast<WORD>(attrNormal), {}, {}};
    CONSOLE_CURSOR_INFO cursor{};
    Presentation presentation = Presentation::stream;
    // The console takes terminal sequences without carrying them out itself
    // but hands them to the terminal it runs in (wine does): the game's own
    // screen buffer is then drawn in that terminal's alternate screen.
    bool handsOnSequences = false;
};

SavedConsole saved;
std::recursive_mutex sessionLock;
std::atomic<bool> ended{false};
bool drawsCells() { return saved.presentation == Presentation::screenBuffer; }
bool onConsole() { return saved.presentation != Presentation::stream; }

// Runs draw under the session's lock, unless the console has been given back
// already (the program is on its way out). Ended is looked at before the lock
// too, so that nothing waits for the lock once the console is given back.
template <class Draw> void whileSessionOn(const Draw& draw) {
    if (!ended) {
        const std::lock_guard<std::recursive_mutex> lock(sessionLock);
        if (!ended) {
            draw();
        }
    }
}

COORD cell(int x, int y) { return COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}; }

// Writes all of text, in as many calls as the console takes (one, as a rule),
// unless the console is gone.
void writeConsole(HANDLE out, std::wstring_view text) {
    DWORD written = 0;
    while (!text.empty() && WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written > 0) {
        text.remove_prefix(written);
    }
}

// Terminal sequences to the console, or to the testing aid's terminal.
void sendSequences(const std::string& utf8) {
    DWORD written = 0;
    if (saved.sequenceFile == INVALID_HANDLE_VALUE) {
        writeConsole(saved.output, files::wideText(utf8));
    } else if (!utf8.empty()) {
        WriteFile(saved.sequenceFile, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    }
}

// Terminal sequences in the alternate screen, where the console carries them
// out: a cursor move sent as a sequence must land where it says (unless the
// testing aid sends them elsewhere). The cursor is put back where it was
// either way.
bool enterVirtualTerminal() {
    const DWORD mode = saved.outputMode | ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING;
    if (!SetConsoleMode(saved.output, mode)) {
        return false;
    }
    CONSOLE_SCREEN_BUFFER_INFO before;
    CONSOLE_SCREEN_BUFFER_INFO after;
    saved.sequenceFile = openSequenceFile();
    bool moved = saved.sequenceFile != INVALID_HANDLE_VALUE;
    if (!moved && GetConsoleScreenBufferInfo(saved.output, &before)) {
        writeConsole(saved.output, L"\x1b[2;3H");
        moved = GetConsoleScreenBufferInfo(saved.output, &after) &&
                after.dwCursorPosition.X == before.srWindow.Left + 2 &&
                after.dwCursorPosition.Y == before.srWindow.Top + 1;
        SetConsoleCursorPosition(saved.output, before.dwCursorPosition);
    }
    saved.handsOnSequences = !moved;
    if (moved) {
        sendSequences("\x1b[?1049h\x1b[0m\x1b[?25l"); // the alternate screen, cursor hidden
    }
    return moved;
}

// A screen buffer of the game's own, shown instead of the user's.
bool enterOwnBuffer() {
    if (saved.handsOnSequences) {
        writeConsole(saved.output, L"\x1b[?1049h"); // the alternate screen
    }
    saved.ownBuffer = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    if (saved.ownBuffer == INVALID_HANDLE_VALUE) {
        return false;
    }
    SetConsoleMode(saved.ownBuffer, ENABLE_PROCESSED_OUTPUT);
    SetConsoleTextAttribute(saved.ownBuffer, static_cast<WORD>(attrNormal));
    CONSOLE_CURSOR_INFO hidden{saved.cursor.dwSize == 0 ? 25 : saved.cursor.dwSize, FALSE};
    SetConsoleCursorInfo(saved.ownBuffer, &hidden);
    return SetConsoleActiveScreenBuffer(saved.ownBuffer) != FALSE;
}

// Gives the console back as it was, once, whoever asks first.
void endSession() {
    whileSessionOn([] {
        if (saved.inputIsConsole) {
            SetConsoleMode(saved.input, saved.inputMode);
        }
        if (saved.outputIsConsole) {
            if (drawsCells()) {
                SetConsoleActiveScreenBuffer(saved.output);
                CloseHandle(saved.ownBuffer);
            }
            SetConsoleTextAttribute(saved.output, saved.screen.wAttributes);
            SetConsoleCursorInfo(saved.output, &saved.cursor);
            // The terminal's own screen comes back last, so nothing the console
            // does on the way out lands on it.
            if (saved.presentation == Presentation::virtualTerminal) {
                sendSequences("\x1b[0m\x1b[?25h\x1b[?1049l"); // normal colours, the cursor shown
            } else if (saved.handsOnSequences) {
                writeConsole(saved.output, L"\x1b[?1049l");
            }
            SetConsoleMode(saved.output, saved.outputMode);
        }
        // The game never switches code pages (it speaks UTF-16 to the console),
        // but the console is shared with the shell: what it had, it gets back.
        if (saved.inputCodePage != 0 && GetConsoleCP() != saved.inputCodePage) {
            SetConsoleCP(saved.inputCodePage);
        }
        if (saved.outputCodePage != 0 && GetConsoleOutputCP() != saved.outputCodePage) {
            SetConsoleOutputCP(saved.outputCodePage);
        }
        ended = true;
    });
}

// Where the game is kept, or what was lost, after the console is given back.
void writeExitNote() {
    const std::string_view note = backend::exitNote();
    if (!note.empty()) {
        writeErrorLine(note.substr(0, note.size() - 1));
    }
}

BOOL WINAPI onControl(DWORD) {
    endSession();
    writeExitNote();
    return FALSE; // the system's own handler then ends the process
}

// Saves the console's state, sets the game's modes, installs the control
// handler and chooses where frames go: the handle they are written to.
HANDLE beginSession() {
    saved.input = GetStdHandle(STD_INPUT_HANDLE);
    saved.output = GetStdHandle(STD_OUTPUT_HANDLE);
    saved.inputIsConsole = GetConsoleMode(saved.input, &saved.inputMode) != FALSE;
    saved.outputIsConsole = GetConsoleMode(saved.output, &saved.outputMode) != FALSE;
    saved.inputCodePage = GetConsoleCP();
    saved.outputCodePage = GetConsoleOutputCP();
    const std::lock_guard<std::recursive_mutex> lock(sessionLock);
    SetConsoleCtrlHandler(onControl, TRUE);
    if (saved.inputIsConsole) {
        // Keys typed while the game draws stay queued for the next read; Ctrl-C
        // still stops the game; a change of the window's size is reported.
        // QuickEdit goes off, so a click does not hold the output in the middle
        // of a frame; it is turned off only where the console reported it (with
        // the extended flags), as only then can it be given back as it was.
        const DWORD kept = ENABLE_EXTENDED_FLAGS | ENABLE_INSERT_MODE;
        SetConsoleMode(saved.input, (saved.inputMode & kept) | ENABLE_PROCESSED_INPUT | ENABLE_WINDOW_INPUT);
    }
    if (saved.outputIsConsole) {
        GetConsoleScreenBufferInfo(saved.output, &saved.screen);
        GetConsoleCursorInfo(saved.output, &saved.cursor);
        saved.presentation = enterVirtualTerminal() ? Presentation::virtualTerminal
                             : enterOwnBuffer()     ? Presentation::screenBuffer
                                                    : Presentation::stream;
    }
    return drawsCells() ? saved.ownBuffer : saved.output;
}

// A cell holds one UTF-16 unit: a character beyond it shows as "?".
WCHAR unitOf(char32_t c) { return c < 0x10000 ? static_cast<WCHAR>(c) : L'?'; }
CHAR_INFO charInfo(WCHAR c, WORD attributes) { return {{c}, attributes}; }

// The frames of the screen model as the console shows them. Every drawing
// runs under the session's lock, and none after the console was given back.
struct ConsoleOutput {
    HANDLE handle = nullptr;
    FrameEncoder encoder;
    GlyphWidths glyphWidths;
    bool hangulInOneCell = false; // kept in one cell by the console, and shown wide
    bool framesHeld = false;      // a notice is shown: no frame until repaint()
    bool cellsKnown = false;      // the own buffer shows the last frame; else every row is drawn
    COORD cursor{-1, -1};
    int cursorShown = -1;

    void writeText(const std::string& utf8) {
        DWORD written = 0;
        if (saved.presentation == Presentation::virtualTerminal) {
            sendSequences(utf8);
        } else if (drawsCells()) {
            writeConsole(handle, files::wideText(utf8));
        } else if (!utf8.empty()) {
            WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
        }
    }

    // One row of the model as the console's cells. A two-cell glyph takes two
    // cells holding the same character, marked as its leading and trailing
    // halves, as a console that gives it two cells keeps it; on a console that
    // keeps it in one cell, the second holds a zero-width space so the terminal
    // behind it shows the glyph across both. A layout glyph the console draws
    // one cell wide is followed by its filler instead.
    void composeRow(const ScreenModel& model, int y, CHAR_INFO* out) const {
        for (int x = 0; x < model.columns(); ++x) {
            const Cell& c = model.at(x, y);
            const WORD attributes = static_cast<WORD>(c.isBlank() ? attrNormal : c.attribute);
            out[x] = charInfo(unitOf(c.glyph), attributes); // a right half holds a blank
            if (x + 1 == model.columns() || !model.at(x + 1, y).rightHalf) {
                continue;
            }
            ++x;
            if (glyphWidths.drawnNarrow(c.glyph)) {
                out[x] = charInfo(unitOf(fillerAfter(c.glyph)), attributes);
            } else if (c.glyph >= 0x10000) {
                out[x] = charInfo(L' ', attributes); // after the "?"
            } else if (hangulInOneCell && !isLayoutGlyph(c.glyph)) {
                out[x] = charInfo(0x200B, attributes); // a zero-width space
            } else {
                out[x - 1].Attributes |= COMMON_LVB_LEADING_BYTE;
                out[x] = charInfo(unitOf(c.glyph), attributes | COMMON_LVB_TRAILING_BYTE);
            }
        }
    }

    // The changed rows in one call, then the cursor and the bell.
    void presentCells(ScreenModel& model) {
        int first = -1;
        int last = -1;
        for (int y = 0; y < model.lines(); ++y) {
            if (!cellsKnown || model.rowChanged(y)) {
                first = first < 0 ? y : first;
                last = y;
            }
        }
        model.forgetChanges();
        cellsKnown = true;
        if (first >= 0) {
            const int columns = model.columns();
            std::vector<CHAR_INFO> cells(static_cast<std::size_t>((last - first + 1) * columns));
            for (int y = first; y <= last; ++y) {
                composeRow(model, y, &cells[static_cast<std::size_t>((y - first) * columns)]);
            }
            SMALL_RECT region{0, static_cast<SHORT>(first), static_cast<SHORT>(columns - 1), static_cast<SHORT>(last)};
            WriteConsoleOutputW(handle, cells.data(), cell(columns, last - first + 1), cell(0, 0), &region);
        }
        const int visible = model.cursorVisible() ? 1 : 0;
        if (visible != 0 && (model.cursorX() != cursor.X || model.cursorY() != cursor.Y)) {
            cursor = cell(model.cursorX(), model.cursorY());
            SetConsoleCursorPosition(handle, cursor);
        }
        if (cursorShown != visible) {
            const CONSOLE_CURSOR_INFO info{25, visible};
            SetConsoleCursorInfo(handle, &info);
            cursorShown = visible;
        }
        if (model.takeBell()) {
            writeText("\a");
        }
    }

    void present(ScreenModel& model) {
        if (!framesHeld) {
            whileSessionOn([&] { drawsCells() ? presentCells(model) : writeText(encoder.encode(model)); });
        }
    }

    // A screen that is not the table's (a notice); frames of the table are
    // held until repaint().
    void showNotice(ScreenModel screen) {
        repaint();
        present(screen);
        framesHeld = true;
    }

    // The next frame draws the whole model again.
    void repaint() {
        encoder.forget();
        cellsKnown = framesHeld = false;
        cursor = cell(-1, -1);
        cursorShown = -1;
    }

    // The cells the console gives a character, from where the cursor goes
    // when it is written at the start of the second line; wiped again.
    int cellsOf(char32_t c) {
        CONSOLE_SCREEN_BUFFER_INFO info;
        const WCHAR unit = unitOf(c);
        SetConsoleCursorPosition(handle, cell(0, 1));
        writeConsole(handle, {&unit, 1});
        const int cells = GetConsoleScreenBufferInfo(handle, &info) ? info.dwCursorPosition.X : -1;
        SetConsoleCursorPosition(handle, cell(0, 1));
        writeConsole(handle, L"  ");
        return cells;
    }

    // Each layout glyph on its own, as consoles draw the suits and symbols
    // one cell or two by the font, and a Hangul syllable.
    void measureCells() {
        whileSessionOn([this] {
            glyphWidths = measureGlyphWidths([this](char32_t glyph) { return cellsOf(glyph); });
            hangulInOneCell = cellsOf(U'가') == 1;
        });
        encoder.setGlyphWidths(glyphWidths);
        encoder.loseCursor();
        cursor = cell(-1, -1);
    }
};

ConsoleOutput output;
void flush() { output.present(screenModel()); }

void onWindowChange();
void onRepaintAsked();

// What a redirected standard input has: its next chunk, nothing at its end
// (of a file, or of a pipe its writer closed).
std::optional<std::string> readStream(int) {
    std::array<char, 4096> chunk;
    DWORD got = 0;
    if (!ReadFile(saved.input, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) || got == 0) {
        return std::nullopt;
    }
    return std::string(chunk.data(), got);
}
[[noreturn]] void stopOnControlC();

// Keys and typed lines from standard input. From the console: the key
// presses of its input records (key_records.h). From a redirected stream:
// its bytes, read as a terminal's are.
struct ConsoleInput {
    windows::KeyRecords records;
    KeyDecoder streamKeys{&readStream, [] { onRepaintAsked(); }};

    // The next press of the console's records, reading one more record when
    // none is left: nothing when that one holds no press.
    std::optional<windows::KeyPress> pressRead() {
        if (const auto press = records.next()) {
            return press;
        }
        INPUT_RECORD record;
        DWORD got = 0;
        if (!ReadConsoleInputW(saved.input, &record, 1, &got) || got == 0) {
            throw InputClosed();
        }
        if (record.EventType == WINDOW_BUFFER_SIZE_EVENT) {
            onWindowChange();
        }
        records.take(record);
        return records.next();
    }

    // The next press that means something: a character, a cursor key or a
    // function key; Ctrl-L has the screen drawn again and is read past.
    windows::KeyPress nextPress() {
        for (;;) {
            if (const auto press = pressRead()) {
                if (press->character == 0x03) {
                    stopOnControlC(); // Ctrl-C came as a key rather than as a signal
                }
                if (press->character != repaintKey) {
                    return *press;
                }
                onRepaintAsked();
            }
        }
    }

    int nextKey() {
        if (!saved.inputIsConsole) {
            return streamKeys.nextKey();
        }
        return nextPress().code(); // Enter's '\r' is keyEnter already
    }

    // Ctrl-Z is the console's own end of input.
    LineKey nextLineKey() {
        if (!saved.inputIsConsole) {
            return streamKeys.nextLineKey();
        }
        const windows::KeyPress press = nextPress();
        return press.character == 0x1A ? LineKey{LineKey::Kind::endOfInput} : lineKeyFor(press.character);
    }

    // A line of a redirected stream, with its '\n' (a CR before it dropped).
    std::string nextRawLine() {
        std::string line = streamKeys.nextLine();
        if (line.size() >= 2 && line[line.size() - 2] == '\r') {
            line.erase(line.size() - 2, 1);
        }
        return line;
    }

    // True when a key is pressed within the time; the key is taken. Always
    // false when the input is not a console.
    bool keyPressedWithin(int milliseconds) {
        if (!saved.inputIsConsole) {
            return false;
        }
        if (records.next()) {
            return true; // a held key's repeat
        }
        if (WaitForSingleObject(saved.input, static_cast<DWORD>(milliseconds)) != WAIT_OBJECT_0) {
            return false;
        }
        INPUT_RECORD record;
        DWORD got = 0;
        while (GetNumberOfConsoleInputEvents(saved.input, &got) && got > 0 &&
               ReadConsoleInputW(saved.input, &record, 1, &got)) {
            records.take(record);
            if (records.next()) {
                return true;
            }
        }
        return false;
    }
};

ConsoleInput input;

// At most columns × lines, and no larger than the screen can show where the
// console can tell.
COORD onScreen(int columns, int lines) {
    const COORD largest = GetLargestConsoleWindowSize(output.handle);
    return cell(largest.X > 0 ? std::min<int>(columns, largest.X) : columns,
                largest.Y > 0 ? std::min<int>(lines, largest.Y) : lines);
}

// The part of the console window that shows, in cells. A host that owns its
// window (a terminal running the console) may take any window size and still
// show only what fits on the screen.
COORD windowSize() {
    CONSOLE_SCREEN_BUFFER_INFO info;
    const SMALL_RECT& shown = info.srWindow;
    return GetConsoleScreenBufferInfo(output.handle, &info)
               ? onScreen(shown.Right - shown.Left + 1, shown.Bottom - shown.Top + 1)
               : cell(32767, 32767);
}

// The window of the game's own buffer from its top-left corner; never a
// window without a cell.
void setWindow(COORD size) {
    const SMALL_RECT window{0, 0, static_cast<SHORT>(std::max<int>(size.X, 1) - 1),
                            static_cast<SHORT>(std::max<int>(size.Y, 1) - 1)};
    SetConsoleWindowInfo(output.handle, TRUE, &window);
}

// Makes the game's own screen buffer columns × lines and its window as large
// as that or as the screen allows, in an order the console accepts: the
// window never gets larger than the buffer.
void setOwnBufferSize(int columns, int lines) {
    whileSessionOn([=] {
        const COORD now = windowSize();
        // Shrinking: the window first, so the buffer may follow it down.
        if (now.X > columns || now.Y > lines) {
            setWindow(cell(std::min<int>(now.X, columns), std::min<int>(now.Y, lines)));
        }
        // Growing: the buffer first, so the window has room to grow into.
        SetConsoleScreenBufferSize(output.handle, cell(columns, lines));
        setWindow(onScreen(columns, lines));
    });
}

// While the window is smaller than the model (a small screen, or a terminal
// that owns its window), shows a notice with both sizes and waits until the
// window grows or a key is pressed; then the whole model is drawn again.
void waitForWindow() {
    const ScreenModel& model = screenModel();
    COORD shown{0, 0};
    COORD now = windowSize();
    bool keyPressed = false;
    while (!keyPressed && (now.X < model.columns() || now.Y < model.lines())) {
        if (now.X != shown.X || now.Y != shown.Y) {
            output.encoder.setWindow(now.X, now.Y);
            output.showNotice(windowTooSmallNotice(model.columns(), model.lines(), now.X, now.Y));
            shown = now;
        }
        // A key: go on at whatever size there is. The window is looked at
        // again every quarter of a second.
        keyPressed = !saved.inputIsConsole || input.keyPressedWithin(250);
        now = windowSize();
    }
    output.encoder.setWindow(now.X, now.Y);
    if (shown.X != 0) {
        output.repaint();
    }
}

// Ctrl-L: the whole table drawn again at once, while the key wait goes on.
void onRepaintAsked() {
    output.repaint();
    flush();
}

// The window changed while a key was awaited: the notice while it is too
// small, then the whole table.
void onWindowChange() {
    if (onConsole()) {
        waitForWindow();
        onRepaintAsked();
    }
}

void endAtExit() {
    flush();
    endSession();
}

// Ctrl-C that reached a read as input rather than as a signal: the console
// is given back and the process ends as Ctrl-C ends it.
void stopOnControlC() {
    endSession();
    writeExitNote();
    ExitProcess(STATUS_CONTROL_C_EXIT);
}

} // namespace


// The Windows console always takes cursor addressing and UTF-16 text.
std::string consoleProblem() { return ""; }

// The narrow arguments are in the ANSI code page; the wide ones hold what was
// typed, whatever the code page.
std::vector<std::string> programArguments(int, char**) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        arguments.push_back(files::utf8Text(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

// On a console, the line in UTF-16, which shows whatever the console's code
// page; to a file or a pipe, UTF-8 bytes.
void writeErrorLine(std::string_view line) {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(error, &mode)) {
        writeConsole(error, files::wideText(std::string(line) + '\n'));
    } else {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
    }
}

void open() {
    output.handle = beginSession();
    std::atexit(endAtExit);
    if (onConsole()) {
        output.measureCells();
    }
}

void close() { endAtExit(); }

// The user's own buffer is not the game's to size: on the sequence path the
// window is asked for as a terminal is, which a console may grant or not;
// the notice shows while it is too small.
void resizeConsole(int columns, int lines) {
    screenModel().resize(columns, lines);
    flush();
    if (drawsCells()) {
        setOwnBufferSize(columns, lines);
    } else if (onConsole()) {
        const std::string request = "\x1b[8;" + std::to_string(lines) + ';' + std::to_string(columns) + 't';
        whileSessionOn([&] { output.writeText(request); });
    }
    if (onConsole()) {
        waitForWindow();
    }
}

int readKey() {
    flush();
    return input.nextKey();
}

bool backend::linesAreTyped() { return saved.inputIsConsole; }

LineKey backend::nextLineKey() {
    flush();
    return input.nextLineKey();
}

std::string backend::readRawLine() {
    flush();
    return input.nextRawLine();
}

void sleepMs(int milliseconds) {
    if (settings::framesHeld()) {
        return;
    }
    flush();
    const int pause = settings::pauseMs(milliseconds);
    if (pause > 0) {
        Sleep(static_cast<DWORD>(pause));
    }
}

} // namespace platform
