// Recorded games: what a replay holds, its text, and the rules that play one back. A replay is
// the seed and the generator's position at New Game, the difficulty, and every turn (the
// heading asked for before a step, where it changed); checkpoints of the state's digest every
// 100 steps and the end let a playback prove it followed the recorded game exactly.
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

#include "game/game_state.h"

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

// Records a game as it is played: begin at New Game, then around every step.
class ReplayRecorder {
public:
    void begin(const Play& play, std::string gameVersion, std::string date);
    bool recording() const { return recording_; }
    // begin is called before startNewGame, which draws from the generator; then beforeStep
    // and afterStep around every step.
    void beforeStep(const Play& play);
    void afterStep(const Play& play);
    // The finished recording; recording stops.
    Replay finish(const Play& play, const std::string& ending);

private:
    Replay replay_;
    char asked_ = '\0';  // the heading asked for when the last step was over
    bool recording_ = false;
};

// Sets a game up as the recording's New Game found it: the generator at its position, a
// new game at its difficulty. Quiet only if the caller silences the diagnostic lines.
void startReplay(const Replay& replay, Play& play);

// Plays a replay's steps on a Play it started, one at a time, checking every checkpoint.
class ReplayPlayer {
public:
    explicit ReplayPlayer(const Replay& replay);
    // Before the next step: the recorded turn, if one was made there.
    void beforeStep(Play& play);
    // After it: the checkpoint, if one is due. False once the game left the recording.
    bool afterStep(const Play& play);
    int32_t steps() const { return steps_; }
    bool done() const { return steps_ >= replay_.steps; }
    // After the last step: whether the end matches, and the step by which the game had left
    // the recording (the checkpoint that showed it, or the last step played).
    bool endMatches(const Play& play) const;
    int32_t differenceShownAt() const { return differsAt_ != 0 ? differsAt_ : steps_; }
    // The last checkpoint that matched (0 for the start).
    int32_t lastAgreed() const { return agreedAt_; }

private:
    const Replay& replay_;
    size_t nextTurn_ = 0;
    size_t nextCheck_ = 0;
    int32_t steps_ = 0;
    int32_t differsAt_ = 0;
    int32_t agreedAt_ = 0;
};

// What checking a replay with the rules alone found.
// Checkpoints come every 100 steps, so a difference is known to lie after the last step that
// still agreed and no later than the step where it showed.
struct ReplayVerdict {
    bool matches = false;
    int32_t lastAgreed = 0;
    int32_t firstDifference = 0;  // the step where it showed
    int32_t steps = 0;
    int16_t score = 0;
};
ReplayVerdict checkReplay(const Replay& replay);
