// Display lists for the board's four sphere kinds, and back-face culling around the board.
#include "render/sphere_cache.h"

#include <array>

#include "render/gl.h"

RenderOptimisations renderOptimisations;

namespace {

struct CachedSphere {
    double radius;  // world units
    int detail;
    GLuint list;
};

// Body, berry, wall and head, as the game screen draws them.
std::array<CachedSphere, 4> cache = {{{0.3, 10, 0}, {0.25, 5, 0}, {0.1, 10, 0}, {0.35, 10, 0}}};

}  // namespace

void buildSphereCache() {
    for (CachedSphere& sphere : cache) {
        if (sphere.list == 0) {
            sphere.list = glGenLists(1);
            glNewList(sphere.list, GL_COMPILE);
            glutSolidSphere(sphere.radius, sphere.detail, sphere.detail);
            glEndList();
        }
    }
}

void releaseSphereCache() {
    for (CachedSphere& sphere : cache) {
        if (sphere.list != 0) {
            glDeleteLists(sphere.list, 1);
            sphere.list = 0;
        }
    }
}

bool callCachedSphere(double radius, int detail) {
    if (!renderOptimisations.cachedSpheres) {
        return false;
    }
    for (const CachedSphere& sphere : cache) {
        if (sphere.list != 0 && sphere.radius == radius && sphere.detail == detail) {
            glCallList(sphere.list);
            return true;
        }
    }
    return false;
}

void beginBoardSpheres() {
    if (renderOptimisations.cullBackFaces) {
        glEnable(GL_CULL_FACE);
    }
}

void endBoardSpheres() {
    if (renderOptimisations.cullBackFaces) {
        glDisable(GL_CULL_FACE);
    }
}
