#pragma once
// The one game object: the deck and its picture, the evaluator, the seven
// seats, the ranking of the seats, the pot and the stake. Where everything
// stands on the table is in game/layout.h.

#include "cards/card.h"
#include "cards/deck.h"
#include "eval/hand_evaluator.h"
#include "eval/hand_result.h"
#include "game/computer_policy.h"
#include "game/text_slot.h"
#include "players/player.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <utility>

class GameTable {
  public:
    static constexpr int seatCount = 7;
    static constexpr int rankingSize = 6;
    // Every hand starts with this stake and deals this many cards each.
    static constexpr std::int32_t startStake = 100;
    static constexpr int openingCards = 3;

    GameTable();
    ~GameTable();
    GameTable(const GameTable&) = delete;
    GameTable& operator=(const GameTable&) = delete;

    // The main menu, until "Exit" is chosen.
    void runMenu();
    // One whole game, from the set-up to the overall winner.
    void playGame(bool simulation);
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
    // True when no seat but the given one is in the hand.
    bool othersOut(int seat) const;
    void announceBet(long long amount);
    // The seat pays a bet (at most its money) into the pot.
    void payBet(int seat, long long amount);
    // The end of a hand: cards turned up, the winner named and paid.
    void showdown();
    // One seat's betting turn; clears running when it finds no other seat
    // left in the hand.
    void bettingTurn(int seat, int street, bool simulation, bool& running);
    // Where the computers' chance comes from: rand(), unless a test scripts it.
    void useDraws(Draws source) { draws = std::move(source); }

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
    };
    const Texts& shownTexts() const { return texts; }
    Deck& getDeck() { return deck; }
    Card* getDeckCard() const { return deckCard.get(); }
    std::int32_t getPot() const { return pot; }
    std::int32_t getStake() const { return stake; }

  private:
    void computerTurn(int seat, int street, const HandResult& grade);
    void humanTurn(int seat);
    void foldSeat(int seat);
    // The pot and stake lines redrawn and the bet announced.
    void showBet(long long amount);
    // A bet with the seat's label redrawn around the payment.
    void placeBet(int seat, long long amount);
    void playHand(bool simulation);
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
    Draws draws = [] { return std::rand(); };
    Texts texts;
};
