// Whole "Play Simulation" games on the fake console, whose clock lets every
// pause pass at once: the CPU time per hand with the table drawn into the
// screen model only, and with the model also shown on the tests' terminal
// at every wait, as the tests look at it, on the same games.
#include "fake/fake_console.h"
#include "game/game_table.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr unsigned firstSeed = 1;
constexpr int gamesPerRun = 6;

// Plays one game to its overall winner; returns the hands it took.
long long playGame(int computers, unsigned seed, bool lookedAt) {
    fake::reset();
    GameTable table(seed);
    int linesTyped = 0;
    long long keys = 0;
    // The name, then the number of computers; a key for every winner line.
    fake::whenScriptRunsOut([&](fake::Wait wait) -> std::string {
        if (lookedAt) {
            benchmark::DoNotOptimize(fake::row(0));
        }
        if (wait == fake::Wait::Line) {
            return ++linesTyped == 1 ? "bench\n" : std::to_string(computers) + "\n";
        }
        ++keys;
        return "\r";
    });
    table.playGame(true);
    fake::whenScriptRunsOut(nullptr);
    return keys - fake::pauseCount(); // the final line's key closes no hand
}

void BM_WholeGames(benchmark::State& state) {
    const int computers = static_cast<int>(state.range(0));
    const bool lookedAt = state.range(1) != 0;
    unsigned seed = firstSeed;
    long long hands = 0;
    for (auto _ : state) {
        hands += playGame(computers, seed++, lookedAt);
    }
    state.counters["hands"] =
        benchmark::Counter(static_cast<double>(hands), benchmark::Counter::kIsRate);
    state.counters["per_hand"] = benchmark::Counter(
        static_cast<double>(hands), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_WholeGames)
    ->ArgsProduct({{1, 6}, {1, 0}})
    ->ArgNames({"computers", "looked_at"})
    ->Iterations(gamesPerRun)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
