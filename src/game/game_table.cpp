#include "game/game_table.h"

#include "console/screen.h"
#include "game/layout.h"
#include "platform/console.h"

GameTable::GameTable(std::uint32_t seed) : deck(layout::deck.x, layout::deck.y), gameSeed(seed), random(seed) {
    deckCard = std::make_unique<Card>(layout::deck.x, layout::deck.y, Clubs, 2);
    platform::resizeConsole(layout::consoleColumns, layout::consoleLines);
    platform::setTypingEdge(layout::typingEdge);
    stake = startStake;
    pot = 0;
}

GameTable::~GameTable() {
    freeSeats();
    deckCard.reset();
}

void GameTable::freeSeats() {
    for (auto& seat : seats) {
        seat.reset();
    }
}

void GameTable::seatPlayers(std::array<std::unique_ptr<Player>, seatCount> players) {
    freeSeats();
    seats = std::move(players);
    keepLabelsClear();
}

void GameTable::keepLabelsClear() {
    for (auto& seat : seats) {
        int x = 0;
        int y = 0;
        if (seat && seat->labelPlace(x, y)) {
            seat->keepLabelWithin(layout::freeSpan(x, y));
        }
    }
}

void GameTable::clearTable() {
    platform::clearScreen();
    for (TextSlot* slot : {&texts.promptLine, &texts.setupPrompt, &texts.turnMarker, &texts.betLine, &texts.potLine,
                           &texts.stakeLine, &texts.saveNotice}) {
        slot->forget();
    }
    for (auto& seat : seats) {
        if (seat) {
            seat->forgetLabel();
        }
    }
}

std::optional<int> GameTable::readAnswer(TextSlot& slot) {
    if (const std::optional<int> replayed = record.replayedAnswer()) {
        return replayed;
    }
    // The hand played again has come to where it was left: the table shows.
    platform::holdFrames(false);
    const std::optional<int> answer = platform::readInt();
    slot.holdTyped(platform::typedCells());
    return answer;
}

void GameTable::runMenu() {
    bool running = true;
    while (running) {
        clearTable();
        screen::drawFrame(layout::width, layout::height);
        screen::drawTitle(layout::title.x, layout::title.y);
        const int choice =
            screen::selectMenu(layout::menuItems, layout::menuStep, layout::menuCursorColumn, layout::menuFirstLine);
        if (choice == 1) {
            playGame(false);
        } else if (choice == 2) {
            playGame(true);
        } else {
            running = false;
        }
    }
}
