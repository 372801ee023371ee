// Each layout glyph's width is measured on the console, and a line of the
// table lands where the layout put it when the console draws some glyphs in
// one cell and others in two (box drawing narrow, the suits wide, as a
// console with a Korean font does).
#include "cards/card.h"
#include "fake/fake_console.h"
#include "platform/glyph_widths.h"
#include "platform/screen_model.h"
#include "platform/text_width.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(GlyphWidths, EachGlyphIsMeasuredOnItsOwn) {
    // The console's answers: ┌ one cell, ♥ two, ※ no answer, the rest two.
    const auto cellsOf = [](char32_t glyph) { return glyph == U'┌' ? 1 : glyph == U'※' ? -1 : 2; };
    const platform::GlyphWidths widths = platform::measureGlyphWidths(cellsOf);
    for (const char32_t glyph : platform::layoutGlyphs) {
        EXPECT_EQ(widths.drawnNarrow(glyph), glyph == U'┌' || glyph == U'※') << platform::encodeUtf8(glyph);
    }
    EXPECT_FALSE(widths.drawnNarrow(U'가'));
    EXPECT_FALSE(platform::GlyphWidths(true).drawnNarrow(U'A'));
}

// Every character of the model stands in the terminal's cell of the same
// column, across the cells of a card.
void expectCardWhole(int x, int y) {
    const platform::ScreenModel& model = platform::screenModel();
    for (int line = y; line < y + 10; ++line) {
        for (int column = x; column < x + 14; ++column) {
            const platform::Cell& cell = model.at(column, line);
            if (!cell.rightHalf) {
                EXPECT_EQ(fake::cell(column, line), platform::encodeUtf8(cell.glyph))
                    << "column " << column << ", line " << line << "\n" << fake::dump();
            }
        }
    }
}

TEST(GlyphWidths, CardRowsStayWholeWithBoxesNarrowAndSuitsWide) {
    fake::reset();
    fake::measureOnTerminalDrawingNarrow(U"┌─┐└┘│※");
    Card ten(20, 5, Hearts, 10);
    Card king(40, 5, Clubs, 13);
    Card hidden(60, 5, Spades, 2);
    ten.flipUp();
    king.flipUp();
    hidden.draw();
    expectCardWhole(20, 5);
    expectCardWhole(40, 5);
    expectCardWhole(60, 5);
}

} // namespace
