// The snake step: moving, passing through the walls, crashing, eating in front and across the
// wall, and growing up to its bound.
#include <gtest/gtest.h>

#include "game/collisions.h"
#include "game/step.h"
#include "play_helpers.h"

namespace {

class Step : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        start();
        parkBerries(play);
    }
    // A step and the board refresh after it (what the frame driver does about the event is
    // the shell's: its tests cover the pauses, the burst and game over).
    void step() {
        testing::internal::CaptureStdout();
        event = stepSnake(play);
        output = testing::internal::GetCapturedStdout();
        refreshBoard(play.board, *play.snakeFirst, play.berries);
    }
    std::pair<int, int> head() const { return {play.snakeFirst->x, play.snakeFirst->y}; }
    std::string output;
    StepEvent event;
};

}  // namespace

TEST_F(Step, MovesTheHeadAndTheBodyFollows) {
    laySnake(play, {{10, 10}, {10, 9}, {10, 8}, {10, 7}}, 'w');
    step();
    EXPECT_EQ(head(), std::make_pair(10, 11));
    EXPECT_EQ(play.snakeFirst->next->y, 10);
    EXPECT_EQ(snakeTail(play)->y, 8);
    EXPECT_EQ(play.direction, 'w');
    EXPECT_EQ(play.board.at(10, 7), kEmpty);
    EXPECT_TRUE(output.empty());
}

TEST_F(Step, PassesThroughEachWallToTheFirstFieldCellAcross) {
    struct Case {
        std::pair<int, int> from;
        char heading;
        std::pair<int, int> to;
    };
    for (const Case& c : {Case{{2, 7}, 'a', {19, 7}}, Case{{19, 7}, 'd', {2, 7}},
                          Case{{7, 19}, 'w', {7, 2}}, Case{{7, 2}, 's', {7, 19}}}) {
        laySnake(play, {c.from, c.from, c.from, c.from}, c.heading);
        step();
        EXPECT_EQ(head(), c.to) << c.heading;
        EXPECT_EQ(play.snakeFirst->next->x, c.from.first);
        EXPECT_EQ(play.direction, c.heading);
    }
}

TEST_F(Step, CrashesIntoTheBodyAcrossTheWall) {
    laySnake(play, {{2, 7}, {3, 7}, {4, 7}, {19, 7}}, 'a');
    play.lives = 1;  // the last life: the snake stays where it crashed
    step();
    EXPECT_EQ(head(), std::make_pair(2, 7));
    EXPECT_EQ(event.kind, StepEvent::Kind::GameOver);
}

TEST_F(Step, CrashesIntoTheTailsCellThoughTheTailWouldMoveOn) {
    laySnake(play, {{5, 5}, {6, 5}, {6, 6}, {5, 6}}, 'w');  // tail right above the head
    step();
    EXPECT_EQ(event.kind, StepEvent::Kind::Crashed);
    EXPECT_EQ(play.lives, 2);
}

TEST_F(Step, ACrashKeepsTheHeading) {
    laySnake(play, {{5, 5}, {5, 4}, {4, 4}, {4, 5}}, 'w');
    play.nextDirection = 'a';  // left of the head is body
    play.lives = 1;            // game over, so the snake is not replaced
    step();
    EXPECT_EQ(play.direction, 'w');
    EXPECT_EQ(head(), std::make_pair(5, 5));
}

TEST_F(Step, EatingInFrontScoresGrowsAndAsksForABurstThere) {
    moveBerry(play, 4, 10, 11);
    laySnake(play, {{10, 10}, {10, 9}, {10, 8}, {10, 7}}, 'w');
    step();
    const std::string placed = "Placing berry at: " + std::to_string(play.berries[4]->x()) + "," +
                               std::to_string(play.berries[4]->y());
    EXPECT_EQ(output, "Berry index infront: 4\n" + placed + "\n");
    EXPECT_EQ(event.kind, StepEvent::Kind::Ate);
    EXPECT_TRUE(event.burst);
    EXPECT_EQ(std::make_pair(event.x, event.y), std::make_pair(10, 11));
    EXPECT_EQ(play.score, 1);
    EXPECT_EQ(snakeLength(play), 5);
    EXPECT_EQ(snakeTail(play)->x, 10);
    EXPECT_EQ(snakeTail(play)->y, 11);  // the new segment lies on the head's cell
    EXPECT_EQ(play.board.at(10, 11), kBody);
}

TEST_F(Step, GrowsUpToAScoreOf301AndNotAfter) {
    moveBerry(play, 1, 10, 11);
    laySnake(play, {{10, 10}, {10, 9}, {10, 8}, {10, 7}}, 'w');
    play.score = 300;
    step();
    EXPECT_EQ(play.score, 301);
    EXPECT_EQ(snakeLength(play), 5);

    moveBerry(play, 2, 10, 12);
    step();
    EXPECT_EQ(play.score, 302);
    EXPECT_EQ(snakeLength(play), 5);
}

TEST_F(Step, EatingAcrossTheWallScoresAndGrowsButMakesNoBurst) {
    moveBerry(play, 9, 19, 7);
    laySnake(play, {{2, 7}, {3, 7}, {4, 7}, {5, 7}}, 'a');
    const ParticleEmitter* burst = play.emitter.get();
    step();
    EXPECT_EQ(head(), std::make_pair(19, 7));
    EXPECT_EQ(play.score, 1);
    EXPECT_EQ(snakeLength(play), 5);
    EXPECT_EQ(play.emitter.get(), burst);
    EXPECT_FALSE(event.burst);
    EXPECT_EQ(output.find("Berry index infront"), std::string::npos);
    EXPECT_EQ(output.rfind("Placing berry at: ", 0), 0u);
}

TEST_F(Step, AStrayBerryMarkTouchesNoBerry) {
    laySnake(play, {{10, 10}, {10, 9}, {10, 8}, {10, 7}}, 'w');
    play.board.at(10, 11) = kBerry;  // no berry lies there
    step();
    EXPECT_EQ(output.rfind("Berry index infront: 0\n", 0), 0u) << output;
    EXPECT_EQ(play.score, 0);
    EXPECT_EQ(head(), std::make_pair(10, 11));
}
