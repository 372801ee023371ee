// The title screen and the menu cursor, driven by scripted keys.
#include "console/screen.h"
#include "fake/fake_console.h"
#include "platform/console.h"

#include <gtest/gtest.h>

namespace {

constexpr int itemLines[] = {20, 24, 28};

class TitleMenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::reset();
        screen::drawTitle(80, 16);
    }
    int choose(std::string_view keys) {
        fake::type(keys);
        return screen::selectMenu(3, 4, 34, 20);
    }
};

TEST_F(TitleMenuTest, TitleAndItemsStandWhereThePlayerExpectsThem) {
    EXPECT_EQ(fake::text(68, 16, 24), "♤ ♧ Brannocktide ◇ ♡");
    EXPECT_EQ(fake::text(75, 20, 10), "Game Start");
    EXPECT_EQ(fake::text(73, 24, 15), "Play Simulation");
    EXPECT_EQ(fake::text(78, 28, 4), "Exit");
}

TEST_F(TitleMenuTest, KeysMoveTheCursorWithoutWrapping) {
    struct Case {
        const char* keys;
        int chosen;
    };
    const Case cases[] = {
        {"\r", 1},      {"s\r", 2},    {"sss\r", 3}, {"w\r", 1},
        {"ssw\r", 2},   {"SW\r", 1},   {"S\r", 1},   {"\xE0P\xE0H\r", 1},
        {"sx s\r", 3},  {"ssss w\n", 2},
    };
    for (const Case& c : cases) {
        fake::reset();
        EXPECT_EQ(choose(c.keys), c.chosen) << "keys: " << c.keys;
    }
}

TEST_F(TitleMenuTest, CursorIsRedOnTheCurrentItemAndGoneFromTheOld) {
    fake::type("s");
    fake::type("\r");
    screen::selectMenu(3, 4, 34, 20);
    EXPECT_EQ(fake::text(68, itemLines[0], 2), "  ");
    EXPECT_EQ(fake::cell(68, itemLines[1]), "▷");
    EXPECT_EQ(fake::attributeAt(68, itemLines[1]), platform::attrRed);
    EXPECT_EQ(fake::attributeAt(69, itemLines[1]), platform::attrRed);
    EXPECT_EQ(fake::currentAttribute(), platform::attrNormal);
    EXPECT_FALSE(fake::anyAttribute(0, 0, fake::columns, 20, platform::attrRed));
}

TEST_F(TitleMenuTest, SingleItemMenuOnlyHearsEnter) {
    fake::type("sw\r");
    EXPECT_EQ(screen::selectMenu(1, 4, 34, 20), 1);
}

TEST_F(TitleMenuTest, EndOfInputEndsTheMenu) {
    fake::type("s");
    EXPECT_THROW(screen::selectMenu(3, 4, 34, 20), platform::InputClosed);
}

} // namespace
