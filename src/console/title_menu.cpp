// The title screen and the menu cursor the player moves over its items.
#include "console/screen.h"
#include "platform/console.h"

namespace {

constexpr const char* titleLine = "♤ ♧ Brannocktide ◇ ♡";
constexpr const char* cursorGlyph = "▷";
constexpr int keyDown = 's';
constexpr int keyUp = 'w';

} // namespace

namespace screen {

void drawTitle(int x, int y) {
    printCentered(titleLine, x, y);
    for (int i = 0; i < 3; ++i) {
        printCentered(menuItems[i], x, y + 4 * (i + 1));
    }
}

int selectMenu(int n, int step, int col, int y) {
    int index = 1;
    auto drawCursor = [&] {
        platform::setAttribute(platform::attrRed);
        printAt(cursorGlyph, col, y);
        platform::setAttribute(platform::attrNormal);
    };
    drawCursor();
    for (;;) {
        const int key = platform::readKey();
        if (key == platform::keyEnter) {
            return index;
        }
        if (key == keyDown && index + 1 <= n) {
            eraseAt(col, y);
            y += step;
            ++index;
        } else if (key == keyUp && index - 1 >= 1) {
            eraseAt(col, y);
            y -= step;
            --index;
        }
        drawCursor();
    }
}

} // namespace screen
