#include "platform/glyph_widths.h"

namespace platform {

GlyphWidths::GlyphWidths(bool allNarrow) {
    if (allNarrow) {
        narrow.set();
    }
}

void GlyphWidths::setNarrow(char32_t glyph, bool isNarrow) {
    const int index = layoutGlyphIndex(glyph);
    if (index >= 0) {
        narrow[static_cast<std::size_t>(index)] = isNarrow;
    }
}

GlyphWidths measureGlyphWidths(const std::function<int(char32_t)>& cellsOf) {
    GlyphWidths widths;
    for (const char32_t glyph : layoutGlyphs) {
        widths.setNarrow(glyph, cellsOf(glyph) != 2);
    }
    return widths;
}

} // namespace platform
