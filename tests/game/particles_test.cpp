// The particle emitter as data: its life and its particles.
#include <gtest/gtest.h>

#include "game/particles.h"

TEST(Particles, ANewEmitterIsAliveWithAHundredParticlesAtItsPoint) {
    const ParticleEmitter emitter(12.0, 7.0);
    EXPECT_TRUE(emitter.isAlive());
    EXPECT_EQ(emitter.life(), 500);
    ASSERT_EQ(emitter.particles().size(), 100u);
    for (const Particle& p : emitter.particles()) {
        EXPECT_EQ(p.x(), 12.0);
        EXPECT_EQ(p.y(), 7.0);
    }
}

TEST(Particles, AgeingEndsTheBurstOnlyBelowZero) {
    ParticleEmitter emitter(1.0, 1.0);
    emitter.age(0);
    EXPECT_EQ(emitter.life(), 500);
    emitter.age(500);
    EXPECT_TRUE(emitter.isAlive());
    EXPECT_EQ(emitter.life(), 0);
    emitter.age(1);
    EXPECT_FALSE(emitter.isAlive());
    EXPECT_EQ(emitter.life(), 0);

    ParticleEmitter other(1.0, 1.0);
    other.age(501);
    EXPECT_FALSE(other.isAlive());
    EXPECT_EQ(other.life(), 500);
}
