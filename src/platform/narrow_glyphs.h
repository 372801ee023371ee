#pragma once
// The table is laid out with every layout glyph two cells wide. A console
// that draws one a single cell wide gets a filler cell after it, so the rest
// of the line still lands where the layout put it.

namespace platform {

// After a corner or edge that runs on to the right the filler continues the
// line, so horizontal edges stay unbroken; elsewhere the filler is a blank.
inline char32_t fillerAfter(char32_t glyph) {
    const bool runsRight = glyph == U'┌' || glyph == U'└' || glyph == U'─';
    return runsRight ? U'─' : U' ';
}

} // namespace platform
