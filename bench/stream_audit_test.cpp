// The judge of "no sequence that changes nothing": it must find such a
// sequence wherever the terminal's state is known, and never where it is not.
#include "stream_audit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct AuditCase {
    const char* name;
    std::string stream;
    bool narrow;
    long long moves;
    long long attributes;
    long long cursorModes;
};

} // namespace

TEST(StreamAudit, FindsSequencesThatChangeNothing) {
    const std::vector<AuditCase> cases = {
        {"a move to where the text left the cursor", "\x1b[1;1Hab\x1b[1;3Hc", true, 1, 0, 0},
        {"a move back to the start is needed", "\x1b[1;1Ha\x1b[1;1Hb", true, 0, 0, 0},
        {"red set twice", "\x1b[91ma\x1b[91mb", true, 0, 1, 0},
        {"red and back to normal", "\x1b[0ma\x1b[91mb\x1b[0m", true, 0, 0, 0},
        {"the cursor shown twice", "\x1b[?25l\x1b[?25h\x1b[?25h", true, 0, 0, 1},
        {"a narrow layout glyph takes one cell", "\x1b[1;1H┌\x1b[1;3H", true, 0, 0, 0},
        {"a narrow glyph and its filler take two", "\x1b[1;1H┌─\x1b[1;3H", true, 1, 0, 0},
        {"a wide layout glyph takes two", "\x1b[1;1H┌\x1b[1;3H", false, 1, 0, 0},
        {"Hangul takes two", "\x1b[1;1H가\x1b[1;3H", true, 1, 0, 0},
        {"text reaching the right edge leaves the cursor unknown", "\x1b[1;161Hab\x1b[2;1H", true,
         0, 0, 0},
        {"a line end goes to the next line's start", "\x1b[3;5Ha\n\x1b[4;1H", true, 1, 0, 0},
        {"a question to the terminal leaves the cursor unknown", "\x1b[1;1H\x1b[6n\x1b[1;1H", true,
         0, 0, 0},
        {"a clear leaves the cursor where it is", "\x1b[2;2H\x1b[2J\x1b[2;2H", true, 1, 0, 0},
        {"a column move to where the cursor is", "\x1b[2;2Hab\x1b[4G", true, 1, 0, 0},
        {"a column move elsewhere in the row", "\x1b[2;2Hab\x1b[2G", true, 0, 0, 0},
        {"the marks of a frame keep what is known", "\x1b[?2026h\x1b[1;1Ha\x1b[?2026l\x1b[1;2H", true, 1, 0, 0},
    };
    for (const AuditCase& c : cases) {
        const bench::StreamAudit audit = bench::auditStream(c.stream, c.narrow);
        EXPECT_EQ(audit.idleMoves, c.moves) << c.name;
        EXPECT_EQ(audit.idleAttributes, c.attributes) << c.name;
        EXPECT_EQ(audit.idleCursorModes, c.cursorModes) << c.name;
    }
}

TEST(StreamAudit, CutsSequencesWholeAndCharactersAlone) {
    const std::vector<std::string_view> pieces =
        bench::splitPieces("a가\x1b[2J\x1b[12;40H\x1b[?25l\xff");
    const std::vector<std::string_view> expected = {"a",           "가",        "\x1b[2J",
                                                    "\x1b[12;40H", "\x1b[?25l", "\xff"};
    EXPECT_EQ(pieces, expected);
}
