// The end of a hand: the computers turn their cards up, the person's hand is
// held against the best of the others, and the winner is named and paid.
#include "console/screen.h"
#include "eval/seat_ranking.h"
#include "eval/winner_line.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "platform/console.h"

#include <array>
#include <cstddef>
#include <memory>

void GameTable::rankSeats(int excluded, bool withHidden) {
    std::array<SeatHand, seatCount> hands;
    for (std::size_t i = 0; i < hands.size(); ++i) {
        hands[i] = {seats[i]->getCards(), seats[i]->isInHand()};
    }
    ::rankSeats(hands, excluded, withHidden, evaluator, ranking);
}

void GameTable::announceWinner(Player& winner, HandResult grade) {
    texts.promptLine.show(winnerLine(winner.getName(), grade));
    platform::holdFrames(false);
    platform::readKey();
}

void GameTable::showdown() {
    if (record.replaying()) {
        record.unfitAnswers("the hand ends before its last answer is asked for");
    }
    for (int i = 1; i < seatCount; ++i) {
        Player& player = *seats[static_cast<std::size_t>(i)];
        if (player.isInHand()) {
            player.flipUpAll();
        }
    }
    Player& person = *seats[0];
    HandResult grade = evaluator.evaluate(person.getCards(), true);
    rankSeats(0, true);
    const HandResult& best = ranking[0];
    // A complete tie goes to the other seat.
    const bool personWins = person.isInHand() && beats(grade, best);
    const HandResult hand = personWins ? grade : best;
    Player& winner = *seats[personWins ? 0 : static_cast<std::size_t>(best.seat)];
    // The pot is paid before the winner line waits for its key (paying draws
    // nothing), so a game kept from here on has its money settled.
    winner.addMoney(pot);
    potPaid = true;
    // The end-of-game test's seat flags draw nothing: settled now, they tell
    // the record whether this hand decided the game.
    settleSeats();
    record.handPaid(winner, hand, pot, finalWinner);
    // The game is kept from the start of the next hand, with the hand's text
    // for the history, before its winner line is shown.
    keepGame();
    announceWinner(winner, hand);
}
