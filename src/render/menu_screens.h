// The three menu screens, drawn in yellow stroke text over the background: main menu,
// high scores and settings. They only draw; the keyboard works them.
#pragma once

void drawMainMenu();
void drawHighScoreScreen();
void drawSettingsScreen();
