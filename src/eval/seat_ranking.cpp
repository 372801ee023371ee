// Every seat but one, evaluated and ordered best first, for the showdown and
// for a computer weighing up the others.
#include "game/game_table.h"

#include <utility>

void GameTable::rankSeats(int excluded, bool withHidden) {
    std::size_t j = 0;
    for (int i = 0; i < seatCount; ++i) {
        if (i == excluded) {
            continue;
        }
        const Player& player = *seats[static_cast<std::size_t>(i)];
        HandResult& entry = ranking[j];
        entry.seat = i;
        // A seat out of the hand has nothing to show and sorts last.
        entry.assign(player.isInHand() ? evaluator.evaluate(player.getCards(), withHidden)
                                       : HandResult{});
        ++j;
    }
    sortRanking(rankingSize);
}

void GameTable::sortRanking(int n) {
    const auto count = static_cast<std::size_t>(n);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        for (std::size_t j = i + 1; j < count; ++j) {
            if (beats(ranking[j], ranking[i])) {
                std::swap(ranking[i], ranking[j]);
            }
        }
    }
}
