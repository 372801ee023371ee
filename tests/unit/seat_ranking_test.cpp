// Seats ranked best first: every seat but the excluded one, the seats out of
// the hand last, and ties of category and number settled by the key suit.
#include "eval/hand_evaluator.h"
#include "eval/hand_result.h"
#include "eval/seat_ranking.h"
#include "support/hand_results.h"
#include "support/hand_text.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <memory>
#include <set>
#include <string>
#include <utility>

namespace {

TEST(BeatsTest, CategoryThenNumberThenSuit) {
    struct Pair {
        HandResult stronger;
        HandResult weaker;
        const char* why;
    };
    const Pair pairs[] = {
        {handResult(OnePair, 2, Clubs), handResult(HighCard, 14, Spades), "a pair of 2s over Ace high"},
        {handResult(BackStraight, 14, Clubs), handResult(Straight, 13, Spades), "back straight over straight"},
        {handResult(Mountain, 14, Clubs), handResult(BackStraight, 14, Spades), "mountain over back straight"},
        {handResult(Flush, 7, Clubs), handResult(Mountain, 14, Spades), "flush over mountain"},
        {handResult(FullHouse, 2, Clubs), handResult(Flush, 14, Spades), "full house over flush"},
        {handResult(Flush, 12, Hearts), handResult(Flush, 12, Clubs), "same flush number: the suit"},
        {handResult(TwoPair, 9, Spades), handResult(TwoPair, 9, Diamonds), "same top pair: the suit"},
        {handResult(OnePair, 10, Clubs), handResult(OnePair, 9, Spades), "same category: the number"},
    };
    for (const Pair& pair : pairs) {
        EXPECT_TRUE(beats(pair.stronger, pair.weaker)) << pair.why;
        EXPECT_FALSE(beats(pair.weaker, pair.stronger)) << pair.why;
    }
    EXPECT_FALSE(beats(HandResult{}, HandResult{})) << "a complete tie beats neither way";
}

// Seven seats in the hand, each holding the cards of a hand text.
class SeatRankingTest : public ::testing::Test {
  protected:
    void give(int seat, const char* cards) {
        const auto s = static_cast<std::size_t>(seat);
        hands[s] = std::make_unique<HandText>(cards);
        seats[s] = {hands[s]->slots(), true};
    }

    void rank(int excluded, bool withHidden) { rankSeats(seats, excluded, withHidden, evaluator, ranking); }

    void expectEntry(int index, int seat, int rank, int keyNumber, int keySuit) {
        const HandResult& entry = ranking[static_cast<std::size_t>(index)];
        EXPECT_EQ(entry.seat, seat) << "entry " << index;
        EXPECT_EQ(entry.rank, rank) << "entry " << index;
        EXPECT_EQ(entry.keyNumber, keyNumber) << "entry " << index;
        EXPECT_EQ(entry.keySuit, keySuit) << "entry " << index;
    }

    HandEvaluator evaluator;
    std::array<std::unique_ptr<HandText>, 7> hands;
    std::array<SeatHand, 7> seats{};
    std::array<HandResult, 6> ranking{};
};

TEST_F(SeatRankingTest, ExcludedSeatLeftOutAndSeatsOutOfTheHandLast) {
    give(0, "10S JS QS KS AS 2C 2D"); // the best hand, but out of the hand
    give(1, "9C 9H 2D 3S 5C");
    give(2, "9D 9S 4C 6H 7D"); // the same pair of nines, with the higher suit
    give(3, "AC AD AH AS KD");   // excluded
    give(4, "KC 3D 5H");
    give(5, "QC QD QH");
    give(6, "4C 4D 8S 8D");
    seats[0].inHand = false;
    seats[5].inHand = false;

    rank(3, true);

    expectEntry(0, 6, TwoPair, 8, Spades);
    expectEntry(1, 2, OnePair, 9, Spades);
    expectEntry(2, 1, OnePair, 9, Hearts);
    expectEntry(3, 4, HighCard, 13, Clubs);
    const std::set<int> lastTwo = {ranking[4].seat, ranking[5].seat};
    EXPECT_EQ(lastTwo, (std::set<int>{0, 5}));
    for (int index = 4; index < 6; ++index) {
        expectEntry(index, ranking[static_cast<std::size_t>(index)].seat, HighCard, 0, 0);
    }
}

TEST_F(SeatRankingTest, OthersRankedByWhatTheyShow) {
    give(0, "2C 3D 4H");
    give(1, "*AC *AD 5S"); // a hidden pair of Aces, showing a five
    give(2, "*3C *7D 9H");
    for (int seat = 3; seat < 7; ++seat) {
        give(seat, "");
    }

    rank(0, false);
    expectEntry(0, 2, HighCard, 9, Hearts);
    expectEntry(1, 1, HighCard, 5, Spades);

    rank(0, true);
    expectEntry(0, 1, OnePair, 14, Diamonds);
}

} // namespace
