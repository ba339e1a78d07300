// The process-wide pseudo-random generator: one MT19937, seeded once at start-up. Only berry
// placement and particle creation draw from it, so a seed fixes a whole game's randomness.
#pragma once

#include <cstdint>

void seedRandom(uint32_t seed);

// The seed of the last seedRandom, and how many numbers were drawn since: together they say
// where the generator stands, so that a game recorded anywhere in a session can be replayed.
uint32_t randomSeed();
uint64_t randomDraws();
// Seeds the generator and moves it on by draws numbers.
void seedRandomAt(uint32_t seed, uint64_t draws);

// A whole number 0..n-1 for n > 0: the next 32-bit output u, scaled as (u * n) >> 32.
uint32_t randomBelow(uint32_t n);

// Scales one raw 32-bit output into 0..n-1 the way randomBelow does.
constexpr uint32_t scaleRandom(uint32_t u, uint32_t n) {
    return static_cast<uint32_t>((static_cast<uint64_t>(u) * n) >> 32);
}
