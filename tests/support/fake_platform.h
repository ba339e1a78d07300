// Stand-ins for the platform calls that tests must not make for real: the blocking pause and
// the window-system extras.
#pragma once

#include <cstdint>
#include <vector>

namespace fakeplatform {

// The pauses asked for since the last reset, in milliseconds.
const std::vector<int32_t>& sleeps();
// The frame driver's rests between frames, in order.
const std::vector<int32_t>& rests();
void reset();

}  // namespace fakeplatform
