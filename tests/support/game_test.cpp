// Shared test fixtures.
#include "game_test.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/actions.h"
#include "app/shell.h"
#include "fake_gl.h"
#include "fake_platform.h"
#include "game/random.h"
#include "render/scene.h"
#include "render/sphere_cache.h"

namespace fs = std::filesystem;

void GameTest::SetUp() {
    resetShell();
    seedRandom(5489);
    releaseSphereCache();
    renderOptimisations = RenderOptimisations{};
    stretchBackground(1.0, 1.0);
    fakegl::reset();
    fakeplatform::reset();
    std::string pattern = (fs::temp_directory_path() / "orvel-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dataHome = pattern;
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
}

void GameTest::TearDown() {
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
    moveBerry(game.play, k, x, y);
}

void parkBerries() {
    parkBerries(game.play);
}

void laySnake(std::initializer_list<std::pair<int, int>> cells, char heading) {
    laySnake(game.play, cells, heading);
}
