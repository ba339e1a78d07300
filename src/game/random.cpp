// The process-wide MT19937 generator and the one way the game draws from it.
#include "game/random.h"

#include <random>

namespace {
std::mt19937 generator;  // default-seeded until start-up seeds it
}

void seedRandom(uint32_t seed) {
    generator.seed(seed);
}

uint32_t randomBelow(uint32_t n) {
    return scaleRandom(static_cast<uint32_t>(generator()), n);
}
