#pragma once
// The record of a game, fed by the table as it plays: the hand being played
// (its number, what each seat did, its text for the history), the tally the
// end-of-game summary counts, and the files the game is kept in. Everything
// the save and the history hold comes from here.

#include "eval/hand_evaluator.h"
#include "eval/hand_result.h"
#include "game/game_files.h"
#include "game/game_tally.h"
#include "game/saved_game.h"
#include "players/player.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class GameRecord {
  public:
    using Seats = std::array<std::unique_ptr<Player>, seatCount>;

    GameRecord(const Seats& seats, HandEvaluator& evaluator) : seats(seats), evaluator(evaluator) {}

    // The save and the history the games are kept in from now on. The
    // history takes up where the save left it.
    void keepFiles(GameFiles kept);

    // A new game of the mode, dealt from `seed`: a new tally from every
    // seat's money, and a line naming the game in the history.
    void startGame(bool simulation, std::uint32_t seed);
    // A kept game taken up again: its mode, seed and tally.
    void resumeGame(const SavedGame& saved);
    bool simulation() const { return simulationGame; }

    // The hand being played, or the next one between hands.
    std::int64_t handNumber() const { return tally.handsPlayed + 1; }
    // The seats dealt into the hand, with their money.
    void startHand();
    // The cards just dealt, cardsEach to every seat in the hand: the next street.
    void dealt(int cardsEach);
    // The seat paid `paid` of the `asked` it bet.
    void bets(int seat, std::int64_t paid, long long asked);
    // The seat paid `paid` of `asked` and doubled the stake to `stake`.
    void raises(int seat, std::int64_t paid, long long asked, long long stake);
    void dies(int seat);
    void passes(int seat);
    // The pot went to the winner with its hand: the hand is counted and
    // written, and the game's summary follows when `gameWinner` is set.
    void handPaid(const Player& winner, const HandResult& hand, std::int64_t pot, const Player* gameWinner);

    // The save point: the game kept in the save, if one is kept (the
    // table's part as the table gives it), to go on at the next hand; then
    // the text it leaves for the history is written.
    void keep(SavedGame table);

    // An answer the person gave and the game took: kept in the save with the
    // hand's other answers before the game acts on it, so no way out takes
    // it back (the answers of a hand played again are kept already).
    void answered(int answer);
    // The next answer of a hand played again from its save, if any is left.
    std::optional<int> replayedAnswer();
    bool replaying() const { return !replay.empty(); }
    // True when the answer last asked for came from the save.
    bool answerReplayed() const { return lastFromReplay; }
    // Refuses an answer the hand played again does not take: the save's
    // answers do not fit the hand.
    [[noreturn]] void unfitAnswers(const std::string& what) const;

    const GameTally& gameTally() const { return tally; }
    // Empty while the history is written (or none is kept); otherwise the
    // line that says where and why it stopped.
    std::string historyProblem() const;
    // The line for standard error at the end: where the game is kept, or
    // what was lost while the save fails; empty without a save.
    std::string saveExitLine() const;
    // True while the last save failed.
    bool saveFailing() const { return files.save && !files.save->failing().empty(); }
    // What the table shows while the save fails: the file and the reason.
    std::string saveNotice() const;

  private:
    // What one seat did in the hand so far.
    struct SeatFacts {
        bool dealt = false;
        bool folded = false;
        bool paidIn = false;
    };

    Player& seatAt(int seat) const { return *seats[static_cast<std::size_t>(seat)]; }
    // Text for the history, when one is written.
    bool writing() const { return files.history && !files.history->failed(); }
    // A line of the hand's text.
    void line(const std::string& text);
    // Text that goes to the history at the next save point.
    void write(const std::string& text) { pending += writing() ? text : ""; }
    // Appends the text of the hand numbered `ofHand` (0: the game's opening)
    // to the history; a failure stops the history at that hand.
    void append(const std::string& text, std::int64_t ofHand);
    // The history as the save left it (see keepFiles).
    void takeUpHistory(const SavedGame& saved);
    // The line that opens a game's hands in a history it goes on in.
    std::string continuedText(const SavedGame& saved, std::int64_t firstHand) const;
    // The exit note made ready for a signal that ends the program.
    void prepareExitNote() const;
    // The game kept in the save: the hand's start and its answers so far.
    void writeSave();
    std::string seatLine(int seat) const;
    // The hand's header and the seats dealt in.
    void startText();
    void betText(int seat, std::int64_t paid, long long asked);
    void raiseText(int seat, std::int64_t paid, long long asked, long long stake);
    void tallyHand(const Player& winner, std::int64_t pot);
    void writeShowdown(const Player& winner, const HandResult& hand, std::int64_t pot);
    std::string gameSummary(const Player* gameWinner) const;
    // "seed N", and which game of the run this is when it is not the first.
    std::string seedText() const;

    const Seats& seats;
    HandEvaluator& evaluator;
    GameFiles files;
    bool simulationGame = false;
    std::uint32_t seed = 0;
    int gamesOfRun = 0;
    GameTally tally;
    // The play time before this run, and when this run's play began.
    std::int64_t secondsBefore = 0;
    std::chrono::steady_clock::time_point playStart = std::chrono::steady_clock::now();
    std::array<SeatFacts, seatCount> seen{};
    int street = 0;
    std::string hand;    // the hand's text until it is written whole
    std::string pending; // text written at the next save point
    // The game at the start of the hand being played, and the person's
    // answers in it so far: what the save keeps mid-hand.
    SavedGame handStart;
    std::vector<int> answers;
    // Answers of the hand being played again still to be given.
    std::deque<int> replay;
    bool lastFromReplay = false;
    std::int64_t historyStoppedAt = 0;
};
