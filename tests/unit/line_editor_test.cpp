// Typed lines edited by the game itself: keys in, the text taken and the
// cells shown out. What the screen shows is what the game takes.
#include "platform/console.h"
#include "platform/key_decoder.h"
#include "platform/line_editor.h"
#include "platform/screen_model.h"
#include "platform/text_width.h"
#include "support/byte_script.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using platform::ScreenModel;

namespace {

constexpr int startX = 10;
constexpr int row = 2;

struct Edited {
    std::string taken;
    std::string shown; // the row from startX, wide glyphs once, trailing blanks dropped
    int cursorX;
    int bells;
};

std::string shownFrom(const ScreenModel& model) {
    std::string text;
    for (int x = startX; x < model.columns(); ++x) {
        if (!model.at(x, row).rightHalf) {
            text += platform::encodeUtf8(model.at(x, row).glyph);
        }
    }
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

// Edits one line from the bytes, as they come from a terminal, with the
// edge `width` cells after the start.
Edited edit(const std::string& bytes, int width = 40) {
    ScreenModel model(80, 5);
    model.moveCursor(startX, row);
    platform::KeyDecoder keys(bytesOf(bytes));
    int bells = 0;
    const std::string taken = platform::editLine(model, startX + width, [&] {
        bells += model.takeBell() ? 1 : 0;
        return keys.nextLineKey();
    });
    bells += model.takeBell() ? 1 : 0;
    EXPECT_FALSE(model.cursorVisible()) << "the cursor hides again after the line";
    return {taken, shownFrom(model), model.cursorX() - startX, bells};
}

} // namespace

TEST(LineEditor, KeysInTextAndCellsOut) {
    struct Case {
        const char* name;
        std::string keys;
        std::string taken;
        std::string shown;
        int cursor; // cells after the start
    };
    const std::vector<Case> cases = {
        {"plain word", "kim\r", "kim", "kim", 3},
        {"Backspace takes a whole Hangul syllable and its two cells", "한글이름\x7f\x7f" "ab\r", "한글ab", "한글ab", 6},
        {"Ctrl-H is Backspace too", "abc\b\bz\n", "az", "az", 2},
        {"Backspace on an empty line does nothing", "\x7f\x7fok\r", "ok", "ok", 2},
        {"Enter alone waits on", "\r\r\rx\r", "x", "x", 1},
        {"blanks alone wait on too", "  \r3\r", "  3", "  3", 3},
        {"Ctrl-U clears the line", "abc\x15" "d\r", "d", "d", 1},
        {"Ctrl-D on a line with text does nothing", "a\x04" "b\r", "ab", "ab", 2},
        {"cursor and function keys edit nothing", "a\x1b[Db\x1b[15~c\x1bOA\r", "abc", "abc", 3},
        {"bracketed paste goes in as typed", "\x1b[200~kim 3\x1b[201~\r", "kim 3", "kim 3", 5},
        {"a pasted line end ends the line", "lee\r\nkim\r", "lee", "lee", 3},
        {"invalid UTF-8 is one question mark", "a\xff" "b\r", "a?b", "a?b", 3},
        {"a joiner or a variation selector shows and goes in as ?", "x\u200Dy\uFE0F\r", "x?y?", "x?y?", 4},
        {"an unassigned code point too", "\U000E0080\r", "?", "?", 1},
        {"emoji take their two cells", "🚀🚀🚀🚀🚀\r", "🚀🚀🚀🚀🚀", "🚀🚀🚀🚀🚀", 10},
        {"tabs and other controls are ignored", "a\tb\x01\r", "ab", "ab", 2},
    };
    for (const Case& c : cases) {
        const Edited e = edit(c.keys);
        EXPECT_EQ(e.taken, c.taken) << c.name;
        EXPECT_EQ(e.shown, c.shown) << c.name;
        EXPECT_EQ(e.cursorX, c.cursor) << c.name;
    }
}

TEST(LineEditor, ALineNeverGrowsPastTheEdge) {
    const Edited narrow = edit("abcdefg\r", 5);
    EXPECT_EQ(narrow.taken, "abcde");
    EXPECT_EQ(narrow.shown, "abcde");
    EXPECT_EQ(narrow.bells, 2);
    const Edited wide = edit("abcd가\x7fx\r", 5);
    EXPECT_EQ(wide.taken, "abcx") << "the syllable was refused whole, so Backspace took the d";
    EXPECT_EQ(wide.bells, 1);
}

TEST(LineEditor, TheInputEnds) {
    EXPECT_THROW(edit("\x04"), platform::InputClosed);
    EXPECT_THROW(edit("ab\x15\x04"), platform::InputClosed);
    EXPECT_THROW(edit("unfinished"), platform::InputClosed);
}
