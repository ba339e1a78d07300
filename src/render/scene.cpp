// Spheres on board cells and the swinging background.
#include "render/scene.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "game/board.h"
#include "render/gl.h"
#include "render/sphere_cache.h"
#include "render/text.h"

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
