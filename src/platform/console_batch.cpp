#include "platform/console_batch.h"

#include "platform/narrow_glyphs.h"
#include "platform/text_width.h"
#include "platform/utf16.h"

namespace platform {

namespace {

// A console takes 16-bit coordinates and refuses negative ones, leaving the
// cursor where it was.
bool isCell(int x, int y) { return x >= 0 && y >= 0 && x <= 32767 && y <= 32767; }

// Control characters other than the line end would move the cursor or ring
// the bell behind the layout's back.
bool isControl(char32_t c) {
    return (c < 0x20 && c != U'\n') || c == 0x7F || (c >= 0x80 && c < 0xA0);
}

void appendUtf8As16(std::u16string& out, std::string_view utf8) {
    for (std::size_t at = 0; at < utf8.size();) {
        const CodePoint cp = decodeUtf8(utf8, at);
        appendUtf16(out, cp.value);
        at += cp.length;
    }
}

} // namespace

void ConsoleBatch::moveCursor(int x, int y) {
    if (!isCell(x, y)) {
        return;
    }
    if (!gathered.empty() && gathered.back().kind == Kind::moveCursor) {
        gathered.pop_back(); // nothing was written where the cursor stood
    }
    gathered.push_back({Kind::moveCursor, x, y, 0, {}});
}

void ConsoleBatch::setAttribute(int value) {
    if (value == attribute) {
        return;
    }
    gathered.push_back({Kind::setAttribute, 0, 0, value, {}});
    attribute = value;
}

void ConsoleBatch::clear() { gathered.push_back({Kind::clear, 0, 0, 0, {}}); }

std::u16string& ConsoleBatch::textStep() {
    if (gathered.empty() || gathered.back().kind != Kind::writeText) {
        gathered.push_back({Kind::writeText, 0, 0, 0, {}});
    }
    return gathered.back().text;
}

void ConsoleBatch::write(std::string_view text) {
    if (text.empty()) {
        return;
    }
    std::u16string& out = textStep();
    for (std::size_t at = 0; at < text.size();) {
        const CodePoint cp = decodeUtf8(text, at);
        const bool invalidByte = cp.value == 0xFFFD && cp.length == 1;
        at += cp.length;
        if (isControl(cp.value)) {
            continue;
        }
        appendUtf16(out, invalidByte ? U'?' : cp.value);
        if (glyphsNarrow && isLayoutGlyph(cp.value)) {
            appendUtf8As16(out, fillerAfter(cp.value));
        }
    }
}

} // namespace platform
