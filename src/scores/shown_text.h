// Text the game shows a player or a terminal: what comes from a file, a file name, the
// command line or the environment may hold bytes that a terminal takes as commands, or that
// reorder the rest of its line. Every message that quotes such text escapes it here; the
// logic's readers refuse control bytes by the same rule. Lower than everything that shows text
// (it includes nothing of the game), so the table, the replays and the shell all use it.
#pragma once

#include <string>

// A C0 control (below 0x20) or DEL: a byte no line of the game's files holds and no message
// shows raw.
bool isControlByte(char c);

// Control bytes of text (C0, DEL, and C1 in UTF-8) and every byte that is not valid UTF-8
// shown as \xNN, so that an error message quoting a file stays one readable line and sends a
// terminal no command; valid UTF-8 text (a Cyrillic name) is shown as itself.
std::string escapeControls(const std::string& text);
