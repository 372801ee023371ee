#include "platform/frame_encoder.h"

#include "platform/narrow_glyphs.h"
#include "platform/text_width.h"

#include <algorithm>
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

bool FrameEncoder::unitDiffers(const ScreenModel& model, int x, int y, int cellsWide) {
    for (int i = 0; i < cellsWide; ++i) {
        if (!looksAlike(model.at(x + i, y), shownAt(x + i, y))) {
            return true;
        }
    }
    return false;
}

bool FrameEncoder::resend(const ScreenModel& model, int x, int y, std::string& out) {
    constexpr int longestResend = 4;
    if (!cursorKnown || cursorY != y || x <= cursorX || x - cursorX > longestResend) {
        return false;
    }
    std::string cells;
    for (int i = cursorX; i < x; ++i) {
        const Cell& c = model.at(i, y);
        if (unitWidth(model, i, y) != 1 || c.rightHalf || (!c.isBlank() && c.attribute != sgr)) {
            return false;
        }
        cells += encodeUtf8(c.glyph);
    }
    const std::size_t move = 3 + number(x + 1).size();
    if (cells.size() > move) {
        return false;
    }
    out += cells;
    cursorX = x;
    return true;
}

void FrameEncoder::moveTo(const ScreenModel& model, int x, int y, std::string& out) {
    if (cursorKnown && cursorX == x && cursorY == y) {
        return;
    }
    if (resend(model, x, y, out)) {
        return;
    }
    if (cursorKnown && cursorY == y) {
        out += "\x1b[" + number(x + 1) + "G";
    } else {
        out += "\x1b[" + number(y + 1) + ";" + number(x + 1) + "H";
    }
    cursorX = x;
    cursorY = y;
    cursorKnown = true;
}

void FrameEncoder::emitGlyph(const Cell& cell, std::string& out) {
    out += encodeUtf8(cell.glyph);
    if (glyphsNarrow && isLayoutGlyph(cell.glyph)) {
        out += fillerAfter(cell.glyph);
    }
}

void FrameEncoder::markShown(const ScreenModel& model, int x, int y, int cellsWide) {
    if (shownAt(x, y).rightHalf && x > 0) {
        shownAt(x - 1, y) = Cell{};
    }
    const int after = x + cellsWide;
    if (after < shown.columns && shownAt(after, y).rightHalf) {
        shownAt(after, y) = Cell{};
    }
    for (int i = 0; i < cellsWide; ++i) {
        shownAt(x + i, y) = model.at(x + i, y);
    }
}

void FrameEncoder::emitUnit(const ScreenModel& model, int x, int y, int cellsWide, std::string& out) {
    const Cell& cell = model.at(x, y);
    moveTo(model, x, y, out);
    if (!cell.isBlank()) {
        setSgr(cell.attribute, out);
    }
    emitGlyph(cell, out);
    markShown(model, x, y, cellsWide);
    cursorX += cellsWide;
    // A glyph that ends in the window's last column leaves the terminal
    // about to wrap: where its cursor then stands is its own business.
    if (cursorX >= windowColumns) {
        cursorKnown = false;
    }
}

void FrameEncoder::encodeRow(const ScreenModel& model, int y, std::string& out) {
    const int columns = std::min(model.columns(), windowColumns);
    for (int x = 0; x < columns;) {
        const int cellsWide = unitWidth(model, x, y);
        if (x + cellsWide > columns) {
            break; // a two-cell glyph cut by the window's edge stays unsent
        }
        if (unitDiffers(model, x, y, cellsWide)) {
            emitUnit(model, x, y, cellsWide, out);
        }
        x += cellsWide;
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
