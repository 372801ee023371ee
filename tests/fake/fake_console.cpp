#include "fake/fake_console.h"

#include "platform/backend.h"
#include "platform/console.h"
#include "platform/console_settings.h"
#include "platform/text_width.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <deque>

namespace {

// One cell, kept small and flat: clearing the grid happens 48 times a hand.
struct Cell {
    std::array<char, 4> bytes{' '};
    std::uint8_t length = 1; // 0 for the right half of a wide character
    std::uint8_t attribute = platform::attrNormal;

    bool isRightHalf() const { return length == 0; }
    std::string_view glyph() const { return {bytes.data(), length}; }
};

// Cells are changed where they stand: building a Cell and copying it in
// costs more than everything else the game does on this console.
void setBlank(Cell& cell) {
    cell.bytes[0] = ' ';
    cell.length = 1;
}

void setGlyph(Cell& cell, std::string_view glyph, int attribute) {
    cell.length = static_cast<std::uint8_t>(std::min(glyph.size(), cell.bytes.size()));
    std::memcpy(cell.bytes.data(), glyph.data(), cell.length);
    cell.attribute = static_cast<std::uint8_t>(attribute);
}

void setRightHalf(Cell& cell, int attribute) {
    cell.length = 0;
    cell.attribute = static_cast<std::uint8_t>(attribute);
}

using Grid = std::array<std::array<Cell, fake::columns>, fake::lines>;

const Grid& emptyGrid() {
    static const Grid empty = [] {
        Grid g;
        for (auto& r : g) {
            r.fill(Cell{});
        }
        return g;
    }();
    return empty;
}

struct Console {
    Grid grid = emptyGrid();
    // The rows written since the grid was last blank: clearing blanks only
    // these, and most of the 48 clears of a shuffle find one card's rows.
    std::uint64_t dirtyRows = 0;
    int x = 0;
    int y = 0;
    int attribute = platform::attrNormal;
    long long clock = 0;
    int clears = 0;
    int resizes = 0;
    int pauses = 0;
    int resizeColumns = 0;
    int resizeLines = 0;
    int refusedMoves = 0;
    int runOffs = 0;
    int scrolls = 0;
    bool drawing = true;
    std::deque<char> script;
    std::function<std::string(fake::Wait)> more;
};

// At namespace scope rather than inside console(), so that every cell
// written does not first check whether the console exists yet.
Console theConsole;

Console& console() { return theConsole; }

void blankGrid() {
    Console& c = console();
    for (int y = 0; y < fake::lines; ++y) {
        if ((c.dirtyRows >> y & 1U) != 0) {
            c.grid[static_cast<std::size_t>(y)] = emptyGrid()[static_cast<std::size_t>(y)];
        }
    }
    c.dirtyRows = 0;
}

void scrollUp() {
    ++console().scrolls;
    console().dirtyRows = ~std::uint64_t{0};
    auto& grid = console().grid;
    for (int r = 1; r < fake::lines; ++r) {
        grid[r - 1] = grid[r];
    }
    grid[fake::lines - 1].fill(Cell{});
}

void newLine() {
    Console& c = console();
    c.x = 0;
    if (++c.y >= fake::lines) {
        scrollUp();
        c.y = fake::lines - 1;
    }
}

// Writing over one half of a wide character blanks its other half, as a
// terminal does.
void breakWideAt(int x, int y) {
    auto& row = console().grid[y];
    if (row[x].isRightHalf() && x > 0) {
        setBlank(row[x - 1]);
    }
    if (x + 1 < fake::columns && row[x + 1].isRightHalf()) {
        setBlank(row[x + 1]);
    }
}

void put(std::string_view glyph, int width) {
    Console& c = console();
    if (width == 0) {
        return;
    }
    if (c.x + width > fake::columns) {
        ++c.runOffs;
        newLine();
    }
    c.dirtyRows |= std::uint64_t{1} << c.y;
    breakWideAt(c.x, c.y);
    if (width == 2) {
        breakWideAt(c.x + 1, c.y);
    }
    setGlyph(c.grid[c.y][c.x], glyph, c.attribute);
    if (width == 2) {
        setRightHalf(c.grid[c.y][c.x + 1], c.attribute);
    }
    c.x += width;
    if (c.x >= fake::columns) {
        ++c.runOffs;
        newLine();
    }
}

bool refill(fake::Wait wait) {
    Console& c = console();
    if (!c.more) {
        return false;
    }
    const std::string added = c.more(wait);
    c.script.insert(c.script.end(), added.begin(), added.end());
    return !added.empty();
}

char takeScript(fake::Wait wait) {
    Console& c = console();
    if (c.script.empty() && !refill(wait)) {
        throw platform::InputClosed();
    }
    const char byte = c.script.front();
    c.script.pop_front();
    return byte;
}

} // namespace

namespace platform {

void open() {}
void close() {}

void moveCursor(int x, int y) {
    if (x < 0 || y < 0 || x >= fake::columns || y >= fake::lines) {
        ++console().refusedMoves;
        return; // the console refuses a move off its grid
    }
    console().x = x;
    console().y = y;
}

void setAttribute(int attribute) { console().attribute = settings::shownAttribute(attribute); }

void write(std::string_view text) {
    if (!console().drawing) {
        return;
    }
    for (std::size_t at = 0; at < text.size();) {
        const CodePoint cp = decodeUtf8(text, at);
        if (cp.value == U'\n') {
            newLine();
        } else if (cp.value == 0xFFFD && cp.length == 1) {
            put("?", 1);
        } else {
            put(text.substr(at, cp.length), cellWidth(cp.value));
        }
        at += cp.length;
    }
}

void clearScreen() {
    blankGrid();
    console().x = 0;
    console().y = 0;
    ++console().clears;
}

void resizeConsole(int columns, int lines) {
    ++console().resizes;
    console().resizeColumns = columns;
    console().resizeLines = lines;
}

void pause() {
    ++console().pauses;
    write(backend::pausePrompt);
    readKey();
    write("\n");
}

int readKey() {
    const auto byte = static_cast<unsigned char>(takeScript(fake::Wait::Key));
    return byte == '\r' || byte == '\n' ? keyEnter : byte;
}

std::string backend::readTypedLine() {
    std::string line;
    for (;;) {
        char byte = 0;
        try {
            byte = takeScript(fake::Wait::Line);
        } catch (const InputClosed&) {
            if (line.empty()) {
                throw;
            }
            byte = '\n';
        }
        if (byte == '\n') {
            write(sanitizeTyped(line)); // the console echoes what was typed
            write("\n");
            return line + '\n';
        }
        line += byte;
    }
}

void sleepMs(int milliseconds) { console().clock += settings::pauseMs(milliseconds); }

} // namespace platform

namespace fake {

void reset() {
    Console& c = console();
    c = Console{};
    platform::backend::discardTypedInput();
}

void setDrawing(bool on) { console().drawing = on; }

void type(std::string_view bytes) { console().script.insert(console().script.end(), bytes.begin(), bytes.end()); }

void typeLine(std::string_view line) {
    type(line);
    type("\n");
}

void pressKey(int code) { console().script.push_back(static_cast<char>(code)); }

void whenScriptRunsOut(std::function<std::string(Wait)> more) { console().more = std::move(more); }

std::string row(int y) { return text(0, y, columns); }

std::string text(int x, int y, int cells) {
    std::string out;
    for (int i = x; i < x + cells && i < columns; ++i) {
        out += console().grid[y][i].glyph();
    }
    return out;
}

std::string cell(int x, int y) { return std::string(console().grid[y][x].glyph()); }

int attributeAt(int x, int y) { return console().grid[y][x].attribute; }

bool anyAttribute(int x, int y, int width, int height, int attribute) {
    for (int r = y; r < y + height; ++r) {
        for (int i = x; i < x + width; ++i) {
            if (console().grid[r][i].attribute == attribute) {
                return true;
            }
        }
    }
    return false;
}

int cursorX() { return console().x; }
int cursorY() { return console().y; }
int currentAttribute() { return console().attribute; }
long long clockMs() { return console().clock; }
int clearCount() { return console().clears; }
int resizeCount() { return console().resizes; }
int pauseCount() { return console().pauses; }
int lastResizeColumns() { return console().resizeColumns; }
int lastResizeLines() { return console().resizeLines; }
int refusedMoves() { return console().refusedMoves; }
int runOffs() { return console().runOffs; }
int scrolls() { return console().scrolls; }
std::size_t scriptLeft() { return console().script.size(); }

std::string dump() {
    std::string out;
    for (int y = 0; y < lines; ++y) {
        out += row(y) + "\n";
    }
    return out;
}

} // namespace fake
