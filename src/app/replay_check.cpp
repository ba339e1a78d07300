// Finding and reading recordings, --check-replay, and the wording of a mismatch.
#include "app/replay_check.h"

#include <algorithm>

#include "app/replay_folder.h"
#include "game/diagnostics.h"
#include "platform/console.h"
#include "platform/storage.h"
#include "scores/shown_text.h"

#ifndef ORVEL_VERSION
#define ORVEL_VERSION "unknown"
#endif

namespace {

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

int loadReplay(const std::string& which, Replay& replay, std::string& path, std::string& problem) {
    path = which;
    if (which == "last" || which == "best") {
        const std::string folder = replayFolderPath();
        ReplayFolder replays(folder);
        const std::string name = folder.empty()    ? std::string()
                                 : which == "last" ? replays.last()
                                                   : replays.best();
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

std::string mismatchText(const Replay& replay, const ReplayVerdict& verdict, const char* done) {
    std::string text =
        "does not match: it leaves the recording after step " + std::to_string(verdict.lastAgreed) +
        ", by step " + std::to_string(verdict.firstDifference) + " (recorded score " +
        std::to_string(replay.score) + " in " + std::to_string(replay.steps) + " steps; played " +
        std::to_string(verdict.score) + " in " + std::to_string(verdict.steps) + ")";
    if (replay.gameVersion != ORVEL_VERSION) {
        text += "; recorded by orvel " + escapeControls(replay.gameVersion) + ", " + done +
                " by orvel " + ORVEL_VERSION;
    }
    return text;
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
            line += mismatchText(replay, verdict, "checked");
            status = std::max(status, kReplayMismatchStatus);
        }
        if (!writeOutputLineWaiting(line)) {
            return verdictsLost();
        }
    }
    return status;
}
