// What the output tracker sends to the terminal: only the sequences that
// change something, each layout glyph padded to its two cells, and a screen
// copy that a repaint draws back.
#include "platform/console.h"
#include "platform/posix/terminal_output.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

using platform::posix::TerminalOutput;

namespace {

struct SentCase {
    const char* name;
    std::function<void(TerminalOutput&)> draw;
    std::string expected;
};

std::string sent(TerminalOutput& out) {
    std::string text = out.pendingText();
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    EXPECT_TRUE(out.flush(fds[1]));
    ::close(fds[1]);
    ::close(fds[0]);
    return text;
}

// Output that has sent an "x" to the top-left cell: the terminal's cursor
// is known, right behind it.
TerminalOutput placedOutput() {
    TerminalOutput out;
    out.moveCursor(0, 0);
    out.write("x");
    sent(out);
    return out;
}

} // namespace

TEST(TerminalOutput, SendsOnlyWhatChangesSomething) {
    const std::vector<SentCase> cases = {
        {"move then text", [](TerminalOutput& o) { o.moveCursor(5, 3), o.write("a"); }, "\x1b[4;6Ha"},
        {"text right behind text needs no move",
         [](TerminalOutput& o) { o.moveCursor(5, 3), o.write("a"), o.moveCursor(6, 3), o.write("b"); },
         "\x1b[4;6Hab"},
        {"a move that is overridden is never sent",
         [](TerminalOutput& o) { o.moveCursor(9, 9), o.moveCursor(1, 1), o.write("a"); }, "\x1b[2;2Ha"},
        {"colour set and reset around nothing sends nothing",
         [](TerminalOutput& o) { o.setAttribute(12), o.setAttribute(7), o.moveCursor(0, 1), o.write("a"); },
         "\x1b[2;1Ha"},
        {"red then normal",
         [](TerminalOutput& o) {
             o.moveCursor(0, 1), o.setAttribute(12), o.write("r"), o.setAttribute(7), o.write("n");
         },
         "\x1b[2;1H\x1b[91mr\x1b[0mn"},
        {"colour left red waits for the next text",
         [](TerminalOutput& o) { o.moveCursor(0, 1), o.setAttribute(12), o.write("r"), o.setAttribute(7); },
         "\x1b[2;1H\x1b[91mr"},
        {"clear drops what it would wipe unseen and homes the cursor for the next text",
         [](TerminalOutput& o) { o.moveCursor(7, 7), o.write("a"), o.clear(), o.write("b"); },
         "\x1b[2J\x1b[1;1Hb"},
        {"colour dropped with the wiped text is set again",
         [](TerminalOutput& o) { o.moveCursor(7, 7), o.setAttribute(12), o.write("a"), o.clear(), o.write("b"); },
         "\x1b[2J\x1b[1;1H\x1b[91mb"},
        {"clear keeps what the terminal was told before the drawing",
         [](TerminalOutput& o) { o.write("a"), o.control("\x1b[8;42;162t"), o.clear(); }, "a\x1b[8;42;162t\x1b[2J"},
        {"line end goes to the start of the next line",
         [](TerminalOutput& o) { o.moveCursor(0, 2), o.write("a\nb"), o.moveCursor(1, 3), o.write("c"); },
         "\x1b[3;1Ha\nbc"},
        {"controls other than line ends are dropped",
         [](TerminalOutput& o) { o.moveCursor(0, 1), o.write("a\tb\x1b[2Jc\r"); }, "\x1b[2;1Hab[2Jc"},
        {"an invalid byte shows as ?", [](TerminalOutput& o) { o.moveCursor(0, 1), o.write("a\xff"); },
         "\x1b[2;1Ha?"},
        {"negative moves are refused",
         [](TerminalOutput& o) { o.moveCursor(3, 1), o.moveCursor(-1, 4), o.write("a"); }, "\x1b[2;4Ha"},
        {"shown cursor is placed and shown before waiting",
         [](TerminalOutput& o) { o.moveCursor(4, 2), o.setCursorVisible(true); }, "\x1b[3;5H\x1b[?25h"},
        {"shown then hidden again sends nothing",
         [](TerminalOutput& o) { o.setCursorVisible(true), o.setCursorVisible(false); }, ""},
        {"hidden cursor is not moved for nothing", [](TerminalOutput& o) { o.moveCursor(4, 2); }, ""},
    };
    for (const auto& c : cases) {
        TerminalOutput out = placedOutput();
        c.draw(out);
        EXPECT_EQ(sent(out), c.expected) << c.name;
    }
}

TEST(TerminalOutput, PadsNarrowLayoutGlyphsToTwoCells) {
    struct PadCase {
        bool narrow;
        const char* text;
        int cells; // where the layout puts the next text
        std::string expected;
    };
    const std::vector<PadCase> cases = {
        {true, "┌─┐", 6, "┌───┐ "}, // edges run on through their fillers
        {true, "└─┘", 6, "└───┘ "},
        {true, "│♥▷", 6, "│ ♥ ▷ "},
        {true, "가A", 3, "가A"}, // Hangul is wide everywhere: no filler
        {false, "┌─┐", 6, "┌─┐"},
    };
    for (const auto& c : cases) {
        TerminalOutput out = placedOutput();
        out.setGlyphsNarrow(c.narrow);
        out.moveCursor(0, 1);
        out.write(c.text);
        out.moveCursor(c.cells, 1); // right behind the text: no move is sent
        out.write("|");
        EXPECT_EQ(sent(out), "\x1b[2;1H" + c.expected + "|") << c.text;
    }
}

TEST(TerminalOutput, WrapMakesTheNextPlaceExplicit) {
    TerminalOutput out = placedOutput();
    out.setTerminalSize(4, 42);
    out.moveCursor(2, 0);
    out.write("ab");
    out.moveCursor(4, 0);
    out.write("c");
    EXPECT_EQ(sent(out), "\x1b[1;3Hab\x1b[1;5Hc");
}

TEST(TerminalOutput, FlushWritesOnceAndOnlyWhenSomethingIsGathered) {
    TerminalOutput out;
    out.moveCursor(1, 1);
    out.write("hello");
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    EXPECT_TRUE(out.flush(fds[1]));
    EXPECT_TRUE(out.flush(fds[1]));
    ::close(fds[1]);
    char buf[64];
    const ssize_t n = ::read(fds[0], buf, sizeof buf);
    ::close(fds[0]);
    EXPECT_EQ(std::string(buf, static_cast<std::size_t>(n)), "\x1b[2;2Hhello");
}

TEST(TerminalOutput, FlushReportsAGoneTerminal) {
    TerminalOutput out;
    out.write("x");
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ::close(fds[0]);
    const auto previous = signal(SIGPIPE, SIG_IGN);
    EXPECT_FALSE(out.flush(fds[1]));
    signal(SIGPIPE, previous);
    ::close(fds[1]);
    EXPECT_EQ(out.pendingText(), "");
}

TEST(TerminalOutput, KeepsACopyOfTheScreen) {
    TerminalOutput out;
    out.clear();
    out.write("┌─┐\n│");
    out.moveCursor(10, 1);
    out.setAttribute(12);
    out.write("♥");
    out.setAttribute(7);
    const auto& grid = out.screen();
    EXPECT_EQ(grid.row(0), "┌─┐");
    EXPECT_EQ(grid.row(1), "│        ♥"); // the bar takes cells 0 and 1
    EXPECT_EQ(grid.at(10, 1).attribute, 12);
    EXPECT_TRUE(grid.at(11, 1).continuation);
    out.clear();
    EXPECT_EQ(grid.row(0), "");
}

TEST(TerminalOutput, TypedLineEchoIsInTheCopyButNotSent) {
    TerminalOutput out = placedOutput();
    out.moveCursor(3, 5);
    out.write("이름: ");
    out.setCursorVisible(true);
    sent(out);
    out.echoed("홍길동\n");
    out.setCursorVisible(false);
    EXPECT_EQ(out.screen().row(5), "   이름: 홍길동");
    EXPECT_EQ(sent(out), "\x1b[?25l");
    out.write("x"); // after the echo the cursor is at the start of the next line
    EXPECT_EQ(sent(out), "\x1b[7;1Hx");
    EXPECT_EQ(out.screen().row(6), "x");
}

TEST(TerminalOutput, NoticeIsShownButNotKept) {
    TerminalOutput out = placedOutput();
    out.moveCursor(2, 2);
    out.write("table");
    sent(out);
    out.notice({"small", "window"});
    EXPECT_EQ(sent(out), "\x1b[2J\x1b[1;1Hsmall\x1b[2;1Hwindow");
    EXPECT_EQ(out.screen().row(2), "  table");
    EXPECT_EQ(out.screen().row(0), "x");
}

TEST(TerminalOutput, RepaintDrawsTheCopyAndCarriesOn) {
    TerminalOutput out = placedOutput();
    out.clear();
    out.write("ab");
    out.moveCursor(5, 1);
    out.setAttribute(12);
    out.write("▷");
    out.setAttribute(7);
    out.moveCursor(0, 3);
    sent(out);
    out.repaint();
    EXPECT_EQ(sent(out), "\x1b[2J\x1b[1;1H\x1b[0mab\x1b[2;6H\x1b[91m▷ ");
    out.write("c"); // the game goes on where it was, in the colour it had set
    EXPECT_EQ(sent(out), "\x1b[4;1H\x1b[0mc");
}

TEST(TerminalOutput, RestartDropsUnsentOutputAndSetsEverythingAgain) {
    TerminalOutput out = placedOutput();
    out.moveCursor(2, 1);
    out.setAttribute(12);
    out.write("r");
    out.setCursorVisible(true);
    out.restart("<setup>");
    out.repaint();
    EXPECT_EQ(sent(out), "<setup>\x1b[2J\x1b[1;1Hx\x1b[2;3H\x1b[91mr\x1b[?25h");
}

TEST(TerminalOutput, RepaintLeavesOutWhatTheWindowCannotShowButKeepsIt) {
    TerminalOutput out = placedOutput();
    out.moveCursor(0, 1);
    out.write("abcdef");
    out.moveCursor(0, 2);
    out.write("g");
    sent(out);
    out.setTerminalSize(3, 2);
    out.repaint();
    EXPECT_EQ(sent(out), "\x1b[2J\x1b[1;1Hx\x1b[2;1Habc");
    out.setTerminalSize(162, 42);
    out.repaint();
    EXPECT_EQ(sent(out), "\x1b[2J\x1b[1;1Hx\x1b[2;1Habcdef\x1b[3;1Hg");
}
