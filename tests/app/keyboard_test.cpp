// Keys on the menus (wrap-around, cooldown, Enter on every row) and in play (Escape, steering
// and the reversal rule), New Game and Exit.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/high_score_file.h"
#include "app/keyboard.h"
#include "fake_platform.h"
#include "game/snake.h"
#include "game/step.h"
#include "game_test.h"
#include "platform/layout_keys.h"

namespace {

class Keyboard : public ScoreFileTest {
protected:
    // A press and its release, as a player taps a key.
    void tap(unsigned char key) {
        press(key);
        keyUp(key, 0, 0);
    }
    void press(unsigned char key) {
        testing::internal::CaptureStdout();
        keyDown(key, 0, 0);
        output += testing::internal::GetCapturedStdout();
    }
    void openTable() {
        testing::internal::CaptureStdout();
        openOrCreateHighScoreFile();
        loadHighScores();
        testing::internal::GetCapturedStdout();
    }
    std::string output;
};

}  // namespace

// Keys read by their place (a Cyrillic layout's s) and a key GLUT delivers (Enter) read between
// two frames are handled in the order they were typed.
TEST_F(Keyboard, AKeyReadByItsPlaceBeforeEnterIsHandledFirst) {
    openTable();
    fakeplatform::layoutKeys = {{'s', true}, {'s', false}};
    tap(kKeyEnter);
    EXPECT_EQ(game.menus.screen, HighScores);
}

TEST_F(Keyboard, CursorWrapsAroundOnEveryMenu) {
    for (const auto& [screen, rows] :
         {std::pair<int16_t, int16_t>{MainMenu, 4}, {HighScores, 2}, {Settings, 4}}) {
        game.menus.screen = screen;
        game.menus.menuCursor = 1;
        tap('w');
        EXPECT_EQ(game.menus.menuCursor, rows) << "screen " << screen;
        tap('s');
        EXPECT_EQ(game.menus.menuCursor, 1);
        for (int i = 1; i < rows; ++i) {
            tap('s');
        }
        EXPECT_EQ(game.menus.menuCursor, rows);
    }
}

TEST_F(Keyboard, CooldownDropsPressesUntilReleasedOrRunOut) {
    press('s');
    EXPECT_EQ(game.menus.keyCooldown, 200);
    game.menus.keyCooldown -= 100;  // 100 ms later, no release
    press('s');
    EXPECT_EQ(game.menus.menuCursor, 2);
    keyUp('s', 0, 0);
    EXPECT_EQ(game.menus.keyCooldown, 0);
    press('s');
    EXPECT_EQ(game.menus.menuCursor, 3);
    game.menus.keyCooldown = 0;  // run out without a release
    press('s');
    EXPECT_EQ(game.menus.menuCursor, 4);
}

TEST_F(Keyboard, OtherKeysOnMenusDoNothing) {
    for (const unsigned char key : {'W', 'S', 'a', 'd', char(kKeyEscape), '\t'}) {
        press(key);
        EXPECT_EQ(game.menus.menuCursor, 1);
        EXPECT_EQ(game.menus.keyCooldown, 0);
        EXPECT_EQ(game.menus.screen, MainMenu);
    }
}

TEST_F(Keyboard, EnterOnTheMainMenuRows) {
    openTable();
    writeScoreFile("A\r\n1\r\nB\r\n9\r\nC\r\n2\r\n");  // another game saved meanwhile
    game.menus.menuCursor = 2;
    tap(kKeyEnter);
    EXPECT_EQ(game.menus.screen, HighScores);
    EXPECT_EQ(game.menus.menuCursor, 1);
    EXPECT_EQ(game.book.highScores[1].name, "B");  // read again and sorted on the way

    game.menus.screen = MainMenu;
    game.menus.menuCursor = 3;
    press(kKeyEnter);
    EXPECT_EQ(game.menus.keyCooldown, 400);
    EXPECT_EQ(game.menus.screen, Settings);
    EXPECT_EQ(game.menus.menuCursor, 1);
}

TEST_F(Keyboard, ExitSavesTheTableAndEndsWithStatusZero) {
    openTable();
    game.menus.menuCursor = 4;
    EXPECT_EXIT(press(kKeyEnter), testing::ExitedWithCode(0), "");
    EXPECT_EQ(readScoreFile(), [] {
        std::string rows;
        for (int i = 0; i < 10; ++i)
            rows += "AAA\r\n0\r\n";
        return rows;
    }());
}

TEST_F(Keyboard, EnterOnTheHighScoreRows) {
    openTable();
    game.menus.screen = HighScores;
    game.book.highScores[1] = {"Bob", 5};
    game.menus.menuCursor = 2;
    press(kKeyEnter);
    EXPECT_EQ(game.book.highScores[1].name, "AAA");
    EXPECT_NE(output.find("Cleared File."), std::string::npos);
    EXPECT_EQ(game.menus.screen, HighScores);
    EXPECT_EQ(game.menus.menuCursor, 2);
    EXPECT_EQ(game.menus.keyCooldown, 400);
    keyUp(kKeyEnter, 0, 0);
    game.menus.menuCursor = 1;
    tap(kKeyEnter);
    EXPECT_EQ(game.menus.screen, MainMenu);
    EXPECT_EQ(game.menus.menuCursor, 1);
}

TEST_F(Keyboard, EnterOnTheSettingsRows) {
    game.menus.screen = Settings;
    game.menus.menuCursor = 3;
    press(kKeyEnter);
    EXPECT_EQ(game.play.difficulty, 3);
    EXPECT_EQ(game.menus.keyCooldown, 500);
    press(kKeyEnter);  // within the cooldown, no release: dropped
    EXPECT_EQ(game.play.difficulty, 3);
    keyUp(kKeyEnter, 0, 0);
    for (int i = 0; i < 3; ++i) {
        tap(kKeyEnter);
    }
    EXPECT_EQ(game.play.difficulty, 2);  // 3, 4, 1, 2: four presses, back where it was

    for (const int16_t row : {2, 4}) {  // Size and Berries: only the cooldown
        game.menus.menuCursor = row;
        press(kKeyEnter);
        EXPECT_EQ(game.menus.keyCooldown, 500);
        game.menus.keyCooldown -= 100;
        press(kKeyEnter);  // dropped: the cooldown is not set again
        EXPECT_EQ(game.menus.keyCooldown, 400);
        keyUp(kKeyEnter, 0, 0);
        EXPECT_EQ(game.play.difficulty, 2);
        EXPECT_EQ(game.menus.screen, Settings);
    }
    game.menus.menuCursor = 1;
    tap(kKeyEnter);
    EXPECT_EQ(game.menus.screen, MainMenu);
    EXPECT_EQ(game.menus.menuCursor, 1);
}

TEST_F(Keyboard, NewGameAfterAGameOverStartsAfresh) {
    game.play.difficulty = 4;
    game.play.score = 17;
    game.play.lives = 1;
    game.menus.screen = MainMenu;
    game.clock.stepTimer = 55;
    press(kKeyEnter);
    EXPECT_EQ(game.menus.screen, Playing);
    EXPECT_EQ(game.play.score, 0);
    EXPECT_EQ(game.play.lives, 3);
    EXPECT_EQ(game.play.difficulty, 4);
    EXPECT_EQ(game.clock.stepTimer, 55);
    EXPECT_EQ(snakeLength(game.play), 4);
    EXPECT_EQ(game.play.snakeFirst->x, kSpawnX);
    EXPECT_EQ(game.play.direction, 'w');
    ASSERT_NE(game.play.emitter, nullptr);
    EXPECT_TRUE(game.play.emitter->isAlive());
    for (int k = 1; k <= kBerryCount; ++k) {
        ASSERT_NE(game.play.berries[k], nullptr);
    }
    EXPECT_EQ(game.play.board.at(1, 1), kWall);
}

// The game left is recorded as ended by Escape.
TEST_F(Keyboard, EscapeLeavesPlayAndTheCooldownPlaysNoPart) {
    startTestGame();
    game.menus.keyCooldown = 400;
    press('a');
    EXPECT_EQ(game.play.nextDirection, 'a');
    press(kKeyEnter);
    EXPECT_EQ(game.menus.screen, Playing);
    press(kKeyEscape);
    EXPECT_EQ(game.menus.screen, MainMenu);
    EXPECT_EQ(game.menus.keyCooldown, 400);
    std::vector<std::filesystem::path> recorded;
    for (const auto& entry : std::filesystem::directory_iterator(dataHome + "/orvel/replays")) {
        recorded.push_back(entry.path());
    }
    ASSERT_EQ(recorded.size(), 2u);  // the recording and the lock games take turns by
    std::ifstream file(std::min(recorded[0], recorded[1]));
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    EXPECT_NE(text.find("\nend escape steps 0 score 0 lives 3 "), std::string::npos) << text;
}

TEST_F(Keyboard, EscapeOnTheHighScoreAndSettingsScreensDoesNothing) {
    for (const int16_t screen : {HighScores, Settings}) {
        game.menus.screen = screen;
        game.menus.menuCursor = 2;
        tap(kKeyEscape);
        EXPECT_EQ(game.menus.screen, screen);
        EXPECT_EQ(game.menus.menuCursor, 2);
    }
}

// Steering never moves the menu marker: New Game's row is marked after Escape, and Back is
// marked on the high scores that game over brings.
TEST_F(Keyboard, TheMenuMarkerIsKeptThroughAGame) {
    openTable();
    press(kKeyEnter);
    for (const unsigned char key : {'a', 's', 'w', 'd'}) {
        tap(key);
    }
    press(kKeyEscape);
    EXPECT_EQ(game.menus.screen, MainMenu);
    EXPECT_EQ(game.menus.menuCursor, 1);
    press(kKeyEnter);
    tap('s');
    testing::internal::CaptureStdout();
    actOnStep({StepEvent::Kind::GameOver});
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(game.menus.screen, HighScores);
    EXPECT_EQ(game.menus.menuCursor, 1);
}

TEST_F(Keyboard, SteeringRefusesOnlyTheReverseOfTheLastStep) {
    startTestGame();  // heading w
    press('s');
    EXPECT_EQ(game.play.nextDirection, 'w');
    press('a');
    EXPECT_EQ(game.play.nextDirection, 'a');
    press('d');  // the snake still moves up, so right is no reverse
    EXPECT_EQ(game.play.nextDirection, 'd');
    press('W');
    press('S');
    EXPECT_EQ(game.play.nextDirection, 'd');

    game.play.direction = 'd';
    game.play.nextDirection = 'd';
    press('w');
    press('a');  // reverse of the last step, even with w not yet taken
    EXPECT_EQ(game.play.nextDirection, 'w');
}

// On a layout without Latin letters the keys are read by their place on a US keyboard; a
// shifted one is the capital, which steers nothing.
TEST(LayoutKeys, TheUsPlacesOfWasdStandForThoseLetters) {
    const std::pair<const char*, char> places[] = {{"AD02", 'w'}, {"AC01", 'a'},  {"AC02", 's'},
                                                   {"AC03", 'd'}, {"AD01", '\0'}, {"", '\0'}};
    for (const auto& [place, letter] : places) {
        EXPECT_EQ(letterAtKeyPosition(place, false), letter) << place;
    }
    EXPECT_EQ(letterAtKeyPosition("AC02", true), 'S');
    EXPECT_EQ(letterForVirtualKey('D', false), 'd');
    EXPECT_EQ(letterForVirtualKey('W', true), 'W');
    EXPECT_EQ(letterForVirtualKey('Q', false), '\0');
}

// The one place that knows which keys mean what: capitals and other keys are no action.
TEST(Keys, CapitalsAndKeysWithoutAMeaningAreNoAction) {
    EXPECT_EQ(actionForKey('w'), Action::Up);
    EXPECT_EQ(actionForKey('a'), Action::Left);
    EXPECT_EQ(actionForKey(kKeyEnter), Action::Choose);
    EXPECT_EQ(actionForKey(kKeyEscape), Action::Back);
    EXPECT_EQ(actionForKey(' '), Action::Pause);
    EXPECT_EQ(actionForKey('f'), Action::Faster);
    for (const unsigned char key : {'W', 'S', 'x', '\t', '\0'}) {
        EXPECT_EQ(actionForKey(key), Action::None) << int(key);
    }
}
