#pragma once
// How many console cells a text takes, by the layout's rule: ASCII one cell,
// each Hangul syllable and each of the table's drawing glyphs two cells, and
// every other character as terminals draw it, after the Unicode data.
// Centring, padding and blanking all count these cells, never bytes.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// One decoded code point and the bytes it took; an invalid byte decodes as
// U+FFFD taking one byte, so decoding always moves forward.
struct CodePoint {
    char32_t value;
    std::size_t length;

    // A byte that starts no character (or a broken one).
    bool isInvalid() const { return value == 0xFFFD && length == 1; }
};

// The bytes of the UTF-8 character that starts with `lead`: 1 for ASCII and
// for a byte that starts no longer character.
inline int utf8Length(unsigned char lead) {
    return (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 1;
}
// Decodes the character that starts at `at` (inline: the screen model
// decodes every character drawn).
inline CodePoint decodeUtf8(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    // The bits the lead byte carries, and the least value its length may
    // hold (a longer form is invalid).
    constexpr unsigned char leadBits[] = {0, 0, 0x1F, 0x0F, 0x07};
    constexpr char32_t minimums[] = {0, 0, 0x80, 0x800, 0x10000};
    const auto length = static_cast<std::size_t>(utf8Length(lead));
    char32_t value = lead & leadBits[length];
    bool valid = length > 1 && at + length <= text.size();
    for (std::size_t i = 1; valid && i < length; ++i) {
        const auto b = static_cast<unsigned char>(text[at + i]);
        valid = (b & 0xC0) == 0x80; // a continuation byte
        value = (value << 6) | (b & 0x3F);
    }
    valid = valid && value >= minimums[length] && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
    return valid ? CodePoint{value, length} : CodePoint{0xFFFD, 1};
}

// The code point as UTF-8, added to `out`.
inline void appendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    char bytes[4];
    const int length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    for (int i = length - 1; i > 0; --i, c >>= 6) {
        bytes[i] = static_cast<char>(0x80 | (c & 0x3F));
    }
    constexpr unsigned char leads[] = {0, 0, 0xC0, 0xE0, 0xF0};
    bytes[0] = static_cast<char>(leads[length] | c);
    out.append(bytes, static_cast<std::size_t>(length));
}
inline std::string encodeUtf8(char32_t c) {
    std::string out;
    appendUtf8(c, out);
    return out;
}

// The box, suit and symbol glyphs the table is drawn with. Many terminals
// draw these one cell wide although the layout gives each two.
inline constexpr std::array<char32_t, 15> layoutGlyphs = {
    0x250C, 0x2500, 0x2510, 0x2514, 0x2518, 0x2502, // box corners and edges
    0x203B,                                         // card back
    0x2667, 0x2665, 0x25C6, 0x2664,                 // clubs, hearts, diamonds, spades
    0x25B7, 0x25A9, 0x25C7, 0x2661,                 // cursor, panel fill, title glyphs
};
// The glyph's place in layoutGlyphs; -1 for any other character.
int layoutGlyphIndex(char32_t c);
inline bool isLayoutGlyph(char32_t c) { return layoutGlyphIndex(c) >= 0; }
// A console that draws a layout glyph one cell wide gets a filler cell after
// it, so the rest of the line still lands where the layout put it: after a
// corner or edge that runs on to the right the filler continues the line,
// so horizontal edges stay unbroken; elsewhere it is a blank.
inline char32_t fillerAfter(char32_t glyph) {
    const bool runsRight = glyph == U'┌' || glyph == U'└' || glyph == U'─';
    return runsRight ? U'─' : U' ';
}

// True for a character that takes cells of its own and can be shown on its
// own: not a control, not a mark or format character that joins its
// neighbour, not a code point without a character.
bool isShowable(char32_t c);

// Cells one code point takes: 2 for the layout glyphs and East Asian wide
// characters (Hangul among them), 1 for other showable characters, 0 for
// the rest.
int cellWidth(char32_t c);
// Cells a whole text takes.
int cellWidth(std::string_view text);

// Typed text made safe to show: invalid UTF-8 and every character that is
// not showable become "?", so nothing a person types can move the cursor,
// change colours or take cells the layout did not count.
std::string sanitizeTyped(std::string_view text);

} // namespace platform
