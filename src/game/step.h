// The snake's step: look at the cell in front of the head in nextDirection and move, eat,
// pass through the wall to the far side of the field, or crash into the body.
#pragma once

#include <cstdint>

// Longest the snake grows: it grows for each berry while score + 3 stays at most this.
constexpr int32_t kGrowthBound = 304;

void stepSnake();
// Takes nextDirection as the heading and moves the head one cell, the body following.
void moveForward();
// Takes nextDirection as the heading and puts the head on the first field cell across the
// field, the body following.
void moveThroughWall();
// Each segment behind the head takes the cell its predecessor held; (px, py) is the cell the
// head has just left.
void followHead(int32_t px, int32_t py);
