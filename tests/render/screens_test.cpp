// What each screen writes and where: the game screen's HUD and spheres, and the menus.
#include <gtest/gtest.h>

#include <cmath>

#include "fake_gl.h"
#include "game_test.h"
#include "render/game_screen.h"
#include "render/gl.h"
#include "render/menu_screens.h"

namespace {

struct Text {
    std::string text;
    double x, y, scale;
    bool operator==(const Text& o) const {
        return text == o.text && std::fabs(x - o.x) < 1e-5 && std::fabs(y - o.y) < 1e-5 &&
               std::fabs(scale - o.scale) < 1e-7;
    }
};

std::ostream& operator<<(std::ostream& out, const Text& t) {
    return out << '"' << t.text << "\" at " << t.x << "," << t.y << " x" << t.scale;
}

// Every drawText of the recorded calls, with its position and scale: text is the only drawing
// that scales, and its characters follow until the next glLoadIdentity.
std::vector<Text> textsDrawn() {
    std::vector<Text> out;
    const fakegl::Call* move = nullptr;
    bool inText = false;
    for (const fakegl::Call& call : fakegl::calls()) {
        if (call.name == "glTranslatef") {
            move = &call;
        } else if (call.name == "glScalef" && move) {
            out.push_back({"", move->args[0], move->args[1], call.args[0]});
            inText = true;
        } else if (call.name == "glLoadIdentity") {
            inText = false;
        } else if (call.name == "glutStrokeCharacter" && inText) {
            out.back().text += static_cast<char>(static_cast<int>(call.args[1]));
        }
    }
    return out;
}

}  // namespace

TEST(FpsText, TwoDecimalsOrPlusInf) {
    EXPECT_EQ(formatFps(59.94), "59.94");
    EXPECT_EQ(formatFps(1000.0 / 17), "58.82");
    EXPECT_EQ(formatFps(0.5), "0.50");
    EXPECT_EQ(formatFps(INFINITY), "+Inf");
}

TEST_F(GameTest, GameScreenHudShowsScoreLivesRateAndCredit) {
    resetBoard(game.play.board);
    game.play.score = 12;
    game.play.lives = 2;
    drawGameScreen(game.play, 20, 50.0);
    EXPECT_EQ(textsDrawn(), (std::vector<Text>{{"12", -4.5, 2.5, 0.006},
                                               {"2", 3.9, 2.5, 0.006},
                                               {"FPS: 50.00", -5.0, -4.0, 0.003},
                                               {"Orrin Vaskolder", 2.0, -4.0, 0.003}}));
    fakegl::reset();
    drawGameScreen(game.play, 20, HUGE_VAL);  // a sample taken in the same millisecond as the last
    EXPECT_EQ(textsDrawn().at(2).text, "FPS: +Inf");
}

TEST_F(GameTest, GameScreenDrawsOneSpherePerMarkedCellInThePulsingColour) {
    resetBoard(game.play.board);
    game.play.board.at(3, 4) = kBody;
    game.play.board.at(3, 5) = kBerry;
    game.play.board.at(3, 6) = kHead;
    game.play.board.at(3, 7) = '4';  // no such mark: nothing
    drawGameScreen(game.play, 300, 60.0);
    const auto spheres = fakegl::callsNamed("glutSolidSphere");
    ASSERT_EQ(spheres.size(), 76u + 3u);
    const auto colour = fakegl::callsNamed("glColor3f").back().args;
    EXPECT_NEAR(colour[0], 0.4 * std::sin(0.75), 1e-6);  // time 300: phase 300 / 400
    EXPECT_NEAR(colour[1], 1 - 0.4 * std::cos(0.75), 1e-6);

    // Column 3 is drawn after columns 1 and 2 (20 + 2 walls) and its own bottom wall.
    EXPECT_EQ(spheres.at(0).str(), "glutSolidSphere(0.1,10,10)");
    EXPECT_EQ(spheres.at(23).str(), "glutSolidSphere(0.3,10,10)");
    EXPECT_EQ(spheres.at(24).str(), "glutSolidSphere(0.25,5,5)");
    EXPECT_EQ(spheres.at(25).str(), "glutSolidSphere(0.35,10,10)");
    const auto rotations = fakegl::callsNamed("glRotatef");
    EXPECT_FLOAT_EQ(rotations.at(24).args[0], 100.0f);  // time / 3
    EXPECT_FLOAT_EQ(rotations.at(23).args[0], 0.0f);
}

TEST_F(GameTest, GameScreenColourAtTwoHundredPiMs) {
    resetBoard(game.play.board);
    drawGameScreen(game.play, static_cast<int32_t>(200 * M_PI), 60.0);  // 628 ms
    const auto colour = fakegl::callsNamed("glColor3f").back().args;
    EXPECT_NEAR(colour[0], 0.4, 1e-3);
    EXPECT_NEAR(colour[1], 1.0, 1e-3);
    EXPECT_EQ(colour[2], 0.0);
}

TEST_F(GameTest, MainMenuRowsAndTheMarker) {
    game.menus.menuCursor = 4;
    drawMainMenu(game.menus);
    EXPECT_EQ(textsDrawn(), (std::vector<Text>{{".o0[ ORVEL ]0o.", -3, 3, 0.006},
                                               {"New Game", -3, 1.2, 0.006},
                                               {"High Scores", -3, -0.1, 0.006},
                                               {"Settings", -3, -1.4, 0.006},
                                               {"Exit", -3, -2.7, 0.006},
                                               {"~", -4, -2.7, 0.006}}));
    EXPECT_EQ(fakegl::calls().front().name, "glDisable");
    EXPECT_EQ(fakegl::calls().back().name, "glEnable");
}

TEST_F(GameTest, HighScoreScreenShowsTheTableBesideItsMenu) {
    for (int i = 1; i <= 10; ++i) {
        game.book.highScores[i] = {"AAA", 0};
    }
    game.book.highScores[1] = {"Player 1 - 2 - Python", 42};
    game.book.highScores[2] = {"", 7};
    game.book.highScores[3] = {"Neg", -5};
    game.menus.menuCursor = 2;
    drawHighScoreScreen(game.menus, game.book);
    const auto texts = textsDrawn();
    ASSERT_EQ(texts.size(), 4u + 20u);
    EXPECT_EQ(std::vector<Text>(texts.begin(), texts.begin() + 4),
              (std::vector<Text>{{"... High Scores ...", -3, 3, 0.006},
                                 {"Back", -3, 1.2, 0.006},
                                 {"Reset", -3, -0.1, 0.006},
                                 {"~", -4, -0.1, 0.006}}));
    EXPECT_EQ(texts[4], (Text{"Player 1 - 2 - Python", 0.8, 1.9, 0.002}));
    EXPECT_EQ(texts[5], (Text{"42", -0.2, 1.9, 0.002}));
    EXPECT_EQ(texts[7], (Text{"7", -0.2, 1.3, 0.002}));  // the empty name strokes nothing
    EXPECT_EQ(texts[8].text, "Neg");
    EXPECT_EQ(texts[9], (Text{"-5", -0.2, 0.7, 0.002}));
    EXPECT_EQ(texts.back(), (Text{"0", -0.2, -3.5, 0.002}));
}

TEST_F(GameTest, SettingsScreenShowsTheFixedValuesAndTheDifficulty) {
    game.menus.menuCursor = 3;
    drawSettingsScreen(game.menus, game.play);
    EXPECT_EQ(textsDrawn(), (std::vector<Text>{{"... Settings ...", -3, 3, 0.006},
                                               {"Back", -3, 1.2, 0.006},
                                               {"Size", -3, -0.1, 0.006},
                                               {"Difficulty", -3, -1.4, 0.006},
                                               {"Berries", -3, -2.7, 0.006},
                                               {"~", -4, -1.4, 0.006},
                                               {"Size: [20 x 20]", 1, 1.6, 0.002},
                                               {"Difficulty: 2 - Python", 1, 1.2, 0.002},
                                               {"Berries: 10", 1, 0.8, 0.002}}));
}
