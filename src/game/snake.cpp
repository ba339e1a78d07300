// Building the snake's segment list: create, append, and releasing a replaced list.
#include "game/snake.h"

#include "game/game_state.h"

SnakeSegment::~SnakeSegment() {
    std::unique_ptr<SnakeSegment> rest = std::move(next);
    while (rest) {
        rest = std::move(rest->next);
    }
}

void createSnake(int32_t x, int32_t y, int32_t extra) {
    game.direction = 'w';
    game.nextDirection = 'w';
    game.snakeFirst = std::make_unique<SnakeSegment>(x, y);
    game.snakeLast = game.snakeFirst.get();
    for (int32_t i = 0; i < extra; ++i) {
        appendSegment(x, y);
    }
}

void appendSegment(int32_t x, int32_t y) {
    // Walk from the head to the tail, as the cursor is defined to do; a snake of a few hundred
    // segments makes this a few hundred steps once per berry.
    game.snakeLast = game.snakeFirst.get();
    while (game.snakeLast->next) {
        game.snakeLast = game.snakeLast->next.get();
    }
    game.snakeLast->next = std::make_unique<SnakeSegment>(x, y);
    game.snakeLast = game.snakeLast->next.get();
}

int32_t snakeLength() {
    int32_t length = 0;
    for (const SnakeSegment* s = game.snakeFirst.get(); s; s = s->next.get()) {
        ++length;
    }
    return length;
}
