#include "platform/posix/shadow_grid.h"

#include <algorithm>

namespace platform::posix {

ShadowGrid::ShadowGrid(int columns, int lines)
    : width(columns > 0 ? columns : 0), height(lines > 0 ? lines : 0),
      cells(static_cast<std::size_t>(width * height)) {}

void ShadowGrid::clear() {
    if (rowsFrom < rowsTo) {
        std::fill(cells.begin() + rowsFrom * width, cells.begin() + rowsTo * width, Cell{});
    }
    rowsFrom = height;
    rowsTo = 0;
}

const Cell& ShadowGrid::at(int x, int y) const {
    return cells[static_cast<std::size_t>(y * width + x)];
}

void ShadowGrid::release(int x, int y) {
    if (!inside(x, y)) {
        return;
    }
    if (cell(x, y).continuation && x > 0) {
        cell(x - 1, y) = Cell{};
    } else if (x + 1 < width && cell(x + 1, y).continuation) {
        cell(x + 1, y) = Cell{};
    }
    cell(x, y) = Cell{};
}

void ShadowGrid::put(int x, int y, std::string_view text, int cells, int attribute) {
    if (cells == 0) {
        if (inside(x - 1, y) && !cell(x - 1, y).text.empty()) {
            cell(x - 1, y).text.append(text);
        }
        return;
    }
    if (!inside(x, y) || x + cells > width) {
        return;
    }
    for (int i = 0; i < cells; ++i) {
        release(x + i, y);
    }
    cell(x, y).text.assign(text);
    cell(x, y).attribute = attribute;
    if (cells == 2) {
        cell(x + 1, y).continuation = true;
        cell(x + 1, y).attribute = attribute;
    }
}

std::string ShadowGrid::row(int y) const {
    std::string text;
    std::size_t used = 0;
    for (int x = 0; x < width; ++x) {
        const Cell& c = at(x, y);
        if (c.continuation) {
            continue;
        }
        text += c.text.empty() ? " " : c.text;
        if (!c.blank()) {
            used = text.size();
        }
    }
    text.resize(used);
    return text;
}

} // namespace platform::posix
