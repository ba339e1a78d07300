// Frame pacing where swaps don't wait for the display.
#include "app/frame_pacing.h"

#include <algorithm>
#include <cmath>

#include "app/elapsed_time.h"

FramePacer::FramePacer(Pacing pacing, double framesPerSecond)
    : pacing_(pacing), periodMs_(framesPerSecond > 0 ? 1000.0 / framesPerSecond : 0) {}

int32_t FramePacer::restBefore(int32_t now, int32_t mostMs) {
    if (pacing_ != Pacing::Rest || periodMs_ <= 0) {
        return 0;
    }
    // Frames are due one period after the previous one was due, so that whole-millisecond rests
    // keep the average rate; a frame that came more than a period late starts the count anew.
    const double dueIn = nextFrameIn_ - msBetween(lastNow_, now) + periodMs_;
    nextFrameIn_ = dueIn < -periodMs_ || dueIn > periodMs_ ? periodMs_ : dueIn;
    lastNow_ = now;
    return std::max(0, std::min(static_cast<int32_t>(std::floor(nextFrameIn_)), mostMs));
}
