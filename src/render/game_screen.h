// The game screen: the head-up display and every marked board cell as a sphere.
#pragma once

#include <cstdint>
#include <string>

struct Play;

// Draws score, lives, the frame rate fps and the credit line, then the board's spheres in the
// colour that pulses, and the berries turned, with time (ms, the frame's elapsed time).
void drawGameScreen(const Play& play, int32_t time, double fps);

// A short line above the board, in the HUD's small text: what a replay's playback is doing,
// or that a live game waits ("PAUSED", then the count). Nothing for an empty line.
void drawLabelAboveBoard(const std::string& label);

// The frame rate as the HUD shows it: two decimals, "+Inf" for an infinite rate.
std::string formatFps(double fps);
