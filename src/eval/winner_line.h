#pragma once
// The line that names the winner of a hand and the hand it won with.

#include "eval/hand_result.h"

#include <string>

// "<name>님이 <number, suit and category>패로 승리하였습니다!", as long as the name
// makes it: a name of any length is kept whole.
std::string winnerLine(const std::string& name, const HandResult& grade);
