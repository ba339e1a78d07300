// The frame driver's timing: single-precision frame deltas, the step threshold, the cooldown
// and the frame-rate sample.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/frame_pacing.h"
#include "app/keyboard.h"
#include "app/live_session.h"
#include "app/playback_session.h"
#include "app/shell.h"
#include "fake_gl.h"
#include "fake_platform.h"
#include "game/pace.h"
#include "game/particles.h"
#include "game/random.h"
#include "game_test.h"
#include "render/gl.h"
#include "render/scene.h"

namespace {

// GLUT's elapsed-time counter, an int, passes INT32_MAX and goes on from INT32_MIN here.
constexpr int64_t kWrap = int64_t{1} << 31;

class Frame : public GameTest {
protected:
    // A fresh start-up state whose clock reads ms (since glutInit): the frame driver's samples
    // are taken there, as if the game had been running that long.
    void clockAt(int64_t ms) {
        resetShell();
        now = ms;
        fakegl::setElapsedTime(now);
        game.clock.lastFrameTime = game.clock.lastFpsTime = fakegl::elapsedTime();
    }

    // Runs one frame that ends `ms` after the previous one.
    void frameAfter(int ms) {
        now += ms;
        fakegl::setElapsedTime(now);
        testing::internal::CaptureStdout();
        drawFrame();
        testing::internal::GetCapturedStdout();
    }

    // Starts a game and notes each step by the head's moves, on an empty board in front.
    void play(int16_t difficulty) {
        game.play.difficulty = difficulty;
        startTestGame();
        for (int k = 1; k <= kBerryCount; ++k) {
            game.play.board.at(game.play.berries[k]->x(), game.play.berries[k]->y()) = kEmpty;
        }
    }

    int64_t now = 0;
};

}  // namespace

TEST(FrameMs, TruncatesTheSinglePrecisionDelta) {
    for (const auto& [ms, expected] : std::vector<std::pair<int, int>>{
             {33, 32}, {40, 39}, {120, 119}, {16, 16}, {17, 17}, {34, 34}, {50, 50}, {100, 100}}) {
        EXPECT_EQ(frameMilliseconds(static_cast<float>(ms / 1000.0)), expected) << ms << " ms";
    }
}

TEST_F(Frame, FrameDeltaMeasuresFromThePreviousCall) {
    fakegl::setElapsedTime(250);
    EXPECT_FLOAT_EQ(frameDelta(), 0.25f);
    fakegl::setElapsedTime(283);
    EXPECT_FLOAT_EQ(frameDelta(), 0.033f);
    EXPECT_EQ(game.clock.lastFrameTime, 283);
    fakegl::setElapsedTime(kWrap - 10);
    frameDelta();
    fakegl::setElapsedTime(kWrap + 23);
    EXPECT_FLOAT_EQ(frameDelta(), 0.033f);
}

// Also across the wrap of GLUT's counter, which falls in the fourth frame.
TEST_F(Frame, SeventeenMsFramesAtDifficultyTwoStepOnTheEighth) {
    for (const int64_t start : {int64_t{0}, kWrap - 60}) {
        SCOPED_TRACE(start);
        clockAt(start);
        play(2);
        for (int i = 1; i <= 7; ++i) {
            frameAfter(17);
            EXPECT_EQ(game.play.snakeFirst->y, kSpawnY) << "frame " << i;
        }
        EXPECT_EQ(game.clock.stepTimer, 119);
        frameAfter(17);
        EXPECT_EQ(game.play.snakeFirst->y, kSpawnY + 1);
        EXPECT_EQ(game.clock.stepTimer, 16);  // the time the step was late is carried
    }
}

TEST_F(Frame, FramesAsLongAsAStepStepEveryFrameOnceTheTimerFills) {
    play(4);
    frameAfter(40);
    EXPECT_EQ(game.play.snakeFirst->y, kSpawnY);  // 40 ms is not more than 40
    for (int i = 1; i <= 3; ++i) {
        frameAfter(40);
        EXPECT_EQ(game.play.snakeFirst->y, kSpawnY + i);
    }
}

// Frames 16 or 17 ms apart, as a 60 Hz display with vsync gives them: the steps come at the
// intended average interval at every difficulty, never two in one frame.
TEST_F(Frame, AtSixtyHertzStepsKeepTheirIntendedPace) {
    for (int16_t difficulty = 1; difficulty <= 4; ++difficulty) {
        play(difficulty);
        const int start = now;
        int steps = 0;
        for (int frame = 1; frame <= 600; ++frame) {
            const int before = game.play.snakeFirst->y;
            frameAfter(frame % 3 == 0 ? 16 : 17);
            constexpr int kSpan = kFieldLast - kFieldFirst + 1;  // the wall passes the head over
            const int moved = (game.play.snakeFirst->y - before + kSpan) % kSpan;
            ASSERT_LE(moved, 1) << "two steps in one frame";
            steps += moved;
        }
        const double interval = double(now - start) / steps;
        EXPECT_NEAR(interval, stepThreshold(difficulty), 0.02 * stepThreshold(difficulty))
            << "difficulty " << difficulty;
    }
}

TEST_F(Frame, AStallIsNotFollowedByABurstOfSteps) {
    play(4);
    frameAfter(1000);
    EXPECT_EQ(game.play.snakeFirst->y, kSpawnY + 1);
    frameAfter(16);
    frameAfter(16);
    EXPECT_EQ(game.play.snakeFirst->y, kSpawnY + 1);
    frameAfter(16);
    EXPECT_EQ(game.play.snakeFirst->y, kSpawnY + 2);
}

// Time gathered on a slow difficulty and left behind by Escape counts toward the first step of
// a faster game, but it never brings a run of steps on consecutive frames.
TEST_F(Frame, TimeLeftFromASlowerGameBringsAtMostOneEarlyStep) {
    play(1);
    for (int i = 0; i < 9; ++i) {
        frameAfter(17);
    }
    ASSERT_EQ(game.clock.stepTimer, 153);
    keyDown(kKeyEscape, 0, 0);
    play(4);
    const int start = now;
    std::vector<int> stepTimes;
    while (stepTimes.size() < 100) {
        const int before = game.play.snakeFirst->y;
        frameAfter(stepTimes.size() % 3 == 0 ? 16 : 17);
        if (game.play.snakeFirst->y != before) {
            stepTimes.push_back(now);
        }
    }
    EXPECT_LT(
        std::count_if(stepTimes.begin(), stepTimes.end(), [&](int t) { return t - start < 40; }),
        2);
    EXPECT_GE(stepTimes[1] - stepTimes[0], 33);  // two frames, not back to back
    EXPECT_NEAR(double(stepTimes.back() - stepTimes[1]) / 98, 40.0, 0.8);
}

// The frame that draws "GAME OVER" stays on screen for a second once swapped, and keys pressed
// meanwhile never reach the high scores.
TEST_F(Frame, GameOverIsHeldOnScreenAndKeysDuringItAreDropped) {
    play(2);
    game.play.lives = 1;
    laySnake({{5, 5}, {5, 6}, {6, 6}, {6, 5}, {6, 4}}, 'd');
    game.play.nextDirection = 'w';
    fakegl::reset();
    frameAfter(200);
    ASSERT_EQ(game.menus.screen, HighScores);
    const auto texts = fakegl::strokeTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "GAME OVER"), texts.end());
    EXPECT_EQ(fakeplatform::sleeps(), (std::vector<int32_t>{1000, 1000}));
    EXPECT_EQ(fakeplatform::pausedAfter().back(), "glutSwapBuffers");
    keyDown('s', 0, 0);
    EXPECT_EQ(game.menus.menuCursor, 1);
    frameAfter(16);
    keyDown('s', 0, 0);
    EXPECT_EQ(game.menus.menuCursor, 2);
}

// Keys read by their place arrive with the next frame, and those from a pause are dropped as
// GLUT's own are.
TEST_F(Frame, KeysReadByTheirPlaceArriveAtTheNextFrame) {
    game.menus.discardPendingKeys = true;
    fakeplatform::layoutKeys = {{'s', true}, {'s', false}};
    frameAfter(16);
    EXPECT_EQ(game.menus.menuCursor, 1);
    fakeplatform::layoutKeys = {{'s', true}, {'s', false}, {'S', true}};
    frameAfter(16);
    EXPECT_EQ(game.menus.menuCursor, 2);
}

TEST_F(Frame, ALongFrameStepsOnceAndEmptiesTheTimer) {
    play(2);
    frameAfter(1000);
    EXPECT_EQ(game.play.snakeFirst->y, kSpawnY + 1);
    EXPECT_EQ(game.clock.stepTimer, 0);
}

TEST_F(Frame, ATimerEqualToTheThresholdDoesNotStep) {
    play(2);
    game.clock.stepTimer = 104;
    frameAfter(16);
    EXPECT_EQ(game.clock.stepTimer, 120);
    EXPECT_EQ(game.play.snakeFirst->y, kSpawnY);
    frameAfter(1);
    EXPECT_EQ(game.play.snakeFirst->y, kSpawnY + 1);
}

TEST_F(Frame, CooldownCountsDownOnEveryScreenAndStopsAtAFloor) {
    for (const int16_t screen : {MainMenu, HighScores, Settings}) {
        game.menus.screen = screen;
        game.menus.keyCooldown = 400;
        frameAfter(100);
        EXPECT_EQ(game.menus.keyCooldown, 300) << "screen " << screen;
    }
    play(2);
    game.menus.keyCooldown = 50;
    frameAfter(100);
    EXPECT_EQ(game.menus.keyCooldown, -50);

    game.menus.screen = MainMenu;
    game.menus.keyCooldown = kCooldownFloor + 10;
    frameAfter(1000);
    EXPECT_EQ(game.menus.keyCooldown, kCooldownFloor);
}

TEST_F(Frame, SampleFpsIsInfiniteForAZeroInterval) {
    fakegl::setElapsedTime(100);
    game.clock.frameCount = 5;
    EXPECT_DOUBLE_EQ(sampleFps(), 50.0);
    EXPECT_EQ(game.clock.frameCount, 0);
    game.clock.frameCount = 1;
    const double fps = sampleFps();
    EXPECT_TRUE(std::isinf(fps) && fps > 0);
}

TEST_F(Frame, MenuFramesDrawBackgroundAndScreenBetweenClearAndSwap) {
    frameAfter(16);
    const auto& calls = fakegl::calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls.front().name, "glClear");
    EXPECT_EQ(calls.front().args.at(0), GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    EXPECT_EQ(calls.back().name, "glutSwapBuffers");
    EXPECT_EQ(fakegl::countOf("glBegin"), 1u);  // the background's lines
    EXPECT_EQ(fakegl::strokeTexts().front(), ".o0[ ORVEL ]0o.");
    EXPECT_EQ(game.clock.frameCount, 1);
    EXPECT_EQ(game.clock.elapsedTime, 16);
}

TEST_F(Frame, TheNewGameBurstIsRunUntilItsLifeIsUsedUp) {
    play(1);
    game.clock.stepTimer = -100000;  // no step, so no berry can replace the burst
    frameAfter(300);                 // life 200
    EXPECT_EQ(fakegl::countOf("glPointSize"), 1u);
    frameAfter(201);  // would fall below zero: dies, but still moves and draws this frame
    EXPECT_FALSE(game.play.emitter->isAlive());
    EXPECT_EQ(fakegl::countOf("glPointSize"), 2u);
    frameAfter(16);
    EXPECT_EQ(fakegl::countOf("glPointSize"), 2u);
}

// Where swaps don't wait for the display, the driver rests to about 60 frames a second, but
// never past the moment a step falls due.
TEST_F(Frame, RestsToTheDisplayRateButNeverPastAStep) {
    setFramePacing(FramePacer(Pacing::Rest, 60));
    frameAfter(5);
    frameAfter(5);
    ASSERT_EQ(fakeplatform::rests().size(), 2u);
    EXPECT_GE(fakeplatform::rests().back(), 15);
    play(4);
    game.clock.stepTimer = 30;
    frameAfter(5);  // 35 gathered: the step is due 6 ms from now
    EXPECT_EQ(fakeplatform::rests().back(), 6);
}

// A live game waits while its window can't be played, and counts no time for it.
class Waiting : public Frame {
protected:
    // The picture of one frame `ms` after the previous one: its calls up to the swap.
    std::vector<std::string> framedAfter(int ms) {
        fakegl::reset();
        fakegl::setElapsedTime(now);
        frameAfter(ms);
        std::vector<std::string> calls = fakegl::callStrings();
        calls.erase(std::find(calls.begin(), calls.end(), "glutSwapBuffers()"), calls.end());
        return calls;
    }
    std::string notice() {
        const auto texts = fakegl::strokeTexts();
        return texts.size() > 4 ? texts.back() : "";  // after score, lives, rate and credit
    }
    // The wait's notice stands over the board's middle in the game's large text, drawn after
    // everything else: only lighting going back on follows it.
    void expectNoticeOverTheBoard() {
        const std::vector<fakegl::Call>& calls = fakegl::calls();
        size_t text = calls.size();
        while (text > 0 && calls[text - 1].name != "glLoadIdentity") {
            --text;
        }
        ASSERT_GT(text, 0u);
        ASSERT_EQ(calls.at(text + 1).name, "glTranslatef");
        ASSERT_EQ(calls.at(text + 2).name, "glScalef");
        const double x = calls[text + 1].args[0];
        const double y = calls[text + 1].args[1];
        const double scale = calls[text + 2].args[0];
        EXPECT_GE(scale, 0.006);  // GAME OVER's size
        const double width = fakegl::kStrokeWidth * scale * static_cast<double>(notice().size());
        const double middle = (boardToWorld(1) + boardToWorld(kBoardSize)) / 2 * 10 / 15;
        EXPECT_LT(x, middle);
        EXPECT_GT(x + width, middle);
        EXPECT_LT(y, middle);
        EXPECT_GT(y + fakegl::kStrokeWidth * scale, middle);  // capitals and digits as high
        const auto swap =
            std::find_if(calls.begin() + static_cast<std::ptrdiff_t>(text), calls.end(),
                         [](const fakegl::Call& call) { return call.name == "glutSwapBuffers"; });
        ASSERT_NE(swap, calls.end());
        EXPECT_EQ((swap - 1)->str(), "glEnable(2896)");  // GL_LIGHTING
    }
    // Starts a game with a live burst and 50 ms on the step timer.
    void playWithBurst() {
        play(2);
        game.play.emitter = std::make_unique<ParticleEmitter>(10, 10);
        frameAfter(50);
        ASSERT_EQ(game.clock.stepTimer, 50);
    }
};

// Also with the count straddling the wrap of GLUT's counter.
TEST_F(Waiting, NothingMovesWhileTheWindowIsAwayAndGoingOnCountsNoTimeFromTheStop) {
    for (const int64_t start : {int64_t{0}, kWrap - 7600}) {  // the wrap between "1" and the end
        SCOPED_TRACE(start);
        clockAt(start);
        playWithBurst();
        const int16_t life = game.play.emitter->life();
        const double particleX = game.play.emitter->particles().front().x();
        fakeplatform::hasKeys = false;
        const auto first = framedAfter(16);
        EXPECT_EQ(notice(), "PAUSED");
        expectNoticeOverTheBoard();
        EXPECT_EQ(framedAfter(5000), first);  // the picture stands: background, spheres, rate
        EXPECT_EQ(game.clock.stepTimer, 50);
        EXPECT_EQ(game.play.snakeFirst->y, kSpawnY);
        EXPECT_EQ(game.play.emitter->life(), life);
        EXPECT_EQ(game.play.emitter->particles().front().x(), particleX);

        fakeplatform::hasKeys = true;
        for (const char* shown : {"3", "2", "1"}) {
            framedAfter(shown[0] == '3' ? 16 : kCountStepMs);
            EXPECT_EQ(notice(), shown);
            expectNoticeOverTheBoard();
            EXPECT_EQ(game.clock.stepTimer, 50);
        }
        framedAfter(kCountStepMs + 10);  // the count ended 10 ms ago
        EXPECT_EQ(notice(), "");
        EXPECT_EQ(game.clock.stepTimer, 60);
        EXPECT_EQ(game.play.emitter->life(), life - 10);
        EXPECT_EQ(game.play.snakeFirst->y, kSpawnY);
        frameAfter(61);
        EXPECT_EQ(game.play.snakeFirst->y, kSpawnY + 1);
    }
}

// Nor over a crash pause: the frame that slept through it shows the rate of its drawing, and so
// does a wait that begins after it.
TEST_F(Waiting, TheRateShownIsNotAveragedOverTheWaitNorOverACrashPause) {
    playWithBurst();
    frameAfter(20);
    EXPECT_DOUBLE_EQ(game.clock.shownFps, 50.0);
    laySnake({{5, 5}, {5, 6}, {6, 6}, {6, 5}, {6, 4}}, 'd');  // turning up runs into the body
    game.play.nextDirection = 'w';
    game.clock.stepTimer = 110;
    fakeplatform::sleepsTakeTime = true;
    frameAfter(20);  // the step crashes: a second's pause on the clock
    now += kCrashPauseMs;
    ASSERT_EQ(game.play.lives, 2);
    EXPECT_DOUBLE_EQ(game.clock.shownFps, 50.0);
    fakeplatform::hasKeys = false;
    frameAfter(16);
    frameAfter(5000);
    fakeplatform::hasKeys = true;
    frameAfter(16);
    frameAfter(3 * kCountStepMs + 10);  // goes on 10 ms into this frame
    EXPECT_DOUBLE_EQ(game.clock.shownFps, 50.0);
    frameAfter(25);
    EXPECT_DOUBLE_EQ(game.clock.shownFps, 40.0);
}

// Hidden counts as away, and no frame is drawn for it; the count starts again when the window
// goes meanwhile, its keys or the window itself.
TEST_F(Waiting, TheCountStartsAgainIfTheWindowGoesMeanwhile) {
    playWithBurst();
    for (const bool keys : {false, true}) {
        fakeplatform::hidden = true;
        framedAfter(16);
        EXPECT_EQ(fakegl::countOf("glClear"), 0u);
        fakeplatform::hidden = false;
        framedAfter(16);
        EXPECT_EQ(notice(), "3");
        framedAfter(kCountStepMs);
        EXPECT_EQ(notice(), "2");
        fakeplatform::hasKeys = keys;
        framedAfter(16);
        EXPECT_EQ(notice(), keys ? "2" : "PAUSED");
        fakeplatform::hasKeys = true;
    }
    framedAfter(16);
    EXPECT_EQ(notice(), "2");
    fakeplatform::hidden = true;
    framedAfter(16);
    fakeplatform::hidden = false;
    framedAfter(16);
    EXPECT_EQ(notice(), "3");
    framedAfter(3 * kCountStepMs - 1);
    EXPECT_EQ(notice(), "1");
    EXPECT_EQ(game.clock.stepTimer, 50);
}

// Another program's keyboard grab (a hotkey held) stands the game without a word, frames going
// on so that its end is seen at once: one shorter than kShortGrabMs costs nothing more, a longer
// one is a wait like any other, and one during the count leaves the count alone but never lets
// the game go on before it ends.
TEST_F(Waiting, AShortKeyboardGrabCostsNothing) {
    playWithBurst();
    fakeplatform::grabbed = true;
    framedAfter(16);
    framedAfter(kShortGrabMs - 1);
    EXPECT_EQ(notice(), "");
    EXPECT_EQ(game.clock.stepTimer, 50);
    EXPECT_EQ(fakegl::countOf("glutIdleFunc"), 0u);
    fakeplatform::grabbed = false;
    framedAfter(16);
    EXPECT_EQ(notice(), "");
    frameAfter(71);  // 121 ms gathered in all: a step at once
    EXPECT_EQ(game.play.snakeFirst->y, kSpawnY + 1);

    fakeplatform::grabbed = true;
    framedAfter(16);
    framedAfter(kShortGrabMs);
    EXPECT_EQ(notice(), "PAUSED");
    fakeplatform::grabbed = false;
    framedAfter(16);
    EXPECT_EQ(notice(), "3");
    framedAfter(2 * kCountStepMs + 500);
    fakeplatform::grabbed = true;
    framedAfter(16);
    EXPECT_EQ(notice(), "1");
    framedAfter(kCountStepMs / 2);  // the count is over, the grab short
    EXPECT_EQ(notice(), "");
    const int32_t timer = game.clock.stepTimer;
    fakeplatform::grabbed = false;
    framedAfter(16);
    EXPECT_EQ(game.clock.stepTimer, timer);
    frameAfter(stepThreshold(2) + 1 - timer);
    EXPECT_EQ(game.play.snakeFirst->y, kSpawnY + 2);
}

// A turn asked for during the count is taken at the first step after it; Escape leaves.
TEST_F(Waiting, KeysKeepTheirEffects) {
    playWithBurst();
    fakeplatform::hasKeys = false;
    frameAfter(16);
    fakeplatform::hasKeys = true;
    frameAfter(16);
    keyDown('a', 0, 0);
    frameAfter(3 * kCountStepMs + 200);  // the count ends 200 ms into this frame: a step
    EXPECT_EQ(game.play.snakeFirst->x, kSpawnX - 1);
    EXPECT_EQ(game.play.snakeFirst->y, kSpawnY);

    fakeplatform::hasKeys = false;
    frameAfter(16);
    keyDown(kKeyEscape, 0, 0);
    EXPECT_EQ(game.menus.screen, MainMenu);
}

// A waiting game draws only when it must: GLUT calls no frame while the picture stands, and
// the driver keeps one look pending until the window is back. Menus never wait, but a hidden
// window draws nothing on any screen until the platform says it is shown again.
TEST_F(Waiting, AStandingPictureIsNotDrawnAgain) {
    glutIdleFunc(drawFrame);  // as start-up leaves it
    fakeplatform::hasKeys = false;
    frameAfter(16);
    EXPECT_TRUE(fakegl::idleSet());  // the main menu
    EXPECT_EQ(fakegl::timersPending(), 0u);
    fakeplatform::hasKeys = true;
    fakeplatform::hidden = true;
    frameAfter(16);
    fakegl::runTimers();
    EXPECT_EQ(fakegl::countOf("glClear"), 1u);  // the first frame's alone
    EXPECT_FALSE(fakegl::idleSet());
    EXPECT_EQ(fakegl::timersPending(), 1u);
    fakeplatform::hidden = false;
    fakegl::runTimers();
    EXPECT_TRUE(fakegl::idleSet());
    frameAfter(16);
    EXPECT_EQ(fakegl::countOf("glClear"), 2u);
    fakegl::forgetCalls();
    playWithBurst();
    fakeplatform::hasKeys = false;
    frameAfter(16);
    EXPECT_FALSE(fakegl::idleSet());
    fakegl::runTimers();
    EXPECT_FALSE(fakegl::idleSet());
    EXPECT_EQ(fakegl::timersPending(), 1u);  // each look that finds it standing sets the next
    fakeplatform::hasKeys = true;
    fakegl::runTimers();
    EXPECT_TRUE(fakegl::idleSet());
    EXPECT_EQ(fakegl::timersPending(), 0u);
    frameAfter(16);  // "3": stands for a second
    EXPECT_FALSE(fakegl::idleSet());
    fakegl::setElapsedTime(now + kCountStepMs);
    fakegl::runTimers();
    EXPECT_TRUE(fakegl::idleSet());
}

// A recording played back in the window, its end caught instead of ending the process.
class Replaying : public Frame {
protected:
    static void noteEnd(int status) { endedWith = status; }

    // Plays replay from its New Game; nothing of it is drawn yet.
    void playBack(const Replay& replay) {
        endedWith = -1;
        testing::internal::CaptureStdout();
        useSession(playbackSession(replay, "r.orvel-replay", noteEnd));
        session().begin();
        testing::internal::GetCapturedStdout();
    }

    // Frames `ms` apart until the playback ends (at most `frames`); the last line written.
    std::string playToTheEnd(int ms, int frames = 100) {
        testing::internal::CaptureStdout();
        for (int i = 0; i < frames && endedWith < 0; ++i) {
            now += ms;
            fakegl::setElapsedTime(now);
            drawFrame();
        }
        std::string output = testing::internal::GetCapturedStdout();
        output.pop_back();
        return output.substr(output.rfind('\n') + 1);
    }

    static Replay recorded(int32_t steps) {
        seedRandom(7);
        Play play;
        return recordGame(play, {{2, 'a'}}, steps);
    }

    static inline int endedWith = -1;
};

// Space stands the whole picture and its steps still, f plays four times as fast; the line
// above the board says which.
TEST_F(Replaying, SpacePausesTheWholePictureAndFPlaysFourTimesAsFast) {
    playBack(recorded(20));
    game.play.emitter = std::make_unique<ParticleEmitter>(10, 10);
    frameAfter(50);
    ASSERT_EQ(game.clock.stepTimer, 50);
    keyDown(' ', 0, 0);
    fakegl::reset();
    frameAfter(16);
    const auto texts = fakegl::strokeTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "PAUSED"), texts.end());
    const int16_t life = game.play.emitter->life();
    const auto paused = fakegl::callStrings();
    fakegl::reset();
    frameAfter(5000);
    EXPECT_EQ(fakegl::callStrings(), paused);  // the background, spheres, burst and rate
    EXPECT_EQ(game.clock.stepTimer, 50);
    EXPECT_EQ(game.play.emitter->life(), life);

    keyDown(' ', 0, 0);
    keyDown('f', 0, 0);
    fakegl::reset();
    frameAfter(16);
    EXPECT_EQ(game.clock.stepTimer, 114);
    EXPECT_EQ(fakegl::strokeTexts().back(), "REPLAY 4x");
    EXPECT_EQ(game.play.emitter->life(), life - 16);  // the burst keeps the window's time
    keyDown('f', 0, 0);
    frameAfter(5);
    EXPECT_EQ(game.clock.stepTimer, 119);
    EXPECT_EQ(game.menus.screen, Playing);  // the keys are the replay's alone
}

// At its end the last picture holds two seconds, one line gives the verdict, and the process
// ends: 0 when it matched, 4 when it did not; Escape stops it where it is, with 0.
TEST_F(Replaying, TheEndHoldsTheLastPictureAndSaysWhetherItMatched) {
    const Replay replay = recorded(6);
    playBack(replay);
    EXPECT_EQ(playToTheEnd(50), "replay r.orvel-replay matches: score " +
                                    std::to_string(replay.score) + " in 6 steps");
    EXPECT_EQ(endedWith, 0);
    EXPECT_EQ(fakeplatform::sleeps().back(), 2000);
    EXPECT_EQ(fakeplatform::pausedAfter().back(), "glutSwapBuffers");

    Replay changed = replay;
    changed.turns.front().heading = 'd';
    playBack(changed);
    EXPECT_EQ(playToTheEnd(50).rfind("replay r.orvel-replay does not match: it leaves the "
                                     "recording after step 0, by step 6",
                                     0),
              0u);
    EXPECT_EQ(endedWith, 4);

    playBack(replay);
    frameAfter(130);
    testing::internal::CaptureStdout();
    keyDown(kKeyEscape, 0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "replay r.orvel-replay stopped at step 1 of 6\n");
    EXPECT_EQ(endedWith, 0);
}

// A replay stands still while its window is hidden, and goes on where it stood.
TEST_F(Replaying, AHiddenWindowStandsStill) {
    playBack(recorded(100));
    frameAfter(100);
    fakeplatform::hidden = true;
    frameAfter(16);
    frameAfter(60000);
    fakeplatform::hidden = false;
    frameAfter(4);
    EXPECT_EQ(game.clock.stepTimer, 116);  // the 16 ms before the window was found hidden
    EXPECT_EQ(game.play.snakeFirst->y, kSpawnY);
    frameAfter(5);
    EXPECT_EQ(game.play.snakeFirst->y, kSpawnY + 1);
}
