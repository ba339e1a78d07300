// The three menu screens, drawn in yellow stroke text over the background: main menu,
// high scores and settings. They only draw; the keyboard works them.
#pragma once

#include <cstdint>

struct Menus;
struct Play;
struct ScoreBook;

void drawMainMenu(const Menus& menus);
void drawHighScoreScreen(const Menus& menus, const ScoreBook& book);
void drawSettingsScreen(const Menus& menus, const Play& play);
