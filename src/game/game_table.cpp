#include "game/game_table.h"

#include "console/screen.h"
#include "platform/console.h"

namespace {

constexpr int tableWidth = 80;
constexpr int tableHeight = 40;
constexpr int startStake = 100;
constexpr int deckImageX = 73;
constexpr int deckImageY = 15;

} // namespace

GameTable::GameTable() {
    deckCard = std::make_unique<Card>(deckImageX, deckImageY, Clubs, 2);
    height = tableHeight;
    width = tableWidth;
    // The table is width glyphs of two cells, plus a spare column pair and
    // two spare lines below the frame.
    platform::resizeConsole(width * 2 + 2, height + 2);
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
}

void GameTable::runMenu() {
    bool running = true;
    while (running) {
        platform::clearScreen();
        screen::drawFrame(width, height);
        screen::drawTitle(width, static_cast<int>(height * 0.4));
        const int choice =
            screen::selectMenu(3, 4, static_cast<int>(width * 0.5 - 6), static_cast<int>(height * 0.4 + 4));
        if (choice == 1) {
            playGame(false);
        } else if (choice == 2) {
            playGame(true);
        } else {
            running = false;
        }
    }
}
