// Berry placement's exclusions, lookup and eating. Where a seed puts the berries, the golden
// run pins.
#include <gtest/gtest.h>

#include <set>

#include "game_test.h"

TEST_F(GameTest, PlacementAvoidsSnakeBerriesAndTheSpawnCell) {
    resetBoard(game.board);
    // Leave only (4, 4), (4, 5) and the spawn cell unmarked.
    for (int x = kFieldFirst; x <= kFieldLast; ++x) {
        for (int y = kFieldFirst; y <= kFieldLast; ++y) {
            game.board.at(x, y) = "125"[(x + y) % 3];
        }
    }
    game.board.at(4, 4) = kEmpty;
    game.board.at(4, 5) = kEmpty;
    game.board.at(kSpawnX, kSpawnY) = kEmpty;
    testing::internal::CaptureStdout();
    Berry first(game.board);
    Berry second(game.board);
    testing::internal::GetCapturedStdout();
    std::set<std::pair<int, int>> cells = {{first.x(), first.y()}, {second.x(), second.y()}};
    EXPECT_EQ(cells, (std::set<std::pair<int, int>>{{4, 4}, {4, 5}}));
}

TEST_F(GameTest, FindBerryAtLooksAtAllTenAndAnswersZeroForNone) {
    startTestGame();
    EXPECT_EQ(findBerryAt(game.berries, game.berries[10]->x(), game.berries[10]->y()), 10);
    EXPECT_EQ(findBerryAt(game.berries, game.berries[1]->x(), game.berries[1]->y()), 1);
    EXPECT_EQ(findBerryAt(game.berries, kSpawnX, kSpawnY), 0);
    EXPECT_EQ(findBerryAt(game.berries, 1, 1), 0);
}

TEST_F(GameTest, EatingScoresOnceAndMovesTheBerryLeavingTheOldMark) {
    startTestGame();
    Berry& berry = *game.berries[5];
    const int oldX = berry.x(), oldY = berry.y();
    testing::internal::CaptureStdout();
    berry.eat(game.board, game.score);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(game.score, 1);
    EXPECT_TRUE(berry.x() != oldX || berry.y() != oldY);
    EXPECT_EQ(game.board.at(oldX, oldY), kBerry);
    EXPECT_EQ(game.board.at(berry.x(), berry.y()), kBerry);
    EXPECT_EQ(output, "Placing berry at: " + std::to_string(berry.x()) + "," +
                          std::to_string(berry.y()) + "\n");
}

TEST_F(GameTest, TheScoreStopsAtItsLargestValueInsteadOfWrapping) {
    startTestGame();
    game.score = INT16_MAX - 1;
    testing::internal::CaptureStdout();
    game.berries[1]->eat(game.board, game.score);
    game.berries[1]->eat(game.board, game.score);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(game.score, INT16_MAX);
}
