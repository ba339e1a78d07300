// Drawing a particle burst.
#pragma once

#include "game/particles.h"

// Draws the burst's particles as smoothed points whose size and opacity follow its life left.
void drawBurst(const ParticleEmitter& burst);
