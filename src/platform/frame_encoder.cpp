#include "platform/frame_encoder.h"

#include "platform/narrow_glyphs.h"
#include "platform/text_width.h"

#include <algorithm>
#include <climits>
#include <string_view>

namespace platform {

namespace {

constexpr char beginUpdate[] = "\x1b[?2026h";
constexpr char endUpdate[] = "\x1b[?2026l";

// Two cells that look the same on the screen: blanks show no colour.
bool looksAlike(const Cell& a, const Cell& b) { return a == b || (a.isBlank() && b.isBlank()); }

int unitWidth(const ScreenModel& model, int x, int y) {
    return x + 1 < model.columns() && model.at(x + 1, y).rightHalf ? 2 : 1;
}

std::string number(int n) { return std::to_string(n); }

} // namespace

void FrameEncoder::setWindow(int columns, int lines) {
    windowColumns = std::max(columns, 0);
    windowLines = std::max(lines, 0);
}

void FrameEncoder::forget() {
    screenKnown = false;
    cursorKnown = false;
    sgr = -1;
    cursorVisible = -1;
}

void FrameEncoder::setSgr(int attribute, std::string& out) {
    if (sgr == attribute) {
        return;
    }
    out += attribute == attrRed ? "\x1b[91m" : "\x1b[0m";
    sgr = attribute;
}

Cell FrameEncoder::terminalCell(const ScreenModel& model, int x, int y) const {
    const Cell& cell = model.at(x, y);
    if (glyphsNarrow && cell.rightHalf && x > 0 && isLayoutGlyph(model.at(x - 1, y).glyph)) {
        // The terminal keeps the filler as a character of its own.
        return Cell{fillerAfter(model.at(x - 1, y).glyph), cell.attribute, false};
    }
    return cell;
}

bool FrameEncoder::unitDiffers(int x, int y, int cellsWide) {
    for (int i = 0; i < cellsWide; ++i) {
        if (!looksAlike(wanted[static_cast<std::size_t>(x + i)], shownAt(x + i, y))) {
            return true;
        }
    }
    return false;
}

std::string FrameEncoder::cheapestMove(int x, int y) const {
    const std::string absolute = "\x1b[" + number(y + 1) + ";" + number(x + 1) + "H";
    if (!cursorKnown) {
        return absolute;
    }
    const auto steps = [](int n, char final) { return "\x1b[" + (n == 1 ? "" : number(n)) + final; };
    std::string vertical;
    if (y != cursorY) {
        vertical = y > cursorY ? steps(y - cursorY, 'B') : steps(cursorY - y, 'A');
    }
    std::string horizontal;
    if (x != cursorX) {
        horizontal = "\x1b[" + number(x + 1) + "G";
        const std::string relative = x > cursorX ? steps(x - cursorX, 'C') : steps(cursorX - x, 'D');
        horizontal = x == 0 ? "\r" : relative.size() < horizontal.size() ? relative : horizontal;
    }
    const std::string relative = vertical + horizontal;
    return relative.size() < absolute.size() ? relative : absolute;
}

bool FrameEncoder::resend(const ScreenModel& model, int x, int y, std::size_t budget, std::string& out) {
    if (!cursorKnown || cursorY != y || x <= cursorX) {
        return false;
    }
    std::string cells;
    for (int i = cursorX; i < x;) {
        const Cell& c = model.at(i, y);
        if (c.rightHalf || (!c.isBlank() && c.attribute != sgr)) {
            return false;
        }
        emitGlyph(c, cells);
        if (cells.size() > budget) {
            return false;
        }
        i += unitWidth(model, i, y);
    }
    out += cells;
    cursorX = x;
    return true;
}

void FrameEncoder::moveTo(const ScreenModel& model, int x, int y, std::string& out) {
    if (cursorKnown && cursorX == x && cursorY == y) {
        return;
    }
    const std::string move = cheapestMove(x, y);
    // The cells up to the place may be cheaper to send again than a move.
    if (resend(model, x, y, move.size(), out)) {
        return;
    }
    out += move;
    cursorX = x;
    cursorY = y;
    cursorKnown = true;
}

void FrameEncoder::emitGlyph(const Cell& cell, std::string& out) {
    out += encodeUtf8(cell.glyph);
    if (glyphsNarrow && isLayoutGlyph(cell.glyph)) {
        out += encodeUtf8(fillerAfter(cell.glyph));
    }
}

void FrameEncoder::markShown(int x, int y, int cellsWide) {
    if (shownAt(x, y).rightHalf && x > 0) {
        shownAt(x - 1, y) = Cell{};
    }
    const int after = x + cellsWide;
    if (after < shown.columns && shownAt(after, y).rightHalf) {
        shownAt(after, y) = Cell{};
    }
    for (int i = 0; i < cellsWide; ++i) {
        shownAt(x + i, y) = wanted[static_cast<std::size_t>(x + i)];
    }
}

void FrameEncoder::emitUnit(const ScreenModel& model, int x, int y, int cellsWide, std::string& out) {
    const Cell& cell = model.at(x, y);
    moveTo(model, x, y, out);
    if (!cell.isBlank()) {
        setSgr(cell.attribute, out);
    }
    emitGlyph(cell, out);
    markShown(x, y, cellsWide);
    cursorX += cellsWide;
    // A glyph that ends in the window's last column leaves the terminal
    // about to wrap: where its cursor then stands is its own business.
    if (cursorX >= windowColumns) {
        cursorKnown = false;
    }
}

namespace {

// How far a block may have moved sideways for the row to be shifted rather
// than drawn again, and the bytes of the sequence that shifts it.
constexpr int longestShift = 8;
constexpr int bytesOfAShift = 4;
// Rows that cost fewer bytes than this are not worth looking at for a shift.
constexpr int shortestWorthShifting = 24;

int utf8Length(char32_t c) { return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4; }

// The column the cell at x shows once the row is shifted `by` cells from
// column `from` on; -1 for a cell the shift leaves blank.
int shiftSource(int x, int from, int by, int columns) {
    const int source = x - by;
    const bool inserted = by > 0 ? x < from + by : source >= columns;
    return inserted ? -1 : source;
}

} // namespace

int FrameEncoder::bytesAfterShift(int y, int from, int by, int columns, int enough) {
    constexpr int bytesOfAMove = 5;
    const Cell blank{};
    int bytes = 0;
    bool inRun = false;
    for (int x = from; x < columns && bytes < enough; ++x) {
        const int source = shiftSource(x, from, by, columns);
        const Cell& now = wanted[static_cast<std::size_t>(x)];
        if (looksAlike(now, source < 0 ? blank : shownAt(source, y))) {
            inRun = false;
            continue;
        }
        bytes += inRun ? 0 : bytesOfAMove;
        inRun = true;
        if (!now.rightHalf) {
            bytes += utf8Length(now.glyph);
        }
    }
    return bytes;
}

void FrameEncoder::shiftShown(int y, int from, int by, int columns) {
    const auto begin = shown.cells.begin() + y * shown.columns;
    const std::vector<Cell> row(begin, begin + columns);
    for (int x = from; x < columns; ++x) {
        const int source = shiftSource(x, from, by, columns);
        shownAt(x, y) = source < 0 ? Cell{} : row[static_cast<std::size_t>(source)];
    }
    // The right half of a two-cell glyph whose left half was deleted shows
    // blank.
    if (shownAt(from, y).rightHalf) {
        shownAt(from, y) = Cell{};
    }
}

void FrameEncoder::shiftRow(const ScreenModel& model, int y, int columns, std::string& out) {
    int from = 0;
    while (from < columns && looksAlike(wanted[static_cast<std::size_t>(from)], shownAt(from, y))) {
        ++from;
    }
    if (from == columns || shownAt(from, y).rightHalf || model.at(from, y).rightHalf) {
        return;
    }
    bool restBlank = true;
    for (int x = from; x < columns && restBlank; ++x) {
        restBlank = model.at(x, y).isBlank();
    }
    if (restBlank) {
        return; // erasing it is cheaper still
    }
    int best = 0;
    int fewest = bytesAfterShift(y, from, 0, columns, INT_MAX) - bytesOfAShift;
    if (fewest < shortestWorthShifting) {
        return; // a few cells: sending them is as cheap as any shift
    }
    // The shortest shifts first: of two that save as much, the shorter.
    for (int distance = 1; distance <= longestShift; ++distance) {
        for (const int by : {distance, -distance}) {
            // Cells pushed off the end must be blank: a wider window would
            // show them past the table.
            bool pushesText = false;
            for (int x = columns - std::max(by, 0); x < columns; ++x) {
                pushesText = pushesText || !shownAt(x, y).isBlank();
            }
            const int bytes = pushesText ? fewest : bytesAfterShift(y, from, by, columns, fewest);
            if (bytes < fewest) {
                fewest = bytes;
                best = by;
            }
        }
    }
    if (best == 0) {
        return;
    }
    moveTo(model, from, y, out);
    out += "\x1b[" + number(best > 0 ? best : -best) + (best > 0 ? "@" : "P");
    shiftShown(y, from, best, columns);
}

void FrameEncoder::encodeRow(const ScreenModel& model, int y, std::string& out) {
    const int columns = std::min(model.columns(), windowColumns);
    wanted.resize(static_cast<std::size_t>(model.columns()));
    for (int x = 0; x < columns; ++x) {
        wanted[static_cast<std::size_t>(x)] = terminalCell(model, x, y);
    }
    if (windowColumns >= model.columns()) {
        shiftRow(model, y, columns, out);
    }
    for (int x = 0; x < columns;) {
        const int cellsWide = unitWidth(model, x, y);
        if (x + cellsWide > columns) {
            break; // a two-cell glyph cut by the window's edge stays unsent
        }
        if (!unitDiffers(x, y, cellsWide)) {
            x += cellsWide;
        } else if (const int erased = eraseBlankRun(model, x, y, columns, out)) {
            x += erased;
        } else {
            emitUnit(model, x, y, cellsWide, out);
            x += cellsWide;
        }
    }
}

int FrameEncoder::eraseBlankRun(const ScreenModel& model, int x, int y, int columns, std::string& out) {
    // Fewer blanks than this are cheaper sent as blanks.
    constexpr int shortestErase = 8;
    int end = x;
    while (end < columns && model.at(end, y).isBlank()) {
        ++end;
    }
    const bool toTheEdge = end == columns && windowColumns <= model.columns();
    if (end - x < shortestErase && !(toTheEdge && end > x + 3)) {
        return 0;
    }
    moveTo(model, x, y, out);
    // Erasing leaves the cursor where it is; so does a line's end.
    out += toTheEdge ? "\x1b[K" : "\x1b[" + number(end - x) + "X";
    for (int i = x; i < end; ++i) {
        shownAt(i, y) = Cell{};
    }
    if (end < shown.columns && shownAt(end, y).rightHalf) {
        shownAt(end, y) = Cell{}; // its left half was erased
    }
    return end - x;
}

void FrameEncoder::placeCursor(const ScreenModel& model, std::string& out) {
    const bool inside = model.cursorX() < std::min(model.columns(), windowColumns) &&
                        model.cursorY() < std::min(model.lines(), windowLines);
    const bool visible = model.cursorVisible() && inside;
    if (visible) {
        moveTo(model, model.cursorX(), model.cursorY(), out);
    }
    if (cursorVisible != static_cast<int>(visible)) {
        out += visible ? "\x1b[?25h" : "\x1b[?25l";
        cursorVisible = visible ? 1 : 0;
    }
}

std::string FrameEncoder::encode(ScreenModel& model) {
    std::string out;
    if (shown.columns != model.columns() || shown.lines != model.lines()) {
        shown = {model.columns(), model.lines(), {}};
        screenKnown = false;
    }
    const bool everyRow = !screenKnown;
    if (!screenKnown) {
        shown.cells.assign(static_cast<std::size_t>(shown.columns) * static_cast<std::size_t>(shown.lines), Cell{});
        setSgr(attrNormal, out);
        out += "\x1b[2J";
        screenKnown = true;
    }
    const int lines = std::min(model.lines(), windowLines);
    for (int y = 0; y < lines; ++y) {
        if (everyRow || model.rowChanged(y)) {
            encodeRow(model, y, out);
        }
    }
    model.forgetChanges();
    placeCursor(model, out);
    if (model.takeBell()) {
        out += '\a';
    }
    if (out.empty()) {
        return out;
    }
    return beginUpdate + out + endUpdate;
}

std::string FrameEncoder::notice(const std::vector<std::string>& lines) {
    forget();
    std::string out = "\x1b[0m\x1b[2J";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += "\x1b[" + number(static_cast<int>(i) + 1) + ";1H" + lines[i];
    }
    return out;
}

} // namespace platform
