// Berry placement from the seeded generator, its exclusions, lookup and eating.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>

#include "app/keyboard.h"
#include "game/random.h"
#include "game_test.h"

namespace {

// What a new game's ten placements must be for a seed, computed straight from MT19937: draw
// x then y in 2..19, redraw both while the cell is taken or the spawn cell.
std::vector<std::pair<int, int>> predictedBerries(uint32_t seed) {
    std::mt19937 mt(seed);
    auto draw = [&mt] { return static_cast<int>((uint64_t{mt()} * 18) >> 32) + 2; };
    std::set<std::pair<int, int>> taken;
    std::vector<std::pair<int, int>> cells;
    for (int k = 0; k < 10; ++k) {
        std::pair<int, int> cell;
        do {
            cell.first = draw();
            cell.second = draw();
        } while (taken.count(cell) || cell == std::make_pair(10, 10));
        taken.insert(cell);
        cells.push_back(cell);
    }
    return cells;
}

}  // namespace

TEST_F(GameTest, ANewGamePlacesTheBerriesTheSeedPredicts) {
    for (const uint32_t seed : {1u, 5489u, 20261207u}) {
        seedRandom(seed);
        testing::internal::CaptureStdout();
        newGame();
        const std::string output = testing::internal::GetCapturedStdout();
        std::ostringstream expected;
        const auto cells = predictedBerries(seed);
        for (int k = 1; k <= 10; ++k) {
            EXPECT_EQ(game.berries[k]->x(), cells[k - 1].first) << "seed " << seed;
            EXPECT_EQ(game.berries[k]->y(), cells[k - 1].second);
            EXPECT_EQ(game.board.at(cells[k - 1].first, cells[k - 1].second), kBerry);
            expected << "Placing berry at: " << cells[k - 1].first << "," << cells[k - 1].second
                     << "\n";
        }
        EXPECT_EQ(output, expected.str());
    }
}

TEST_F(GameTest, PlacementAvoidsSnakeBerriesAndTheSpawnCell) {
    resetBoard(game.board);
    // Leave only (4, 4), (4, 5) and the spawn cell unmarked.
    for (int x = kFieldFirst; x <= kFieldLast; ++x) {
        for (int y = kFieldFirst; y <= kFieldLast; ++y) {
            game.board.at(x, y) = "125"[(x + y) % 3];
        }
    }
    game.board.at(4, 4) = kEmpty;
    game.board.at(4, 5) = kEmpty;
    game.board.at(kSpawnX, kSpawnY) = kEmpty;
    testing::internal::CaptureStdout();
    Berry first(game.board);
    Berry second(game.board);
    testing::internal::GetCapturedStdout();
    std::set<std::pair<int, int>> cells = {{first.x(), first.y()}, {second.x(), second.y()}};
    EXPECT_EQ(cells, (std::set<std::pair<int, int>>{{4, 4}, {4, 5}}));
}

TEST_F(GameTest, FindBerryAtLooksAtAllTenAndAnswersZeroForNone) {
    startTestGame();
    EXPECT_EQ(findBerryAt(game.berries, game.berries[10]->x(), game.berries[10]->y()), 10);
    EXPECT_EQ(findBerryAt(game.berries, game.berries[1]->x(), game.berries[1]->y()), 1);
    EXPECT_EQ(findBerryAt(game.berries, kSpawnX, kSpawnY), 0);
    EXPECT_EQ(findBerryAt(game.berries, 1, 1), 0);
}

TEST_F(GameTest, EatingScoresOnceAndMovesTheBerryLeavingTheOldMark) {
    startTestGame();
    Berry& berry = *game.berries[5];
    const int oldX = berry.x(), oldY = berry.y();
    testing::internal::CaptureStdout();
    berry.eat(game.board, game.score);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(game.score, 1);
    EXPECT_TRUE(berry.x() != oldX || berry.y() != oldY);
    EXPECT_EQ(game.board.at(oldX, oldY), kBerry);
    EXPECT_EQ(game.board.at(berry.x(), berry.y()), kBerry);
    EXPECT_EQ(output, "Placing berry at: " + std::to_string(berry.x()) + "," +
                          std::to_string(berry.y()) + "\n");
}

TEST_F(GameTest, TheScoreStopsAtItsLargestValueInsteadOfWrapping) {
    startTestGame();
    game.score = INT16_MAX - 1;
    testing::internal::CaptureStdout();
    game.berries[1]->eat(game.board, game.score);
    game.berries[1]->eat(game.board, game.score);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(game.score, INT16_MAX);
}
