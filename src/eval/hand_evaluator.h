#pragma once
// Classifies up to seven cards of one seat into a hand category with its key
// card, by this game's own rulebook: five steps in a fixed order, each of
// which may only raise the category found so far.

#include "cards/card.h"
#include "eval/hand_result.h"

#include <cstdint>

class HandEvaluator {
  public:
    // cards: a seat's seven card slots, null where empty. Without withHidden
    // the hole cards are left out, giving what the other seats can see.
    HandResult evaluate(Card* const* cards, bool withHidden);

  private:
    // The longest run of numbers in a row: its top and bottom numbers and the
    // card in its last slot (the top number's highest suit).
    struct Run {
        int top = 0;
        int bottom = 0;
        int lastCard = 0;
        int length() const { return top - bottom + 1; }
    };

    // The five steps, in this order, on the same working state.
    void loadCards(Card* const* cards, bool withHidden);
    void findGroups();
    void findTwoPairOrFullHouse();
    void findStraights();
    void findFlush();

    void clearWork();
    // Sorts the numbers by how many cards each has, once per hand.
    void countMatches();
    int cardsOfSuit(int suit) const;
    // The highest suit held of a number.
    int topSuit(int number) const;
    // The result becomes rank, keyed on the highest-suited card of number.
    void setKey(int rank, int number);
    HandResult straightCandidate(const Run& run) const;
    bool makesStraightFlush(const HandResult& candidate, const Run& run) const;
    // The counts of the two straight-flush walks: down from below the run's
    // last card, and up from the lowest card for a back straight.
    int countDownFrom(int topCard, int refSuit) const;
    int countUpFromBottom(int refSuit) const;

    // The cards taking part, one bit each: bit 4 × number + suit. Counting up
    // through the bits visits the cards in the sort order of the rules (by
    // number, then by suit), so the i-th bit is the i-th slot.
    std::uint64_t held = 0;
    int cardCount = 0;
    // How many cards of each suit are held, one byte per suit.
    std::uint32_t suitTally = 0;
    // Numbers (bit 4 × number) by how many cards of that number are held:
    // the matches of every card, counted once per hand.
    std::uint64_t singles = 0;
    std::uint64_t pairs = 0;
    std::uint64_t triples = 0;
    std::uint64_t fours = 0;
    HandResult result;
};
