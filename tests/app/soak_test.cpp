// Long simulated play: tens of thousands of steps with random steering, eating, crashing and
// new games, checking the board after every step. Run under the sanitizers, it also shows
// that replaced snakes, berries and bursts are released.
#include <gtest/gtest.h>

#include <iostream>
#include <random>

#include "app/frame.h"
#include "app/keyboard.h"
#include "game/collisions.h"
#include "game/step.h"
#include "game_test.h"
#include "longest_snake.h"

namespace {

// Exactly ten berry cells, each a berry's own; no berry under the snake; the head's cell
// shows the head, or body where a segment shares it.
void expectBoardInvariants() {
    int berryCells = 0;
    for (int x = kFieldFirst; x <= kFieldLast; ++x) {
        for (int y = kFieldFirst; y <= kFieldLast; ++y) {
            if (game.play.board.at(x, y) == kBerry) {
                ++berryCells;
                ASSERT_NE(findBerryAt(game.play.berries, static_cast<int16_t>(x),
                                      static_cast<int16_t>(y)),
                          0);
            }
        }
    }
    ASSERT_EQ(berryCells, kBerryCount);
    const char head = game.play.board.at(game.play.snakeFirst->x, game.play.snakeFirst->y);
    ASSERT_TRUE(head == kHead || head == kBody);
    for (const SnakeSegment* s = game.play.snakeFirst.get(); s; s = s->next.get()) {
        ASSERT_EQ(
            findBerryAt(game.play.berries, static_cast<int16_t>(s->x), static_cast<int16_t>(s->y)),
            0);
    }
}

}  // namespace

TEST_F(GameTest, ALongRandomlySteeredSessionKeepsTheBoardSound) {
    std::mt19937 player(2026);
    const unsigned char keys[] = {'w', 'a', 's', 'd'};
    int games = 0, steps = 0, crashes = 0;
    int16_t bestScore = 0;
    testing::internal::CaptureStdout();
    while (steps < 40000) {
        newGame();
        ++games;
        game.play.difficulty = static_cast<int16_t>(1 + games % 4);
        while (game.menus.screen == Playing && steps < 40000) {
            // Mostly straight on, now and then one or two turns before the step.
            for (int presses = player() % 4 == 0 ? 1 + player() % 2 : 0; presses > 0; --presses) {
                keyDown(keys[player() % 4], 0, 0);
            }
            const int16_t lives = game.play.lives;
            actOnStep(playStep(game.play));
            game.menus.discardPendingKeys = false;  // a frame passes between steps
            ++steps;
            crashes += game.play.lives < lives || game.menus.screen != Playing;
            bestScore = std::max(bestScore, game.play.score);
            expectBoardInvariants();
            if (HasFatalFailure()) {
                break;
            }
        }
        if (HasFatalFailure()) {
            break;
        }
    }
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output.find("INTERSECT AT"), std::string::npos);
    std::cout << games << " games, " << steps << " steps, " << crashes << " crashes, best score "
              << bestScore << "\n";
    EXPECT_GT(games, 10);
    EXPECT_GT(crashes, 30);
    EXPECT_GT(bestScore, 5);
}

TEST_F(GameTest, ALongestSnakeStillLeavesRoomForEveryBerry) {
    startTestGame();
    layLongestSnake(game.play);
    ASSERT_EQ(snakeLength(game.play), kLongestSnake);
    testing::internal::CaptureStdout();
    refreshBoard(game.play.board, *game.play.snakeFirst,
                 game.play.berries);  // berries under the snake are reported, and their marks win
    // Every berry places itself again; each time at most 305 + 10 + 1 cells are excluded.
    for (int round = 0; round < 20; ++round) {
        for (int k = 1; k <= kBerryCount; ++k) {
            game.play.berries[k]->place(game.play.board);
            refreshBoard(game.play.board, *game.play.snakeFirst, game.play.berries);
        }
    }
    testing::internal::GetCapturedStdout();
    for (int k = 1; k <= kBerryCount; ++k) {
        const Berry& berry = *game.play.berries[k];
        int under = 0;
        for (const SnakeSegment* s = game.play.snakeFirst.get(); s; s = s->next.get()) {
            under += s->x == berry.x() && s->y == berry.y();
        }
        EXPECT_EQ(under, 0) << "berry " << k;
    }
}
