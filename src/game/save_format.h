#pragma once
// What the save's versions share: its first line, the bounds of its values,
// the deal's lines, and the test that every value is one a game can reach.

#include "game/save_reader.h"
#include "game/saved_game.h"

#include <cstdint>
#include <limits>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace saveFormat {

inline constexpr std::string_view tag = "brannocktide save";
// The version written; the one before it is still read.
inline constexpr int version = 2;

// Bounds no game reaches, so no sum or count of them can overflow.
inline constexpr std::int64_t mostMoney = std::numeric_limits<std::int32_t>::max();
inline constexpr std::int64_t mostHands = 1'000'000'000'000;
inline constexpr std::int64_t mostSeconds = 100'000'000'000;
// The history text a save holds is one hand's record and a summary.
inline constexpr std::int64_t mostTextLines = 400;
// A hand asks the person at most a choice and an amount in each of its
// four betting rounds.
inline constexpr std::size_t mostAnswers = 8;
// Each line of history text in the save starts with this mark.
inline constexpr std::string_view textMark = "|";

// A seat's tally as the save writes it, in order.
inline constexpr std::int64_t SeatTally::*tallyFields[] = {
    &SeatTally::handsWon,    &SeatTally::biggestPot,  &SeatTally::highestMoney, &SeatTally::lowestMoney,
    &SeatTally::handsFolded, &SeatTally::handsPaidIn, &SeatTally::handsDealt};
void readTally(SaveReader& in, std::span<const std::string_view> words, SeatTally& tally);

// The lines of a text that ends with a line end, and back.
std::vector<std::string_view> linesOf(std::string_view text);
std::string joinLines(const std::vector<std::string_view>& lines);

// The mode, the seed, the generator's state and the deck's order.
void writeDeal(std::ostream& out, const SavedGame& game);
void readDeal(SaveReader& in, SavedGame& game);
// Seats beyond the computers, as every game leaves them.
void fillUnseated(SavedGame& game);

// The body of a save of version 1.
SavedGame readVersion1(SaveReader& in);

// The first value in the game no game can reach, in words; empty when none.
std::string impossibleIn(const SavedGame& game);

} // namespace saveFormat
