// The particle emitter as data: its life and its particles.
#include <gtest/gtest.h>

#include <cmath>

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

TEST(Particles, EachParticleFliesStraightOutAtOneOfFiveSpeeds) {
    ParticleEmitter emitter(3.0, 4.0);
    for (int frame = 0; frame < 3; ++frame) {
        emitter.update();
    }
    for (const Particle& p : emitter.particles()) {
        const double steps = (p.speed() - 0.25) * 300;
        EXPECT_NEAR(steps, std::round(steps), 1e-9);
        EXPECT_TRUE(steps > -0.5 && steps < 4.5) << p.speed();
        EXPECT_NEAR(std::hypot(p.x() - 3.0, p.y() - 4.0), 3 * p.speed(), 1e-9);
        EXPECT_NEAR(p.x() - 3.0, 3 * p.speed() * std::sin(p.angle()), 1e-9) << "the sine to x";
    }
}
