// Drawing a particle burst: flat-coloured, translucent, smoothed points in the board's plane.
#include "render/particles_draw.h"

#include "render/gl.h"
#include "render/scene.h"
#include "render/text.h"

namespace {

// The burst is drawn one world unit off along x and y (the translation below), so each
// particle's position is taken back by as much: together they land on the board mapping.
constexpr double kBurstOffset = 1.0;

double particleToWorld(double p) {
    return boardToWorld(p) - kBurstOffset;
}

}  // namespace

void drawBurst(const ParticleEmitter& burst) {
    lightingOff();
    glLoadIdentity();
    glTranslatef(static_cast<GLfloat>(kBurstOffset), static_cast<GLfloat>(kBurstOffset), -15.0f);
    const double fraction = static_cast<double>(burst.life()) / kEmitterLife;
    glPointSize(static_cast<GLfloat>(fraction * 25));
    glBegin(GL_POINTS);
    for (const Particle& particle : burst.particles()) {
        glColor4f(0.9f, 0.9f, 0.1f, static_cast<GLfloat>(fraction));
        glVertex2f(static_cast<GLfloat>(particleToWorld(particle.x())),
                   static_cast<GLfloat>(particleToWorld(particle.y())));
    }
    glEnd();
    lightingOn();
}
