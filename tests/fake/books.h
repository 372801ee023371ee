#pragma once
// The table's books, checked at every moment the game waits for input,
// without reading the screen: what the person typed cannot fool them.
//
// At any wait the seats and the pot together hold all the money there is
// (once the table says the pot is paid, the seats alone). Hands are told
// apart by the order of the deck, which every hand shuffles anew; the last
// wait of a hand is its winner line, taken after the pot is paid, so where
// the person was asked during the hand, the winner line shows where the pot
// went since: to one seat at the most, and never more than the pot.

#include "game/game_table.h"

#include <array>
#include <string>
#include <vector>

namespace fake {

class Books {
  public:
    explicit Books(GameTable& table);

    // Checks the table; call it at every wait for input.
    void atWait();

    const std::vector<std::string>& faults() const { return found; }
    int handsSeen() const { return hands; }
    int gamesOver() const { return gamesEnded; }
    int maxCardsInHand() const { return maxCards; }

  private:
    struct Moment {
        std::array<long long, GameTable::seatCount> money{};
        long long pot = 0;
        std::array<const Card*, 52> order{};
        bool inHand = false;
        bool paid = false;
    };

    Moment observe() const;
    void fault(const std::string& what);
    void checkSeats(const Moment& now);
    // Since the last wait of the hand, at most one seat gained, and no more
    // than the pot.
    void checkPayout(const Moment& now);
    void checkFinal(const Moment& now);

    GameTable& table;
    std::vector<std::string> found;
    Moment last;
    // The deck order of a hand whose books are closed (the game ended in it).
    std::array<const Card*, 52> closedOrder{};
    int pauses = 0;
    int hands = 0;
    int gamesEnded = 0;
    int maxCards = 0;
};

// The money there is at a table: one start amount for every seat.
inline constexpr long long everySeatsMoney = 7LL * 1000000;

} // namespace fake
