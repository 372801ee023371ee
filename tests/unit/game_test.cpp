// Whole games and single turns on the fake console, with the table's books
// checked whenever the game waits for the person.
#include "fake/fake_console.h"
#include "fake/seeded_game.h"
#include "fake/whole_game.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "platform/console.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <deque>
#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int promptLine = layout::promptLine.y;
// The person's label, above the panel.
constexpr int personLabelLine = layout::seats[0].panelY - 1;

// A person who answers each wait from a list, and notes what the prompt
// line showed at every wait.
struct ScriptedPerson {
    std::deque<std::string> answers;
    std::vector<std::string> promptsSeen;

    void attach() {
        fake::whenScriptRunsOut([this](fake::Wait) -> std::string {
            promptsSeen.push_back(fake::row(promptLine));
            if (answers.empty()) {
                return "";
            }
            std::string next = answers.front();
            answers.pop_front();
            return next;
        });
    }
};

bool shows(const std::string& row, const char* text) { return row.find(text) != std::string::npos; }

int statusValue(int line) {
    std::smatch m;
    const std::string row = fake::row(line);
    return std::regex_search(row, m, std::regex(": (-?[0-9]+)")) ? std::stoi(m[1]) : -1;
}

class GameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::reset();
        table.randomDraws().seed(7);
    }
    void TearDown() override { fake::whenScriptRunsOut(nullptr); }

    // Plays "Game Start" with one computer until the script ends.
    void playUntilScriptEnds(ScriptedPerson& person) {
        person.attach();
        EXPECT_THROW(table.playGame(false), platform::InputClosed);
    }

    GameTable table;
};

TEST_F(GameTest, SimulationGamePlaysToTheEndWithBalancedBooks) {
    const fake::SeededGame found = fake::shortGameWithOneComputer("tester");
    const fake::GameRecord& game = found.record;
    const GameTable& played = *found.table;
    EXPECT_TRUE(game.faults.empty()) << game.faults.front();
    EXPECT_EQ(game.finalPauses, 1);
    EXPECT_EQ(game.hands, fake::shortGameHands);
    EXPECT_EQ(game.maxCardsInHand, 7);
    const Player& winner = played.seat(0)->getMoney() > 0 ? *played.seat(0) : *played.seat(1);
    EXPECT_EQ(winner.getMoney(), 7000000 - 5 * 1000000);
    EXPECT_TRUE(shows(game.finalLine, (winner.getName() + "님이 포커게임 최종으로 승리하였습니다!").c_str()))
        << game.finalLine;
    EXPECT_EQ(fake::pauseCount(), 1);
}

TEST_F(GameTest, LongerTablesKeepTheirBooksHandAfterHand) {
    struct Case {
        int computers;
        unsigned seed;
    };
    for (const Case c : {Case{2, 2}, Case{4, 4}, Case{6, 3}}) {
        fake::reset();
        table.randomDraws().seed(c.seed);
        const fake::GameRecord game = fake::playWholeGame(table, {true, "tester", c.computers, {}, 300});
        SCOPED_TRACE("computers " + std::to_string(c.computers));
        EXPECT_TRUE(game.faults.empty()) << game.faults.front();
        EXPECT_LE(game.maxCardsInHand, 7);
        int withMoney = 0;
        for (int s = 0; s < GameTable::seatCount; ++s) {
            const Player& seat = *table.seat(s);
            EXPECT_EQ(seat.isSeated(), s <= c.computers);
            withMoney += seat.isSeated() && seat.getMoney() > 0 ? 1 : 0;
        }
        // These seeds' games go on past 300 hands, with seats still playing.
        EXPECT_FALSE(fake::reachedTheEnd(game));
        EXPECT_EQ(game.hands, 300);
        EXPECT_GT(withMoney, 1);
    }
}

TEST_F(GameTest, SetupRefusesCountsOutsideOneToSixAndAnythingNotANumber) {
    fake::type("홍길동\n0\n7\nabc\n\n99999999999\n2\n");
    table.setupTable();
    EXPECT_EQ(table.seat(0)->getName(), "홍길동");
    EXPECT_EQ(fake::scriptLeft(), 0u);
    for (int s = 1; s < GameTable::seatCount; ++s) {
        EXPECT_EQ(table.seat(s)->getName(), "Computer" + std::to_string(s));
        EXPECT_EQ(table.seat(s)->isSeated(), s <= 2);
        EXPECT_EQ(table.seat(s)->isInHand(), s <= 2);
    }
    // Seat 3's panel is filled and its label gone; seat 2 keeps its label.
    const layout::SeatPlace& third = layout::seats[3];
    const int topLabelLine = third.panelY + 12; // below the panels along the top
    EXPECT_EQ(fake::cell(third.panelX + 2, third.panelY + 1), "▩");
    EXPECT_EQ(fake::text(third.panelX, topLabelLine, 42), std::string(42, ' '));
    EXPECT_TRUE(shows(fake::row(topLabelLine), "Computer2(금액:1000000)"));
    EXPECT_TRUE(shows(fake::row(personLabelLine), "홍길동(금액:1000000)"));
    // The prompt and every wrong answer are wiped from the centre: 52 blanks,
    // twice the count prompt's width.
    const layout::Place prompt = layout::setupPrompt;
    EXPECT_EQ(fake::text(prompt.x - 26, prompt.y, 52), std::string(52, ' '));
}

TEST_F(GameTest, NameAndCountMayComeOnOneLine) {
    fake::type("kim 3\n");
    table.setupTable();
    EXPECT_EQ(table.seat(0)->getName(), "kim");
    EXPECT_TRUE(table.seat(3)->isSeated());
    EXPECT_FALSE(table.seat(4)->isSeated());
}

TEST_F(GameTest, SecondGameRenumbersTheComputersAndAsksAgain) {
    fake::type("a 6\n");
    table.setupTable();
    fake::type("b 6\n");
    table.setupTable();
    EXPECT_EQ(table.seat(0)->getName(), "b");
    EXPECT_EQ(table.seat(1)->getName(), "Computer1");
    EXPECT_EQ(table.seat(6)->getName(), "Computer6");
}

TEST_F(GameTest, BetOutsideTheStakesBoundsIsExplainedAndAskedAgain) {
    ScriptedPerson person{{"me 1\n", "1\n", "99\n", "x", "201\n", "x", "abc\n", "x", "200\n"}, {}};
    playUntilScriptEnds(person);
    const auto& seen = person.promptsSeen;
    ASSERT_GE(seen.size(), 10u);
    EXPECT_TRUE(shows(seen[1], "1.배팅 2.다이 : "));
    EXPECT_TRUE(shows(seen[2], "금액 : "));
    for (int i : {3, 5, 7}) {
        EXPECT_TRUE(shows(seen[i], "최소 100원 ~ 최대 200원")) << seen[i];
        EXPECT_TRUE(shows(seen[i + 1], "금액 : ")) << seen[i + 1];
        EXPECT_FALSE(shows(seen[i + 1], "최소")) << seen[i + 1];
    }
    EXPECT_EQ(table.seat(0)->getMoney(), 1000000 - 200);
    EXPECT_TRUE(shows(fake::row(personLabelLine), "me(금액:999800)"));
}

TEST_F(GameTest, LowestAndHighestBetsAreAccepted) {
    ScriptedPerson person{{"me 1\n", "1\n", "100\n"}, {}};
    playUntilScriptEnds(person);
    EXPECT_EQ(table.seat(0)->getMoney(), 1000000 - 100);
}

TEST_F(GameTest, AnyOtherNumberPassesButWordsAreAskedAgain) {
    ScriptedPerson person{{"me 1\n", "abc\n", "\n", "5\n"}, {}};
    playUntilScriptEnds(person);
    const auto& seen = person.promptsSeen;
    EXPECT_TRUE(shows(seen[2], "1.배팅 2.다이 : "));
    EXPECT_TRUE(shows(seen[3], "1.배팅 2.다이 : "));
    EXPECT_EQ(table.seat(0)->getMoney(), 1000000);
    EXPECT_TRUE(table.seat(0)->isInHand());
}

TEST_F(GameTest, DyingFillsThePanelAndEndsTheHandWhenOneSeatIsLeft) {
    ScriptedPerson person{{"me 1\n", "2\n"}, {}};
    playUntilScriptEnds(person);
    // The next wait is the winner line: the person's panel shows it out of
    // this hand (the seats are already settled for the next one).
    EXPECT_EQ(fake::cell(layout::seats[0].panelX + 2, layout::seats[0].panelY + 1), "▩");
    EXPECT_FALSE(shows(fake::row(personLabelLine), "me(금액:"));
    EXPECT_TRUE(shows(person.promptsSeen.back(), "Computer1님이 "));
    // The computer, alone in the hand, never acted and got no fourth card.
    const Player& computer = *table.seat(1);
    EXPECT_TRUE(computer.isInHand());
    EXPECT_EQ(computer.getCardCount(), 3);
    EXPECT_EQ(computer.getMoney(), 1000000);
    EXPECT_EQ(table.getPot(), 0);
}

TEST_F(GameTest, StakeOfEachLaterRoundIsThePotBeforeIt) {
    // Seen at each of the person's prompts (the person always acts first):
    // per hand, the pot and stake lines at every round.
    std::vector<std::vector<std::pair<int, int>>> hands(1);
    bool named = false;
    fake::whenScriptRunsOut([&](fake::Wait wait) -> std::string {
        if (!named) {
            named = true;
            return "me 1\n";
        }
        if (wait == fake::Wait::Key) {
            hands.emplace_back();
            return hands.size() > 20 ? "" : "\r";
        }
        hands.back().emplace_back(statusValue(layout::potLine.y), statusValue(layout::stakeLine.y));
        return "1\n" + std::to_string(table.getStake()) + "\n";
    });
    EXPECT_THROW(table.playGame(false), platform::InputClosed);
    int fullHands = 0;
    for (const auto& rounds : hands) {
        if (rounds.empty()) {
            continue;
        }
        EXPECT_EQ(rounds[0], std::make_pair(0, 100));
        for (std::size_t r = 1; r < rounds.size(); ++r) {
            EXPECT_EQ(rounds[r].first, rounds[r].second) << "round " << r + 1;
            EXPECT_GT(rounds[r].second, 100);
        }
        fullHands += rounds.size() == 4 ? 1 : 0;
    }
    EXPECT_GT(fullHands, 0);
}

} // namespace
