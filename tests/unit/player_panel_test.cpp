// A seat's panel and label: the box keeps or covers the cards, and the label
// is centred by cells, wiped exactly, and left out for other placements.
#include "card_pictures.h"
#include "console/screen.h"
#include "fake/fake_console.h"
#include "players/player.h"

#include <cstddef>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace {

class PanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::reset();
        computerCounter = 1;
    }

    static std::string blank(int cells) { return std::string(static_cast<std::size_t>(cells), ' '); }
    static std::string repeat(const std::string& glyph, int times) {
        std::string out;
        for (int i = 0; i < times; ++i) {
            out += glyph;
        }
        return out;
    }
};

TEST_F(PanelTest, BoxRedrawKeepsTheCardsUntilTheSeatLeavesTheHand) {
    Card cards[] = {{0, 0, Clubs, 13}, {0, 0, Hearts, 10}, {0, 0, Spades, 9}};
    Player seat(16, 1, 1, 1);
    seat.drawPanel();
    for (Card& card : cards) {
        seat.receiveCard(&card);
        if (&card != &cards[2]) {
            seat.flipUpLast();
        }
    }
    seat.drawPanel();
    EXPECT_EQ(fake::text(16, 1, 42), "┌" + repeat("─", 19) + "┐");
    EXPECT_EQ(fake::text(16, 12, 42), "└" + repeat("─", 19) + "┘");
    pictures::expectPicture(pictures::kingOfClubs, 18, 2, 4);
    pictures::expectPicture(pictures::tenOfHearts, 22, 2, 4);
    pictures::expectPicture(pictures::back, 26, 2);
    EXPECT_EQ(fake::text(40, 2, 16), blank(16)); // the inside right of the cards
    for (int line = 2; line <= 11; ++line) {
        EXPECT_EQ(fake::cell(16, line), "│");
        EXPECT_EQ(fake::cell(56, line), "│");
    }

    seat.setInHand(false);
    seat.drawPanel();
    for (int line = 2; line <= 11; ++line) {
        EXPECT_EQ(fake::text(16, line, 42), "│" + repeat("▩", 19) + "│") << line;
    }
}

struct LabelCase {
    const char* what;
    int panelX;
    int panelY;
    int placement;
    const char* typedName; // nullptr: the name the seat was created with
    int isComputer;
    int line;
    int startColumn;
    std::string label;
};

// Failure messages name the case, not its bytes.
void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.what; }

class LabelTest : public PanelTest, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(LabelTest, DrawnCentredByCellsAndWipedExactly) {
    const LabelCase& c = GetParam();
    Player seat(c.panelX, c.panelY, c.isComputer, c.placement);
    if (c.typedName != nullptr) {
        fake::typeLine(c.typedName);
        seat.readName();
    }
    fake::reset(); // only the label on the screen from here on
    seat.drawLabel();
    const int cells = platform::cellWidth(c.label);
    EXPECT_EQ(fake::text(c.startColumn, c.line, cells), c.label) << fake::row(c.line);
    EXPECT_EQ(fake::row(c.line), blank(c.startColumn) + c.label + blank(fake::columns - c.startColumn - cells));
    seat.eraseLabel();
    EXPECT_EQ(fake::row(c.line), blank(fake::columns));
    EXPECT_EQ(fake::cursorX(), c.startColumn + cells);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, LabelTest,
    ::testing::Values(
        // 16 cells centred on column 84 + 21 = 105, on the line above the panel.
        LabelCase{"TwoLetterNameAbove", 84, 26, 0, "AB", 0, 25, 97, "AB(금액:1000000)"},
        // Hangul counts two cells a syllable: 20 cells around column 37.
        LabelCase{"HangulNameBelow", 16, 1, 1, "홍길동", 0, 13, 27, "홍길동(금액:1000000)"},
        LabelCase{"PersonBeforeTheNameIsRead", 84, 26, 0, nullptr, 0, 25, 98, "(금액:1000000)"},
        LabelCase{"ComputerBelow", 116, 14, 1, nullptr, 1, 26, 126, "Computer1(금액:1000000)"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(PanelTest, LabelFollowsShrinkingMoneyWithoutAStaleDigit) {
    Player seat(84, 26, 0, 0);
    fake::typeLine("AB");
    seat.readName();
    seat.drawLabel();
    // The order of a bet: wipe the label, pay, draw the new one.
    seat.eraseLabel();
    seat.pay(1);
    seat.drawLabel();
    EXPECT_EQ(fake::row(25), blank(98) + "AB(금액:999999)" + blank(fake::columns - 113));
}

TEST_F(PanelTest, OtherPlacementsHaveNoLabelButStillABox) {
    Player seat(60, 14, 1, 2);
    seat.drawPanel();
    seat.drawLabel();
    EXPECT_EQ(fake::cell(60, 14), "┌");
    EXPECT_EQ(fake::cell(100, 25), "┘");
    for (int line = 0; line < fake::lines; ++line) {
        if (line < 14 || line > 25) {
            EXPECT_EQ(fake::row(line), blank(fake::columns)) << line;
        }
    }
    EXPECT_EQ(fake::text(0, 20, 60), blank(60));
    EXPECT_EQ(fake::text(102, 20, 60), blank(60));

    // Nor does it wipe anything where a label would stand.
    const std::string marks(fake::columns, 'x');
    for (int line : {13, 26}) {
        screen::printCentered(marks, 0, line);
    }
    seat.eraseLabel();
    EXPECT_EQ(fake::row(13), marks);
    EXPECT_EQ(fake::row(26), marks);
}

} // namespace
