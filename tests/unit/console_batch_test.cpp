// The call-driven console's output: what the game writes becomes as few
// console calls as will draw it, in the order it was written, with the
// layout glyphs kept two cells wide.
#include "platform/console_batch.h"

#include <gtest/gtest.h>

namespace {

using platform::ConsoleBatch;
using Kind = ConsoleBatch::Kind;

std::u16string onlyText(const ConsoleBatch& batch) {
    EXPECT_EQ(batch.steps().size(), 1u);
    return batch.steps().empty() ? u"" : batch.steps().front().text;
}

TEST(ConsoleBatchTest, NarrowGlyphsGetTheirFillerCell) {
    struct Case {
        const char* written;
        bool narrow;
        std::u16string expected;
    };
    const Case cases[] = {
        {"┌─┐", true, u"┌───┐ "},
        {"└─┘", true, u"└───┘ "},
        {"│♥※", true, u"│ ♥ ※ "},
        {"┌─┐", false, u"┌─┐"},
        {"A 한", true, u"A 한"}, // Hangul and ASCII are never padded
    };
    for (const Case& c : cases) {
        ConsoleBatch batch;
        batch.setGlyphsNarrow(c.narrow);
        batch.write(c.written);
        EXPECT_EQ(onlyText(batch), c.expected) << c.written;
    }
}

TEST(ConsoleBatchTest, TextBecomesUtf16WithoutControls) {
    struct Case {
        const char* written;
        std::u16string expected;
    };
    const Case cases[] = {
        {"홍길동", u"홍길동"},
        {"\xF0\x9F\x83\x8F", u"\U0001F0CF"}, // beyond 16 bits: a surrogate pair
        {"a\xFF" "b", u"a?b"},                // an invalid byte shows as "?"
        {"a\tb\x1b[2Jc\n", u"ab[2Jc\n"},      // only the line end moves the cursor
    };
    for (const Case& c : cases) {
        ConsoleBatch batch;
        batch.write(c.written);
        EXPECT_EQ(onlyText(batch), c.expected) << c.written;
    }
}

TEST(ConsoleBatchTest, CallsKeepTheOrderTheGameWroteIn) {
    ConsoleBatch batch;
    batch.setGlyphsNarrow(false);
    batch.moveCursor(3, 4);
    batch.moveCursor(10, 2); // nothing written at (3, 4): only the last move counts
    batch.write("10");
    batch.write("원");
    batch.setAttribute(12);
    batch.write("♥");
    batch.setAttribute(7);
    batch.clear();
    const auto& steps = batch.steps();
    ASSERT_EQ(steps.size(), 6u);
    EXPECT_EQ(steps[0].kind, Kind::moveCursor);
    EXPECT_EQ(steps[0].x, 10);
    EXPECT_EQ(steps[0].y, 2);
    EXPECT_EQ(steps[1].kind, Kind::writeText);
    EXPECT_EQ(steps[1].text, u"10원");
    EXPECT_EQ(steps[2].kind, Kind::setAttribute);
    EXPECT_EQ(steps[2].attribute, 12);
    EXPECT_EQ(steps[3].text, u"♥");
    EXPECT_EQ(steps[4].attribute, 7);
    EXPECT_EQ(steps[5].kind, Kind::clear);
}

TEST(ConsoleBatchTest, LeavesOutCallsThatChangeNothing) {
    ConsoleBatch batch;
    batch.setAttribute(7); // the console starts in the normal colours
    batch.moveCursor(-1, 5); // refused by a console: the cursor stays
    batch.moveCursor(5, 40000);
    batch.write("");
    EXPECT_TRUE(batch.steps().empty());
    batch.setAttribute(12);
    batch.setAttribute(12);
    EXPECT_EQ(batch.steps().size(), 1u);
    batch.forgetSteps();
    batch.setAttribute(12); // still red after the steps were carried out
    EXPECT_TRUE(batch.steps().empty());
}

} // namespace
