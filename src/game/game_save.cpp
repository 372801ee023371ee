// A game kept in its save and taken up again: the seats, the deck's order
// and the generator's state are all the next hand starts from.
#include "game/game_table.h"

#include <cstddef>

SavedGame GameTable::snapshot(std::int64_t nextHand, bool finished) const {
    SavedGame game;
    game.simulation = simulationGame;
    game.seed = gameSeed;
    game.randomState = random.state();
    game.deckOrder = deck.order();
    game.nextHand = nextHand;
    game.finished = finished;
    game.computers = 0;
    for (std::size_t s = 0; s < seats.size(); ++s) {
        const Player& seat = *seats[s];
        game.seats[s] = {seat.getName(), seat.getMoney(), seat.isSeated()};
        game.computers += s > 0 && seat.isSeated() ? 1 : 0;
    }
    game.tally = tally;
    game.historyLength = historyLength();
    return game;
}

void GameTable::keepGame(std::int64_t nextHand, bool finished) {
    if (keeper != nullptr) {
        keeper->write(snapshot(nextHand, finished));
    }
}

void GameTable::resumeGame(const SavedGame& saved) {
    createSeats();
    for (std::size_t s = 0; s < seats.size(); ++s) {
        Player& seat = *seats[s];
        const SavedSeat& kept = saved.seats[s];
        seat.setName(kept.name);
        seat.resetMoney();
        seat.addMoney(static_cast<int>(kept.money - Player::startMoney));
        // As the end-of-game test left it after the last hand.
        seat.setInHand(kept.seated && kept.money > 0);
        seat.setSeated(kept.seated);
    }
    deck.restoreOrder(saved.deckOrder);
    random.seed(saved.randomState);
    gameSeed = saved.seed;
    simulationGame = saved.simulation;
    restoreTally(saved.tally);
    playHands();
}
