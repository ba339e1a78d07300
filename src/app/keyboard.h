// Keyboard input: GLUT's key-press and key-release callbacks, and the two actions the main
// menu starts. Menu screens are metered by keyCooldown, which a press sets, the frame driver
// counts down and any release clears.
#pragma once

#include <cstdint>

constexpr unsigned char kKeyEnter = 13;
constexpr unsigned char kKeyEscape = 27;

void keyDown(unsigned char key, int x, int y);
void keyUp(unsigned char key, int x, int y);

// Score 0, three lives, a fresh board, a four-segment snake on the spawn cell, ten berries,
// a new (invisible) burst, and the game screen.
void newGame();

// Saves the high-score table and ends the process: status 0, or 1 when the save failed.
[[noreturn]] void saveAndExit();

// Saves the high-score table after the display went away, says so on standard error and ends
// the process with status 3 (1 when the table could not be saved).
[[noreturn]] void saveAfterLostDisplay();
