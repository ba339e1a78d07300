// The window-system calls GLUT doesn't make for us, made once the game's window exists.
#pragma once

// Held keys arrive as repeated presses and one release at the end, instead of a release before
// every repeat, so that the menu cooldown meters them.
void enableDetectableAutoRepeat();

// Asks the display to swap buffers once per refresh, where it offers a way to.
void requestVsync();
