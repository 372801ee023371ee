// Dealing on a table laid out as the set-up lays it out: who gets which card
// in which order, which cards are hole cards and which show their face, and
// how long it takes.
#include "card_pictures.h"
#include "console/screen.h"
#include "fake/fake_console.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "platform/console.h"
#include "support/table_seats.h"

#include <array>
#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace {

class DealTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::reset();
        table.seatPlayers(tableSeats());
    }

    // Only the given seats take part in the hand.
    void onlyInHand(std::initializer_list<int> inHand) {
        for (int i = 0; i < GameTable::seatCount; ++i) {
            table.seat(i)->setInHand(false);
        }
        for (int i : inHand) {
            table.seat(i)->setInHand(true);
        }
    }

    GameTable table;
};

TEST_F(DealTest, EveryPassServesTheSeatsFromTheFirstSeatOnwardsAndWraps) {
    const int order[] = {5, 6, 0, 1, 2, 3, 4};
    table.deal(3, 5);
    for (int pass = 0; pass < 3; ++pass) {
        for (int k = 0; k < 7; ++k) {
            EXPECT_EQ(table.seat(order[k])->getCards()[pass], table.getDeck().at(pass * 7 + k))
                << "pass " << pass << ", seat " << order[k];
        }
    }
    EXPECT_EQ(fake::clockMs(), 21 * 500);
}

TEST_F(DealTest, OpeningDealHidesTheFirstTwoCardsAndShowsThePersonsAtOnce) {
    onlyInHand({0, 2});
    table.deal(3, 0);
    EXPECT_EQ(fake::clockMs(), 6 * 500);
    for (int seat : {0, 2}) {
        Card* const* cards = table.seat(seat)->getCards();
        ASSERT_EQ(table.seat(seat)->getCardCount(), 3);
        EXPECT_EQ(cards[0]->isHidden(), 1) << seat;
        EXPECT_EQ(cards[1]->isHidden(), 1) << seat;
        EXPECT_EQ(cards[2]->isHidden(), 0) << seat;
        EXPECT_FALSE(cards[2]->isFaceDown()) << seat;
    }
    Card* const* person = table.seat(0)->getCards();
    EXPECT_FALSE(person[0]->isFaceDown());
    EXPECT_FALSE(person[1]->isFaceDown());
    Card* const* computer = table.seat(2)->getCards();
    EXPECT_TRUE(computer[0]->isFaceDown());
    EXPECT_TRUE(computer[1]->isFaceDown());
    pictures::expectPicture(pictures::back, 62, 2, 4);
    pictures::expectPicture(pictures::back, 66, 2, 4);
    EXPECT_EQ(table.getDeck().at(6)->isDealt(), 0);
    for (int seat : {1, 3, 4, 5, 6}) {
        EXPECT_EQ(table.seat(seat)->getCardCount(), 0) << seat;
    }
}

TEST_F(DealTest, SeatOutOfTheHandGetsNothingAndCostsNoTime) {
    table.deal(3, 0);
    table.seat(3)->setInHand(false); // folded
    const long long before = fake::clockMs();
    table.deal(1, 0);
    EXPECT_EQ(fake::clockMs() - before, 6 * 500);
    EXPECT_EQ(table.seat(3)->getCardCount(), 3);
    EXPECT_EQ(table.getDeck().at(26)->isDealt(), 1);
    EXPECT_EQ(table.getDeck().at(27)->isDealt(), 0);
    for (int seat : {0, 1, 2, 4, 5, 6}) {
        const Player& player = *table.seat(seat);
        ASSERT_EQ(player.getCardCount(), 4) << seat;
        EXPECT_EQ(player.getCards()[3]->isHidden(), 0) << seat;
        EXPECT_FALSE(player.getCards()[3]->isFaceDown()) << seat;
    }
}

TEST_F(DealTest, NameInTheMiddleIsWipedExactly) {
    fake::typeLine("홍길동");
    table.seat(0)->readName();
    // Marks just outside the widest name, "Computer1", nine cells centred
    // on the turn marker's column.
    const layout::Place name = layout::turnMarker;
    screen::gotoXY(name.x - 5, name.y);
    platform::write("<");
    screen::gotoXY(name.x + 5, name.y);
    platform::write(">");
    table.deal(1, 0);
    EXPECT_EQ(fake::text(name.x - 5, name.y, 11), "<         >");
}

TEST(GameTableSeats, ReseatingReleasesTheOldSeats) {
    fake::reset();
    {
        GameTable table;
        table.freeSeats(); // no seats yet: nothing to do
        table.seatPlayers(tableSeats());
        table.deal(3, 0);
        table.seatPlayers(tableSeats());
        EXPECT_EQ(table.seat(1)->getName(), "Computer1");
        EXPECT_EQ(table.seat(6)->getName(), "Computer6");
        EXPECT_EQ(table.seat(1)->getCardCount(), 0);
    }
    GameTable second; // a second table after the first is gone
    second.seatPlayers(tableSeats());
    EXPECT_EQ(second.seat(0)->getMoney(), Player::startMoney);
}

} // namespace
