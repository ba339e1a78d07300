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

    // Milliseconds to rest at time now (GLUT's elapsed-time counter) before the next frame is
    // due; never more than mostMs, the time until the next frame must begin (a step falling
    // due).
    int32_t restBefore(int32_t now, int32_t mostMs);

private:
    Pacing pacing_ = Pacing::Unlimited;
    double periodMs_ = 0;
    // When the next frame is due, counted from the previous call's now (the clock at 0 and
    // the frame due at -1 before the first), so that the counter's wrap changes nothing.
    int32_t lastNow_ = 0;
    double nextFrameIn_ = -1;
};
