// The board's spheres from compiled display lists, and back-face culling around the board.
#include <gtest/gtest.h>

#include "fake_gl.h"
#include "game_test.h"
#include "render/game_screen.h"
#include "render/gl.h"
#include "render/scene.h"
#include "render/sphere_cache.h"

TEST_F(GameTest, EachBoardSphereKindIsCompiledOnceAndCalled) {
    buildSphereCache();
    buildSphereCache();  // a second call compiles nothing more
    EXPECT_EQ(fakegl::countOf("glNewList"), 4u);
    EXPECT_EQ(fakegl::callsNamed("glutSolidSphere").at(1).str(), "glutSolidSphere(0.25,5,5)");
    const double berryList = fakegl::callsNamed("glNewList").at(1).args[0];

    fakegl::reset();
    drawSphere(10, 10, SphereKind::Berry, 0.0, 0.1, 0.2, 0.3);  // from its list
    EXPECT_EQ(fakegl::callsNamed("glCallList").at(0).args[0], berryList);
    EXPECT_EQ(fakegl::countOf("glutSolidSphere"), 0u);

    renderOptimisations.cachedSpheres = false;
    fakegl::reset();
    drawSphere(10, 10, SphereKind::Berry, 0.0, 0.1, 0.2, 0.3);
    EXPECT_EQ(fakegl::countOf("glCallList"), 0u);
    EXPECT_EQ(fakegl::countOf("glutSolidSphere"), 1u);
}

TEST_F(GameTest, BackFacesAreCulledAndBlendingIsOffOnlyWhileTheBoardIsDrawn) {
    resetBoard(game.play.board);
    drawGameScreen(game.play, 0, 60.0);
    const auto calls = fakegl::callStrings();
    const std::string cullOn = fakegl::Call{"glEnable", {GL_CULL_FACE}, {}}.str();
    const std::string cullOff = fakegl::Call{"glDisable", {GL_CULL_FACE}, {}}.str();
    const std::string blendOff = fakegl::Call{"glDisable", {GL_BLEND}, {}}.str();
    const std::string blendOn = fakegl::Call{"glEnable", {GL_BLEND}, {}}.str();
    const auto firstSphere = std::find(calls.begin(), calls.end(), "glutSolidSphere(0.1,10,10)");
    for (const std::string& before : {cullOn, blendOff}) {
        const auto at = std::find(calls.begin(), calls.end(), before);
        ASSERT_NE(at, calls.end()) << before;
        EXPECT_LT(at, firstSphere) << before;
        EXPECT_EQ(std::count(calls.begin(), calls.end(), before), 1) << before;
    }
    EXPECT_EQ(std::vector<std::string>(calls.end() - 2, calls.end()),
              (std::vector<std::string>{cullOff, blendOn}));

    renderOptimisations = {false, true, false};
    fakegl::reset();
    drawGameScreen(game.play, 0, 60.0);
    EXPECT_EQ(fakegl::countOf("glEnable"), 1u);  // lighting only
}
