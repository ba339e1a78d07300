// The snake's body: a singly linked list of segments, head first, reached through the game
// state's snakeFirst. The list owns its segments; a snake only ever shrinks by being replaced
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

// The snake grows by one segment for each berry while score + 3 stays at most this, so it is
// never longer than kLongestSnake segments and the field (324 cells) always keeps room for
// the ten berries.
constexpr int32_t kGrowthBound = 304;
constexpr int32_t kLongestSnake = kGrowthBound + 1;

struct Play;

// A new snake of extra + 1 segments, all on (x, y), heading "w": the state's snakeFirst,
// direction and nextDirection. Replaces (and releases) the previous one.
void createSnake(Play& play, int32_t x, int32_t y, int32_t extra);

// One segment on (x, y) behind the tail of the snake whose head is given.
void appendSegment(SnakeSegment& head, int32_t x, int32_t y);
