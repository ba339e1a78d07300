// The game screen: the head-up display and every marked board cell as a sphere.
#pragma once

#include <cstdint>
#include <string>

struct Play;

// Draws score, lives, the frame rate fps and the credit line, then the board's spheres in the
// colour that pulses, and the berries turned, with time (ms, the frame's elapsed time).
void drawGameScreen(const Play& play, int32_t time, double fps);

// A short line above the board, in the HUD's small text: what a replay's playback is doing.
// Nothing for an empty line.
void drawLabelAboveBoard(const std::string& label);

// A notice that must not be missed (a live game's wait: "PAUSED", then the count), in the
// game's large text with its middle over the board's middle. Drawn after everything else, so
// that nothing of the picture covers it. Nothing for an empty notice.
void drawNoticeOverBoard(const std::string& notice);

// The frame rate as the HUD shows it: two decimals, "+Inf" for an infinite rate.
std::string formatFps(double fps);
