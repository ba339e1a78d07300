// The live game's session: it opens the high-score table, its games are recorded (it owns the
// recorder, and through it the replay folder), game over enters the table and holds "GAME
// OVER" for a second, and the game waits while its window can't be played.
//
// The game stops while its keys would go to another window or it can't be seen (the platform
// says whether the window has the keys and whether it is hidden; the frame driver draws nothing
// for a hidden window), only on the game screen: nothing moves and "PAUSED" stands over the
// board. Once the window can be played again, "3", "2" and "1" stand there a second each and
// the game goes on; the count starts again if the window goes away meanwhile. The wait and the
// count count no time: the step timer, the burst and the picture go on from where they stood.
// Keys keep their effects.
#pragma once

#include <memory>

#include "app/session.h"

std::unique_ptr<Session> liveSession();

// How long each number of the count stands.
constexpr int32_t kCountStepMs = 1000;
// Another program's keyboard grab shorter than this (a hotkey pressed: volume, a screenshot, a
// window manager's shortcut) stands the game without a word and costs nothing more: it goes on
// at once when the grab ends. A longer one (a screen locker, a menu held open) is a wait like
// any other: PAUSED from this moment on, then the count.
constexpr int32_t kShortGrabMs = 1000;
