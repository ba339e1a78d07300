// The session a process runs, chosen once at start-up: a live game, or the playback of a
// recording. It owns everything the two do differently in play (how much time a frame gathers,
// whether the picture stands still, the line above the board and the notice over it, what
// comes before and after a step, what game over does, which keys it takes itself, whether a
// frame is needed at all), so that the frame driver asks it and never asks which one it is.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/actions.h"

struct StepEvent;

// A play frame's time as the session counts it, in milliseconds.
struct PlayTime {
    int32_t stepMs = 0;     // added to the step timer
    int32_t ageMs = 0;      // the burst's ageing
    int32_t pictureMs = 0;  // the background's and the spheres' time
};

class Session {
public:
    virtual ~Session() = default;

    // The time of a play frame that began elapsedMs (exactly) after the previous one, frameMs
    // being that delta rounded down; the frame's clock is game.clock.
    virtual PlayTime playTime(int32_t elapsedMs, int32_t frameMs) = 0;
    // Whether the picture stands still this frame: no burst moves, the frame rate shown stays.
    // Asked after playTime.
    virtual bool frozen() const = 0;
    // The small line above the board (a replay's); empty for none.
    virtual std::string label() const = 0;
    // The notice drawn large over the board's middle, after everything else (a live game's
    // wait); empty for none.
    virtual std::string notice() const = 0;

    virtual void beforeStep() = 0;
    virtual void afterStep(const StepEvent& event) = 0;
    // The last life is lost, in the frame that draws "GAME OVER" (after the crash pause).
    virtual void gameOver() = 0;
    // After each frame is swapped.
    virtual void afterSwap() = 0;

    // A key's action, before the menus and the game see it; true when the session took it.
    virtual bool takeAction(Action action) = 0;
    // New Game has set up a new game.
    virtual void gameStarted() = 0;

    // Whether the picture on screen is still the one a frame at now (the elapsed-time
    // counter) would draw, so that none need be drawn until the window is exposed or resized.
    virtual bool pictureStands(int32_t now) = 0;
    // The window is hidden: no frame is drawn until it is shown again, and the first one after
    // that measures from the last drawn as if no time had passed.
    virtual void hidden() = 0;
};

// The process's session: a live one until start-up chooses.
Session& session();
void useSession(std::unique_ptr<Session> chosen);
