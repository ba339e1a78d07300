// Helpers for tests of the game's rules on a Play of their own: no shell, no GL.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "game/game_state.h"
#include "game/replay_run.h"

// A Play set up as New Game does, with the generator seeded as the game's default; quiet.
class PlayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void start();
    Play play;
};

// Places berry k again until it lies on (x, y), which must be free; its old mark is cleared.
void moveBerry(Play& play, int k, int x, int y);

// Moves the ten berries to (3..12, 17), out of the way of the cells step tests use.
void parkBerries(Play& play);

// Replaces the snake by one whose segments lie on the given cells, head first, heading
// `heading`, and refreshes the board.
void laySnake(Play& play, std::initializer_list<std::pair<int, int>> cells, char heading);

// Number of segments in the snake (0 when there is none), and its last one.
int32_t snakeLength(const Play& play);
const SnakeSegment* snakeTail(const Play& play);

// Plays a recorded game of up to `steps` steps, turning as `turns` says (step, heading) straight
// into nextDirection, as a forger might, then lets lastly() act before the recording ends with
// Escape.
Replay recordGame(Play& play, std::vector<std::pair<int, char>> turns, int32_t steps,
                  const std::function<void(Play&)>& lastly = {});
