// The hand history of whole seeded games, read back line by line and held
// against what the table did: the winner lines it showed, its money, and the
// history's own sums.
#include "fake/fake_console.h"
#include "fake/seeded_game.h"
#include "fake/whole_game.h"
#include "files/history_file.h"
#include "game/game_table.h"
#include "game/layout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* personName = "tester";

// One hand as the history tells it.
struct HandBlock {
    int number = 0;
    std::map<std::string, long long> start, after, paid;
    long long totalPot = -1;
    long long collected = -1;
    std::string collector, winnerLine;
    std::map<std::string, std::vector<std::string>> shown, seen;
    std::set<std::string> died;
    std::vector<std::string> faults;
};

struct History {
    std::vector<HandBlock> hands;
    int games = 0;
    std::vector<std::string> summary;
};

bool startsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

long long numberAfter(const std::string& text, const std::string& marker) {
    return std::stoll(text.substr(text.find(marker) + marker.size()));
}

// The cards in "[Ah Td] [7c]" and the like.
std::vector<std::string> cardsIn(const std::string& text) {
    std::vector<std::string> cards;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        if (word.front() == '[' || !cards.empty()) {
            std::string card;
            for (char c : word) {
                if (c != '[' && c != ']') {
                    card += c;
                }
            }
            if (card.size() == 2) {
                cards.push_back(card);
            }
            if (word.back() == ']' && text.find("shows") != std::string::npos) {
                break; // the hand's name follows the cards
            }
        }
    }
    return cards;
}

// "Seat K: NAME (MONEY 원)" into the map.
void readSeat(const std::string& text, std::map<std::string, long long>& into) {
    const std::size_t name = text.find(": ") + 2;
    const std::size_t open = text.find(" (", name);
    into[text.substr(name, open - name)] = std::stoll(text.substr(open + 2));
}

void readAction(const std::string& text, HandBlock& hand) {
    const std::string name = text.substr(0, text.find(": "));
    const std::string what = text.substr(name.size() + 2);
    if (startsWith(what, "bets ") || startsWith(what, "raises ")) {
        hand.paid[name] += numberAfter(what, " ");
    } else if (what == "dies") {
        hand.died.insert(name);
    } else if (startsWith(what, "shows ")) {
        hand.shown[name] = cardsIn(what);
    } else if (what != "passes") {
        hand.faults.push_back("unknown action: " + text);
    }
}

void readDealt(const std::string& text, HandBlock& hand, int street) {
    const std::string rest = text.substr(std::string("Dealt to ").size());
    const std::string name = rest.substr(0, rest.find(' '));
    const std::vector<std::string> cards = cardsIn(rest);
    hand.seen[name].insert(hand.seen[name].end(), cards.end() - (street == 3 ? static_cast<long>(cards.size()) : 1),
                           cards.end());
    // A computer's two hole cards never show before the showdown.
    const std::size_t visible = static_cast<std::size_t>(name == personName ? street : street - 2);
    if (cards.size() != visible) {
        hand.faults.push_back("street " + std::to_string(street) + " shows " + std::to_string(cards.size()) +
                              " cards: " + text);
    }
}

History readHistory(const std::string& path) {
    History history;
    std::ifstream in(path);
    bool summaryPart = false;
    bool gameSummary = false;
    int street = 0;
    for (std::string text; std::getline(in, text);) {
        HandBlock* hand = history.hands.empty() ? nullptr : &history.hands.back();
        if (startsWith(text, "=== New game")) {
            ++history.games;
        } else if (startsWith(text, "Brannocktide Hand #")) {
            history.hands.emplace_back().number = static_cast<int>(numberAfter(text, "#"));
            summaryPart = false;
            street = 0;
        } else if (text == "*** GAME SUMMARY ***") {
            gameSummary = true;
        } else if (gameSummary) {
            history.summary.push_back(text);
        } else if (hand == nullptr || text.empty()) {
            continue;
        } else if (startsWith(text, "Seat ")) {
            readSeat(text, summaryPart ? hand->after : hand->start);
        } else if (text.find(" STREET ***") != std::string::npos) {
            street = text[4] - '0';
        } else if (text == "*** SUMMARY ***") {
            summaryPart = true;
        } else if (startsWith(text, "Total pot ")) {
            hand->totalPot = numberAfter(text, "pot ");
        } else if (startsWith(text, "Dealt to ")) {
            readDealt(text, *hand, street);
        } else if (text.find(" collected ") != std::string::npos) {
            hand->collector = text.substr(0, text.find(' '));
            hand->collected = numberAfter(text, "collected ");
        } else if (text.find("패로 승리하였습니다!") != std::string::npos) {
            hand->winnerLine = text;
        } else if (text.find(": ") != std::string::npos) {
            readAction(text, *hand);
        }
    }
    return history;
}

long long sum(const std::map<std::string, long long>& amounts) {
    long long total = 0;
    for (const auto& [name, amount] : amounts) {
        total += amount;
    }
    return total;
}

// Every fault of one hand against the rules of the history and its neighbour.
void checkHand(const HandBlock& hand, const HandBlock* before, std::vector<std::string>& faults) {
    const std::string where = "hand " + std::to_string(hand.number) + ": ";
    for (const std::string& fault : hand.faults) {
        faults.push_back(where + fault);
    }
    if (sum(hand.paid) != hand.totalPot || hand.collected != hand.totalPot) {
        faults.push_back(where + "the pot is not what was paid in");
    }
    for (const auto& [name, money] : hand.start) {
        const bool won = name == hand.collector;
        if (before != nullptr && before->after.at(name) != money) {
            faults.push_back(where + name + " starts with other money than it ended the last hand with");
        }
        if (hand.after.at(name) !=
            money - (hand.paid.count(name) ? hand.paid.at(name) : 0) + (won ? hand.collected : 0)) {
            faults.push_back(where + name + " ends with money the hand does not explain");
        }
        if (hand.died.count(name) != 0 && hand.shown.count(name) != 0) {
            faults.push_back(where + name + " died but shows its cards");
        }
        for (const std::string& card : hand.seen.count(name) ? hand.seen.at(name) : std::vector<std::string>{}) {
            const std::vector<std::string>& shown = hand.shown.count(name) ? hand.shown.at(name) : hand.seen.at(name);
            if (std::find(shown.begin(), shown.end(), card) == shown.end()) {
                faults.push_back(where + name + " shows other cards than it was dealt");
            }
        }
    }
    if (!startsWith(hand.winnerLine, hand.collector + "님이 ")) {
        faults.push_back(where + "the pot went to another seat than the winner line names");
    }
}

struct Case {
    bool simulation;
    int computers;
    unsigned seed;
    int handLimit; // 0: the whole game
};

// A person who bets the stake, passes or dies, in turn.
std::function<std::string(const std::string&, int)> varyingPerson() {
    return [turn = 0](const std::string& prompt, int stake) mutable -> std::string {
        static const char* choices[] = {"1\n", "1\n", "3\n", "1\n", "2\n"};
        return prompt == "금액 : " ? std::to_string(stake) + "\n" : choices[turn++ % 5];
    };
}

class HandHistoryTest : public ::testing::Test {
  protected:
    void SetUp() override { std::remove(path.c_str()); }
    void TearDown() override { std::remove(path.c_str()); }

    // The game of the case on a table that keeps its history in `path`; the
    // winner lines the screen showed, in order.
    std::vector<std::string> play(const Case& c, GameTable& table, fake::GameRecord& record) {
        std::string problem;
        std::optional<HistoryFile> file = HistoryFile::open(path, problem);
        EXPECT_TRUE(file) << problem;
        table.keepFiles({std::nullopt, std::move(file)});
        std::vector<std::string> winnerLines;
        fake::atEveryWait([&winnerLines] {
            const std::string line = fake::row(layout::promptLine.y);
            if (line.find("패로 승리하였습니다!") != std::string::npos) {
                winnerLines.push_back(line);
            }
        });
        fake::GamePlan plan{c.simulation, personName, c.computers, varyingPerson(), c.handLimit};
        record = fake::playWholeGame(table, plan);
        fake::atEveryWait(nullptr);
        return winnerLines;
    }

    // A file of each test's own: the tests may run side by side.
    std::string path = (std::filesystem::temp_directory_path() /
                        ("brannocktide_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                         ".txt"))
                           .string();
};

TEST_F(HandHistoryTest, HistoryTellsWhatTheTableDidHandByHand) {
    for (const Case c : {Case{true, 1, fake::shortGameSeed, 0}, Case{true, 6, 500010, 200}, Case{false, 1, 7, 200},
                         Case{false, 6, 8, 120}}) {
        SCOPED_TRACE("computers " + std::to_string(c.computers) + (c.simulation ? ", simulation" : ", game start"));
        std::remove(path.c_str());
        fake::reset();
        GameTable table(c.seed);
        fake::GameRecord record;
        const std::vector<std::string> winnerLines = play(c, table, record);
        const History history = readHistory(path);

        ASSERT_EQ(history.hands.size(), static_cast<std::size_t>(record.hands));
        EXPECT_EQ(history.games, 1);
        std::vector<std::string> faults;
        for (std::size_t i = 0; i < history.hands.size(); ++i) {
            const HandBlock& hand = history.hands[i];
            EXPECT_EQ(hand.number, static_cast<int>(i) + 1);
            checkHand(hand, i > 0 ? &history.hands[i - 1] : nullptr, faults);
            if (winnerLines[i].find(hand.winnerLine) == std::string::npos) {
                faults.push_back("hand " + std::to_string(hand.number) + ": another winner line than the screen's");
            }
        }
        EXPECT_TRUE(faults.empty()) << faults.size() << " faults, first: " << faults.front();
        for (const auto& [name, money] : history.hands.back().after) {
            const int seat = name == personName ? 0 : std::stoi(name.substr(8));
            EXPECT_EQ(table.seat(seat)->getMoney(), money) << name;
        }
        EXPECT_EQ(table.gameRecord().gameTally().handsPlayed, record.hands);
        EXPECT_EQ(history.summary.empty(), c.handLimit != 0);
    }
}

TEST_F(HandHistoryTest, GameSummaryNamesTheSeedTheHandsAndTheWinner) {
    fake::reset();
    GameTable table(fake::shortGameSeed);
    fake::GameRecord record;
    play({true, 1, fake::shortGameSeed, 0}, table, record);
    const History history = readHistory(path);
    ASSERT_EQ(history.summary.size(), 5u); // with the blank line after it
    const std::string hands = std::to_string(fake::shortGameHands) + " hands";
    EXPECT_TRUE(startsWith(history.summary[0], "Play Simulation, seed 100002, " + hands + " in "))
        << history.summary[0];
    const std::string winner = table.seat(0)->getMoney() > 0 ? personName : "Computer1";
    EXPECT_EQ(history.summary[1], "Winner: " + winner);
    long long won = 0;
    for (const std::string& seat : {history.summary[2], history.summary[3]}) {
        won += numberAfter(seat, ": won ");
        EXPECT_NE(seat.find(" of " + hands), std::string::npos) << seat;
    }
    EXPECT_EQ(won, fake::shortGameHands);
    const SeatTally& loser = table.gameRecord().gameTally().seats[winner == personName ? 1 : 0];
    EXPECT_EQ(loser.lowestMoney, 0);
}

} // namespace
