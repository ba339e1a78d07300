// After every step: the board's marks rebuilt from the snake and the berries; and the crash
// into the body, which costs a life or, on the last one, ends the game.
#pragma once

#include <cstdint>

#include "game/berry.h"
#include "game/board.h"
#include "game/snake.h"

// Most extra segments a restarted snake gets: it is never longer than a grown one, so that
// berry placement always finds a free cell.
constexpr int32_t kMaxRestartExtra = kLongestSnake - 1;

struct Play;

// Field cells to "0", then the head "5", the body "1" and the berries "2" in that order, and
// an "INTERSECT AT: " line for every berry that lies under a segment. Walls stay untouched.
void refreshBoard(Board& board, const SnakeSegment& head, const Berries& berries);

// Takes a life and restarts the snake on the spawn cell, longer by score / difficulty; true,
// with nothing changed, when it was the last life and the game is over.
bool loseLife(Play& play);
