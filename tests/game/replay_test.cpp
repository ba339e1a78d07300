// Replays by the rules alone: the text round-trips, a session's second game replays from its
// generator position, and a changed heading is caught between the checkpoints around it.
#include <gtest/gtest.h>

#include <functional>

#include "game/random.h"
#include "game/replay_run.h"
#include "game/step.h"
#include "play_helpers.h"

namespace {

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

// A key pressed after the last step asks for a turn that no step takes: the recording ends as
// its steps left the game, and still matches.
TEST(Replay, AGameEndedRightAfterAKeyStillMatches) {
    seedRandom(7);
    Play play;
    const Replay replay = recordGame(play, {}, 3, [](Play& ended) { steer(ended, 'a'); });
    EXPECT_TRUE(replay.turns.empty());
    EXPECT_TRUE(quietlyChecked(replay).matches);
}

// The end is proved by the digest as well as the steps, score and lives: changing one of them
// alone is caught.
TEST(Replay, AnEndWhoseDigestOrScoreDiffersDoesNotMatch) {
    seedRandom(7);
    Play play;
    Replay replay = recordGame(play, {{3, 'a'}}, 40);
    ASSERT_TRUE(replay.checkpoints.empty());
    ASSERT_TRUE(quietlyChecked(replay).matches);
    Replay scored = replay;
    ++scored.score;
    EXPECT_FALSE(quietlyChecked(scored).matches);
    replay.hash ^= 1;
    EXPECT_FALSE(quietlyChecked(replay).matches);
}

// A file that turns the snake back onto itself (the live game never lets it) plays as the live
// game would have: the turn is refused, and the recording no longer matches.
TEST(Replay, ATurnBackOntoTheSnakeIsRefusedAsInPlay) {
    seedRandom(7);
    Play forged;
    const Replay replay = recordGame(forged, {{6, 's'}}, 12);  // straight back down
    ASSERT_EQ(replay.turns.size(), 1u);
    EXPECT_FALSE(quietlyChecked(replay).matches);
}

// One representative of each kind of bad line: the line it names and what it says.
TEST(Replay, EachKindOfBadLineIsNamed) {
    const std::string header =
        "ORVEL replay 1\ngame 1.0.0\nseed 7\nposition 0\ndifficulty 2\n"
        "date x\n";
    const std::string end = "end escape steps 9 score 0 lives 3 hash 1\n";
    const auto replace = [&](const std::string& from, const std::string& to) {
        std::string text = header + end;
        return text.replace(text.find(from), from.size(), to);
    };
    const struct {
        std::string text;
        int32_t line;
        std::string says;
    } cases[] = {
        {"", 0, "header is cut short"},
        {replace("replay 1", "replay 0"), 1, "not an ORVEL replay"},
        {replace("replay 1", "replay 099999999999999999999"), 1,
         "format version 99999999999999999999 is newer than this game's (1)"},
        {replace("game 1.0.0", "game"), 2, "game VERSION"},
        {replace("seed 7", "seed -7"), 3, "seed N"},
        {replace("position 0", "position 0x10"), 4, "position N"},
        {replace("position 0", "position 4194305"), 4, "farther than a recording may start"},
        {replace("difficulty 2", "difficulty 5"), 5, "difficulty N"},
        {replace("date x", "when x"), 6, "date WHEN"},
        {replace("date x", "date  "), 6, "date WHEN"},
        {header + "turn 3 x\n" + end, 7, "turn STEP HEADING"},
        {header + "turn 3 a\nturn 3 d\n" + end, 8, "turn steps must grow"},
        {header + "check 3 x\n" + end, 7, "check STEP HASH"},
        {header + "check 3 1\ncheck 3 1\n" + end, 8, "check steps must grow"},
        {header + "turn 10 a\n" + end, 8, "beyond the replay's last step"},
        {header + "end escape steps 9 score 0 lives 4 hash 1\n", 7, "end gameover|escape|exit"},
        {header + "step 3\n" + end, 7, "a turn, check or end line"},
        {header + end + "turn 1 a\n", 8, "nothing may follow the end line"},
        {header + std::string(201, 'x') + "\n" + end, 7, "longer than 200 bytes"},
        {replace("date x", "date x\r\r"), 6, "control byte"},
        {replace("game 1.0.0", "game \x1b[31m"), 2, "control byte"},
        {header, 0, "end line is missing"},
    };
    for (const auto& bad : cases) {
        Replay replay;
        int32_t line = -1;
        std::string problem;
        EXPECT_FALSE(parseReplay(bad.text, replay, line, problem)) << bad.says;
        EXPECT_EQ(line, bad.line) << bad.says;
        EXPECT_NE(problem.find(bad.says), std::string::npos) << problem;
    }
    Replay replay;
    int32_t line = 0;
    std::string problem;
    EXPECT_TRUE(parseReplay(replace("position 0", "position 4194304"), replay, line, problem))
        << "as far as a recording may start: " << problem;
}

TEST(Replay, TheScoreIsReadOffTheEndLineAlone) {
    int16_t score = 0;
    EXPECT_TRUE(replayEndScore("turn 3 a\nend gameover steps 9 score 169 lives 0 hash 1\n", score));
    EXPECT_EQ(score, 169);
    EXPECT_FALSE(replayEndScore("end gameover steps 9 score 169 lives 0\n", score));
    EXPECT_FALSE(replayEndScore("turn 3 a\n", score));
}
