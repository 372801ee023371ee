#include "fake/books.h"

#include "fake/fake_console.h"

#include <algorithm>
#include <cstddef>
#include <numeric>

namespace fake {

namespace {

constexpr int deckSize = 52;
constexpr int mostCardsDealt = 49; // seven seats of seven cards

long long sum(const std::array<long long, GameTable::seatCount>& money) {
    return std::accumulate(money.begin(), money.end(), 0LL);
}

} // namespace

Books::Books(GameTable& table) : table(table), pauses(pauseCount()) {}

Books::Moment Books::observe() const {
    Moment now;
    now.pot = table.getPot();
    for (int s = 0; s < GameTable::seatCount; ++s) {
        const Player& seat = *table.seat(s);
        now.money[static_cast<std::size_t>(s)] = seat.getMoney();
        now.inHand = now.inHand || seat.getCardCount() > 0;
    }
    now.paid = table.isPotPaid();
    for (int i = 0; i < deckSize; ++i) {
        now.order[static_cast<std::size_t>(i)] = table.getDeck().at(i);
    }
    return now;
}

void Books::fault(const std::string& what) { found.push_back("hand " + std::to_string(hands) + ": " + what); }

void Books::checkSeats(const Moment& now) {
    int dealt = 0;
    for (int i = 0; i < deckSize; ++i) {
        dealt += table.getDeck().at(i)->isDealt();
    }
    if (dealt > mostCardsDealt) {
        fault(std::to_string(dealt) + " cards dealt");
    }
    for (int s = 0; s < GameTable::seatCount; ++s) {
        const int cards = table.seat(s)->getCardCount();
        maxCards = std::max(maxCards, cards);
        if (cards > Player::maxCards) {
            fault("seat " + std::to_string(s) + " holds " + std::to_string(cards) + " cards");
        }
        if (now.money[static_cast<std::size_t>(s)] < 0) {
            fault("seat " + std::to_string(s) + " has negative money");
        }
    }
}

void Books::checkPayout(const Moment& now) {
    int gainers = 0;
    for (std::size_t s = 0; s < now.money.size(); ++s) {
        const long long gain = now.money[s] - last.money[s];
        if (gain > 0) {
            ++gainers;
        }
        if (gain > now.pot) {
            fault("seat " + std::to_string(s) + " gained " + std::to_string(gain) + " from a pot of " +
                  std::to_string(now.pot));
        }
    }
    if (gainers > 1) {
        fault(std::to_string(gainers) + " seats shared a pot of " + std::to_string(now.pot));
    }
}

void Books::checkFinal(const Moment& now) {
    int withMoney = 0;
    for (int s = 0; s < GameTable::seatCount; ++s) {
        withMoney += table.seat(s)->isSeated() && now.money[static_cast<std::size_t>(s)] > 0 ? 1 : 0;
    }
    if (withMoney != 1) {
        fault("the game ended with " + std::to_string(withMoney) + " seats holding money");
    }
}

void Books::atWait() {
    if (table.seat(0) == nullptr) {
        return; // the menu before the first game
    }
    const Moment now = observe();
    checkSeats(now);
    // The console started afresh since the books were opened: no pause yet.
    pauses = std::min(pauses, pauseCount());
    const bool paused = pauseCount() != pauses;
    pauses = pauseCount();
    const bool closed = paused || !now.inHand || now.order == closedOrder;
    // Outside a hand the pot is spent (or left over from the last game).
    const long long total = sum(now.money) + (closed || now.paid ? 0 : now.pot);
    if (total != everySeatsMoney) {
        fault("money " + std::to_string(total) + " instead of " + std::to_string(everySeatsMoney));
    }
    if (paused) {
        checkFinal(now);
        ++gamesEnded;
        closedOrder = now.order;
    }
    if (closed) {
        last = Moment{};
        return;
    }
    if (now.order != last.order) {
        ++hands;
    } else if (now.paid && !last.paid && last.inHand) {
        checkPayout(now);
    }
    last = now;
}

} // namespace fake
