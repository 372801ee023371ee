// A save that fails for some hands (its folder gone, then made again): the
// table says so while it lasts, the save catches up at the first save point
// that works, and the game taken up from it plays on as if nothing happened.
#include "fake/fake_console.h"
#include "fake/whole_game.h"
#include "game/game_files.h"
#include "game/game_table.h"
#include "game/layout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// On Windows a folder with an open file in it (the save's lock) stays.
#ifndef _WIN32
namespace {

namespace fs = std::filesystem;

constexpr unsigned seed = 100002;

// The winner lines of the hands played, and what the save's notice line
// showed at each of them.
struct Seen {
    std::vector<std::string> winnerLines;
    std::vector<std::string> notices;
};

Seen play(GameTable& table, int hands, const SavedGame* resume, const std::function<void(int)>& atWinnerLine) {
    Seen seen;
    fake::atEveryWait([&] {
        const std::string line = fake::row(layout::promptLine.y);
        if (line.find("패로 승리하였습니다!") != std::string::npos) {
            seen.winnerLines.push_back(line);
            seen.notices.push_back(fake::row(layout::saveNotice.y));
            atWinnerLine(static_cast<int>(seen.winnerLines.size()));
        }
    });
    fake::playWholeGame(table, {true, "tester", 1, {}, hands, resume});
    fake::atEveryWait(nullptr);
    return seen;
}

std::string trimmed(const std::string& row) {
    const std::size_t from = row.find_first_not_of(" │");
    const std::size_t to = row.find_last_not_of(" │");
    return from == std::string::npos ? "" : row.substr(from, to - from + 1);
}

TEST(SaveFailureTest, AFailingSaveIsShownTriedAgainAndCaughtUp) {
    fake::reset();
    GameTable uninterrupted(seed);
    const Seen whole = play(uninterrupted, 14, nullptr, [](int) {});

    const fs::path folder = fs::temp_directory_path() / "brannocktide-save-failure-test";
    const fs::path save = folder / "game.save";
    fs::remove_all(folder);
    fs::create_directories(folder);
    CommandLine line;
    line.savePath = save.string();
    OpenedFiles opened = openGameFiles(line);
    ASSERT_EQ(opened.problem, "");
    fake::reset();
    GameTable table(seed);
    table.keepFiles(std::move(opened.files));
    // The folder goes at the third winner line and is back at the sixth:
    // the saves of hands 4, 5 and 6 fail.
    const Seen first = play(table, 8, nullptr, [&](int hand) {
        if (hand == 3) {
            fs::remove_all(folder);
        } else if (hand == 6) {
            fs::create_directories(folder);
        }
    });
    ASSERT_EQ(first.notices.size(), 8u);
    for (int hand = 1; hand <= 8; ++hand) {
        const bool failing = hand >= 4 && hand <= 6;
        EXPECT_EQ(trimmed(first.notices[static_cast<std::size_t>(hand - 1)]),
                  failing ? "저장 실패: game.save (No such file or directory)" : "")
            << "hand " << hand;
    }
    EXPECT_FALSE(table.gameRecord().saveFailing());

    // Taken up from the save caught up at hand 8: hands 9 to 14 as the
    // uninterrupted game played them.
    opened = openGameFiles(line);
    ASSERT_EQ(opened.problem, "");
    const SavedGame kept = *opened.files.save->loaded();
    EXPECT_EQ(kept.nextHand(), 9);
    fake::reset();
    GameTable resumed(seed);
    resumed.keepFiles(std::move(opened.files));
    const Seen rest = play(resumed, 6, &kept, [](int) {});
    const std::vector<std::string> expected(whole.winnerLines.begin() + 8, whole.winnerLines.end());
    EXPECT_EQ(rest.winnerLines, expected);
    fs::remove_all(folder);
}

} // namespace
#endif
