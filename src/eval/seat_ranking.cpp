#include "eval/seat_ranking.h"


#include <cstddef>
#include <utility>

void rankSeats(std::span<const SeatHand> seats, int excluded, bool withHidden, HandEvaluator& evaluator,
               std::span<HandResult> ranking) {
    std::size_t j = 0;
    for (std::size_t i = 0; i < seats.size(); ++i) {
        if (static_cast<int>(i) == excluded) {
            continue;
        }
        HandResult& entry = ranking[j];
        entry.seat = static_cast<int>(i);
        entry.assign(seats[i].inHand ? evaluator.evaluate(seats[i].cards, withHidden) : HandResult{});
        ++j;
    }
    sortRanking(ranking, static_cast<int>(ranking.size()));
}

void sortRanking(std::span<HandResult> ranking, int n) {
    const auto count = static_cast<std::size_t>(n);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        for (std::size_t j = i + 1; j < count; ++j) {
            if (beats(ranking[j], ranking[i])) {
                std::swap(ranking[i], ranking[j]);
            }
        }
    }
}
