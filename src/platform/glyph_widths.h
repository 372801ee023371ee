#pragma once
// How wide a console draws each of the table's layout glyphs. The layout
// gives every one two cells; a glyph the console draws in one cell is
// followed by a filler cell (fillerAfter), so the rest of the line lands
// where the layout put it. Consoles differ glyph by glyph: box drawing takes
// one cell almost everywhere, while the suits and symbols are of ambiguous
// width, one cell or two by the console's font or the terminal's setting.

#include "platform/text_width.h"

#include <bitset>
#include <functional>

namespace platform {

class GlyphWidths {
  public:
    // Every layout glyph drawn in one cell (narrow), or every one in two.
    explicit GlyphWidths(bool allNarrow = true);

    // True for a layout glyph the console draws in one cell; false for one
    // it draws in two, and for every other character.
    bool drawnNarrow(char32_t c) const {
        const int index = layoutGlyphIndex(c);
        return index >= 0 && narrow[static_cast<std::size_t>(index)];
    }
    void setNarrow(char32_t glyph, bool isNarrow);

  private:
    std::bitset<layoutGlyphs.size()> narrow;
};

// Each layout glyph's width on a console, by `cellsOf`: how many cells the
// console moved its cursor writing the glyph alone (-1 when it could not
// tell). A glyph is wide where it took two cells; any other answer draws it
// as a narrow one, with its filler, which a console that could not tell
// shows with at worst a gap.
GlyphWidths measureGlyphWidths(const std::function<int(char32_t)>& cellsOf);

} // namespace platform
