// Particle motion and the emitter's life; drawing lives in particles_draw.cpp.
#include "game/particles.h"

#include <cmath>

#include "game/random.h"

Particle::Particle(double x0, double y0) : x_(x0), y_(y0) {
    angle_ = static_cast<double>(randomBelow(360));
    speed_ = randomBelow(5) / 300.0 + 0.25;
}

void Particle::move() {
    x_ += std::sin(angle_) * speed_;
    y_ += std::cos(angle_) * speed_;
}

ParticleEmitter::ParticleEmitter(double x0, double y0) {
    particles_.reserve(kParticleCount);
    for (int i = 0; i < kParticleCount; ++i) {
        particles_.emplace_back(x0, y0);
    }
}

void ParticleEmitter::age(int16_t ms) {
    const int32_t left = static_cast<int32_t>(life_) - ms;
    if (left < 0) {
        alive_ = false;
    } else {
        life_ = static_cast<int16_t>(left);
    }
}

void ParticleEmitter::update() {
    for (Particle& particle : particles_) {
        particle.move();
    }
}
