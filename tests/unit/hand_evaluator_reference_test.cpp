// The game's evaluator against the plain step-by-step transcription of the
// rules, on many random hands: 0 to 7 cards at random places among the seven
// slots, random hole cards, with and without them. Uniform hands rarely hold
// straight flushes, so half the hands come from a few neighbouring numbers in
// two suits, where runs, pass-overs and the odd walks are common.
#include "eval/hand_evaluator.h"
#include "fake/fake_console.h"
#include "support/reference_hand_evaluator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

class RandomHands {
  public:
    RandomHands() {
        for (int suit = 0; suit < 4; ++suit) {
            for (int number = 2; number <= 14; ++number) {
                pool.push_back(std::make_unique<Card>(0, 0, suit, number));
            }
        }
    }

    std::vector<Card*> wholeDeck() const { return cardsWhere(2, 14, 0xF); }

    // Five or six neighbouring numbers, sometimes with the Ace, in two suits.
    std::vector<Card*> narrowDeck() {
        const int low = pick(2, 9);
        const int high = low + pick(4, 5);
        const int firstSuit = pick(0, 3);
        const int secondSuit = (firstSuit + pick(1, 3)) % 4;
        const unsigned suits = (1u << firstSuit) | (1u << secondSuit);
        std::vector<Card*> cards = cardsWhere(low, high, suits);
        if (pick(0, 1) == 1 && high < 14) {
            std::vector<Card*> aces = cardsWhere(14, 14, 0xF);
            cards.insert(cards.end(), aces.begin(), aces.end());
        }
        return cards;
    }

    // 0 to 7 distinct cards of the given ones, at random slots, each a hole
    // card or not at random.
    std::array<Card*, 7> deal(std::vector<Card*> cards) {
        std::shuffle(cards.begin(), cards.end(), rng);
        const int count = std::min(pick(0, 7), static_cast<int>(cards.size()));
        std::array<int, 7> places{0, 1, 2, 3, 4, 5, 6};
        std::shuffle(places.begin(), places.end(), rng);
        std::array<Card*, 7> slots{};
        for (int i = 0; i < count; ++i) {
            Card* card = cards[static_cast<std::size_t>(i)];
            card->setHidden(static_cast<std::uint8_t>(pick(0, 1)));
            slots[static_cast<std::size_t>(places[static_cast<std::size_t>(i)])] = card;
        }
        return slots;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

  private:
    std::vector<Card*> cardsWhere(int low, int high, unsigned suits) const {
        std::vector<Card*> cards;
        for (const auto& card : pool) {
            if (card->getNumber() >= low && card->getNumber() <= high &&
                (suits >> card->getSuit() & 1u) != 0) {
                cards.push_back(card.get());
            }
        }
        return cards;
    }

    std::vector<std::unique_ptr<Card>> pool;
    std::mt19937 rng{20260413u};
};

std::string describe(const std::array<Card*, 7>& slots, bool withHidden) {
    static const char* const numbers[] = {"2", "3", "4", "5", "6", "7", "8",
                                          "9", "10", "J", "Q", "K", "A"};
    std::string text = withHidden ? "with hidden:" : "shown only:";
    for (const Card* card : slots) {
        text += ' ';
        if (card == nullptr) {
            text += '-';
            continue;
        }
        text += card->isHidden() ? "*" : "";
        text += numbers[card->getNumber() - 2];
        text += "CHDS"[card->getSuit()];
    }
    return text;
}

constexpr int handsPerKind = 300000;

TEST(HandEvaluatorReferenceTest, SameResultsOnRandomHands) {
    fake::reset();
    RandomHands hands;
    HandEvaluator evaluator;
    reference::HandEvaluator rulebook;
    int disagreements = 0;
    for (int i = 0; i < 2 * handsPerKind; ++i) {
        const bool narrow = i % 2 == 1;
        const auto slots = hands.deal(narrow ? hands.narrowDeck() : hands.wholeDeck());
        const bool withHidden = hands.pick(0, 1) == 1;
        const HandResult fast = evaluator.evaluate(slots.data(), withHidden);
        const HandResult expected = rulebook.evaluate(slots.data(), withHidden);
        if (fast.rank != expected.rank || fast.keyNumber != expected.keyNumber ||
            fast.keySuit != expected.keySuit) {
            if (++disagreements <= 10) {
                ADD_FAILURE() << describe(slots, withHidden) << "\n  evaluator: rank "
                              << fast.rank << " key " << fast.keyNumber << "/" << fast.keySuit
                              << "\n  rulebook:  rank " << expected.rank << " key "
                              << expected.keyNumber << "/" << expected.keySuit;
            }
        }
    }
    EXPECT_EQ(disagreements, 0);
}

} // namespace
