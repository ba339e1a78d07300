// The one game-wide instance of the game state.
#include "app/game_state.h"

GameState game;
