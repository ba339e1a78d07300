// Playing a recorded game back in the game's own window: the recorded turns steer, the frame
// driver keeps the recorded difficulty's pace, and the picture (berries, bursts, score, lives,
// crash pauses, GAME OVER) is the game's, with a line above the board saying "REPLAY",
// "REPLAY 4x" or "PAUSED". Escape stops, space pauses the whole picture and resumes, f switches
// between normal speed and four times. At the end the last picture holds for two seconds, one
// line says whether the replay matched, and the game exits: 0 when it matched or was stopped,
// 4 when it did not match. Playback never opens the high-score table.
#pragma once

#include <memory>
#include <string>

#include "app/session.h"
#include "game/replay_run.h"

// How playback ends the process, with a status: exitProcess, or what a test puts there.
using EndProcess = void (*)(int status);

// The session that plays replay (read from path) back. Its begin sets the game up as the
// recording's New Game found it (the generator at the recorded position, a new game at the
// recorded difficulty) on the game screen. It runs on time of its own (none while paused or
// over, four times as much at 4x), and paused, its whole picture stands still; at the end it
// holds the last picture, says whether the replay matched, and ends the process.
std::unique_ptr<Session> playbackSession(Replay replay, const std::string& path, EndProcess end);
std::unique_ptr<Session> playbackSession(Replay replay, const std::string& path);
