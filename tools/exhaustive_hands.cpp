// Evaluates every hand of seven cards out of 52, each card taking part, and
// prints how many hands fall into each category, their sum and the time it
// took. With --reference every hand of zero to seven cards is also evaluated
// by the plain transcription of the rules, and every disagreement is counted.
#include "eval/hand_evaluator.h"
#include "support/reference_hand_evaluator.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr const char* rankNames[] = {
    "HighCard", "OnePair",  "TwoPair",  "Triple",        "Straight",
    "BackStraight", "Mountain", "Flush", "FullHouse",     "FourCard",
    "StraightFlush", "BackStraightFlush", "RoyalStraightFlush",
};
constexpr int rankCount = 13;
constexpr int deckSize = 52;
constexpr int handSize = 7;

class Enumeration {
  public:
    explicit Enumeration(bool checkReference) : checkReference(checkReference) {
        for (int i = 0; i < deckSize; ++i) {
            deck[static_cast<std::size_t>(i)] = std::make_unique<Card>(0, 0, i % 4, 2 + i / 4);
        }
    }

    // Fills slot `depth` with every card from `from` on, in increasing order,
    // so that each set of cards is visited once.
    void visit(int depth, int from) {
        if (checkReference) {
            compare();
        }
        if (depth == handSize) {
            ++perRank[static_cast<std::size_t>(evaluator.evaluate(slots.data(), true).rank)];
            return;
        }
        for (int i = from; i < deckSize; ++i) {
            slots[static_cast<std::size_t>(depth)] = deck[static_cast<std::size_t>(i)].get();
            visit(depth + 1, i + 1);
        }
        slots[static_cast<std::size_t>(depth)] = nullptr;
    }

    const std::array<long long, rankCount>& counts() const { return perRank; }
    long long disagreements() const { return differing; }
    long long compared() const { return checked; }

  private:
    void compare() {
        const HandResult fast = evaluator.evaluate(slots.data(), true);
        const HandResult expected = rulebook.evaluate(slots.data(), true);
        ++checked;
        if (fast.rank != expected.rank || fast.keyNumber != expected.keyNumber ||
            fast.keySuit != expected.keySuit) {
            ++differing;
        }
    }

    bool checkReference;
    std::array<std::unique_ptr<Card>, deckSize> deck;
    std::array<Card*, handSize> slots{};
    HandEvaluator evaluator;
    reference::HandEvaluator rulebook;
    std::array<long long, rankCount> perRank{};
    long long checked = 0;
    long long differing = 0;
};

} // namespace

int main(int argc, char** argv) {
    const bool checkReference = argc > 1 && std::strcmp(argv[1], "--reference") == 0;
    Enumeration enumeration(checkReference);

    const auto start = std::chrono::steady_clock::now();
    enumeration.visit(0, 0);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

    long long total = 0;
    for (int rank = 0; rank < rankCount; ++rank) {
        const long long count = enumeration.counts()[static_cast<std::size_t>(rank)];
        std::printf("%-20s %12lld\n", rankNames[rank], count);
        total += count;
    }
    std::printf("%-20s %12lld\n", "total", total);
    std::printf("time %.2f s", elapsed.count());
    if (checkReference) {
        std::printf(" (with the rulebook transcription)\n");
        std::printf("hands of 0 to 7 cards compared: %lld, disagreements: %lld\n",
                    enumeration.compared(), enumeration.disagreements());
        return enumeration.disagreements() == 0 ? 0 : 1;
    }
    std::printf(", %.1f million hands per second\n", static_cast<double>(total) / elapsed.count() / 1e6);
    return 0;
}
