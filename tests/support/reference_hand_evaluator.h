#pragma once
// The rulebook of hand evaluation written out step by step, slot by slot, as
// plainly as the rules read. It is slow on purpose: the game's evaluator
// reaches the same results by a faster road, and the tests hold the two side
// by side on many hands. Change nothing here toward ordinary poker: every
// quirk of the rules is part of the game.

#include "cards/card.h"
#include "eval/hand_result.h"

#include <cstdint>

namespace reference {

// One working slot: a card's number and suit, and whether it holds a card.
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
    HandResult evaluate(Card* const* cards, bool withHidden) {
        loadCards(cards, withHidden);
        findGroups();
        findTwoPairOrFullHouse();
        findStraights();
        findFlush();
        return result;
    }

  private:
    static constexpr int slotCount = 7;

    void clearWork() {
        for (HandSlot& slot : slots) {
            slot.setSlot(0, 0, 0);
        }
        result.keyNumber = 0;
        result.rank = 0;
        result.keySuit = 0;
    }

    void loadCards(Card* const* cards, bool withHidden) {
        clearWork();
        int next = 0;
        for (int j = 0; j < slotCount; ++j) {
            if (cards[j] != nullptr && (withHidden || cards[j]->isHidden() != 1)) {
                slots[next].setSlot(cards[j]->getNumber(), cards[j]->getSuit(), 1);
                ++next;
            }
        }
        for (int p = 0; p <= 5 && slots[p].used; ++p) {
            for (int q = p + 1; q <= 6 && slots[q].used; ++q) {
                if (slots[p].number > slots[q].number ||
                    (slots[p].number == slots[q].number && slots[p].suit > slots[q].suit)) {
                    const HandSlot kept = slots[p];
                    slots[p].setSlot(slots[q].number, slots[q].suit, slots[q].used);
                    slots[q].setSlot(kept.number, kept.suit, kept.used);
                }
            }
        }
    }

    int matches(int i) const {
        int count = 0;
        for (int j = 0; j < slotCount && slots[j].used; ++j) {
            if (j != i && slots[j].number == slots[i].number) {
                ++count;
            }
        }
        return count;
    }

    void findGroups() {
        for (int i = 0; i < slotCount && slots[i].used; ++i) {
            const int m = matches(i);
            const int g = m == 1 ? 1 : m == 2 ? 3 : m == 3 ? 9 : 0;
            if (g > result.rank) {
                result.rank = g;
                result.keyNumber = slots[i].number;
                result.keySuit = slots[i].suit;
            } else if (g == result.rank) {
                if (slots[i].number > result.keyNumber) {
                    result.keyNumber = slots[i].number;
                    result.keySuit = slots[i].suit;
                } else if (slots[i].number == result.keyNumber && slots[i].suit > result.keySuit) {
                    result.keySuit = slots[i].suit;
                }
            }
        }
    }

    // A card of a new number starts the group over; another card of the same
    // number raises the group's suit to the greater one.
    static void followGroup(int number, int suit, int& groupNumber, int& groupShape) {
        if (number != groupNumber) {
            groupNumber = number;
            groupShape = suit;
        } else if (suit > groupShape) {
            groupShape = suit;
        }
    }

    void findTwoPairOrFullHouse() {
        bool tripleSeen = false;
        int tripleNumber = 0;
        int tripleShape = 0;
        bool firstSeen = false;
        int firstNumber = 0;
        int pairShape = 0;
        int otherNumber = 0;
        int pairShape2 = 0;
        int found = 0;
        for (int i = 0; i < slotCount && slots[i].used; ++i) {
            const int m = matches(i);
            if (m != 1 && m != 2) {
                continue;
            }
            const int number = slots[i].number;
            const int suit = slots[i].suit;
            if (m == 2) {
                tripleSeen = true;
                followGroup(number, suit, tripleNumber, tripleShape);
            }
            if (!firstSeen) {
                firstSeen = true;
                firstNumber = number;
                pairShape = suit;
            } else if (number == firstNumber) {
                if (suit > pairShape) {
                    pairShape = suit;
                }
            } else if (tripleSeen) {
                found = FullHouse;
            } else {
                found = TwoPair;
                followGroup(number, suit, otherNumber, pairShape2);
            }
        }
        if (found > result.rank) {
            result.rank = found;
            if (found == TwoPair) {
                if (otherNumber > firstNumber) {
                    result.keyNumber = otherNumber;
                    result.keySuit = pairShape2;
                } else if (firstNumber > otherNumber) {
                    result.keyNumber = firstNumber;
                    result.keySuit = pairShape;
                }
            } else {
                result.keyNumber = tripleNumber;
                result.keySuit = tripleShape;
            }
        }
    }

    bool hasNumberAt(int position, int number) const {
        return position >= 0 && position < slotCount && slots[position].number == number;
    }

    void findStraights() {
        int start = 0;
        int bestLen = 1;
        int bestEnd = 0;
        while (start < 6 && slots[start].used) {
            int len = 1;
            int dups = 0;
            for (int j = start + 1; j <= 6 && slots[j].used; ++j) {
                if (slots[j].number == slots[start].number + len) {
                    ++len;
                } else if (slots[j].number == slots[j - 1].number) {
                    ++dups;
                } else {
                    break;
                }
            }
            start = start + len + dups;
            if (len > bestLen) {
                bestLen = len;
                bestEnd = start - 1;
            }
        }

        int candRank = 0;
        int candNumber = 0;
        int candSuit = 0;
        if (bestLen >= 5) {
            candRank = slots[bestEnd].number == 14 ? Mountain : Straight;
            candNumber = slots[bestEnd].number;
            candSuit = slots[bestEnd].suit;
        }

        if (bestLen >= 4 && slots[6].number == 14) {
            for (int k = bestEnd; k >= 1; --k) {
                if (slots[k].number != slots[k - 1].number + 1 &&
                    slots[k].number != slots[k - 1].number) {
                    break;
                }
                if (slots[k - 1].number == 2 && candRank < BackStraight) {
                    candRank = BackStraight;
                    candNumber = slots[6].number;
                    candSuit = slots[6].suit;
                }
            }
        }

        if (candRank == Straight || candRank == Mountain) {
            const int refSuit = slots[bestEnd - (bestLen - 5)].suit;
            int count = 1;
            for (int k = bestEnd - 1; k >= 0 && slots[k].used; --k) {
                if (slots[k].suit == refSuit) {
                    ++count;
                } else if (hasNumberAt(k - 1, slots[k].number) ||
                           hasNumberAt(k + 1, slots[k].number)) {
                    continue;
                } else {
                    break;
                }
            }
            if (count >= 5) {
                result.rank = candRank == Straight ? StraightFlush : RoyalStraightFlush;
                result.keyNumber = candNumber;
                result.keySuit = candSuit;
                if (result.rank == RoyalStraightFlush) {
                    return;
                }
            }
        } else if (candRank == BackStraight) {
            const int refSuit = slots[bestEnd].suit;
            int count = 1;
            for (int k = 0; k <= 6; ++k) {
                if (slots[k].suit == refSuit) {
                    ++count;
                } else if (hasNumberAt(k + 1, slots[k].number)) {
                    continue;
                } else {
                    break;
                }
            }
            if (count >= 4) {
                result.rank = BackStraightFlush;
                result.keyNumber = candNumber;
                result.keySuit = candSuit;
            }
        }

        if (result.rank < candRank) {
            result.rank = candRank;
            result.keyNumber = candNumber;
            result.keySuit = candSuit;
        }
    }

    void findFlush() {
        int bestCount = 0;
        int bestSuit = 0;
        for (int i = 0; i <= 5 && slots[i].used; ++i) {
            int count = 0;
            for (int j = 0; j < slotCount && slots[j].used; ++j) {
                if (slots[j].suit == slots[i].suit) {
                    ++count;
                }
            }
            if (count >= 3 && count > bestCount) {
                bestCount = count;
                bestSuit = slots[i].suit;
            } else if (count == bestCount && slots[i].suit > bestSuit) {
                bestSuit = slots[i].suit;
            }
        }
        if (bestCount >= 5 && result.rank < Flush) {
            result.rank = Flush;
            result.keySuit = bestSuit;
            for (int i = slotCount - 1; i >= 0; --i) {
                if (slots[i].used && slots[i].suit == bestSuit) {
                    result.keyNumber = slots[i].number;
                    break;
                }
            }
        }
    }

    HandSlot slots[slotCount];
    HandResult result;
};

} // namespace reference
