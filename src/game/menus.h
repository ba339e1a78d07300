// The menu screens as data: each screen's title and its rows, each row a label and what
// choosing it does. The drawing shows the labels; the shell acts on the choices.
#pragma once

#include <cstdint>

// What choosing a row does.
enum class Choice {
    NewGame,
    ShowHighScores,
    ShowSettings,
    Exit,
    Back,
    Reset,
    BoardSize,
    Difficulty,
    BerryCount,
};

struct MenuRow {
    const char* label;
    Choice choice;
};

struct Menu {
    const char* title;
    const MenuRow* rows;
    int16_t rowCount;
};

inline constexpr MenuRow kMainMenuRows[] = {{"New Game", Choice::NewGame},
                                            {"High Scores", Choice::ShowHighScores},
                                            {"Settings", Choice::ShowSettings},
                                            {"Exit", Choice::Exit}};
inline constexpr MenuRow kHighScoreRowsMenu[] = {{"Back", Choice::Back}, {"Reset", Choice::Reset}};
inline constexpr MenuRow kSettingsRows[] = {{"Back", Choice::Back},
                                            {"Size", Choice::BoardSize},
                                            {"Difficulty", Choice::Difficulty},
                                            {"Berries", Choice::BerryCount}};

inline constexpr Menu kMainMenu{".o0[ ORVEL ]0o.", kMainMenuRows, 4};
inline constexpr Menu kHighScoreMenu{"... High Scores ...", kHighScoreRowsMenu, 2};
inline constexpr Menu kSettingsMenu{"... Settings ...", kSettingsRows, 4};

// The menu of a screen (MainMenu, HighScores or Settings); nullptr while playing.
const Menu* menuOf(int16_t screen);
