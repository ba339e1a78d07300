// Berry placement's exclusions, lookup and eating. Where a seed puts the berries, the golden
// run pins.
#include <gtest/gtest.h>

#include <set>

#include "play_helpers.h"

TEST_F(PlayTest, PlacementAvoidsSnakeBerriesAndTheSpawnCell) {
    resetBoard(play.board);
    // Leave only (4, 4), (4, 5) and the spawn cell unmarked.
    for (int x = kFieldFirst; x <= kFieldLast; ++x) {
        for (int y = kFieldFirst; y <= kFieldLast; ++y) {
            play.board.at(x, y) = "125"[(x + y) % 3];
        }
    }
    play.board.at(4, 4) = kEmpty;
    play.board.at(4, 5) = kEmpty;
    play.board.at(kSpawnX, kSpawnY) = kEmpty;
    testing::internal::CaptureStdout();
    Berry first(play.board);
    Berry second(play.board);
    testing::internal::GetCapturedStdout();
    std::set<std::pair<int, int>> cells = {{first.x(), first.y()}, {second.x(), second.y()}};
    EXPECT_EQ(cells, (std::set<std::pair<int, int>>{{4, 4}, {4, 5}}));
}

TEST_F(PlayTest, FindBerryAtLooksAtAllTenAndAnswersZeroForNone) {
    start();
    EXPECT_EQ(findBerryAt(play.berries, play.berries[10]->x(), play.berries[10]->y()), 10);
    EXPECT_EQ(findBerryAt(play.berries, play.berries[1]->x(), play.berries[1]->y()), 1);
    EXPECT_EQ(findBerryAt(play.berries, kSpawnX, kSpawnY), 0);
    EXPECT_EQ(findBerryAt(play.berries, 1, 1), 0);
}

TEST_F(PlayTest, EatingScoresOnceAndMovesTheBerryLeavingTheOldMark) {
    start();
    Berry& berry = *play.berries[5];
    const int oldX = berry.x(), oldY = berry.y();
    testing::internal::CaptureStdout();
    berry.eat(play.board, play.score);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(play.score, 1);
    EXPECT_TRUE(berry.x() != oldX || berry.y() != oldY);
    EXPECT_EQ(play.board.at(oldX, oldY), kBerry);
    EXPECT_EQ(play.board.at(berry.x(), berry.y()), kBerry);
    EXPECT_EQ(output, "Placing berry at: " + std::to_string(berry.x()) + "," +
                          std::to_string(berry.y()) + "\n");
}

TEST_F(PlayTest, TheScoreStopsAtItsLargestValueInsteadOfWrapping) {
    start();
    play.score = INT16_MAX - 1;
    testing::internal::CaptureStdout();
    play.berries[1]->eat(play.board, play.score);
    play.berries[1]->eat(play.board, play.score);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(play.score, INT16_MAX);
}
