// Long names and large amounts, drawn at every place of a laid-out table
// that shows them (labels, the pot line, the bet line, the turn marker, the
// winner line, the final line and its press-a-key prompt): no cell of the
// frame, a panel or the deck changes, and every text is shown whole.
#include "console/screen.h"
#include "fake/box_outlines.h"
#include "fake/fake_console.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "platform/console.h"
#include "support/hand_results.h"
#include "support/table_seats.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct LongTexts {
    const char* what;
    std::string typedName;
    std::string name; // as the game keeps it
    int money;        // each seat's
    int bet;
};

TEST(TableBoxes, LongNamesAndLargeAmountsCoverNoBox) {
    const std::vector<LongTexts> cases = {
        {"five syllables, seven-digit money and bet", "가나다라마", "가나다라마", 7000000, 7000000},
        {"ten letters, a five-digit bet", "abcdefghij", "abcdefghij", 1234567, 17664},
        {"twenty syllables typed, cut to five", "가나다라마바사아자차카타파하가나다라마바", "가나다라마", 999999, 99999},
        {"five emoji", "🚀🚀🚀🚀🚀", "🚀🚀🚀🚀🚀", 7000000, 10000},
    };
    for (const LongTexts& c : cases) {
        SCOPED_TRACE(c.what);
        fake::reset();
        GameTable table;
        table.seatPlayers(tableSeats());
        Player& person = *table.seat(0);
        fake::typeLine(c.typedName);
        person.readName();
        ASSERT_EQ(person.getName(), c.name);
        screen::gotoXY(0, 0);
        screen::drawFrame(layout::width, layout::height);
        table.getDeckCard()->draw();
        for (int s = 0; s < GameTable::seatCount; ++s) {
            table.seat(s)->addMoney(c.money - Player::startMoney);
            table.seat(s)->drawPanel();
        }
        std::vector<std::string> damage;
        fake::atEveryWait([&] {
            const auto found = fake::damagedBoxes(true);
            damage.insert(damage.end(), found.begin(), found.end());
        });
        const std::string label = c.name + "(금액:" + std::to_string(c.money) + ")";
        EXPECT_NE(fake::row(layout::seats[0].panelY - 1).find(label), std::string::npos);

        table.payBet(1, c.bet);
        table.showStatus();
        table.announceBet(c.bet);
        EXPECT_NE(fake::row(layout::betLine.y).find(std::to_string(c.bet) + " 원 배팅!!!"), std::string::npos);
        // A turn that finds nobody else in the hand shows its marker and ends.
        for (int s = 1; s < GameTable::seatCount; ++s) {
            table.seat(s)->setInHand(false);
        }
        bool running = true;
        table.bettingTurn(0, 0, false, running);
        EXPECT_NE(fake::row(layout::turnMarker.y).find(c.name), std::string::npos);
        // The winner line, then every other seat broke: the final line.
        fake::type("xx");
        table.announceWinner(person, handResult(RoyalStraightFlush, 14, Diamonds));
        for (int s = 1; s < GameTable::seatCount; ++s) {
            table.seat(s)->pay(c.money);
        }
        EXPECT_TRUE(table.checkGameOver());
        EXPECT_EQ(fake::pauseCount(), 1);
        const auto atTheEnd = fake::damagedBoxes(true);
        damage.insert(damage.end(), atTheEnd.begin(), atTheEnd.end());
        EXPECT_TRUE(damage.empty()) << damage.size() << " damaged, the first: " << damage.front();
        fake::atEveryWait(nullptr);
    }
}

} // namespace
