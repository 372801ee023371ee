#include "platform/screen_model.h"

#include "platform/text_width.h"

#include <algorithm>
#include <utility>

namespace platform {

ScreenModel::ScreenModel(int columns, int lines) { resize(columns, lines); }

void ScreenModel::resize(int columns, int lines) {
    width = std::max(columns, 0);
    height = std::max(lines, 0);
    cells.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), Cell{});
    changedRows.assign(static_cast<std::size_t>(height), 1);
    writtenTo.assign(static_cast<std::size_t>(height), 0);
    x = 0;
    y = 0;
}

void ScreenModel::moveCursor(int column, int row) {
    if (column < 0 || row < 0 || column >= width || row >= height) {
        ++refused;
        return;
    }
    x = column;
    y = row;
}

void ScreenModel::clear() {
    for (std::size_t row = 0; row < writtenTo.size(); ++row) {
        if (writtenTo[row] > 0) {
            std::fill_n(cells.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(width)),
                        std::exchange(writtenTo[row], 0), Cell{});
            changedRows[row] = 1;
        }
    }
    x = 0;
    y = 0;
    ++clearCount;
}

Cell* ScreenModel::claim(int cellsWide) {
    Cell* row = &cells[index(0, y)];
    const int end = x + cellsWide;
    // A two-cell glyph half overwritten disappears: its other half stands
    // just before the first cell or just after the last.
    const int from = row[x].rightHalf && x > 0 ? x - 1 : x;
    const int to = end < width && row[end].rightHalf ? end + 1 : end;
    row[from] = Cell{};
    row[to - 1] = Cell{};
    changedRows[static_cast<std::size_t>(y)] = 1;
    writtenTo[static_cast<std::size_t>(y)] = std::max(writtenTo[static_cast<std::size_t>(y)], to);
    return row + x;
}

void ScreenModel::put(char32_t glyph, int cellsWide) {
    if (y >= height || x + cellsWide > width) {
        ++dropped;
        x += cellsWide;
        return;
    }
    Cell* cell = claim(cellsWide);
    cell[0] = Cell{glyph, currentAttribute, false};
    if (cellsWide == 2) {
        cell[1] = Cell{U' ', currentAttribute, true};
    }
    x += cellsWide;
}

void ScreenModel::putAscii(std::string_view run) {
    const int fits = y < height ? std::clamp(width - x, 0, static_cast<int>(run.size())) : 0;
    if (fits > 0) {
        Cell* cell = claim(fits);
        for (int i = 0; i < fits; ++i) {
            cell[i] = Cell{static_cast<unsigned char>(run[static_cast<std::size_t>(i)]), currentAttribute, false};
        }
    }
    dropped += static_cast<int>(run.size()) - fits;
    x += static_cast<int>(run.size());
}

void ScreenModel::write(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto printable = [&](std::size_t i) { return text[i] >= 0x20 && text[i] < 0x7F; };
        if (printable(at)) {
            // Plain ASCII, the most of what the table writes, a run at a time.
            std::size_t end = at + 1;
            while (end < text.size() && printable(end)) {
                ++end;
            }
            putAscii(text.substr(at, end - at));
            at = end;
            continue;
        }
        const CodePoint cp = decodeUtf8(text, at);
        at += cp.length;
        if (cp.value == U'\n') {
            x = 0;
            y = std::min(y + 1, std::max(height - 1, 0));
        } else if (cp.isInvalid()) {
            put(U'?', 1);
        } else {
            // Controls and characters without cells of their own measure 0.
            if (cp.value != lastGlyph) {
                lastGlyph = cp.value;
                lastWidth = cellWidth(cp.value);
            }
            if (lastWidth > 0) {
                put(cp.value, lastWidth);
            }
        }
    }
}

void ScreenModel::forgetChanges() { std::fill(changedRows.begin(), changedRows.end(), 0); }

bool ScreenModel::takeBell() { return std::exchange(bellRung, false); }

} // namespace platform
