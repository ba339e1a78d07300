// Standard output and standard error as the game's console. Neither ever stops the game: a
// reader that falls behind (a full pipe, a terminal stopped with Ctrl+S) or a stream that
// fails (a closed pipe, a full disk) costs lines, never a frozen or ended game. A run with no
// game to keep going (a check of recordings) waits for its reader instead.
#pragma once

#include <string_view>

// Opens /dev/null on whichever of descriptors 0, 1 and 2 is closed, so that no file the game
// opens later (the table's lock, the X connection) takes their place and receives its lines.
void openClosedStandardStreams();

// Writes text and a line end to standard output, whole or not at all, without blocking. The
// first line lost is said once on standard error. False when the line was dropped.
bool writeOutputLine(std::string_view text);

// The same for a line the user asked for (a check's verdict, a replay's last word): a reader
// that is slow is waited for, up to a second, but never for ever; once a line was lost the
// next ones wait no more.
bool writeReportLine(std::string_view text);

// The same for a run whose lines are all it does (--check-replay): waits for the reader as long
// as it takes, as grep does. False for a closed or failing stream (the caller stops: its lines
// are all it does) or a termination request, which still ends the wait.
bool writeOutputLineWaiting(std::string_view text);

// Writes "orvel: ", text and a line end to standard error, without blocking either.
void writeErrorLine(std::string_view text);
