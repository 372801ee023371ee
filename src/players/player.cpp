#include "players/player.h"

#include "platform/console.h"
#include "platform/text_width.h"

#include <cstddef>
#include <string>

std::int32_t computerCounter = 1;

namespace {

// Where the fan of a seat's cards starts inside its panel, and how far each
// card stands to the right of the one before: the number and suit in the
// corner of every earlier card stay visible.
constexpr int fanOffsetX = 2;
constexpr int fanOffsetY = 1;
constexpr int fanStep = 4;

} // namespace

Player::Player(int panelX, int panelY, int isComputer, int labelPlacement)
    : labelPlacement(labelPlacement), isComputer(isComputer), panelX(panelX), panelY(panelY), inHand(1),
      cardCount(0), money(startMoney), seated(1) {
    if (isComputer == 1) {
        name = "Computer" + std::to_string(computerCounter++);
    }
}

void Player::setInHand(bool value) {
    // A seat not in use in this game never joins a hand.
    if (seated) {
        inHand = value ? 1 : 0;
    }
}

int Player::pay(int amount) {
    if (amount > money) {
        const int taken = money;
        money = 0;
        return taken;
    }
    money -= amount;
    return amount;
}

namespace {

// The text up to the last whole character that ends within `cells` cells.
std::string firstCells(const std::string& text, int cells) {
    std::size_t at = 0;
    int used = 0;
    while (at < text.size()) {
        const platform::CodePoint cp = platform::decodeUtf8(text, at);
        used += platform::cellWidth(cp.value);
        if (used > cells) {
            break;
        }
        at += cp.length;
    }
    return text.substr(0, at);
}

} // namespace

void Player::readName() { name = firstCells(platform::readWord(), maxNameCells); }

void Player::receiveCard(Card* card) {
    if (cardCount >= maxCards) {
        return; // a hand never deals an eighth card to a seat
    }
    card->setPosition(panelX + fanOffsetX + fanStep * cardCount, panelY + fanOffsetY);
    card->draw();
    handCards[static_cast<std::size_t>(cardCount)] = card;
    ++cardCount;
}

void Player::flipUpAll() {
    for (int slot = 0; slot < cardCount; ++slot) {
        handCards[static_cast<std::size_t>(slot)]->flipUp();
    }
}

void Player::flipUpLast() {
    if (cardCount > 0) {
        handCards[static_cast<std::size_t>(cardCount - 1)]->flipUp();
    }
}

void Player::clearHand() {
    handCards.fill(nullptr);
    cardCount = 0;
}
