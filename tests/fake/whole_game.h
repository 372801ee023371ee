#pragma once
// Whole games played on the fake console by a scripted person, with the
// table's books checked at every moment the game waits for input.

#include "game/game_table.h"

#include <functional>
#include <string>
#include <vector>

namespace fake {

struct GameRecord {
    int hands = 0;          // winner lines seen
    int finalPauses = 0;    // press-a-key waits after the overall winner
    long long maxCardsInHand = 0;
    std::vector<std::string> faults; // broken invariants, with the hand they broke in
    std::string finalLine;           // the line of the overall winner
};

struct GamePlan {
    bool simulation = true;
    std::string name = "tester";
    int computers = 3;
    // The person's answer at a betting prompt: gets the prompt ("1.배팅 2.다이 : "
    // or "금액 : ") and the stake, returns the typed line.
    std::function<std::string(const std::string& prompt, int stake)> person;
    // Stops the game (ends the input) after this many hands; 0 plays to the end.
    int handLimit = 0;
    // A kept game to take up instead of a new one.
    const SavedGame* resume = nullptr;
};

// Plays one game through playGame on a table the caller owns.
GameRecord playWholeGame(GameTable& table, const GamePlan& plan);

// The money of every seat, plus the pot while a hand runs.
long long tableMoney(const GameTable& table, bool withPot);

} // namespace fake
