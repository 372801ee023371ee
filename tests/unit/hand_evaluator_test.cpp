// The rulebook's worked hands, held against the game's evaluator and against
// the plain step-by-step transcription of the rules alike, so that the
// transcription the random comparisons trust is itself pinned to the rules.
#include "eval/hand_evaluator.h"
#include "fake/fake_console.h"
#include "support/hand_text.h"
#include "support/reference_hand_evaluator.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

namespace {

struct WorkedHand {
    const char* cards;
    HandRank rank;
    int keyNumber;
    Suit keySuit;
};

constexpr WorkedHand workedHands[] = {
    {"2C 5D 9H JD KS 3C 7H", HighCard, 13, Spades},
    {"2C 2D 9H JD KS 3C 7H", OnePair, 2, Diamonds},
    // Only the highest pair keys a two pair.
    {"2C 2D 9H 9D KS KC 7H", TwoPair, 13, Spades},
    {"2S 2H 5S 5H 9S 9H KC", TwoPair, 9, Spades},
    {"9C 9D 9H 9S JS 3C 7H", FourCard, 9, Spades},
    {"3C 3D 3H 9C 9D 9H KS", FullHouse, 9, Diamonds},
    {"KC KD KH 2C 2D 7S 9H", FullHouse, 13, Diamonds},
    {"AC 2D 3H 4D 5S KC KH", BackStraight, 14, Clubs},
    // A run from 2 with an Ace as the seventh card is a back straight, however long.
    {"AC 2D 3H 4D 5S 6C KH", BackStraight, 14, Clubs},
    {"AC AD 2H 3D 4S 5C 9H", BackStraight, 14, Diamonds},
    // Without a seventh card there is no back straight.
    {"AC 2D 3H 4D 5S", HighCard, 14, Clubs},
    {"2C 2D 5H 6D 7S 8C 9H", Straight, 9, Hearts},
    {"10C JD QH KD AS 3C 3H", Mountain, 14, Spades},
    {"5S 6S 7S 8S 9S 2C 2D", StraightFlush, 9, Spades},
    {"4H 5H 6H 7H 8H 4C 2C", StraightFlush, 8, Hearts},
    {"10S JS QS KS AS 2C 2D", RoyalStraightFlush, 14, Spades},
    {"AH 2S 3S 4S 5S 9C KD", BackStraightFlush, 14, Hearts},
    // The walk takes its suit from the run's last card, the 8S, and stops at 7H.
    {"4H 5H 6H 7H 8H 8S 2C", Flush, 8, Hearts},
    {"3C 4C 5C 6C 7C 8H 9H", Flush, 7, Clubs},
    {"6S 7S 8S 9S 5H 10H 2D", StraightFlush, 10, Hearts},
    {"3H 5H 7H 9H JH 9C 9D", Flush, 11, Hearts},
    {"5C 7C 9C JC KC", Flush, 13, Clubs},
    // The walk of a straight flush goes on below the run: the fives are passed
    // over and the 3S is counted.
    {"3S 5H 5D 6S 7S 8S 9S", StraightFlush, 9, Spades},
    // The reference card of a six-number run is the slot below the last one,
    // here the other ten, so these spades are only a flush.
    {"5S 6S 7S 8S 9S 10H 10S", Flush, 10, Spades},
    // A back straight flush counts from the lowest card and needs four.
    {"2S 3S 4S 5H 6S AD KC", BackStraightFlush, 14, Diamonds},
    // A run of four that does not start at 2 is no back straight.
    {"2C 4D 5H 6S 7C 9D AH", HighCard, 14, Hearts},
    // A four keeps its rank beside a triple; a second triple makes a full house.
    {"8C 8D 8H 8S KC KD KH", FourCard, 8, Spades},
    {"4C 4D 4H QC QD QS 2C", FullHouse, 12, Spades},
};

template <typename Evaluator>
void expectWorkedHands(const char* evaluatorName) {
    Evaluator evaluator;
    for (const WorkedHand& worked : workedHands) {
        const HandText hand(worked.cards);
        const HandResult grade = evaluator.evaluate(hand.slots(), true);
        EXPECT_EQ(grade.rank, worked.rank) << evaluatorName << ": " << worked.cards;
        EXPECT_EQ(grade.keyNumber, worked.keyNumber) << evaluatorName << ": " << worked.cards;
        EXPECT_EQ(grade.keySuit, worked.keySuit) << evaluatorName << ": " << worked.cards;
    }
}

TEST(HandEvaluatorTest, WorkedHands) {
    fake::reset();
    expectWorkedHands<HandEvaluator>("evaluator");
    expectWorkedHands<reference::HandEvaluator>("reference");
}

TEST(HandEvaluatorTest, HoleCardsTakePartOnlyWithHidden) {
    fake::reset();
    const HandText hand("*KC *2D KD 5H");
    HandEvaluator evaluator;

    const HandResult all = evaluator.evaluate(hand.slots(), true);
    EXPECT_EQ(all.rank, OnePair);
    EXPECT_EQ(all.keyNumber, 13);
    EXPECT_EQ(all.keySuit, Diamonds);

    const HandResult shown = evaluator.evaluate(hand.slots(), false);
    EXPECT_EQ(shown.rank, HighCard);
    EXPECT_EQ(shown.keyNumber, 13);
    EXPECT_EQ(shown.keySuit, Diamonds);
}

TEST(HandEvaluatorTest, NothingToEvaluateAfterAStrongHand) {
    fake::reset();
    HandEvaluator evaluator;
    const HandText royal("10S JS QS KS AS 2C 2D");
    ASSERT_EQ(evaluator.evaluate(royal.slots(), true).rank, RoyalStraightFlush);

    const std::array<Card*, 7> empty{};
    const HandText onlyHoleCards("*AS *AH");
    for (Card* const* cards : {empty.data(), onlyHoleCards.slots()}) {
        const HandResult grade = evaluator.evaluate(cards, false);
        EXPECT_EQ(grade.rank, HighCard);
        EXPECT_EQ(grade.keyNumber, 0);
        EXPECT_EQ(grade.keySuit, 0);
    }
}

} // namespace
