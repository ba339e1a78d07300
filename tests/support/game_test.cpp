// Shared test fixtures.
#include "game_test.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/frame.h"
#include "app/frame_pacing.h"
#include "app/keyboard.h"
#include "fake_gl.h"
#include "fake_platform.h"
#include "game/collisions.h"
#include "game/random.h"
#include "render/sphere_cache.h"

namespace fs = std::filesystem;

void GameTest::SetUp() {
    game = GameState{};
    seedRandom(5489);
    releaseSphereCache();
    renderOptimisations = RenderOptimisations{};
    fakegl::reset();
    fakeplatform::reset();
    setFramePacing(FramePacer());
}

void ScoreFileTest::SetUp() {
    GameTest::SetUp();
    std::string pattern = (fs::temp_directory_path() / "orvel-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dataHome = pattern;
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
}

void ScoreFileTest::TearDown() {
    unsetenv("XDG_DATA_HOME");
    std::error_code ignored;
    fs::remove_all(dataHome, ignored);
}

void ScoreFileTest::writeScoreFile(const std::string& bytes) const {
    fs::create_directories(fs::path(scoreFile()).parent_path());
    std::ofstream(scoreFile(), std::ios::binary) << bytes;
}

std::string ScoreFileTest::readScoreFile() const {
    std::ifstream in(scoreFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void startTestGame() {
    testing::internal::CaptureStdout();
    newGame();
    testing::internal::GetCapturedStdout();
}

void moveBerry(int k, int x, int y) {
    // A berry's cell is only ever chosen by place(), so place it again until it lands there.
    Berry& berry = *game.berries[k];
    testing::internal::CaptureStdout();
    for (int tries = 0; tries < 100000 && (berry.x() != x || berry.y() != y); ++tries) {
        game.board.at(berry.x(), berry.y()) = kEmpty;
        berry.place(game.board);
    }
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(berry.x(), x);
    ASSERT_EQ(berry.y(), y);
}

void parkBerries() {
    for (int k = 1; k <= kBerryCount; ++k) {
        const int x = 2 + k, y = 17;
        for (int j = 1; j <= kBerryCount; ++j) {
            Berry& other = *game.berries[j];
            while (j != k && other.x() == x && other.y() == y) {
                testing::internal::CaptureStdout();
                game.board.at(x, y) = kEmpty;
                other.place(game.board);
                testing::internal::GetCapturedStdout();
            }
        }
        moveBerry(k, x, y);
    }
}

void laySnake(std::initializer_list<std::pair<int, int>> cells, char heading) {
    auto cell = cells.begin();
    createSnake(game, cell->first, cell->second, 0);
    for (++cell; cell != cells.end(); ++cell) {
        appendSegment(*game.snakeFirst, cell->first, cell->second);
    }
    game.direction = heading;
    game.nextDirection = heading;
    refreshBoard(game.board, *game.snakeFirst, game.berries);
}

int32_t snakeLength(const GameState& state) {
    int32_t length = 0;
    for (const SnakeSegment* s = state.snakeFirst.get(); s; s = s->next.get()) {
        ++length;
    }
    return length;
}

const SnakeSegment* snakeTail(const GameState& state) {
    const SnakeSegment* tail = state.snakeFirst.get();
    while (tail && tail->next) {
        tail = tail->next.get();
    }
    return tail;
}
