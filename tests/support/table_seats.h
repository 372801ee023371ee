#pragma once
// The seven seats at their places on the table, as the set-up lays them out
// but without its dialogue: seat n is named "Computer" n, seat 0 has no name.

#include "game/game_table.h"
#include "game/layout.h"

#include <array>
#include <memory>

inline std::array<std::unique_ptr<Player>, GameTable::seatCount> tableSeats() {
    computerCounter = 1;
    std::array<std::unique_ptr<Player>, GameTable::seatCount> seats;
    for (std::size_t s : {1, 2, 3, 4, 5, 6, 0}) {
        const layout::SeatPlace& place = layout::seats[s];
        seats[s] = std::make_unique<Player>(place.panelX, place.panelY, s == 0 ? 0 : 1, place.labelPlacement);
    }
    return seats;
}
