// The history file: refused when it cannot be appended to, cut back to a
// length a save kept, and a failing write stops it while the game goes on.
#include "fake/fake_console.h"
#include "fake/whole_game.h"
#include "files/history_file.h"
#include "game/game_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(HistoryFileTest, WhatCannotBeAppendedToIsRefusedWithTheReason) {
    const fs::path folder = fs::temp_directory_path();
    for (const fs::path& path : {folder, folder / "no such folder" / "history.txt"}) {
        std::string problem;
        EXPECT_FALSE(HistoryFile::open(path.string(), problem)) << path;
        EXPECT_FALSE(problem.empty()) << path;
    }
}

TEST(HistoryFileTest, AppendsAfterWhatIsThereAndCutsBackToAKeptLength) {
    const fs::path path = fs::temp_directory_path() / "brannocktide_history_file_test.txt";
    std::ofstream(path, std::ios::binary) << "earlier game\n";
    std::string problem;
    std::optional<HistoryFile> file = HistoryFile::open(path.string(), problem);
    ASSERT_TRUE(file) << problem;
    EXPECT_EQ(file->length(), 13u);
    ASSERT_TRUE(file->append("hand 1\n"));
    const std::uint64_t kept = file->length();
    ASSERT_TRUE(file->append("hand 2, written but not kept\n"));
    ASSERT_TRUE(file->resumeAt(kept));
    ASSERT_TRUE(file->append("hand 2\n"));
    EXPECT_EQ(contents(path), "earlier game\nhand 1\nhand 2\n");
    EXPECT_EQ(file->length(), fs::file_size(path));
    // A file shorter than what was kept is not the file that was kept.
    EXPECT_FALSE(file->resumeAt(kept + 100));
    EXPECT_NE(file->problem().find("shorter"), std::string::npos) << file->problem();
    EXPECT_FALSE(file->append("more\n"));
    fs::remove(path);
}

#ifndef _WIN32
TEST(HistoryFileTest, AFailingWriteStopsTheHistoryAndTheGameGoesOn) {
    std::string problem;
    std::optional<HistoryFile> full = HistoryFile::open("/dev/full", problem);
    ASSERT_TRUE(full) << problem;
    fake::reset();
    GameTable table(7);
    table.keepFiles({std::nullopt, std::move(full)});
    const fake::GameRecord record = fake::playWholeGame(table, {true, "tester", 2, {}, 5});
    EXPECT_EQ(record.hands, 5);
    EXPECT_EQ(table.gameRecord().gameTally().handsPlayed, 5);
    const std::string stopped = table.gameRecord().historyProblem();
    EXPECT_NE(stopped.find("'/dev/full'"), std::string::npos) << stopped;
}
#endif

} // namespace
