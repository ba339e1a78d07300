// The board's spheres drawn cheaply: each kind's geometry compiled once into a display list,
// and back faces culled while the board is drawn. Spheres are closed and opaque, so neither
// changes a pixel; both only save the renderer work.
#pragma once

#include "render/sphere_looks.h"

// All are on in the game; the frame benchmark switches them off to measure what they save and
// to check that the pixels stay the same. Opaque spheres are drawn with blending off: their
// alpha is 1, so blending changes no pixel, but a software renderer (llvmpipe) then skips
// reading each pixel back, 10 to 20% of a crowded board's frame.
struct RenderOptimisations {
    bool cullBackFaces = true;
    bool cachedSpheres = true;
    bool opaqueSpheres = true;
};
extern RenderOptimisations renderOptimisations;

// Compiles the four sphere kinds of the board (needs a current GL context). Until it has run,
// spheres are built on every draw.
void buildSphereCache();

// Deletes the compiled spheres (while their context is current); spheres are then built on
// every draw again.
void releaseSphereCache();

// Draws the kind's compiled sphere; false when there is none (not built, or switched off).
bool callCachedSphere(SphereKind kind);

// Brackets the drawing of the board's spheres.
void beginBoardSpheres();
void endBoardSpheres();
