// The places of the table as the rules give them for its 80 × 40 glyphs:
// every fraction of the width or height truncated toward zero.
#include "game/layout.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace {

void expectPlace(const layout::Place& place, int x, int y, const std::string& what) {
    EXPECT_EQ(place.x, x) << what;
    EXPECT_EQ(place.y, y) << what;
}

TEST(LayoutTest, PlacesOfTheTableAndItsMessages) {
    EXPECT_EQ(layout::consoleColumns, 162);
    EXPECT_EQ(layout::consoleLines, 42);
    expectPlace(layout::title, 80, 16, "title");
    EXPECT_EQ(layout::menuCursorColumn, 34);
    EXPECT_EQ(layout::menuFirstLine, 20);
    expectPlace(layout::setupPrompt, 80, 20, "set-up prompt");
    expectPlace(layout::turnMarker, 94, 20, "turn marker");
    expectPlace(layout::betLine, 94, 24, "bet line");
    expectPlace(layout::promptLine, 80, 14, "prompt line");
    expectPlace(layout::potLine, 56, 20, "pot line");
    expectPlace(layout::stakeLine, 56, 24, "stake line");
    expectPlace(layout::deck, 73, 15, "deck");
}

TEST(LayoutTest, SeatPanelsAndTheirLabels) {
    struct Expected {
        int panelX;
        int panelY;
        int labelPlacement;
    };
    // 1.05 × 80 and 2 × 80 − 43.2 are not whole: truncated to 84 and 116.
    const Expected expected[] = {
        {84, 26, 0}, {16, 1, 1}, {60, 1, 1}, {104, 1, 1}, {2, 14, 1}, {116, 14, 1}, {40, 26, 0},
    };
    for (std::size_t seat = 0; seat < layout::seats.size(); ++seat) {
        EXPECT_EQ(layout::seats[seat].panelX, expected[seat].panelX) << "seat " << seat;
        EXPECT_EQ(layout::seats[seat].panelY, expected[seat].panelY) << "seat " << seat;
        EXPECT_EQ(layout::seats[seat].labelPlacement, expected[seat].labelPlacement) << "seat " << seat;
    }
}

} // namespace
