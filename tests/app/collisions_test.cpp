// The board refresh after each step, the crash's lost life, and how the frame driver ends the
// game with its high-score entry.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "fake_gl.h"
#include "fake_platform.h"
#include "game/collisions.h"
#include "game/step.h"
#include "game_test.h"

namespace {

class Collisions : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        startTestGame();
    }
    void setTable(std::initializer_list<int16_t> table) {
        int row = 1;
        for (const int16_t score : table) {
            game.book.highScores[row] = {"row " + std::to_string(row), score};
            ++row;
        }
    }
    void crashNow() {
        fakegl::reset();
        actOnStep(
            StepEvent{loseLife(game.play) ? StepEvent::Kind::GameOver : StepEvent::Kind::Crashed});
    }
};

}  // namespace

TEST_F(Collisions, ALostLifeRestartsALongerSnakeOnTheSpawnCellAfterAPause) {
    game.play.lives = 3;
    game.play.score = 7;
    game.play.difficulty = 2;
    laySnake({{5, 5}, {5, 4}, {5, 3}, {5, 2}}, 'd');
    crashNow();
    EXPECT_EQ(fakeplatform::sleeps(), std::vector<int32_t>{1000});
    EXPECT_EQ(game.play.lives, 2);
    EXPECT_EQ(game.play.score, 7);
    EXPECT_EQ(snakeLength(game.play), 7);  // 7 div 2 + 3 behind the head
    EXPECT_EQ(game.play.snakeFirst->x, kSpawnX);
    EXPECT_EQ(snakeTail(game.play)->y, kSpawnY);
    EXPECT_EQ(game.play.direction, 'w');
    EXPECT_EQ(game.menus.screen, Playing);
}

TEST_F(Collisions, ARestartedSnakeNeverOutgrowsTheField) {
    game.play.score = 1000;
    game.play.difficulty = 1;
    crashNow();
    EXPECT_EQ(snakeLength(game.play), kMaxRestartExtra + 1);
}

TEST_F(Collisions, TheLastLifeEndsTheGameWithGameOverDrawn) {
    game.play.lives = 1;
    crashNow();
    EXPECT_EQ(game.play.lives, 1);
    EXPECT_EQ(game.menus.screen, HighScores);
    EXPECT_EQ(fakegl::strokeTexts(), std::vector<std::string>{"GAME OVER"});
    EXPECT_EQ(fakegl::callsNamed("glTranslatef").at(0).args, (std::vector<double>{-4, -1, -10}));
    EXPECT_FLOAT_EQ(fakegl::callsNamed("glScalef").at(0).args.at(0), 0.006f);
    EXPECT_EQ(fakegl::calls().front().name, "glDisable");
    EXPECT_EQ(fakegl::calls().back().name, "glEnable");
}

TEST_F(Collisions, AScoreEqualToRowTenIsNotEntered) {
    setTable({50, 40, 30, 20, 10, 9, 8, 7, 6, 5});
    game.play.lives = 1;
    game.play.score = 5;
    crashNow();
    EXPECT_EQ(game.book.highScores[10].name, "row 10");
    EXPECT_EQ(game.menus.screen, HighScores);
}

TEST_F(Collisions, AScoreAboveEveryRowBecomesRowOne) {
    setTable({50, 40, 30, 20, 10, 9, 8, 7, 6, 5});
    game.play.lives = 1;
    game.play.score = 60;
    game.play.difficulty = 3;
    crashNow();
    EXPECT_EQ(game.book.highScores[1].name, "Player 1 - 3 - Viper");
    EXPECT_EQ(game.book.highScores[1].score, 60);
    EXPECT_EQ(game.book.highScores[2].name, "row 1");
    EXPECT_EQ(game.book.highScores[10].name, "row 9");
}

TEST_F(Collisions, AnEqualScoreGoesBelowTheRowsItTies) {
    setTable({50, 40, 40, 30, 20, 10, 0, 0, 0, 0});
    game.play.lives = 1;
    game.play.score = 40;
    crashNow();
    EXPECT_EQ(game.book.highScores[4].name, "Player 1 - 2 - Python");
    EXPECT_EQ(game.book.highScores[3].name, "row 3");
    EXPECT_EQ(game.book.highScores[5].name, "row 4");
    EXPECT_EQ(game.book.highScores[10].name, "row 9");
}

TEST_F(Collisions, ANewEntryAtRowTenReplacesIt) {
    setTable({50, 40, 30, 20, 10, 9, 8, 7, 6, 5});
    game.play.lives = 1;
    game.play.score = 6;
    crashNow();
    EXPECT_EQ(game.book.highScores[9].name, "row 9");
    EXPECT_EQ(game.book.highScores[10].name, "Player 1 - 2 - Python");
}

TEST_F(Collisions, AZeroScoreOnAClearedTableIsNotEntered) {
    setTable({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    game.play.lives = 1;
    game.play.score = 0;
    crashNow();
    for (int row = 1; row <= 10; ++row) {
        EXPECT_EQ(game.book.highScores[row].name, "row " + std::to_string(row));
    }
}

TEST_F(Collisions, RefreshMarksBodyOverHeadAndBerriesOverBothAndLeavesWalls) {
    refreshBoard(
        game.play.board, *game.play.snakeFirst,
        game.play.berries);  // right after New Game: four segments stacked on the spawn cell
    EXPECT_EQ(game.play.board.at(kSpawnX, kSpawnY), kBody);
    int walls = 0, berries = 0;
    for (int x = 1; x <= kBoardSize; ++x) {
        for (int y = 1; y <= kBoardSize; ++y) {
            walls += game.play.board.at(x, y) == kWall;
            berries += game.play.board.at(x, y) == kBerry;
        }
    }
    EXPECT_EQ(walls, 76);
    EXPECT_EQ(berries, 10);

    laySnake({{3, 3}, {3, 4}}, 'w');
    EXPECT_EQ(game.play.board.at(3, 3), kHead);
    EXPECT_EQ(game.play.board.at(3, 4), kBody);
    EXPECT_EQ(game.play.board.at(kSpawnX, kSpawnY), kEmpty);
}

TEST_F(Collisions, RefreshReportsABerryUnderTheSnake) {
    const Berry& berry = *game.play.berries[3];
    testing::internal::CaptureStdout();
    laySnake({{berry.x(), berry.y()}, {berry.x(), berry.y()}}, 'w');
    const std::string cell = std::to_string(berry.x()) + "," + std::to_string(berry.y());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "INTERSECT AT: " + cell + " berry: 3\nINTERSECT AT: " + cell + " berry: 3\n");
    EXPECT_EQ(game.play.board.at(berry.x(), berry.y()), kBerry);
}
