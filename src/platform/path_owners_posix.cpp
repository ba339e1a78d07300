// Whose a path is, part by part (POSIX): the walk that decides whether root plays as root.
#include "platform/path_owners.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <deque>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMostLinks = 40;  // as the kernel follows at most
constexpr int kMostRemakes = 100;

IdentityPlan stay() {
    return {};
}

IdentityPlan become(uid_t user, const std::string& part) {
    return {IdentityPlan::Kind::Become, user, {}, part};
}

IdentityPlan refuse(std::string problem) {
    return {IdentityPlan::Kind::Refuse, 0, std::move(problem), {}};
}

std::string describe(const std::string& what, const std::string& path, int code) {
    return what + " " + path + ": " + std::strerror(code);
}

bool othersMayWrite(const struct stat& info) {
    // Group-writable even where the group is root's: an access list's grants show there too.
    return (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

std::deque<std::string> partsOf(const std::string& path) {
    std::deque<std::string> parts;
    size_t at = 0;
    while (at <= path.size()) {
        const size_t end = std::min(path.find('/', at), path.size());
        if (end > at) {
            parts.push_back(path.substr(at, end - at));
        }
        at = end + 1;
    }
    return parts;
}

// One path walked part by part as the kernel resolves it, each part looked at without following
// it: the first part that is not root's (a folder, a link, anything but the file a path ends in,
// whose owner a hard link can choose) decides who plays. Root's own links are followed. In root's
// folders nobody else may change, what is missing stays missing until root makes it; below a
// sticky folder others write in, the missing folder is made now, so that it is root's.
class Walk {
public:
    Walk(const std::string& path, bool endsInFolder)
        : rest_(partsOf(path)), endsInFolder_(endsInFolder) {}

    IdentityPlan run() {
        if (std::optional<IdentityPlan> plan = enter("")) {
            return *plan;
        }
        int links = 0;
        int remakes = 0;
        while (!rest_.empty()) {
            const std::string name = rest_.front();
            rest_.pop_front();
            if (name == ".") {
                continue;
            }
            if (name == "..") {
                if (std::optional<IdentityPlan> plan = enter(at_.substr(0, at_.rfind('/')))) {
                    return *plan;
                }
                continue;
            }
            const bool last = rest_.empty();
            const std::string path = at_ + "/" + name;
            struct stat info {};
            if (lstat(path.c_str(), &info) != 0) {
                const int code = errno;
                if (code == ENOTDIR) {
                    return stay();  // a file on the way: nothing can be made below it
                }
                if (code != ENOENT) {
                    return refuse(describe("cannot look at", path, code));
                }
                if (!openAbove_) {
                    return stay();  // nobody but root can make it
                }
                if (last && !endsInFolder_) {
                    return refuse(shown(at_) + " is root's, but others may make files in it");
                }
                if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
                    return refuse(describe("cannot create folder", path, errno));
                }
                if (++remakes > kMostRemakes) {
                    return refuse(path + " keeps coming and going");
                }
                rest_.push_front(name);  // looked at again, whoever made it
                continue;
            }
            // Only the table itself may be anyone's: a file or FIFO of another's on the way is
            // no folder now, but its owner may put a link in its place the moment after.
            if (info.st_uid != 0 &&
                (!last || endsInFolder_ || S_ISDIR(info.st_mode) || S_ISLNK(info.st_mode))) {
                return become(info.st_uid, path);
            }
            if (S_ISLNK(info.st_mode)) {
                if (++links > kMostLinks) {
                    return refuse(path + ": too many levels of symbolic links");
                }
                std::string target(PATH_MAX, '\0');
                const ssize_t length = readlink(path.c_str(), target.data(), target.size());
                if (length < 0 || static_cast<size_t>(length) >= target.size()) {
                    return refuse(describe("cannot read the symbolic link", path, errno));
                }
                target.resize(static_cast<size_t>(length));
                std::deque<std::string> parts = partsOf(target);
                rest_.insert(rest_.begin(), parts.begin(), parts.end());
                if (target[0] == '/') {
                    if (std::optional<IdentityPlan> plan = enter("")) {
                        return *plan;
                    }
                }
                continue;
            }
            if (!S_ISDIR(info.st_mode)) {
                if (last && openAbove_) {
                    return refuse(shown(at_) + " is root's, but others may make files in it");
                }
                return stay();  // the table itself, or a file on the way (nothing lies below)
            }
            if (std::optional<IdentityPlan> plan = standIn(path, info, last)) {
                return *plan;
            }
        }
        return stay();
    }

private:
    static std::string shown(const std::string& folder) { return folder.empty() ? "/" : folder; }

    // Makes folder (already walked, or "" for /) the one the walk stands in.
    std::optional<IdentityPlan> enter(const std::string& folder) {
        struct stat info {};
        if (lstat(shown(folder).c_str(), &info) != 0) {
            return refuse(describe("cannot look at", shown(folder), errno));
        }
        return standIn(folder, info, false);
    }

    // Stands in folder, found as info, unless it decides: another's folder makes the game theirs;
    // one of root's that others may write in is fit only to pass through, sticky, on the way.
    std::optional<IdentityPlan> standIn(const std::string& folder, const struct stat& info,
                                        bool last) {
        if (info.st_uid != 0) {
            return become(info.st_uid, shown(folder));
        }
        if (othersMayWrite(info) && ((info.st_mode & S_ISVTX) == 0 || last)) {
            return refuse(shown(folder) + " is root's, but others may write in it");
        }
        at_ = folder;
        openAbove_ = othersMayWrite(info);
        return std::nullopt;
    }

    std::deque<std::string> rest_;
    bool endsInFolder_;
    std::string at_;          // the folder reached, links resolved; "" for /
    bool openAbove_ = false;  // others may make entries in it (a sticky folder)
};

}  // namespace

IdentityPlan planIdentity(const std::vector<std::string>& folders,
                          const std::vector<std::string>& files) {
    IdentityPlan found;
    for (const bool endsInFolder : {true, false}) {
        for (const std::string& path : endsInFolder ? folders : files) {
            IdentityPlan plan = Walk(path, endsInFolder).run();
            if (plan.kind == IdentityPlan::Kind::Refuse) {
                return plan;
            }
            if (plan.kind != IdentityPlan::Kind::Become) {
                continue;
            }
            if (found.kind == IdentityPlan::Kind::Become && plan.user != found.user) {
                return refuse(plan.decidedBy + " is user " + std::to_string(plan.user) +
                              "'s, but another folder the game uses is user " +
                              std::to_string(found.user) + "'s");
            }
            found = plan;
        }
    }
    return found;
}
