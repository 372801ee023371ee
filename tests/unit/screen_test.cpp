// The drawing toolkit on the fake console: what a person sees in each cell.
#include "console/screen.h"
#include "fake/fake_console.h"
#include "platform/console.h"

#include <gtest/gtest.h>

namespace {

class ScreenTest : public ::testing::Test {
  protected:
    void SetUp() override { fake::reset(); }
};

TEST_F(ScreenTest, FrameOfTheTableCoversColumns0To159AndLines0To39) {
    screen::drawFrame(80, 40);
    EXPECT_EQ(fake::cell(0, 0), "┌");
    EXPECT_EQ(fake::cell(2, 0), "─");
    EXPECT_EQ(fake::cell(158, 0), "┐");
    EXPECT_EQ(fake::cell(0, 39), "└");
    EXPECT_EQ(fake::cell(158, 39), "┘");
    EXPECT_EQ(fake::cell(0, 20), "│");
    EXPECT_EQ(fake::cell(158, 20), "│");
    EXPECT_EQ(fake::text(2, 20, 156), std::string(156, ' '));
    EXPECT_EQ(fake::row(40), std::string(162, ' '));
    EXPECT_EQ(fake::cursorX(), 0);
    EXPECT_EQ(fake::cursorY(), 40);
}

TEST_F(ScreenTest, DegenerateFramesFollowTheFirstMatchingRule) {
    screen::drawFrame(1, 1);
    EXPECT_EQ(fake::text(0, 0, 4), "┌  ");
    fake::reset();
    screen::drawFrame(4, 1); // one row: the bottom-row rules never win
    EXPECT_EQ(fake::text(0, 0, 8), "┌──┐");
    fake::reset();
    screen::drawFrame(1, 3); // one column: corners, then a side
    EXPECT_EQ(fake::cell(0, 0), "┌");
    EXPECT_EQ(fake::cell(0, 1), "│");
    EXPECT_EQ(fake::cell(0, 2), "└");
    fake::reset();
    screen::drawFrame(0, 3); // only line ends
    EXPECT_EQ(fake::cursorY(), 3);
    EXPECT_EQ(fake::row(0), std::string(162, ' '));
}

TEST_F(ScreenTest, CentringCountsCellsNotBytes) {
    screen::printCentered("Game Start", 80, 20);
    EXPECT_EQ(fake::text(75, 20, 10), "Game Start");
    // Three Hangul syllables are six cells: the text starts three cells left.
    screen::printCentered("홍길동", 80, 5);
    EXPECT_EQ(fake::cell(77, 5), "홍");
    EXPECT_EQ(fake::cell(81, 5), "동");
    EXPECT_EQ(fake::cursorX(), 83);
    // A glyph is two cells like a syllable.
    screen::printCentered("▷▷", 10, 6);
    EXPECT_EQ(fake::cell(8, 6), "▷");
    // No shift when the column is not greater than half the width.
    screen::printCentered(std::string(30, 'x'), 15, 7);
    EXPECT_EQ(fake::cell(15, 7), "x");
    EXPECT_EQ(fake::cell(14, 7), " ");
}

// A centred text that would reach past its span moves along the line, one
// blank cell from the box it moved away from where there is room; one that
// fits stays where centring puts it.
TEST(CentredWithin, MovesOnlyATextThatWouldLeaveItsSpan) {
    struct Case {
        const char* what;
        int cells;
        int x;
        screen::Span span;
        int start;
    };
    const Case cases[] = {
        {"fits", 10, 94, {87, 116}, 89},
        {"fits from the span's first cell", 14, 94, {87, 116}, 87},
        {"too far left", 16, 94, {87, 116}, 88},
        {"too far right", 24, 105, {44, 116}, 91},
        {"no room for the gap", 29, 100, {87, 116}, 87},
        {"wider than the span", 40, 100, {87, 116}, 87},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(screen::centredStartWithin(c.cells, c.x, c.span), c.start) << c.what;
    }
}

TEST_F(ScreenTest, BlanksWipeExactlyTheCentredText) {
    const std::string label = "홍길동(금액:1000000)";
    screen::printCentered("##########################", 105, 25);
    screen::printCentered(label, 105, 25);
    screen::printCentered(screen::blanksFor(label, 1), 105, 25);
    EXPECT_EQ(fake::text(92, 25, 26), std::string(26, '#').replace(3, 20, std::string(20, ' ')));
    EXPECT_EQ(screen::blanksFor("홍길동", 1), "      ");
    EXPECT_EQ(screen::blanksFor("ab", 0), "");
    EXPECT_EQ(screen::blanksFor("", 3), "");
}

TEST_F(ScreenTest, OverwritingHalfAWideCharacterBlanksItsOtherHalf) {
    screen::printCentered("한", 11, 1);
    screen::gotoXY(11, 1);
    platform::write("x");
    EXPECT_EQ(fake::text(10, 1, 2), " x");
}

TEST_F(ScreenTest, PrintAtAndEraseAtUseTwoCellColumns) {
    screen::printAt("▷", 34, 20);
    EXPECT_EQ(fake::cell(68, 20), "▷");
    EXPECT_EQ(fake::cursorX(), 70);
    screen::eraseAt(34, 20);
    EXPECT_EQ(fake::text(68, 20, 2), "  ");
    EXPECT_EQ(fake::cursorX(), 70);
}

TEST_F(ScreenTest, RefusedCursorMoveLeavesTheCursorWhereItWas) {
    screen::gotoXY(5, 5);
    EXPECT_FALSE(screen::gotoXY(-1, 3));
    platform::write("a");
    EXPECT_EQ(fake::cell(5, 5), "a");
}

TEST_F(ScreenTest, BoxKeepsOrCoversWhatIsInside) {
    screen::gotoXY(2, 2);
    platform::write("AB");
    screen::drawBox(0, 1, 4, 3, true);
    EXPECT_EQ(fake::text(0, 1, 8), "┌──┐");
    EXPECT_EQ(fake::text(0, 2, 8), "│AB  │");
    EXPECT_EQ(fake::text(0, 3, 8), "└──┘");
    screen::drawBox(0, 1, 4, 3, false);
    EXPECT_EQ(fake::text(0, 2, 8), "│▩▩│");
}

} // namespace
