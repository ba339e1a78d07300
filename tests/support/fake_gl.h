// A recording stand-in for the GL, GLU and GLUT functions the game calls, linked into the
// test executables in place of the real libraries. Every call is recorded in order with its
// arguments; a test sets the elapsed time and whether game mode is granted.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace fakegl {

// glutStrokeLength counts every character this many units wide, about the width and the height
// of the stroke font's capitals and digits.
constexpr int kStrokeWidth = 100;

struct Call {
    std::string name;
    std::vector<double> args;  // numeric arguments as passed (floats widened)
    std::string text;          // string argument (window title, game-mode string), if any

    // "name(a,b,c)" with numbers in %g; the text argument, if any, in quotes.
    std::string str() const;
};

// Forgets every call and restores the defaults (elapsed time 0, game mode granted).
void reset();

const std::vector<Call>& calls();
// The calls as strings, for comparing whole sequences.
std::vector<std::string> callStrings();
// Only the calls of one function.
std::vector<Call> callsNamed(const std::string& name);
size_t countOf(const std::string& name);

// Sets the milliseconds since glutInit; glutGet(GLUT_ELAPSED_TIME) returns them as GLUT does,
// an int that wraps past INT32_MAX to INT32_MIN.
void setElapsedTime(int64_t ms);
int elapsedTime();
// Moves that clock on by ms (fractions accumulate), and on every swap by ms: a display whose
// swap waits for its next refresh, or a frame that takes that long to draw.
void advanceClock(double ms);
void advanceOnSwap(double ms);
// Whether GLUT has an idle callback (the last glutIdleFunc named one).
bool idleSet();
// Runs the timers registered so far (glutTimerFunc), as if their time had come; how many are
// registered and not yet run.
void runTimers();
size_t timersPending();
// Forgets the recorded calls but keeps the clock, for long runs.
void forgetCalls();
// What glutGameModeGet(GLUT_GAME_MODE_ACTIVE) returns after glutEnterGameMode.
void setGameModeGranted(bool granted);
// The characters drawn with glutStrokeCharacter since the last reset, concatenated in order;
// one string per drawText (split at each glLoadIdentity).
std::vector<std::string> strokeTexts();

// GL's matrix stack as the recorded calls leave it (glMatrixMode, glLoadIdentity,
// gluPerspective, glTranslatef, glRotatef, glScalef), for asking where things land rather than
// which calls put them there. Points are (x, y, z, w).
using Point = std::array<double, 4>;
// Where each glVertex2f lands in clip space, through the projection and model-view then.
std::vector<Point> verticesInClipSpace();
// Where the model-space point (x, y, z) stands in eye space at each call named `name`, through
// the model-view in force at that call.
std::vector<Point> eyePointsAt(const std::string& name, double x, double y, double z);

}  // namespace fakegl
