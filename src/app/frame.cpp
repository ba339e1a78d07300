// The frame driver and its two timing samples.
#include "app/frame.h"
#include "render/particles_draw.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/elapsed_time.h"
#include "app/frame_pacing.h"
#include "app/game.h"
#include "app/keyboard.h"
#include "app/session.h"
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

FramePacer pacer;

// The last life is lost: the session does what game over does, "GAME OVER" is drawn into
// this frame.
void endGame() {
    session().gameOver();
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

// elapsedMs is the frame's exact length in whole milliseconds of the elapsed-time counter, so
// that the step timer loses nothing to rounding; frameMs is the rounded-down delta the rest of
// the frame runs on. The session says how much of either counts.
void playFrame(int32_t frameMs, int32_t elapsedMs) {
    Session& current = session();
    const PlayTime time = current.playTime(elapsedMs, frameMs);
    const bool frozen = current.frozen();
    const bool stepIsDue = gatherStepTime(game.clock.stepTimer, time.stepMs, game.play.difficulty);
    if (game.play.emitter && game.play.emitter->isAlive()) {
        if (!frozen) {
            game.play.emitter->age(static_cast<int16_t>(time.ageMs));
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
    if (!frozen && time.ageMs == frameMs) {
        game.clock.shownFps = fps;
    }
    drawBackground(time.pictureMs);
    drawGameScreen(game.play, time.pictureMs, game.clock.shownFps);
    drawLabelAboveBoard(current.label());
    drawNoticeOverBoard(current.notice());
}

// While the picture stands, GLUT calls no frame until one is needed: it looks a few times a
// second (a window that comes back, the count's next number, Escape, a terminate request).
// A frame drawn meanwhile (an expose, a resize) that needs the next ends the standing.
constexpr unsigned kLookMs = 100;
bool standing = false;
int looks = 0;  // numbers the standings, so that a look left from an earlier one does nothing

// A hidden window (unmapped, minimised) shows nothing: no frame is drawn for it, on any
// screen, and its time counts for nothing. Set by GLUT's window status callback.
bool windowHidden = false;
std::optional<int32_t> hiddenSince;  // when a frame found it hidden, until one is drawn again

void goOnDrawing() {
    standing = false;
    glutIdleFunc(drawFrame);
}

void lookAgain(int standingNumber) {
    if (!standing || standingNumber != looks) {
        return;
    }
    keepKeyboardFocus();
    const int32_t now = glutGet(GLUT_ELAPSED_TIME);
    if (terminationRequested() || (!windowHidden && !session().pictureStands(now))) {
        goOnDrawing();
        return;
    }
    glutTimerFunc(kLookMs, lookAgain, standingNumber);
}

void standStill() {
    if (!standing) {
        standing = true;
        glutIdleFunc(nullptr);
        glutTimerFunc(kLookMs, lookAgain, ++looks);
    }
}

// Rests after a swap as the pacing asks: until the next frame is due, never past a step.
void restAfterFrame() {
    if (pacer.pacing() != Pacing::Rest) {
        return;
    }
    const int32_t now = glutGet(GLUT_ELAPSED_TIME);
    // While playing, the next frame starts no later than the step falls due; a picture that
    // stands gathers no time toward it.
    int32_t untilStep = INT32_MAX;
    if (game.menus.screen == Playing && !session().frozen()) {
        untilStep = static_cast<int32_t>(std::clamp<int64_t>(
            int64_t{stepThreshold(game.play.difficulty)} + 1 - std::max(game.clock.stepTimer, 0) -
                msBetween(game.clock.lastFrameTime, now),
            INT32_MIN, INT32_MAX));
    }
    const int32_t rest = pacer.restBefore(now, untilStep);
    if (rest > 0) {
        restBetweenFrames(rest);
    }
}

// The frame after the window was hidden measures from the last frame drawn as if the time it
// was hidden had not passed: a replay goes on where it stood, the frame rate spans no stop, and
// a live game, told at once, waits and counts (the menus' background goes on with the clock).
void showAgain() {
    const int32_t hiddenFor = msBetween(*hiddenSince, glutGet(GLUT_ELAPSED_TIME));
    game.clock.lastFrameTime = msAfter(game.clock.lastFrameTime, hiddenFor);
    game.clock.lastFpsTime = msAfter(game.clock.lastFpsTime, hiddenFor);
    hiddenSince.reset();
}

}  // namespace

void noteWindowStatus(int status) {
    windowHidden = status == GLUT_HIDDEN;
    if (!windowHidden && hiddenSince && standing) {
        goOnDrawing();  // at once, rather than at the next look
    }
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
    if (windowHidden) {
        if (!hiddenSince) {
            hiddenSince = glutGet(GLUT_ELAPSED_TIME);
            session().hidden();
        }
        standStill();
        return;
    }
    if (hiddenSince) {
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
    switch (game.menus.screen) {
        case MainMenu:
            drawBackground(game.clock.elapsedTime);
            drawMainMenu(game.menus);
            break;
        case Playing:
            playFrame(frameMs, elapsedMs);
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
    if (session().pictureStands(game.clock.elapsedTime)) {
        standStill();
        return;
    }
    if (standing) {
        goOnDrawing();
    }
    restAfterFrame();
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

void setFramePacing(const FramePacer& framePacer) {
    pacer = framePacer;
    standing = false;  // frames come as GLUT calls them, until a picture stands
    hiddenSince.reset();
}
