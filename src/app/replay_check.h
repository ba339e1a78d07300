// Recordings found and judged in the shell: a replay named by a path, "last" or "best" in the
// replay folder, read with one-line problems; --check-replay's verdicts; and the one wording of
// a replay that does not match, for the check and for playback alike.
#pragma once

#include <string>
#include <vector>

#include "game/replay_run.h"

// A replay named by path, or "last" or "best" in the replay folder. 0 when it was read;
// otherwise the exit status that says why (kNotAReplayStatus, kNoRecordingStatus), with the
// problem in one line naming the file (and the line).
int loadReplay(const std::string& which, Replay& replay, std::string& path, std::string& problem);

// orvel --check-replay FILE...: one line per file, written as each is decided; the exit status
// (0 all match, 4 one does not match, 5 one is no replay, 6 "last" or "best" found none; 1 when
// standard output stops taking the verdicts, which ends the check there).
int checkReplayFiles(const std::vector<std::string>& files);

// "does not match: it leaves the recording after step A, by step B (recorded score S in N
// steps; played s in n)", and where another version of the game recorded it, "; recorded by
// orvel X, <done> by orvel Y" (done: "checked", "played").
std::string mismatchText(const Replay& replay, const ReplayVerdict& verdict, const char* done);

// What the game writes could not be written, as for the high-score file.
constexpr int kOutputFailedStatus = 1;
constexpr int kReplayMismatchStatus = 4;
constexpr int kNotAReplayStatus = 5;
constexpr int kNoRecordingStatus = 6;
