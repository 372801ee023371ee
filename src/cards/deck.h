#pragma once
// The 52 cards of the game, in deck order: index 0 is dealt first.

#include "cards/card.h"
#include "cards/linear_congruential.h"

#include <array>
#include <cstddef>
#include <cstdint>

class Deck {
  public:
    // The 52 cards, face down where the deck lies: cell column x, line y.
    Deck(int x, int y);
    ~Deck();
    Deck(const Deck&) = delete;
    Deck& operator=(const Deck&) = delete;

    // Every card face down, not dealt, not hidden; the order stays.
    void reset();
    // The two-card animation, then 200 exchanges drawn from the generator.
    void shuffle(LinearCongruential& random);
    // The first card not yet dealt, marked dealt (and hidden when hide is set).
    Card* drawNext(std::uint8_t hide);
    // The card at an index of the deck order.
    Card* at(int index) const { return cards[static_cast<std::size_t>(index)]; }
    // The order as card identities (suit × 13 + number − 2), index 0 first,
    // and that order put back: what a saved game keeps of the deck, since
    // each shuffle starts from the order the last one left.
    std::array<int, 52> order() const;
    // False, and the deck unchanged, when the identities are not each card
    // exactly once.
    bool restoreOrder(const std::array<int, 52>& identities);

  private:
    void fillSuit(int suit, int& index);

    std::array<Card*, 52> cards{};
    int x;
    int y;
};
