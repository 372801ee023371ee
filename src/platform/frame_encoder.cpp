#include "platform/frame_encoder.h"

#include "platform/text_width.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace platform {

namespace {

constexpr char beginUpdate[] = "\x1b[?2026h";
constexpr char endUpdate[] = "\x1b[?2026l";

// The cell's bytes as one number: equal cells compare in one step.
inline std::uint64_t bitsOf(const Cell& c) {
    std::uint64_t bits;
    std::memcpy(&bits, &c, sizeof bits);
    return bits;
}

// Two cells that look the same on the screen: blanks show no colour.
inline bool looksAlike(const Cell& a, const Cell& b) {
    return bitsOf(a) == bitsOf(b) || (a.isBlank() && b.isBlank());
}

int digits(int n) { return n < 10 ? 1 : n < 100 ? 2 : n < 1000 ? 3 : n < 10000 ? 4 : 5; }

void appendNumber(int n, std::string& out) {
    char text[12];
    out.append(text, std::to_chars(text, text + sizeof text, n).ptr);
}

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

void FrameEncoder::appendMove(int x, int y, std::string& out) const {
    const std::size_t start = out.size();
    const int absoluteSize = 4 + digits(y + 1) + digits(x + 1);
    if (cursorKnown) {
        const auto step = [&](int n, char final) {
            out += "\x1b[";
            if (n != 1) {
                appendNumber(n, out);
            }
            out += final;
        };
        if (y != cursorY) {
            step(y > cursorY ? y - cursorY : cursorY - y, y > cursorY ? 'B' : 'A');
        }
        const int cells = x > cursorX ? x - cursorX : cursorX - x;
        if (x == 0 && cursorX != 0) {
            out += '\r';
        } else if (x != cursorX && (cells == 1 ? 0 : digits(cells)) < digits(x + 1)) {
            step(cells, x > cursorX ? 'C' : 'D');
        } else if (x != cursorX) {
            out += "\x1b[";
            appendNumber(x + 1, out);
            out += 'G';
        }
        if (static_cast<int>(out.size() - start) < absoluteSize) {
            return;
        }
        out.resize(start);
    }
    out += "\x1b[";
    appendNumber(y + 1, out);
    out += ';';
    appendNumber(x + 1, out);
    out += 'H';
}

void FrameEncoder::moveTo(const ScreenModel& model, int x, int y, std::string& out) {
    const Cell* row = &model.at(0, y);
    // A gap of a few blanks is cheaper sent as blanks than moved over.
    if (cursorKnown && cursorY == y && x > cursorX && x - cursorX <= 3 &&
        std::all_of(row + cursorX, row + x, [](const Cell& c) { return c.isBlank(); })) {
        out.append(static_cast<std::size_t>(x - cursorX), ' ');
    } else if (!cursorKnown || cursorX != x || cursorY != y) {
        appendMove(x, y, out);
    }
    cursorX = x;
    cursorY = y;
    cursorKnown = true;
}

void FrameEncoder::emitUnit(const ScreenModel& model, int x, int y, int cellsWide, std::string& out) {
    const Cell* cell = &model.at(x, y);
    moveTo(model, x, y, out);
    if (!cell->isBlank()) {
        setSgr(cell->attribute, out);
    }
    appendUtf8(cell->glyph, out);
    if (glyphWidths.drawnNarrow(cell->glyph)) {
        appendUtf8(fillerAfter(cell->glyph), out); // a glyph drawn one cell wide gets its filler
    }
    std::copy(cell, cell + cellsWide, &shownAt(x, y));
    cursorX += cellsWide;
    // A glyph that ends in the window's last column leaves the terminal
    // about to wrap: where its cursor then stands is its own business.
    if (cursorX >= windowColumns) {
        cursorKnown = false;
    }
}

int FrameEncoder::eraseBlankRun(const ScreenModel& model, int x, int y, int columns, std::string& out) {
    // Fewer blanks than this are cheaper sent as blanks.
    constexpr int shortestErase = 8;
    const Cell* row = &model.at(0, y);
    int end = x;
    while (end < columns && row[end].isBlank()) {
        ++end;
    }
    const bool toTheEdge = end == columns && windowColumns <= model.columns();
    if (end - x < shortestErase && !(toTheEdge && end > x + 3)) {
        shortBlanksEnd = end;
        return 0;
    }
    moveTo(model, x, y, out);
    // Erasing leaves the cursor where it is; so does a line's end.
    if (toTheEdge) {
        out += "\x1b[K";
    } else {
        out += "\x1b[";
        appendNumber(end - x, out);
        out += 'X';
    }
    std::fill(&shownAt(x, y), &shownAt(x, y) + (end - x), Cell{});
    return end - x;
}

int FrameEncoder::cellsSpared(const ScreenModel& model, int from, int y, int columns, int by) {
    const Cell* now = &model.at(0, y);
    const Cell* was = &shownAt(0, y);
    // Cells pushed off the end must be blank: a wider window would show
    // them past the table.
    for (int x = columns - std::max(by, 0); x < columns; ++x) {
        if (!was[x].isBlank()) {
            return 0;
        }
    }
    const Cell blank{};
    int spared = 0;
    for (int x = from; x < columns; ++x) {
        // Blanks cost nothing either way; a glyph past ASCII about 3 bytes.
        if (now[x].isBlank() || now[x].rightHalf) {
            continue;
        }
        const int bytes = now[x].glyph < 0x80 ? 1 : 3;
        const int source = x - by;
        const Cell& shifted = source < from || source >= columns ? blank : was[source];
        spared += bitsOf(now[x]) == bitsOf(shifted) ? bytes : 0;
        spared -= bitsOf(now[x]) == bitsOf(was[x]) ? bytes : 0;
    }
    return spared;
}

void FrameEncoder::shiftRow(const ScreenModel& model, int from, int y, int columns, std::string& out) {
    constexpr int longestShift = 8;
    // The cells of what was shown that are looked for in the model.
    constexpr int probe = 6;
    // A shift and its move take about 8 bytes: it must spare sending more
    // than that.
    constexpr int fewestSpared = 8;
    const Cell* now = &model.at(0, y);
    Cell* was = &shownAt(0, y);
    if (windowColumns < model.columns() || now[from].rightHalf || was[from].rightHalf) {
        return;
    }
    // The first thing shown on the rest of the row, looked for a few cells
    // to either side in the model.
    int stood = from;
    while (stood < columns && was[stood].isBlank()) {
        ++stood;
    }
    // The shortest distance it is found at is weighed.
    // A probe that repeats itself within two cells (an edge, a card's back)
    // tells no distance.
    if (stood + probe > columns || std::equal(was + stood, was + stood + probe - 2, was + stood + 2)) {
        return;
    }
    int best = 0;
    for (int distance = 1; distance <= longestShift && best == 0 && stood + probe + longestShift <= columns;
         ++distance) {
        for (const int by : {distance, -distance}) {
            if (best == 0 && stood + by >= from && std::equal(was + stood, was + stood + probe, now + stood + by)) {
                best = by;
            }
        }
    }
    if (best == 0 || cellsSpared(model, from, y, columns, best) < fewestSpared) {
        return;
    }
    moveTo(model, from, y, out);
    out += "\x1b[";
    appendNumber(best > 0 ? best : -best, out);
    out += best > 0 ? '@' : 'P';
    if (best > 0) {
        std::copy_backward(was + from, was + columns - best, was + columns);
        std::fill(was + from, was + from + best, Cell{});
    } else {
        std::copy(was + from - best, was + columns, was + from);
        std::fill(was + columns + best, was + columns, Cell{});
    }
}

void FrameEncoder::encodeRow(const ScreenModel& model, int y, std::string& out) {
    const int columns = std::min(model.columns(), windowColumns);
    const Cell* now = &model.at(0, y);
    const Cell* was = &shownAt(0, y);
    if (std::memcmp(now, was, static_cast<std::size_t>(columns) * sizeof(Cell)) == 0) {
        return; // drawn again as it was
    }
    bool shiftWeighed = false;
    shortBlanksEnd = 0;
    for (int x = 0; x < columns;) {
        while (x < columns && bitsOf(now[x]) == bitsOf(was[x])) {
            ++x;
        }
        if (x == columns) {
            break;
        }
        if (looksAlike(now[x], was[x])) {
            ++x;
            continue;
        }
        if (now[x].rightHalf) {
            --x; // the unit starts with the glyph's left half
        }
        if (!shiftWeighed) {
            shiftWeighed = true;
            shiftRow(model, x, y, columns, out);
            continue;
        }
        const int cellsWide = x + 1 < model.columns() && now[x + 1].rightHalf ? 2 : 1;
        if (x + cellsWide > columns) {
            break; // a two-cell glyph cut by the window's edge stays unsent
        }
        // A run of blanks too short to erase is looked at once.
        if (const int erased = x < shortBlanksEnd ? 0 : eraseBlankRun(model, x, y, columns, out)) {
            x += erased;
        } else {
            emitUnit(model, x, y, cellsWide, out);
            x += cellsWide;
        }
    }
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

// A two-cell glyph cut in half on the terminal (overwritten, erased or
// shifted) is never left recorded as shown: the model's own cell there,
// which the model blanked or rewrote as it, differs from the half, and
// the cell is sent again in the same row.
std::string FrameEncoder::encode(ScreenModel& model) {
    std::string out;
    out.reserve(4096);
    out += beginUpdate;
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
    if (out.size() == sizeof beginUpdate - 1) {
        return "";
    }
    return out += endUpdate;
}

ScreenModel windowTooSmallNotice(int neededColumns, int neededLines, int nowColumns, int nowLines) {
    const auto size = [](int columns, int lines) { return std::to_string(columns) + "×" + std::to_string(lines); };
    ScreenModel notice(neededColumns, neededLines);
    // Short lines, as the window may be narrow: what passes its edge is not shown.
    notice.write("창이 작습니다.\n필요한 크기 " + size(neededColumns, neededLines) + "\n지금 " +
                 size(nowColumns, nowLines) + "\n창을 키우거나\n아무 키나 누르십시오.");
    return notice;
}

} // namespace platform
