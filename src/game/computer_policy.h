#pragma once
// What a computer does with its betting turn: a decision made from what it
// knows of the hand and from chance, with nothing drawn on the table.

#include "eval/hand_result.h"

#include <cstdint>
#include <functional>

enum class BetAction { Fold, Raise, Bet };

struct BetDecision {
    BetAction action = BetAction::Fold;
    // What a raise or a bet asks for; the seat pays at most its money.
    long long amount = 0;
};

// Chance: each call gives a fresh draw from 0 to 32767, as the table's generator does.
using Draws = std::function<int()>;

// street: the betting round, 0 to 3. own: the computer's whole hand, hole
// cards included. bestShown: the best of the other seats by their open cards
// only. Draws as far as the decision needs, in this order: one for a surprise
// fold, one for a raise, one for the amount.
BetDecision decideBet(int street, const HandResult& own, const HandResult& bestShown, std::int32_t stake,
                      const Draws& draw);
