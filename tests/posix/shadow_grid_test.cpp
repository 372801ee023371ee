// The screen copy behaves like the terminal it stands for: wide characters
// take two cells, overwriting half of one removes all of it, and nothing
// spills outside the grid.
#include "platform/posix/shadow_grid.h"

#include <gtest/gtest.h>

using platform::posix::ShadowGrid;

TEST(ShadowGrid, OverwritingHalfAWideCharacterRemovesIt) {
    struct Case {
        const char* name;
        int x;
        int cells;
        std::string expected;
    };
    const Case cases[] = {
        {"narrow over the left half", 2, 1, "ab*  e"},
        {"narrow over the right half", 3, 1, "ab * e"},
        {"wide over the right half", 3, 2, "ab *e"},
        {"wide exactly over wide", 2, 2, "ab* e"},
    };
    for (const auto& c : cases) {
        ShadowGrid grid(6, 1);
        grid.put(0, 0, "a", 1, 7);
        grid.put(1, 0, "b", 1, 7);
        grid.put(2, 0, "가", 2, 7);
        grid.put(4, 0, " ", 1, 7);
        grid.put(5, 0, "e", 1, 7);
        grid.put(c.x, 0, "*", c.cells, 7);
        EXPECT_EQ(grid.row(0), c.expected) << c.name;
    }
}

TEST(ShadowGrid, DropsWhatDoesNotFit) {
    ShadowGrid grid(3, 2);
    grid.put(2, 0, "가", 2, 7); // would stick out on the right
    grid.put(-1, 0, "a", 1, 7);
    grid.put(0, 2, "a", 1, 7);
    grid.put(3, 1, "a", 1, 7);
    EXPECT_EQ(grid.row(0), "");
    EXPECT_EQ(grid.row(1), "");
}

TEST(ShadowGrid, ZeroWidthMarksJoinTheCharacterBefore) {
    ShadowGrid grid(4, 1);
    grid.put(0, 0, "e", 1, 7);
    grid.put(1, 0, "\xcc\x81", 0, 7); // combining acute accent
    grid.put(0, 0, "x", 0, 7);        // nothing to its left: dropped
    EXPECT_EQ(grid.row(0), "e\xcc\x81");
}

TEST(ShadowGrid, ClearBlanksEverything) {
    ShadowGrid grid(4, 2);
    grid.put(1, 1, "♥", 2, 12);
    grid.clear();
    EXPECT_TRUE(grid.at(1, 1).blank());
    EXPECT_FALSE(grid.at(2, 1).continuation);
    EXPECT_EQ(grid.at(1, 1).attribute, 7);
}

TEST(ShadowGrid, EveryClearBlanksWhatWasWrittenSinceTheLastOne) {
    ShadowGrid grid(4, 5);
    grid.put(0, 3, "a", 1, 7);
    grid.put(0, 1, "b", 1, 7); // above the row written first
    grid.clear();
    grid.put(3, 4, "c", 1, 12);
    grid.put(2, 0, "d", 2, 7); // cut off at the edge: nothing is written
    grid.clear();
    grid.put(3, 0, "e", 1, 7);
    grid.put(4, 0, "\xcc\x81", 0, 7); // a mark joining the character before it
    grid.clear();
    for (int y = 0; y < grid.lines(); ++y) {
        EXPECT_EQ(grid.row(y), "") << "row " << y;
        EXPECT_EQ(grid.at(3, y).attribute, 7) << "row " << y;
    }
}
