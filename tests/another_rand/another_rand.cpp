// rand() and srand() of another C library (a 64-bit linear congruential
// generator, as musl's), loaded ahead of the system's with LD_PRELOAD so
// the tests play the games another C library would deal: no test may
// depend on glibc's sequence for how long a game lasts or how it ends.
#include <cstdint>

namespace {

std::uint64_t state = 0;

} // namespace

extern "C" void srand(unsigned seed) { state = seed - 1U; }

extern "C" int rand() {
    state = 6364136223846793005ULL * state + 1U;
    return static_cast<int>(state >> 33);
}
