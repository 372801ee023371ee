#include "platform/utf16.h"

#include "platform/text_width.h"

#include <cstddef>

namespace platform {

namespace {

constexpr char32_t replacement = 0xFFFD;

} // namespace

void appendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
        return;
    }
    const char32_t offset = c - 0x10000;
    out += static_cast<char16_t>(0xD800 + (offset >> 10));
    out += static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
}

std::u16string utf16FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const CodePoint cp = decodeUtf8(text, at);
        appendUtf16(out, cp.value);
        at += cp.length;
    }
    return out;
}

std::string utf8FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char32_t unit = text[at];
        const bool pairFollows = at + 1 < text.size() && isLowSurrogate(text[at + 1]);
        if (isHighSurrogate(unit) && pairFollows) {
            out += encodeUtf8(fromSurrogates(unit, text[at + 1]));
            ++at;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            out += encodeUtf8(replacement);
        } else {
            out += encodeUtf8(unit);
        }
    }
    return out;
}

} // namespace platform
