// Typed text comes from the Windows console as UTF-16 and must reach the game
// as the same text in UTF-8, whatever the console's code page.
#include "platform/utf16.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf16Test, ConvertsToUtf8) {
    struct Case {
        std::u16string typed;
        std::string expected;
    };
    const Case cases[] = {
        {u"", ""},
        {u"kim 3\n", "kim 3\n"},
        {u"홍길동", "홍길동"},
        {u"é─", "é─"},
        {u"\U0001F0CF", "\xF0\x9F\x83\x8F"},
        {std::u16string(1, char16_t(0xD83C)) + u"a", "\xEF\xBF\xBD" "a"}, // a high surrogate alone
        {u"a" + std::u16string(1, char16_t(0xDCCF)), "a\xEF\xBF\xBD"},   // a low surrogate alone
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::utf8FromUtf16(c.typed), c.expected) << c.expected;
    }
}

TEST(Utf16Test, EncodesEachCodePoint) {
    struct Case {
        char32_t c;
        std::u16string expected;
    };
    const Case cases[] = {
        {U'A', u"A"},
        {U'한', u"한"},
        {0xFFFD, u"\uFFFD"},
        {0x10000, std::u16string{char16_t(0xD800), char16_t(0xDC00)}},
        {0x10FFFF, std::u16string{char16_t(0xDBFF), char16_t(0xDFFF)}},
    };
    for (const Case& c : cases) {
        std::u16string out = u">";
        platform::appendUtf16(out, c.c);
        EXPECT_EQ(out, u">" + c.expected);
    }
}

} // namespace
