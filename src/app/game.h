// The one game state of the process, which lives as long as it does. Only the shell (and its
// tests) touch it; logic and drawing take the parts they need.
#pragma once

#include "game/game_state.h"

extern GameState game;
