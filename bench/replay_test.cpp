// The pieces the replay sends: the same bytes as the game's output, cut only
// between whole sequences and characters; and the pseudo-terminal the game
// is measured on, which answers the cursor question as a terminal does.
#include "platform/posix/readiness.h"
#include "pseudo_terminal.h"
#include "replay.h"
#include "stream_audit.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstddef>
#include <string>
#include <vector>

namespace {

struct JoinCase {
    std::string output;
    long long writes;
};

} // namespace

TEST(Replay, RunsAreTheOutputCutBetweenPieces) {
    const std::string table = "\x1b[2J\x1b[1;1H┌──┐\x1b[91m♥\x1b[0m가나 다\n";
    const std::vector<JoinCase> cases = {{table, 1}, {table, 3}, {table, 1000}, {"", 4}, {"a", 2}};
    for (const JoinCase& c : cases) {
        const std::vector<std::string_view> pieces = bench::splitPieces(c.output);
        const std::vector<std::string_view> runs = bench::joinPieces(c.output, pieces, c.writes);
        std::string joined;
        for (std::string_view run : runs) {
            EXPECT_FALSE(run.empty());
            joined += run;
        }
        EXPECT_EQ(joined, c.output) << c.writes << " writes";
        EXPECT_LE(static_cast<long long>(runs.size()), c.writes) << c.writes << " writes";
        std::size_t piecesInRuns = 0;
        for (std::string_view run : runs) {
            piecesInRuns += bench::splitPieces(run).size();
        }
        EXPECT_EQ(piecesInRuns, pieces.size()) << "a run cut a piece: " << c.writes << " writes";
    }
}

TEST(PseudoTerminal, AnswersTheCursorQuestionAndKeepsWhatItReads) {
    bench::PseudoTerminal terminal({});
    const std::string question = "\x1b[H┌\x1b[6n";
    ASSERT_EQ(::write(terminal.programSide(), question.data(), question.size()),
              static_cast<ssize_t>(question.size()));
    ASSERT_TRUE(platform::posix::awaitReadable({terminal.programSide()}, 5000).at(0));
    char bytes[16] = {};
    const ssize_t n = ::read(terminal.programSide(), bytes, sizeof bytes);
    EXPECT_EQ(std::string(bytes, n > 0 ? static_cast<std::size_t>(n) : 0), "\x1b[1;3R");
    terminal.waitForBytes(static_cast<long long>(question.size()));
    EXPECT_EQ(terminal.received(), question);
    EXPECT_TRUE(terminal.waitFor("┌", 0));
    EXPECT_FALSE(terminal.waitFor("never sent", 10));
}
