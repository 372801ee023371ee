// A game kept in its save and taken up again: the seats, the deck's order
// and the generator's state are all the next hand starts from.
#include "game/game_table.h"
#include "platform/console.h"

#include <cstddef>

SavedGame GameTable::tableState() const {
    SavedGame game;
    game.randomState = random.state();
    game.deckOrder = deck.order();
    game.computers = 0;
    for (std::size_t s = 0; s < seats.size(); ++s) {
        const Player& seat = *seats[s];
        game.seats[s] = {seat.getName(), seat.getMoney(), seat.isSeated()};
        game.computers += s > 0 && seat.isSeated() ? 1 : 0;
    }
    return game;
}

void GameTable::keepGame() {
    record.keep(tableState());
    showSaveNotice();
}

void GameTable::keepAnswer(int answer) {
    record.answered(answer);
    showSaveNotice();
}

void GameTable::showSaveNotice() {
    const std::string notice = record.saveNotice();
    if (notice.empty()) {
        texts.saveNotice.wipe();
    } else if (notice != texts.saveNotice.text()) {
        texts.saveNotice.show(notice);
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
    record.resumeGame(saved);
    // The hand is played again up to where its answers end, unseen.
    platform::holdFrames(record.replaying());
    playHands();
}
