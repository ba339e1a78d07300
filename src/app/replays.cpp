// Recording games to files, finding and reading them, and --check-replay.
#include "app/replays.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "app/game.h"
#include "game/diagnostics.h"
#include "platform/console.h"
#include "platform/process.h"
#include "platform/storage.h"

#ifndef ORVEL_VERSION
#define ORVEL_VERSION "unknown"
#endif

namespace {

constexpr size_t kKeepLast = 50;
constexpr size_t kKeepBest = 10;
constexpr const char* kSuffix = ".orvel-replay";

ReplayRecorder recorder;
int gamesRecorded = 0;

std::string utcNow(const char* format) {
    const std::time_t now = std::time(nullptr);
    char text[32] = "";
    if (const std::tm* utc = std::gmtime(&now)) {
        std::strftime(text, sizeof text, format, utc);
    }
    return text;
}

// Names sort by time and say the difficulty and score:
//   20261207-214512-d2-s00003-PID-N.orvel-replay
// Only names of exactly this shape are the game's own; nothing else in the folder is touched.
struct Recording {
    std::string name;
    int score = 0;
};

bool parseName(const std::string& name, Recording& recording) {
    int difficulty = 0;
    int score = 0;
    unsigned long pid = 0;
    int number = 0;
    int used = 0;
    char date[9] = "";
    char time[7] = "";
    if (std::sscanf(name.c_str(), "%8[0-9]-%6[0-9]-d%1d-s%5d-%lu-%d%n", date, time, &difficulty,
                    &score, &pid, &number, &used) != 6 ||
        std::string(date).size() != 8 || std::string(time).size() != 6 ||
        name.compare(static_cast<size_t>(used), std::string::npos, kSuffix) != 0) {
        return false;
    }
    recording = {name, score};
    return true;
}

std::vector<Recording> recordings(const std::string& folder) {
    std::vector<Recording> found;
    for (const std::string& name : filesIn(folder)) {
        Recording recording;
        if (parseName(name, recording)) {
            found.push_back(recording);
        }
    }
    // Newest first.
    std::sort(found.begin(), found.end(),
              [](const Recording& a, const Recording& b) { return a.name > b.name; });
    return found;
}

// Keeps the last 50 and the ten best (the newer of equal scores); removes the rest.
void prune(const std::string& folder) {
    std::vector<Recording> all = recordings(folder);
    std::vector<Recording> best = all;
    std::stable_sort(best.begin(), best.end(),
                     [](const Recording& a, const Recording& b) { return a.score > b.score; });
    best.resize(std::min(best.size(), kKeepBest));
    for (size_t i = kKeepLast; i < all.size(); ++i) {
        const bool isBest = std::any_of(best.begin(), best.end(),
                                        [&](const Recording& r) { return r.name == all[i].name; });
        if (!isBest) {
            removeFile(folder + "/" + all[i].name);
        }
    }
}

void write(const Replay& replay) {
    const std::string folder = replayFolderPath();
    if (folder.empty()) {
        writeErrorLine(
            "cannot record the game: no folder for replays (neither XDG_DATA_HOME nor HOME)");
        return;
    }
    char name[96];
    std::snprintf(name, sizeof name, "%s-d%d-s%05d-%lu-%d%s", utcNow("%Y%m%d-%H%M%S").c_str(),
                  replay.difficulty, replay.score, processId(), ++gamesRecorded, kSuffix);
    const std::string path = folder + "/" + name;
    std::string error;
    if (!makeParentFolders(path, error) || !replaceFile(path, replayText(replay), error)) {
        writeErrorLine("cannot record the game in " + folder + ": " + error);
        return;
    }
    prune(folder);
}

bool discardLine(std::string_view) {
    return true;
}

}  // namespace

void startRecording() {
    recorder.begin(game.play, ORVEL_VERSION, utcNow("%Y-%m-%dT%H:%M:%SZ"));
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

bool loadReplay(const std::string& which, Replay& replay, std::string& path, std::string& problem) {
    path = which;
    if (which == "last" || which == "best") {
        const std::string folder = replayFolderPath();
        std::vector<Recording> all = recordings(folder);
        if (all.empty()) {
            problem = "no recorded games in " + (folder.empty() ? std::string("(none)") : folder);
            return false;
        }
        auto chosen = all.begin();
        if (which == "best") {
            chosen = std::max_element(all.begin(), all.end(), [](const auto& a, const auto& b) {
                return a.score < b.score || (a.score == b.score && a.name < b.name);
            });
        }
        path = folder + "/" + chosen->name;
    }
    std::string text;
    std::string error;
    bool truncated = false;
    if (!readFileStart(path, kReplayLargest, text, truncated, error)) {
        problem = escapeControls(error);
        return false;
    }
    if (truncated) {
        problem = escapeControls(path) + ": it is larger than " + std::to_string(kReplayLargest) +
                  " bytes";
        return false;
    }
    int32_t line = 0;
    if (!parseReplay(text, replay, line, problem)) {
        problem = escapeControls(path) + (line > 0 ? ": line " + std::to_string(line) : "") + ": " +
                  problem;
        return false;
    }
    return true;
}

int checkReplayFiles(const std::vector<std::string>& files) {
    setLineSink(discardLine);  // the rules' own lines are the live game's business
    int status = 0;
    for (const std::string& file : files) {
        Replay replay;
        std::string path;
        std::string problem;
        if (!loadReplay(file, replay, path, problem)) {
            std::printf("%s\n", problem.c_str());
            status = kNotAReplayStatus;
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
                line += "; recorded by orvel " + replay.gameVersion + ", checked by orvel " +
                        ORVEL_VERSION;
            }
            status = std::max(status, kReplayMismatchStatus);
        }
        std::printf("%s\n", line.c_str());
    }
    std::fflush(stdout);
    return status;
}
