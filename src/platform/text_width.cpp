#include "platform/text_width.h"

#include <algorithm>
#include <array>

namespace platform {

namespace {

struct CodeRange {
    char32_t first;
    char32_t last;
};

#include "platform/unicode_widths.inc"

constexpr std::array<char32_t, 15> layoutGlyphs = {
    0x250C, 0x2500, 0x2510, 0x2514, 0x2518, 0x2502, // box corners and edges
    0x203B,                                         // card back
    0x2667, 0x2665, 0x25C6, 0x2664,                 // clubs, hearts, diamonds, spades
    0x25B7, 0x25A9, 0x25C7, 0x2661,                 // cursor, panel fill, title glyphs
};

template <std::size_t N> bool inRanges(const CodeRange (&ranges)[N], char32_t c) {
    const auto* end = ranges + N;
    const auto* at = std::upper_bound(ranges, end, c, [](char32_t v, const CodeRange& r) { return v < r.first; });
    return at != ranges && c <= (at - 1)->last;
}

bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

} // namespace

bool isLayoutGlyph(char32_t c) {
    // All of them lie between the reference mark and the white heart suit.
    if (c < 0x203B || c > 0x2667) {
        return false;
    }
    return std::find(layoutGlyphs.begin(), layoutGlyphs.end(), c) != layoutGlyphs.end();
}

bool isShowable(char32_t c) {
    if (c < 0x80) {
        return !isControl(c);
    }
    return c <= 0x10FFFF && !isControl(c) && !inRanges(zeroWidthRanges, c) && !inRanges(unassignedRanges, c);
}

int cellWidth(char32_t c) {
    if (c < 0x80) {
        return isControl(c) ? 0 : 1;
    }
    if (isLayoutGlyph(c)) {
        return 2;
    }
    if (!isShowable(c)) {
        return 0;
    }
    return inRanges(wideRanges, c) ? 2 : 1;
}

int cellWidth(std::string_view text) {
    int cells = 0;
    for (std::size_t at = 0; at < text.size();) {
        const CodePoint cp = decodeUtf8(text, at);
        cells += cellWidth(cp.value);
        at += cp.length;
    }
    return cells;
}

std::string sanitizeTyped(std::string_view text) {
    std::string safe;
    safe.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const CodePoint cp = decodeUtf8(text, at);
        if (cp.isInvalid() || !isShowable(cp.value)) {
            safe += '?';
        } else {
            safe.append(text.substr(at, cp.length));
        }
        at += cp.length;
    }
    return safe;
}

} // namespace platform
