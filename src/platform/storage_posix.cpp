// File-system calls for the game's data folder on POSIX systems.
#include "platform/storage.h"

#include "platform/lock_wait.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string_view>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string describe(const std::string& what, const std::string& path, int code) {
    return what + " " + path + ": " + std::strerror(code);
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home) {
        return home;
    }
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "";
}

// The file a path finally names: symlinks followed, so that a table kept elsewhere through a
// link is replaced where it lives. A path that does not resolve names itself.
std::string finalTarget(const std::string& path) {
    std::error_code code;
    const fs::path target = fs::canonical(path, code);
    return code ? path : target.string();
}

std::string folderOf(const std::string& path) {
    const std::string folder = fs::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// Makes a finished rename survive a power loss (POSIX keeps directory entries separately).
void syncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return false;
        }
        done += static_cast<size_t>(wrote);
    }
    return true;
}

}  // namespace

// The game's own data folder; empty when there is no home to put it in.
std::string dataFolder() {
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG base directories say.
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/') {
        return std::string(data) + "/orvel";
    }
    const std::string home = homeFolder();
    return home.empty() ? std::string() : home + "/.local/share/orvel";
}

std::string highScoreFilePath() {
    const std::string folder = dataFolder();
    return folder.empty() ? folder : folder + "/highScores.txt";
}

std::string noDataFolderReason() {
    return "XDG_DATA_HOME is unset, empty or relative, HOME is unset or empty, and the password "
           "database names no home folder for user " +
           std::to_string(getuid());
}

std::string replayFolderPath() {
    const std::string folder = dataFolder();
    return folder.empty() ? folder : folder + "/replays";
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code code;
    for (const auto& entry : fs::directory_iterator(folder, code)) {
        std::error_code kind;
        if (entry.is_regular_file(kind)) {
            names.push_back(entry.path().filename().string());
        }
    }
    return names;
}

bool removeFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

std::string carriedOverTable(const std::string&, std::string&) {
    return {};
}

bool makeParentFolders(const std::string& path, std::string& error) {
    const fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) {
        return true;
    }
    // Private to their user, as folders an application makes for its data should be; folders
    // that exist keep the modes their owner gave them.
    fs::path made;
    for (const fs::path& part : folder) {
        made /= part;
        if (mkdir(made.c_str(), 0700) != 0 && errno != EEXIST) {
            error = describe("cannot create folder", made.string(), errno);
            return false;
        }
    }
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) {
        error = describe("cannot create folder", folder.string(), errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        error = "cannot create folder " + folder.string() + ": a file stands there";
        return false;
    }
    return true;
}

FileKind probeFile(const std::string& path, std::string& error) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        // ENOTDIR: a folder on the way is a file, so there is no table here either; creating
        // one then fails with a message that names the folder.
        if (errno == ENOENT || errno == ENOTDIR) {
            return FileKind::Missing;
        }
        error = describe("cannot look at", path, errno);
        return FileKind::Unusable;
    }
    if (S_ISLNK(info.st_mode) && stat(path.c_str(), &info) != 0) {
        error = errno == ENOENT ? path + " is a symbolic link to a file that does not exist"
                                : describe("cannot follow the symbolic link", path, errno);
        return FileKind::Unusable;
    }
    if (!S_ISREG(info.st_mode)) {
        error = path + (S_ISDIR(info.st_mode) ? " is a folder" : " is not a regular file");
        return FileKind::Unusable;
    }
    // O_NONBLOCK: should the file have turned into a FIFO meanwhile, opening must not wait.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = describe("cannot open", path, errno);
        return FileKind::Unusable;
    }
    close(fd);
    return FileKind::Regular;
}

std::string replaceProblem(const std::string& path) {
    // AT_EACCESS: asked with the effective rights, those every operation uses.
    const std::string target = finalTarget(path);
    if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return errno == EACCES || errno == EROFS ? target + " is read-only"
                                                 : describe("cannot write", target, errno);
    }
    const std::string folder = folderOf(target);
    if (faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        return describe("cannot save in folder", folder, errno);
    }
    return {};
}

namespace {

// A regular file opened for reading (without blocking, should it be a FIFO after all) and its
// size; -1, with the reason, otherwise.
int openRegularFile(const std::string& path, size_t& size, std::string& error) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = describe("cannot open", path, errno);
        return -1;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = path + " is not a regular file";
        close(fd);
        return -1;
    }
    size = static_cast<size_t>(info.st_size);
    return fd;
}

}  // namespace

bool readFileStart(const std::string& path, size_t limit, std::string& bytes, bool& truncated,
                   std::string& error) {
    size_t size = 0;
    const int fd = openRegularFile(path, size, error);
    if (fd < 0) {
        return false;
    }
    bytes.clear();
    char chunk[65536];
    while (bytes.size() <= limit) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = describe("cannot read", path, errno);
            close(fd);
            return false;
        }
        if (got == 0) {
            break;
        }
        bytes.append(chunk, static_cast<size_t>(got));
    }
    close(fd);
    truncated = bytes.size() > limit;
    if (truncated) {
        bytes.resize(limit);
    }
    return true;
}

namespace {

// Writes bytes to target.new-PID, flushed to disk, and returns that name; empty, with the reason
// and nothing left behind, when any step fails. The new file takes the permission bits of the
// file at target where there is one, and its owner and group where the game may set them, else
// those of a new file in its folder.
std::string writeTemporary(const std::string& target, const std::string& bytes,
                           std::string& error) {
    std::string temporary = target + ".new-" + std::to_string(getpid());
    struct stat old {};
    const bool keepMode = stat(target.c_str(), &old) == 0;
    unlink(temporary.c_str());  // a leftover of an earlier process with this number
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = describe("cannot create", temporary, errno);
        return {};
    }
    if (keepMode && (old.st_uid != geteuid() || old.st_gid != getegid())) {
        const int ignored = fchown(fd, old.st_uid, old.st_gid);
        static_cast<void>(ignored);
    }
    bool ok = (!keepMode || fchmod(fd, old.st_mode & 07777) == 0) && writeAll(fd, bytes) &&
              fsync(fd) == 0;
    int code = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        error = describe("cannot write", temporary, code);
        unlink(temporary.c_str());
        return {};
    }
    return temporary;
}

}  // namespace

bool replaceFile(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string target = finalTarget(path);
    const std::string temporary = writeTemporary(target, bytes, error);
    if (temporary.empty()) {
        return false;
    }
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        error = "cannot replace " + target + " with " + temporary + ": " + std::strerror(errno);
        unlink(temporary.c_str());
        return false;
    }
    syncFolder(folderOf(target));
    return true;
}

NewFile writeNewFile(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string temporary = writeTemporary(path, bytes, error);
    if (temporary.empty()) {
        return NewFile::Failed;
    }
    // A second name for the written file, refused if the name is taken: never over another.
    const int linked = link(temporary.c_str(), path.c_str());
    const int code = errno;
    unlink(temporary.c_str());
    if (linked != 0) {
        if (code == EEXIST) {
            return NewFile::Taken;
        }
        error = "cannot name " + temporary + " " + path + ": " + std::strerror(code);
        return NewFile::Failed;
    }
    syncFolder(folderOf(path));
    return NewFile::Written;
}

bool readFileEnd(const std::string& path, size_t limit, std::string& bytes, std::string& error) {
    size_t size = 0;
    const int fd = openRegularFile(path, size, error);
    if (fd < 0) {
        return false;
    }
    const size_t from = size > limit ? size - limit : 0;
    bytes.assign(size - from, '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got =
            pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(from + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<size_t>(got);
    }
    const int code = errno;
    close(fd);
    if (done == 0 && !bytes.empty()) {
        error = describe("cannot read", path, code);
        return false;
    }
    bytes.resize(done);
    return true;
}

void removeStaleSaves(const std::string& path) {
    const std::string target = finalTarget(path);
    const std::string name = fs::path(target).filename().string();
    removeStaleSavesIn(folderOf(target),
                       [&name](const std::string& saved) { return saved == name; });
}

void removeStaleSavesIn(const std::string& folder,
                        const std::function<bool(const std::string&)>& saved) {
    constexpr std::string_view kMark = ".new-";
    std::error_code code;
    for (const auto& entry : fs::directory_iterator(folder, code)) {
        const std::string name = entry.path().filename().string();
        const size_t mark = name.rfind(kMark);
        if (mark == std::string::npos || mark == 0) {
            continue;
        }
        const std::string digits = name.substr(mark + kMark.size());
        if (digits.empty() || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string::npos ||
            !saved(name.substr(0, mark))) {
            continue;
        }
        const auto pid = static_cast<pid_t>(std::stol(digits));
        if (pid > 0 && kill(pid, 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            fs::remove(entry.path(), ignored);
        }
    }
}

namespace {

// Takes an exclusive lock on an open file or folder without blocking, so that a lock held
// elsewhere is said and a signal still ends the game. False, with the reason, when it can't.
bool lockOrGiveUp(int fd, const std::string& lockPath, std::string& error) {
    LockWait wait(lockPath);
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            error = describe("cannot lock", lockPath, errno);
            return false;
        }
        if (!wait.keepWaiting(error)) {
            return false;
        }
    }
    return true;
}

}  // namespace

namespace {

// The lock file's mode: its owner's alone, since anyone who may open a file may lock it (for
// reading is enough) and so stop every game. Where the group shares what is locked (it may write
// it), the group may lock too.
mode_t lockMode(const std::string& shared) {
    struct stat info {};
    return stat(shared.c_str(), &info) == 0 && (info.st_mode & S_IWGRP) != 0 ? 0660 : 0600;
}

// Opens (making it where missing) and locks lockPath, which guards shared. A symlink standing
// where the lock goes is refused, never followed: a dangling one would have its target created.
// A lock file of the game's own whose mode lets others lock it is given the right one.
int openLock(const std::string& lockPath, const std::string& shared, std::string& error) {
    const mode_t mode = lockMode(shared);
    const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd < 0) {
        error = errno == ELOOP ? lockPath + " is a symbolic link, which is never used as a lock"
                               : describe("cannot open the lock file", lockPath, errno);
        return -1;
    }
    struct stat info {};
    if (fstat(fd, &info) == 0 && info.st_uid == geteuid() && (info.st_mode & 0777) != mode) {
        fchmod(fd, mode);
    }
    if (!lockOrGiveUp(fd, lockPath, error)) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

bool FileLock::acquire(const std::string& path, std::string& error) {
    release();
    const std::string target = finalTarget(path);
    handle_ = openLock(target + ".lock", target, error);
    return handle_ >= 0;
}

// A lock file in the folder stands for it: a lock on the folder itself would be open to anyone
// who may read the folder.
bool FileLock::acquireFolder(const std::string& folder, std::string& error) {
    release();
    handle_ = openLock(folder + "/recordings.lock", folder, error);
    return handle_ >= 0;
}

void FileLock::release() {
    if (handle_ >= 0) {
        close(static_cast<int>(handle_));  // closing drops the lock
        handle_ = -1;
    }
}
