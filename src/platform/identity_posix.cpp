// Who the game is, decided once at start-up (POSIX): root's own folder, or becoming its user.
#include "platform/identity.h"

#include "platform/path_owners.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A whole number 1 and up, as the tools that start programs as root write a user's number.
std::optional<uid_t> userNumber(const char* text) {
    if (!text || !*text || std::strlen(text) > 10 ||
        std::strspn(text, "0123456789") != std::strlen(text)) {
        return std::nullopt;
    }
    const unsigned long value = std::strtoul(text, nullptr, 10);
    if (value == 0 || value > UINT32_MAX - 1) {
        return std::nullopt;
    }
    return static_cast<uid_t>(value);
}

// Who the environment says started the game through sudo, pkexec or doas (never root, who is
// who runs it), and which of its variables says so.
struct Starter {
    uid_t user;
    const char* saidBy;
};

std::optional<Starter> startedBy() {
    for (const char* variable : {"SUDO_UID", "PKEXEC_UID"}) {
        if (const std::optional<uid_t> user = userNumber(std::getenv(variable))) {
            return Starter{*user, variable};
        }
    }
    const char* name = std::getenv("DOAS_USER");
    const passwd* entry = name && *name ? getpwnam(name) : nullptr;
    if (entry && entry->pw_uid != 0) {
        return Starter{entry->pw_uid, "DOAS_USER"};
    }
    return std::nullopt;
}

// Whether user (named name, primary group primary) is in group.
bool isMember(const char* name, gid_t primary, gid_t group) {
    int count = 64;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    while (getgrouplist(name, primary, groups.data(), &count) < 0) {
        groups.resize(static_cast<size_t>(count));
    }
    groups.resize(static_cast<size_t>(count));
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// Takes user's groups, then group, then user, as real, effective and saved IDs; empty when done
// and root can't be had back.
std::string becomeUser(uid_t user, std::optional<gid_t> group) {
    const passwd* entry = getpwuid(user);
    if (!entry || !entry->pw_name) {
        return "user " + std::to_string(user) + " has no account here";
    }
    const std::string name = entry->pw_name;
    // A group the user is not in is no word of sudo's: the environment may be a player's.
    const gid_t primary =
        group && isMember(entry->pw_name, entry->pw_gid, *group) ? *group : entry->pw_gid;
    const std::string who = "user " + name + " (" + std::to_string(user) + ")";
    if (initgroups(name.c_str(), primary) != 0 || setresgid(primary, primary, primary) != 0 ||
        setresuid(user, user, user) != 0) {
        return "cannot become " + who + ": " + std::strerror(errno);
    }
    uid_t real = 0;
    uid_t effective = 0;
    uid_t saved = 0;
    gid_t groups[3] = {};
    if (getresuid(&real, &effective, &saved) != 0 || real != user || effective != user ||
        saved != user || getresgid(&groups[0], &groups[1], &groups[2]) != 0 ||
        groups[0] != primary || groups[1] != primary || groups[2] != primary || setuid(0) == 0) {
        return "cannot become " + who + " for good";
    }
    return {};
}

// The environment root's game was given may be a player's (su -m keeps it, sudo -E much of it).
// The GL stack's settings there choose drivers and Vulkan layers to load, files to write (a
// trace, a log) and caches of compiled shaders to trust, with the rights of whoever the game is
// then: root, or a user the player named; Mesa ignores them only in set-user-ID programs. The
// cursor theme's folders name files libXcursor parses. A game root starts drops them all and
// keeps no shader cache.
void forgetGraphicsSettings() {
    static const char* const kFamilies[] = {"LIBGL_", "MESA_", "GALLIUM_", "GALLIVM_", "LP_",
                                            "ZINK_",  "NIR_",  "__GLX_",   "__EGL_",   "__GL_",
                                            "EGL_",   "GBM_",  "VK_",      "XCURSOR_"};
    std::vector<std::string> names;
    for (char** entry = environ; *entry; ++entry) {
        const std::string setting = *entry;
        for (const char* family : kFamilies) {
            if (setting.compare(0, std::strlen(family), family) == 0) {
                names.push_back(setting.substr(0, setting.find('=')));
            }
        }
    }
    for (const std::string& name : names) {
        unsetenv(name.c_str());
    }
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 1);
}

// Relative paths (HOME=.) are walked from the working folder's path, told once. The kernel
// follows them from the working folder itself, wherever renames have moved it meanwhile.
class WorkingFolder {
public:
    std::string absolute(const std::string& path) {
        if (!path.empty() && path[0] == '/') {
            return path;
        }
        if (here_.empty() && problem_.empty()) {
            std::string here(PATH_MAX, '\0');
            if (getcwd(here.data(), here.size())) {
                here_ = here.c_str();
            } else {
                problem_ = std::string("cannot tell where it is: the working folder's path: ") +
                           std::strerror(errno);
            }
        }
        return here_ + "/" + path;
    }

    const std::string& problem() const { return problem_; }

    // Whether the path walked still leads to the working folder (always so where none was
    // walked): a player's folder renamed away and back as it was walked leaves root's game in the
    // player's folder while the walk saw root's own.
    bool stayedPut() const {
        struct stat walked {};
        struct stat here {};
        return here_.empty() || (stat(here_.c_str(), &walked) == 0 && stat(".", &here) == 0 &&
                                 walked.st_dev == here.st_dev && walked.st_ino == here.st_ino);
    }

    const std::string& path() const { return here_; }

private:
    std::string here_;
    std::string problem_;
};

}  // namespace

std::string chooseIdentity(const std::string& tablePath, const std::string& replayFolder) {
    if (geteuid() != 0) {
        return {};
    }
    // Installed set-user-ID root: the game is the user who ran it, whose environment says the rest.
    if (getuid() != 0) {
        if (setresgid(getgid(), getgid(), getgid()) != 0 ||
            setresuid(getuid(), getuid(), getuid()) != 0 || setuid(0) == 0) {
            return "cannot give up root's rights: " + std::string(std::strerror(errno));
        }
        return {};
    }
    forgetGraphicsSettings();
    if (tablePath.empty()) {
        return {};  // no data folder: nothing of one is touched
    }
    const size_t slash = tablePath.rfind('/');
    const std::string dataFolder = slash == std::string::npos ? "."
                                   : slash == 0               ? "/"
                                                              : tablePath.substr(0, slash);
    const std::string refused = "cannot play in " + dataFolder + " as root: ";
    const std::string advice = "; run ORVEL as the folder's owner";
    WorkingFolder here;
    std::vector<std::string> folders{here.absolute(dataFolder), here.absolute(replayFolder)};
    // The libraries that draw read files of HOME (the X authority, X resources, Mesa's settings,
    // cursor themes): a player's HOME is a player's folder too.
    const char* home = std::getenv("HOME");
    if (home && *home) {
        folders.push_back(here.absolute(home));
    }
    const std::string table = here.absolute(tablePath);
    if (!here.problem().empty()) {
        return refused + here.problem() + advice;
    }
    const IdentityPlan plan = planIdentity(folders, {table});
    switch (plan.kind) {
        case IdentityPlan::Kind::Stay:
            if (!here.stayedPut()) {
                return refused + "the working folder " + here.path() +
                       " moved while it was looked at" + advice;
            }
            return {};
        case IdentityPlan::Kind::Refuse:
            return refused + plan.problem + advice;
        case IdentityPlan::Kind::Become:
            break;
    }
    // The environment's word on who started the game may be the player's own (su -m keeps it):
    // it counts only where it names the folder's owner, never to borrow a third user's rights.
    const std::optional<Starter> starter = startedBy();
    if (starter && starter->user != plan.user) {
        return refused + "it is user " + std::to_string(plan.user) + "'s, but " + starter->saidBy +
               " says user " + std::to_string(starter->user) + " started the game" + advice;
    }
    std::optional<gid_t> group;
    if (starter && std::strcmp(starter->saidBy, "SUDO_UID") == 0) {
        group = userNumber(std::getenv("SUDO_GID"));
    }
    const std::string problem = becomeUser(plan.user, group);
    return problem.empty() ? problem : refused + problem + advice;
}
