#include "platform/windows/console_windows.h"

#include "platform/text_width.h"

#include <algorithm>

namespace platform::windows {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the console's wide text is UTF-16");

COORD cell(int x, int y) { return COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}; }

int cursorColumn(HANDLE out) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    return GetConsoleScreenBufferInfo(out, &info) ? info.dwCursorPosition.X : -1;
}

// A cell holds one UTF-16 unit: a character beyond it shows as "?".
WCHAR unitOf(char32_t c) { return c < 0x10000 ? static_cast<WCHAR>(c) : L'?'; }

CHAR_INFO charInfo(WCHAR c, WORD attributes) {
    CHAR_INFO info{};
    info.Char.UnicodeChar = c;
    info.Attributes = attributes;
    return info;
}

// A character that joins the one before it: the second cell of a syllable
// on a console that keeps Hangul in one cell.
constexpr WCHAR zeroWidthSpace = 0x200B;

// One row of the model as the console's cells. A two-cell glyph takes two
// cells holding the same character, marked as its leading and trailing
// halves, as a console that gives it two cells keeps it; on a console that
// keeps it in one cell, the second holds a zero-width space so the terminal
// behind it shows the glyph across both. A layout glyph the console draws
// one cell wide is followed by its filler instead.
void composeRow(const ScreenModel& model, int y, bool glyphsNarrow, bool hangulInOneCell, CHAR_INFO* out) {
    for (int x = 0; x < model.columns(); ++x) {
        const Cell& c = model.at(x, y);
        const WORD attributes = static_cast<WORD>(c.isBlank() ? attrNormal : c.attribute);
        const bool wide = x + 1 < model.columns() && model.at(x + 1, y).rightHalf;
        if (!wide) {
            out[x] = charInfo(c.rightHalf ? L' ' : unitOf(c.glyph), attributes);
        } else if (glyphsNarrow && isLayoutGlyph(c.glyph)) {
            out[x] = charInfo(unitOf(c.glyph), attributes);
            out[x + 1] = charInfo(unitOf(fillerAfter(c.glyph)), attributes);
            ++x;
        } else if (c.glyph >= 0x10000) {
            out[x] = charInfo(L'?', attributes);
            out[x + 1] = charInfo(L' ', attributes);
            ++x;
        } else if (hangulInOneCell && !isLayoutGlyph(c.glyph)) {
            out[x] = charInfo(unitOf(c.glyph), attributes);
            out[x + 1] = charInfo(zeroWidthSpace, attributes);
            ++x;
        } else {
            out[x] = charInfo(unitOf(c.glyph), attributes | COMMON_LVB_LEADING_BYTE);
            out[x + 1] = charInfo(unitOf(c.glyph), attributes | COMMON_LVB_TRAILING_BYTE);
            ++x;
        }
    }
}

} // namespace

void ConsoleOutput::attach(void* outputHandle, Presentation how) {
    handle = outputHandle;
    presentation = how;
}

void ConsoleOutput::writeText(const std::string& utf8) {
    if (utf8.empty()) {
        return;
    }
    DWORD written = 0;
    if (presentation == Presentation::stream) {
        WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
        return;
    }
    const std::u16string text = utf16FromUtf8(utf8);
    for (std::size_t at = 0; at < text.size(); at += written) {
        const auto* units = reinterpret_cast<const wchar_t*>(text.data() + at);
        if (!WriteConsoleW(handle, units, static_cast<DWORD>(text.size() - at), &written, nullptr) || written == 0) {
            return; // the console is gone
        }
    }
}

void ConsoleOutput::placeCursor(const ScreenModel& model) {
    const bool visible = model.cursorVisible();
    if (visible && (model.cursorX() != cursorX || model.cursorY() != cursorY)) {
        SetConsoleCursorPosition(handle, cell(model.cursorX(), model.cursorY()));
        cursorX = model.cursorX();
        cursorY = model.cursorY();
    }
    if (cursorShown != static_cast<int>(visible)) {
        CONSOLE_CURSOR_INFO info{25, visible ? TRUE : FALSE};
        SetConsoleCursorInfo(handle, &info);
        cursorShown = visible ? 1 : 0;
    }
}

void ConsoleOutput::presentCells(ScreenModel& model) {
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
            composeRow(model, y, glyphsNarrow, hangulInOneCell, &cells[static_cast<std::size_t>((y - first) * columns)]);
        }
        SMALL_RECT region{0, static_cast<SHORT>(first), static_cast<SHORT>(columns - 1), static_cast<SHORT>(last)};
        WriteConsoleOutputW(handle, cells.data(), cell(columns, last - first + 1), cell(0, 0), &region);
    }
    placeCursor(model);
    if (model.takeBell()) {
        writeText("\a");
    }
}

void ConsoleOutput::present(ScreenModel& model) {
    if (framesHeld) {
        return;
    }
    whileSessionOn([&] {
        if (presentation == Presentation::screenBuffer) {
            presentCells(model);
        } else {
            writeText(encoder.encode(model));
        }
    });
}

void ConsoleOutput::showNotice(const ScreenModel& model, const std::vector<std::string>& lines) {
    whileSessionOn([&] {
        if (presentation == Presentation::screenBuffer) {
            ScreenModel notice(model.columns(), model.lines());
            for (std::size_t i = 0; i < lines.size(); ++i) {
                notice.moveCursor(0, static_cast<int>(i));
                notice.write(lines[i]);
            }
            cellsKnown = false;
            presentCells(notice);
            cellsKnown = false;
        } else {
            writeText(encoder.notice(lines));
        }
    });
    framesHeld = true;
}

void ConsoleOutput::repaint() {
    encoder.forget();
    cellsKnown = false;
    cursorX = cursorY = cursorShown = -1;
    framesHeld = false;
}

int ConsoleOutput::cellsOf(const wchar_t* text) {
    SetConsoleCursorPosition(handle, cell(0, 1));
    DWORD written = 0;
    WriteConsoleW(handle, text, 1, &written, nullptr);
    const int cells = cursorColumn(handle);
    SetConsoleCursorPosition(handle, cell(0, 1));
    WriteConsoleW(handle, L"  ", 2, &written, nullptr);
    return cells;
}

void ConsoleOutput::measureCells() {
    whileSessionOn([this] {
        glyphsNarrow = cellsOf(L"\u250C") != 2;
        hangulInOneCell = cellsOf(L"\uAC00") == 1;
    });
    encoder.setGlyphsNarrow(glyphsNarrow);
    encoder.loseCursor();
    cursorX = cursorY = -1;
}

} // namespace platform::windows
