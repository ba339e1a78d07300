// The one way the game touches its data folder (the high-score table, its lock, the replays):
// where it is, making folders, probing a file without blocking, bounded reads, an atomic
// replacement through symlinks that keeps the file's mode, new files that never take another's
// name, listing, removing, locks shared by every game on the machine, and leftovers of killed
// saves. Each runs with the rights of whoever the game is (identity.h decides that once, before
// any of these).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The high-score file's path. On Windows C:\highScores.txt where that file already exists,
// can be read and written, and new files can be made beside it (tables kept there stay in
// use), else %APPDATA%\ORVEL\highScores.txt. Elsewhere $XDG_DATA_HOME/orvel/highScores.txt, or
// ~/.local/share/orvel/highScores.txt when XDG_DATA_HOME is unset, empty or relative. Empty
// when no such folder can be found. Paths are UTF-8.
std::string highScoreFilePath();

// The rows of an older table to start a missing one with, where the platform kept the table
// elsewhere before (Windows: a C:\highScores.txt that can't be saved in place), with a note
// saying so; empty otherwise.
std::string carriedOverTable(const std::string& path, std::string& note);

// Where recorded games are kept: $XDG_DATA_HOME/orvel/replays (as the table) or
// %APPDATA%\ORVEL\replays. Empty when no such folder can be found.
std::string replayFolderPath();

// Why no folder for the table or the replays could be found, in a few words.
std::string noDataFolderReason();

// The names of the regular files in a folder (none where it can't be read), and removing one.
std::vector<std::string> filesIn(const std::string& folder);
bool removeFile(const std::string& path);

// Creates the folders above path that are missing (path may end in "/"), each private to the
// user (mode 0700). False, with the reason, when it can't.
bool makeParentFolders(const std::string& path, std::string& error);

// What stands at a path, found without opening it (so a FIFO or a device cannot block).
enum class FileKind {
    Missing,   // nothing, not even a symlink
    Regular,   // a regular file, or a symlink to one
    Unusable,  // anything else, or a symlink to nothing; error says which
};
FileKind probeFile(const std::string& path, std::string& error);

// Empty when the file (which exists) can be replaced: the file itself is writable and so is
// the folder its replacement is written in. Otherwise the reason.
std::string replaceProblem(const std::string& path);

// Up to limit bytes of a regular file; truncated tells whether more followed. False, with the
// reason, when it can't be read (or is no longer a regular file).
bool readFileStart(const std::string& path, size_t limit, std::string& bytes, bool& truncated,
                   std::string& error);
// The last limit bytes of a regular file (all of a shorter one).
bool readFileEnd(const std::string& path, size_t limit, std::string& bytes, std::string& error);

// Replaces the file with bytes: written to a new file beside it (beside the final target when
// path is a symlink, which stays), flushed to disk and renamed over the old one, so the file
// always holds either its old or its new contents; the old file's permission bits are kept.
// False, with the reason, when any step fails; the old file is then untouched.
bool replaceFile(const std::string& path, const std::string& bytes, std::string& error);

// Writes a new file under a name no other file has, as replaceFile writes (whole or not at
// all): Taken, leaving everything as it was, when a file of that name exists already.
enum class NewFile { Written, Taken, Failed };
NewFile writeNewFile(const std::string& path, const std::string& bytes, std::string& error);

// Removes the ".new-PID" files that saves of killed processes left beside the file (or beside
// its symlink's target). Files of live processes and any other file are left alone.
void removeStaleSaves(const std::string& path);
// The same in a folder, for every file whose name, less ".new-PID", saved() accepts.
void removeStaleSavesIn(const std::string& folder,
                        const std::function<bool(const std::string&)>& saved);

// An exclusive lock on path + ".lock" (beside the final target), held until release or the
// end of the process, so that games sharing the file take turns to read and replace it. The
// lock file is its owner's alone (its group's too where the group may write the file): whoever
// may open it may hold it.
class FileLock {
public:
    // False, with the reason, when the lock file can't be opened or locked.
    bool acquire(const std::string& path, std::string& error);
    // The same for a folder, through the lock file "recordings.lock" in it.
    bool acquireFolder(const std::string& folder, std::string& error);
    void release();
    ~FileLock() { release(); }

private:
    intptr_t handle_ = -1;  // a file descriptor, or a Windows HANDLE
};
