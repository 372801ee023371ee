#pragma once
// Every seat but one, evaluated and ordered best first: for the showdown, and
// for a computer weighing up the others by what they show.

#include "cards/card.h"
#include "eval/hand_evaluator.h"
#include "eval/hand_result.h"

#include <span>

// What the ranking needs to know of a seat.
struct SeatHand {
    Card* const* cards = nullptr; // the seat's seven card slots
    bool inHand = false;
};

// Fills ranking, one entry fewer than there are seats, with every seat but the
// excluded one in seat order, then sorts it best first. A seat out of the hand
// has nothing to show: its entry is empty and sorts last.
void rankSeats(std::span<const SeatHand> seats, int excluded, bool withHidden, HandEvaluator& evaluator,
               std::span<HandResult> ranking);
// Orders the first n entries best first by beats.
void sortRanking(std::span<HandResult> ranking, int n);
