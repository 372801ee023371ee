#pragma once
// The game's one source of chance: the linear congruential generator of the
// Windows C runtime's rand(), the console the game was first made for. Owning
// its arithmetic makes the same seed deal the same game on every system, and
// its whole state is one 32-bit number that a saved game can keep.

#include <cstdint>

class LinearCongruential {
  public:
    static constexpr int maxDraw = 0x7FFF; // the runtime's RAND_MAX

    explicit LinearCongruential(std::uint32_t seed = 1) : current(seed) {}

    // The next draw, 0 to maxDraw; the state advances one step.
    int next() {
        current = current * multiplier + increment; // modulo 2^32, as unsigned arithmetic is
        return static_cast<int>((current >> 16) & maxDraw);
    }

    // Seeding sets the state itself, as srand() does; a saved state is
    // taken back the same way.
    void seed(std::uint32_t state) { current = state; }
    std::uint32_t state() const { return current; }

  private:
    static constexpr std::uint32_t multiplier = 214013;
    static constexpr std::uint32_t increment = 2531011;

    std::uint32_t current;
};
