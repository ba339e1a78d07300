// Recording a game, and playing a recording back by the rules.
#include "game/replay_run.h"

#include <utility>

#include "game/random.h"
#include "game/step.h"

void ReplayRecorder::begin(const Play& play, std::string gameVersion, std::string date) {
    replay_ = Replay{};
    replay_.gameVersion = std::move(gameVersion);
    replay_.date = std::move(date);
    replay_.seed = randomSeed();
    replay_.position = randomDraws();
    replay_.difficulty = play.difficulty;
    asked_ = 'w';  // New Game's snake asks for up
    recording_ = true;
}

void ReplayRecorder::beforeStep(const Play& play) {
    if (recording_ && play.nextDirection != asked_) {
        replay_.turns.push_back({replay_.steps + 1, play.nextDirection});
    }
}

void ReplayRecorder::afterStep(const Play& play) {
    if (!recording_) {
        return;
    }
    ++replay_.steps;
    asked_ = play.nextDirection;
    if (replay_.steps % kReplayCheckEvery == 0) {
        replay_.checkpoints.push_back({replay_.steps, playHash(play)});
    }
}

Replay ReplayRecorder::finish(const Play& play, const std::string& ending) {
    replay_.ending = ending;
    replay_.score = play.score;
    replay_.lives = play.lives;
    // A key pressed after the last step asked for a turn that no step took, so the recording
    // never holds it: the end is the state as the recorded steps left it.
    replay_.hash = playHash(play, asked_);
    recording_ = false;
    return std::exchange(replay_, Replay{});
}

void startReplay(const Replay& replay, Play& play) {
    seedRandomAt(replay.seed, replay.position);
    play.difficulty = replay.difficulty;
    startNewGame(play);
}

ReplayPlayer::ReplayPlayer(const Replay& replay) : replay_(replay) {}

void ReplayPlayer::beforeStep(Play& play) {
    const int32_t step = steps_ + 1;
    // The live game's rule: a turn back onto the snake is refused, whatever the file says.
    for (; nextTurn_ < replay_.turns.size() && replay_.turns[nextTurn_].step == step; ++nextTurn_) {
        steer(play, replay_.turns[nextTurn_].heading);
    }
}

bool ReplayPlayer::afterStep(const Play& play) {
    ++steps_;
    if (nextCheck_ < replay_.checkpoints.size() && replay_.checkpoints[nextCheck_].step == steps_) {
        if (differsAt_ == 0) {
            (replay_.checkpoints[nextCheck_].hash == playHash(play) ? agreedAt_ : differsAt_) =
                steps_;
        }
        ++nextCheck_;
    }
    return differsAt_ == 0;
}

bool ReplayPlayer::endMatches(const Play& play) const {
    return differsAt_ == 0 && steps_ == replay_.steps && play.score == replay_.score &&
           play.lives == replay_.lives && playHash(play) == replay_.hash;
}

ReplayVerdict ReplayPlayer::verdict(const Play& play) const {
    ReplayVerdict verdict;
    verdict.steps = steps_;
    verdict.score = play.score;
    verdict.matches = endMatches(play);
    if (!verdict.matches) {
        verdict.lastAgreed = lastAgreed();
        verdict.firstDifference = differenceShownAt();
    }
    return verdict;
}

ReplayVerdict checkReplay(const Replay& replay) {
    Play play;
    startReplay(replay, play);
    ReplayPlayer player(replay);
    while (!player.done()) {
        player.beforeStep(play);
        const StepEvent event = playStep(play);
        if (!player.afterStep(play)) {
            break;
        }
        if (event.kind == StepEvent::Kind::GameOver && !player.done()) {
            break;  // the game ended before the recording did
        }
    }
    return player.verdict(play);
}
