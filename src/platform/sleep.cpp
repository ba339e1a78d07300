// The blocking pause, in a file of its own so that tests can put a recording one in its place.
#include <chrono>
#include <thread>

#include "platform/clock.h"

void sleepMs(int32_t ms) {
    if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}
