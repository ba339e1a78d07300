// Where the high-score file lives, and that replacing it never leaves half a table.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/high_score_file.h"
#include "app/keyboard.h"
#include "game_test.h"
#include "platform/identity.h"
#include "platform/lock_wait.h"
#include "platform/path_owners.h"
#include "platform/process.h"
#include "platform/storage.h"

namespace fs = std::filesystem;

namespace {

// Sets or clears an environment variable for the life of the object, then restores it.
class EnvOverride {
public:
    EnvOverride(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        hadOld_ = old != nullptr;
        old_ = old ? old : "";
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~EnvOverride() { hadOld_ ? setenv(name_, old_.c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    bool hadOld_;
    std::string old_;
};

// While it lives, the process may write no file longer than limit bytes: a disk that fills up.
// Only the soft limit is lowered, so that an ordinary user can lift it again.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit bound{limit, old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &bound);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

}  // namespace

TEST(HighScorePath, FollowsXdgDataHomeThenHomeThenThePasswordDatabase) {
    {
        EnvOverride home("HOME", nullptr);
        EnvOverride data("XDG_DATA_HOME", nullptr);
        const passwd* entry = getpwuid(getuid());
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(highScoreFilePath(),
                  std::string(entry->pw_dir) + "/.local/share/orvel/highScores.txt");
    }
    EnvOverride home("HOME", "/home/player");
    {
        EnvOverride data("XDG_DATA_HOME", "/data");
        EXPECT_EQ(highScoreFilePath(), "/data/orvel/highScores.txt");
    }
    for (const char* ignored : {"", "relative/data"}) {
        EnvOverride data("XDG_DATA_HOME", ignored);
        EXPECT_EQ(highScoreFilePath(), "/home/player/.local/share/orvel/highScores.txt");
    }
    EnvOverride data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(highScoreFilePath(), "/home/player/.local/share/orvel/highScores.txt");
}

TEST_F(ScoreFileTest, OpenCreatesTheMissingFolders) {
    testing::internal::CaptureStdout();
    openOrCreateHighScoreFile();
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(fs::is_regular_file(scoreFile()));
}

// A save that fails during play is reported and leaves the whole old table; the game keeps its
// results and the next save tries again. Exit with a save that still fails ends with status 1.
TEST_F(ScoreFileTest, AFailedSaveLeavesTheWholeOldTableAndIsTriedAgain) {
    const std::string old = "Kept\r\n99\r\n";
    writeScoreFile(old);
    testing::internal::CaptureStdout();
    openOrCreateHighScoreFile();
    loadHighScores();
    testing::internal::GetCapturedStdout();
    for (int i = 1; i <= kHighScoreRows; ++i) {
        enterHighScore({std::string(40, 'N'), static_cast<int16_t>(100 + i)});
    }
    {
        FileSizeLimit full(100);  // the write of the new table fails half-way
        testing::internal::CaptureStdout();
        EXPECT_FALSE(saveHighScores());
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        EXPECT_EXIT(saveAndExit(), testing::ExitedWithCode(1), "");
    }
    EXPECT_EQ(readScoreFile(), old);
    for (const auto& entry : fs::directory_iterator(dataHome + "/orvel")) {
        EXPECT_EQ(entry.path().filename().string().find(".new"), std::string::npos)
            << "the half-written new file must not be left behind";
    }
    testing::internal::CaptureStdout();
    EXPECT_TRUE(saveHighScores());
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(readScoreFile().substr(0, 47), std::string(40, 'N') + "\r\n110\r\n");
}

TEST_F(ScoreFileTest, ReplaceFileSwapsInTheNewBytesWhole) {
    writeScoreFile("old");
    std::string error;
    ASSERT_TRUE(replaceFile(scoreFile(), "new contents", error)) << error;
    EXPECT_EQ(readScoreFile(), "new contents");
    EXPECT_FALSE(replaceFile(dataHome + "/missing/folder/file", "x", error));
    EXPECT_NE(error.find("missing/folder/file"), std::string::npos) << error;
}

TEST_F(ScoreFileTest, ANewFileNeverTakesTheNameOfAnother) {
    writeScoreFile("someone else's");
    std::string error;
    EXPECT_EQ(writeNewFile(scoreFile(), "mine", error), NewFile::Taken);
    EXPECT_EQ(readScoreFile(), "someone else's");
    EXPECT_EQ(writeNewFile(scoreFile() + "2", "mine", error), NewFile::Written) << error;
    std::string tail;
    ASSERT_TRUE(readFileEnd(scoreFile() + "2", 3, tail, error)) << error;
    EXPECT_EQ(tail, "ine");
    EXPECT_EQ(std::distance(fs::directory_iterator(dataHome + "/orvel"), {}), 2) << "no leftover";
}

// Games told to quit together take turns with their last saves: one request still waits for a
// lock another game holds a moment, two seconds in all however many waits follow it; a second
// request ends the wait at once.
TEST_F(ScoreFileTest, ATerminateRequestWaitsForAShortSaveButASecondEndsTheWait) {
    writeScoreFile("");
    // SPENT_MS after REQUESTS termination requests, takes the lock another game holds for HELD_MS.
    const auto lockAfterRequests = [this](int requests, int heldMs, std::string& error,
                                          int spentMs = 0) {
        catchTerminationSignals();
        for (int i = 0; i < requests; ++i) {
            raise(SIGTERM);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(spentMs));
        const int fd = open((scoreFile() + ".lock").c_str(), O_RDWR | O_CREAT, 0666);
        flock(fd, LOCK_EX);
        std::thread([fd, heldMs] {
            std::this_thread::sleep_for(std::chrono::milliseconds(heldMs));
            close(fd);
        }).detach();
        FileLock lock;
        return lock.acquire(scoreFile(), error);
    };
    EXPECT_EXIT(
        {
            std::string error;
            std::_Exit(lockAfterRequests(1, 200, error) ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            std::string error;
            const bool locked = lockAfterRequests(2, 1000, error);
            std::_Exit(!locked && error.find("stopped waiting") != std::string::npos ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    // An earlier wait (the High Scores refresh) has spent the request's grace: no second one.
    EXPECT_EXIT(
        {
            std::string error;
            const bool locked = lockAfterRequests(1, 1000, error, 2100);
            std::_Exit(!locked && error.find("stopped waiting") != std::string::npos ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

// A symlink where the lock goes is refused, never followed: a dangling one would have its
// target created.
TEST_F(ScoreFileTest, ASymlinkInTheLocksPlaceIsRefused) {
    writeScoreFile("");
    const std::string target = dataHome + "/elsewhere";
    fs::create_symlink(target, scoreFile() + ".lock");
    FileLock lock;
    std::string error;
    EXPECT_FALSE(lock.acquire(scoreFile(), error));
    EXPECT_NE(error.find("is a symbolic link"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(target));
}

// The lock files are their owner's alone: anyone who may open one, even only to read, may lock
// it and stop every game. A group that shares the table may lock it too; a lock left with bits
// for others is put right by its owner. The replays are locked through a file in their folder,
// so a lock on the folder itself stops nobody.
TEST_F(ScoreFileTest, LocksAreTheirOwnersAloneAndALockOnTheFolderStopsNobody) {
    const mode_t oldMask = umask(022);
    writeScoreFile("");
    chmod(dataHome.c_str(), 0755);
    const std::string folder = dataHome + "/orvel";
    const auto lockMode = [](const std::string& lockPath) {
        struct stat info {};
        EXPECT_EQ(stat(lockPath.c_str(), &info), 0) << lockPath;
        return info.st_mode & 0777;
    };
    std::string error;
    {
        FileLock lock;
        ASSERT_TRUE(lock.acquire(scoreFile(), error)) << error;
    }
    EXPECT_EQ(lockMode(scoreFile() + ".lock"), 0600U);
    const int held = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
    {
        FileLock lock;  // waited ten seconds, then failed, while the folder itself was the lock
        EXPECT_TRUE(lock.acquireFolder(folder, error)) << error;
    }
    close(held);
    EXPECT_EQ(lockMode(folder + "/recordings.lock"), 0600U);
    if (geteuid() == 0) {
        // Another user, who may read the table, can't even open either lock.
        EXPECT_EXIT(
            {
                const bool dropped = setgid(4242) == 0 && setuid(4242) == 0;
                const bool reads = open(scoreFile().c_str(), O_RDONLY) >= 0;
                const auto refused = [](const std::string& lockPath) {
                    return open(lockPath.c_str(), O_RDONLY) < 0 && errno == EACCES;
                };
                std::_Exit(dropped && reads && refused(scoreFile() + ".lock") &&
                                   refused(folder + "/recordings.lock")
                               ? 0
                               : 1);
            },
            testing::ExitedWithCode(0), "");
    }
    chmod((scoreFile() + ".lock").c_str(), 0644);
    chmod(scoreFile().c_str(), 0664);
    {
        FileLock lock;
        ASSERT_TRUE(lock.acquire(scoreFile(), error)) << error;
    }
    EXPECT_EQ(lockMode(scoreFile() + ".lock"), 0660U);
    umask(oldMask);
}

TEST_F(ScoreFileTest, NewFoldersArePrivateToTheirUser) {
    const mode_t oldMask = umask(022);
    std::string error;
    ASSERT_TRUE(makeParentFolders(dataHome + "/a/b/highScores.txt", error)) << error;
    umask(oldMask);
    for (const std::string& folder : {dataHome + "/a", dataHome + "/a/b"}) {
        struct stat info {};
        ASSERT_EQ(stat(folder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700U) << folder;
    }
}

namespace {

// A folder below dataHome, made with the given mode and owner (root only gives folders away).
std::string folderOf(const std::string& path, mode_t mode, uid_t owner = 0) {
    fs::create_directories(path);
    chmod(path.c_str(), mode);
    EXPECT_EQ(lchown(path.c_str(), owner, owner), 0);
    return path;
}

IdentityPlan::Kind planFor(const std::string& data, unsigned* user = nullptr,
                           std::string* problem = nullptr) {
    const IdentityPlan plan = planIdentity({data, data + "/replays"}, {data + "/highScores.txt"});
    if (user) {
        *user = plan.user;
    }
    if (problem) {
        *problem = plan.problem;
    }
    return plan.kind;
}

// Who plays, in folders of a temporary home that the tests give to other users.
class Identity : public GameTest {};

}  // namespace

// Root plays as root where every part of the path is root's and nobody else may change it;
// the first part, or link, of another user's makes it that user; a folder of root's others may
// write in, without the sticky bit (or where the game makes its files), stops it. Below a
// sticky folder, the missing folder is made at once, root's, so nobody can put one there later.
TEST_F(Identity, RootDecidesOnceWhoPlaysByThePathsOwners) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root gives folders to other users (CI runs this as root)";
    }
    unsigned user = 0;
    std::string problem;
    const std::string own = folderOf(dataHome + "/own", 0755);
    EXPECT_EQ(planFor(own + "/missing/orvel"), IdentityPlan::Kind::Stay);
    EXPECT_FALSE(fs::exists(own + "/missing"));

    const std::string player = folderOf(dataHome + "/player", 0755, 65534);
    EXPECT_EQ(planFor(player + "/orvel", &user), IdentityPlan::Kind::Become);
    EXPECT_EQ(user, 65534U);
    fs::create_symlink(player, own + "/root-link");
    EXPECT_EQ(planFor(own + "/root-link/orvel", &user), IdentityPlan::Kind::Become);
    fs::create_symlink(own, own + "/players-link");
    ASSERT_EQ(lchown((own + "/players-link").c_str(), 65534, 65534), 0);
    EXPECT_EQ(planFor(own + "/players-link", &user), IdentityPlan::Kind::Become);
    EXPECT_EQ(user, 65534U);

    const std::string open = folderOf(dataHome + "/open", 0777);
    EXPECT_EQ(planFor(open + "/orvel", nullptr, &problem), IdentityPlan::Kind::Refuse);
    EXPECT_NE(problem.find(open + " is root's, but others may write in it"), std::string::npos);
    const std::string shared = folderOf(dataHome + "/shared", 0775);
    EXPECT_EQ(planFor(shared + "/orvel"), IdentityPlan::Kind::Refuse);

    const std::string sticky = folderOf(dataHome + "/sticky", 01777);
    EXPECT_EQ(planFor(sticky + "/data/orvel"), IdentityPlan::Kind::Stay);
    struct stat made {};
    ASSERT_EQ(lstat((sticky + "/data").c_str(), &made), 0);
    EXPECT_EQ(made.st_uid, 0U);
    EXPECT_EQ(made.st_mode & 0777, 0700U);
    EXPECT_FALSE(fs::exists(sticky + "/data/orvel"));
    folderOf(sticky + "/theirs", 0700, 65534);
    EXPECT_EQ(planFor(sticky + "/theirs/orvel", &user), IdentityPlan::Kind::Become);
    EXPECT_EQ(planFor(sticky, nullptr, &problem), IdentityPlan::Kind::Refuse);
    // Two users' folders (the data folder's and HOME's) leave nobody to become: either would
    // read what the other planted.
    const std::string daemons = folderOf(dataHome + "/daemons", 0755, 1);
    EXPECT_EQ(
        planIdentity({player + "/orvel", daemons}, {player + "/orvel/highScores.txt"}).problem,
        daemons + " is user 1's, but another folder the game uses is user 65534's");
    EXPECT_EQ(planIdentity({player + "/orvel", player}, {}).kind, IdentityPlan::Kind::Become);
    // A file or FIFO of the player's on the way is no folder now, but its owner may put a link
    // to root's folders in its place the moment after root's game looked.
    const std::string file = sticky + "/file";
    std::fclose(std::fopen(file.c_str(), "w"));
    ASSERT_EQ(mkfifo((sticky + "/fifo").c_str(), 0644), 0);
    for (const std::string& theirs : {file, sticky + "/fifo"}) {
        ASSERT_EQ(lchown(theirs.c_str(), 65534, 65534), 0);
        user = 0;
        EXPECT_EQ(planFor(theirs + "/orvel", &user), IdentityPlan::Kind::Become) << theirs;
        EXPECT_EQ(user, 65534U) << theirs;
    }
}

// The player's folder under a sticky folder vanishes for an instant every 300 us (renamed away
// and back), with a link into root's folders inside: whenever root's game looks, it either finds
// the player's folder (and becomes the player) or finds nothing and makes the folder its own,
// so that the player can't put theirs back. It never stays root with the player's folder there,
// nor with its working folder in the player's folder and HOME relative to it (su -m keeps both
// as the player had them), whatever name the working folder's path had when root's game asked.
TEST_F(Identity, AFolderThatBlinksAwayNeverLeavesRootInThePlayersFolder) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root gives folders to other users (CI runs this as root)";
    }
    chmod(dataHome.c_str(), 0755);
    const std::string sticky = folderOf(dataHome + "/sticky", 01777);
    const std::string folder = folderOf(sticky + "/p", 0755, 65534);
    fs::create_symlink(dataHome, folder + "/orvel");
    ASSERT_EQ(lchown((folder + "/orvel").c_str(), 65534, 65534), 0);
    folderOf(folder + "/work", 0755, 65534);
    const pid_t blinker = fork();
    ASSERT_GE(blinker, 0);
    if (blinker == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) {
            std::_Exit(1);
        }
        for (const std::string away = folder + ".away";;) {
            rename(folder.c_str(), away.c_str());
            usleep(300);
            rename(away.c_str(), folder.c_str());
            usleep(300);
        }
    }
    // Ended however the test ends, a failed assertion too.
    const std::unique_ptr<pid_t, void (*)(pid_t*)> ended(new pid_t(blinker), [](pid_t* pid) {
        kill(*pid, SIGKILL);
        waitpid(*pid, nullptr, 0);
        delete pid;
    });
    int claimed = 0;
    for (int look = 0; look < 2000; ++look) {
        unsigned user = 0;
        const IdentityPlan::Kind kind = planFor(folder + "/orvel", &user);
        struct stat info {};
        if (kind == IdentityPlan::Kind::Stay) {
            ASSERT_EQ(lstat(folder.c_str(), &info), 0);
            ASSERT_EQ(info.st_uid, 0U) << "root stayed root in the player's folder, look " << look;
            ASSERT_EQ(rmdir(folder.c_str()), 0);  // the player may put theirs back
            ++claimed;
        } else {
            ASSERT_EQ(kind, IdentityPlan::Kind::Become) << "look " << look;
            ASSERT_EQ(user, 65534U);
        }
    }
    std::printf("root found the folder gone and made its own in %d of 2000 looks\n", claimed);
    for (int start = 0; start < 200; ++start) {
        const pid_t started = fork();
        ASSERT_GE(started, 0);
        if (started == 0) {
            if (chdir((folder + "/work").c_str()) != 0 &&
                chdir((folder + ".away/work").c_str()) != 0) {
                std::_Exit(0);
            }
            setenv("HOME", ".", 1);
            const std::string problem =
                chooseIdentity(".local/share/orvel/highScores.txt", ".local/share/orvel/replays");
            struct stat here {};
            const bool inPlayers = stat(".", &here) == 0 && here.st_uid != 0;
            std::_Exit(problem.empty() && geteuid() == 0 && inPlayers ? 3 : 0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(started, &status, 0), started);
        ASSERT_EQ(status, 0) << "root stayed root in the player's working folder, start " << start;
        for (const std::string& name : {folder, folder + ".away"}) {
            struct stat info {};
            if (lstat(name.c_str(), &info) == 0 && info.st_uid == 0) {
                ASSERT_EQ(rmdir(name.c_str()), 0);
            }
        }
    }
}

// Becoming is for good: every user and group ID is the player's, and root can't be had back.
// The environment may be the player's own (su -m keeps it), so its word on who started the game
// (SUDO_UID, never root's) counts only where it names the folder's owner, who must have an
// account, and SUDO_GID only where it is a group of that user's. Root's game reads files of its
// HOME too (the X authority, X resources, Mesa's settings, cursor themes), so a player's HOME
// makes it the player as a player's data folder does; and it takes no cursor themes from the
// environment, whose files libXcursor would parse as root.
TEST_F(Identity, RootBecomesThePlayerForGood) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can become another user (CI runs this as root)";
    }
    const std::string player = folderOf(dataHome + "/player", 0755, 65534);
    const std::string stranger = folderOf(dataHome + "/stranger", 0755, 4242);
    // Exits with the user it is now, in part (root: 0), 250 where it refused, or 1 where it is not
    // that user, with that user's own group, for good.
    const auto becomes = [](const std::string& data, const char* sudoUid,
                            const char* sudoGid = nullptr) {
        sudoUid ? setenv("SUDO_UID", sudoUid, 1) : unsetenv("SUDO_UID");
        sudoGid ? setenv("SUDO_GID", sudoGid, 1) : unsetenv("SUDO_GID");
        const std::string problem = chooseIdentity(data + "/highScores.txt", data + "/replays");
        if (!problem.empty()) {
            std::fprintf(stderr, "%s\n", problem.c_str());
            std::_Exit(250);
        }
        uid_t ids[3] = {};
        gid_t groups[3] = {};
        getresuid(&ids[0], &ids[1], &ids[2]);
        getresgid(&groups[0], &groups[1], &groups[2]);
        const passwd* entry = getpwuid(ids[0]);
        const bool same = ids[0] == ids[1] && ids[1] == ids[2] && groups[0] == groups[1] &&
                          groups[1] == groups[2] && entry && groups[0] == entry->pw_gid;
        const bool forGood = ids[0] == 0 || (setuid(0) != 0 && open("/root", O_RDONLY) < 0);
        std::_Exit(same && forGood ? static_cast<int>(ids[0] % 250) : 1);
    };
    const int nobody = 65534 % 250;
    EXPECT_EXIT(becomes(player + "/orvel", nullptr), testing::ExitedWithCode(nobody), "");
    EXPECT_EXIT(becomes(player + "/orvel", "0"), testing::ExitedWithCode(nobody), "");
    EXPECT_EXIT(becomes(player + "/orvel", "65534", "65534"), testing::ExitedWithCode(nobody), "");
    EXPECT_EXIT(becomes(player + "/orvel", "65534", "42"), testing::ExitedWithCode(nobody), "")
        << "a group the player is not in (shadow, say) is no word of sudo's";
    EXPECT_EXIT(becomes(player + "/orvel", "2"), testing::ExitedWithCode(250),
                "cannot play in .*/player/orvel as root: it is user 65534's, but SUDO_UID says "
                "user 2 started the game; run ORVEL as the folder's owner");
    EXPECT_EXIT(becomes(stranger + "/orvel", "65534"), testing::ExitedWithCode(250),
                "it is user 4242's, but SUDO_UID says user 65534 started the game");
    EXPECT_EXIT(becomes(stranger + "/orvel", nullptr), testing::ExitedWithCode(250),
                "cannot play in .*/stranger/orvel as root: user 4242 has no account here; run "
                "ORVEL as the folder's owner");
    EXPECT_EXIT(
        {
            setenv("HOME", player.c_str(), 1);
            becomes(dataHome + "/orvel", nullptr);
        },
        testing::ExitedWithCode(nobody), "");
    EXPECT_EXIT(
        {
            setenv("XCURSOR_PATH", player.c_str(), 1);
            const std::string problem =
                chooseIdentity(dataHome + "/orvel/highScores.txt", dataHome + "/orvel/replays");
            std::_Exit(problem.empty() && !std::getenv("XCURSOR_PATH") ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EXIT(becomes(dataHome + "/orvel", "65534"), testing::ExitedWithCode(0), "");
}
