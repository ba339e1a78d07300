// The game's pace: how much time gathers toward a snake step, when the step falls due, and
// how long the game stands still after a crash.
#pragma once

#include <cstdint>

// The game stands still this long after a crash, in milliseconds.
constexpr int32_t kCrashPauseMs = 1000;
// "GAME OVER" stays on screen this long before the high scores follow.
constexpr int32_t kGameOverHoldMs = 1000;

// Milliseconds the step timer must exceed for the snake to step at a difficulty.
constexpr int32_t stepThreshold(int32_t difficulty) {
    return 200 - 40 * difficulty;
}

// Adds a frame of elapsedMs to the step timer and says whether the snake steps in this frame.
// At most one step a frame. The time a step is late is carried into the next one, so the pace
// holds whatever the display's rate, but never more than one step of the current difficulty:
// time left from a slower game never brings several steps on consecutive frames. A frame a
// little longer than a step (a renderer that draws 28 frames a second at difficulty 4's 25
// steps) still carries its lateness; after one longer than two steps (a stall: the crash pause,
// a window drag) nothing is carried, so the snake never races to catch up.
bool gatherStepTime(int32_t& stepTimer, int32_t elapsedMs, int32_t difficulty);
