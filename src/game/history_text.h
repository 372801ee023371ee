#pragma once
// How a hand history writes cards and times: cards as poker hand histories
// write them ("Ah", "Td", "7c"), times as the local date and time.

#include "cards/card.h"

#include <cstdint>
#include <string>

// "2c" to "As": the number 2–9, T, J, Q, K, A, then c, h, d or s.
std::string cardText(const Card& card);
// "2026/12/08 10:55:01", local time.
std::string localTimeText();
// "1:02:03": hours, minutes, seconds.
std::string durationText(std::int64_t seconds);
// "Play Simulation" or "Game Start", as the title menu names them.
std::string modeText(bool simulation);
