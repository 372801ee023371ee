#pragma once
// How many console cells a text takes, by the layout's rule: ASCII one cell,
// each Hangul syllable and each of the table's drawing glyphs two cells.
// Centring, padding and blanking all count these cells, never bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// One decoded code point and the bytes it took; an invalid byte decodes as
// U+FFFD taking one byte, so decoding always moves forward.
struct CodePoint {
    char32_t value;
    std::size_t length;
};
CodePoint decodeUtf8(std::string_view text, std::size_t at);

// True for the box, suit and symbol glyphs the table is drawn with. Many
// terminals draw these one cell wide although the layout gives each two.
bool isLayoutGlyph(char32_t c);

// Cells one code point takes: 0 for combining marks and controls, 2 for the
// layout glyphs and East Asian wide characters (Hangul among them), else 1.
int cellWidth(char32_t c);
// Cells a whole text takes.
int cellWidth(std::string_view text);

// Typed text made safe to show: invalid UTF-8 and control characters become
// "?", so nothing a person types can move the cursor or change colours.
std::string sanitizeTyped(std::string_view text);

} // namespace platform
