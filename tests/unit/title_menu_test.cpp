// The title screen and the menu cursor, driven by scripted keys.
#include "console/screen.h"
#include "fake/fake_console.h"
#include "game/layout.h"
#include "platform/console.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using layout::menuCursorColumn;
using layout::menuFirstLine;
using layout::menuItems;
using layout::menuStep;
using layout::title;

constexpr int itemLines[] = {menuFirstLine, menuFirstLine + menuStep, menuFirstLine + 2 * menuStep};
// The cursor's logical column is two cells wide.
constexpr int cursorCell = 2 * menuCursorColumn;

class TitleMenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::reset();
        screen::drawTitle(title.x, title.y);
    }
    int choose(std::string_view keys) {
        fake::type(keys);
        return screen::selectMenu(menuItems, menuStep, menuCursorColumn, menuFirstLine);
    }
};

TEST_F(TitleMenuTest, TitleAndItemsStandWhereThePlayerExpectsThem) {
    // Each centred on the title's column by its width in cells.
    EXPECT_EQ(fake::text(title.x - 12, title.y, 24), "♤ ♧ Brannocktide ◇ ♡");
    EXPECT_EQ(fake::text(title.x - 5, itemLines[0], 10), "Game Start");
    EXPECT_EQ(fake::text(title.x - 7, itemLines[1], 15), "Play Simulation");
    EXPECT_EQ(fake::text(title.x - 2, itemLines[2], 4), "Exit");
}

TEST_F(TitleMenuTest, KeysMoveTheCursorWithoutWrapping) {
    struct Case {
        const char* keys;
        int chosen;
    };
    // The Hangul keys on w and s (ㅈ, ㄴ), the capitals and the cursor keys
    // move it as w and s do; other letters and bytes do not.
    const Case cases[] = {
        {"\r", 1},          {"s\r", 2},          {"sss\r", 3},          {"w\r", 1},
        {"ssw\r", 2},       {"SW\r", 1},         {"S\r", 2},            {"SSw\r", 2},
        {"ㄴ\r", 2},        {"ㄴㄴㅈ\r", 2},     {"\x1b[B\r", 2},      {"\x1b[B\x1b[B\x1b[A\r", 2},
        {"\xE0P\xE0H\r", 1}, {"ㅁㅇ가\r", 1},     {"sx s\r", 3},         {"ssss w\n", 2},
    };
    for (const Case& c : cases) {
        fake::reset();
        EXPECT_EQ(choose(c.keys), c.chosen) << "keys: " << c.keys;
    }
}

TEST_F(TitleMenuTest, CursorIsRedOnTheCurrentItemAndGoneFromTheOld) {
    fake::type("s");
    fake::type("\r");
    screen::selectMenu(menuItems, menuStep, menuCursorColumn, menuFirstLine);
    EXPECT_EQ(fake::text(cursorCell, itemLines[0], 2), "  ");
    EXPECT_EQ(fake::cell(cursorCell, itemLines[1]), "▷");
    EXPECT_EQ(fake::attributeAt(cursorCell, itemLines[1]), platform::attrRed);
    EXPECT_EQ(fake::attributeAt(cursorCell + 1, itemLines[1]), platform::attrRed);
    EXPECT_EQ(fake::currentAttribute(), platform::attrNormal);
    EXPECT_FALSE(fake::anyAttribute(0, 0, fake::columns, itemLines[0], platform::attrRed));
}

TEST_F(TitleMenuTest, SingleItemMenuOnlyHearsEnter) {
    fake::type("sw\r");
    EXPECT_EQ(screen::selectMenu(1, menuStep, menuCursorColumn, menuFirstLine), 1);
}

TEST_F(TitleMenuTest, EndOfInputEndsTheMenu) {
    fake::type("s");
    EXPECT_THROW(screen::selectMenu(menuItems, menuStep, menuCursorColumn, menuFirstLine), platform::InputClosed);
}

} // namespace
