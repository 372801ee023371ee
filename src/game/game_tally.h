#pragma once
// What the end-of-game summary counts, for the whole game: kept by the table
// from its set-up on, hand by hand, and carried across runs by a save, field
// by field.

#include <array>
#include <cstdint>

// The seats at the table: the person's, then six for the computers.
inline constexpr int seatCount = 7;

struct SeatTally {
    std::int64_t handsWon = 0;
    std::int64_t biggestPot = 0;
    std::int64_t highestMoney = 0;
    std::int64_t lowestMoney = 0;
    std::int64_t handsFolded = 0;
    std::int64_t handsPaidIn = 0; // hands in which the seat put money into the pot
    std::int64_t handsDealt = 0;  // hands the seat was dealt into: the share's denominator
};
struct GameTally {
    std::int64_t handsPlayed = 0;
    std::int64_t secondsPlayed = 0; // play time of the game so far, over every run that played it
    std::array<SeatTally, seatCount> seats{};
};
