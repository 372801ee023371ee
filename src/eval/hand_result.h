#pragma once
// What an evaluation says of a hand: its category and the one key card that
// breaks ties between hands of the same category.

#include <cstdint>

enum HandRank : std::int32_t {
    HighCard = 0,
    OnePair,
    TwoPair,
    Triple,
    Straight,
    BackStraight,
    Mountain,
    Flush,
    FullHouse,
    FourCard,
    StraightFlush,
    BackStraightFlush,
    RoyalStraightFlush,
};

struct HandResult {
    std::int32_t seat = 0; // written by whoever keeps the result, never by the evaluator
    std::int32_t keyNumber = 0;
    std::int32_t rank = HighCard;
    std::int32_t keySuit = 0;

    // Takes everything but the seat from another result.
    void assign(const HandResult& other) {
        keyNumber = other.keyNumber;
        rank = other.rank;
        keySuit = other.keySuit;
    }
};

// The one order on hands: category, then key number, then key suit.
bool beats(const HandResult& a, const HandResult& b);
