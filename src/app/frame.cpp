// The frame driver and its two timing samples.
#include "app/frame.h"
#include "render/particles_draw.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "app/elapsed_time.h"
#include "app/frame_pacing.h"
#include "app/game.h"
#include "app/keyboard.h"
#include "app/session.h"
#include "app/shell.h"
#include "game/collisions.h"
#include "game/diagnostics.h"
#include "game/pace.h"
#include "game/step.h"
#include "platform/clock.h"
#include "platform/layout_keys.h"
#include "platform/process.h"
#include "platform/window_system.h"
#include "render/game_screen.h"
#include "render/gl.h"
#include "render/menu_screens.h"
#include "render/scene.h"
#include "render/text.h"

namespace {

// The last life is lost: the session does what game over does, "GAME OVER" is drawn into
// this frame.
void endGame() {
    session().gameEnds(GameEnd::GameOver);
    lightingOff();
    drawText("GAME OVER", -4.0, -1.0, 0.006);
    lightingOn();
}

StepEvent takeStep() {
    Session& current = session();
    current.beforeStep();
    const StepEvent event = playStep(game.play);
    current.afterStep(event);
    return event;
}

// While the picture stands, GLUT calls no frame until one is needed: the driver looks this
// often.
constexpr unsigned kLookMs = 100;

void lookAgain(int standing) {
    shell().frames.lookAgain(standing);
}

}  // namespace

// elapsedMs is the frame's exact length in whole milliseconds of the elapsed-time counter, so
// that the step timer loses nothing to rounding; frameMs is the rounded-down delta the rest of
// the frame runs on. The session says how much of either counts.
PlayFrame FrameDriver::playFrame(int32_t frameMs, int32_t elapsedMs) {
    Session& current = session();
    PlayFrame frame = current.playFrame(game.clock.lastFrameTime, elapsedMs, frameMs);
    const bool stepIsDue = gatherStepTime(game.clock.stepTimer, frame.stepMs, game.play.difficulty);
    if (game.play.emitter && game.play.emitter->isAlive()) {
        if (!frame.stands) {
            game.play.emitter->age(static_cast<int16_t>(frame.ageMs));
            game.play.emitter->update();
        }
        drawBurst(*game.play.emitter);
    }
    if (stepIsDue) {
        actOnStep(takeStep());
    }
    // Every frame starts the next measuring period; a frame whose time counted only in part
    // (one that stands, or that goes on from a wait) keeps the rate shown, which would
    // otherwise average over the stop.
    const double fps = sampleFps();
    if (frame.showsRate) {
        game.clock.shownFps = fps;
    }
    drawBackground(frame.pictureMs);
    drawGameScreen(game.play, frame.pictureMs, game.clock.shownFps);
    drawLabelAboveBoard(frame.label);
    drawNoticeOverBoard(frame.notice);
    return frame;
}

void FrameDriver::goOnDrawing() {
    standing_ = false;
    glutIdleFunc(drawFrame);
}

// A hidden window is looked at until it is shown; a standing picture, until the session says
// a frame is needed. A frame drawn meanwhile (an expose, a resize) that needs the next ends the
// standing.
void FrameDriver::lookAgain(int standing) {
    if (!standing_ || standing != looks_) {
        return;
    }
    keepKeyboardFocus();
    const int32_t now = glutGet(GLUT_ELAPSED_TIME);
    if (terminationRequested() ||
        (hiddenSince_ ? !windowHidden() : !session().pictureStandsAt(now))) {
        goOnDrawing();
        return;
    }
    glutTimerFunc(kLookMs, ::lookAgain, standing);
}

void FrameDriver::standStill() {
    if (!standing_) {
        standing_ = true;
        glutIdleFunc(nullptr);
        glutTimerFunc(kLookMs, ::lookAgain, ++looks_);
    }
}

// Rests after a swap as the pacing asks: until the next frame is due, never past a step while
// the picture gathers time toward one.
void FrameDriver::restAfterFrame(bool gathering) {
    if (pacer_.pacing() != Pacing::Rest) {
        return;
    }
    const int32_t now = glutGet(GLUT_ELAPSED_TIME);
    int32_t untilStep = INT32_MAX;
    if (gathering) {
        untilStep = static_cast<int32_t>(std::clamp<int64_t>(
            int64_t{stepThreshold(game.play.difficulty)} + 1 - std::max(game.clock.stepTimer, 0) -
                msBetween(game.clock.lastFrameTime, now),
            INT32_MIN, INT32_MAX));
    }
    const int32_t rest = pacer_.restBefore(now, untilStep);
    if (rest > 0) {
        restBetweenFrames(rest);
    }
}

// The frame after the window was hidden measures from the last frame drawn as if the time it
// was hidden had not passed: a replay goes on where it stood, the frame rate spans no stop, and
// a live game, told at once, waits and counts (the menus' background goes on with the clock).
void FrameDriver::showAgain() {
    const int32_t hiddenFor = msBetween(*hiddenSince_, glutGet(GLUT_ELAPSED_TIME));
    game.clock.lastFrameTime = msAfter(game.clock.lastFrameTime, hiddenFor);
    game.clock.lastFpsTime = msAfter(game.clock.lastFpsTime, hiddenFor);
    hiddenSince_.reset();
}

float frameDelta() {
    const int32_t now = glutGet(GLUT_ELAPSED_TIME);
    const double seconds = msBetween(game.clock.lastFrameTime, now) / 1000.0;
    game.clock.lastFrameTime = now;
    return static_cast<float>(seconds);
}

double sampleFps() {
    const int32_t now = glutGet(GLUT_ELAPSED_TIME);
    const double fps = game.clock.frameCount / (msBetween(game.clock.lastFpsTime, now) / 1000.0);
    game.clock.lastFpsTime = now;
    game.clock.frameCount = 0;
    return fps;
}

int32_t frameMilliseconds(float delta) {
    return static_cast<int32_t>(
        std::clamp(static_cast<double>(delta) * 1000.0, double{INT32_MIN}, double{INT32_MAX}));
}

void drawFrame() {
    shell().frames.draw();
}

void FrameDriver::draw() {
    // A terminate request ends the game the way Exit does, from here rather than from inside
    // the signal handler.
    if (terminationRequested()) {
        saveAndExit();
    }
    // Keys read by their position (layouts without Latin letters) arrive here, before the
    // keys queued during a pause stop being dropped.
    takeLayoutKeys(placeKeyDown, placeKeyUp);
    keepKeyboardFocus();
    // Keys queued during a crash pause have all been handled (dropped) before this frame.
    game.menus.discardPendingKeys = false;
    if (windowHidden()) {
        if (!hiddenSince_) {
            hiddenSince_ = glutGet(GLUT_ELAPSED_TIME);
            session().hidden();
        }
        standStill();
        return;
    }
    if (hiddenSince_) {
        showAgain();
    }
    const int32_t previousFrameTime = game.clock.lastFrameTime;
    const float delta = frameDelta();
    const int32_t elapsedMs = std::max(0, msBetween(previousFrameTime, game.clock.lastFrameTime));
    game.clock.elapsedTime = glutGet(GLUT_ELAPSED_TIME);
    const int32_t frameMs = frameMilliseconds(delta);
    game.menus.keyCooldown = static_cast<int32_t>(
        std::max<int64_t>(int64_t{game.menus.keyCooldown} - frameMs, kCooldownFloor));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    bool gathering = false;  // a play frame whose picture gathers time toward a step
    switch (game.menus.screen) {
        case MainMenu:
            drawBackground(game.clock.elapsedTime);
            drawMainMenu(game.menus);
            break;
        case Playing:
            gathering = !playFrame(frameMs, elapsedMs).stands;
            break;
        case HighScores:
            drawBackground(game.clock.elapsedTime);
            drawHighScoreScreen(game.menus, game.book);
            break;
        case Settings:
            drawBackground(game.clock.elapsedTime);
            drawSettingsScreen(game.menus, game.play);
            break;
        default:
            break;
    }
    glutSwapBuffers();
    ++game.clock.frameCount;
    session().afterSwap();
    if (session().pictureStandsAt(game.clock.elapsedTime)) {
        standStill();
        return;
    }
    if (standing_) {
        goOnDrawing();
    }
    restAfterFrame(gathering && game.menus.screen == Playing);
}

void actOnStep(const StepEvent& event) {
    switch (event.kind) {
        case StepEvent::Kind::Moved:
        case StepEvent::Kind::Ate:  // the step made its burst itself
            break;
        case StepEvent::Kind::Crashed:
        case StepEvent::Kind::GameOver: {
            // The frame that sleeps through the pause shows the rate of its drawing alone.
            const int32_t pauseFrom = glutGet(GLUT_ELAPSED_TIME);
            sleepMs(kCrashPauseMs);
            game.clock.lastFpsTime =
                msAfter(game.clock.lastFpsTime, msBetween(pauseFrom, glutGet(GLUT_ELAPSED_TIME)));
            // Keys pressed while the game stood still are stale: they must not steer the new
            // snake or work the high-score screen.
            game.menus.discardPendingKeys = true;
            if (event.kind == StepEvent::Kind::GameOver) {
                endGame();
            }
            break;
        }
    }
}

void setFramePacing(const FramePacer& pacer) {
    shell().frames = FrameDriver(pacer);  // frames come as GLUT calls them, until a picture stands
}
