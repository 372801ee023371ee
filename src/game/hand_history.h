#pragma once
// The record of the hand being played, told by the table as it acts: who was
// dealt in with what money, the cards each street as the person sees them,
// every bet, raise, death and pass, the showdown and the money after. What
// each seat did feeds the game's tally; when a history file is kept, the hand
// is written to it whole, once its pot is paid.

#include "files/history_file.h"
#include "game/game_tally.h"
#include "players/player.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class HandHistory {
  public:
    using Seats = std::array<std::unique_ptr<Player>, seatCount>;
    // What one seat did in the hand so far.
    struct SeatFacts {
        bool dealt = false;
        bool folded = false;
        bool paidIn = false;
        std::int64_t money = 0; // as last seen, so a payment is what left it since
    };

    explicit HandHistory(const Seats& seats) : seats(seats) {}

    // Every hand from now on is written to this file.
    void keep(HistoryFile file) { out = std::move(file); }
    // True while a history file takes the hands: otherwise no text is made.
    bool writing() const { return out && !out->failed(); }
    HistoryFile* file() { return out ? &*out : nullptr; }
    const HistoryFile* file() const { return out ? &*out : nullptr; }
    // The hand the file stopped at, when a write failed.
    std::int64_t stoppedAtHand() const { return failedHand; }

    // The seats dealt into the hand numbered `number`, with their money.
    void startHand(std::int64_t number, std::uint32_t seed);
    // The cards just dealt, cardsEach to every seat in the hand: the next street.
    void dealt(int cardsEach);
    // The seat paid what it could of `asked`.
    void bets(int seat, long long asked);
    // The seat paid what it could of `asked` and doubled the stake to `stake`.
    void raises(int seat, long long asked, long long stake);
    void dies(int seat);
    void passes(int seat);
    void showdown();
    // The showdown's lines: a seat still in the hand and its hand's name.
    void shows(int seat, const std::string& handName);
    void collected(const Player& winner, const std::string& winnerLine, std::int64_t pot);
    // The pot and every seat's money after the hand; the hand goes to the file.
    void finishHand(std::int64_t pot);
    // Text of the game's own, such as its summary, to the file at once.
    void write(const std::string& text);

    const SeatFacts& facts(int seat) const { return seen[static_cast<std::size_t>(seat)]; }

  private:
    Player& seatAt(int seat) const { return *seats[static_cast<std::size_t>(seat)]; }
    // The money the seat paid since it was last seen.
    std::int64_t paidSince(int seat);
    void line(const std::string& text);
    std::string seatLine(int seat) const;

    const Seats& seats;
    std::array<SeatFacts, seatCount> seen{};
    std::optional<HistoryFile> out;
    std::string hand; // the hand's text until it is written whole
    std::int64_t handNumber = 0;
    int street = 0;
    std::int64_t failedHand = 0;
};
