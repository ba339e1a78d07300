// The frame driver and its two timing samples.
#include "app/frame.h"

#include <algorithm>
#include <cstdint>

#include "app/game_state.h"
#include "app/keyboard.h"
#include "game/collisions.h"
#include "game/step.h"
#include "platform/process.h"
#include "render/game_screen.h"
#include "render/gl.h"
#include "render/menu_screens.h"
#include "render/scene.h"

namespace {

void playFrame(int32_t frameMs) {
    game.stepTimer =
        static_cast<int32_t>(std::min<int64_t>(int64_t{game.stepTimer} + frameMs, INT32_MAX));
    if (game.emitter && game.emitter->isAlive()) {
        game.emitter->age(static_cast<int16_t>(frameMs));
        game.emitter->update();
        game.emitter->draw();
    }
    // Reset rather than reduced: the overshoot is dropped, so no frame steps twice.
    if (game.stepTimer > stepThreshold(game.difficulty)) {
        game.stepTimer = 0;
        stepSnake();
        refreshBoard();
    }
    drawBackground();
    drawGameScreen(game.elapsedTime);
}

}  // namespace

float frameDelta() {
    const int32_t now = glutGet(GLUT_ELAPSED_TIME);
    const double seconds = (static_cast<double>(now) - game.lastFrameTime) / 1000;
    game.lastFrameTime = now;
    return static_cast<float>(seconds);
}

double sampleFps() {
    const int32_t now = glutGet(GLUT_ELAPSED_TIME);
    const double fps = game.frameCount / ((static_cast<double>(now) - game.lastFpsTime) / 1000);
    game.lastFpsTime = now;
    game.frameCount = 0;
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
    // Keys queued during a crash pause have all been handled (dropped) before this frame.
    game.discardPendingKeys = false;
    const float delta = frameDelta();
    game.elapsedTime = glutGet(GLUT_ELAPSED_TIME);
    const int32_t frameMs = frameMilliseconds(delta);
    game.keyCooldown = static_cast<int32_t>(
        std::max<int64_t>(int64_t{game.keyCooldown} - frameMs, kCooldownFloor));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    switch (game.screen) {
        case MainMenu:
            drawBackground();
            drawMainMenu();
            break;
        case Playing:
            playFrame(frameMs);
            break;
        case HighScores:
            drawBackground();
            drawHighScoreScreen();
            break;
        case Settings:
            drawBackground();
            drawSettingsScreen();
            break;
        default:
            break;
    }
    glutSwapBuffers();
    ++game.frameCount;
}
