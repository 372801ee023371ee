// What remains of a hand once its pot is paid: the game's tally, the hand
// written to the history, and the game's summary after its last hand.
#include "eval/hand_labels.h"
#include "eval/winner_line.h"
#include "game/game_table.h"
#include "game/history_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

namespace {

std::int64_t secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count();
}

// The hand's name as the winner line words it, without its closing blank.
std::string trimmedHandName(const HandResult& grade) {
    std::string name = handName(grade);
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    return name;
}

// "12.5%": part of whole, one decimal.
std::string share(std::int64_t part, std::int64_t whole) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f%%",
                  whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0);
    return text;
}

} // namespace

void GameTable::startRecords(bool simulation) {
    ++gamesOfRun;
    history.write("=== New game: " + modeText(simulation) + ", " + seedText() + " - " + localTimeText() + " ===\n\n");
    tally = GameTally{};
    for (std::size_t i = 0; i < seats.size(); ++i) {
        tally.seats[i].highestMoney = seats[i]->getMoney();
        tally.seats[i].lowestMoney = seats[i]->getMoney();
    }
    secondsBefore = 0;
    playStart = std::chrono::steady_clock::now();
}

void GameTable::restoreTally(const GameTally& kept) {
    tally = kept;
    secondsBefore = kept.secondsPlayed;
    playStart = std::chrono::steady_clock::now();
}

std::optional<std::uint64_t> GameTable::historyLength() const {
    if (const HistoryFile* file = history.file()) {
        return file->length();
    }
    return std::nullopt;
}

std::string GameTable::historyProblem() const {
    const HistoryFile* file = history.file();
    if (file == nullptr || !file->failed()) {
        return "";
    }
    const std::int64_t hand = history.stoppedAtHand();
    return "the history in '" + file->path() + "' stopped" +
           (hand > 0 ? " at hand " + std::to_string(hand) : std::string(" before its first hand")) + ": " +
           file->problem();
}

void GameTable::tallyHand(const Player& winner) {
    ++tally.handsPlayed;
    tally.secondsPlayed = secondsBefore + secondsSince(playStart);
    for (std::size_t i = 0; i < seats.size(); ++i) {
        const HandHistory::SeatFacts& facts = history.facts(static_cast<int>(i));
        SeatTally& seat = tally.seats[i];
        if (!facts.dealt) {
            continue;
        }
        ++seat.handsDealt;
        seat.handsFolded += facts.folded ? 1 : 0;
        seat.handsPaidIn += facts.paidIn ? 1 : 0;
        seat.highestMoney = std::max<std::int64_t>(seat.highestMoney, seats[i]->getMoney());
        seat.lowestMoney = std::min<std::int64_t>(seat.lowestMoney, seats[i]->getMoney());
        if (seats[i].get() == &winner) {
            ++seat.handsWon;
            seat.biggestPot = std::max<std::int64_t>(seat.biggestPot, pot);
        }
    }
}

void GameTable::writeShowdown(const Player& winner, const HandResult& hand) {
    history.showdown();
    for (int i = 0; i < seatCount; ++i) {
        const HandHistory::SeatFacts& facts = history.facts(i);
        // Still in the hand: the seats' own flags may already say who plays the next one.
        if (facts.dealt && !facts.folded) {
            history.shows(i, trimmedHandName(evaluator.evaluate(seat(i)->getCards(), true)));
        }
    }
    history.collected(winner, winnerLine(winner.getName(), hand), pot);
    history.finishHand(pot);
}

std::string GameTable::seedText() const {
    // A later game of the same run goes on with the generator where the last
    // one left it: the seed alone does not deal it again.
    const std::string ofRun = gamesOfRun > 1 ? " (game " + std::to_string(gamesOfRun) + " of this run)" : "";
    return "seed " + std::to_string(gameSeed) + ofRun;
}

std::string GameTable::gameSummary() const {
    std::string text = "*** GAME SUMMARY ***\n";
    text += modeText(simulationGame) + ", " + seedText() + ", " + std::to_string(tally.handsPlayed) + " hands in " +
            durationText(tally.secondsPlayed) + "\n";
    text += "Winner: " + (finalWinner != nullptr ? finalWinner->getName() : std::string("none")) + "\n";
    for (std::size_t i = 0; i < seats.size(); ++i) {
        const SeatTally& seat = tally.seats[i];
        if (!seats[i]->isSeated()) {
            continue;
        }
        text += "Seat " + std::to_string(i) + ": " + seats[i]->getName() + ": won " + std::to_string(seat.handsWon) +
                " hands, biggest pot " + std::to_string(seat.biggestPot) + ", money " +
                std::to_string(seat.lowestMoney) + " to " + std::to_string(seat.highestMoney) + ", folded " +
                std::to_string(seat.handsFolded) + " hands, put money in " + std::to_string(seat.handsPaidIn) + " of " +
                std::to_string(seat.handsDealt) + " hands (" + share(seat.handsPaidIn, seat.handsDealt) + ")\n";
    }
    return text + "\n";
}

void GameTable::recordHand(const Player& winner, const HandResult& hand, bool gameOver) {
    tallyHand(winner);
    if (history.writing()) {
        writeShowdown(winner, hand);
    }
    if (gameOver) {
        history.write(gameSummary());
    }
}
