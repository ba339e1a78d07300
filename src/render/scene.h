// The shared 3D pieces: a lit sphere on a board cell and the swinging background of lines.
#pragma once

#include <cstdint>

#include "render/sphere_looks.h"

// A board position (cells, possibly fractional) to world units: cell 10 on the axis, cells half
// a unit apart.
constexpr double boardToWorld(double p) {
    return (p - 10) * 10 / 20;
}

// A lit sphere centred on board position (x, y) at depth -15, of radius size cells, spun by angle
// degrees about its poles, in the colour given, with detail slices and stacks. Lighting must be on.
void drawSphere(double x, double y, SphereKind kind, double angle, double red, double green,
                double blue);

// Sixty-one translucent yellow lines at depth -50 swinging with the elapsed time (ms). Leaves
// lighting on. They are laid out for the view of a 5:4 screen and leave parts of it bare at the
// far ends of the swing.
void drawBackground(int32_t elapsedTime);

// Fits the background to a view across times as wide and up times as tall as the 5:4 view
// (both at least 1; 1 and 1 on a 5:4 screen): it covers the screen as it covers a 5:4 one.
void stretchBackground(double across, double up);
