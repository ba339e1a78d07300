// The step timer's rule.
#include "game/pace.h"

#include <algorithm>

bool gatherStepTime(int32_t& stepTimer, int32_t elapsedMs, int32_t difficulty) {
    const int32_t threshold = stepThreshold(difficulty);
    const int64_t gathered = int64_t{std::min(stepTimer, threshold)} + elapsedMs;
    stepTimer = static_cast<int32_t>(std::min<int64_t>(gathered, INT32_MAX));
    if (stepTimer <= threshold) {
        return false;
    }
    stepTimer = elapsedMs > 2 * threshold ? 0 : stepTimer - threshold;
    return true;
}
