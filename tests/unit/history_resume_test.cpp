// A game kept with --save and --history, stopped after five hands and taken
// up again with its history changed in the ways a history is changed: the
// game's hands stand in the file once each, and every byte that was not the
// game's to write stays where it was.
#include "fake/fake_console.h"
#include "fake/whole_game.h"
#include "game/game_files.h"
#include "game/game_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr unsigned seed = 100002;

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// The hand numbers of this game's hands, in the order the file has them.
std::vector<int> handsOf(const std::string& text) {
    std::vector<int> hands;
    const std::regex header("Brannocktide Hand #([0-9]+): 7 Card Stud, seed " + std::to_string(seed) + " ");
    for (std::sregex_iterator at(text.begin(), text.end(), header), end; at != end; ++at) {
        hands.push_back(std::stoi((*at)[1]));
    }
    return hands;
}

std::vector<int> numbers(int from, int to) {
    std::vector<int> all;
    for (int n = from; n <= to; ++n) {
        all.push_back(n);
    }
    return all;
}

class HistoryResumeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // Five hands of the game, new or taken up from the save.
    void playFiveHands() {
        CommandLine line;
        line.savePath = save.string();
        line.historyPath = history.string();
        OpenedFiles opened = openGameFiles(line);
        ASSERT_EQ(opened.problem, "");
        const std::optional<SavedGame> kept = opened.files.save->loaded();
        fake::reset();
        GameTable table(seed);
        table.keepFiles(std::move(opened.files));
        fake::playWholeGame(table, {true, "tester", 1, {}, 5, kept ? &*kept : nullptr});
    }

    const fs::path folder = fs::temp_directory_path() / "brannocktide-history-resume-test";
    const fs::path save = folder / "game.save";
    const fs::path history = folder / "history.txt";
};

TEST_F(HistoryResumeTest, EveryHandOnceAndEveryOtherByteKept) {
    const std::string notes = "my notes\nmore notes\n";
    const std::string otherGame = "Brannocktide Hand #3: 7 Card Stud, seed 7 - 2026/12/08 10:00:00\nSeat 0: x (1 원)\n\n";
    const struct {
        const char* what;
        // Changes the history of the first five hands; returns what must stay
        // at its start.
        std::string (*change)(const fs::path& history, const std::string& notes, const std::string& other);
        // The first hand after the line that names the game going on; 0: no such line.
        int continuedAt;
    } cases[] = {
        {"as the game left it", [](const fs::path& h, const std::string&, const std::string&) { return contents(h); },
         0},
        {"the last hand's text not yet written",
         [](const fs::path& h, const std::string&, const std::string&) {
             std::string text = contents(h);
             text.resize(text.rfind("Brannocktide Hand #5"));
             writeFile(h, text);
             return text;
         },
         0},
        {"notes after the last hand",
         [](const fs::path& h, const std::string& n, const std::string&) {
             writeFile(h, contents(h) + n);
             return contents(h);
         },
         6},
        {"another game's hand where the last hand's text was to go",
         [](const fs::path& h, const std::string&, const std::string& o) {
             std::string text = contents(h);
             text.resize(text.rfind("Brannocktide Hand #5"));
             writeFile(h, text + o);
             return contents(h);
         },
         5},
        {"moved aside",
         [](const fs::path& h, const std::string&, const std::string&) {
             fs::rename(h, h.string() + ".old");
             return std::string();
         },
         6},
        {"cut to half",
         [](const fs::path& h, const std::string&, const std::string&) {
             std::string text = contents(h);
             text.resize(text.size() / 2);
             writeFile(h, text);
             return text;
         },
         6},
        {"replaced by a file of notes",
         [](const fs::path& h, const std::string& n, const std::string&) {
             std::string text;
             for (int i = 0; i < 2000; ++i) {
                 text += n;
             }
             writeFile(h, text);
             return text;
         },
         6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        playFiveHands();
        ASSERT_EQ(handsOf(contents(history)), numbers(1, 5));
        const std::string kept = c.change(history, notes, otherGame);
        const std::string movedAside = fs::exists(history.string() + ".old") ? contents(history.string() + ".old") : "";
        playFiveHands();
        const std::string text = contents(history);
        ASSERT_EQ(text.substr(0, kept.size()), kept);
        const std::string added = text.substr(kept.size());
        const std::size_t line = added.find("=== Game continued: Play Simulation, seed 100002, at hand ");
        EXPECT_EQ(line != std::string::npos, c.continuedAt != 0) << added.substr(0, 200);
        if (c.continuedAt != 0 && line != std::string::npos) {
            EXPECT_EQ(line, 0u);
            EXPECT_EQ(std::stoi(added.substr(added.find("at hand ") + 8)), c.continuedAt);
        }
        const std::vector<int> expected = numbers(c.continuedAt == 0 ? handsOf(kept).size() + 1 : c.continuedAt, 10);
        EXPECT_EQ(handsOf(added), expected);
        if (!movedAside.empty()) {
            EXPECT_EQ(handsOf(movedAside), numbers(1, 5));
            EXPECT_EQ(contents(history.string() + ".old"), movedAside);
        }
    }
}

} // namespace
