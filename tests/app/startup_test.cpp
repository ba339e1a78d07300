// Start-up: first values, the OpenGL state and its order, the window and its fallback, the
// projection, and the seed taken from ORVEL_SEED.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>

#include "app/options.h"
#include "app/startup.h"
#include "fake_gl.h"
#include "fake_platform.h"
#include "game/random.h"
#include "game_test.h"
#include "render/gl.h"
#include "render/scene.h"
#include "render/text.h"

namespace {

class StartUp : public ScoreFileTest {
protected:
    void start() {
        int argc = 1;
        char name[] = "orvel";
        char* argv[] = {name, nullptr};
        testing::internal::CaptureStdout();
        startUp(argc, argv);
        output = testing::internal::GetCapturedStdout();
    }
    std::string output;
};

std::vector<std::string> between(const std::vector<std::string>& calls, const std::string& first,
                                 const std::string& last) {
    auto begin = std::find(calls.begin(), calls.end(), first);
    auto end = std::find(begin, calls.end(), last);
    return end == calls.end() ? std::vector<std::string>{}
                              : std::vector<std::string>(begin, end + 1);
}

std::string call(const char* name, std::initializer_list<double> args) {
    return fakegl::Call{name, args, {}}.str();
}

}  // namespace

// The table is loaded before GLUT starts; once start-up is over, the fixed state the drawing
// relies on is in force (what is enabled, blending, material, the light, the clear colour) and
// GLUT hands the game its frames, keys and window sizes; the main loop is main's to start.
TEST_F(StartUp, LoadsTheTableBeforeGlutAndLeavesTheFixedStateInForce) {
    start();
    EXPECT_EQ(output.rfind("Created new file.\nLoading:  : 0\n", 0), 0u) << output;
    EXPECT_EQ(game.book.highScores[1].name, "AAA");
    EXPECT_EQ(game.menus.screen, MainMenu);

    const auto calls = fakegl::callStrings();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.at(0), "glutInitErrorFunc()");
    EXPECT_EQ(calls.at(1), "glutInit()");
    std::set<double> enabled;
    for (const fakegl::Call& c : fakegl::calls()) {
        if (c.name == "glEnable") {
            enabled.insert(c.args.at(0));
        } else if (c.name == "glDisable") {
            enabled.erase(c.args.at(0));
        }
    }
    EXPECT_EQ(enabled, (std::set<double>{GL_DEPTH_TEST, GL_TEXTURE_2D, GL_BLEND, GL_POINT_SMOOTH,
                                         GL_LIGHTING, GL_LIGHT0, GL_COLOR_MATERIAL}));
    const auto last = [](const char* name) { return fakegl::callsNamed(name).back().str(); };
    EXPECT_EQ(last("glBlendFunc"), call("glBlendFunc", {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
    EXPECT_EQ(last("glColorMaterial"), call("glColorMaterial", {GL_FRONT, GL_AMBIENT_AND_DIFFUSE}));
    EXPECT_EQ(last("glLightfv"),
              call("glLightfv", {GL_LIGHT0, GL_SPECULAR, 0.1f, 0.1f, 0.9f, 0.1f}));
    EXPECT_EQ(last("glClearColor"), call("glClearColor", {0, 0, 0, 0}));
    for (const char* callback :
         {"glutDisplayFunc", "glutKeyboardFunc", "glutKeyboardUpFunc", "glutReshapeFunc"}) {
        EXPECT_EQ(fakegl::countOf(callback), 1u) << callback;
    }
    EXPECT_TRUE(fakegl::idleSet());
    EXPECT_EQ(fakegl::countOf("glutMainLoop"), 0u);
}

TEST_F(StartUp, BeginsOnTheMainMenuWithNoGameInPlay) {
    game.clock.stepTimer = 99;
    start();
    EXPECT_EQ(game.menus.screen, MainMenu);
    EXPECT_EQ(game.menus.menuCursor, 1);
    EXPECT_EQ(game.play.difficulty, 2);
    EXPECT_EQ(game.clock.elapsedTime, 1);
    EXPECT_EQ(game.clock.stepTimer, 0);
    EXPECT_EQ(game.play.emitter, nullptr);
    EXPECT_EQ(game.play.snakeFirst, nullptr);
}

TEST_F(StartUp, AsksForGameModeAndHidesThePointer) {
    start();
    const auto calls = fakegl::callStrings();
    const std::vector<std::string> window = {
        call("glutSetKeyRepeat", {GLUT_KEY_REPEAT_ON}),
        call("glutInitDisplayMode", {GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH}),
        "glutGameModeString(\"1280x1024:32@60\")",
        call("glutGameModeGet", {GLUT_GAME_MODE_POSSIBLE}),
        "glutEnterGameMode()",
        call("glutGameModeGet", {GLUT_GAME_MODE_ACTIVE}),
        "glutSetWindowTitle(\"ORVEL\")",
        call("glutSetCursor", {GLUT_CURSOR_NONE}),
    };
    EXPECT_EQ(between(calls, window.front(), window.back()), window);
    EXPECT_EQ(fakegl::countOf("glutCreateWindow"), 0u);
}

TEST_F(StartUp, FallsBackToAFullScreenWindowWhenGameModeIsRefused) {
    fakegl::setGameModeGranted(false);
    start();
    const auto calls = fakegl::callStrings();
    const std::vector<std::string> fallback = {
        call("glutGameModeGet", {GLUT_GAME_MODE_POSSIBLE}),
        call("glutInitWindowSize", {1280, 1024}),
        call("glutInitWindowPosition", {0, 0}),
        "glutCreateWindow(\"ORVEL\")",
        "glutFullScreen()",
        call("glutSetCursor", {GLUT_CURSOR_NONE}),
    };
    EXPECT_EQ(between(calls, fallback.front(), fallback.back()), fallback);
    EXPECT_EQ(fakegl::countOf("glutEnterGameMode"), 0u);  // no failed switch, no GLUT warning
    EXPECT_EQ(fakegl::countOf("glEnable"), 7u);           // the same fixed state follows
    EXPECT_EQ(fakegl::countOf("glutReshapeFunc"), 1u);
}

// A switch that raised an X error, or that left the screen as it was, is undone, and the
// full-screen window stands in for it.
TEST_F(StartUp, LeavesAGameModeThatDidNotReallyHappen) {
    for (const bool xError : {true, false}) {
        fakegl::reset();
        fakeplatform::reset();
        fakeplatform::switchErrors = xError ? 1 : 0;
        fakeplatform::modeSwitched = xError;
        start();
        const auto calls = fakegl::callStrings();
        const std::vector<std::string> fallback = {
            "glutEnterGameMode()",
            call("glutGameModeGet", {GLUT_GAME_MODE_ACTIVE}),
            call("glutGameModeGet", {GLUT_GAME_MODE_ACTIVE}),
            "glutLeaveGameMode()",
            call("glutInitWindowSize", {1280, 1024}),
            call("glutInitWindowPosition", {0, 0}),
            "glutCreateWindow(\"ORVEL\")",
            "glutFullScreen()",
        };
        EXPECT_EQ(between(calls, fallback.front(), fallback.back()), fallback)
            << (xError ? "an X error" : "an unchanged screen");
    }
}

TEST_F(StartUp, WindowedPlaysInAnOrdinaryWindowWithoutChangingTheMode) {
    char name[] = "orvel";
    char windowed[] = "--windowed";
    char* argv[] = {name, windowed, nullptr};
    testing::internal::CaptureStdout();
    startUp(2, argv);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(fakegl::countOf("glutEnterGameMode"), 0u);
    EXPECT_EQ(fakegl::countOf("glutFullScreen"), 0u);
    EXPECT_EQ(fakegl::callsNamed("glutCreateWindow").at(0).text, "ORVEL");
}

TEST_F(StartUp, RefusesAnUnknownOptionBeforeTouchingAFile) {
    char name[] = "orvel";
    char bad[] = "-geometry";
    char* argv[] = {name, bad, nullptr};
    EXPECT_EXIT(startUp(2, argv), testing::ExitedWithCode(2), "unknown option '-geometry'");
    EXPECT_FALSE(std::filesystem::exists(scoreFile()));
}

TEST(Options, ReadsHelpVersionAndWindowedAndRefusesTheRest) {
    auto parse = [](std::vector<std::string> words) {
        std::vector<char*> argv;
        for (auto& word : words) {
            argv.push_back(word.data());
        }
        return parseOptions(static_cast<int>(argv.size()), argv.data());
    };
    EXPECT_EQ(parse({"orvel"}).action, Options::Action::Play);
    EXPECT_TRUE(parse({"orvel", "--windowed"}).windowed);
    EXPECT_EQ(parse({"orvel", "--windowed", "--help"}).action, Options::Action::Help);
    EXPECT_EQ(parse({"orvel", "--version"}).action, Options::Action::Version);
    for (const char* bad : {"-geometry", "--window", "", "windowed", "--help=1"}) {
        EXPECT_EQ(parse({"orvel", bad}).action, Options::Action::Refuse) << bad;
    }
    // Quoted as text: a terminal shown the refusal takes no command from it.
    EXPECT_EQ(parse({"orvel", "-\x1B]0;x\x07"}).problem, "unknown option '-\\x1B]0;x\\x07'");
}

TEST_F(StartUp, RefusesAnInvalidSeedBeforeAnyWindowOpens) {
    setenv("ORVEL_SEED", "12abc\x1B[2J", 1);
    EXPECT_EXIT(start(), testing::ExitedWithCode(2),
                "ORVEL_SEED must be a whole number .*, not \"12abc\\\\x1B\\[2J\"");
    unsetenv("ORVEL_SEED");
}

TEST(Seed, AcceptsOnlyWholeNumbersThatFitThirtyTwoBits) {
    EXPECT_EQ(parseSeed("0"), 0u);
    EXPECT_EQ(parseSeed("42"), 42u);
    EXPECT_EQ(parseSeed("007"), 7u);
    EXPECT_EQ(parseSeed("4294967295"), 4294967295u);
    for (const char* bad : {"", "4294967296", "99999999999", "-1", "+5", " 5", "5 ", "1e3", "x"}) {
        EXPECT_FALSE(parseSeed(bad).has_value()) << '"' << bad << '"';
    }
}

TEST_F(GameTest, ReshapeSetsTheViewportAndAFortyFiveDegreeProjection) {
    reshape(1280, 1024);
    EXPECT_EQ(fakegl::callStrings(),
              (std::vector<std::string>{call("glViewport", {0, 0, 1280, 1024}),
                                        call("glMatrixMode", {GL_PROJECTION}), "glLoadIdentity()",
                                        call("gluPerspective", {45, 1.25, 0.1, 1000}),
                                        call("glMatrixMode", {GL_MODELVIEW}), "glLoadIdentity()"}));
    EXPECT_DOUBLE_EQ(fakegl::callsNamed("gluPerspective").at(0).args.at(1), 1.25);
}

// On a screen narrower than 5:4 the field of view widens just enough to keep the 5:4 picture's
// width in view; wider screens keep the 45 degrees.
TEST_F(GameTest, ReshapeKeepsTheWholePictureInViewOnNarrowScreens) {
    const double composedHalfWidth = std::tan(22.5 * M_PI / 180) * 1.25;
    for (auto [width, height] : {std::pair{768, 1024}, {1024, 1024}, {1080, 1920}}) {
        fakegl::reset();
        reshape(width, height);
        const auto args = fakegl::callsNamed("gluPerspective").at(0).args;
        const double halfWidth = std::tan(args.at(0) / 2 * M_PI / 180) * args.at(1);
        EXPECT_NEAR(halfWidth, composedHalfWidth, 1e-9) << width << "x" << height;
    }
    for (auto [width, height] : {std::pair{1920, 1080}, {3840, 2160}, {1280, 1024}}) {
        fakegl::reset();
        reshape(width, height);
        EXPECT_EQ(fakegl::callsNamed("gluPerspective").at(0).args.at(0), 45.0);
    }
}

TEST_F(GameTest, TextLinesWidenOnlyAboveTenTwentyFourPixels) {
    for (auto [height, width] : {std::pair{600, 1.0}, {1024, 1.0}, {2048, 2.0}, {2160, 2.109375}}) {
        reshape(height * 2, height);
        fakegl::reset();
        drawText("0", 0, 0, 1);
        EXPECT_FLOAT_EQ(fakegl::callsNamed("glLineWidth").at(0).args.at(0), width) << height;
    }
    reshape(1280, 1024);
}

namespace {

// Where each vertex of the background drawn at this time lands in clip space, on a screen of
// this size: through the projection reshape sets and the model-view the drawing builds.
std::vector<fakegl::Point> backgroundInClipSpace(int width, int height, int32_t time) {
    fakegl::reset();
    reshape(width, height);
    drawBackground(time);
    return fakegl::verticesInClipSpace();
}

}  // namespace

// From a 1:2 screen to a 32:9 one the background lands where it lands on a 5:4 screen, in
// proportion, at rest and through its swing: it covers each of them as it covers that one.
TEST_F(GameTest, TheBackgroundFillsEveryScreenShapeAsItFillsFiveByFour) {
    for (const int32_t time : {0, 400, 785, 2356}) {
        const auto composed = backgroundInClipSpace(1280, 1024, time);
        ASSERT_EQ(composed.size(), 122u);
        for (auto [width, height] : {std::pair{540, 1080}, {1366, 768}, {3840, 1080}}) {
            const auto fitted = backgroundInClipSpace(width, height, time);
            ASSERT_EQ(fitted.size(), composed.size());
            double farthest = 0;
            for (size_t i = 0; i < fitted.size(); ++i) {
                for (int k = 0; k < 4; ++k) {
                    farthest = std::max(farthest, std::abs(fitted[i][k] - composed[i][k]));
                }
            }
            EXPECT_LT(farthest, 1e-3) << width << "x" << height << " at " << time << " ms";
        }
    }
    reshape(1280, 1024);
}

TEST_F(GameTest, ReshapeToZeroHeightKeepsAFiniteAspect) {
    reshape(640, 0);
    EXPECT_DOUBLE_EQ(fakegl::callsNamed("gluPerspective").at(0).args.at(1), 640.0);
}

TEST_F(StartUp, SeedsTheGeneratorFromOrvelSeed) {
    setenv("ORVEL_SEED", "1234", 1);
    start();
    unsetenv("ORVEL_SEED");
    std::mt19937 reference(1234);
    const uint32_t expected = scaleRandom(static_cast<uint32_t>(reference()), 1000);
    EXPECT_EQ(randomBelow(1000), expected);
}
