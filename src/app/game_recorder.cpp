// Recording the live game into the replay folder.
#include "app/game_recorder.h"

#include <ctime>

#include "game/random.h"
#include "platform/console.h"
#include "platform/storage.h"
#include "scores/shown_text.h"

#ifndef ORVEL_VERSION
#define ORVEL_VERSION "unknown"
#endif

namespace {

std::string utcNow(const char* format, const char* otherwise) {
    const std::time_t now = std::time(nullptr);
    char text[32] = "";
    if (const std::tm* utc = std::gmtime(&now)) {
        std::strftime(text, sizeof text, format, utc);
    }
    return text[0] != '\0' ? text : otherwise;
}

// The end line's word for why: a lost display ends the game as closing it does.
const char* endingOf(GameEnd why) {
    return why == GameEnd::GameOver ? "gameover" : why == GameEnd::Escape ? "escape" : "exit";
}

}  // namespace

ReplayFolder* GameRecorder::folder() {
    const std::string path = replayFolderPath();
    if (path.empty()) {
        return nullptr;
    }
    if (!folder_ || folder_->path() != path) {
        folder_.emplace(path);
    }
    return &*folder_;
}

void GameRecorder::tidyFolder() {
    if (ReplayFolder* replays = folder()) {
        replays->tidy();
    }
}

void GameRecorder::begin(const Play& play) {
    // A session that has drawn this many numbers makes a recording no check would take.
    if (randomDraws() > kReplayFarthestStart) {
        if (!told_) {
            told_ = true;
            writeErrorLine("not recording this game or the next: this session has drawn " +
                           std::to_string(randomDraws()) + " random numbers, more than a " +
                           "recording may start from (" + std::to_string(kReplayFarthestStart) +
                           ")");
        }
        return;
    }
    recorder_.begin(play, ORVEL_VERSION, utcNow("%Y-%m-%dT%H:%M:%SZ", "unknown"));
}

void GameRecorder::beforeStep(const Play& play) {
    recorder_.beforeStep(play);
}

void GameRecorder::afterStep(const Play& play) {
    recorder_.afterStep(play);
}

void GameRecorder::end(const Play& play, GameEnd why) {
    if (recorder_.recording()) {
        write(recorder_.finish(play, endingOf(why)));
    }
}

void GameRecorder::write(const Replay& replay) {
    ReplayFolder* replays = folder();
    if (!replays) {
        writeErrorLine("cannot record the game: no folder for replays (" + noDataFolderReason() +
                       ")");
        return;
    }
    std::string error;
    if (!makeParentFolders(replays->path() + "/", error) ||
        !replays->add(replay, utcNow("%Y%m%d-%H%M%S", "00000000-000000"), error)) {
        writeErrorLine("cannot record the game in " + escapeControls(replays->path()) + ": " +
                       escapeControls(error));
    }
}
