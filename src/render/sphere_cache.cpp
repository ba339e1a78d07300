// Display lists for the board's four sphere kinds, and back-face culling around the board.
#include "render/sphere_cache.h"

#include <array>

#include "render/gl.h"

RenderOptimisations renderOptimisations;

namespace {

// One display list per kind of sphere, in the order of kSphereLooks; 0 until built.
std::array<GLuint, kSphereLooks.size()> lists{};

}  // namespace

void buildSphereCache() {
    for (size_t i = 0; i < lists.size(); ++i) {
        if (lists[i] == 0) {
            const SphereLook& look = kSphereLooks[i];
            lists[i] = glGenLists(1);
            glNewList(lists[i], GL_COMPILE);
            glutSolidSphere(sphereRadius(look), look.detail, look.detail);
            glEndList();
        }
    }
}

void releaseSphereCache() {
    for (GLuint& list : lists) {
        if (list != 0) {
            glDeleteLists(list, 1);
            list = 0;
        }
    }
}

bool callCachedSphere(SphereKind kind) {
    const GLuint list = lists[static_cast<size_t>(kind)];
    if (!renderOptimisations.cachedSpheres || list == 0) {
        return false;
    }
    glCallList(list);
    return true;
}

void beginBoardSpheres() {
    if (renderOptimisations.cullBackFaces) {
        glEnable(GL_CULL_FACE);
    }
    if (renderOptimisations.opaqueSpheres) {
        glDisable(GL_BLEND);
    }
}

void endBoardSpheres() {
    if (renderOptimisations.cullBackFaces) {
        glDisable(GL_CULL_FACE);
    }
    if (renderOptimisations.opaqueSpheres) {
        glEnable(GL_BLEND);  // the rest of the picture blends, as set at start-up
    }
}
