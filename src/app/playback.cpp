// Playback of a recorded game.
#include "app/playback.h"

#include <cstdio>
#include <memory>
#include <utility>

#include "app/game.h"
#include "app/replays.h"
#include "platform/clock.h"
#include "platform/process.h"

namespace {

constexpr int32_t kEndHoldMs = 2000;
constexpr int32_t kFastFactor = 4;

struct Playback {
    Replay replay;
    std::string path;
    std::unique_ptr<ReplayPlayer> player;
    bool paused = false;
    bool fast = false;
    bool over = false;
};

std::unique_ptr<Playback> playback;

}  // namespace

void beginPlayback(Replay replay, std::string path) {
    playback = std::make_unique<Playback>();
    playback->replay = std::move(replay);
    playback->path = std::move(path);
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

void playbackAction(Action action) {
    switch (action) {
        case Action::Back:
            std::printf("replay %s stopped at step %d of %d\n", playback->path.c_str(),
                        playback->player->steps(), playback->replay.steps);
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
        std::printf("replay %s matches: score %d in %d steps\n", playback->path.c_str(),
                    replay.score, replay.steps);
        exitProcess(0);
    }
    std::printf(
        "replay %s does not match: it leaves the recording after step %d, by step %d; "
        "recorded score %d in %d steps, played %d in %d (recorded by orvel %s, played by "
        "orvel %s)\n",
        playback->path.c_str(), player.lastAgreed(), player.differenceShownAt(), replay.score,
        replay.steps, game.play.score, player.steps(), replay.gameVersion.c_str(), ORVEL_VERSION);
    exitProcess(kReplayMismatchStatus);
}
