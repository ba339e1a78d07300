// The blocking pauses, in a file of their own so that tests can put recording ones in their
// place.
#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/clock.h"
#include "platform/process.h"

namespace {
// A termination request is answered within this much of any pause (a crash pause, the hold at
// a replay's end): the sleep itself goes on after a caught signal.
constexpr std::chrono::milliseconds kRequestLook{50};
}  // namespace

void sleepMs(int32_t ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (auto left = end - std::chrono::steady_clock::now();
         left > left.zero() && !terminationRequested();
         left = end - std::chrono::steady_clock::now()) {
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(left, kRequestLook));
    }
}

void restBetweenFrames(int32_t ms) {
    sleepMs(ms);
}
