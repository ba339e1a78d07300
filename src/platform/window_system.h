// The window-system calls GLUT doesn't make for us: whether there is a display at all, and,
// once the game's window exists, how the desktop knows it and how it repeats keys and swaps.
#pragma once

#include <string>

// Empty when a display can be opened; otherwise one sentence saying what is missing.
std::string displayProblem();

// Tells the desktop which application the window belongs to (class "orvel", matching the
// menu entry) and gives it the game's icon.
void identifyWindow();

// Calls lost (which must not return) when the connection to the display breaks: the X server
// went away or the session ended.
void onDisplayLost(void (*lost)());

// Held keys arrive as repeated presses and one release at the end, instead of a release before
// every repeat, so that the menu cooldown meters them.
void enableDetectableAutoRepeat();

// Asks the display to swap buffers once per refresh, where it offers a way to. True when it
// did, so that a swap waits for the display.
bool requestVsync();
