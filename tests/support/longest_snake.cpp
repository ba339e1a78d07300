// The longest snake, laid once for the tests and the frame benchmark.
#include "longest_snake.h"

#include "game/snake.h"

void layLongestSnake(Play& play) {
    createSnake(play, kFieldFirst, kFieldFirst, 0);
    int laid = 1;
    for (int y = kFieldFirst; y <= kFieldLast && laid < kLongestSnake; ++y) {
        for (int x = kFieldFirst; x <= kFieldLast && laid < kLongestSnake; ++x) {
            if ((x == kFieldFirst && y == kFieldFirst) || (x == kSpawnX && y == kSpawnY)) {
                continue;
            }
            appendSegment(*play.snakeFirst, x, y);
            ++laid;
        }
    }
}
