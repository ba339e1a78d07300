// How each kind of board sphere looks: one table that drawing and the display-list cache
// both read, keyed by kind.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

enum class SphereKind { Body, Berry, Wall, Head };

struct SphereLook {
    double size;  // radius in cells (half a world unit each)
    int detail;   // slices and stacks
    bool spins;   // berries turn a third of a degree per millisecond
};

inline constexpr std::array<SphereLook, 4> kSphereLooks = {{
    {0.6, 10, false},  // body
    {0.5, 5, true},    // berry
    {0.2, 10, false},  // wall
    {0.7, 10, false},  // head
}};

inline const SphereLook& lookOf(SphereKind kind) {
    return kSphereLooks[static_cast<size_t>(kind)];
}

// The sphere's radius in world units.
constexpr double sphereRadius(const SphereLook& look) {
    return look.size * 10 / 20;
}

// The kind of sphere a board cell shows; none for an empty cell.
std::optional<SphereKind> sphereKindOf(char cell);
