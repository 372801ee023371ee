#pragma once
// Evaluation results written out for the tests, without cards behind them.

#include "eval/hand_result.h"

inline HandResult handResult(int rank, int keyNumber, int keySuit) {
    HandResult grade;
    grade.rank = rank;
    grade.keyNumber = keyNumber;
    grade.keySuit = keySuit;
    return grade;
}
