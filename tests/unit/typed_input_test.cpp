// Typed words and numbers are cut from lines as formatted extraction cuts
// them, but an answer that is not a number never counts as one. Lines come
// from the keyboard, edited on the screen, or whole from a pipe.
#include "fake/fake_console.h"
#include "platform/console.h"
#include "platform/text_width.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

class TypedInputTest : public ::testing::Test {
  protected:
    void SetUp() override { fake::reset(); }
};

TEST_F(TypedInputTest, WordAndNumberShareOneLine) {
    fake::typeLine("홍길동 3");
    EXPECT_EQ(platform::readWord(), "홍길동");
    EXPECT_EQ(platform::readInt(), 3);
    // The finished line leaves nothing behind: the next read waits for input.
    EXPECT_THROW(platform::readInt(), platform::InputClosed);
}

// The prompt line wipes the answer typed behind it by these cells: the line
// the answer came from, when it was typed for this read, and nothing when
// the answer was left over from an earlier line or came from a pipe.
TEST_F(TypedInputTest, CellsTheAnswerTook) {
    fake::typeLine("홍길동 3");
    EXPECT_EQ(platform::readWord(), "홍길동");
    EXPECT_EQ(platform::typedCells(), 8);
    EXPECT_EQ(platform::readInt(), 3);
    EXPECT_EQ(platform::typedCells(), 0) << "the 3 was on the screen since the name was typed";
    fake::readLinesWhole(true);
    fake::typeLine("5");
    EXPECT_EQ(platform::readInt(), 5);
    EXPECT_EQ(platform::typedCells(), 0) << "a piped line is not shown";
}

TEST_F(TypedInputTest, WordSkipsEmptyLinesAndLeadingBlanks) {
    for (const bool piped : {false, true}) {
        fake::reset();
        fake::readLinesWhole(piped);
        fake::type("\n\n   lee   kim\n");
        EXPECT_EQ(platform::readWord(), "lee");
        EXPECT_EQ(platform::readWord(), "kim");
    }
}

TEST_F(TypedInputTest, AnswersThatAreNotNumbers) {
    struct Case {
        bool piped;
        const char* line;
    };
    // An empty or blank line typed at the keyboard is no answer yet: only a
    // pipe can bring one.
    const Case notNumbers[] = {{false, "abc"},        {false, "12abc"}, {false, "-"},
                               {false, "+"},          {false, "1.5"},   {false, "4294967296"},
                               {false, "2147483648"}, {false, "99999999999999999999"},
                               {true, ""},            {true, " \t "},   {true, "12abc"}};
    for (const Case& c : notNumbers) {
        fake::reset();
        fake::readLinesWhole(c.piped);
        fake::typeLine(c.line);
        fake::typeLine("7");
        EXPECT_EQ(platform::readInt(), std::nullopt) << '"' << c.line << '"';
        EXPECT_EQ(platform::readInt(), 7) << "after \"" << c.line << "\" the next line is read";
    }
}

TEST_F(TypedInputTest, NumbersAtTheEdgesOf32Bits) {
    fake::typeLine("2147483647 -2147483648 +5 -0 007");
    EXPECT_EQ(platform::readInt(), 2147483647);
    EXPECT_EQ(platform::readInt(), -2147483648);
    EXPECT_EQ(platform::readInt(), 5);
    EXPECT_EQ(platform::readInt(), 0);
    EXPECT_EQ(platform::readInt(), 7);
}

TEST_F(TypedInputTest, TypedLinesAreEchoedAtTheCursorAndPipedOnesAreNot) {
    platform::moveCursor(10, 3);
    fake::typeLine("42");
    EXPECT_EQ(platform::readInt(), 42);
    EXPECT_EQ(fake::text(10, 3, 3), "42 ");
    EXPECT_EQ(fake::cursorX(), 12) << "Enter leaves the cursor behind the answer";
    EXPECT_EQ(fake::cursorY(), 3);
    EXPECT_FALSE(fake::terminalCursorVisible());

    fake::reset();
    fake::readLinesWhole(true);
    platform::moveCursor(10, 3);
    fake::typeLine("42");
    EXPECT_EQ(platform::readInt(), 42);
    EXPECT_EQ(fake::text(10, 3, 2), "  ");
}

TEST_F(TypedInputTest, NamesCannotCarryControlsOrBrokenText) {
    fake::typeLine("a\x1b[31mb\xff\xc3");
    EXPECT_EQ(platform::readWord(), "ab??") << "at the keyboard the escape sequence is one key";
    fake::reset();
    fake::readLinesWhole(true);
    fake::typeLine("a\x1b[31mb\xff\xc3");
    EXPECT_EQ(platform::readWord(), "a?[31mb??");
    EXPECT_EQ(platform::sanitizeTyped("정상"), "정상");
}

TEST_F(TypedInputTest, AnUnfinishedLastLineCountsOnlyFromAPipe) {
    fake::type("12");
    EXPECT_THROW(platform::readInt(), platform::InputClosed);
    fake::reset();
    fake::readLinesWhole(true);
    fake::type("12");
    EXPECT_EQ(platform::readInt(), 12);
}

} // namespace
