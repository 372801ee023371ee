// One seat's turn in a betting round: the person's prompts, or the computer
// policy's decision carried out on the table.
#include "console/screen.h"
#include "game/computer_policy.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "game/pacing.h"
#include "platform/console.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

std::int32_t clampToMoney(long long amount) {
    return static_cast<std::int32_t>(std::clamp<long long>(amount, 0, INT_MAX));
}

} // namespace

bool GameTable::othersOut(int seat) const {
    for (int i = 0; i < seatCount; ++i) {
        if (i != seat && seats[static_cast<std::size_t>(i)]->isInHand()) {
            return false;
        }
    }
    return true;
}

void GameTable::announceBet(long long amount) { texts.betLine.show(std::to_string(amount) + " 원 배팅!!!"); }

void GameTable::eraseTurnMarker() { texts.turnMarker.wipe(); }

void GameTable::foldSeat(int seat) {
    Player& player = *seats[static_cast<std::size_t>(seat)];
    player.setInHand(false);
    record.dies(seat);
    player.drawPanel();
    player.eraseLabel();
    eraseTurnMarker();
}

std::int64_t GameTable::payBet(int seat, long long amount) {
    const std::int32_t paid = seats[static_cast<std::size_t>(seat)]->pay(clampToMoney(amount));
    pot += paid;
    return paid;
}

void GameTable::showBet(long long amount) {
    showStatus();
    announceBet(amount);
}

std::int64_t GameTable::placeBet(int seat, long long amount) {
    // The label is wiped while it still shows the old money, so a shorter
    // amount leaves no stale digit behind.
    Player& player = *seats[static_cast<std::size_t>(seat)];
    player.eraseLabel();
    const std::int64_t paid = payBet(seat, amount);
    showBet(amount);
    player.drawLabel();
    return paid;
}

void GameTable::bettingTurn(int seat, int street, bool simulation, bool& running) {
    Player& player = *seats[static_cast<std::size_t>(seat)];
    texts.turnMarker.show(player.getName());
    const HandResult grade = evaluator.evaluate(player.getCards(), true);
    if (othersOut(seat)) {
        running = false;
        return;
    }
    rankSeats(seat, false);
    platform::sleepMs(thinkingMs);
    if (seat != 0 || simulation) {
        computerTurn(seat, street, grade);
    } else {
        humanTurn(seat);
    }
}

void GameTable::computerTurn(int seat, int street, const HandResult& grade) {
    // The others were ranked by their open cards at the start of the turn.
    const BetDecision decision = decideBet(street, grade, ranking[0], stake, draws);
    switch (decision.action) {
    case BetAction::Fold:
        foldSeat(seat);
        return;
    case BetAction::Raise:
        // A raise shows the doubled stake at once, and the raiser's label
        // its money after the payment, as a bet does.
        stake = clampToMoney(2LL * stake);
        record.raises(seat, placeBet(seat, decision.amount), decision.amount, stake);
        return;
    case BetAction::Bet:
        record.bets(seat, placeBet(seat, decision.amount), decision.amount);
        platform::sleepMs(afterActionMs);
        eraseTurnMarker();
        return;
    }
}
