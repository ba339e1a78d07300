// Start-up: the seed, the high-score table, GLUT and the game window, the fixed OpenGL state
// and the callbacks; then the main loop. Also the reshape callback.
#pragma once

#include <cstdint>
#include <optional>

// The seed ORVEL_SEED asks for: a whole number 0..4294967295, nothing else.
std::optional<uint32_t> parseSeed(const char* text);

// Everything before the main loop. Exits with status 0 after --help or --version, 2 on a bad
// command line or ORVEL_SEED, 3 when there is no display.
void startUp(int argc, char** argv);

// Viewport and projection for a window of width x height pixels, and the width of text lines.
void reshape(int width, int height);
