#pragma once
// Classifies up to seven cards of one seat into a hand category with its key
// card, by this game's own rulebook: five steps in a fixed order, each of
// which may only raise the category found so far.

#include "cards/card.h"
#include "eval/hand_result.h"

#include <cstdint>

struct HandSlot {
    std::int32_t number = 0;
    std::int32_t suit = 0;
    std::uint8_t used = 0;

    void setSlot(std::int32_t n, std::int32_t s, std::uint8_t u) {
        number = n;
        suit = s;
        used = u;
    }
};

class HandEvaluator {
  public:
    // cards: a seat's seven card slots, null where empty. Without withHidden
    // the hole cards are left out, giving what the other seats can see.
    HandResult evaluate(Card* const* cards, bool withHidden);

  private:
    void clearWork();
    void loadCards(Card* const* cards, bool withHidden);
    void findGroups();
    void findTwoPairOrFullHouse();
    void findStraights();
    void findFlush();

    HandSlot slots[7];
    HandResult result;
};
