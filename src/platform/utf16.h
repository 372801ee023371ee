#pragma once
// Text in the console's own wide encoding, UTF-16, to and from the UTF-8 the
// game holds everything in.

#include <string>
#include <string_view>

namespace platform {

inline bool isHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
inline bool isLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }
// The code point a high and a low surrogate stand for together.
inline char32_t fromSurrogates(char32_t high, char32_t low) { return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00); }

// Appends one code point: one unit, or a surrogate pair above U+FFFF.
void appendUtf16(std::u16string& out, char32_t c);

// UTF-8 as UTF-16; an invalid byte becomes U+FFFD.
std::u16string utf16FromUtf8(std::string_view text);

// UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view text);

} // namespace platform
