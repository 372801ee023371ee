#pragma once
// Output for a console that is driven by calls (place the cursor, set the
// colour, write UTF-16 text) rather than by one byte stream: what the game
// writes is gathered as a list of such calls and handed over in one go
// whenever the program is about to wait.
//
// Writes that follow each other become one text call, a cursor move or a
// colour change that would change nothing is left out, and each layout glyph
// gets the two cells the table is laid out with even on a console that draws
// it one cell wide.

#include <string>
#include <string_view>
#include <vector>

namespace platform {

class ConsoleBatch {
  public:
    enum class Kind { moveCursor, setAttribute, writeText, clear };
    struct Step {
        Kind kind;
        int x = 0;
        int y = 0;
        int attribute = 0;
        std::u16string text;
    };

    // Whether the console draws the layout glyphs one cell wide; when it
    // does, each is followed by a filler cell.
    void setGlyphsNarrow(bool narrow) { glyphsNarrow = narrow; }

    void moveCursor(int x, int y);
    void setAttribute(int attribute);
    void write(std::string_view text);
    // Blanks the whole console and homes the cursor.
    void clear();

    const std::vector<Step>& steps() const { return gathered; }
    // Called once the steps have been carried out.
    void forgetSteps() { gathered.clear(); }

  private:
    std::u16string& textStep();

    std::vector<Step> gathered;
    bool glyphsNarrow = true;
    int attribute = 7;
};

} // namespace platform
