// Building the snake's segment list: create, append, and releasing a replaced list.
#include "game/snake.h"

#include "game/game_state.h"

SnakeSegment::~SnakeSegment() {
    std::unique_ptr<SnakeSegment> rest = std::move(next);
    while (rest) {
        rest = std::move(rest->next);
    }
}

void createSnake(Play& play, int32_t x, int32_t y, int32_t extra) {
    play.direction = 'w';
    play.nextDirection = 'w';
    play.snakeFirst = std::make_unique<SnakeSegment>(x, y);
    SnakeSegment* tail = play.snakeFirst.get();
    for (int32_t i = 0; i < extra; ++i) {
        tail->next = std::make_unique<SnakeSegment>(x, y);
        tail = tail->next.get();
    }
}

void appendSegment(SnakeSegment& head, int32_t x, int32_t y) {
    // Walks from the head to the tail: a snake of a few hundred segments makes this a few
    // hundred steps once per berry.
    SnakeSegment* tail = &head;
    while (tail->next) {
        tail = tail->next.get();
    }
    tail->next = std::make_unique<SnakeSegment>(x, y);
}
