// Whatever a person types, or a pipe brings, the game goes on or ends
// cleanly: an answer that is not a number is never taken as one, typed
// controls never reach the screen, and the end of the input ends the game
// with the books intact.
#include "fake/books.h"
#include "fake/fake_console.h"
#include "fake/seeded_game.h"
#include "fake/whole_game.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "platform/console.h"
#include "platform/text_width.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using namespace std::string_view_literals;

constexpr int promptLine = layout::promptLine.y;
constexpr int setupLine = layout::setupPrompt.y;
constexpr int labelLine = layout::seats[0].panelY - 1; // the person's label, above the panel
constexpr const char* countPrompt = "Computer 인원 입력(1~6) : ";
constexpr const char* choicePrompt = "1.배팅 2.다이 : ";
constexpr const char* amountPrompt = "금액 : ";
constexpr const char* boundsMessage = "최소 100원 ~ 최대 200원";

bool shows(const std::string& row, std::string_view text) { return row.find(text) != std::string::npos; }

// What the person saw at one wait: the line the game asks on, and the cells
// right of the cursor, where what is typed next will be echoed.
struct Seen {
    std::string line;
    std::string afterCursor;
};

// Answers each wait with the next entry (nothing left ends the input), and
// notes what the person saw at every wait, the books checked at each.
struct Person {
    std::deque<std::string> answers;
    std::vector<Seen> seen;

    void attach(GameTable& table, fake::Books& books) {
        fake::whenScriptRunsOut([this, &table, &books](fake::Wait) -> std::string {
            books.atWait();
            const bool inHand = table.seat(0) != nullptr && table.seat(0)->getCardCount() > 0;
            seen.push_back({fake::row(inHand ? promptLine : setupLine),
                            fake::text(fake::cursorX(), fake::cursorY(), 16)});
            if (answers.empty()) {
                return "";
            }
            std::string next = answers.front();
            answers.pop_front();
            return next;
        });
    }
};

class BadInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::reset();
        table.randomDraws().seed(11);
    }
    void TearDown() override { fake::whenScriptRunsOut(nullptr); }

    // Plays "Game Start" (or "Play Simulation") until the answers run out:
    // the end of the input comes out of playGame, with the books balanced.
    void play(std::deque<std::string> answers, bool simulation = false) {
        person.answers = std::move(answers);
        person.attach(table, books);
        EXPECT_THROW(table.playGame(simulation), platform::InputClosed);
        EXPECT_TRUE(books.faults().empty()) << books.faults().front();
        EXPECT_EQ(fake::refusedMoves(), 0);
        EXPECT_EQ(fake::terminalWraps(), 0);
        EXPECT_EQ(fake::terminalScrolls(), 0);
    }

    // Nothing of the broken-off game lingers: the table plays a new one.
    void expectTablePlaysOn() {
        fake::reset();
        const fake::GameRecord game = fake::playWholeGame(table, {true, "again", 2, {}, 5});
        EXPECT_TRUE(game.faults.empty()) << game.faults.front();
        EXPECT_EQ(game.hands, 5);
    }

    int seatsInUse() const {
        int n = 0;
        for (int s = 1; s < GameTable::seatCount; ++s) {
            n += table.seat(s)->isSeated() ? 1 : 0;
        }
        return n;
    }

    GameTable table;
    fake::Books books{table};
    Person person;
};

// ---------------------------------------------------------------------------
// Answers that are not a number fitting 32 bits, at the three number prompts,
// typed at the keyboard or brought whole by a pipe.

enum class Source { Typed, Pipe };

// Each with what a careless reader would take it for. Control bytes can only
// come whole from a pipe: at the keyboard they are keys the line editing
// takes or ignores.
constexpr std::string_view typedNotNumbers[] = {
    "abc"sv,          // letters
    "+"sv,            // a sign without digits
    "-"sv,            //
    "+-2"sv,          // two signs
    "3x"sv,           // 3, with letters stuck to it
    "1.5"sv,          // 1
    "4294967297"sv,   // 1, wrapped to 32 bits
    "-4294967294"sv,  // 2, wrapped
    "2147483648"sv,   // the smallest number past 32 bits
    "99999999999999999999999"sv,
};
constexpr std::string_view pipedNotNumbers[] = {
    ""sv,             // an empty line
    "\x1b[2J"sv,      // a terminal's clear-screen sequence
    "\x1b[31m1"sv,    // a colour change in front of a digit
    "\0" "1"sv,       // NUL in front of a digit
    "1\b"sv,          // a digit and a backspace
    "\x7f" "2"sv,     // DEL in front of a digit
};

enum class Prompt { Count, Choice, Amount };

struct BadAnswer
    : BadInputTest,
      ::testing::WithParamInterface<std::tuple<Source, Prompt, std::string_view>> {};

TEST_P(BadAnswer, IsNeverTakenAndThePromptComesBack) {
    const auto [source, prompt, bad] = GetParam();
    fake::readLinesWhole(source == Source::Pipe);
    const std::string line = std::string(bad) + "\n";
    // After the bad answer a good one: 2 computers, a pass, a bet of 150.
    if (prompt == Prompt::Count) {
        play({"me\n", line, "2\n"});
    } else if (prompt == Prompt::Choice) {
        play({"me 1\n", line, "3\n"});
    } else {
        play({"me 1\n", "1\n", line, "x", "150\n"});
    }
    const std::vector<Seen>& seen = person.seen;
    // The waits: the name (or name and count), the prompt answered badly,
    // [the bounds message,] the prompt again.
    const std::size_t first = prompt == Prompt::Count ? 1 : prompt == Prompt::Choice ? 1 : 2;
    const std::size_t again = prompt == Prompt::Amount ? first + 2 : first + 1;
    ASSERT_GT(seen.size(), again);
    const char* asked = prompt == Prompt::Count ? countPrompt : prompt == Prompt::Choice ? choicePrompt : amountPrompt;
    EXPECT_TRUE(shows(seen[first].line, asked)) << seen[first].line;
    EXPECT_TRUE(shows(seen[again].line, asked)) << seen[again].line;
    if (prompt == Prompt::Amount) {
        EXPECT_TRUE(shows(seen[first + 1].line, boundsMessage)) << seen[first + 1].line;
    }
    // The wrong answer is wiped from where the next answer is echoed.
    const std::size_t wiped = prompt == Prompt::Choice ? 7 : 13;
    EXPECT_EQ(seen[again].afterCursor.substr(0, wiped), std::string(wiped, ' ')) << seen[again].afterCursor;

    EXPECT_EQ(seatsInUse(), prompt == Prompt::Count ? 2 : 1);
    EXPECT_TRUE(table.seat(0)->isInHand());
    EXPECT_EQ(table.seat(0)->getMoney(), 1000000 - (prompt == Prompt::Amount ? 150 : 0));
    for (int y = 0; y < fake::lines; ++y) {
        EXPECT_FALSE(shows(fake::row(y), "\x1b")) << y;
    }
}

INSTANTIATE_TEST_SUITE_P(TypedAtEveryNumberPrompt, BadAnswer,
                         ::testing::Combine(::testing::Values(Source::Typed),
                                            ::testing::Values(Prompt::Count, Prompt::Choice, Prompt::Amount),
                                            ::testing::ValuesIn(typedNotNumbers)));
INSTANTIATE_TEST_SUITE_P(PipedAtEveryNumberPrompt, BadAnswer,
                         ::testing::Combine(::testing::Values(Source::Pipe),
                                            ::testing::Values(Prompt::Count, Prompt::Choice, Prompt::Amount),
                                            ::testing::ValuesIn(pipedNotNumbers)));

// Enter alone at a number prompt is no answer at all: nothing moves, the
// prompt stays as it is, and the next line typed is the answer.
TEST_F(BadInputTest, EnterAloneWaitsOnAtEveryPrompt) {
    play({"\n", "\n", "me\n", "\n", "  \n", "1\n", "\n", "3\n"});
    const std::vector<Seen>& seen = person.seen;
    ASSERT_EQ(seen.size(), 9u);
    for (std::size_t i : {0u, 1u, 2u}) {
        EXPECT_TRUE(shows(seen[i].line, "Player 이름 입력 : ")) << i << ": " << seen[i].line;
    }
    for (std::size_t i : {3u, 4u, 5u}) {
        EXPECT_TRUE(shows(seen[i].line, countPrompt)) << i << ": " << seen[i].line;
    }
    EXPECT_TRUE(shows(seen[6].line, choicePrompt)) << seen[6].line;
    EXPECT_TRUE(shows(seen[7].line, choicePrompt)) << seen[7].line;
    EXPECT_EQ(seen[7].afterCursor, std::string(16, ' '));
    EXPECT_EQ(table.seat(0)->getName(), "me");
    EXPECT_EQ(seatsInUse(), 1);
}

// ---------------------------------------------------------------------------
// The end of the input at every wait of a game.

enum class Wait { Name, Count, Choice, Amount, Bounds, WinnerLine };

struct Ending {
    Wait wait;
    std::deque<std::string> answers;
    bool simulation;
    int line;           // where the person looks
    const char* shown;  // and what stands there when the input ends
};

struct EndOfInput : BadInputTest, ::testing::WithParamInterface<Ending> {};

TEST_P(EndOfInput, EndsTheGameWithTheBooksIntact) {
    const Ending& e = GetParam();
    play(e.answers, e.simulation);
    EXPECT_TRUE(shows(fake::row(e.line), e.shown)) << fake::row(e.line);
    if (e.wait == Wait::Name) {
        EXPECT_EQ(table.seat(0)->getName(), "");
    }
    expectTablePlaysOn();
}

INSTANTIATE_TEST_SUITE_P(
    AtEveryPrompt, EndOfInput,
    ::testing::Values(Ending{Wait::Name, {}, false, setupLine, "Player 이름 입력 : "},
                      Ending{Wait::Count, {"me\n"}, false, setupLine, countPrompt},
                      Ending{Wait::Choice, {"me 1\n"}, false, promptLine, choicePrompt},
                      Ending{Wait::Amount, {"me 1\n", "1\n"}, false, promptLine, amountPrompt},
                      Ending{Wait::Bounds, {"me 1\n", "1\n", "99\n"}, false, promptLine, boundsMessage},
                      Ending{Wait::WinnerLine, {"me 1\n"}, true, promptLine, "패로 승리하였습니다!"}));

TEST_F(BadInputTest, EndOfInputAtTheFinalPause) {
    // Rehearsed on a table of its own: the deck's order goes from one game
    // into the next.
    const int hands = fake::shortGameWithOneComputer("me").record.hands;
    // The same game again, with a key for every winner line and none for the
    // press-a-key wait after the overall winner.
    fake::reset();
    table.randomDraws().seed(fake::shortGameSeed);
    std::deque<std::string> answers{"me 1\n"};
    answers.insert(answers.end(), static_cast<std::size_t>(hands), "\r");
    play(answers, true);
    EXPECT_EQ(books.gamesOver(), 1);
    EXPECT_EQ(fake::pauseCount(), 1);
    EXPECT_TRUE(shows(fake::row(promptLine), "님이 포커게임 최종으로 승리하였습니다!")) << fake::row(promptLine);
    EXPECT_TRUE(shows(fake::row(layout::finalPause.y), "계속하려면 아무 키나 누르십시오"));
    expectTablePlaysOn();
}

TEST_F(BadInputTest, EndOfInputAtTheMenu) {
    EXPECT_THROW(table.runMenu(), platform::InputClosed);
    EXPECT_TRUE(shows(fake::row(layout::menuFirstLine), "Game Start"));
    EXPECT_EQ(fake::cell(2 * layout::menuCursorColumn, layout::menuFirstLine), "▷");
    expectTablePlaysOn();
}

// ---------------------------------------------------------------------------
// Names: whatever bytes are typed, the name shown is one word of plain text.

struct NameCase {
    Source source;
    std::string_view typed;
    std::string_view shown;
};

struct BadName : BadInputTest, ::testing::WithParamInterface<NameCase> {};

TEST_P(BadName, IsShownAsPlainText) {
    const NameCase& c = GetParam();
    fake::readLinesWhole(c.source == Source::Pipe);
    play({std::string(c.typed) + " 1\n"}); // ends at the first betting prompt, labels all drawn
    EXPECT_EQ(table.seat(0)->getName(), c.shown);
    EXPECT_TRUE(shows(fake::row(labelLine), std::string(c.shown) + "(금액:")) << fake::row(labelLine);
    for (int y = 0; y < fake::lines; ++y) {
        const std::string row = fake::row(y);
        for (char control : {'\x1b', '\0', '\b', '\x7f'}) {
            EXPECT_EQ(row.find(control), std::string::npos) << "line " << y << ": " << row;
        }
    }
    EXPECT_EQ(fake::droppedAtEdge(), 0);
}

// At the keyboard, controls are keys: Backspace takes back, an escape
// sequence is one ignored key; from a pipe every byte is text, and what
// cannot be shown shows as "?".
INSTANTIATE_TEST_SUITE_P(
    TypedOrPiped, BadName,
    ::testing::Values(NameCase{Source::Typed, "홍길동"sv, "홍길동"sv},
                      NameCase{Source::Typed, "a\x1b[2Jb"sv, "ab"sv}, NameCase{Source::Typed, "a\0b"sv, "ab"sv},
                      NameCase{Source::Typed, "ab\bc"sv, "ac"sv},
                      NameCase{Source::Typed, "\xff\xfe김\xc3"sv, "??김?"sv},
                      NameCase{Source::Typed, "%s%n%d"sv, "%s%n%d"sv},
                      NameCase{Source::Typed, "🚀\u200D🚀\uFE0F"sv, "🚀?🚀?"sv},
                      NameCase{Source::Pipe, "홍길동"sv, "홍길동"sv}, NameCase{Source::Pipe, "a\x1b[2Jb"sv, "a?[2Jb"sv},
                      NameCase{Source::Pipe, "a\0b"sv, "a?b"sv}, NameCase{Source::Pipe, "ab\bc"sv, "ab?c"sv},
                      NameCase{Source::Pipe, "\xff\xfe김\xc3"sv, "??김?"sv},
                      NameCase{Source::Pipe, "\x1b]0;title\x07"sv, "?]0;title?"sv},
                      NameCase{Source::Pipe, "e\u0301\U000E0080"sv, "e??"sv}));

// A megabyte pasted at the name prompt: at the keyboard the name stops at
// ten cells (the rest is refused with a bell); from a pipe its first ten
// cells are kept. Either way the game goes on.
TEST_F(BadInputTest, MegabyteNameStopsAtTheLimit) {
    for (const Source source : {Source::Typed, Source::Pipe}) {
        for (const std::string glyph : {"N", "가"}) {
            fake::reset();
            fake::readLinesWhole(source == Source::Pipe);
            std::string name;
            for (int i = 0; i < (1 << 20) / static_cast<int>(glyph.size()); ++i) {
                name += glyph;
            }
            person = Person{};
            play({name + " 1\n", "\r"}, true); // ends at the second winner line
            const std::string& kept = table.seat(0)->getName();
            EXPECT_TRUE(name.starts_with(kept));
            EXPECT_EQ(platform::cellWidth(kept), Player::maxNameCells);
            EXPECT_EQ(fake::bells() > 0, source == Source::Typed);
            ASSERT_EQ(person.seen.size(), 3u);
        }
    }
}

} // namespace
