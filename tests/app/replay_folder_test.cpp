// The replay folder on the real file system: names, the order "last" follows whatever the clock
// said, "best" by the score each file holds, what is kept, and killed recordings' leftovers.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <vector>

#include "app/replay_folder.h"
#include "game_test.h"
#include "platform/storage.h"

namespace fs = std::filesystem;

namespace {

class Recordings : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        folder = dataHome + "/replays";
        fs::create_directories(folder);
        replays.emplace(folder);
    }

    // A finished game's recording, as the game adds it.
    void add(int16_t score, const std::string& time = "20261208-120000") {
        Replay replay;
        replay.gameVersion = "test";
        replay.ending = "gameover";
        replay.score = score;
        std::string error;
        ASSERT_TRUE(replays->add(replay, time, error)) << error;
    }

    void put(const std::string& name, const std::string& text) const {
        std::ofstream(folder + "/" + name, std::ios::binary) << text;
    }

    // Everything in the folder but the lock the games take turns by.
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().filename() != "recordings.lock") {
                found.push_back(entry.path().filename().string());
            }
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    std::string folder;
    std::optional<ReplayFolder> replays;  // as the game keeps it, for the whole test
};

std::string endingWith(int score) {
    return "ORVEL replay 1\ngame 1.0.0\nseed 1\nposition 0\ndifficulty 2\ndate x\nend gameover "
           "steps 5 score " +
           std::to_string(score) + " lives 0 hash 1\n";
}

}  // namespace

TEST_F(Recordings, LastIsTheLastAddedWhateverTheClockSaid) {
    put("20991231-235959-d2-s00001-77-1.orvel-replay", endingWith(1));  // a clock once wrong
    put("notes.txt", "mine");
    add(3, "20991231-235959");
    add(2, "20261208-120000");
    add(1, "20261208-120000");  // the same second
    EXPECT_EQ(replays->last(), "00000003-20261208-120000-d2-s00001.orvel-replay");
    EXPECT_TRUE(fs::exists(folder + "/00000001-20991231-235959-d2-s00003.orvel-replay"));
    EXPECT_TRUE(fs::exists(folder + "/notes.txt"));
    for (const char* name : {"00000001-20261208-120000-d2-s00001.orvel-replay.new-1",
                             "0000001-20261208-120000-d2-s00001.orvel-replay",
                             "00000001-20261208-120000-d5-s00001.orvel-replay",
                             "00000001-2026120-120000-d2-s00001.orvel-replay",
                             "00000001-20261208-120000-d2-s 0001.orvel-replay",
                             "20261208-120000-d2-s00001--1-1.orvel-replay"}) {
        EXPECT_FALSE(isRecordingName(name)) << name;
    }
}

TEST_F(Recordings, BestIsTheHighestScoreTheFilesHoldTheNewerOfEqualOnes) {
    put("00000001-20261208-120000-d2-s00100.orvel-replay", endingWith(100));
    put("00000002-20261208-120000-d2-s00059.orvel-replay", endingWith(169));
    put("00000003-20261208-120000-d2-s09999.orvel-replay", "no end line");
    EXPECT_EQ(replays->best(), "00000002-20261208-120000-d2-s00059.orvel-replay");
    add(169);
    EXPECT_EQ(replays->best(), "00000004-20261208-120000-d2-s00169.orvel-replay");
    EXPECT_EQ(replays->last(), replays->best());
}

TEST_F(Recordings, TheFolderKeepsTheFiftyNewestAndTheTenBestRemovingTwoAGame) {
    for (int i = 1; i <= 56; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "%08d-20261208-120000-d2-s00000.orvel-replay", i);
        put(name, endingWith(i <= 3 ? 500 - i : 0));  // the three oldest are the best
    }
    add(0);  // the 57th: two of the six oldest that are not among the best go
    std::vector<std::string> left = names();
    EXPECT_EQ(left.size(), 55u);
    EXPECT_EQ(left[0], "00000001-20261208-120000-d2-s00000.orvel-replay");
    EXPECT_EQ(left[3], "00000006-20261208-120000-d2-s00000.orvel-replay");
    replays->tidy();
    left = names();
    ASSERT_EQ(left.size(), 53u);
    EXPECT_EQ(left[2], "00000003-20261208-120000-d2-s00000.orvel-replay");
    EXPECT_EQ(left[3], "00000008-20261208-120000-d2-s00000.orvel-replay");
    EXPECT_EQ(replays->last(), left.back());
}

TEST_F(Recordings, AKilledRecordingsLeftoverGoesAtTheNextStart) {
    const std::string recording = "00000001-20261208-120000-d2-s00000.orvel-replay";
    put(recording + ".new-4194301", "half");  // no such process
    put(recording + ".new-" + std::to_string(getpid()), "being written");
    put("other.new-4194301", "not ours");
    replays->tidy();
    EXPECT_EQ(names(), (std::vector<std::string>{recording + ".new-" + std::to_string(getpid()),
                                                 "other.new-4194301"}));
}

// Four games ending at one moment, each with its own score: every recording gets a number of
// its own, round after round.
TEST_F(Recordings, GamesAddingAtOneMomentNeverShareANumber) {
    constexpr int kGames = 4;
    constexpr int kRounds = 10;
    for (int round = 0; round < kRounds; ++round) {
        int start[2];
        ASSERT_EQ(pipe(start), 0);
        std::vector<pid_t> games;
        for (int player = 0; player < kGames; ++player) {
            const pid_t pid = fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                close(start[1]);
                char go = 0;
                const bool started = read(start[0], &go, 1) == 0;  // all start as it closes
                Replay replay;
                replay.score = static_cast<int16_t>(player);
                std::string error;
                _exit(started && ReplayFolder(folder).add(replay, "20261208-120000", error) ? 0
                                                                                            : 1);
            }
            games.push_back(pid);
        }
        close(start[0]);
        close(start[1]);
        for (const pid_t pid : games) {
            int status = 0;
            ASSERT_EQ(waitpid(pid, &status, 0), pid);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
    }
    std::vector<std::string> numbers;
    for (const std::string& name : names()) {
        numbers.push_back(name.substr(0, 8));
    }
    EXPECT_EQ(numbers.size(), size_t{kGames * kRounds});
    EXPECT_EQ(std::set<std::string>(numbers.begin(), numbers.end()).size(), numbers.size())
        << "a number is shared";
}

// A file planted with a number no game could have reached neither stops the recording nor
// stays the newest: it is out of the sequence, before every numbered recording, and goes first.
TEST_F(Recordings, ANumberFarAboveTheOthersNeitherBlocksNorStaysLast) {
    const std::string planted = "999999999999999999-20261208-120000-d2-s00000.orvel-replay";
    put(planted, endingWith(0));
    for (int i = 1; i <= 55; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "%08d-20261208-120000-d2-s00000.orvel-replay", i);
        put(name, endingWith(0));
    }
    EXPECT_EQ(replays->last(), "00000055-20261208-120000-d2-s00000.orvel-replay");
    add(0);
    EXPECT_EQ(replays->last(), "00000056-20261208-120000-d2-s00000.orvel-replay");
    EXPECT_FALSE(fs::exists(folder + "/" + planted));
}
