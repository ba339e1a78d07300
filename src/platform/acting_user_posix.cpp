// Root taking on the file-system rights of the user whose folder it works in (Linux).
#include "platform/acting_user.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <optional>

#include <grp.h>
#include <pwd.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Owner {
    uid_t user = 0;
    gid_t group = 0;
};

// The owner other than root of the deepest existing folder or link of an absolute path, each
// part looked at without following it and reached through the parts before it as the kernel
// would. A link that is not root's ends the search: whoever made it chose where it leads, and
// what lies beyond is reached with no more rights than theirs. A file's owner does not count
// (a hard link puts someone else's file in a folder without their say). open names a folder of
// root's below that owner (or anywhere, without one) in which others may make, rename and
// remove (writable by its group or by anyone, without the sticky bit).
std::optional<Owner> deepestOtherOwner(const std::string& absolute, std::string& open) {
    std::optional<Owner> found;
    open.clear();
    std::string prefix;
    size_t at = 0;
    struct stat info {};
    if (lstat("/", &info) == 0 && info.st_uid != 0) {
        found = Owner{info.st_uid, info.st_gid};
    }
    while (at < absolute.size()) {
        const size_t next = absolute.find('/', at);
        const size_t end = next == std::string::npos ? absolute.size() : next;
        if (end > at) {
            prefix += "/" + absolute.substr(at, end - at);
            if (lstat(prefix.c_str(), &info) != 0) {
                break;  // nothing deeper exists
            }
            // Group-writable even where the group is root's: an access list's grants to other
            // users show there too.
            if (info.st_uid == 0 && S_ISDIR(info.st_mode) &&
                (info.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (info.st_mode & S_ISVTX) == 0) {
                open = prefix;
            }
            if (info.st_uid != 0 && (S_ISDIR(info.st_mode) || S_ISLNK(info.st_mode))) {
                found = Owner{info.st_uid, info.st_gid};
                open.clear();
                if (S_ISLNK(info.st_mode)) {
                    break;
                }
            }
        }
        at = end + 1;
    }
    return found;
}

// As deepestOtherOwner, for any path; open is set only where no other owner was found.
std::optional<Owner> ownerOf(const std::string& path, std::string& open) {
    open.clear();
    std::string absolute = path;
    if (absolute.empty() || absolute[0] != '/') {
        char here[PATH_MAX];
        if (!getcwd(here, sizeof here)) {
            return Owner{};  // root's own working folder, gone: nobody else's either
        }
        absolute = std::string(here) + "/" + path;
    }
    const std::optional<Owner> owner = deepestOtherOwner(absolute, open);
    if (owner || !open.empty()) {
        return owner;
    }
    // Every part root's own: a link root made may still lead into another user's folder.
    std::error_code code;
    const fs::path target = fs::weakly_canonical(absolute, code);
    return code ? std::nullopt : deepestOtherOwner(target.string(), open);
}

// The user's groups as login gives them: the primary one from the password database (the
// owning part's group where the user has no entry there) and the supplementary ones.
void groupsOf(const Owner& owner, gid_t& primary, std::vector<gid_t>& groups) {
    primary = owner.group;
    groups.clear();
    const passwd* entry = getpwuid(owner.user);
    if (!entry || !entry->pw_name) {
        return;
    }
    primary = entry->pw_gid;
    int count = 32;
    groups.resize(static_cast<size_t>(count));
    if (getgrouplist(entry->pw_name, primary, groups.data(), &count) < 0) {
        groups.resize(static_cast<size_t>(count));
        if (getgrouplist(entry->pw_name, primary, groups.data(), &count) < 0) {
            count = 0;
        }
    }
    groups.resize(static_cast<size_t>(count));
}

// setgroups for this thread alone, as setfsuid is (glibc's setgroups changes every thread).
bool setThreadGroups(const std::vector<gid_t>& groups) {
    return syscall(SYS_setgroups, groups.size(), groups.data()) == 0;
}

// setfsuid and setfsgid say nothing of failure: the value now in force is asked for after.
bool setFileUser(uid_t user) {
    setfsuid(user);
    return static_cast<uid_t>(setfsuid(static_cast<uid_t>(-1))) == user;
}

bool setFileGroup(gid_t group) {
    setfsgid(group);
    return static_cast<gid_t>(setfsgid(static_cast<gid_t>(-1))) == group;
}

}  // namespace

ActingUser::ActingUser(const std::string& path) {
    // Only root can be tricked into doing more than the folder's owner could; once acting as
    // another user (an outer ActingUser), the rights are that user's already.
    if (geteuid() != 0 || setfsuid(static_cast<uid_t>(-1)) != 0) {
        return;
    }
    std::string open;
    const std::optional<Owner> owner = ownerOf(path, open);
    if (!owner && !open.empty()) {
        problem_ = open + " is root's, but others may write in it: root's game makes, changes " +
                   "and reads nothing below it, where anyone could swap a link in";
        return;
    }
    if (!owner || owner->user == 0) {
        return;
    }
    gid_t primary = 0;
    std::vector<gid_t> groups;
    groupsOf(*owner, primary, groups);
    oldUser_ = static_cast<uid_t>(setfsuid(static_cast<uid_t>(-1)));
    oldGroup_ = static_cast<gid_t>(setfsgid(static_cast<gid_t>(-1)));
    const int count = getgroups(0, nullptr);
    oldGroups_.resize(count > 0 ? static_cast<size_t>(count) : 0);
    if (count > 0 && getgroups(count, oldGroups_.data()) != count) {
        oldGroups_.clear();
    }
    switched_ = true;
    // The groups first, while this thread may still set them; the user last.
    errno = EPERM;  // setfsuid and setfsgid set no errno
    if (!setThreadGroups(groups) || !setFileGroup(primary) || !setFileUser(owner->user)) {
        // Back to root's rights before the message is made: should making it throw, no
        // destructor would put them back.
        const int code = errno;
        restore();
        problem_ = "cannot act as user " + std::to_string(owner->user) + ", who owns a folder on " +
                   "the way to " + path + ": " + std::strerror(code);
    }
}

void ActingUser::restore() noexcept {
    if (switched_) {
        switched_ = false;
        setFileUser(oldUser_);
        setFileGroup(oldGroup_);
        setThreadGroups(oldGroups_);
    }
}
