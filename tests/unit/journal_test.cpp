// "Game Start" kept with --save and cut at every kind of moment: before a
// hand's first answer, after a choice to pass, die or bet, after an amount,
// at a winner line. Taken up again, the game stands at the very prompt where
// it was cut (at the next one when the cut came after a hand was paid), with
// the same table, and plays on as the uninterrupted game did. A save whose
// answers do not fit its hand is refused, the file as it was.
#include "fake/fake_console.h"
#include "fake/whole_game.h"
#include "files/durable_file.h"
#include "game/game_files.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "platform/console.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr unsigned seed = 7;
constexpr int hands = 6;

// The screen at every wait, and the winner lines, of one run.
struct Played {
    std::vector<std::string> frames;
    std::vector<std::string> winnerLines;
    long long firstWaitMs = -1; // the pauses before the first wait
    std::size_t answersKept = 0; // in the save the game was taken up from
};

// The person's answer at the n-th prompt of the game: passes, dies and bets
// (the stake, or more than it may) in turn.
std::string answer(int n, const std::string& prompt, int stake) {
    if (prompt == "금액 : ") {
        return std::to_string(n % 3 == 0 ? stake + stake / 2 : stake) + "\n";
    }
    static const char* choices[] = {"1\n", "3\n", "1\n", "2\n", "1\n", "7\n"};
    return choices[n % 6];
}

class JournalTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // The game from its start, or taken up from the save, until the input
    // ends at prompt `cutAt` (counted from the game's first prompt; -1: no cut).
    Played play(bool keep, int firstPrompt, int cutAt, int handLimit) {
        OpenedFiles opened;
        if (keep) {
            CommandLine line;
            line.savePath = save.string();
            opened = openGameFiles(line);
            EXPECT_EQ(opened.problem, "");
        }
        const std::optional<SavedGame> kept = keep ? opened.files.save->loaded() : std::nullopt;
        fake::reset();
        GameTable table(seed);
        table.keepFiles(std::move(opened.files));
        Played run;
        run.answersKept = kept ? kept->answers.size() : 0;
        fake::atEveryWait([&run] {
            if (run.frames.empty()) {
                run.firstWaitMs = fake::clockMs();
            }
            run.frames.push_back(fake::dump());
            const std::string line = fake::row(layout::promptLine.y);
            if (line.find("패로 승리하였습니다!") != std::string::npos) {
                run.winnerLines.push_back(line);
            }
        });
        int prompt = firstPrompt;
        auto person = [&prompt, cutAt](const std::string& asked, int stake) {
            const int n = prompt++;
            return n == cutAt ? std::string() : answer(n, asked, stake);
        };
        fake::playWholeGame(table, {false, "tester", 2, person, handLimit, kept && !kept->finished() ? &*kept : nullptr});
        fake::atEveryWait(nullptr);
        prompts = prompt;
        return run;
    }

    // A folder of each test's own: the tests may run side by side.
    const fs::path folder =
        fs::temp_directory_path() /
        ("brannocktide-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    const fs::path save = folder / "game.save";
    int prompts = 0;
};

TEST_F(JournalTest, ACutGameStandsWhereItWasCutAndPlaysOnTheSame) {
    const Played whole = play(false, 0, -1, hands);
    const int allPrompts = prompts;
    ASSERT_GT(allPrompts, 12);
    // Each prompt in turn is a cut: choices and amounts of every kind, the
    // first of a hand and the last.
    for (int cut = 0; cut < allPrompts; ++cut) {
        SCOPED_TRACE("cut at prompt " + std::to_string(cut));
        SetUp();
        const Played before = play(true, 0, cut, hands);
        const std::size_t cutFrame = before.frames.size() - 1;
        const int handsSeen = static_cast<int>(before.winnerLines.size());
        const Played after = play(true, cut, -1, hands - handsSeen);
        ASSERT_FALSE(after.frames.empty());
        EXPECT_EQ(after.frames.front(), whole.frames[cutFrame]);
        // A hand with answers kept is played again to them without a pause;
        // one without is dealt as any hand is.
        EXPECT_EQ(after.firstWaitMs == 0, after.answersKept > 0) << after.firstWaitMs << " ms";
        std::vector<std::string> lines = before.winnerLines;
        lines.insert(lines.end(), after.winnerLines.begin(), after.winnerLines.end());
        EXPECT_EQ(lines, whole.winnerLines);
    }
}

TEST_F(JournalTest, ACutAtAWinnerLineGoesOnAtTheNextHand) {
    const Played whole = play(false, 0, -1, hands);
    for (int cutHand = 1; cutHand < hands; ++cutHand) {
        SCOPED_TRACE("cut at winner line " + std::to_string(cutHand));
        SetUp();
        const Played before = play(true, 0, -1, cutHand);
        const Played after = play(true, prompts, -1, hands - cutHand);
        ASSERT_FALSE(after.frames.empty());
        // The next wait of the uninterrupted game: the next hand's first prompt.
        EXPECT_EQ(after.frames.front(), whole.frames[before.frames.size()]);
        std::vector<std::string> lines = before.winnerLines;
        lines.insert(lines.end(), after.winnerLines.begin(), after.winnerLines.end());
        EXPECT_EQ(lines, whole.winnerLines);
    }
}

TEST_F(JournalTest, AnswersThatDoNotFitTheHandAreRefusedAndTheFileKept) {
    play(true, 0, 1, hands);
    std::string problem;
    const std::optional<SavedGame> kept = decodeSave(*files::readWhole(save.string(), 1 << 20).contents, problem);
    ASSERT_TRUE(kept) << problem;
    const struct {
        const char* what;
        std::vector<int> answers;
        const char* problem;
    } cases[] = {
        {"an amount out of bounds", {1, 1000000000}, "is not between"},
        {"more answers than the hand asks for", {3, 3, 3, 3, 3, 3, 3, 3}, "ends before its last answer"},
    };
    for (const auto& c : cases) {
        SavedGame unfit = *kept;
        unfit.answers = c.answers;
        const std::string text = encodeSave(unfit);
        ASSERT_TRUE(files::replaceDurably(save.string(), text).ok());
        CommandLine line;
        line.savePath = save.string();
        OpenedFiles opened = openGameFiles(line);
        ASSERT_EQ(opened.problem, "");
        const SavedGame loaded = *opened.files.save->loaded();
        fake::reset();
        GameTable table(seed);
        table.keepFiles(std::move(opened.files));
        try {
            table.resumeGame(loaded);
            ADD_FAILURE() << c.what << ": taken";
        } catch (const UnfitAnswers& refused) {
            EXPECT_NE(std::string(refused.what()).find(c.problem), std::string::npos) << refused.what();
        } catch (const platform::InputClosed&) {
            ADD_FAILURE() << c.what << ": played on to a prompt";
        }
        EXPECT_EQ(files::readWhole(save.string(), 1 << 20).contents, text) << c.what;
    }
}

} // namespace
