// Steering on any keyboard layout. GLUT hands the game only the character the active layout
// makes of a key; a layout without Latin letters (Russian, Greek, Hebrew, Thai, ...) makes
// none of w, a, s and d. Such keys are read by their place on the keyboard instead: the keys
// where a US keyboard has w, a, s and d stand for those letters. Layouts that give a key a
// Latin letter keep it: AZERTY's w is where a US keyboard has z.
#pragma once

#include <string_view>

// The letter for the key at an XKB key position (AD02, AC01, AC02, AC03 are the US w, a, s,
// d), or '\0' for any other key. shifted (Shift or Caps Lock, not both) gives the capital,
// which the game ignores as it ignores a typed "W".
char letterAtKeyPosition(std::string_view xkbKeyName, bool shifted);

// The same for a Windows virtual-key code ('W', 'A', 'S', 'D' name the keys by position).
char letterForVirtualKey(int virtualKey, bool shifted);

// Starts watching the game's window for such keys (once it exists).
void watchLayoutKeys();
// Hands over the presses and releases of such keys since the last call, in order; keys the
// layout gave a Latin letter never come this way, as GLUT delivered them already.
void takeLayoutKeys(void (*press)(unsigned char key), void (*release)(unsigned char key));
// The same, called as GLUT delivers a key: hands over only those read before that key, so that
// keys are handled in the order they were typed (a place key's release, then Enter) however
// many arrive between two frames.
void takeLayoutKeysBefore(void (*press)(unsigned char key), void (*release)(unsigned char key));
