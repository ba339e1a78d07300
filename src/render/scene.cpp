// Spheres on board cells and the swinging background.
#include "render/scene.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "game/board.h"
#include "render/gl.h"
#include "render/sphere_cache.h"
#include "render/text.h"

namespace {
// How much wider and taller than the 5:4 view the screen's view is (1 and 1 on a 5:4 screen).
GLfloat backgroundStretchX = 1.0f;
GLfloat backgroundStretchY = 1.0f;
}  // namespace

std::optional<SphereKind> sphereKindOf(char cell) {
    switch (cell) {
        case kBody:
            return SphereKind::Body;
        case kBerry:
            return SphereKind::Berry;
        case kWall:
            return SphereKind::Wall;
        case kHead:
            return SphereKind::Head;
        default:
            return std::nullopt;
    }
}

void drawSphere(double x, double y, SphereKind kind, double angle, double red, double green,
                double blue) {
    glLoadIdentity();
    glTranslatef(static_cast<GLfloat>(boardToWorld(x)), static_cast<GLfloat>(boardToWorld(y)),
                 -15.0f);
    glRotatef(static_cast<GLfloat>(angle), 0.0f, 0.0f, -1.0f);
    glColor3f(static_cast<GLfloat>(red), static_cast<GLfloat>(green), static_cast<GLfloat>(blue));
    if (!callCachedSphere(kind)) {
        const SphereLook& look = lookOf(kind);
        glutSolidSphere(sphereRadius(look), look.detail, look.detail);
    }
}

void stretchBackground(double across, double up) {
    backgroundStretchX = static_cast<GLfloat>(across);
    backgroundStretchY = static_cast<GLfloat>(up);
}

void drawBackground(int32_t elapsedTime) {
    lightingOff();
    glLoadIdentity();
    // Stretched across the line of sight by as much as the view is wider (or taller) than the
    // 5:4 one, the lines land where they land on a 5:4 screen, in proportion, at every angle of
    // the swing: they cover this screen as they cover that one. A 5:4 screen draws them
    // unstretched, call for call.
    if (backgroundStretchX != 1.0f || backgroundStretchY != 1.0f) {
        glScalef(backgroundStretchX, backgroundStretchY, 1.0f);
    }
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
