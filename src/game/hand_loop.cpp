// A whole game: hands of seven-card stud until one seat has all the money.
#include "console/screen.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "platform/console.h"

#include <array>
#include <cstddef>
#include <memory>

namespace {

constexpr int streets = 4;

} // namespace

void GameTable::playGame(bool simulation) {
    setupTable();
    for (auto& seat : seats) {
        seat->resetMoney();
        seat->setInHand(true);
    }
    record.startGame(simulation, gameSeed);
    keepGame();
    playHands();
}

void GameTable::playHands() {
    do {
        playHand();
    } while (!checkGameOver());
}

void GameTable::drawTable() {
    clearTable();
    screen::drawFrame(layout::width, layout::height);
    showStatus();
    deckCard->draw();
    for (auto& seat : seats) {
        seat->drawPanel();
    }
    showSaveNotice();
}

void GameTable::playHand() {
    pot = 0;
    potPaid = false;
    stake = startStake;
    deck.reset();
    for (auto& seat : seats) {
        seat->clearHand();
    }
    record.startHand();
    deck.shuffle(random);
    drawTable();
    deal(openingCards, 0);

    bool running = true;
    for (int street = 0; street < streets && running; ++street) {
        for (int turn = 0; turn < seatCount && running; ++turn) {
            if (seats[static_cast<std::size_t>(turn)]->isInHand()) {
                bettingTurn(turn, street, record.simulation(), running);
            }
        }
        stake = pot;
        showStatus();
        if (running) {
            deal(1, 0);
        }
    }
    showdown();
}
