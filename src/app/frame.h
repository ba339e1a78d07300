// The frame driver: GLUT's display and idle callback. Each call times the frame, counts the
// menu key cooldown down, clears, draws the screen on show and, while playing, runs the
// particle burst and steps the snake when enough time has gathered (as much as the session,
// live or playback, says the frame gathers); then swaps and, where swaps don't wait for the
// display, rests until the next frame is due. While the session says the picture stands (a
// game that waits), GLUT calls no frame but on an expose or a resize, and the driver looks a
// few times a second whether one is needed; so it does while the window is hidden, whatever the
// screen.
#pragma once

#include <cstdint>
#include <optional>

#include "app/frame_pacing.h"

struct PlayFrame;

// GLUT's display and idle callback: the shell's frame driver draws a frame.
void drawFrame();

// The frame driver: how it rests between frames, and whether GLUT calls it at all. While the
// picture stands (a game that waits) or the window is hidden (the platform says so: unmapped,
// minimised), GLUT calls no frame but on an expose or a resize, and the driver looks a few
// times a second whether one is needed (a window back or shown, the count's next number,
// Escape, a terminate request). Made anew, as a whole, with each pacing.
class FrameDriver {
public:
    FrameDriver() = default;
    explicit FrameDriver(const FramePacer& pacer) : pacer_(pacer) {}

    void draw();
    // GLUT's timer while the picture stands: standing numbers the standing it was set for.
    void lookAgain(int standing);

private:
    PlayFrame playFrame(int32_t frameMs, int32_t elapsedMs);
    void goOnDrawing();
    void standStill();
    void restAfterFrame(bool gathering);
    void showAgain();

    FramePacer pacer_;
    bool standing_ = false;
    int looks_ = 0;  // numbers the standings, so that a look left from an earlier one does nothing
    std::optional<int32_t> hiddenSince_;  // when a frame found the window hidden, until one is
                                          // drawn again
};

struct StepEvent;
// Acts on what a step did: the crash pause (keys queued during it are dropped), and at game
// over what the session does then (a live game: the table entry, "GAME OVER" held on screen
// once the frame is swapped, keys dropped again, and the high scores) and "GAME OVER".
void actOnStep(const StepEvent& event);

// How the frame driver rests between frames (start-up chooses; the default never rests): a
// new frame driver.
void setFramePacing(const FramePacer& pacer);

// Seconds since the previous call, as a single-precision float.
float frameDelta();

// Frames per second since the previous call; starts the next measuring period. Infinite when
// no time has passed.
double sampleFps();

// Whole milliseconds of a frame delta, formed in double precision from the single-precision
// delta (so a 33 ms frame gives 32).
int32_t frameMilliseconds(float delta);

// keyCooldown stops here instead of counting down until it wraps.
constexpr int32_t kCooldownFloor = -1000000000;
