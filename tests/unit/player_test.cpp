// A seat: the computers' names, payments capped at the balance, the seat
// that is not in use, the name typed by the person, and the fan of cards.
#include "card_pictures.h"
#include "fake/fake_console.h"
#include "platform/console.h"
#include "players/player.h"

#include <climits>
#include <string>

#include <gtest/gtest.h>

namespace {

class PlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::reset();
        computerCounter = 1;
    }
};

TEST_F(PlayerTest, ComputersTakeTheCounterInTheOrderTheyAreCreated) {
    for (int game = 0; game < 2; ++game) {
        computerCounter = 1; // as every set-up does
        for (int n = 1; n <= 6; ++n) {
            EXPECT_EQ(Player(0, 0, 1, 1).getName(), "Computer" + std::to_string(n));
        }
        EXPECT_EQ(Player(0, 0, 0, 0).getName(), "");
        EXPECT_EQ(Player(0, 0, 2, 0).getName(), ""); // only 1 means a computer
        EXPECT_EQ(computerCounter, 7);
    }
}

TEST_F(PlayerTest, PayTakesAtMostTheBalance) {
    const struct {
        int amount;
        int taken;
        int left;
    } cases[] = {
        {1000001, 1000000, 0}, {INT_MAX, 1000000, 0}, {1000000, 1000000, 0}, {0, 0, 1000000}, {250, 250, 999750},
    };
    for (const auto& c : cases) {
        Player seat(0, 0, 1, 1);
        EXPECT_EQ(seat.pay(c.amount), c.taken) << c.amount;
        EXPECT_EQ(seat.getMoney(), c.left) << c.amount;
    }
    Player broke(0, 0, 1, 1);
    broke.pay(Player::startMoney);
    EXPECT_EQ(broke.pay(100), 0);
    EXPECT_EQ(broke.getMoney(), 0);
}

TEST_F(PlayerTest, SeatNotInUseNeverJoinsAHand) {
    Player seat(0, 0, 1, 1);
    EXPECT_TRUE(seat.isInHand());
    EXPECT_TRUE(seat.isSeated());
    seat.setInHand(false);
    seat.setSeated(false);
    EXPECT_FALSE(seat.isInHand());
    seat.setInHand(true);
    EXPECT_FALSE(seat.isInHand());

    Player folded(0, 0, 1, 1);
    folded.setSeated(false); // leaves the hand flag as it is
    EXPECT_TRUE(folded.isInHand());
    folded.setInHand(false);
    EXPECT_TRUE(folded.isInHand());
}

TEST_F(PlayerTest, NameIsTheFirstTypedWordAndTheRestWaits) {
    Player person(84, 26, 0, 0);
    fake::typeLine("  홍길동 3");
    person.readName();
    EXPECT_EQ(person.getName(), "홍길동");
    EXPECT_EQ(platform::readInt(), 3);
}

TEST_F(PlayerTest, EndOfInputAtTheNameEndsTheProgram) {
    Player person(84, 26, 0, 0);
    EXPECT_THROW(person.readName(), platform::InputClosed);
    EXPECT_EQ(person.getName(), "");
}

// Each card lies four cells right of the one before and covers all of it but
// its left edge and the corner slot with the number.
TEST_F(PlayerTest, FanShowsTheCornerOfEveryEarlierCard) {
    Card king(0, 0, Clubs, 13);
    Card ten(0, 0, Hearts, 10);
    Card hole(0, 0, Spades, 4);
    Card fourth(0, 0, Spades, 5);
    Player seat(16, 1, 1, 1);
    seat.receiveCard(&king);
    seat.flipUpLast();
    seat.receiveCard(&ten);
    seat.flipUpLast();
    seat.receiveCard(&hole);

    EXPECT_EQ(ten.getX(), 22);
    EXPECT_EQ(hole.getX(), 26);
    EXPECT_EQ(hole.getY(), 2);
    pictures::expectPicture(pictures::kingOfClubs, 18, 2, 4);
    pictures::expectPicture(pictures::tenOfHearts, 22, 2, 4);
    pictures::expectPicture(pictures::back, 26, 2);
    EXPECT_EQ(fake::attributeAt(24, 3), platform::attrRed);
    EXPECT_EQ(fake::attributeAt(25, 3), platform::attrRed);
    EXPECT_TRUE(hole.isFaceDown());

    seat.receiveCard(&fourth);
    EXPECT_EQ(fourth.getX(), 16 + 14);
    EXPECT_EQ(seat.getCardCount(), 4);
    EXPECT_EQ(seat.getCards()[3], &fourth);
    EXPECT_EQ(seat.getCards()[4], nullptr);
    seat.flipUpAll();
    EXPECT_FALSE(hole.isFaceDown());
    // Turned up in slot order, so each corner still shows beside the next card.
    pictures::expectPicture(pictures::kingOfClubs, 18, 2, 4);
    pictures::expectPicture(pictures::tenOfHearts, 22, 2, 4);
    EXPECT_EQ(fake::text(26, 3, 4), "│4 ");
    EXPECT_EQ(fake::text(26, 4, 4), "│♤");
    EXPECT_EQ(fake::text(30, 3, 4), "│5 ");
}

TEST_F(PlayerTest, ClearHandKeepsEverythingButTheCards) {
    Card first(0, 0, Clubs, 2);
    Card second(0, 0, Clubs, 3);
    Player seat(84, 26, 0, 0);
    fake::typeLine("Ann");
    seat.readName();
    seat.receiveCard(&first);
    seat.pay(10);
    seat.setInHand(false);
    seat.clearHand();
    EXPECT_EQ(seat.getCardCount(), 0);
    EXPECT_EQ(seat.getCards()[0], nullptr);
    EXPECT_FALSE(seat.isInHand());
    EXPECT_EQ(seat.getMoney(), 999990);
    EXPECT_EQ(seat.getName(), "Ann");
    seat.receiveCard(&second);
    EXPECT_EQ(second.getX(), 86);
    EXPECT_EQ(second.getY(), 27);
}

} // namespace
