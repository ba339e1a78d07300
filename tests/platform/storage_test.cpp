// Where the high-score file lives, and that replacing it never leaves half a table.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/high_score_file.h"
#include "app/keyboard.h"
#include "game_test.h"
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

// In root's own folders a table another user owns is replaced as before, still theirs: the
// file's owner is not whose rights root's game takes.
TEST_F(ScoreFileTest, RootReplacesAnotherUsersTableInItsOwnFolder) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can give a table to another user";
    }
    writeScoreFile("old\r\n");
    ASSERT_EQ(chown(scoreFile().c_str(), 65534, 65534), 0);
    std::string error;
    EXPECT_EQ(replaceProblem(scoreFile()), "");
    EXPECT_TRUE(replaceFile(scoreFile(), "new\r\n", error)) << error;
    EXPECT_EQ(readScoreFile(), "new\r\n");
    struct stat info {};
    ASSERT_EQ(stat(scoreFile().c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534U);
}

// Root's folder that others may write in without the sticky bit: anyone can swap what root
// makes there for a link between a check and its use, so root's game makes nothing below it.
TEST_F(ScoreFileTest, RootMakesNothingInItsOwnFolderThatOthersMayWrite) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root's game guards against its own folders";
    }
    fs::permissions(dataHome, fs::perms::all);
    std::string error;
    EXPECT_FALSE(makeParentFolders(scoreFile(), error));
    EXPECT_NE(error.find("others may write"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(dataHome + "/orvel"));
}
