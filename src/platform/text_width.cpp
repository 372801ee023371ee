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

template <std::size_t N> bool inRanges(const CodeRange (&ranges)[N], char32_t c) {
    const auto* end = ranges + N;
    const auto* at = std::upper_bound(ranges, end, c, [](char32_t v, const CodeRange& r) { return v < r.first; });
    return at != ranges && c <= (at - 1)->last;
}

bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

} // namespace

int layoutGlyphIndex(char32_t c) {
    // All of them lie between the reference mark and the white heart suit.
    if (c < 0x203B || c > 0x2667) {
        return -1;
    }
    const auto* at = std::find(layoutGlyphs.begin(), layoutGlyphs.end(), c);
    return at == layoutGlyphs.end() ? -1 : static_cast<int>(at - layoutGlyphs.begin());
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
