// The system's clocks: the millisecond tick count that seeds the game, and blocking pauses.
#pragma once

#include <cstdint>

// Milliseconds since the machine started (a monotonic millisecond clock where the system has
// no tick count); wraps after about 49.7 days like a 32-bit tick count does.
uint32_t tickCount();

// Blocks the calling thread for ms milliseconds, or until a termination request: a game asked
// to end is not kept waiting by a pause.
void sleepMs(int32_t ms);

// The frame driver's rest between frames: the same blocking pause, kept apart so that tests
// can tell it from the crash pause.
void restBetweenFrames(int32_t ms);
