// The keyboard: GLUT's key-press and key-release callbacks. They only translate a key into an
// action (actionForKey, the one place that knows which keys mean what) and hand it on.
#pragma once

#include "app/actions.h"

constexpr unsigned char kKeyEnter = 13;
constexpr unsigned char kKeyEscape = 27;

// w, s, a, d, Enter and Escape (and space and f, for a replay); anything else, capitals too,
// is no action.
Action actionForKey(unsigned char key);

// A key read by its place (see platform/layout_keys.h), pressed or released.
void placeKeyDown(unsigned char key);
void placeKeyUp(unsigned char key);

void keyDown(unsigned char key, int x, int y);
void keyUp(unsigned char key, int x, int y);
