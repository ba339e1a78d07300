// The live game's session: the table, recording, game over, and the wait while the window is
// away.
#include "app/live_session.h"

#include <algorithm>
#include <optional>
#include <string>

#include "app/elapsed_time.h"
#include "app/game.h"
#include "app/game_recorder.h"
#include "app/high_score_file.h"
#include "game/pace.h"
#include "platform/clock.h"
#include "platform/window_system.h"

namespace {

constexpr int32_t kCountFrom = 3;
constexpr int32_t kCountMs = kCountFrom * kCountStepMs;

class LiveSession final : public Session {
public:
    // The table is opened (created where there is none) and loaded before the display, and
    // what killed recordings left is removed.
    void begin() override {
        openOrCreateHighScoreFile();
        loadHighScores();
        recorder_.tidyFolder();
    }

    const char* windowTitle() const override { return nullptr; }

    bool keepsTable() const override { return true; }

    // A waiting game gathers nothing and shows its notice; the frame that goes on from a wait
    // counts only the time after the count, and keeps the rate shown.
    PlayFrame playFrame(int32_t now, int32_t elapsedMs, int32_t frameMs) override {
        follow(now);
        PlayFrame frame;
        if (waiting_ != Waiting::No) {
            shownNotice_ = labelAt(now);
            frame.pictureMs = pictureMs_;
            frame.stands = true;
            frame.showsRate = false;
            frame.notice = shownNotice_;
            return frame;
        }
        frame.stepMs = elapsedMs;
        frame.ageMs = frameMs;
        if (wentOnAt_) {
            // The count ended since the previous frame: only the time after it counts.
            frame.stepMs = std::clamp(msBetween(*wentOnAt_, now), 0, elapsedMs);
            frame.ageMs = std::min(frameMs, frame.stepMs);
            frame.showsRate = frame.ageMs == frameMs;  // the burst aged the whole frame
            wentOnAt_.reset();
        }
        playedUntil_ = now;
        shownNotice_.clear();
        pictureMs_ = msAfter(game.clock.elapsedTime, -waitedMs_);
        frame.pictureMs = pictureMs_;
        return frame;
    }

    void beforeStep() override { recorder_.beforeStep(game.play); }

    void afterStep(const StepEvent&) override { recorder_.afterStep(game.play); }

    // At game over a good score enters the table, which is saved at once so that the result
    // survives however the game ends; the high scores follow the held "GAME OVER".
    void gameEnds(GameEnd why) override {
        recorder_.end(game.play, why);
        if (why == GameEnd::GameOver) {
            enterResult({std::string("Player 1 - ") + difficultyNames.at(game.play.difficulty),
                         game.play.score});
            game.menus.screen = HighScores;
            holdGameOver_ = true;
        }
    }

    // The player reads "GAME OVER" before the high scores replace it; keys pressed meanwhile
    // are dropped with those of the crash pause before it.
    void afterSwap() override {
        if (holdGameOver_) {
            holdGameOver_ = false;
            sleepMs(kGameOverHoldMs);
        }
    }

    bool takeAction(Action) override { return false; }

    void gameStarted() override {
        recorder_.begin(game.play);
        waiting_ = Waiting::No;
        wentOnAt_.reset();
        waitedMs_ = 0;
        playedUntil_ = game.clock.lastFrameTime;
        pictureMs_ = game.clock.elapsedTime;
        shownNotice_.clear();
        grabbedSince_.reset();
    }

    // A short grab's frames go on, so that its end, or its turning long, is seen at once.
    bool pictureStandsAt(int32_t now) override {
        if (game.menus.screen != Playing || waiting_ == Waiting::No) {
            return false;
        }
        follow(now);
        return waiting_ != Waiting::No && !(grabbedSince_ && waiting_ != Waiting::Stopped) &&
               labelAt(now) == shownNotice_;
    }

    // A game hidden waits: shown again, it counts.
    void hidden() override {
        if (game.menus.screen == Playing) {
            waiting_ = Waiting::Stopped;
        }
    }

private:
    // Held: another program's grab holds the keyboard, for less than kShortGrabMs so far: the
    // game stands and shows nothing.
    enum class Waiting { No, Held, Stopped, Counting };

    // Moves the wait on to what the window and the clock say at now.
    void follow(int32_t now) {
        const KeysGo keys = whereKeysGo();
        if (keys != KeysGo::ToGrab) {
            grabbedSince_.reset();
        } else if (!grabbedSince_) {
            grabbedSince_ = now;
        }
        if (keys == KeysGo::Elsewhere ||
            (grabbedSince_ && msBetween(*grabbedSince_, now) >= kShortGrabMs)) {
            waiting_ = Waiting::Stopped;  // stops the game, or the count to start again
            return;
        }
        const bool countOver =
            waiting_ == Waiting::Counting && msBetween(countFrom_, now) >= kCountMs;
        if (keys == KeysGo::ToGrab) {
            // The count goes on beneath a short grab, but the game goes on only after both.
            if (waiting_ == Waiting::No || countOver) {
                waiting_ = Waiting::Held;
            }
            return;
        }
        if (waiting_ == Waiting::Held) {
            goOn(now);
        } else if (waiting_ == Waiting::Stopped) {
            waiting_ = Waiting::Counting;
            countFrom_ = now;
        } else if (countOver) {
            goOn(msAfter(countFrom_, kCountMs));
        }
    }

    // The game goes on from wentOn: all since the last frame played was a wait.
    void goOn(int32_t wentOn) {
        waitedMs_ += msBetween(playedUntil_, wentOn);
        wentOnAt_ = wentOn;
        waiting_ = Waiting::No;
    }

    std::string labelAt(int32_t now) const {
        if (waiting_ == Waiting::Held) {
            return {};
        }
        if (waiting_ == Waiting::Stopped) {
            return "PAUSED";
        }
        const int32_t counted = msBetween(countFrom_, now) / kCountStepMs;
        return std::to_string(std::max(1, kCountFrom - counted));
    }

    Waiting waiting_ = Waiting::No;
    int32_t countFrom_ = 0;                // when the count began
    int32_t playedUntil_ = 0;              // the last frame that counted time
    std::optional<int32_t> wentOnAt_;      // when the count ended, until a frame has gone on
    std::optional<int32_t> grabbedSince_;  // when another program's grab was first seen
    int64_t waitedMs_ = 0;                 // this game's time spent waiting: the picture's lags
    int32_t pictureMs_ = 0;                // the picture's time at the last frame played
    std::string shownNotice_;              // the wait's notice drawn over the board
    bool holdGameOver_ = false;            // "GAME OVER" is on its way to the screen
    GameRecorder recorder_;
};

}  // namespace

std::unique_ptr<Session> liveSession() {
    return std::make_unique<LiveSession>();
}
