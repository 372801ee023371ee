#include "cards/deck.h"

#include "platform/console.h"

#include <array>
#include <cstddef>
#include <utility>

namespace {

constexpr int shuffleFrames = 48;
constexpr int shuffleFrameMs = 50;
constexpr int shuffleExchanges = 200;

} // namespace

Deck::Deck(int x, int y) : x(x), y(y) {
    int index = 0;
    for (int suit : {Diamonds, Hearts, Clubs, Spades}) {
        fillSuit(suit, index);
    }
}

Deck::~Deck() {
    for (Card* card : cards) {
        delete card;
    }
}

void Deck::fillSuit(int suit, int& index) {
    for (int number = 2; number <= 14; ++number) {
        cards[static_cast<std::size_t>(index++)] = new Card(x, y, suit, number);
    }
}

void Deck::reset() {
    for (Card* card : cards) {
        card->reset();
    }
}

void Deck::shuffle(LinearCongruential& random) {
    // The top card slides out to the right and back, over the second card on
    // the way out and under it on the way back, eight times. The resting card
    // is drawn before the pause in every frame, so it shows in all of them.
    cards[1]->setPosition(x, y);
    int step = -6;
    int pos = x;
    for (int frame = 0; frame < shuffleFrames; ++frame) {
        if (frame % 3 == 0) {
            step = -step;
        }
        platform::clearScreen();
        if (step > 0) {
            cards[1]->draw();
        }
        pos += step;
        cards[0]->setPosition(pos, y);
        cards[0]->draw();
        if (step < 0) {
            cards[1]->draw();
        }
        platform::sleepMs(shuffleFrameMs);
    }
    for (int n = 0; n < shuffleExchanges; ++n) {
        const int i = random.next() % 52;
        const int j = random.next() % 52;
        std::swap(cards[static_cast<std::size_t>(i)], cards[static_cast<std::size_t>(j)]);
    }
}

Card* Deck::drawNext(std::uint8_t hide) {
    for (Card* card : cards) {
        if (card->isDealt() == 0) {
            card->setDealt(1);
            if (hide) {
                card->setHidden(1);
            }
            return card;
        }
    }
    return nullptr; // never within a hand's 49 cards
}

namespace {

constexpr int numbersPerSuit = 13;

int identity(const Card& card) { return card.getSuit() * numbersPerSuit + card.getNumber() - 2; }

} // namespace

std::array<int, 52> Deck::order() const {
    std::array<int, 52> identities{};
    for (std::size_t i = 0; i < cards.size(); ++i) {
        identities[i] = identity(*cards[i]);
    }
    return identities;
}

bool Deck::restoreOrder(const std::array<int, 52>& identities) {
    std::array<Card*, 52> byIdentity{};
    for (Card* card : cards) {
        byIdentity[static_cast<std::size_t>(identity(*card))] = card;
    }
    std::array<Card*, 52> restored{};
    for (std::size_t i = 0; i < identities.size(); ++i) {
        const int id = identities[i];
        if (id < 0 || id >= 52 || byIdentity[static_cast<std::size_t>(id)] == nullptr) {
            return false; // out of range, or a card named twice
        }
        restored[i] = std::exchange(byIdentity[static_cast<std::size_t>(id)], nullptr);
    }
    cards = restored;
    return true;
}
