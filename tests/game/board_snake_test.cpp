// The board's reset and the segment list's create and append.
#include <gtest/gtest.h>

#include "game/board.h"
#include "game/snake.h"
#include "play_helpers.h"

namespace {

// The board and the snake on a state of their own, not the shell's.
class BoardAndSnake : public testing::Test {
protected:
    int countCells(char c) const {
        int n = 0;
        for (int x = 1; x <= kBoardSize; ++x) {
            for (int y = 1; y <= kBoardSize; ++y) {
                n += state.board.at(x, y) == c;
            }
        }
        return n;
    }
    Play state;
};

}  // namespace

TEST_F(BoardAndSnake, ResetBoardWallsTheBorderAndEmptiesTheField) {
    state.board.at(5, 5) = kBody;
    resetBoard(state.board);
    for (const auto& [x, y] : {std::pair{1, 1}, {20, 20}, {1, 10}, {10, 20}}) {
        EXPECT_EQ(state.board.at(x, y), kWall) << x << "," << y;
    }
    for (const auto& [x, y] : {std::pair{2, 2}, {19, 19}, {10, 10}, {5, 5}}) {
        EXPECT_EQ(state.board.at(x, y), kEmpty) << x << "," << y;
    }
    EXPECT_EQ(countCells(kWall), 76);
    EXPECT_EQ(countCells(kEmpty), 324);
}

TEST_F(BoardAndSnake, CreateSnakeStacksItsSegmentsOnOneCell) {
    createSnake(state, 10, 10, 3);
    EXPECT_EQ(snakeLength(state), 4);
    for (const SnakeSegment* s = state.snakeFirst.get(); s; s = s->next.get()) {
        EXPECT_EQ(s->x, 10);
        EXPECT_EQ(s->y, 10);
    }
    EXPECT_EQ(snakeTail(state), state.snakeFirst->next->next->next.get());
    EXPECT_EQ(state.direction, 'w');
    EXPECT_EQ(state.nextDirection, 'w');

    createSnake(state, 4, 5, 0);
    EXPECT_EQ(snakeLength(state), 1);
    createSnake(state, 4, 5, -2);
    EXPECT_EQ(snakeLength(state), 1);
}

TEST_F(BoardAndSnake, AppendSegmentAddsBehindTheTail) {
    createSnake(state, 10, 10, 3);
    const SnakeSegment* oldTail = snakeTail(state);
    appendSegment(*state.snakeFirst, 7, 8);
    EXPECT_EQ(snakeLength(state), 5);
    EXPECT_EQ(oldTail->next.get(), snakeTail(state));
    EXPECT_EQ(snakeTail(state)->x, 7);
    EXPECT_EQ(snakeTail(state)->y, 8);
}

TEST_F(BoardAndSnake, ASecondSnakeReplacesTheWholeList) {
    createSnake(state, 10, 10, 3);
    createSnake(state, 3, 4, 1);
    EXPECT_EQ(snakeLength(state), 2);
    EXPECT_EQ(state.snakeFirst->x, 3);
    EXPECT_EQ(snakeTail(state), state.snakeFirst->next.get());
}

TEST_F(BoardAndSnake, AVeryLongSnakeIsReleasedWithoutDeepRecursion) {
    createSnake(state, 10, 10, 0);
    SnakeSegment* tail = state.snakeFirst.get();
    for (int i = 0; i < 1000000; ++i) {  // appendSegment walks the list; link directly here
        tail->next = std::make_unique<SnakeSegment>(10, 10);
        tail = tail->next.get();
    }
    createSnake(state, 10, 10, 3);  // releases a million segments
    EXPECT_EQ(snakeLength(state), 4);
}
