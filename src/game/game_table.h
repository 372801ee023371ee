#pragma once
// The one game object: the deck and its picture, the evaluator, the seven
// seats, the ranking of the seats, the pot and the stake. Where everything
// stands on the table is in game/layout.h.

#include "cards/card.h"
#include "cards/deck.h"
#include "cards/linear_congruential.h"
#include "eval/hand_evaluator.h"
#include "eval/hand_result.h"
#include "game/computer_policy.h"
#include "game/game_files.h"
#include "game/game_record.h"
#include "game/saved_game.h"
#include "game/text_slot.h"
#include "players/player.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

class GameTable {
  public:
    static constexpr int seatCount = ::seatCount;
    static constexpr int rankingSize = 6;
    // Every hand starts with this stake and deals this many cards each.
    static constexpr std::int32_t startStake = 100;
    static constexpr int openingCards = 3;

    // The seed of every draw the game makes: the shuffles and the computers' chance.
    explicit GameTable(std::uint32_t seed = 1);
    ~GameTable();
    GameTable(const GameTable&) = delete;
    GameTable& operator=(const GameTable&) = delete;

    // The main menu, until "Exit" is chosen.
    void runMenu();
    // One whole game, from the set-up to the overall winner.
    void playGame(bool simulation);
    // A kept game taken up again, without the set-up: its hand played again
    // with the answers the save keeps, unseen, up to the prompt where it was
    // left; then played on to its overall winner.
    void resumeGame(const SavedGame& saved);
    // The save and the history the games are kept in from now on.
    void keepFiles(GameFiles files) { record.keepFiles(std::move(files)); }
    // Releases every seat that exists.
    void freeSeats();
    // Replaces the seven seats with the given ones, freeing the old seats: how
    // tools and tests lay out a table without the set-up dialogue.
    void seatPlayers(std::array<std::unique_ptr<Player>, seatCount> players);

    // Table set-up: new seats, the person's name, the number of computers.
    void setupTable();
    // Deals cardsEach cards to every seat in the hand, starting at firstSeat.
    void deal(int cardsEach, int firstSeat);
    // Ranks every seat but the excluded one into the ranking, best first.
    void rankSeats(int excluded, bool withHidden);
    // Names the winner of a hand and its hand, then waits for a key.
    void announceWinner(Player& winner, HandResult grade);
    // The pot and stake lines.
    void showStatus();
    // Puts seats with money back in, takes broke ones out; true (after the
    // final announcement) when one seat has money left.
    bool checkGameOver();
    // The end-of-game test without the announcement: seats with money back
    // in the next hand, broke ones out; true when one seat has money left.
    // It draws nothing, so it may run as soon as a hand's pot is paid.
    bool settleSeats();
    // True when no seat but the given one is in the hand.
    bool othersOut(int seat) const;
    void announceBet(long long amount);
    // The seat pays a bet (at most its money) into the pot; what it paid.
    std::int64_t payBet(int seat, long long amount);
    // The end of a hand: cards turned up, the winner named and paid.
    void showdown();
    // One seat's betting turn; clears running when it finds no other seat
    // left in the hand.
    void bettingTurn(int seat, int street, bool simulation, bool& running);
    // Where the computers' chance comes from: the table's generator, unless
    // a test scripts it.
    void useDraws(Draws source) { draws = std::move(source); }
    // The generator itself: seeded anew by tests, its state kept by a save.
    LinearCongruential& randomDraws() { return random; }

    // The seed the table was made with: the first game of a run is the game of this seed.
    std::uint32_t seed() const { return gameSeed; }
    // The game's record: its tally, the hand being played, its files.
    const GameRecord& gameRecord() const { return record; }

    // Read access for the tests and tools that watch a game.
    Player* seat(int index) const { return seats[static_cast<std::size_t>(index)].get(); }
    // The places where the table shows its texts, each with what it shows.
    struct Texts {
        TextSlot promptLine{layout::promptLine, layout::freeSpan(layout::promptLine)};
        // The deck is not drawn yet while the set-up asks its questions.
        TextSlot setupPrompt{layout::setupPrompt};
        TextSlot turnMarker{layout::turnMarker, layout::freeSpan(layout::turnMarker)};
        TextSlot betLine{layout::betLine, layout::freeSpan(layout::betLine)};
        TextSlot potLine{layout::potLine, layout::freeSpan(layout::potLine)};
        TextSlot stakeLine{layout::stakeLine, layout::freeSpan(layout::stakeLine)};
        TextSlot saveNotice{layout::saveNotice, layout::freeSpan(layout::saveNotice)};
    };
    const Texts& shownTexts() const { return texts; }
    Deck& getDeck() { return deck; }
    Card* getDeckCard() const { return deckCard.get(); }
    std::int32_t getPot() const { return pot; }
    std::int32_t getStake() const { return stake; }
    // True from the moment the hand's pot is handed to its winner until the
    // next hand starts: the pot is then part of the winner's money.
    bool isPotPaid() const { return potPaid; }

  private:
    void computerTurn(int seat, int street, const HandResult& grade);
    void humanTurn(int seat);
    void foldSeat(int seat);
    // The pot and stake lines redrawn and the bet announced.
    void showBet(long long amount);
    // A bet with the seat's label redrawn around the payment; what was paid.
    std::int64_t placeBet(int seat, long long amount);
    void playHand();
    // Hands from the tally's next on, until the end-of-game test ends the game.
    void playHands();
    // Seven new seats at their places, the computers numbered 1 to 6.
    void createSeats();
    // The save point: the game kept in its save, to go on at the record's
    // next hand.
    void keepGame();
    // What the save keeps of the table: the seats, the deck and the generator.
    SavedGame tableState() const;
    // The save's notice shown while the save fails, and gone once it works.
    void showSaveNotice();
    // The person's answer kept in the save before the game acts on it.
    void keepAnswer(int answer);
    // Each seat's label keeps clear of the boxes beside it on its line.
    void keepLabelsClear();
    // Blanks the whole console: the text places then show nothing.
    void clearTable();
    void drawTable();
    void eraseTurnMarker();
    // Reads the person's answer to the prompt shown at the slot; the answer
    // as typed belongs to the slot until it shows something else.
    std::optional<int> readAnswer(TextSlot& slot);

    std::unique_ptr<Card> deckCard;
    HandEvaluator evaluator;
    Deck deck;
    std::array<std::unique_ptr<Player>, seatCount> seats;
    std::array<HandResult, rankingSize> ranking{};
    std::int32_t pot;
    std::int32_t stake;
    bool potPaid = false;
    std::uint32_t gameSeed;
    LinearCongruential random;
    Draws draws = [this] { return random.next(); };
    Texts texts;
    // The one seated seat with money, once settleSeats finds the game over.
    Player* finalWinner = nullptr;
    GameRecord record{seats, evaluator};
};
