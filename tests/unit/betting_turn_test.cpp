// One seat's betting turn on a laid-out table: the computer's decision
// carried out (what is paid, what the stake becomes, what the table shows,
// how long it takes), what a computer gets to see, the person's choices, and
// the turn that finds nobody else left in the hand.
#include "fake/fake_console.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "platform/text_width.h"
#include "support/hand_text.h"
#include "support/scripted_draws.h"
#include "support/table_seats.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

bool shows(const std::string& row, const std::string& text) { return row.find(text) != std::string::npos; }

class BettingTurnTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::reset();
        table.seatPlayers(tableSeats());
        fake::typeLine("me");
        seat(0).readName();
        for (int s = 3; s < GameTable::seatCount; ++s) {
            seat(s).setInHand(false);
            seat(s).setSeated(false);
        }
        for (int s = 0; s < GameTable::seatCount; ++s) {
            seat(s).drawPanel();
        }
        give(0, "*2C *3D 6H");
        give(1, "*5C *7D 9H");
        give(2, "*4S *8C 10D");
    }
    void TearDown() override { fake::whenScriptRunsOut(nullptr); }

    Player& seat(int s) { return *table.seat(s); }

    void give(int s, const char* text) {
        hands.push_back(std::make_unique<HandText>(text));
        seat(s).clearHand();
        for (const auto& card : hands.back()->cards()) {
            seat(s).receiveCard(card.get());
        }
    }

    // Seat s takes its turn in the given round with scripted chance;
    // true while the hand's betting goes on.
    bool turn(int s, int street, std::vector<int> numbers, bool simulation = false) {
        const ScriptedDraws draws(std::move(numbers));
        table.useDraws(draws);
        bool running = true;
        const long long start = fake::clockMs();
        table.bettingTurn(s, street, simulation, running);
        took = fake::clockMs() - start;
        drawsUsed = draws.used();
        return running;
    }

    bool markerShows(int s) { return shows(fake::row(layout::turnMarker.y), seat(s).getName()); }
    // The cells of a label with the given text and one cell either side: a
    // stale digit or bracket of a longer label would show there.
    std::string labelArea(int s, const std::string& text) {
        const layout::SeatPlace& place = layout::seats[static_cast<std::size_t>(s)];
        const int line = place.labelPlacement == layout::labelAbove ? place.panelY - 1 : place.panelY + 12;
        const int cells = platform::cellWidth(text);
        return fake::text(place.panelX + 21 - cells / 2 - 1, line, cells + 2);
    }
    void expectLabel(int s, const std::string& text) { EXPECT_EQ(labelArea(s, text), " " + text + " "); }
    void expectNoLabel(int s, const std::string& was) {
        EXPECT_EQ(labelArea(s, was), std::string(static_cast<std::size_t>(platform::cellWidth(was)) + 2, ' '));
    }
    bool panelFilled(int s) {
        const layout::SeatPlace& place = layout::seats[static_cast<std::size_t>(s)];
        return fake::cell(place.panelX + 2, place.panelY + 1) == "▩";
    }

    GameTable table;
    std::vector<std::unique_ptr<HandText>> hands;
    long long took = 0;
    std::size_t drawsUsed = 0;
};

TEST_F(BettingTurnTest, ComputerBetIsPaidAndShownAndTheTurnEndsAfterAPause) {
    EXPECT_TRUE(turn(1, 0, {1, 1, 5}));
    EXPECT_EQ(seat(1).getMoney(), 1000000 - 150);
    EXPECT_EQ(table.getPot(), 150);
    EXPECT_EQ(table.getStake(), 100) << "a bet leaves the stake";
    expectLabel(1, "Computer1(금액:999850)");
    EXPECT_TRUE(shows(fake::row(layout::betLine.y), "150 원 배팅!!!"));
    EXPECT_TRUE(shows(fake::row(layout::potLine.y), "현재 금액 : 150"));
    EXPECT_EQ(took, 1000 + 500);
    EXPECT_FALSE(markerShows(1));
    EXPECT_EQ(drawsUsed, 3u);
}

TEST_F(BettingTurnTest, BetPastTheMoneyTakesItAllAndAnnouncesTheAmountAskedFor) {
    seat(1).pay(1000000 - 50);
    EXPECT_TRUE(turn(1, 0, {1, 1, 5}));
    EXPECT_EQ(seat(1).getMoney(), 0);
    EXPECT_TRUE(seat(1).isInHand());
    EXPECT_EQ(table.getPot(), 50);
    EXPECT_TRUE(shows(fake::row(layout::betLine.y), "150 원 배팅!!!"));
}

TEST_F(BettingTurnTest, ComputerRaiseDoublesTheStakeForTheSeatsAfterIt) {
    EXPECT_TRUE(turn(1, 0, {1, 0, 10}));
    EXPECT_EQ(seat(1).getMoney(), 1000000 - 200);
    EXPECT_EQ(table.getPot(), 200);
    EXPECT_EQ(table.getStake(), 200);
    EXPECT_TRUE(shows(fake::row(layout::stakeLine.y), "현재 판돈 : 200"));
    EXPECT_TRUE(shows(fake::row(layout::betLine.y), "200 원 배팅!!!"));
    // No pause, the label redrawn with the money after the raise, the
    // marker left standing.
    EXPECT_EQ(took, 1000);
    expectLabel(1, "Computer1(금액:999800)");
    EXPECT_TRUE(markerShows(1));

    EXPECT_TRUE(turn(2, 0, {1, 1, 10}));
    EXPECT_EQ(seat(2).getMoney(), 1000000 - 400) << "twice the doubled stake";
    EXPECT_EQ(table.getPot(), 600);
}

// A fold after a raise redraws the panel and then wipes the label: nothing
// of it is left.
TEST_F(BettingTurnTest, AFoldAfterARaiseLeavesNothingOfTheLabel) {
    EXPECT_TRUE(turn(1, 0, {1, 0, 10}));
    EXPECT_TRUE(turn(2, 0, {1, 1, 10}));
    expectLabel(1, "Computer1(금액:999800)");
    EXPECT_TRUE(turn(1, 2, {0}));
    expectNoLabel(1, "Computer1(금액:999800)");
    EXPECT_FALSE(markerShows(1));
}

TEST_F(BettingTurnTest, ComputerFoldFillsItsPanelWithoutAPause) {
    EXPECT_TRUE(turn(1, 0, {0}));
    EXPECT_FALSE(seat(1).isInHand());
    EXPECT_TRUE(panelFilled(1));
    expectNoLabel(1, "Computer1(금액:1000000)");
    EXPECT_FALSE(markerShows(1));
    EXPECT_EQ(took, 1000);
    EXPECT_EQ(seat(1).getMoney(), 1000000);
    EXPECT_EQ(table.getPot(), 0);
}

// The computer holds a pair of Kings in the hole; the other seat shows a
// pair of nines over a hidden pair of fours. Seen as the rules have it,
// pair against pair: no reason to fold. Seeing the others' hole cards
// (a full house), or missing its own (King high), it would fold.
TEST_F(BettingTurnTest, ComputerJudgesTheOthersByTheirOpenCardsAndItselfByAll) {
    give(1, "*KC *KD 2S 5H 7C");
    give(2, "*4C *4D 4S 9H 9D");
    give(0, "*2C *3D 6H 8S 10C");
    EXPECT_TRUE(turn(1, 2, {1, 1, 0}));
    EXPECT_TRUE(seat(1).isInHand());
    EXPECT_EQ(seat(1).getMoney(), 1000000 - 100);
}

TEST_F(BettingTurnTest, SeatLeftAloneInTheHandEndsTheBettingWithoutActing) {
    seat(0).setInHand(false);
    seat(2).setInHand(false);
    EXPECT_FALSE(turn(1, 1, {}));
    EXPECT_EQ(drawsUsed, 0u);
    EXPECT_EQ(took, 0);
    EXPECT_EQ(seat(1).getMoney(), 1000000);
    EXPECT_TRUE(markerShows(1));
}

TEST_F(BettingTurnTest, PersonBetsWithinTheBoundsWithoutChangingTheStake) {
    fake::type("1\n150\n");
    EXPECT_TRUE(turn(0, 0, {}));
    EXPECT_EQ(seat(0).getMoney(), 1000000 - 150);
    EXPECT_EQ(table.getPot(), 150);
    EXPECT_EQ(table.getStake(), 100);
    expectLabel(0, "me(금액:999850)");
    EXPECT_TRUE(shows(fake::row(layout::betLine.y), "150 원 배팅!!!"));
    EXPECT_EQ(took, 1000 + 500);
    EXPECT_FALSE(markerShows(0));
    EXPECT_EQ(drawsUsed, 0u);
}

TEST_F(BettingTurnTest, PersonDiesAndWaitsForTheNextHand) {
    fake::type("2\n");
    EXPECT_TRUE(turn(0, 0, {}));
    EXPECT_FALSE(seat(0).isInHand());
    EXPECT_TRUE(panelFilled(0));
    expectNoLabel(0, "me(금액:1000000)");
    EXPECT_EQ(took, 1000 + 500);
    EXPECT_FALSE(markerShows(0));
}

class PassTest : public BettingTurnTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PassTest, AnyOtherNumberKeepsThePersonInWithoutPaying) {
    fake::typeLine(GetParam());
    EXPECT_TRUE(turn(0, 0, {}));
    EXPECT_EQ(fake::scriptLeft(), 0u);
    EXPECT_TRUE(seat(0).isInHand());
    EXPECT_FALSE(panelFilled(0));
    EXPECT_EQ(seat(0).getMoney(), 1000000);
    EXPECT_EQ(table.getPot(), 0);
    expectLabel(0, "me(금액:1000000)");
    EXPECT_EQ(took, 1000 + 500);
    EXPECT_FALSE(markerShows(0));
}

INSTANTIATE_TEST_SUITE_P(Numbers, PassTest, ::testing::Values("0", "-5", "3", "99"));

TEST_F(BettingTurnTest, SimulationLetsThePolicyPlayThePersonsSeat) {
    EXPECT_TRUE(turn(0, 0, {1, 1, 0}, true));
    EXPECT_EQ(drawsUsed, 3u);
    EXPECT_EQ(seat(0).getMoney(), 1000000 - 100);
}

} // namespace
