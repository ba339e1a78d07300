// Recording games to files, finding and reading them, and --check-replay.
#include "app/replays.h"

#include <algorithm>
#include <ctime>

#include "app/game.h"
#include "app/recordings.h"
#include "game/diagnostics.h"
#include "game/random.h"
#include "platform/console.h"
#include "platform/storage.h"
#include "scores/shown_text.h"

#ifndef ORVEL_VERSION
#define ORVEL_VERSION "unknown"
#endif

namespace {

ReplayRecorder recorder;
bool told = false;  // the game that could not be recorded said so

std::string utcNow(const char* format, const char* otherwise) {
    const std::time_t now = std::time(nullptr);
    char text[32] = "";
    if (const std::tm* utc = std::gmtime(&now)) {
        std::strftime(text, sizeof text, format, utc);
    }
    return text[0] != '\0' ? text : otherwise;
}

void write(const Replay& replay) {
    const std::string folder = replayFolderPath();
    if (folder.empty()) {
        writeErrorLine("cannot record the game: no folder for replays (" + noDataFolderReason() +
                       ")");
        return;
    }
    std::string error;
    if (!makeParentFolders(folder + "/", error) ||
        !addRecording(folder, replay, utcNow("%Y%m%d-%H%M%S", "00000000-000000"), error)) {
        writeErrorLine("cannot record the game in " + escapeControls(folder) + ": " +
                       escapeControls(error));
    }
}

bool discardLine(std::string_view) {
    return true;
}

// A reader that quit (head -1) or a full disk: checking on would be work nobody sees, and the
// verdicts' own statuses would claim files that were never reported. Stop, as grep does.
int verdictsLost() {
    writeErrorLine("stopped checking: standard output is closed or failing");
    return kOutputFailedStatus;
}

}  // namespace

void startRecording() {
    // A session that has drawn this many numbers makes a recording no check would take.
    if (randomDraws() > kReplayFarthestStart) {
        if (!told) {
            told = true;
            writeErrorLine("not recording this game or the next: this session has drawn " +
                           std::to_string(randomDraws()) + " random numbers, more than a " +
                           "recording may start from (" + std::to_string(kReplayFarthestStart) +
                           ")");
        }
        return;
    }
    recorder.begin(game.play, ORVEL_VERSION, utcNow("%Y-%m-%dT%H:%M:%SZ", "unknown"));
}

void recordBeforeStep() {
    recorder.beforeStep(game.play);
}

void recordAfterStep() {
    recorder.afterStep(game.play);
}

void stopRecording(const char* ending) {
    if (recorder.recording()) {
        write(recorder.finish(game.play, ending));
    }
}

void tidyReplayFolder() {
    const std::string folder = replayFolderPath();
    if (!folder.empty()) {
        tidyRecordings(folder);
    }
}

int loadReplay(const std::string& which, Replay& replay, std::string& path, std::string& problem) {
    path = which;
    if (which == "last" || which == "best") {
        const std::string folder = replayFolderPath();
        const std::string name = folder.empty()    ? std::string()
                                 : which == "last" ? lastRecording(folder)
                                                   : bestRecording(folder);
        if (name.empty()) {
            problem =
                "no recorded game" +
                std::string(which == "best" ? " with a readable end line" : "") + " in " +
                (folder.empty() ? std::string("(no folder for replays)") : escapeControls(folder));
            return kNoRecordingStatus;
        }
        path = folder + "/" + name;
    }
    std::string text;
    std::string error;
    bool truncated = false;
    if (!readFileStart(path, kReplayLargest, text, truncated, error)) {
        problem = escapeControls(error);
        return kNotAReplayStatus;
    }
    if (truncated) {
        problem = escapeControls(path) + ": it is larger than " + std::to_string(kReplayLargest) +
                  " bytes";
        return kNotAReplayStatus;
    }
    int32_t line = 0;
    if (!parseReplay(text, replay, line, problem)) {
        problem = escapeControls(path) + (line > 0 ? ": line " + std::to_string(line) : "") + ": " +
                  escapeControls(problem);
        return kNotAReplayStatus;
    }
    return 0;
}

std::string versionsNote(const Replay& replay) {
    return "recorded by orvel " + escapeControls(replay.gameVersion) + ", checked by orvel " +
           ORVEL_VERSION;
}

int checkReplayFiles(const std::vector<std::string>& files) {
    setLineSink(discardLine);  // the rules' own lines are the live game's business
    int status = 0;
    for (const std::string& file : files) {
        Replay replay;
        std::string path;
        std::string problem;
        // Each verdict is written as it is decided: a check cut short keeps what it said. A
        // reader that pauses (less, a slow pipe) is waited for: no verdict is dropped.
        if (const int refused = loadReplay(file, replay, path, problem)) {
            if (!writeOutputLineWaiting(problem)) {
                return verdictsLost();
            }
            status = std::max(status, refused);
            continue;
        }
        const ReplayVerdict verdict = checkReplay(replay);
        std::string line = escapeControls(path) + ": ";
        if (verdict.matches) {
            line += "matches (score " + std::to_string(replay.score) + ", " +
                    std::to_string(replay.steps) + " steps, every checkpoint and the end)";
        } else {
            line += "does not match: it leaves the recording after step " +
                    std::to_string(verdict.lastAgreed) + ", by step " +
                    std::to_string(verdict.firstDifference) + " (recorded score " +
                    std::to_string(replay.score) + " in " + std::to_string(replay.steps) +
                    " steps; played " + std::to_string(verdict.score) + " in " +
                    std::to_string(verdict.steps) + ")";
            if (replay.gameVersion != ORVEL_VERSION) {
                line += "; " + versionsNote(replay);
            }
            status = std::max(status, kReplayMismatchStatus);
        }
        if (!writeOutputLineWaiting(line)) {
            return verdictsLost();
        }
    }
    return status;
}
