// The one game state of the process.
#include "app/game.h"

GameState game;
