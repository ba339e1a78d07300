// Playback of a recorded game.
#include "app/playback.h"

#include <memory>
#include <utility>

#include "app/game.h"
#include "app/replays.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/process.h"
#include "scores/score_table.h"

namespace {

constexpr int32_t kEndHoldMs = 2000;
constexpr int32_t kFastFactor = 4;

struct Playback {
    Replay replay;
    std::string shownPath;  // escaped: a file name from anywhere
    std::unique_ptr<ReplayPlayer> player;
    bool paused = false;
    bool fast = false;
    bool over = false;
    int32_t pictureTime = 0;  // the background's and the spheres' time, which a pause stops
};

std::unique_ptr<Playback> playback;

std::string versions(const Replay& replay) {
    return "recorded by orvel " + escapeControls(replay.gameVersion) + ", played by orvel " +
           ORVEL_VERSION;
}

}  // namespace

void beginPlayback(Replay replay, const std::string& path) {
    playback = std::make_unique<Playback>();
    playback->replay = std::move(replay);
    playback->shownPath = escapeControls(path);
    playback->player = std::make_unique<ReplayPlayer>(playback->replay);
    startReplay(playback->replay, game.play);
    game.menus.screen = Playing;
    playback->over = playback->player->done();
}

bool playingBack() {
    return playback != nullptr;
}

int32_t playbackTime(int32_t elapsedMs) {
    if (playback->paused || playback->over) {
        return 0;
    }
    return playback->fast ? elapsedMs * kFastFactor : elapsedMs;
}

void playbackBeforeStep() {
    playback->player->beforeStep(game.play);
}

void playbackAfterStep(const StepEvent& event) {
    playback->player->afterStep(game.play);
    playback->over = playback->player->done() || event.kind == StepEvent::Kind::GameOver;
}

bool playbackOver() {
    return playback->over;
}

bool playbackFrozen() {
    return playback->paused;
}

int32_t playbackPictureTime(int32_t playedMs) {
    playback->pictureTime += playedMs;
    return playback->pictureTime;
}

std::string playbackLabel() {
    if (playback->paused) {
        return "PAUSED";
    }
    return playback->fast ? "REPLAY 4x" : "REPLAY";
}

void playbackAction(Action action) {
    switch (action) {
        case Action::Back:
            writeReportLine("replay " + playback->shownPath + " stopped at step " +
                            std::to_string(playback->player->steps()) + " of " +
                            std::to_string(playback->replay.steps));
            exitProcess(0);
        case Action::Pause:
            playback->paused = !playback->paused;
            break;
        case Action::Faster:
            playback->fast = !playback->fast;
            break;
        default:
            break;
    }
}

void finishPlayback() {
    sleepMs(kEndHoldMs);
    const Replay& replay = playback->replay;
    const ReplayPlayer& player = *playback->player;
    if (player.endMatches(game.play)) {
        writeReportLine("replay " + playback->shownPath + " matches: score " +
                        std::to_string(replay.score) + " in " + std::to_string(replay.steps) +
                        " steps");
        exitProcess(0);
    }
    writeReportLine("replay " + playback->shownPath + " does not match: it leaves the recording " +
                    "after step " + std::to_string(player.lastAgreed()) + ", by step " +
                    std::to_string(player.differenceShownAt()) + "; recorded score " +
                    std::to_string(replay.score) + " in " + std::to_string(replay.steps) +
                    " steps, played " + std::to_string(game.play.score) + " in " +
                    std::to_string(player.steps()) + " (" + versions(replay) + ")");
    exitProcess(kReplayMismatchStatus);
}
