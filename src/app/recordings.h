// The replay folder's recordings: their names, their order, which are kept, and which are
// "last" and "best".
//
// A recording is named NNNNNNNN-YYYYMMDD-HHMMSS-dD-sSSSSS.orvel-replay: a sequence number one
// above every other recording's in the folder, then the UTC time, the difficulty and the score
// for people to read. Games adding a recording take turns through a lock on the folder, each
// counting the numbers of those before it, so the order can neither tie nor go backwards,
// whatever the clock says.
//
// A number more than a thousand million above the next lower one (or above 0) was not reached
// by counting games: it and every number above it are out of the sequence. They are not
// counted, so a file planted as 999999999999999999-... never stops the recording; they stand
// before every numbered recording, by their numbers, so such a file is never "last" and is
// among the first removed. Names of the earlier shape YYYYMMDD-HHMMSS-dD-sSSSSS-PID-N.orvel-replay
// stand before all of these, by their time. Only names of exactly these shapes are the game's
// own; nothing else in the folder is read or touched.
//
// The folder keeps the 50 newest recordings and the ten best by the score each file holds (its
// end line, never its name), the newer of equal scores first; a game over removes at most two
// of the others, the oldest first.
#pragma once

#include <string>

#include "game/replay_format.h"

// Writes a finished game as the folder's newest recording (utcTime as YYYYMMDD-HHMMSS), then
// removes what the folder no longer keeps, two files at most. False, with the reason, when the
// recording can't be written.
bool addRecording(const std::string& folder, const Replay& replay, const std::string& utcTime,
                  std::string& error);

// At start-up, before any frame: removes what killed recordings left (".new-PID"), reads every
// recording's score once, so that no game over has to, and removes up to a hundred of the
// recordings the folder no longer keeps.
void tidyRecordings(const std::string& folder);

// The file name of the newest recording; of the best-scoring one among those whose end line
// can be read. Empty when there is none.
std::string lastRecording(const std::string& folder);
std::string bestRecording(const std::string& folder);

// Whether a file name is one of the game's recordings, of either shape.
bool isRecordingName(const std::string& name);
