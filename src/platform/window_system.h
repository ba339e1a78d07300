// The window-system calls GLUT doesn't make for us: whether there is a display at all, and,
// once the game's window exists, how the desktop knows it and how it repeats keys and swaps.
#pragma once

#include <string>

// Empty when a display can be opened; otherwise one sentence saying what is missing.
std::string displayProblem();

// Whether the display only pretends to switch video modes: XWayland grants a mode to this one
// program and the compositor stretches its window over the whole output, so a 1280 x 1024
// mode on a 1920 x 1080 desktop distorts the picture. Told by the XWAYLAND extension or, on
// servers older than it, by RandR outputs named XWAYLANDn.
bool displayEmulatesModes();

// The largest size up to width x height whose window, with the frame the window manager puts
// around it, fits the desktop's work area (_NET_WORKAREA, else the screen).
void fitInWorkArea(int& width, int& height);

// Tells the desktop which application the window belongs to (class "orvel", matching the
// menu entry) and gives it the game's icon; the window has no border of its own.
void identifyWindow();

// Calls lost (which must not return) when the connection to the display breaks: the X server
// went away or the session ended.
void onDisplayLost(void (*lost)());

// From now on an X protocol error is said in one line on standard error, once for each kind,
// and the game goes on (Xlib's default would end it with status 1).
void reportDisplayErrors();
// Between these two calls protocol errors are only counted; the second waits until the display
// has answered every request sent so far and returns how many errors came.
void beginCountingDisplayErrors();
int endCountingDisplayErrors();
// Whether the display's current video mode is width x height, as a full-screen mode switch
// should have left it.
bool displayModeIs(int width, int height);

// Without a window manager nobody gives a window the keyboard focus: the server starts with it
// following the pointer (PointerRoot), and once the game-mode window that had it is gone it is
// nowhere. Called every frame; a few times a second it looks, and where no window manager runs
// and the focus is no client's window (PointerRoot, nowhere, the root window), gives it to the
// game's window. Another client's focused window keeps it.
void keepKeyboardFocus();

// Starts following the keyboard focus of the game's window, and whether it is hidden (once it
// exists).
void watchWindowFocus();
// Where the keys go: to the game's window; to another program that holds the keyboard grab
// while the window keeps the focus beneath it (a hotkey held down, a screen locker), to come
// back to the window when the grab ends; or to another window. To the game's window before it
// ever had the focus.
enum class KeysGo { ToWindow, ToGrab, Elsewhere };
KeysGo whereKeysGo();
// Whether the game's window is hidden: unmapped or minimised, so that nothing drawn in it can
// be seen. Covered by other windows is not hidden. Followed from watchWindowFocus on.
bool windowHidden();

// Held keys arrive as repeated presses and one release at the end, instead of a release before
// every repeat, so that the menu cooldown meters them.
void enableDetectableAutoRepeat();

// Asks the display to swap buffers once per refresh, where it offers a way to. True when it
// did, so that a swap waits for the display.
bool requestVsync();
