// Where the high-score file lives, and that replacing it never leaves half a table.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "app/high_score_file.h"
#include "game_test.h"
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

// Saves while the process may write no file longer than limit bytes.
void saveWithFileSizeLimit(rlim_t limit) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit bound{limit, limit};
    setrlimit(RLIMIT_FSIZE, &bound);
    saveHighScores();
}

}  // namespace

TEST(HighScorePath, FollowsXdgDataHomeThenHome) {
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

TEST_F(ScoreFileTest, AFailedSaveLeavesTheWholeOldTable) {
    const std::string old = "Kept\r\n99\r\n";
    writeScoreFile(old);
    testing::internal::CaptureStdout();
    openOrCreateHighScoreFile();
    loadHighScores();
    testing::internal::GetCapturedStdout();
    for (int i = 1; i <= kHighScoreRows; ++i) {
        enterHighScore({std::string(40, 'N'), static_cast<int16_t>(100 + i)});
    }
    // The disk "fills up" after 100 bytes: the write of the new table fails half-way.
    EXPECT_EXIT(
        saveWithFileSizeLimit(100),
        testing::ExitedWithCode(
            1),  // The limit cuts the message short too (standard error goes to a file here).
        "cannot save the high-score file: cannot write");
    EXPECT_EQ(readScoreFile(), old);
    for (const auto& entry : fs::directory_iterator(dataHome + "/orvel")) {
        EXPECT_EQ(entry.path().filename().string().find(".new"), std::string::npos)
            << "the half-written new file must not be left behind";
    }
}

TEST_F(ScoreFileTest, ReplaceFileSwapsInTheNewBytesWhole) {
    writeScoreFile("old");
    std::string error;
    ASSERT_TRUE(replaceFile(scoreFile(), "new contents", error)) << error;
    EXPECT_EQ(readScoreFile(), "new contents");
    EXPECT_FALSE(replaceFile(dataHome + "/missing/folder/file", "x", error));
    EXPECT_NE(error.find("missing/folder/file"), std::string::npos) << error;
}
