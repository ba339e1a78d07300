// Recorded games in the shell: every game is recorded from New Game to its end and kept in the
// replay folder (app/recordings.h); recordings are found by path, "last" or "best", read with
// one-line problems, and checked by the rules alone.
#pragma once

#include <string>
#include <vector>

#include "game/replay_run.h"

// Recording: started at New Game (before the new game draws from the generator), around
// every step, stopped at game over ("gameover"), Escape ("escape") or when the game closes
// ("exit"). A recording that can't be written is one line on standard error, nothing more.
void startRecording();
void recordBeforeStep();
void recordAfterStep();
void stopRecording(const char* ending);

// At start-up: the replay folder tidied (see tidyRecordings).
void tidyReplayFolder();

// A replay named by path, or "last" or "best" in the replay folder. 0 when it was read;
// otherwise the exit status that says why (kNotAReplayStatus, kNoRecordingStatus), with the
// problem in one line naming the file (and the line).
int loadReplay(const std::string& which, Replay& replay, std::string& path, std::string& problem);

// orvel --check-replay FILE...: one line per file, written as each is decided; the exit status
// (0 all match, 4 one does not match, 5 one is no replay, 6 "last" or "best" found none; 1 when
// standard output stops taking the verdicts, which ends the check there).
int checkReplayFiles(const std::vector<std::string>& files);

// What the game writes could not be written, as for the high-score file.
constexpr int kOutputFailedStatus = 1;
constexpr int kReplayMismatchStatus = 4;
constexpr int kNotAReplayStatus = 5;
constexpr int kNoRecordingStatus = 6;
