// The game's record kept hand by hand: what each seat did, the tally, and
// the save and the history it feeds.
#include "game/game_record.h"

#include "game/history_text.h"

#include <algorithm>
#include <cstddef>

namespace {

std::int64_t secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

void GameRecord::startGame(bool simulation, std::uint32_t gameSeed) {
    simulationGame = simulation;
    seed = gameSeed;
    ++gamesOfRun;
    write("=== New game: " + modeText(simulation) + ", " + seedText() + " - " + localTimeText() + " ===\n\n");
    tally = GameTally{};
    for (std::size_t i = 0; i < seats.size(); ++i) {
        tally.seats[i].highestMoney = seats[i]->getMoney();
        tally.seats[i].lowestMoney = seats[i]->getMoney();
    }
    secondsBefore = 0;
    playStart = std::chrono::steady_clock::now();
}

void GameRecord::resumeGame(const SavedGame& saved) {
    handStart = saved;
    answers.clear();
    replay.assign(saved.answers.begin(), saved.answers.end());
    simulationGame = saved.simulation;
    seed = saved.seed;
    ++gamesOfRun;
    tally = saved.tally;
    secondsBefore = saved.tally.secondsPlayed;
    playStart = std::chrono::steady_clock::now();
}

void GameRecord::startHand() {
    for (int s = 0; s < seatCount; ++s) {
        seen[static_cast<std::size_t>(s)] = {seatAt(s).isInHand(), false, false};
    }
    startText();
}

void GameRecord::bets(int seat, std::int64_t paid, long long asked) {
    seen[static_cast<std::size_t>(seat)].paidIn |= paid > 0;
    betText(seat, paid, asked);
}

void GameRecord::raises(int seat, std::int64_t paid, long long asked, long long stake) {
    seen[static_cast<std::size_t>(seat)].paidIn |= paid > 0;
    raiseText(seat, paid, asked, stake);
}

void GameRecord::dies(int seat) {
    seen[static_cast<std::size_t>(seat)].folded = true;
    line(seatAt(seat).getName() + ": dies");
}

void GameRecord::passes(int seat) { line(seatAt(seat).getName() + ": passes"); }

void GameRecord::tallyHand(const Player& winner, std::int64_t pot) {
    ++tally.handsPlayed;
    tally.secondsPlayed = secondsBefore + secondsSince(playStart);
    for (std::size_t i = 0; i < seats.size(); ++i) {
        const SeatFacts& facts = seen[i];
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

void GameRecord::handPaid(const Player& winner, const HandResult& hand, std::int64_t pot, const Player* gameWinner) {
    tallyHand(winner, pot);
    if (writing()) {
        writeShowdown(winner, hand, pot);
    }
    if (gameWinner != nullptr) {
        write(gameSummary(gameWinner));
    }
}

