#pragma once
// How long the table waits, so a person can follow what the computers do.

inline constexpr int thinkingMs = 1000;   // before every betting action
inline constexpr int afterActionMs = 500; // after a bet and after any choice of the person
inline constexpr int dealtCardMs = 500;   // after every card dealt
