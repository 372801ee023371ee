// The cells the game counts for every character agree with what terminals
// give them (the C library's widths), so nothing drawn or typed can shift
// the table; and what cannot be shown on its own is made safe.
#include "fake/virtual_terminal.h"
#include "platform/text_width.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(TextWidth, CellsOfTrickyCharacters) {
    struct Case {
        char32_t c;
        int cells;
        const char* what;
    };
    const std::vector<Case> cases = {
        {U'A', 1, "ASCII"},
        {U'가', 2, "a Hangul syllable"},
        {U'─', 2, "a layout glyph, whatever the terminal draws"},
        {U'🚀', 2, "an emoji outside the old two blocks"},
        {U'😀', 2, "an emoji"},
        {0x1FAE8, 2, "an emoji of Unicode 15"},
        {U'ꀀ', 2, "Yi"},
        {0x17000, 2, "Tangut"},
        {0x0301, 0, "a combining mark"},
        {0x1AB0, 0, "a combining mark outside the old block"},
        {0x200D, 0, "the zero-width joiner"},
        {0xFE0F, 0, "a variation selector"},
        {0x1160, 0, "a conjoining Hangul vowel"},
        {0x0378, 0, "an unassigned code point"},
        {0xE0080, 0, "an unassigned code point far out"},
        {0x7F, 0, "a control"},
        {U'é', 1, "Latin"},
        {U'Ж', 1, "Cyrillic"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::cellWidth(c.c), c.cells) << c.what;
        EXPECT_EQ(platform::isShowable(c.c), c.cells > 0) << c.what;
    }
}

TEST(TextWidth, TextsOfTheTable) {
    EXPECT_EQ(platform::cellWidth("Exit"), 4);
    EXPECT_EQ(platform::cellWidth("♤ ♧ Brannocktide ◇ ♡"), 24);
    EXPECT_EQ(platform::cellWidth("1.배팅2.다이 : "), 15);
    EXPECT_EQ(platform::cellWidth("Player 이름 입력 : "), 19);
    EXPECT_EQ(platform::cellWidth("Computer 인원 입력(1~6) : "), 26);
    EXPECT_EQ(platform::cellWidth("\xff"), 1); // shown as "?"
}

TEST(TextWidth, SafeTypedText) {
    EXPECT_EQ(platform::sanitizeTyped("정상 text"), "정상 text");
    EXPECT_EQ(platform::sanitizeTyped("a\x1b[2Jb"), "a?[2Jb");
    EXPECT_EQ(platform::sanitizeTyped("e\u0301\u200D\U000E0080\xff"), "e????");
    EXPECT_EQ(platform::sanitizeTyped("🚀\uFE0F"), "🚀?");
}

#ifdef __GLIBC__
// Every character that can be shown takes as many cells as the C library
// says a terminal gives it, but for two blocks the C library counts wide
// against the Unicode data (the circled numbers on black squares and the
// Yijing hexagrams), and for characters newer than the C library knows.
TEST(TextWidth, AgreesWithTheCLibraryOnEveryCharacterItKnows) {
    const auto knownDifference = [](char32_t c) {
        return (c >= 0x3248 && c <= 0x324F) || (c >= 0x4DC0 && c <= 0x4DFF);
    };
    std::vector<std::string> differing;
    for (char32_t c = 0x20; c <= 0x10FFFF; ++c) {
        if ((c >= 0xD800 && c <= 0xDFFF) || !platform::isShowable(c) || knownDifference(c) ||
            platform::isLayoutGlyph(c) || fake::libraryWidth(c) < 0) {
            continue;
        }
        if (platform::cellWidth(c) != fake::libraryWidth(c) && differing.size() < 10) {
            differing.push_back(std::to_string(static_cast<unsigned>(c)));
        }
    }
    EXPECT_TRUE(differing.empty()) << "first differing code points: " << ::testing::PrintToString(differing);
}
#endif


} // namespace

// Bytes that make no character decode as U+FFFD of one byte each, so the
// next byte is looked at again; a whole character is taken whole.
TEST(TextWidth, DecodingTakesOnlyWellFormedCharacters) {
    struct Case {
        std::string bytes;
        char32_t value;
        std::size_t length;
    };
    const Case cases[] = {
        {"\xEA\xB0\x80", 0xAC00, 3},     {"\xF0\x9F\x9A\x80", 0x1F680, 4}, {"\xC2\x80", 0x80, 2},
        {"\xC0\x80", 0xFFFD, 1},         {"\xE0\x9F\xBF", 0xFFFD, 1},      {"\xF0\x8F\xBF\xBF", 0xFFFD, 1},
        {"\xED\xA0\x80", 0xFFFD, 1},     {"\xF4\x90\x80\x80", 0xFFFD, 1},  {"\xEA\xB0", 0xFFFD, 1},
        {"\x80", 0xFFFD, 1},             {"\xEA" "a\x80", 0xFFFD, 1},      {"\xFF", 0xFFFD, 1},
    };
    for (const Case& c : cases) {
        const platform::CodePoint cp = platform::decodeUtf8(c.bytes, 0);
        EXPECT_EQ(cp.value, c.value) << testing::PrintToString(c.bytes);
        EXPECT_EQ(cp.length, c.length) << testing::PrintToString(c.bytes);
    }
}
