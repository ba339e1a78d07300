// Playback of a recorded game.
#include "app/playback_session.h"

#include <memory>
#include <utility>

#include "app/elapsed_time.h"
#include "app/game.h"
#include "app/replay_check.h"
#include "game/step.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/process.h"
#include "scores/shown_text.h"

namespace {

constexpr int32_t kEndHoldMs = 2000;
constexpr int32_t kFastFactor = 4;

class Playback final : public Session {
public:
    Playback(Replay replay, const std::string& path, EndProcess end)
        : replay_(std::move(replay)),
          shownPath_(escapeControls(path)),
          player_(replay_),
          end_(end) {}

    void begin() override {
        startReplay(replay_, game.play);
        game.menus.screen = Playing;
        over_ = player_.done();
    }

    const char* windowTitle() const override { return "ORVEL replay"; }

    bool keepsTable() const override { return false; }

    // Paused, the whole picture stands; the rate measured over a pause is not shown.
    PlayFrame playFrame(int32_t, int32_t elapsedMs, int32_t frameMs) override {
        int32_t played = paused_ || over_ ? 0 : elapsedMs;
        if (fast_) {
            played *= kFastFactor;
        }
        pictureTime_ = msAfter(pictureTime_, played);  // wraps as GLUT's counter does
        PlayFrame frame;
        frame.stepMs = played;
        frame.ageMs = paused_ ? 0 : frameMs;
        frame.pictureMs = pictureTime_;
        frame.stands = paused_;
        frame.showsRate = !paused_;
        frame.label = paused_ ? "PAUSED" : fast_ ? "REPLAY 4x" : "REPLAY";
        return frame;
    }

    void beforeStep() override { player_.beforeStep(game.play); }

    void afterStep(const StepEvent& event) override {
        player_.afterStep(game.play);
        over_ = player_.done() || event.kind == StepEvent::Kind::GameOver;
    }

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
                end_(0);
                break;
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

    // A replay never touches the table; its end holds the picture itself.
    void gameEnds(GameEnd) override {}

    bool pictureStandsAt(int32_t) override { return false; }

    // The replay stands still while hidden, the frame driver keeping that time out of its own.
    void hidden() override {}

private:
    // Holds the last picture, says whether the replay matched, and ends the process.
    void finish() {
        sleepMs(kEndHoldMs);  // cut short by a termination request: the verdict comes at once
        const ReplayVerdict verdict = player_.verdict(game.play);
        if (verdict.matches) {
            writeReportLine("replay " + shownPath_ + " matches: score " +
                            std::to_string(replay_.score) + " in " + std::to_string(replay_.steps) +
                            " steps");
            end_(0);
            return;
        }
        writeReportLine("replay " + shownPath_ + " " + mismatchText(replay_, verdict, "played"));
        end_(kReplayMismatchStatus);
    }

    Replay replay_;
    std::string shownPath_;  // escaped: a file name from anywhere
    ReplayPlayer player_;
    bool paused_ = false;
    bool fast_ = false;
    bool over_ = false;
    int32_t pictureTime_ = 0;  // the background's and the spheres' time, which a pause stops
    EndProcess end_;
};

}  // namespace

std::unique_ptr<Session> playbackSession(Replay replay, const std::string& path, EndProcess end) {
    return std::make_unique<Playback>(std::move(replay), path, end);
}

std::unique_ptr<Session> playbackSession(Replay replay, const std::string& path) {
    return playbackSession(std::move(replay), path, exitProcess);
}
