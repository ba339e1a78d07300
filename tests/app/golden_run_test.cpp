// The golden run: a whole seeded session played by scripted key events through the real
// start-up, frame driver and key callbacks, with the recording GL fake and its clock at 60
// frames a second. Every diagnostic line, a digest of every frame's GL calls and the final
// state are compared with what this game did when the run was recorded, so any change of
// behaviour shows here. When it changes, a behaviour changed: look before updating it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/game.h"
#include "app/keyboard.h"
#include "app/startup.h"
#include "fake_gl.h"
#include "fake_platform.h"
#include "game_test.h"

namespace {

// FNV-1a, 64 bits: a digest that is the same on every platform.
uint64_t digest(uint64_t hash, const std::string& text) {
    for (const unsigned char c : text) {
        hash = (hash ^ c) * 1099511628211ULL;
    }
    return (hash ^ 0xFF) * 1099511628211ULL;
}
constexpr uint64_t kDigestStart = 14695981039346656037ULL;

// The keys pressed (and released) at the start of a frame, by frame number.
using Script = std::multimap<int, unsigned char>;

struct Session {
    std::string output;   // standard output, every diagnostic line
    uint64_t frames = 0;  // digest of the GL calls of every frame, in order
    int frameCount = 0;
};

// Every line the session writes to standard output, in order.
const char* const kExpectedOutput = R"(Created new file.
Loading:  : 0
Placing berry at: 3,6
Placing berry at: 16,7
Placing berry at: 9,19
Placing berry at: 15,10
Placing berry at: 19,7
Placing berry at: 11,6
Placing berry at: 11,3
Placing berry at: 3,9
Placing berry at: 6,2
Placing berry at: 10,11
Berry index infront: 10
Placing berry at: 10,18
creating an emitter at: 10,11
Placing berry at: 19,6
Berry index infront: 10
Placing berry at: 9,6
creating an emitter at: 10,18
Saving: Player 1 - 1 - Anaconda : 3
Saving: AAA : 0
Saving: AAA : 0
Saving: AAA : 0
Saving: AAA : 0
Saving: AAA : 0
Saving: AAA : 0
Saving: AAA : 0
Saving: AAA : 0
Saving: AAA : 0
Placing berry at: 17,14
Placing berry at: 14,18
Placing berry at: 3,4
Placing berry at: 7,10
Placing berry at: 10,8
Placing berry at: 11,10
Placing berry at: 16,5
Placing berry at: 6,9
Placing berry at: 13,6
Placing berry at: 8,2
)";

// The board when the session ends: a new game left with Escape, its snake three cells up.
const char* const kExpectedBoard = R"(33333333333333333333
30000000000000000003
30000000000002000003
30000000000000000003
30000000000000000003
30000000000000000003
30000000000000002003
30000000050000000003
30000000010000000003
30000000010000000003
30000020012000000003
30000200000000000003
30000000020000000003
30000000000000000003
30000000000020000003
30000000000000020003
30200000000000000003
30000000000000000003
30000002000000000003
33333333333333333333
)";

class GoldenRun : public ScoreFileTest {
protected:
    // Plays frames 1..lastFrame at 60 Hz, pressing the script's keys; a crash pause passes on
    // the clock as it would on a real one.
    Session play(const Script& script, int lastFrame) {
        Session run;
        setenv("ORVEL_SEED", "7", 1);
        testing::internal::CaptureStdout();
        char name[] = "orvel";
        char* argv[] = {name, nullptr};
        startUp(1, argv);
        unsetenv("ORVEL_SEED");
        reshape(1280, 1024);
        const bool trace = std::getenv("ORVEL_GOLDEN_TRACE") != nullptr;
        double now = 0;
        for (int frame = 1; frame <= lastFrame; ++frame) {
            for (auto [key, end] = script.equal_range(frame); key != end; ++key) {
                keyDown(key->second, 0, 0);
                keyUp(key->second, 0, 0);
            }
            fakegl::forgetCalls();
            const size_t pauses = fakeplatform::sleeps().size();
            now += 1000.0 / 60;
            fakegl::setElapsedTime(static_cast<int>(now));
            drawFrame();
            uint64_t hash = kDigestStart;
            for (const fakegl::Call& call : fakegl::calls()) {
                hash = digest(hash, call.str());
            }
            run.frames = digest(run.frames ? run.frames : kDigestStart, std::to_string(hash));
            ++run.frameCount;
            for (size_t k = pauses; k < fakeplatform::sleeps().size(); ++k) {
                now += fakeplatform::sleeps()[k];
            }
            if (trace && game.play.snakeFirst) {
                std::fprintf(stderr, "frame %d screen %d head %d,%d lives %d score %d\n", frame,
                             game.menus.screen, game.play.snakeFirst->x, game.play.snakeFirst->y,
                             game.play.lives, game.play.score);
            }
        }
        run.output = testing::internal::GetCapturedStdout();
        return run;
    }
};

}  // namespace

TEST_F(GoldenRun, AWholeSessionPlaysAsRecorded) {
    constexpr unsigned char kEnter = kKeyEnter;
    const Script script = {
        // Settings: difficulty 2 -> 3 -> 4 -> 1, back; High Scores and back; New Game.
        {10, 's'},
        {12, 's'},
        {14, kEnter},
        {16, 's'},
        {16, 's'},
        {18, kEnter},
        {20, kEnter},
        {22, kEnter},
        {24, 'w'},
        {24, 'w'},
        {26, kEnter},
        {28, 's'},
        {30, kEnter},
        {34, kEnter},
        {40, kEnter},
        // Eat the berry above the spawn cell, go left and down to row 7, left through the wall
        // onto the berry on (19, 7), then up, right and down into the body.
        {50, 'a'},
        {60, 's'},
        {98, 'a'},
        {175, 'w'},
        {185, 'd'},
        {194, 's'},
        // Second life: the new snake eats the berry on (10, 18), wraps, and turns into itself.
        {301, 'a'},
        {311, 's'},
        {321, 'd'},
        // Third life: left, down, right into the body: game over, the result enters the table.
        {341, 'a'},
        {351, 's'},
        {360, 'd'},
        // Back from the high scores, a New Game left with Escape, and the marker onto Exit.
        {385, kEnter},
        {390, kEnter},
        {420, kKeyEscape},
        {425, 's'},
        {427, 's'},
        {429, 's'},
    };
    const Session run = play(script, 440);
    EXPECT_EQ(run.output, kExpectedOutput);
    EXPECT_EQ(run.frameCount, 440);
    EXPECT_EQ(run.frames, 0x0ff68f7f5229f98aULL) << "the GL calls of some frame changed";

    std::string board;
    for (int y = kBoardSize; y >= 1; --y) {
        for (int x = 1; x <= kBoardSize; ++x) {
            board += game.play.board.at(x, y);
        }
        board += '\n';
    }
    EXPECT_EQ(board, kExpectedBoard);
    EXPECT_EQ(game.play.score, 0);
    EXPECT_EQ(game.play.lives, 3);
    EXPECT_EQ(game.play.difficulty, 1);
    EXPECT_EQ(game.menus.screen, MainMenu);
    EXPECT_EQ(game.menus.menuCursor, 4);
    EXPECT_EQ(game.book.highScores[1].name, "Player 1 - 1 - Anaconda");
    EXPECT_EQ(game.book.highScores[1].score, 3);
    for (int row = 2; row <= kHighScoreRows; ++row) {
        EXPECT_EQ(game.book.highScores[row].name, "AAA");
        EXPECT_EQ(game.book.highScores[row].score, 0);
    }

    // Exit, on the marked row: the table is saved and the process ends with status 0.
    EXPECT_EXIT(keyDown(kEnter, 0, 0), testing::ExitedWithCode(0), "");
    std::string table = "Player 1 - 1 - Anaconda\r\n3\r\n";
    for (int row = 2; row <= kHighScoreRows; ++row) {
        table += "AAA\r\n0\r\n";
    }
    EXPECT_EQ(readScoreFile(), table);
}
