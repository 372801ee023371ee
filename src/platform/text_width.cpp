#include "platform/text_width.h"

#include <array>

namespace platform {

namespace {

constexpr char32_t replacement = 0xFFFD;

constexpr std::array<char32_t, 15> layoutGlyphs = {
    0x250C, 0x2500, 0x2510, 0x2514, 0x2518, 0x2502, // box corners and edges
    0x203B,                                         // card back
    0x2667, 0x2665, 0x25C6, 0x2664,                 // clubs, hearts, diamonds, spades
    0x25B7, 0x25A9, 0x25C7, 0x2661,                 // cursor, panel fill, title glyphs
};

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
           (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA960 && c <= 0xA97F) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
           (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool isZeroWidth(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0x0300 && c <= 0x036F) ||
           (c >= 0x1160 && c <= 0x11FF) || c == 0x200B || (c >= 0xFE00 && c <= 0xFE0F);
}

} // namespace

CodePoint decodeUtf8(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return {replacement, 1};
    }
    if (at + length > text.size()) {
        return {replacement, 1};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(text[at + i]);
        if (!isContinuation(b)) {
            return {replacement, 1};
        }
        value = (value << 6) | (b & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return {replacement, 1};
    }
    return {value, length};
}

bool isLayoutGlyph(char32_t c) {
    for (char32_t g : layoutGlyphs) {
        if (g == c) {
            return true;
        }
    }
    return false;
}

int cellWidth(char32_t c) {
    if (c < 0x80) {
        return c >= 0x20 && c != 0x7F ? 1 : 0;
    }
    if (isLayoutGlyph(c) || isWide(c)) {
        return 2;
    }
    return isZeroWidth(c) ? 0 : 1;
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
        const bool control = cp.value < 0x20 || (cp.value >= 0x7F && cp.value < 0xA0);
        if (cp.value == replacement || control) {
            safe += '?';
        } else {
            safe.append(text.substr(at, cp.length));
        }
        at += cp.length;
    }
    return safe;
}

} // namespace platform
