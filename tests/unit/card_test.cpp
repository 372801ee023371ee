// A card's picture, cell by cell: glyphs, width, and red exactly where a red
// card shows its number and suit.
#include "card_pictures.h"
#include "cards/card.h"
#include "fake/fake_console.h"
#include "platform/console.h"

#include <ostream>
#include <set>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace {

using Cell = std::pair<int, int>; // (column, line) inside the card

struct PictureCase {
    const char* what;
    int suit;
    int number;
    bool faceUp;
    const pictures::Picture* picture;
    std::set<Cell> red;
};

// Failure messages name the case, not its bytes.
void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.what; }

class CardPictureTest : public ::testing::TestWithParam<PictureCase> {
  protected:
    void SetUp() override { fake::reset(); }
};

TEST_P(CardPictureTest, EveryCellAndItsColour) {
    const PictureCase& c = GetParam();
    const int x = 20;
    const int y = 5;
    Card card(x, y, c.suit, c.number);
    if (c.faceUp) {
        card.flipUp();
    } else {
        card.draw();
    }
    pictures::expectPicture(*c.picture, x, y);
    for (int line = 0; line < pictures::cardLines; ++line) {
        for (int col = 0; col < pictures::cardCells; ++col) {
            const int expected = c.red.count({col, line}) ? platform::attrRed : platform::attrNormal;
            EXPECT_EQ(fake::attributeAt(x + col, y + line), expected) << "cell " << col << "," << line;
        }
    }
    // Nothing beside the card is touched: it is 14 cells wide.
    for (int line = 0; line < pictures::cardLines; ++line) {
        EXPECT_EQ(fake::cell(x - 1, y + line), " ");
        EXPECT_EQ(fake::cell(x + pictures::cardCells, y + line), " ");
    }
    EXPECT_EQ(fake::text(x, y - 1, pictures::cardCells), std::string(pictures::cardCells, ' '));
    EXPECT_EQ(fake::text(x, y + pictures::cardLines, pictures::cardCells), std::string(pictures::cardCells, ' '));
    EXPECT_EQ(fake::currentAttribute(), platform::attrNormal);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, CardPictureTest,
    ::testing::Values(
        // "10" fills the whole corner slot: no pad blank on either side.
        PictureCase{"TenOfHearts", Hearts, 10, true, &pictures::tenOfHearts,
                    {{2, 1}, {3, 1}, {2, 2}, {3, 2}, {6, 5}, {7, 5}, {10, 7}, {11, 7}, {10, 8}, {11, 8}}},
        PictureCase{"KingOfClubs", Clubs, 13, true, &pictures::kingOfClubs, {}},
        // A back gives nothing away, not even the colour.
        PictureCase{"BackOfAQueenOfDiamonds", Diamonds, 12, false, &pictures::back, {}}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(CardTest, RedNumberAndSuitOfADiamondAtTheCursor) {
    fake::reset();
    Card card(0, 0, Diamonds, 14);
    card.drawNumber();
    card.drawSuit();
    EXPECT_EQ(fake::text(0, 0, 3), "A◆");
    EXPECT_EQ(fake::attributeAt(0, 0), platform::attrRed);
    EXPECT_EQ(fake::attributeAt(1, 0), platform::attrRed);
    EXPECT_EQ(fake::currentAttribute(), platform::attrNormal);
}

TEST(CardTest, OnlyDrawAndFlipUpTouchTheScreen) {
    fake::reset();
    Card card(0, 0, Spades, 5);
    card.flipUp();
    card.reset(); // face down again, but the face stays until the next draw
    EXPECT_TRUE(card.isFaceDown());
    EXPECT_EQ(fake::cell(2, 1), "5");
    card.setPosition(30, 0);
    EXPECT_EQ(fake::cell(30, 0), " ");
    card.draw();
    pictures::expectPicture(pictures::back, 30, 0);
    EXPECT_EQ(fake::cell(2, 1), "5");
}

} // namespace
