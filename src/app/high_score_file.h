// The high-score table's file and the operations on the game's table: open-or-create, load,
// save, sort and clear, the entry at game over, and reading the shared file again.
//
// File format: for each of rows 1..10 a name line and a score line in decimal, every line ended
// by CR LF; a lone LF or CR also ends a line when reading. A file error at start-up is fatal:
// the game says what failed on standard error and exits with status 1. Later, a save or a
// re-read that fails says so in one line and the game goes on with the table in memory, its
// unsaved changes kept for the next save to try again.
//
// Several games may share the file. Each remembers its own changes since it last saved (sorts,
// entered results, a reset); a save locks the file, reads it again, replays those changes onto
// what is there and replaces it, so no game overwrites another's results with a stale copy.
#pragma once

#include <cstdint>

#include "scores/score_table.h"

// Binds game.book.highScoreFile to the platform's high-score path and creates the file (one empty
// line) when there is none. Anything else that stands there and cannot be read as a regular
// file, or cannot be replaced, is a fatal error that leaves it untouched. Removes what killed
// saves left beside it.
void openOrCreateHighScoreFile();
// Reads the file into game.book.highScores and pads a short table with "AAA"/0 rows.
void loadHighScores();
// Merges this game's changes into the file as it now stands and replaces it, so that it always
// holds the old table or the new one; the table in memory becomes the merged one. False when
// the file could not be saved (said on standard error): memory and the changes are kept.
bool saveHighScores();
// Stable bubble sort of rows 1..10, highest score first.
void sortHighScores();
// Rows 1..10 become "AAA"/0, for every game sharing the file, and the file with them.
void clearHighScores();

// Enters a result (see enterRow) and remembers it for the next save. Returns the row it took,
// or 0.
int32_t enterHighScore(const scores& row);
// The result of a game that is over: under the lock the table is read again, sorted, and the
// result entered if it beats row 10 as the file now has it; then saved at once. Returns the
// row it took, or 0.
int32_t enterResult(const scores& row);
// Takes the table as it stands on disk, with this game's unsaved changes, without reporting
// its rows; where the file can't be read, says so and keeps the table in memory.
void refreshHighScores();
