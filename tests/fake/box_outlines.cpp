#include "fake/box_outlines.h"

#include "fake/fake_console.h"
#include "game/layout.h"

namespace fake {

namespace {

struct Box {
    const char* what;
    int x;
    int y;
    int cells;
    int lines;
};

// The glyph of a box's outline at (x, y), "" for its inside. Each glyph
// takes two cells: the outline is looked at in its glyphs' first cells.
std::string outlineGlyph(const Box& box, int x, int y) {
    const bool top = y == box.y;
    const bool bottom = y == box.y + box.lines - 1;
    const bool left = x == box.x;
    const bool right = x == box.x + box.cells - 2;
    if (top || bottom) {
        return left ? (top ? "┌" : "└") : right ? (top ? "┐" : "┘") : "─";
    }
    return left || right ? "│" : "";
}

std::string damage(const Box& box) {
    for (int y = box.y; y < box.y + box.lines; ++y) {
        for (int x = box.x; x < box.x + box.cells; x += 2) {
            const std::string wanted = outlineGlyph(box, x, y);
            if (!wanted.empty() && cell(x, y) != wanted) {
                return std::string(box.what) + ", line " + std::to_string(y) + " column " + std::to_string(x) +
                       ": '" + cell(x, y) + "' where its outline has '" + wanted + "': " + row(y);
            }
        }
    }
    return "";
}

} // namespace

std::vector<std::string> damagedBoxes(bool deckShown) {
    std::vector<Box> boxes = {{"the frame", 0, 0, 2 * layout::width, layout::height}};
    for (const layout::SeatPlace& seat : layout::seats) {
        boxes.push_back({"a panel", seat.panelX, seat.panelY, Player::panelCells, Player::panelLines});
    }
    if (deckShown) {
        boxes.push_back({"the deck", layout::deck.x, layout::deck.y, Card::pictureCells, Card::pictureLines});
    }
    std::vector<std::string> found;
    for (const Box& box : boxes) {
        if (std::string d = damage(box); !d.empty()) {
            found.push_back(d);
        }
    }
    if (deckShown) {
        // The face-down deck's inside: a wiped text would blank its cells.
        for (int y = layout::deck.y + 1; y < layout::deck.y + Card::pictureLines - 1; ++y) {
            if (text(layout::deck.x + 2, y, Card::pictureCells - 4) != "※※※※※") {
                found.push_back("the deck's inside, line " + std::to_string(y) + ": " + row(y));
                break;
            }
        }
    }
    return found;
}

} // namespace fake
