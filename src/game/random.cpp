// The process-wide MT19937 generator and the one way the game draws from it.
#include "game/random.h"

#include <random>

namespace {
std::mt19937 generator;  // default-seeded until start-up seeds it
uint32_t seeded = std::mt19937::default_seed;
uint64_t drawn = 0;
}  // namespace

void seedRandom(uint32_t seed) {
    generator.seed(seed);
    seeded = seed;
    drawn = 0;
}

uint32_t randomSeed() {
    return seeded;
}

uint64_t randomDraws() {
    return drawn;
}

void seedRandomAt(uint32_t seed, uint64_t draws) {
    seedRandom(seed);
    generator.discard(draws);
    drawn = draws;
}

uint32_t randomBelow(uint32_t n) {
    ++drawn;
    return scaleRandom(static_cast<uint32_t>(generator()), n);
}
