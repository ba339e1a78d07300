// Whose the paths a game uses are, walked as the kernel walks them (POSIX): what root's game at
// start-up decides by (identity.h).
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
