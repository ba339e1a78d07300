// The board's reset and the segment list's create and append.
#include <gtest/gtest.h>

#include "game/board.h"
#include "game/snake.h"
#include "game_test.h"

namespace {
int countCells(char c) {
    int n = 0;
    for (int x = 1; x <= kBoardSize; ++x) {
        for (int y = 1; y <= kBoardSize; ++y) {
            n += game.board.at(x, y) == c;
        }
    }
    return n;
}
}  // namespace

TEST_F(GameTest, ResetBoardWallsTheBorderAndEmptiesTheField) {
    game.board.at(5, 5) = kBody;
    resetBoard(game.board);
    for (const auto& [x, y] : {std::pair{1, 1}, {20, 20}, {1, 10}, {10, 20}}) {
        EXPECT_EQ(game.board.at(x, y), kWall) << x << "," << y;
    }
    for (const auto& [x, y] : {std::pair{2, 2}, {19, 19}, {10, 10}, {5, 5}}) {
        EXPECT_EQ(game.board.at(x, y), kEmpty) << x << "," << y;
    }
    EXPECT_EQ(countCells(kWall), 76);
    EXPECT_EQ(countCells(kEmpty), 324);
}

TEST_F(GameTest, CreateSnakeStacksItsSegmentsOnOneCell) {
    createSnake(game, 10, 10, 3);
    EXPECT_EQ(snakeLength(game), 4);
    for (const SnakeSegment* s = game.snakeFirst.get(); s; s = s->next.get()) {
        EXPECT_EQ(s->x, 10);
        EXPECT_EQ(s->y, 10);
    }
    EXPECT_EQ(snakeTail(game), game.snakeFirst->next->next->next.get());
    EXPECT_EQ(game.direction, 'w');
    EXPECT_EQ(game.nextDirection, 'w');

    createSnake(game, 4, 5, 0);
    EXPECT_EQ(snakeLength(game), 1);
    createSnake(game, 4, 5, -2);
    EXPECT_EQ(snakeLength(game), 1);
}

TEST_F(GameTest, AppendSegmentAddsBehindTheTail) {
    createSnake(game, 10, 10, 3);
    const SnakeSegment* oldTail = snakeTail(game);
    appendSegment(*game.snakeFirst, 7, 8);
    EXPECT_EQ(snakeLength(game), 5);
    EXPECT_EQ(oldTail->next.get(), snakeTail(game));
    EXPECT_EQ(snakeTail(game)->x, 7);
    EXPECT_EQ(snakeTail(game)->y, 8);
}

TEST_F(GameTest, ASecondSnakeReplacesTheWholeList) {
    createSnake(game, 10, 10, 3);
    createSnake(game, 3, 4, 1);
    EXPECT_EQ(snakeLength(game), 2);
    EXPECT_EQ(game.snakeFirst->x, 3);
    EXPECT_EQ(snakeTail(game), game.snakeFirst->next.get());
}

TEST_F(GameTest, AVeryLongSnakeIsReleasedWithoutDeepRecursion) {
    createSnake(game, 10, 10, 0);
    SnakeSegment* tail = game.snakeFirst.get();
    for (int i = 0; i < 1000000; ++i) {  // appendSegment walks the list; link directly here
        tail->next = std::make_unique<SnakeSegment>(10, 10);
        tail = tail->next.get();
    }
    createSnake(game, 10, 10, 3);  // releases a million segments
    EXPECT_EQ(snakeLength(game), 4);
}
