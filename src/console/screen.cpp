#include "console/screen.h"

#include "platform/console.h"
#include "platform/text_width.h"

#include <algorithm>
#include <cstddef>

namespace screen {

bool gotoXY(int x, int y) {
    platform::moveCursor(x, y);
    return x >= 0 && y >= 0;
}

namespace {

// The glyph of the frame at row i, column j: corners win over edges, and the
// top and bottom edges over the sides, in this order.
const char* frameGlyph(int i, int j, int width, int height) {
    if (j == 0 && i == 0) {
        return "┌";
    }
    if (i == 0 && j == width - 1) {
        return "┐";
    }
    if (j == 0 && i == height - 1) {
        return "└";
    }
    if (j == width - 1 && i == height - 1) {
        return "┘";
    }
    if (i == 0 || i == height - 1) {
        return "─";
    }
    if (j == 0 || j == width - 1) {
        return "│";
    }
    return "  ";
}

std::string repeated(const char* piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

} // namespace

void drawFrame(int width, int height) {
    for (int i = 0; i < height; ++i) {
        std::string line;
        for (int j = 0; j < width; ++j) {
            line += frameGlyph(i, j, width, height);
        }
        platform::write(line + "\n");
    }
}

int centredStart(int cells, int x) {
    const int half = cells / 2;
    return x > half ? x - half : x;
}

void printCentered(const std::string& text, int x, int y) { printCenteredWithin(text, x, y, wholeLine); }

int centredStartWithin(int cells, int x, Span within) {
    // A text that has to move keeps a blank cell between it and the box it
    // moved away from, when the span has room for one.
    constexpr int gap = 1;
    const int start = centredStart(cells, x);
    if (start + cells > within.to) {
        return std::max(within.to - cells - gap, within.from);
    }
    if (start < within.from) {
        return std::min(within.from + gap, std::max(within.to - cells, within.from));
    }
    return start;
}

void printCenteredWithin(const std::string& text, int x, int y, Span within) {
    gotoXY(centredStartWithin(platform::cellWidth(text), x, within), y);
    platform::write(text);
}

void printAt(const std::string& text, int col, int y) {
    gotoXY(2 * col, y);
    platform::write(text);
}

void eraseAt(int col, int y) { printAt("  ", col, y); }

std::string blanksFor(const std::string& text, int factor) {
    const int count = platform::cellWidth(text) * factor;
    return std::string(count > 0 ? static_cast<std::size_t>(count) : 0, ' ');
}

void drawBox(int x, int y, int width, int height, bool keepInside) {
    const std::string edge = repeated("─", width - 2);
    for (int i = y; i < y + height; ++i) {
        gotoXY(x, i);
        if (i == y) {
            platform::write("┌" + edge + "┐");
        } else if (i == y + height - 1) {
            platform::write("└" + edge + "┘");
        } else {
            platform::write(keepInside ? "│" : "│" + repeated("▩", width - 2));
            gotoXY(x + 2 * width - 2, i);
            platform::write("│");
        }
    }
}

} // namespace screen
