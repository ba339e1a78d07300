// The replay folder: the recordings' names and numbers, the lock games take turns by, their
// order, which are kept, and which are "last" and "best".
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

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "game/replay_format.h"

// One replay folder, at path. It reads each recording's score (its end line) once and keeps it
// for as long as it lives: the live session keeps one for the process, so that no game over
// has to read them again.
class ReplayFolder {
public:
    explicit ReplayFolder(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    // Writes a finished game as the folder's newest recording (utcTime as YYYYMMDD-HHMMSS),
    // then removes what the folder no longer keeps, two files at most. False, with the reason,
    // when the recording can't be written.
    bool add(const Replay& replay, const std::string& utcTime, std::string& error);

    // At start-up, before any frame: removes what killed recordings left (".new-PID"), reads
    // every recording's score, and removes up to a hundred of the recordings the folder no
    // longer keeps.
    void tidy();

    // The file name of the newest recording; of the best-scoring one among those whose end
    // line can be read. Empty when there is none.
    std::string last() const;
    std::string best();

private:
    std::optional<int16_t> scoreOf(const std::string& name);
    void prune(size_t atMost);
    std::string pathOf(const std::string& name) const { return path_ + "/" + name; }

    std::string path_;
    // Scores read off the files' end lines, by name (none for a file without a readable one).
    std::map<std::string, std::optional<int16_t>> knownScores_;
};

// Whether a file name is one of the game's recordings, of either shape.
bool isRecordingName(const std::string& name);
