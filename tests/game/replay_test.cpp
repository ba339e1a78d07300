// Replays by the rules alone: the text round-trips, a session's second game replays from its
// generator position, and a changed heading is caught between the checkpoints around it.
#include <gtest/gtest.h>

#include "game/random.h"
#include "game/replay.h"
#include "game/step.h"
#include "play_helpers.h"

namespace {

// Plays a recorded game of up to `steps` steps, turning as `turns` says (step, heading).
Replay recordGame(Play& play, std::vector<std::pair<int, char>> turns, int32_t steps) {
    ReplayRecorder recorder;
    recorder.begin(play, "test", "2026-12-07T00:00:00Z");
    testing::internal::CaptureStdout();
    startNewGame(play);
    for (int32_t step = 1; step <= steps; ++step) {
        for (const auto& [at, heading] : turns) {
            if (at == step) {
                play.nextDirection = heading;
            }
        }
        recorder.beforeStep(play);
        const StepEvent event = playStep(play);
        recorder.afterStep(play);
        if (event.kind == StepEvent::Kind::GameOver) {
            break;
        }
    }
    testing::internal::GetCapturedStdout();
    return recorder.finish(play, "escape");
}

ReplayVerdict quietlyChecked(const Replay& replay) {
    testing::internal::CaptureStdout();
    const ReplayVerdict verdict = checkReplay(replay);
    testing::internal::GetCapturedStdout();
    return verdict;
}

const std::vector<std::pair<int, char>> kWander = {{3, 'a'},   {9, 's'},   {40, 'd'}, {75, 'w'},
                                                   {130, 'a'}, {190, 's'}, {230, 'd'}};

}  // namespace

TEST(Replay, TheSecondGameOfASessionRoundTripsAndMatches) {
    seedRandom(7);
    Play first;
    recordGame(first, kWander, 150);
    Play second;
    second.difficulty = 3;
    const Replay recorded = recordGame(second, kWander, 250);
    ASSERT_GT(recorded.position, 0u);
    ASSERT_EQ(recorded.checkpoints.size(), size_t(recorded.steps / kReplayCheckEvery));

    Replay read;
    int32_t line = 0;
    std::string problem;
    ASSERT_TRUE(parseReplay(replayText(recorded), read, line, problem)) << line << problem;
    EXPECT_EQ(replayText(read), replayText(recorded));
    EXPECT_EQ(read.turns.size(), recorded.turns.size());

    const ReplayVerdict verdict = quietlyChecked(read);
    EXPECT_TRUE(verdict.matches);
    EXPECT_EQ(verdict.steps, recorded.steps);
    EXPECT_EQ(verdict.score, recorded.score);
}

TEST(Replay, AChangedHeadingIsCaughtAtTheNextCheckpoint) {
    seedRandom(7);
    Play play;
    Replay replay = recordGame(play, kWander, 250);
    ASSERT_GE(replay.steps, 200);
    for (ReplayTurn& turn : replay.turns) {
        if (turn.step == 130) {
            turn.heading = 'd';
        }
    }
    const ReplayVerdict verdict = quietlyChecked(replay);
    EXPECT_FALSE(verdict.matches);
    EXPECT_EQ(verdict.lastAgreed, 100);
    EXPECT_EQ(verdict.firstDifference, 200);
}
