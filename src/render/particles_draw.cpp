// Drawing a particle burst: flat-coloured, translucent, smoothed points in the board's plane.
#include "render/particles_draw.h"

#include "render/gl.h"
#include "render/text.h"

namespace {

// The particle's board position to world units, relative to the (1, 1) translation below;
// together they land on the same point as the sphere of that board cell.
double particleToWorld(double p) {
    double w = p - 2;
    w = w - 10;
    return 10 * w / 20;
}

}  // namespace

void drawBurst(const ParticleEmitter& burst) {
    lightingOff();
    glLoadIdentity();
    glTranslatef(1.0f, 1.0f, -15.0f);
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
