// Running recordings against the rules: recording a game as it is played, setting a game up as
// a recording's New Game found it, playing its steps back checkpoint by checkpoint, and checking
// a whole recording with the rules alone (--check-replay).
#pragma once

#include <cstdint>
#include <string>

#include "game/game_state.h"
#include "game/replay_format.h"

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

// What playing a replay back found.
// Checkpoints come every 100 steps, so a difference is known to lie after the last step that
// still agreed and no later than the step where it showed.
struct ReplayVerdict {
    bool matches = false;
    int32_t lastAgreed = 0;
    int32_t firstDifference = 0;  // the step where it showed
    int32_t steps = 0;
    int16_t score = 0;
};

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
    // What the steps played so far on play found.
    ReplayVerdict verdict(const Play& play) const;

private:
    const Replay& replay_;
    size_t nextTurn_ = 0;
    size_t nextCheck_ = 0;
    int32_t steps_ = 0;
    int32_t differsAt_ = 0;
    int32_t agreedAt_ = 0;
};

// Checks a replay with the rules alone: every step played, every checkpoint and the end.
ReplayVerdict checkReplay(const Replay& replay);
