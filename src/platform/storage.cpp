// File-system calls for the high-score file.
#include "platform/storage.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string describe(const std::string& what, const std::string& path, int code) {
    return what + " " + path + ": " + std::strerror(code);
}

std::string homeFolder() {
#if defined(_WIN32)
    return {};
#else
    const char* home = std::getenv("HOME");
    if (home && *home) {
        return home;
    }
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "";
#endif
}

// Flushes the stream's data to the disk itself, not just to the operating system.
bool syncToDisk(std::FILE* file) {
#if defined(_WIN32)
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

// Makes a finished rename survive a power loss (POSIX keeps directory entries separately).
void syncFolder(const std::string& path) {
#if !defined(_WIN32)
    const std::string folder = fs::path(path).parent_path().string();
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
#else
    (void)path;
#endif
}

std::string temporaryNameFor(const std::string& path) {
#if defined(_WIN32)
    return path + ".new";
#else
    return path + ".new-" + std::to_string(getpid());
#endif
}

}  // namespace

std::string highScoreFilePath() {
#if defined(_WIN32)
    return "C:/highScores.txt";
#else
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (data && *data) {
        base = data;
    } else {
        const std::string home = homeFolder();
        if (home.empty()) {
            return {};
        }
        base = home + "/.local/share";
    }
    return base + "/orvel/highScores.txt";
#endif
}

bool makeParentFolders(const std::string& path, std::string& error) {
    const fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) {
        return true;
    }
    std::error_code code;
    fs::create_directories(folder, code);
    if (code) {
        error = "cannot create folder " + folder.string() + ": " + code.message();
        return false;
    }
    return true;
}

bool canOpenForReading(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    std::fclose(file);
    return true;
}

bool readWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = describe("cannot open", path, errno);
        return false;
    }
    bytes.clear();
    char chunk[4096];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.append(chunk, got);
    }
    const bool failed = std::ferror(file) != 0;
    const int readError = errno;
    if (std::fclose(file) != 0 || failed) {
        error = describe("cannot read", path, failed ? readError : errno);
        return false;
    }
    return true;
}

bool replaceFile(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string temporary = temporaryNameFor(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        error = describe("cannot create", temporary, errno);
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
              std::fflush(file) == 0 && syncToDisk(file);
    int code = errno;
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        error = describe("cannot write", temporary, code);
        std::remove(temporary.c_str());
        return false;
    }
    std::error_code renameError;
    fs::rename(temporary, path, renameError);
    if (renameError) {
        error = "cannot replace " + path + " with " + temporary + ": " + renameError.message();
        std::remove(temporary.c_str());
        return false;
    }
    syncFolder(path);
    return true;
}
