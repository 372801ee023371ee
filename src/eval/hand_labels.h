#pragma once
// The words a hand is named by on the screen: the key card's number and suit
// and the hand's category, each ending in one blank.

#include "eval/hand_result.h"

#include <string>
#include <string_view>

// "2 " to "10 ", "J ", "Q ", "K ", "A " for 2 to 14; empty for anything else.
std::string_view numberLabel(int number);
// "클로버 ", "하트 ", "다이아몬드 ", "스페이드 " for the suits 0 to 3; empty otherwise.
std::string_view suitLabel(int suit);
// The category's name for OnePair to RoyalStraightFlush; empty for HighCard
// and anything out of range.
std::string_view rankLabel(int rank);

// Number, suit and category of a result, in this order.
std::string handName(const HandResult& grade);
