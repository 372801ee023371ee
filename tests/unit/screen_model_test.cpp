// The screen model as the game draws into it: cells by the layout's widths,
// nothing ever wrapped or scrolled, nothing off the grid.
#include "platform/screen_model.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using platform::ScreenModel;

namespace {

std::string rowOf(const ScreenModel& model, int y, int from, int count) {
    std::string text;
    for (int x = from; x < from + count; ++x) {
        const platform::Cell& c = model.at(x, y);
        if (!c.rightHalf) {
            text += c.glyph < 0x80 ? std::string(1, static_cast<char>(c.glyph)) : "#";
        }
    }
    return text;
}

} // namespace

TEST(ScreenModel, TextNeverWrapsOrScrolls) {
    ScreenModel model(10, 3);
    model.moveCursor(7, 0);
    model.write("abcdef");
    EXPECT_EQ(rowOf(model, 0, 7, 3), "abc");
    EXPECT_EQ(rowOf(model, 1, 0, 10), "          ");
    EXPECT_EQ(model.droppedAtEdge(), 3);
    model.moveCursor(0, 2);
    model.write("x\ny\nz");
    EXPECT_EQ(rowOf(model, 2, 0, 3), "z  ") << "a line end on the last line stays on it";
    EXPECT_EQ(rowOf(model, 0, 0, 1), " ");
    model.moveCursor(9, 1);
    model.write("가"); // two cells where one is left
    EXPECT_EQ(model.at(9, 1).glyph, U' ');
    EXPECT_EQ(model.droppedAtEdge(), 4);
}

TEST(ScreenModel, MovesOffTheGridAreRefused) {
    ScreenModel model(10, 3);
    model.moveCursor(4, 1);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {10, 0}, {0, 3}}) {
        model.moveCursor(x, y);
    }
    EXPECT_EQ(model.refusedMoves(), 4);
    EXPECT_EQ(model.cursorX(), 4);
    EXPECT_EQ(model.cursorY(), 1);
}

TEST(ScreenModel, CellsFollowTheLayoutWidths) {
    ScreenModel model(20, 2);
    model.setAttribute(12);
    model.write("┌가a\xff\t\x1b[2J");
    model.setAttribute(7);
    EXPECT_EQ(model.at(0, 0).glyph, U'┌');
    EXPECT_TRUE(model.at(1, 0).rightHalf);
    EXPECT_EQ(model.at(2, 0).glyph, U'가');
    EXPECT_EQ(model.at(4, 0).glyph, U'a');
    EXPECT_EQ(model.at(5, 0).glyph, U'?') << "an invalid byte";
    EXPECT_EQ(rowOf(model, 0, 6, 4), "[2J ") << "controls take no cell";
    EXPECT_EQ(model.at(4, 0).attribute, 12);
    model.moveCursor(0, 1);
    model.write("e\u0301\u200Df"); // a combining mark and a joiner take no cell of their own
    EXPECT_EQ(rowOf(model, 1, 0, 3), "ef ");
}

TEST(ScreenModel, OverwritingHalfAWideGlyphBlanksTheOtherHalf) {
    ScreenModel model(10, 1);
    model.write("가나");
    model.moveCursor(1, 0);
    model.write("x");
    EXPECT_EQ(rowOf(model, 0, 0, 4), " x#");
    model.moveCursor(3, 0);
    model.write("y");
    EXPECT_EQ(rowOf(model, 0, 0, 5), " x y ");
}

TEST(ScreenModel, ChangedRowsAreTrackedForTheConsole) {
    ScreenModel model(10, 3);
    model.forgetChanges();
    model.moveCursor(0, 1);
    model.write("a");
    EXPECT_FALSE(model.rowChanged(0));
    EXPECT_TRUE(model.rowChanged(1));
    model.forgetChanges();
    model.clear();
    EXPECT_TRUE(model.rowChanged(1)) << "its text went";
    EXPECT_FALSE(model.rowChanged(0) || model.rowChanged(2)) << "blank before and after";
    EXPECT_EQ(model.clears(), 1);
    model.ringBell();
    EXPECT_TRUE(model.takeBell());
    EXPECT_FALSE(model.takeBell());
}
