// The game's actions and what they do: the keys (or anything else that drives the game) only
// name an action; applyAction works it on the state at once. New Game and Exit live here too.
#pragma once

#include <cstdint>

// What a player asks for. On a menu, Up and Down move the marker and Choose acts on the
// marked row; in a game, the four directions steer and Back leaves for the main menu.
// Pause and Faster work only while a recorded game plays back.
enum class Action { None, Up, Down, Left, Right, Choose, Back, Pause, Faster };

// Works a press of action on the state. Menu presses are dropped while the key cooldown runs;
// each one that counts sets a new cooldown.
void applyAction(Action action);
// Any key's release: the cooldown ends.
void applyRelease();

// Score 0, three lives, a fresh board, a four-segment snake on the spawn cell, ten berries,
// a new (invisible) burst, and the game screen.
void newGame();

// Saves the high-score table and ends the process: status 0, or 1 when the save failed.
[[noreturn]] void saveAndExit();

// Saves the high-score table after the display went away, says so on standard error and ends
// the process with status 3 (1 when the table could not be saved).
[[noreturn]] void saveAfterLostDisplay();
