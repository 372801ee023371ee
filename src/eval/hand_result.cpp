#include "eval/hand_result.h"


bool beats(const HandResult& a, const HandResult& b) {
    if (a.rank != b.rank) {
        return a.rank > b.rank;
    }
    if (a.keyNumber != b.keyNumber) {
        return a.keyNumber > b.keyNumber;
    }
    return a.keySuit > b.keySuit;
}
