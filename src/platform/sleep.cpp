// The blocking pauses, in a file of their own so that tests can put recording ones in their
// place.
#include <chrono>
#include <thread>

#include "platform/clock.h"

void sleepMs(int32_t ms) {
    if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

void restBetweenFrames(int32_t ms) {
    sleepMs(ms);
}
