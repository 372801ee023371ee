// Dealing: cards from the deck to every seat in the hand, one pass of the
// seven seats per card each, with the receiving seat's name in the middle of
// the table while it gets its card.
#include "console/screen.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "game/pacing.h"
#include "platform/console.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

// The first two cards of the opening deal are the hole cards.
std::uint8_t isHoleCard(int cardsEach, int pass) {
    return cardsEach == GameTable::openingCards && pass != 2 ? 1 : 0;
}

} // namespace

void GameTable::deal(int cardsEach, int firstSeat) {
    // The same place the betting turn names whose turn it is.
    TextSlot& name = texts.turnMarker;
    for (int pass = 0; pass < cardsEach; ++pass) {
        for (int n = 0; n < seatCount; ++n) {
            const int index = (firstSeat + n) % seatCount;
            Player& player = *seats[static_cast<std::size_t>(index)];
            if (!player.isInHand()) {
                continue;
            }
            name.show(player.getName());
            player.receiveCard(deck.drawNext(isHoleCard(cardsEach, pass)));
            // The person sees their own cards at once; everybody sees the
            // last card of every pass.
            if (pass == cardsEach - 1 || index == 0) {
                player.flipUpLast();
            }
            platform::sleepMs(dealtCardMs);
            name.wipe();
        }
    }
    record.dealt(cardsEach);
}
