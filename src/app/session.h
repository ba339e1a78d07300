// The session a process runs, chosen once at start-up: a live game, or the playback of a
// recording. It owns everything the two do differently (what it opens before the display, how
// much time a frame gathers, whether the picture stands still, the line above the board and
// the notice over it, what comes before and after a step, how a game ends, which keys it takes
// itself, whether a frame is needed at all), so that the shell asks it and never asks which
// one it is.
#pragma once

#include <cstdint>
#include <string>

#include "app/actions.h"

struct StepEvent;

// Why a game ends: its last life lost, Escape, the game closing (Exit, the window's close
// button, a terminate request), or the display gone.
enum class GameEnd { GameOver, Escape, Exit, LostDisplay };

// One play frame, as the session counts it: the time it gathers, in milliseconds, and what
// it shows. One answer a frame, taken before anything of the frame is drawn.
struct PlayFrame {
    int32_t stepMs = 0;     // added to the step timer
    int32_t ageMs = 0;      // the burst's ageing
    int32_t pictureMs = 0;  // the background's and the spheres' time
    bool stands = false;    // the picture stands still: no burst moves
    bool showsRate = true;  // the frame's whole time counted: the rate it measured is shown
    std::string label;      // the small line above the board; empty for none
    std::string notice;     // drawn large over the board's middle, after everything else
};

class Session {
public:
    virtual ~Session() = default;

    // After the display is found and before GLUT starts: what the session needs before the
    // first frame (a live game's table and replay folder; a replay's recorded New Game).
    virtual void begin() = 0;
    // The window's title where it is not the game's own; null for the game's.
    virtual const char* windowTitle() const = 0;
    // Whether the session keeps the high-score table: loaded at its begin, saved at its end.
    virtual bool keepsTable() const = 0;

    // The play frame at now (game.clock's lastFrameTime) that began elapsedMs (exactly) after
    // the previous one, frameMs being that delta rounded down.
    virtual PlayFrame playFrame(int32_t now, int32_t elapsedMs, int32_t frameMs) = 0;
    virtual void beforeStep() = 0;
    virtual void afterStep(const StepEvent& event) = 0;
    // After each frame is swapped.
    virtual void afterSwap() = 0;

    // A key's action, before the menus and the game see it; true when the session took it.
    virtual bool takeAction(Action action) = 0;
    // New Game was chosen: called before the new game is set up, which draws from the
    // generator.
    virtual void gameStarted() = 0;
    // The game ends, and why: at game over in the frame that draws "GAME OVER" (after the
    // crash pause), at Escape, or as the process ends.
    virtual void gameEnds(GameEnd why) = 0;

    // Between frames: the session looks at the window and the clock at now (the elapsed-time
    // counter) and moves on with them; true when the picture on screen is still the one a
    // frame would draw, so that none need be drawn until the window is exposed or resized.
    virtual bool pictureStandsAt(int32_t now) = 0;
    // The window is hidden: no frame is drawn until it is shown again, and the first one after
    // that measures from the last drawn as if no time had passed.
    virtual void hidden() = 0;
};
