// The set-up dialogue at the start of every game: seven fresh seats at their
// places, the person's name and the number of computers.
#include "console/screen.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "platform/console.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace {

// The computers first, so they are numbered 1 to 6 in seat order, then the
// person's seat.
constexpr int creationOrder[] = {1, 2, 3, 4, 5, 6, 0};

constexpr int minComputers = 1;
constexpr int maxComputers = 6;

} // namespace

void GameTable::createSeats() {
    freeSeats();
    computerCounter = 1;
    for (const int seat : creationOrder) {
        const layout::SeatPlace& place = layout::seats[static_cast<std::size_t>(seat)];
        seats[static_cast<std::size_t>(seat)] =
            std::make_unique<Player>(place.panelX, place.panelY, seat == 0 ? 0 : 1, place.labelPlacement);
    }
    keepLabelsClear();
}

void GameTable::setupTable() {
    clearTable();
    screen::drawFrame(layout::width, layout::height);
    createSeats();
    // The person's label shows once the name is known.
    for (auto& seat : seats) {
        if (seat == seats[0]) {
            seat->drawBox();
        } else {
            seat->drawPanel();
        }
    }

    TextSlot& prompt = texts.setupPrompt;
    prompt.show("Player 이름 입력 : ");
    // The name's cells are counted from where it is typed, right behind the
    // prompt: a character past the limit is refused with the bell.
    const TextSlot::Extent& shown = prompt.held().front();
    platform::setTypingEdge(shown.x + shown.cells + Player::maxNameCells);
    seats[0]->readName();
    platform::setTypingEdge(layout::typingEdge);
    prompt.holdTyped(platform::typedCells());
    seats[0]->drawLabel();

    // A wrong count is wiped with the prompt and asked for again.
    std::optional<int> computers;
    do {
        prompt.show("Computer 인원 입력(1~6) : ");
        computers = readAnswer(prompt);
    } while (!computers || *computers < minComputers || *computers > maxComputers);
    prompt.wipe();

    for (int j = *computers + 1; j <= maxComputers; ++j) {
        Player& unused = *seats[static_cast<std::size_t>(j)];
        unused.setInHand(false);
        unused.setSeated(false);
        unused.drawPanel();
        unused.eraseLabel();
    }
}
