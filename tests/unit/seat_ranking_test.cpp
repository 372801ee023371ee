// Seats ranked best first: every seat but the excluded one, the seats out of
// the hand last, and ties of category and number settled by the key suit.
#include "eval/hand_result.h"
#include "fake/fake_console.h"
#include "game/game_table.h"
#include "support/hand_text.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <set>
#include <utility>

namespace {

HandResult result(int rank, int keyNumber, int keySuit) {
    HandResult grade;
    grade.rank = rank;
    grade.keyNumber = keyNumber;
    grade.keySuit = keySuit;
    return grade;
}

TEST(BeatsTest, CategoryThenNumberThenSuit) {
    struct Pair {
        HandResult stronger;
        HandResult weaker;
        const char* why;
    };
    const Pair pairs[] = {
        {result(OnePair, 2, Clubs), result(HighCard, 14, Spades), "a pair of 2s over Ace high"},
        {result(BackStraight, 14, Clubs), result(Straight, 13, Spades), "back straight over straight"},
        {result(Mountain, 14, Clubs), result(BackStraight, 14, Spades), "mountain over back straight"},
        {result(Flush, 7, Clubs), result(Mountain, 14, Spades), "flush over mountain"},
        {result(FullHouse, 2, Clubs), result(Flush, 14, Spades), "full house over flush"},
        {result(Flush, 12, Hearts), result(Flush, 12, Clubs), "same flush number: the suit"},
        {result(TwoPair, 9, Spades), result(TwoPair, 9, Diamonds), "same top pair: the suit"},
        {result(OnePair, 10, Clubs), result(OnePair, 9, Spades), "same category: the number"},
    };
    for (const Pair& pair : pairs) {
        EXPECT_TRUE(beats(pair.stronger, pair.weaker)) << pair.why;
        EXPECT_FALSE(beats(pair.weaker, pair.stronger)) << pair.why;
    }
    EXPECT_FALSE(beats(HandResult{}, HandResult{})) << "a complete tie beats neither way";
}

// A table of seven seats in the hand, whose seats are then given the hands.
class SeatRankingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::reset();
        table = std::make_unique<GameTable>();
        std::array<std::unique_ptr<Player>, GameTable::seatCount> players;
        for (auto& player : players) {
            player = std::make_unique<Player>(0, 0, 1, 0);
        }
        table->seatPlayers(std::move(players));
    }

    void give(int seat, const char* cards) {
        hands[static_cast<std::size_t>(seat)] = std::make_unique<HandText>(cards);
        Player& player = *table->seat(seat);
        player.clearHand();
        for (const auto& card : hands[static_cast<std::size_t>(seat)]->cards()) {
            player.receiveCard(card.get());
        }
    }

    void expectEntry(int index, int seat, int rank, int keyNumber, int keySuit) {
        const HandResult& entry = table->rankingEntry(index);
        EXPECT_EQ(entry.seat, seat) << "entry " << index;
        EXPECT_EQ(entry.rank, rank) << "entry " << index;
        EXPECT_EQ(entry.keyNumber, keyNumber) << "entry " << index;
        EXPECT_EQ(entry.keySuit, keySuit) << "entry " << index;
    }

    std::unique_ptr<GameTable> table;
    std::array<std::unique_ptr<HandText>, GameTable::seatCount> hands;
};

TEST_F(SeatRankingTest, ExcludedSeatLeftOutAndSeatsOutOfTheHandLast) {
    give(0, "10S JS QS KS AS 2C 2D"); // the best hand, but out of the hand
    give(1, "9C 9H 2D 3S 5C");
    give(2, "9D 9S 4C 6H 7D"); // the same pair of nines, with the higher suit
    give(3, "AC AD AH AS KD");   // excluded
    give(4, "KC 3D 5H");
    give(5, "QC QD QH");
    give(6, "4C 4D 8S 8D");
    table->seat(0)->setInHand(false);
    table->seat(5)->setInHand(false);

    table->rankSeats(3, true);

    expectEntry(0, 6, TwoPair, 8, Spades);
    expectEntry(1, 2, OnePair, 9, Spades);
    expectEntry(2, 1, OnePair, 9, Hearts);
    expectEntry(3, 4, HighCard, 13, Clubs);
    const std::set<int> lastTwo = {table->rankingEntry(4).seat, table->rankingEntry(5).seat};
    EXPECT_EQ(lastTwo, (std::set<int>{0, 5}));
    for (int index = 4; index < GameTable::rankingSize; ++index) {
        expectEntry(index, table->rankingEntry(index).seat, HighCard, 0, 0);
    }
}

TEST_F(SeatRankingTest, OthersRankedByWhatTheyShow) {
    give(0, "2C 3D 4H");
    give(1, "*AC *AD 5S"); // a hidden pair of Aces, showing a five
    give(2, "*3C *7D 9H");
    for (int seat = 3; seat < GameTable::seatCount; ++seat) {
        give(seat, "");
    }

    table->rankSeats(0, false);
    expectEntry(0, 2, HighCard, 9, Hearts);
    expectEntry(1, 1, HighCard, 5, Spades);

    table->rankSeats(0, true);
    expectEntry(0, 1, OnePair, 14, Diamonds);
}

} // namespace
