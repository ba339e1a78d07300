// The snake's body: a singly linked list of segments, head first, reached through
// game.snakeFirst. The list owns its segments; a snake only ever shrinks by being replaced
// whole through createSnake.
#pragma once

#include <cstdint>
#include <memory>

struct SnakeSegment {
    int32_t x = 0;
    int32_t y = 0;
    std::unique_ptr<SnakeSegment> next;  // toward the tail; null in the tail

    SnakeSegment(int32_t cellX, int32_t cellY) : x(cellX), y(cellY) {}
    // Unlinks the chain behind it one node at a time, so that releasing a long snake never
    // recurses once per segment.
    ~SnakeSegment();
    SnakeSegment(const SnakeSegment&) = delete;
    SnakeSegment& operator=(const SnakeSegment&) = delete;
};

// A new snake of extra + 1 segments, all on (x, y), heading "w". Replaces (and releases) the
// previous one. Leaves snakeLast on the tail.
void createSnake(int32_t x, int32_t y, int32_t extra);

// One segment on (x, y) behind the tail; snakeLast ends on it.
void appendSegment(int32_t x, int32_t y);

// Number of segments in the current snake (0 when there is none).
int32_t snakeLength();
