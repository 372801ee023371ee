// The save: a game written and read back whole, every damaged or impossible
// save refused with its reason, and the file kept as it was.
#include "files/checksum.h"
#include "files/durable_file.h"
#include "fake/fake_console.h"
#include "fake/whole_game.h"
#include "game/game_table.h"
#include "game/save_keeper.h"
#include "game/saved_game.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
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
    game.computers = 2;
    const std::int64_t money[] = {400000, 1000000, 1600000};
    const std::int64_t won[] = {10, 20, 26};
    for (int s = 0; s < 7; ++s) {
        const auto i = static_cast<std::size_t>(s);
        game.seats[i] = {s == 0 ? "홍길동" : "Computer" + std::to_string(s), s <= 2 ? money[i] : 1000000, s <= 2};
        game.tally.seats[i] = {0, 0, 1000000, 1000000, 0, 0, 0};
        if (s <= 2) {
            game.tally.seats[i] = {won[i], 5000, std::max<std::int64_t>(money[i], 1100000),
                                   std::min<std::int64_t>(money[i], 900000), 3, 40, 56};
        }
    }
    game.tally.handsPlayed = 56;
    game.tally.secondsPlayed = 1234;
    game.tally.seats[2].biggestPot = 123456;
    game.history = HistoryFile::Mark{98765, 0x1234abcdu};
    game.historyText = "Brannocktide Hand #56: 7 Card Stud\nSeat 0: 홍길동 (400000 원)\n\n";
    return game;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The text with its checksum made right again, as a crafted save would have it.
std::string resealed(const std::string& text) {
    const std::string body = text.substr(0, text.rfind("checksum "));
    char sum[9];
    std::snprintf(sum, sizeof sum, "%08x", files::crc32(body));
    return body + "checksum " + sum + "\n";
}

// The save as the version before wrote it.
std::string versionOneText(const SavedGame& game) {
    std::string text = "brannocktide save\nversion 1\nmode simulation\nseed " + std::to_string(game.seed) +
                       "\nrandom " + std::to_string(game.randomState) + "\ndeck";
    for (const int card : game.deckOrder) {
        text += " " + std::to_string(card);
    }
    text += "\nhand " + std::to_string(game.nextHand()) + "\nfinished no\ncomputers " +
            std::to_string(game.computers) + "\n";
    for (std::size_t s = 0; s < 7; ++s) {
        const SavedSeat& seat = game.seats[s];
        text += "seat " + std::to_string(s) + " " + std::to_string(seat.money) + (seat.seated ? " seated " : " unseated ") +
                seat.name + "\n";
    }
    text += "tally " + std::to_string(game.tally.handsPlayed) + " " + std::to_string(game.tally.secondsPlayed) + "\n";
    for (std::size_t s = 0; s < 7; ++s) {
        const SeatTally& t = game.tally.seats[s];
        text += "seat-tally " + std::to_string(s);
        for (const std::int64_t n : {t.handsWon, t.biggestPot, t.highestMoney, t.lowestMoney, t.handsFolded,
                                     t.handsPaidIn, t.handsDealt}) {
            text += " " + std::to_string(n);
        }
        text += "\n";
    }
    return resealed(text + "history 98765\nchecksum ");
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
    EXPECT_EQ(back->history, game.history);
    EXPECT_EQ(back->historyText, game.historyText);
    EXPECT_FALSE(back->finished());
}

// A save of the version before is still taken up, with its history as a
// file the game cannot vouch for.
TEST(SavedGameTest, ReadsTheVersionBefore) {
    std::string problem;
    const std::optional<SavedGame> back = decodeSave(versionOneText(sampleGame()), problem);
    ASSERT_TRUE(back) << problem;
    SavedGame expected = sampleGame();
    expected.history.reset();
    expected.historyText.clear();
    EXPECT_EQ(encodeSave(*back), encodeSave(expected));
    const std::string unseatedMoney = replaced(versionOneText(sampleGame()), "seat 3 1000000", "seat 3 2147483647");
    EXPECT_FALSE(decodeSave(resealed(unseatedMoney), problem));
    EXPECT_NE(problem.find("seat 3, which is not in use"), std::string::npos) << problem;
    EXPECT_FALSE(decodeSave(resealed(replaced(versionOneText(sampleGame()), "finished no", "finished yes")), problem));
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
        {"a name with a blank", [](SavedGame& g) { g.seats[0].name = "a b"; }, "name line"},
        {"a name with a control character", [](SavedGame& g) { g.seats[0].name = "a\x1b[2J"; }, "seat 0"},
        {"an empty name", [](SavedGame& g) { g.seats[0].name.clear(); }, "seat 0"},
        {"a name of eleven cells", [](SavedGame& g) { g.seats[0].name = "abcdefghijk"; }, "seat 0"},
        {"a name of 2,000 letters", [](SavedGame& g) { g.seats[0].name = std::string(2000, 'a'); }, "seat 0"},
        {"a card twice", [](SavedGame& g) { g.deckOrder[5] = g.deckOrder[6]; }, "twice"},
        {"more hands won than played", [](SavedGame& g) { ++g.tally.seats[1].handsWon; }, "57 hands won of 56"},
        {"dealt beyond the hands played", [](SavedGame& g) { g.tally.seats[1].handsDealt = 57; }, "seat 1"},
        {"a seat with money not dealt a hand", [](SavedGame& g) { g.tally.seats[1].handsDealt = 55; }, "seat 1"},
        {"won more hands than dealt", [](SavedGame& g) { g.tally.seats[0].handsDealt = 0; }, "seat 0"},
        {"lowest money above the money", [](SavedGame& g) { g.tally.seats[0].lowestMoney = 400001; }, "seat 0"},
        {"highest money below the start", [](SavedGame& g) { g.tally.seats[1].highestMoney = 999999; }, "seat 1"},
        {"a pot larger than all the money", [](SavedGame& g) { g.tally.seats[2].biggestPot = 3000001; }, "seat 2"},
        {"a pot without a hand won", [](SavedGame& g) { g.tally.seats[0].handsWon = 0; g.tally.seats[1].handsWon += 10; },
         "seat 0"},
        {"a count at the end of 64 bits",
         [](SavedGame& g) { g.tally.seats[0].handsWon = std::numeric_limits<std::int64_t>::max(); },
         "'9223372036854775807'"},
        {"played at the end of 64 bits",
         [](SavedGame& g) { g.tally.handsPlayed = std::numeric_limits<std::int64_t>::max(); },
         "'9223372036854775807'"},
        {"history text with a control character", [](SavedGame& g) { g.historyText = "hand\x1b[2J\n"; },
         "history text"},
    };
    for (const auto& c : cases) {
        SavedGame game = sampleGame();
        c.spoil(game);
        std::string problem;
        EXPECT_FALSE(decodeSave(encodeSave(game), problem)) << c.what;
        EXPECT_NE(problem.find(c.problem), std::string::npos) << c.what << ": " << problem;
    }
    // Spellings the save never writes, and tables it never has.
    const std::string text = encodeSave(sampleGame());
    const std::string lastSeat = "seat 1600000";
    const std::string extraSeat = "seat 1000000 0 0 1000000 1000000 0 0 56\n";
    const struct {
        std::string text;
        const char* problem;
    } crafted[] = {
        {replaced(text, "played 56 1234", "played 56 -0"), "'-0'"},
        {replaced(text, "played 56 1234", "played 56 01234"), "'01234'"},
        {replaced(text, "played 56 1234", "played +56 1234"), "'+56'"},
        {replaced(text, "seat 400000", "seat 400000.0"), "'400000.0'"},
        {replaced(text, "history 98765 1234abcd", "history 98765 1234ABCD"), "'1234ABCD'"},
        {replaced(text, "seat 1000000", "name x"), "line"},
        {replaced(text, lastSeat, extraSeat + extraSeat + extraSeat + extraSeat + extraSeat + lastSeat),
         "is not the history line"},
    };
    for (const auto& c : crafted) {
        std::string problem;
        EXPECT_FALSE(decodeSave(resealed(c.text), problem)) << c.text;
        EXPECT_NE(problem.find(c.problem), std::string::npos) << c.problem << ": " << problem;
    }
    std::string problem;
    EXPECT_FALSE(decodeSave("a letter\n" + text, problem));
    EXPECT_NE(problem.find("not a brannocktide save"), std::string::npos) << problem;
    EXPECT_FALSE(decodeSave(replaced(text, "version 2", "version 3"), problem));
    EXPECT_NE(problem.find("another version (version 3"), std::string::npos) << problem;
    std::string crlf;
    for (const char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    EXPECT_FALSE(decodeSave(crlf, problem));
    EXPECT_NE(problem.find("line ends were changed to CR LF"), std::string::npos) << problem;
}

// What the user meets: the lock against a second copy, a damaged file left
// exactly as it was, and a save that cannot be written told, not fatal, and
// tried again.
TEST(SaveKeeperTest, RefusesWithoutTouchingTheFileAndTriesAgainAfterAFailure) {
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
        EXPECT_EQ(again.loaded()->nextHand(), 57);
    }

    const std::string damaged = replaced(encodeSave(sampleGame()), "played 56", "played 55");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << damaged;
    SaveKeeper reader(path);
    EXPECT_FALSE(reader.open(problem));
    EXPECT_NE(problem.find("checksum"), std::string::npos) << problem;
    EXPECT_EQ(files::readWhole(path, 1 << 20).contents, damaged);

#ifndef _WIN32 // a folder with an open file in it stays on Windows
    // The folder goes while the game runs, and comes back.
    const std::filesystem::path gone = folder / "gone";
    std::filesystem::create_directories(gone);
    SaveKeeper keeper((gone / "game.save").string());
    ASSERT_TRUE(keeper.open(problem)) << problem;
    std::filesystem::remove_all(gone, none);
    EXPECT_FALSE(keeper.write(sampleGame()));
    EXPECT_NE(keeper.failure().find("the save stopped before the game's first hand"), std::string::npos)
        << keeper.failure();
    std::filesystem::create_directories(gone);
    EXPECT_TRUE(keeper.write(sampleGame()));
    EXPECT_EQ(keeper.failure(), "");
    EXPECT_EQ(keeper.savedHand(), 57);
#endif
    std::error_code stillOpen; // on Windows the keepers' lock files are open until they go
    std::filesystem::remove_all(folder, stillOpen);
}

// A save at the edge of every bound the reader allows is a game the table
// plays on without any count or sum overflowing (the sanitizer build checks).
TEST(SavedGameTest, ASaveAtEveryBoundPlaysOn) {
    SavedGame game = sampleGame();
    const std::int64_t played = 1'000'000'000'000 - 1;
    game.tally.handsPlayed = played;
    game.tally.secondsPlayed = 100'000'000'000;
    const std::int64_t won[] = {played / 3, played / 3, played - 2 * (played / 3)};
    for (std::size_t s = 0; s < 3; ++s) {
        SeatTally& t = game.tally.seats[s];
        t = {won[s], 3000000, 3000000, 0, played, played, played};
    }
    game.history.reset();
    game.historyText.clear();
    std::string problem;
    const std::optional<SavedGame> back = decodeSave(encodeSave(game), problem);
    ASSERT_TRUE(back) << problem;
    fake::reset();
    GameTable table(back->seed);
    const fake::GameRecord record = fake::playWholeGame(table, {true, "tester", 2, {}, 2, &*back});
    EXPECT_EQ(record.hands, 2);
    EXPECT_EQ(table.gameRecord().gameTally().handsPlayed, played + 2);
}
