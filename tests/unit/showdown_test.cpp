// Who takes the pot at the end of a hand, and who plays the next one.
#include "fake/fake_console.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "support/hand_text.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

class ShowdownTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::reset();
        computerCounter = 1;
        std::array<std::unique_ptr<Player>, GameTable::seatCount> players;
        for (int s = 0; s < GameTable::seatCount; ++s) {
            players[static_cast<std::size_t>(s)] = std::make_unique<Player>(2, 2, s == 0 ? 0 : 1, 0);
        }
        table.seatPlayers(std::move(players));
        for (int s = 3; s < GameTable::seatCount; ++s) {
            table.seat(s)->setInHand(false);
            table.seat(s)->setSeated(false);
        }
    }

    // Gives a seat the cards of a hand text.
    void give(int seat, const char* text) {
        hands.push_back(std::make_unique<HandText>(text));
        for (const auto& card : hands.back()->cards()) {
            table.seat(seat)->receiveCard(card.get());
        }
    }

    // Runs the showdown and answers the winner line's key; returns that line.
    std::string showdown() {
        fake::type("\r");
        table.showdown();
        return fake::row(layout::promptLine.y);
    }

    GameTable table;
    std::vector<std::unique_ptr<HandText>> hands;
};

TEST_F(ShowdownTest, FoldedPersonLosesEvenWithTheBestCards) {
    give(0, "AC AD AH AS 2C 3C 4C");
    give(1, "2D 2H 5S 7C 9D JH KS");
    give(2, "3D 3H 5C 7D 9H JS KD");
    table.payBet(1, 500);
    table.seat(0)->setInHand(false);
    const std::string line = showdown();
    EXPECT_NE(line.find("Computer2님이 3 다이아몬드 원페어 패로 승리하였습니다!"), std::string::npos) << line;
    EXPECT_EQ(table.seat(2)->getMoney(), 1000000 + 500);
}

TEST_F(ShowdownTest, CompleteTieGoesToTheComputer) {
    // Two seats holding the same key card can only happen on a test table,
    // but it pins down who wins when nothing tells the hands apart.
    give(0, "AS 2C 4D 6H 8C 10D QH");
    give(1, "AS 3C 5D 7H 9C JD KH");
    table.seat(2)->setInHand(false);
    EXPECT_NE(showdown().find("Computer1님이 A 스페이드 패로"), std::string::npos);
}

TEST_F(ShowdownTest, PersonWinsOnlyByBeatingTheBestComputer) {
    give(0, "KD KH 2C 4D 6H 8C 10D");
    give(1, "KC KS 3C 5D 7H 9C JD");
    give(2, "QC QS 3D 5H 7C 9D JH");
    EXPECT_NE(showdown().find("님이 K 스페이드 원페어"), std::string::npos);
    fake::reset();
    hands.clear();
    for (int s = 0; s < 3; ++s) {
        table.seat(s)->clearHand();
    }
    give(0, "KD KS 2C 4D 6H 8C 10D");
    give(1, "KC KH 3C 5D 7H 9C JD");
    give(2, "QC QS 3D 5H 7C 9D JH");
    EXPECT_NE(showdown().find("님이 K 스페이드 원페어"), std::string::npos);
    EXPECT_EQ(showdown().rfind("Computer", 0), std::string::npos);
}

TEST_F(ShowdownTest, SeatThatPaidItsLastMoneyAndWinsPlaysOn) {
    give(0, "2C 3D 5H 7S 9C JD KH");
    give(1, "AC AD AH 2D 3H 5S 7C");
    table.payBet(1, 5000000);
    EXPECT_EQ(table.seat(1)->getMoney(), 0);
    table.seat(2)->setInHand(false);
    showdown();
    EXPECT_EQ(table.seat(1)->getMoney(), 1000000);
    EXPECT_FALSE(table.checkGameOver());
    EXPECT_TRUE(table.seat(1)->isInHand());
    EXPECT_TRUE(table.seat(2)->isInHand()); // a fold lasts one hand
    EXPECT_FALSE(table.seat(4)->isInHand());
}

TEST_F(ShowdownTest, GameEndsWhenOneSeatedSeatHasMoney) {
    table.payBet(0, 1000000);
    table.payBet(2, 1000000);
    fake::type("x");
    EXPECT_TRUE(table.checkGameOver());
    EXPECT_NE(fake::row(layout::promptLine.y).find("Computer1님이 포커게임 최종으로 승리하였습니다!"), std::string::npos);
    EXPECT_EQ(fake::pauseCount(), 1);
    EXPECT_FALSE(table.seat(0)->isInHand());
    EXPECT_TRUE(table.seat(1)->isInHand());
}

} // namespace
