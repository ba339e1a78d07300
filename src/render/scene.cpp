// Spheres on board cells and the swinging background.
#include "render/scene.h"

#include <cmath>
#include <cstdint>

#include "game/game_state.h"
#include "render/gl.h"
#include "render/sphere_cache.h"
#include "render/text.h"

void drawSphere(double x, double y, double size, double angle, double red, double green,
                double blue, int detail) {
    glLoadIdentity();
    glTranslatef(static_cast<GLfloat>(boardToWorld(x)), static_cast<GLfloat>(boardToWorld(y)),
                 -15.0f);
    glRotatef(static_cast<GLfloat>(angle), 0.0f, 0.0f, -1.0f);
    glColor3f(static_cast<GLfloat>(red), static_cast<GLfloat>(green), static_cast<GLfloat>(blue));
    const double radius = size * 10 / 20;
    if (!callCachedSphere(radius, detail)) {
        glutSolidSphere(radius, detail, detail);
    }
}

void drawBackground(int32_t elapsedTime) {
    lightingOff();
    glLoadIdentity();
    glTranslatef(1.0f, 1.0f, -50.0f);
    glColor4f(0.9f, 0.9f, 0.1f, 0.15f);
    const double swing = 90 * std::sin(elapsedTime / 500.0);
    glRotatef(static_cast<GLfloat>(swing), 0.0f, -1.0f, -1.0f);
    glLineWidth(1.0f);
    glBegin(GL_LINES);
    for (int16_t i = -30; i <= 30; ++i) {
        glVertex2f(static_cast<GLfloat>(i - 30), static_cast<GLfloat>(-30 - i));
        glVertex2f(static_cast<GLfloat>(i + 30), static_cast<GLfloat>(30 - i));
    }
    glEnd();
    lightingOn();
}
