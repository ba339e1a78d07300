// Playback of a recorded game.
#include "app/playback.h"

#include <memory>
#include <utility>

#include "app/elapsed_time.h"
#include "app/game.h"
#include "app/replays.h"
#include "game/step.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/process.h"
#include "scores/shown_text.h"

namespace {

constexpr int32_t kEndHoldMs = 2000;
constexpr int32_t kFastFactor = 4;

std::string versions(const Replay& replay) {
    return "recorded by orvel " + escapeControls(replay.gameVersion) + ", played by orvel " +
           ORVEL_VERSION;
}

class Playback final : public Session {
public:
    Playback(Replay replay, const std::string& path)
        : replay_(std::move(replay)), shownPath_(escapeControls(path)), player_(replay_) {
        startReplay(replay_, game.play);
        game.menus.screen = Playing;
        over_ = player_.done();
    }

    PlayTime playTime(int32_t elapsedMs, int32_t frameMs) override {
        int32_t played = paused_ || over_ ? 0 : elapsedMs;
        if (fast_) {
            played *= kFastFactor;
        }
        pictureTime_ = msAfter(pictureTime_, played);  // wraps as GLUT's counter does
        return {played, paused_ ? 0 : frameMs, pictureTime_};
    }

    bool frozen() const override { return paused_; }

    std::string label() const override {
        if (paused_) {
            return "PAUSED";
        }
        return fast_ ? "REPLAY 4x" : "REPLAY";
    }

    std::string notice() const override { return {}; }

    void beforeStep() override { player_.beforeStep(game.play); }

    void afterStep(const StepEvent& event) override {
        player_.afterStep(game.play);
        over_ = player_.done() || event.kind == StepEvent::Kind::GameOver;
    }

    // A replay never touches the table; its end holds the picture itself.
    void gameOver() override {}

    void afterSwap() override {
        if (over_) {
            finish();
        }
    }

    // Escape stops, space pauses and resumes, f switches the speed; nothing else counts.
    bool takeAction(Action action) override {
        switch (action) {
            case Action::Back:
                writeReportLine("replay " + shownPath_ + " stopped at step " +
                                std::to_string(player_.steps()) + " of " +
                                std::to_string(replay_.steps));
                exitProcess(0);
            case Action::Pause:
                paused_ = !paused_;
                break;
            case Action::Faster:
                fast_ = !fast_;
                break;
            default:
                break;
        }
        return true;
    }

    void gameStarted() override {}

    bool pictureStands(int32_t) override { return false; }

    // The replay stands still while hidden, the frame driver keeping that time out of its own.
    void hidden() override {}

private:
    // Holds the last picture, says whether the replay matched, and exits.
    [[noreturn]] void finish() {
        sleepMs(kEndHoldMs);  // cut short by a termination request: the verdict comes at once
        if (player_.endMatches(game.play)) {
            writeReportLine("replay " + shownPath_ + " matches: score " +
                            std::to_string(replay_.score) + " in " + std::to_string(replay_.steps) +
                            " steps");
            exitProcess(0);
        }
        writeReportLine("replay " + shownPath_ + " does not match: it leaves the recording " +
                        "after step " + std::to_string(player_.lastAgreed()) + ", by step " +
                        std::to_string(player_.differenceShownAt()) + "; recorded score " +
                        std::to_string(replay_.score) + " in " + std::to_string(replay_.steps) +
                        " steps, played " + std::to_string(game.play.score) + " in " +
                        std::to_string(player_.steps()) + " (" + versions(replay_) + ")");
        exitProcess(kReplayMismatchStatus);
    }

    Replay replay_;
    std::string shownPath_;  // escaped: a file name from anywhere
    ReplayPlayer player_;
    bool paused_ = false;
    bool fast_ = false;
    bool over_ = false;
    int32_t pictureTime_ = 0;  // the background's and the spheres' time, which a pause stops
};

}  // namespace

std::unique_ptr<Session> beginPlayback(Replay replay, const std::string& path) {
    return std::make_unique<Playback>(std::move(replay), path);
}
