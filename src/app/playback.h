// Playing a recorded game back in the game's own window: the recorded turns steer, the frame
// driver keeps the recorded difficulty's pace, and the picture (berries, bursts, score, lives,
// crash pauses, GAME OVER) is the game's, with a line above the board saying "REPLAY",
// "REPLAY 4x" or "PAUSED". Escape stops, space pauses the whole picture and resumes, f switches
// between normal speed and four times. At the end the last picture holds for two seconds, one
// line says whether the replay matched, and the game exits: 0 when it matched or was stopped,
// 4 when it did not match.
#pragma once

#include <cstdint>
#include <string>

#include "app/actions.h"
#include "game/replay.h"
#include "game/step.h"

// Starts playing replay (read from path) on the game's play: the generator at the recorded
// position, a new game at the recorded difficulty, the game screen.
void beginPlayback(Replay replay, const std::string& path);
bool playingBack();

// The frame's milliseconds as the playback counts them: none while paused, four times as many
// at 4x.
int32_t playbackTime(int32_t elapsedMs);
// Around each step: the recorded turn before it; after it, whether the recording has ended.
void playbackBeforeStep();
void playbackAfterStep(const StepEvent& event);
bool playbackOver();
// While paused the whole picture stands still: the burst, the background and the spheres.
bool playbackFrozen();
// The picture's time, moved on by the milliseconds played this frame (none while paused).
int32_t playbackPictureTime(int32_t playedMs);
// The line above the board: "REPLAY", "REPLAY 4x" or "PAUSED".
std::string playbackLabel();
// Escape, space and f while playing back.
void playbackAction(Action action);
// Holds the last picture, says whether the replay matched, and exits.
[[noreturn]] void finishPlayback();
