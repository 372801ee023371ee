// The winner line: the name, then the key card's number and suit and the
// category (none for a high card), centred on the table, then one key.
#include "eval/hand_result.h"
#include "eval/winner_line.h"
#include "fake/fake_console.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "platform/console.h"
#include "platform/text_width.h"
#include "support/hand_results.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace {

constexpr int centreColumn = layout::promptLine.x;
constexpr int winnerRow = layout::promptLine.y;

TEST(WinnerLineText, HandNamedByNumberSuitAndCategory) {
    struct Case {
        int rank;
        int keyNumber;
        int keySuit;
        const char* line;
    };
    const Case cases[] = {
        {HighCard, 13, Spades, "홍길동님이 K 스페이드 패로 승리하였습니다!"},
        {OnePair, 14, Spades, "홍길동님이 A 스페이드 원페어 패로 승리하였습니다!"},
        {Flush, 10, Diamonds, "홍길동님이 10 다이아몬드 플러쉬 패로 승리하였습니다!"},
        {RoyalStraightFlush, 14, Hearts,
         "홍길동님이 A 하트 로얄스트레이트 플러쉬 패로 승리하였습니다!"},
        {BackStraight, 14, Clubs, "홍길동님이 A 클로버 백스트레이트 패로 승리하였습니다!"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(winnerLine("홍길동", handResult(c.rank, c.keyNumber, c.keySuit)), c.line);
    }
}

class WinnerLineTest : public ::testing::Test {
  protected:
    void SetUp() override { fake::reset(); }

    // Announces the winner named `name` and checks that one key was read.
    void announce(const std::string& name, const HandResult& grade) {
        Player winner(84, 26, 0, 0);
        fake::typeLine(name);
        winner.readName();
        fake::pressKey('x');
        table.announceWinner(winner, grade);
        EXPECT_EQ(fake::scriptLeft(), 0u) << "the key after the line is read";
    }

    GameTable table;
};

TEST_F(WinnerLineTest, CentredOnTheTableThenOneKey) {
    const std::string line = "홍길동님이 A 스페이드 원페어 패로 승리하였습니다!";
    announce("홍길동", handResult(OnePair, 14, Spades));
    const int cells = platform::cellWidth(line);
    const int left = centreColumn - cells / 2;
    EXPECT_EQ(fake::text(left, winnerRow, cells), line);
    EXPECT_EQ(fake::text(left - 1, winnerRow, 1), " ");
    EXPECT_EQ(fake::text(left + cells, winnerRow, 1), " ");
}

TEST_F(WinnerLineTest, ALongNameFromAPipeIsCutToTheLimitAndTheLineFits) {
    // Longer than a line typed at the keyboard may grow: a name from a pipe,
    // kept to its first ten cells, so the line stays between the panels.
    fake::readLinesWhole(true);
    announce(std::string(200, 'N'), handResult(TwoPair, 9, Spades));
    const std::string line = "NNNNNNNNNN님이 9 스페이드 투페어 패로 승리하였습니다!";
    const int cells = platform::cellWidth(line);
    EXPECT_EQ(fake::text(centreColumn - cells / 2 - 1, winnerRow, cells + 2), " " + line + " ");
    EXPECT_EQ(fake::terminalWraps(), 0);
}

} // namespace
