// Stand-ins for the platform calls that tests must not make for real: the blocking pause and
// the window-system extras.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace fakeplatform {

// The pauses asked for since the last reset, in milliseconds, and the GL call each came after.
const std::vector<int32_t>& sleeps();
const std::vector<std::string>& pausedAfter();
// Whether a pause moves the GL fake's clock on by its length (it does not by default).
extern bool sleepsTakeTime;
// The frame driver's rests between frames, in order.
const std::vector<int32_t>& rests();
void reset();

// What a game-mode switch does on the fake display: the X errors it raises, and whether the
// screen really shows the mode afterwards.
extern int switchErrors;
extern bool modeSwitched;
// Whether the game's window has the keys (the keyboard focus), and whether another program
// holds the keyboard grab meanwhile.
extern bool hasKeys;
extern bool grabbed;
// Whether the game's window is hidden (unmapped, minimised).
extern bool hidden;
// Keys read by their position, handed to the game at the next frame: letter, pressed.
extern std::vector<std::pair<unsigned char, bool>> layoutKeys;

}  // namespace fakeplatform
