// The three menu screens, drawn in yellow stroke text over the background: main menu,
// high scores and settings. They only draw; the keyboard works them.
#pragma once

#include <cstdint>

struct GameState;

void drawMainMenu(const GameState& state);
void drawHighScoreScreen(const GameState& state);
void drawSettingsScreen(const GameState& state);
