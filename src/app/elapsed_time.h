// Arithmetic on GLUT's elapsed-time counter. glutGet(GLUT_ELAPSED_TIME) is an int of the
// milliseconds since glutInit, so 24.8 days after start it passes INT32_MAX and goes on from
// INT32_MIN. Every span the game takes of it (a frame, the count, the picture's time, the
// frame pacing) is a difference modulo 2^32, right across the wrap for spans under 24.8 days.
#pragma once

#include <cstdint>

// Milliseconds from the counter's reading `from` to its later reading `to`.
constexpr int32_t msBetween(int32_t from, int32_t to) {
    return static_cast<int32_t>(static_cast<uint32_t>(to) - static_cast<uint32_t>(from));
}

// The counter's reading ms after (before, for a negative ms) the reading `at`.
constexpr int32_t msAfter(int32_t at, int64_t ms) {
    return static_cast<int32_t>(static_cast<uint32_t>(at) + static_cast<uint32_t>(ms));
}
