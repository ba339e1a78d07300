// The generator scales by (u * n) >> 32 and repeats itself for a seed, so that a seed fixes a
// game's berries and bursts everywhere.
#include <gtest/gtest.h>

#include "game/random.h"

TEST(Random, ScalesByMultiplyAndShift) {
    EXPECT_EQ(scaleRandom(0, 18), 0u);
    EXPECT_EQ(scaleRandom(0xFFFFFFFFu, 18), 17u);
    EXPECT_EQ(scaleRandom(0x80000000u, 18), 9u);
    EXPECT_EQ(scaleRandom(0x80000000u, 5), 2u);
    EXPECT_EQ(scaleRandom(3499211612u, 360), 293u);  // first output of seed 5489
    seedRandom(5489);
    EXPECT_EQ(randomBelow(360), 293u);
}

TEST(Random, ReseedingRepeatsTheSequence) {
    seedRandom(42);
    const uint32_t a = randomBelow(1000), b = randomBelow(1000);
    seedRandom(42);
    EXPECT_EQ(randomBelow(1000), a);
    EXPECT_EQ(randomBelow(1000), b);
}
