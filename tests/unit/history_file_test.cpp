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

TEST(HistoryFileTest, WhatCannotBeAppendedToIsRefusedWithTheReason) {
    const fs::path folder = fs::temp_directory_path();
    for (const fs::path& path : {folder, folder / "no such folder" / "history.txt"}) {
        std::string problem;
        EXPECT_FALSE(HistoryFile::open(path.string(), problem)) << path;
        EXPECT_FALSE(problem.empty()) << path;
    }
}

// A mark is reached while the file keeps every byte before it, whatever is
// appended after it; a file cut, changed or replaced before it is not.
TEST(HistoryFileTest, AMarkIsReachedOnlyByTheFileThatWasMarked) {
    const fs::path path = fs::temp_directory_path() / "brannocktide_history_mark_test.txt";
    const std::string earlier = std::string(5000, 'x') + "\n";
    const struct {
        const char* what;
        void (*change)(const fs::path&);
        bool reached;
    } cases[] = {
        {"as it was", [](const fs::path&) {}, true},
        {"more appended", [](const fs::path& p) { std::ofstream(p, std::ios::app) << "notes\n"; }, true},
        {"cut short", [](const fs::path& p) { fs::resize_file(p, fs::file_size(p) - 1); }, false},
        {"a byte changed before the mark",
         [](const fs::path& p) {
             std::fstream f(p, std::ios::in | std::ios::out | std::ios::binary);
             f.seekp(4990);
             f.put('y');
         },
         false},
        {"replaced by a longer file",
         [](const fs::path& p) { std::ofstream(p, std::ios::trunc) << std::string(9000, 'z'); }, false},
    };
    for (const auto& c : cases) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << earlier;
        std::string problem;
        std::optional<HistoryFile> file = HistoryFile::open(path.string(), problem);
        ASSERT_TRUE(file) << problem;
        ASSERT_TRUE(file->append("hand 1\n"));
        const std::optional<HistoryFile::Mark> mark = file->mark();
        ASSERT_TRUE(mark);
        EXPECT_EQ(mark->length, earlier.size() + 7);
        c.change(path);
        std::optional<HistoryFile> again = HistoryFile::open(path.string(), problem);
        ASSERT_TRUE(again) << problem;
        EXPECT_EQ(again->reaches(*mark), c.reached) << c.what;
    }
    fs::remove(path);
}

#ifndef _WIN32
// Removed under the game (its folder deleted), the file would take the
// hands and lose them: the history stops, is told, and the game goes on.
TEST(HistoryFileTest, AHistoryRemovedUnderTheGameStopsAndTheGameGoesOn) {
    const fs::path path = fs::temp_directory_path() / "brannocktide_history_removed_test.txt";
    std::string problem;
    std::optional<HistoryFile> file = HistoryFile::open(path.string(), problem);
    ASSERT_TRUE(file) << problem;
    fs::remove(path);
    fake::reset();
    GameTable table(7);
    table.keepFiles({std::nullopt, std::move(file)});
    const fake::GameRecord record = fake::playWholeGame(table, {true, "tester", 2, {}, 5});
    EXPECT_EQ(record.hands, 5);
    EXPECT_EQ(table.gameRecord().gameTally().handsPlayed, 5);
    const std::string stopped = table.gameRecord().historyProblem();
    EXPECT_NE(stopped.find("stopped at hand 1: the file was removed"), std::string::npos) << stopped;
}
#endif

} // namespace
