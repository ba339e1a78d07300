// A new game's play.
#include "game/game_state.h"

#include "game/board.h"
#include "game/snake.h"

void startNewGame(Play& play) {
    play.score = 0;
    play.lives = 3;
    resetBoard(play.board);
    createSnake(play, kSpawnX, kSpawnY, play.score + 3);
    createBerries(play.berries, play.board);
    // Far off the board, so that it never shows: the burst of the first berry replaces it.
    play.emitter = std::make_unique<ParticleEmitter>(100.0, 100.0);
}
