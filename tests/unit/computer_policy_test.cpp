// The computer betting policy as a decision: every row of its table, with
// the draws scripted, and how many draws each decision takes from chance.
#include "eval/hand_result.h"
#include "cards/card.h"
#include "game/computer_policy.h"
#include "support/hand_results.h"
#include "support/scripted_draws.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct PolicyCase {
    const char* what;
    int street;
    int own;       // the computer's own category, keyed on a 2
    int bestShown; // the best category the others show, keyed on an Ace
    int stake;
    std::vector<int> draws;
    BetAction action;
    long long amount;
    std::size_t drawsUsed;
};

void PrintTo(const PolicyCase& c, std::ostream* os) { *os << c.what; }

class ComputerPolicyTest : public ::testing::TestWithParam<PolicyCase> {};

TEST_P(ComputerPolicyTest, DecidesAsItsTableSays) {
    const PolicyCase& c = GetParam();
    const ScriptedDraws draws(c.draws);
    const BetDecision decision = decideBet(c.street, handResult(c.own, 2, Clubs), handResult(c.bestShown, 14, Clubs), c.stake, draws);
    EXPECT_EQ(decision.action, c.action);
    EXPECT_EQ(decision.amount, c.amount);
    EXPECT_EQ(draws.used(), c.drawsUsed) << "the game's chance must be drawn the same number of times";
}

constexpr auto Fold = BetAction::Fold;
constexpr auto Raise = BetAction::Raise;
constexpr auto Bet = BetAction::Bet;

INSTANTIATE_TEST_SUITE_P(
    Rows, ComputerPolicyTest,
    ::testing::Values(
        // One chance in 40 to fold at once, whatever the cards.
        PolicyCase{"SurpriseFoldOnZero", 0, OnePair, HighCard, 100, {0}, Fold, 0, 1},
        PolicyCase{"SurpriseFoldOnAMultipleOf40", 0, OnePair, HighCard, 100, {80}, Fold, 0, 1},
        PolicyCase{"SurpriseFoldWhenAheadLate", 3, FullHouse, HighCard, 100, {40}, Fold, 0, 1},
        PolicyCase{"NoSurpriseFoldOn39Or41", 0, OnePair, HighCard, 100, {39, 41, 3}, Bet, 130, 3},
        // Then one in 40 to raise, by the same amounts as a bet.
        PolicyCase{"RaiseOfTheStakeOnAmountDraw0", 0, HighCard, HighCard, 100, {1, 0, 0}, Raise, 100, 3},
        PolicyCase{"RaiseOfTwiceTheStakeOnAmountDraw10", 1, HighCard, HighCard, 100, {1, 120, 10}, Raise, 200, 3},
        PolicyCase{"RaiseEvenWhenBehindLate", 3, HighCard, Triple, 100, {1, 40, 5}, Raise, 150, 3},
        // Bets of 100 % to 200 % of the stake, truncated.
        PolicyCase{"BetOf105OnAStakeOf105", 0, HighCard, HighCard, 105, {1, 1, 0}, Bet, 105, 3},
        PolicyCase{"BetOf115OnAStakeOf105", 0, HighCard, HighCard, 105, {1, 1, 1}, Bet, 115, 3},
        PolicyCase{"BetOf210OnAStakeOf105", 0, HighCard, HighCard, 105, {1, 1, 10}, Bet, 210, 3},
        PolicyCase{"AmountDrawTakenModulo11", 0, HighCard, HighCard, 105, {1, 1, 21}, Bet, 210, 3},
        PolicyCase{"AmountDrawOf11IsTheStake", 0, HighCard, HighCard, 105, {1, 1, 11}, Bet, 105, 3},
        PolicyCase{"AmountPast32Bits", 0, HighCard, HighCard, 2000000000, {1, 1, 10}, Bet, 4000000000LL, 3},
        // From the third round on, a computer beaten by what another seat
        // shows folds, without drawing an amount.
        PolicyCase{"BehindInRound3Folds", 2, OnePair, TwoPair, 100, {1, 1}, Fold, 0, 2},
        PolicyCase{"BehindInRound4Folds", 3, HighCard, OnePair, 100, {1, 1}, Fold, 0, 2},
        PolicyCase{"BehindInRound2Bets", 1, HighCard, FourCard, 100, {1, 1, 0}, Bet, 100, 3},
        PolicyCase{"BehindInRound1Bets", 0, HighCard, FourCard, 100, {1, 1, 0}, Bet, 100, 3},
        // Only the category counts: a lower key card of the same category is not behind.
        PolicyCase{"SameCategoryLateBets", 2, OnePair, OnePair, 100, {1, 1, 2}, Bet, 120, 3},
        PolicyCase{"AheadLateBets", 3, Flush, Straight, 100, {1, 1, 2}, Bet, 120, 3}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
