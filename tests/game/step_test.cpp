// The snake step: moving, passing through the walls, crashing, eating in front and across the
// wall, and growing up to its bound.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "fake_platform.h"
#include "game/collisions.h"
#include "game/step.h"
#include "game_test.h"

namespace {

class Step : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        startTestGame();
        parkBerries();
    }
    // A step as the frame driver runs it: the step, what the driver does about it, the
    // board refresh.
    void step() {
        testing::internal::CaptureStdout();
        event = stepSnake(game);
        actOnStep(event);
        output = testing::internal::GetCapturedStdout();
        refreshBoard(game.board, *game.snakeFirst, game.berries);
    }
    std::pair<int, int> head() const { return {game.snakeFirst->x, game.snakeFirst->y}; }
    std::string output;
    StepEvent event;
};

}  // namespace

TEST_F(Step, MovesTheHeadAndTheBodyFollows) {
    laySnake({{10, 10}, {10, 9}, {10, 8}, {10, 7}}, 'w');
    step();
    EXPECT_EQ(head(), std::make_pair(10, 11));
    EXPECT_EQ(game.snakeFirst->next->y, 10);
    EXPECT_EQ(snakeTail(game)->y, 8);
    EXPECT_EQ(game.direction, 'w');
    EXPECT_EQ(game.board.at(10, 7), kEmpty);
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
        laySnake({c.from, c.from, c.from, c.from}, c.heading);
        step();
        EXPECT_EQ(head(), c.to) << c.heading;
        EXPECT_EQ(game.snakeFirst->next->x, c.from.first);
        EXPECT_EQ(game.direction, c.heading);
    }
}

TEST_F(Step, CrashesIntoTheBodyAcrossTheWall) {
    laySnake({{2, 7}, {3, 7}, {4, 7}, {19, 7}}, 'a');
    game.lives = 1;  // the last life: the snake stays where it crashed
    step();
    EXPECT_EQ(head(), std::make_pair(2, 7));
    EXPECT_EQ(event.kind, StepEvent::Kind::GameOver);
    EXPECT_EQ(game.screen, HighScores);
    EXPECT_EQ(fakeplatform::sleeps(), std::vector<int32_t>{1000});
}

TEST_F(Step, CrashesIntoTheTailsCellThoughTheTailWouldMoveOn) {
    laySnake({{5, 5}, {6, 5}, {6, 6}, {5, 6}}, 'w');  // tail right above the head
    step();
    EXPECT_EQ(fakeplatform::sleeps().size(), 1u);
    EXPECT_EQ(event.kind, StepEvent::Kind::Crashed);
    EXPECT_EQ(game.lives, 2);
}

TEST_F(Step, ACrashKeepsTheHeading) {
    laySnake({{5, 5}, {5, 4}, {4, 4}, {4, 5}}, 'w');
    game.nextDirection = 'a';  // left of the head is body
    game.lives = 1;            // game over, so the snake is not replaced
    step();
    EXPECT_EQ(game.direction, 'w');
    EXPECT_EQ(head(), std::make_pair(5, 5));
}

TEST_F(Step, EatingInFrontScoresGrowsAndBurstsWithThreeLinesInOrder) {
    moveBerry(4, 10, 11);
    laySnake({{10, 10}, {10, 9}, {10, 8}, {10, 7}}, 'w');
    step();
    const std::string placed = "Placing berry at: " + std::to_string(game.berries[4]->x()) + "," +
                               std::to_string(game.berries[4]->y());
    EXPECT_EQ(output, "Berry index infront: 4\n" + placed + "\ncreating an emitter at: 10,11\n");
    EXPECT_EQ(game.score, 1);
    EXPECT_EQ(snakeLength(game), 5);
    EXPECT_EQ(snakeTail(game)->x, 10);
    EXPECT_EQ(snakeTail(game)->y, 11);  // the new segment lies on the head's cell
    EXPECT_EQ(game.board.at(10, 11), kBody);
    ASSERT_NE(game.emitter, nullptr);
    EXPECT_DOUBLE_EQ(game.emitter->particles().front().x(), 10.0);
    EXPECT_DOUBLE_EQ(game.emitter->particles().front().y(), 11.0);
}

TEST_F(Step, GrowsUpToAScoreOf301AndNotAfter) {
    moveBerry(1, 10, 11);
    laySnake({{10, 10}, {10, 9}, {10, 8}, {10, 7}}, 'w');
    game.score = 300;
    step();
    EXPECT_EQ(game.score, 301);
    EXPECT_EQ(snakeLength(game), 5);

    moveBerry(2, 10, 12);
    step();
    EXPECT_EQ(game.score, 302);
    EXPECT_EQ(snakeLength(game), 5);
}

TEST_F(Step, EatingAcrossTheWallScoresAndGrowsButMakesNoBurst) {
    moveBerry(9, 19, 7);
    laySnake({{2, 7}, {3, 7}, {4, 7}, {5, 7}}, 'a');
    const ParticleEmitter* burst = game.emitter.get();
    step();
    EXPECT_EQ(head(), std::make_pair(19, 7));
    EXPECT_EQ(game.score, 1);
    EXPECT_EQ(snakeLength(game), 5);
    EXPECT_EQ(game.emitter.get(), burst);
    EXPECT_EQ(output.find("Berry index infront"), std::string::npos);
    EXPECT_EQ(output.find("creating an emitter"), std::string::npos);
    EXPECT_EQ(output.rfind("Placing berry at: ", 0), 0u);
}

TEST_F(Step, AStrayBerryMarkTouchesNoBerry) {
    laySnake({{10, 10}, {10, 9}, {10, 8}, {10, 7}}, 'w');
    game.board.at(10, 11) = kBerry;  // no berry lies there
    step();
    EXPECT_EQ(output.rfind("Berry index infront: 0\n", 0), 0u) << output;
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(head(), std::make_pair(10, 11));
}
