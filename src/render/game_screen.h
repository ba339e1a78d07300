// The game screen: the head-up display and every marked board cell as a sphere.
#pragma once

#include <cstdint>
#include <string>

struct GameState;

// Draws score, lives, the frame rate fps and the credit line, then the board's spheres in the
// colour that pulses with time (ms).
void drawGameScreen(const GameState& state, int32_t time, double fps);

// The frame rate as the HUD shows it: two decimals, "+Inf" for an infinite rate.
std::string formatFps(double fps);
