// Ending the process, reporting fatal errors, and noticing a request to terminate.
#pragma once

#include <chrono>
#include <string>

// Ends the process at once with the given status, flushing standard output first and calling
// the function given to atExit (once).
[[noreturn]] void exitProcess(int status);
// The same without the clean-up the libraries registered for the end of the process: after the
// display is gone, theirs would only talk to it (and Xlib would complain on standard error).
[[noreturn]] void exitProcessNow(int status);
// What to undo before the process ends (the desktop's video mode); nullptr for nothing.
void atExit(void (*undo)());

// This process's number, as the system shows it.
unsigned long processId();

// Writes "orvel: " and the message to standard error and ends with status 1.
[[noreturn]] void fatalError(const std::string& message);

// From now on SIGINT, SIGTERM and SIGHUP only raise a flag, read by terminationRequested, so that
// the main loop can end the game in its own time; a closed standard output no longer kills.
void catchTerminationSignals();
bool terminationRequested();
// How many such requests came: 0, 1, or 2 for two or more.
int terminationRequests();
// When the first request came (meaningful once terminationRequested): the grace a request
// allows is counted from here, however many waits come after it.
std::chrono::steady_clock::time_point terminationRequestedAt();
