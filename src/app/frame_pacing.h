// How long the frame driver rests after a swap, so that where swaps don't wait for the display
// (Xvfb, VNC, remote X, drivers without swap control) an idle game doesn't draw frames nobody
// can see as fast as the CPU allows.
#pragma once

#include <cstdint>

enum class Pacing {
    Unlimited,  // ORVEL_VSYNC=0: draw as fast as possible (benchmarks)
    Display,    // swaps wait for the display's refresh: no rest needed
    Rest,       // rest between frames to about the display's rate
};

class FramePacer {
public:
    FramePacer() = default;
    FramePacer(Pacing pacing, double framesPerSecond);

    Pacing pacing() const { return pacing_; }

    // Milliseconds to rest at time now (ms) before the next frame is due; never past
    // latestStart, the moment the next frame must begin (a step falling due).
    int32_t restBefore(int32_t now, int32_t latestStart);

private:
    Pacing pacing_ = Pacing::Unlimited;
    double periodMs_ = 0;
    double nextFrameAt_ = -1;  // when the next frame is due; negative before the first
};
