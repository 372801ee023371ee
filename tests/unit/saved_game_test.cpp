// The save: a game written and read back whole, every damaged or impossible
// save refused with its reason, and the file kept as it was.
#include "files/durable_file.h"
#include "game/save_keeper.h"
#include "game/saved_game.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>

#include <gtest/gtest.h>

namespace {

SavedGame sampleGame() {
    SavedGame game;
    game.simulation = true;
    game.seed = 100013;
    game.randomState = 4000000000u;
    std::iota(game.deckOrder.rbegin(), game.deckOrder.rend(), 0);
    game.nextHand = 57;
    game.computers = 2;
    for (int s = 0; s < 7; ++s) {
        game.seats[static_cast<std::size_t>(s)] = {s == 0 ? "홍길동" : "Computer" + std::to_string(s), 1000000,
                                                   s <= 2};
    }
    game.seats[0].money = 400000;
    game.seats[2].money = 1600000;
    game.tally.handsPlayed = 56;
    game.tally.seats[2].biggestPot = 123456;
    game.historyLength = 98765;
    return game;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

} // namespace

TEST(SavedGameTest, ReadsBackWhatWasWritten) {
    const SavedGame game = sampleGame();
    std::string problem;
    const std::optional<SavedGame> back = decodeSave(encodeSave(game), problem);
    ASSERT_TRUE(back) << problem;
    EXPECT_EQ(encodeSave(*back), encodeSave(game));
    EXPECT_EQ(back->seats[0].name, "홍길동");
    EXPECT_EQ(back->randomState, 4000000000u);
    EXPECT_EQ(back->historyLength, 98765u);
}

TEST(SavedGameTest, EveryCutAndEveryFlippedBitIsRefused) {
    const std::string text = encodeSave(sampleGame());
    std::string problem;
    for (std::size_t length = 0; length < text.size(); ++length) {
        EXPECT_FALSE(decodeSave(text.substr(0, length), problem)) << "cut to " << length;
    }
    for (std::size_t at = 0; at < text.size(); ++at) {
        for (int bit = 0; bit < 8; ++bit) {
            std::string flipped = text;
            flipped[at] = static_cast<char>(flipped[at] ^ (1 << bit));
            EXPECT_FALSE(decodeSave(flipped, problem)) << "bit " << bit << " of byte " << at;
        }
    }
}

// Values no game can reach, each written with a right checksum.
TEST(SavedGameTest, ImpossibleValuesAreRefused) {
    const struct {
        const char* what;
        void (*spoil)(SavedGame&);
        const char* problem;
    } cases[] = {
        {"negative money", [](SavedGame& g) { g.seats[0].money = -1; g.seats[2].money += 400001; }, "'-1'"},
        {"money past 32 bits", [](SavedGame& g) { g.seats[1].money = 2147483648LL; }, "'2147483648'"},
        {"money that does not add up", [](SavedGame& g) { g.seats[1].money += 1; }, "adds up"},
        {"seven computers", [](SavedGame& g) { g.computers = 7; }, "'7'"},
        {"a seat unused among the seated", [](SavedGame& g) { g.seats[1].seated = false; }, "seat 1"},
        {"a name with a blank", [](SavedGame& g) { g.seats[0].name = "a b"; }, "line"},
        {"a name with a control character", [](SavedGame& g) { g.seats[0].name = "a\x1b[2J"; }, "seat 0"},
        {"an empty name", [](SavedGame& g) { g.seats[0].name.clear(); }, "line"},
        {"a computer's name changed", [](SavedGame& g) { g.seats[2].name = "Computer9"; }, "seat 2"},
        {"hand 0", [](SavedGame& g) { g.nextHand = 0; }, "'0'"},
        {"a card twice", [](SavedGame& g) { g.deckOrder[5] = g.deckOrder[6]; }, "twice"},
        {"more hands played than dealt", [](SavedGame& g) { g.tally.handsPlayed = 57; }, "'57'"},
    };
    for (const auto& c : cases) {
        SavedGame game = sampleGame();
        c.spoil(game);
        std::string problem;
        EXPECT_FALSE(decodeSave(encodeSave(game), problem)) << c.what;
        EXPECT_NE(problem.find(c.problem), std::string::npos) << c.what << ": " << problem;
    }
    const std::string text = encodeSave(sampleGame());
    std::string problem;
    EXPECT_FALSE(decodeSave("a letter\n" + text, problem));
    EXPECT_NE(problem.find("not a brannocktide save"), std::string::npos) << problem;
    EXPECT_FALSE(decodeSave(replaced(text, "version 1", "version 2"), problem));
    EXPECT_NE(problem.find("another version (version 2"), std::string::npos) << problem;
}

// What the user meets: the lock against a second copy, a damaged file left
// exactly as it was, and a save that cannot be written told, not fatal.
TEST(SaveKeeperTest, RefusesWithoutTouchingTheFile) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "brannocktide-save-test";
    std::error_code none;
    std::filesystem::remove_all(folder, none);
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "game.save").string();
    std::string problem;
    {
        SaveKeeper first(path);
        ASSERT_TRUE(first.open(problem)) << problem;
        EXPECT_FALSE(first.loaded());
        first.write(sampleGame());
        SaveKeeper second(path);
        EXPECT_FALSE(second.open(problem));
        EXPECT_EQ(problem, path + " is in use by another brannocktide");
    }
    {
        SaveKeeper again(path);
        ASSERT_TRUE(again.open(problem)) << problem; // the lock went with the first keeper
        ASSERT_TRUE(again.loaded());
        EXPECT_EQ(again.loaded()->nextHand, 57);
    }

    const std::string damaged = replaced(encodeSave(sampleGame()), "hand 57", "hand 58");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << damaged;
    SaveKeeper reader(path);
    EXPECT_FALSE(reader.open(problem));
    EXPECT_NE(problem.find("checksum"), std::string::npos) << problem;
    EXPECT_EQ(files::readWhole(path, 1 << 20).contents, damaged);

    // The temporary file cannot be made (a folder stands in its place).
    const std::string blocked = (folder / "blocked.save").string();
    std::filesystem::create_directories(blocked + ".tmp");
    SaveKeeper stopped(blocked);
    ASSERT_TRUE(stopped.open(problem)) << problem;
    stopped.write(sampleGame());
    EXPECT_NE(stopped.failure().find("the save stopped before the game's first hand"), std::string::npos)
        << stopped.failure();
    EXPECT_FALSE(std::filesystem::exists(blocked));
    std::error_code stillOpen; // on Windows the keepers' lock files are open until they go
    std::filesystem::remove_all(folder, stillOpen);
}
