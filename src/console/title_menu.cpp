// The title screen and the menu cursor the player moves over its items.
#include "console/screen.h"
#include "platform/console.h"

namespace {

constexpr const char* titleLine = "♤ ♧ Brannocktide ◇ ♡";
constexpr const char* cursorGlyph = "▷";

// The keys that move the cursor: w and s as typed in either case, the
// letters a Korean keyboard in Hangul mode types on those keys (ㅈ on w, ㄴ
// on s), and the cursor keys.
constexpr int hangulOnW = 0x3148; // ㅈ
constexpr int hangulOnS = 0x3134; // ㄴ
bool movesUp(int key) { return key == 'w' || key == 'W' || key == hangulOnW || key == platform::keyUp; }
bool movesDown(int key) { return key == 's' || key == 'S' || key == hangulOnS || key == platform::keyDown; }

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
        if (movesDown(key) && index + 1 <= n) {
            eraseAt(col, y);
            y += step;
            ++index;
        } else if (movesUp(key) && index - 1 >= 1) {
            eraseAt(col, y);
            y -= step;
            --index;
        }
        drawCursor();
    }
}

} // namespace screen
