// The table shows only what is true: at every wait of whole games, in both
// modes and with one to six computers, the places of the game's texts hold
// exactly what a fresh drawing of them holds. The person answers in every
// way there is: bets at both bounds and outside them, passes with any
// number, dies, answers that are no number, answers long and short.
#include "fake/fake_console.h"
#include "fake/leftovers.h"
#include "fake/whole_game.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "platform/console.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Answers in turn, so that a long answer is followed by a short one and
// every kind of answer by every other.
struct VariedPerson {
    std::size_t choices = 0;
    std::size_t amounts = 0;

    std::string operator()(const std::string& prompt, int stake) {
        const std::string low = std::to_string(stake);
        if (prompt == "금액 : ") {
            const std::vector<std::string> answers = {low, "1", std::to_string(2LL * stake), "many", low};
            return answers[amounts++ % answers.size()] + "\n";
        }
        const std::vector<std::string> answers = {"1", "333", "2", "-5", "4294967296", "0", "1", "99", "abc", "3"};
        return answers[choices++ % answers.size()] + "\n";
    }
};

class LeftoverTest : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override { fake::reset(); }
    void TearDown() override { fake::whenScriptRunsOut(nullptr); }
};

TEST_P(LeftoverTest, EveryWaitShowsOnlyWhatTheGameKnowsItShows) {
    const int computers = GetParam();
    for (const bool simulation : {true, false}) {
        fake::reset();
        GameTable table(static_cast<unsigned>(computers * 31 + (simulation ? 1 : 0)));
        fake::GamePlan plan;
        plan.simulation = simulation;
        // Short names and names typed past the limit, cut to ten cells.
        const char* names[] = {"a", "가나다라마바사아자차카타파", "홍길동", "abcdefghijklmnop", "🚀🚀🚀🚀🚀🚀"};
        plan.name = names[computers % 5];
        plan.computers = computers;
        plan.person = VariedPerson{};
        plan.handLimit = 40;
        const fake::GameRecord game = fake::playWholeGame(table, plan);
        SCOPED_TRACE(simulation ? "Play Simulation" : "Game Start");
        EXPECT_TRUE(game.faults.empty()) << game.faults.size() << " faults, the first: " << game.faults.front();
        EXPECT_EQ(game.hands, plan.handLimit);
    }
}

INSTANTIATE_TEST_SUITE_P(OneToSixComputers, LeftoverTest, ::testing::Range(1, 7));

// The person's label shows once the name is known, not before.
TEST(SetupLabel, ThePersonsLabelWaitsForTheName) {
    fake::reset();
    GameTable table;
    std::string labelLineAtTheNamePrompt;
    const layout::SeatPlace& person = layout::seats[0];
    fake::whenScriptRunsOut([&](fake::Wait) -> std::string {
        if (labelLineAtTheNamePrompt.empty()) {
            // From the panel's left edge to the panel of seat 5.
            labelLineAtTheNamePrompt = fake::text(person.panelX, person.panelY - 1, 32);
            return "kim\n";
        }
        return "";
    });
    EXPECT_THROW(table.setupTable(), platform::InputClosed);
    fake::whenScriptRunsOut(nullptr);
    EXPECT_EQ(labelLineAtTheNamePrompt, std::string(32, ' '));
    EXPECT_NE(fake::row(person.panelY - 1).find("kim(금액:1000000)"), std::string::npos);
}

} // namespace
