// A seat's panel on the table: the box its cards lie in and the label with
// its name and money just above or below it.
#include "players/player.h"

#include "console/screen.h"

#include <string>

namespace {

// The label is centred on this column of the panel, truncated: column 21 of
// its 42 cells.
constexpr double labelCentreOffset = 21.6;

} // namespace

void Player::drawPanel() {
    drawBox();
    if (isSeated()) {
        drawLabel();
    }
}

void Player::drawBox() {
    // A seat out of the hand shows a filled box instead of its cards.
    screen::drawBox(panelX, panelY, panelCells / 2, panelLines, inHand != 0); // two-cell glyphs
}

void Player::drawLabel() {
    // A label drawn anew over an older one (a fold after a raise redraws the
    // panel) wipes the older one first, whatever its length.
    eraseLabel();
    int x = 0;
    int y = 0;
    if (labelPlace(x, y)) {
        labelShown = labelText();
        screen::printCenteredWithin(labelShown, x, y, labelSpan);
    }
}

void Player::eraseLabel() {
    int x = 0;
    int y = 0;
    if (labelPlace(x, y)) {
        screen::printCenteredWithin(screen::blanksFor(labelShown, 1), x, y, labelSpan);
        labelShown.clear();
    }
}

std::string Player::labelText() const { return name + "(금액:" + std::to_string(money) + ")"; }

bool Player::labelPlace(int& x, int& y) const {
    x = static_cast<int>(panelX + labelCentreOffset);
    if (labelPlacement == labelAbove) {
        y = panelY - 1;
    } else if (labelPlacement == labelBelow) {
        y = panelY + panelLines;
    } else {
        return false;
    }
    return true;
}
