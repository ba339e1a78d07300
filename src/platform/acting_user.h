// Whose rights a file operation of the game runs with (POSIX): its own, or, when root works in
// a folder another user owns (sudo -E with that user's XDG_DATA_HOME), that user's. Acting as
// that user, whatever the user planted there (a symlink, a hard link, a folder swapped for a
// link half-way) reaches only what the user could reach themselves, and what root makes there is
// the user's from the start, without a chown by path.
#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

// For the calling thread, from construction to destruction: the file-system user, group and
// supplementary groups of the user who owns the deepest existing folder of path, or the first
// link on it that is not root's (the path as written, and where none but root owns that, the
// path its symlinks lead to). Nothing changes for a game that is not root, nor where root owns
// every part. Below a folder of root's that others may write in (no sticky bit), with no other
// owner deeper, there is no one whose rights are safe to take: problem() says so.
// Nested ones change nothing more.
class ActingUser {
public:
    explicit ActingUser(const std::string& path);
    ~ActingUser() { restore(); }
    ActingUser(const ActingUser&) = delete;
    ActingUser& operator=(const ActingUser&) = delete;

    // Empty when the rights are in place; otherwise why they could not be taken, and the caller
    // must touch nothing (acting as root instead would be exactly what must never happen).
    const std::string& problem() const { return problem_; }

private:
    void restore() noexcept;

    bool switched_ = false;
    uid_t oldUser_ = 0;
    gid_t oldGroup_ = 0;
    std::vector<gid_t> oldGroups_;
    std::string problem_;
};
