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
#include <vector>

// How a path's owners decide who plays.
struct IdentityPlan {
    enum class Kind {
        Stay,    // the game plays as who it is
        Become,  // root becomes user, for good
        Refuse,  // no one is safe to be: problem says why
    };
    Kind kind = Kind::Stay;
    unsigned user = 0;
    std::string problem;
    std::string decidedBy;  // Become: the part of a path that is user's
};

// The plan for a game run by root that touches the given folders (each the folder itself) and
// files (each in its folder, which may be a symlink), walked as the kernel walks them; where two
// users' parts are found, there is nobody to become (each would read what the other planted).
// Missing folders of a path whose parent others may write in (a sticky /tmp) are made now, mode
// 0700, so that nobody else can put one there later. Used by chooseIdentity; callable by anyone.
IdentityPlan planIdentity(const std::vector<std::string>& folders,
                          const std::vector<std::string>& files);

// Decides and, for root in another user's folder, becomes that user. Empty when the game may go
// on; otherwise one line naming the data folder (the table's) and why, and the game must stop
// having touched nothing.
std::string chooseIdentity(const std::string& tablePath, const std::string& replayFolder);
