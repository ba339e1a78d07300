// Who the game is for the whole of its run, decided once at start-up, before the display, a GL
// driver or any file of the data folder is touched.
//
// An ordinary user plays as themselves. Root plays as root only in root's own folder: every
// part of the data folder's path, and of HOME (whose files the libraries that draw read), that
// exists is root's and nobody else may change it (no group or other write bit, but for a sticky
// folder such as /tmp, whose next part must then be root's too). Anywhere else root's game
// becomes, for good, the owner of the first part of the path, or the first symlink, that is not
// root's: real, effective and saved user and group, and that user's groups. The environment may
// be a player's (su -m keeps it), so where sudo, pkexec or doas name another who started the
// game, it is refused, and SUDO_GID counts only where it is a group of the owner's. From then on
// the GL driver, its caches, the table, its lock and the recordings get that user's rights and
// nothing else, whatever links the user planted or swaps meanwhile. Whoever it becomes, a game
// root starts takes no setting of the GL stack or of cursor themes from the environment. A
// program installed set-user-ID root becomes the user who ran it.
#pragma once

#include <string>

// Decides and, for root in another user's folder, becomes that user. Empty when the game may go
// on; otherwise one line naming the data folder (the table's) and why, and the game must stop
// having touched nothing.
std::string chooseIdentity(const std::string& tablePath, const std::string& replayFolder);
