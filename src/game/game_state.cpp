// The one game-wide instance of the game state.
#include "game/game_state.h"

GameState game;
