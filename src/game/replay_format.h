// A recording's file: what a replay holds and its text, written and read. A replay is the seed
// and the generator's position at New Game, the difficulty, and every turn (the heading asked
// for before a step, where it changed); checkpoints of the state's digest every 100 steps and
// the end let a playback prove it followed the recorded game exactly (game/replay_run.h).
//
// The text, one item a line, every number in decimal:
//   ORVEL replay 1                 format version
//   game 1.0.0                     the game that recorded it
//   seed 7                         the session's seed
//   position 1234                  numbers drawn since seeding, at New Game
//   difficulty 2
//   date 2026-12-07T21:45:12Z
//   turn 12 a                      before step 12 the heading asked for is a
//   check 100 1234567890123        the digest (playHash) after step 100
//   end gameover steps 412 score 3 lives 1 hash 9876543210
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int kReplayFormat = 1;
constexpr int32_t kReplayCheckEvery = 100;
// Limits that keep a file from strangers from taking the game's memory or time.
constexpr size_t kReplayLargest = 4 * 1024 * 1024;  // bytes
constexpr int32_t kReplayLongest = 2000000;         // steps
// Reaching the generator's position costs time in proportion (a few ns a number, some 25 ms
// for the farthest). The game records no game that starts farther than this (after some twenty
// thousand berries in one session), so no file may: whatever its steps, reaching its start never
// costs more than that.
constexpr uint64_t kReplayFarthestStart = uint64_t{1} << 22;

struct ReplayTurn {
    int32_t step;
    char heading;
};

struct ReplayCheckpoint {
    int32_t step;
    uint64_t hash;
};

struct Replay {
    int format = kReplayFormat;
    std::string gameVersion;
    uint32_t seed = 0;
    uint64_t position = 0;
    int16_t difficulty = 2;
    std::string date;
    std::vector<ReplayTurn> turns;
    std::vector<ReplayCheckpoint> checkpoints;
    std::string ending;  // gameover, escape or exit
    int32_t steps = 0;
    int16_t score = 0;
    int16_t lives = 0;
    uint64_t hash = 0;
};

std::string replayText(const Replay& replay);

// Reads a replay's text. False, with the 1-based line (0 for the file as a whole) and what is
// wrong, for anything that is not a whole replay of this format or an older one.
bool parseReplay(std::string_view text, Replay& replay, int32_t& line, std::string& problem);

// The score a replay's end line holds, read off the last line of text (the file's tail is
// enough). False when that line is no whole end line.
bool replayEndScore(std::string_view text, int16_t& score);
