#pragma once
// A game as the save keeps it: everything the next hand starts from, so a
// game taken up again plays on exactly as it would have. Plain text, one
// field a line, closed by a checksum of all the lines before it.

#include "files/history_file.h"
#include "game/game_tally.h"

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

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
    int computers = 1;
    std::array<SavedSeat, seatCount> seats{};
    GameTally tally;
    // How far the history file reached, synced, when this save was made;
    // none when no history was kept or it had stopped.
    std::optional<HistoryFile::Mark> history;
    // Text for the history that was still to be written when the save was
    // made (it is written just after): a hand's record, a game's summary.
    std::string historyText;
    // The person's answers in the hand the game goes on at, in the order
    // given: the hand is played again with them up to the prompt where the
    // game was left.
    std::vector<int> answers;

    // The hand the game goes on at.
    std::int64_t nextHand() const { return tally.handsPlayed + 1; }
    // True once one seated seat has all the money: the game is over.
    bool finished() const;
};

// A save whose answers do not fit the hand played again with them: an
// answer the hand refuses, or a prompt that never comes.
class UnfitAnswers : public std::runtime_error {
  public:
    explicit UnfitAnswers(const std::string& what) : std::runtime_error(what) {}
};

// The save's text.
std::string encodeSave(const SavedGame& game);

// The game in a save's text; nothing, with the reason in `problem`, when the
// text is not a whole, unchanged save of this version or the one before,
// with values a game can reach.
std::optional<SavedGame> decodeSave(const std::string& text, std::string& problem);
