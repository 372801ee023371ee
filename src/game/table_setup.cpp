// The set-up dialogue at the start of every game: seven fresh seats at their
// places, the person's name and the number of computers.
#include "console/screen.h"
#include "game/game_table.h"
#include "platform/console.h"

#include <optional>

namespace {

struct SeatPlace {
    int seat;
    double xFactor; // of the table width; x = xFactor × width + xOffset
    double xOffset;
    int yRule;      // 0: line 1, 1: 35 % of the height, 2: the bottom row of panels
    int isComputer;
    int labelPlacement; // 0 above the panel, 1 below it
};

// The computers along the top and the sides first, then the person's seat at
// the bottom, so the computers are numbered 1 to 6 in seat order.
constexpr SeatPlace seatPlaces[] = {
    {1, 0.2, 0.0, 0, 1, 1},  {2, 0.75, 0.0, 0, 1, 1}, {3, 1.3, 0.0, 0, 1, 1},
    {4, 0.0, 2.0, 1, 1, 1},  {5, 2.0, -43.2, 1, 1, 1}, {6, 0.5, 0.0, 2, 1, 0},
    {0, 1.05, 0.0, 2, 0, 0},
};

constexpr int minComputers = 1;
constexpr int maxComputers = 6;

int panelLine(int rule, int height) {
    if (rule == 0) {
        return 1;
    }
    if (rule == 1) {
        return static_cast<int>(height * 0.35);
    }
    return static_cast<int>((height - 2) - 12.0);
}

} // namespace

void GameTable::setupTable() {
    platform::clearScreen();
    freeSeats();
    computerCounter = 1;
    screen::drawFrame(width, height);
    for (const SeatPlace& place : seatPlaces) {
        const int x = static_cast<int>(place.xFactor * width + place.xOffset);
        seats[static_cast<std::size_t>(place.seat)] = std::make_unique<Player>(
            x, panelLine(place.yRule, height), place.isComputer, place.labelPlacement);
    }
    for (auto& seat : seats) {
        seat->drawPanel();
    }

    const int promptX = width;
    const int promptY = static_cast<int>(height * 0.5);
    std::string prompt = "Player 이름 입력 : ";
    screen::printCentered(prompt, promptX, promptY);
    seats[0]->readName();
    seats[0]->drawLabel();

    std::optional<int> computers;
    do {
        screen::printCentered(screen::blanksFor(prompt, 2), promptX, promptY);
        prompt = "Computer 인원 입력(1~6) : ";
        screen::printCentered(prompt, promptX, promptY);
        computers = platform::readInt();
    } while (!computers || *computers < minComputers || *computers > maxComputers);
    screen::printCentered(screen::blanksFor(prompt, 2), promptX, promptY);

    for (int j = *computers + 1; j <= maxComputers; ++j) {
        Player& unused = *seats[static_cast<std::size_t>(j)];
        unused.setInHand(false);
        unused.setSeated(false);
        unused.drawPanel();
        unused.eraseLabel();
    }
}
