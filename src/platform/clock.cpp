// The millisecond tick count.
#include "platform/clock.h"

#include <chrono>

#if defined(__linux__)
#include <ctime>
#endif

uint32_t tickCount() {
#if defined(__linux__)
    // CLOCK_BOOTTIME counts from boot, suspend included, as a tick count does.
    timespec now{};
    if (clock_gettime(CLOCK_BOOTTIME, &now) == 0) {
        return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                                     static_cast<uint64_t>(now.tv_nsec) / 1000000u);
    }
#endif
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}
