// The frame driver: GLUT's display and idle callback. Each call times the frame, counts the
// menu key cooldown down, clears, draws the screen on show and, while playing, runs the
// particle burst and steps the snake when enough time has gathered (as much as the session,
// live or playback, says the frame gathers); then swaps and, where swaps don't wait for the
// display, rests until the next frame is due. While the session says the picture stands (a
// game that waits), GLUT calls no frame but on an expose or a resize, and the driver looks a
// few times a second whether one is needed; so it does while the window is hidden, whatever the
// screen.
#pragma once

#include <cstdint>

void drawFrame();

// GLUT's window status callback: whether the window is hidden (unmapped, minimised). While it
// is, no frame is drawn: GLUT calls none, the driver looks a few times a second for a
// terminate request, and drawing goes on once the window is shown.
void noteWindowStatus(int status);

struct StepEvent;
// Acts on what a step did: the crash pause (keys queued during it are dropped), and at game
// over what the session does then (a live game: the table entry, "GAME OVER" held on screen
// once the frame is swapped, keys dropped again, and the high scores) and "GAME OVER".
void actOnStep(const StepEvent& event);

class FramePacer;
// How the frame driver rests between frames (start-up chooses; the default never rests).
void setFramePacing(const FramePacer& pacer);

// Seconds since the previous call, as a single-precision float.
float frameDelta();

// Frames per second since the previous call; starts the next measuring period. Infinite when
// no time has passed.
double sampleFps();

// Whole milliseconds of a frame delta, formed in double precision from the single-precision
// delta (so a 33 ms frame gives 32).
int32_t frameMilliseconds(float delta);

// keyCooldown stops here instead of counting down until it wraps.
constexpr int32_t kCooldownFloor = -1000000000;
