// The burst of yellow points that marks an eaten berry: an emitter of 100 particles that fly
// out from one board position while its 500 ms of life run down.
#pragma once

#include <cstdint>
#include <vector>

class Particle {
public:
    // At (x0, y0) in board cells, with a random direction (a whole number 0..359 taken as
    // radians) and one of five speeds from 0.25 up in steps of 1/300; angle is drawn first.
    Particle(double x0, double y0);

    // One frame's flight: the sine goes to x, the cosine to y.
    void move();

    double x() const { return x_; }
    double y() const { return y_; }
    double angle() const { return angle_; }
    double speed() const { return speed_; }

private:
    double x_;
    double y_;
    double angle_;
    double speed_;
};

constexpr int kParticleCount = 100;
constexpr int16_t kEmitterLife = 500;  // ms, also the divisor for point size and opacity

class ParticleEmitter {
public:
    // Alive, with a full life and all particles at (x0, y0), in board cells.
    ParticleEmitter(double x0, double y0);

    bool isAlive() const { return alive_; }
    int16_t life() const { return life_; }
    const std::vector<Particle>& particles() const { return particles_; }

    // Uses up ms of life; a life that would fall below zero ends the burst and stays as it was.
    void age(int16_t ms);
    // Moves every particle once: the motion is per frame, the life per millisecond.
    void update();

private:
    std::vector<Particle> particles_;
    bool alive_ = true;
    int16_t life_ = kEmitterLife;
};
