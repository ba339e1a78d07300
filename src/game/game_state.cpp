// A new game's state.
#include "game/game_state.h"

#include "game/board.h"
#include "game/snake.h"

void startNewGame(GameState& state) {
    state.score = 0;
    state.lives = 3;
    resetBoard(state.board);
    createSnake(state, kSpawnX, kSpawnY, state.score + 3);
    createBerries(state.berries, state.board);
    // Far off the board, so that it never shows: the burst of the first berry replaces it.
    state.emitter = std::make_unique<ParticleEmitter>(100.0, 100.0);
}
