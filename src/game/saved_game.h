#pragma once
// A game as the save keeps it: everything the next hand starts from, so a
// game taken up again plays on exactly as it would have. Plain text, one
// field a line, closed by a checksum of all the lines before it.

#include "game/game_tally.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct SavedSeat {
    std::string name;
    std::int64_t money = 0;
    bool seated = false;
};

struct SavedGame {
    bool simulation = false;
    std::uint32_t seed = 0;
    std::uint32_t randomState = 0;
    std::array<int, 52> deckOrder{};
    std::int64_t nextHand = 1;
    bool finished = false;
    int computers = 1;
    std::array<SavedSeat, seatCount> seats{};
    GameTally tally;
    // The history file's length after the last hand written to it, when the
    // game keeps one.
    std::optional<std::uint64_t> historyLength;
};

// The save's text.
std::string encodeSave(const SavedGame& game);

// The game in a save's text; nothing, with the reason in `problem`, when the
// text is not a whole, unchanged save of this version with possible values.
std::optional<SavedGame> decodeSave(const std::string& text, std::string& problem);
