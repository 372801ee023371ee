#include "game/computer_policy.h"

namespace {

constexpr int surpriseOdds = 40;
constexpr int raiseOdds = 40;
// From the round with five cards on, a computer gives up a hand that is
// already beaten by what another seat shows.
constexpr int lateStreet = 2;

// 100 % to 200 % of the stake in steps of 10 %, from one draw; worked out in
// 64 bits, since a stake raised several times in a round nears the 32-bit limit.
long long drawnAmount(std::int32_t stake, const Draws& draw) {
    return (draw() % 11 + 10) * static_cast<long long>(stake) / 10;
}

} // namespace

BetDecision decideBet(int street, const HandResult& own, const HandResult& bestShown, std::int32_t stake,
                      const Draws& draw) {
    if (draw() % surpriseOdds == 0) {
        return {BetAction::Fold, 0};
    }
    if (draw() % raiseOdds == 0) {
        return {BetAction::Raise, drawnAmount(stake, draw)};
    }
    if (street >= lateStreet && own.rank < bestShown.rank) {
        return {BetAction::Fold, 0};
    }
    return {BetAction::Bet, drawnAmount(stake, draw)};
}
