// Evaluations per second of the game's evaluator and of the plain
// transcription of the rules, on the same random seven-card hands: random
// order in the slots, about half the cards hole cards, with and without them.
#include "eval/hand_evaluator.h"
#include "support/reference_hand_evaluator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>
#include <random>
#include <vector>

namespace {

struct Deal {
    std::array<Card*, 7> slots;
    bool withHidden;
};

class Hands {
  public:
    static constexpr std::size_t count = 4096; // a power of two

    Hands() {
        std::mt19937 rng(7u);
        std::bernoulli_distribution coin(0.5);
        for (int i = 0; i < 52; ++i) {
            deck.push_back(std::make_unique<Card>(0, 0, i % 4, 2 + i / 4));
            deck.back()->setHidden(coin(rng) ? 1 : 0);
        }
        std::vector<Card*> order;
        for (const auto& card : deck) {
            order.push_back(card.get());
        }
        deals.resize(count);
        for (Deal& deal : deals) {
            std::shuffle(order.begin(), order.end(), rng);
            std::copy_n(order.begin(), 7, deal.slots.begin());
            deal.withHidden = coin(rng);
        }
    }

    const Deal& operator[](std::size_t i) const { return deals[i & (count - 1)]; }

  private:
    std::vector<std::unique_ptr<Card>> deck;
    std::vector<Deal> deals;
};

const Hands& hands() {
    static const Hands all;
    return all;
}

template <typename Evaluator>
void evaluateRandomHands(benchmark::State& state) {
    Evaluator evaluator;
    const Hands& deals = hands();
    std::size_t i = 0;
    for (auto _ : state) {
        const Deal& deal = deals[i++];
        HandResult grade = evaluator.evaluate(deal.slots.data(), deal.withHidden);
        benchmark::DoNotOptimize(grade);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Evaluator(benchmark::State& state) { evaluateRandomHands<HandEvaluator>(state); }
void BM_RulebookTranscription(benchmark::State& state) {
    evaluateRandomHands<reference::HandEvaluator>(state);
}

BENCHMARK(BM_Evaluator);
BENCHMARK(BM_RulebookTranscription);

} // namespace

BENCHMARK_MAIN();
