// What a terminal is sent for a frame: only the cells that changed, placed
// and coloured with the fewest sequences that change something, never past
// the window's edge, each frame wrapped in the synchronized-update marks.
#include "fake/virtual_terminal.h"
#include "platform/frame_encoder.h"
#include "platform/text_width.h"
#include "platform/screen_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

using platform::FrameEncoder;
using platform::ScreenModel;

namespace {

// A block wide enough to be worth shifting rather than sending again.
constexpr const char* card = "[a card of twenty cells]";

constexpr char begin[] = "\x1b[?2026h";
constexpr char end[] = "\x1b[?2026l";

// A frame without its marks.
std::string inner(const std::string& frame) {
    if (frame.empty()) {
        return frame;
    }
    EXPECT_EQ(frame.substr(0, sizeof begin - 1), begin);
    EXPECT_EQ(frame.substr(frame.size() - (sizeof end - 1)), end);
    return frame.substr(sizeof begin - 1, frame.size() - (sizeof begin - 1) - (sizeof end - 1));
}

struct Terminal {
    ScreenModel model{162, 42};
    FrameEncoder encoder;

    Terminal() {
        encoder.setGlyphsNarrow(false);
        encoder.setWindow(162, 42);
        frame(); // the terminal shows the blank model
    }
    std::string frame() { return inner(encoder.encode(model)); }
    void text(int x, int y, const char* text, int attribute = 7) {
        model.moveCursor(x, y);
        model.setAttribute(attribute);
        model.write(text);
        model.setAttribute(7);
    }
};

struct Case {
    const char* name;
    std::function<void(Terminal&)> before; // drawn and sent first
    std::function<void(Terminal&)> draw;
    std::string expected;
};

} // namespace

TEST(FrameEncoder, SendsTheChangedCellsWithTheFewestSequences) {
    const auto nothing = [](Terminal&) {};
    const std::vector<Case> cases = {
        {"a change is placed with a move", nothing, [](Terminal& t) { t.text(5, 3, "a"); }, "\x1b[4;6Ha"},
        {"cells side by side need one move", nothing, [](Terminal& t) { t.text(5, 3, "ab"); }, "\x1b[4;6Hab"},
        {"further along the row: a column move", nothing,
         [](Terminal& t) { t.text(5, 3, "a"), t.text(20, 3, "b"); }, "\x1b[4;6Ha\x1b[21Gb"},
        {"the next row: the shorter move", nothing,
         [](Terminal& t) { t.text(5, 3, "a"), t.text(5, 4, "b"), t.text(0, 5, "c"); }, "\x1b[4;6Ha\x1b[5;6Hb\x1b[B\rc"},
        {"an unchanged gap of more than blanks is moved over", [](Terminal& t) { t.text(5, 3, "abcd"); },
         [](Terminal& t) { t.text(5, 3, "x"), t.text(8, 3, "y"); }, "\x1b[6Gx\x1b[9Gy"},
        {"red, then normal", nothing, [](Terminal& t) { t.text(0, 1, "r", 12), t.text(1, 1, "n"); },
         "\x1b[2;1H\x1b[91mr\x1b[0mn"},
        {"blanks take no colour change", nothing, [](Terminal& t) { t.text(0, 1, "r", 12), t.text(1, 1, " n", 7); },
         "\x1b[2;1H\x1b[91mr \x1b[0mn"},
        {"the same picture again sends nothing", [](Terminal& t) { t.text(0, 1, "same", 12); },
         [](Terminal& t) { t.text(0, 1, "same", 12); }, ""},
        {"a cleared and redrawn frame sends only the difference, never a clear",
         [](Terminal& t) { t.text(0, 1, "hello"), t.text(70, 20, "card"); },
         [](Terminal& t) { t.model.clear(), t.text(0, 1, "help"); }, "\x1b[2;4Hp\x1b[K\x1b[21;71H\x1b[K"},
        {"a long run of blanks is erased, to the line's end or by count",
         [](Terminal& t) { t.text(0, 1, "0123456789abcdefghij"), t.text(150, 1, "xyz"); },
         [](Terminal& t) { t.model.clear(), t.text(0, 1, "01"), t.text(150, 1, "xyz"); }, "\x1b[3G\x1b[148X"},
        {"a block that slid sideways is moved by inserting cells", [](Terminal& t) { t.text(10, 1, card); },
         [](Terminal& t) { t.model.clear(), t.text(16, 1, card); }, "\x1b[11G\x1b[6@"},
        {"and back by deleting them", [](Terminal& t) { t.text(16, 1, card); },
         [](Terminal& t) { t.model.clear(), t.text(10, 1, card); }, "\x1b[11G\x1b[6P"},
        {"a short block is sent again rather than shifted", [](Terminal& t) { t.text(10, 1, "[c]"); },
         [](Terminal& t) { t.model.clear(), t.text(16, 1, "[c]"); }, "\x1b[3D      [c]"},
        {"a new card in front of a stack that moved over: the stack is shifted", [](Terminal& t) { t.text(10, 1, card); },
         [](Terminal& t) { t.text(10, 1, "[new:6"), t.text(16, 1, card); }, "\x1b[12G\x1b[6@new:6["},
        {"a line end goes on at the start of the next line", nothing, [](Terminal& t) { t.text(0, 2, "a\nb"); },
         "\x1b[3;1Ha\x1b[B\rb"},
        {"text past the right edge is dropped; the terminal's cursor is then not known", nothing,
         [](Terminal& t) { t.text(159, 1, "abcd"), t.text(0, 2, "e"); }, "\x1b[2;160Habc\x1b[3;1He"},
        {"a shown cursor is placed and shown", nothing,
         [](Terminal& t) { t.model.moveCursor(4, 2), t.model.setCursorVisible(true); }, "\x1b[3;5H\x1b[?25h"},
        {"a hidden cursor is not moved for nothing", nothing, [](Terminal& t) { t.model.moveCursor(4, 2); }, ""},
        {"the bell", nothing, [](Terminal& t) { t.model.ringBell(); }, "\a"},
        {"writing over half of a wide glyph blanks its other half", [](Terminal& t) { t.text(0, 1, "가"); },
         [](Terminal& t) { t.text(1, 1, "a"); }, "\r a"},
    };
    for (const Case& c : cases) {
        Terminal t;
        c.before(t);
        t.frame();
        c.draw(t);
        EXPECT_EQ(t.frame(), c.expected) << c.name;
    }
}

TEST(FrameEncoder, EveryFrameIsOneSynchronizedUpdate) {
    Terminal t;
    t.text(0, 0, "x");
    EXPECT_EQ(t.encoder.encode(t.model), std::string(begin) + "\x1b[1;1Hx" + end);
    EXPECT_EQ(t.encoder.encode(t.model), "");
}

TEST(FrameEncoder, NarrowLayoutGlyphsGetAFillerCell) {
    struct PadCase {
        bool narrow;
        const char* text;
        std::string expected;
    };
    const std::vector<PadCase> cases = {
        {true, "┌─┐|", "┌───┐ |"}, // edges run on through their fillers
        {true, "└─┘|", "└───┘ |"},
        {true, "│♥▷|", "│ ♥ ▷ |"},
        {true, "가A|", "가A|"}, // Hangul is wide everywhere: no filler
        {false, "┌─┐|", "┌─┐|"},
    };
    for (const PadCase& c : cases) {
        Terminal t;
        t.encoder.setGlyphsNarrow(c.narrow);
        t.text(0, 1, c.text);
        EXPECT_EQ(t.frame(), "\x1b[2;1H" + c.expected) << c.text;
    }
}

TEST(FrameEncoder, OnlyWhatTheWindowShowsIsSentAndAllOfItOnceItGrows) {
    Terminal t;
    t.encoder.setWindow(4, 2);
    t.text(0, 1, "abcdef");
    t.text(0, 2, "g");
    EXPECT_EQ(t.frame(), "\x1b[2;1Habcd");
    t.text(2, 1, "가"); // ends in the window's last column
    EXPECT_EQ(t.frame(), "\x1b[2;3H가");
    t.text(3, 1, "나"); // would end past it
    EXPECT_EQ(t.frame(), "\x1b[2;3H ") << "a two-cell glyph cut by the edge stays unsent";
    t.encoder.setWindow(162, 42);
    t.encoder.forget();
    EXPECT_EQ(t.frame(), "\x1b[0m\x1b[2J\x1b[2;1Hab 나f\x1b[B\rg\x1b[?25l");
}

// Whatever is drawn, frame after frame, a terminal fed the frames shows the
// model: random text of every width, colours, clears, blocks sliding
// sideways, on terminals that draw the layout glyphs one or two cells wide.
TEST(FrameEncoder, ATerminalFedTheFramesShowsTheModel) {
    const char* pieces[] = {"a", "xyz", " ", "    ", "가", "한글", "┌─┐", "│", "※※", "♥", "▩▩▩", "🚀", "10"};
    const std::u32string allLayoutGlyphs(platform::layoutGlyphs.begin(), platform::layoutGlyphs.end());
    for (const bool narrow : {true, false}) {
        std::mt19937 random(narrow ? 7 : 11);
        ScreenModel model(40, 6);
        FrameEncoder encoder;
        encoder.setGlyphsNarrow(narrow);
        encoder.setWindow(40, 6);
        fake::VirtualTerminal terminal(40, 6, narrow ? allLayoutGlyphs : U"");
        int block = 10;
        for (int frame = 0; frame < 400; ++frame) {
            if (random() % 4 == 0) {
                model.clear();
                block += static_cast<int>(random() % 13) - 6; // a card sliding
                block = std::clamp(block, 0, 30);
                model.moveCursor(block, 2);
                model.write("┌───┐");
                model.moveCursor(block, 3);
                model.write("│※※※│");
            }
            for (int n = static_cast<int>(random() % 4); n > 0; --n) {
                model.moveCursor(static_cast<int>(random() % 40), static_cast<int>(random() % 6));
                model.setAttribute(random() % 3 == 0 ? 12 : 7);
                model.write(pieces[random() % std::size(pieces)]);
            }
            model.setAttribute(7);
            terminal.feed(encoder.encode(model));
            for (int y = 0; y < model.lines(); ++y) {
                for (int x = 0; x < model.columns(); ++x) {
                    const platform::Cell& c = model.at(x, y);
                    if (c.rightHalf) {
                        const char32_t left = model.at(x - 1, y).glyph;
                        if (narrow && platform::isLayoutGlyph(left)) {
                            ASSERT_EQ(terminal.cell(x, y), platform::encodeUtf8(platform::fillerAfter(left)))
                                << "the filler, frame " << frame << " at " << x << "," << y;
                        }
                        continue;
                    }
                    ASSERT_EQ(terminal.cell(x, y), platform::encodeUtf8(c.glyph))
                        << (narrow ? "narrow" : "wide") << " frame " << frame << " at " << x << "," << y;
                    if (!c.isBlank()) {
                        ASSERT_EQ(terminal.attributeAt(x, y), c.attribute) << "frame " << frame;
                    }
                }
            }
        }
        EXPECT_EQ(terminal.wraps(), 0);
        EXPECT_EQ(terminal.scrolls(), 0);
        EXPECT_EQ(terminal.unknownSequences(), 0);
    }
}
