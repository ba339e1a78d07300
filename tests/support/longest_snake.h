// The longest snake the game allows (kLongestSnake, 305 segments), as the tests and the frame
// benchmark lay it: row by row over the field around the spawn cell.
#pragma once

#include "game/game_state.h"

// Replaces the snake by the longest one, its head on the field's first cell; the board's marks
// are left for the caller to refresh.
void layLongestSnake(Play& play);
