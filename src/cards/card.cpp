#include "cards/card.h"

#include "console/screen.h"
#include "platform/console.h"

#include <string>

namespace {

constexpr const char* blankSlot = "  ";

bool isRed(int suit) { return suit == Hearts || suit == Diamonds; }

} // namespace

void Card::drawNumber() {
    if (isRed(suit)) {
        platform::setAttribute(platform::attrRed);
    }
    static constexpr const char* faces[] = {"J", "Q", "K", "A"};
    if (number >= 2 && number <= 10) {
        platform::write(std::to_string(number));
    } else if (number >= 11 && number <= 14) {
        platform::write(faces[number - 11]);
    }
    platform::setAttribute(platform::attrNormal);
}

void Card::drawSuit() {
    static constexpr const char* glyphs[] = {"♧", "♥", "◆", "♤"};
    if (suit < Clubs || suit > Spades) {
        return;
    }
    if (isRed(suit)) {
        platform::setAttribute(platform::attrRed);
    }
    platform::write(glyphs[suit]);
    if (isRed(suit)) {
        platform::setAttribute(platform::attrNormal);
    }
}

// Seven two-cell glyphs wide (14 cells) by ten lines; every cell is written,
// so a card drawn later covers whatever lay under it.
void Card::draw() {
    for (int r = 0; r < pictureLines; ++r) {
        screen::gotoXY(x, y + r);
        if (r == 0) {
            platform::write("┌─────┐");
            continue;
        }
        if (r == pictureLines - 1) {
            platform::write("└─────┘");
            continue;
        }
        platform::write("│");
        if (faceDown) {
            platform::write("※※※※※");
        } else {
            // Five two-cell slots: the number top left and bottom right, the
            // suit glyph on lines 2, 5 and 7, blanks everywhere else.
            for (int slot = 1; slot <= 5; ++slot) {
                if (r == 1 && slot == 1) {
                    drawNumber();
                    if (number != 10) {
                        platform::write(" ");
                    }
                } else if (r == 8 && slot == 5) {
                    if (number != 10) {
                        platform::write(" ");
                    }
                    drawNumber();
                } else if ((r == 2 && slot == 1) || (r == 5 && slot == 3) || (r == 7 && slot == 5)) {
                    drawSuit();
                } else {
                    platform::write(blankSlot);
                }
            }
        }
        platform::write("│");
    }
}

void Card::flipUp() {
    faceDown = 0;
    draw();
}
