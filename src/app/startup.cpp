// Start-up and the reshape callback.
#include "app/startup.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "app/frame.h"
#include "app/frame_pacing.h"
#include "app/game.h"
#include "app/keyboard.h"
#include "app/live_session.h"
#include "app/options.h"
#include "app/playback_session.h"
#include "app/replay_check.h"
#include "app/shell.h"
#include "game/diagnostics.h"
#include "game/random.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/identity.h"
#include "platform/layout_keys.h"
#include "platform/lock_wait.h"
#include "platform/process.h"
#include "platform/storage.h"
#include "platform/window_system.h"
#include "render/gl.h"
#include "render/scene.h"
#include "render/sphere_cache.h"
#include "render/text.h"
#include "scores/shown_text.h"

namespace {

constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 1024;
constexpr int kAssumedRefreshRate = 60;

uint32_t chooseSeed() {
    const char* text = std::getenv("ORVEL_SEED");
    if (!text) {
        return tickCount();
    }
    const std::optional<uint32_t> seed = parseSeed(text);
    if (!seed) {
        writeErrorLine("ORVEL_SEED must be a whole number from 0 to 4294967295, not \"" +
                       escapeControls(text) + "\"");
        exitProcess(2);
    }
    return *seed;
}

// The picture is composed for a 5:4 screen: on a narrower one the vertical field of view
// widens so that everything a 1280 x 1024 screen shows stays in view.
constexpr double kFieldOfView = 45.0;
constexpr double kDegreesPerRadian = 57.29577951308232;  // 180 / pi; M_PI is not standard C++
constexpr double kComposedAspect = static_cast<double>(kWindowWidth) / kWindowHeight;

// No display at all is not the game's fault: one line that says what is missing, status 3.
void requireDisplay() {
    const std::string problem = displayProblem();
    if (!problem.empty()) {
        writeErrorLine(escapeControls(problem));  // it names DISPLAY as the environment has it
        exitProcess(3);
    }
}

// Root decides here, once, whether it plays as root or becomes the user whose folder it plays
// in; where neither is safe, it stops having touched nothing.
void chooseWhoPlays() {
    const std::string problem = chooseIdentity(highScoreFilePath(), replayFolderPath());
    if (!problem.empty()) {
        writeErrorLine(escapeControls(problem));
        exitProcess(1);
    }
}

// The session the command line asks for: a replay's playback, whose file is read here, before
// anything else is opened (one that can't be read ends the game with its status), or a live
// game.
std::unique_ptr<Session> chooseSession(const Options& options) {
    if (options.action != Options::Action::Replay) {
        return liveSession();
    }
    Replay recorded;
    std::string path;
    std::string problem;
    if (const int refused = loadReplay(options.replays.front(), recorded, path, problem)) {
        writeErrorLine(problem);
        exitProcess(refused);
    }
    return playbackSession(std::move(recorded), path);
}

void sayLockWait(const std::string& lockPath) {
    writeErrorLine("waiting for " + escapeControls(lockPath) +
                   ", which another program has locked");
}

// GLUT's own fatal errors (no usable visual, no OpenGL context) are display problems: one
// line and status 3, never the high-score file's status 1.
void onGlutError(const char* format, va_list arguments) {
    char message[512] = "";
    std::vsnprintf(message, sizeof message, format, arguments);
    writeErrorLine(escapeControls(message));  // it may quote the display's name
    exitProcess(3);
}

// The desktop gets its own mode back however the game ends, where the display is still there.
void leaveGameMode() {
    if (glutGet(GLUT_INIT_STATE) && glutGameModeGet(GLUT_GAME_MODE_ACTIVE)) {
        beginCountingDisplayErrors();
        glutLeaveGameMode();
        endCountingDisplayErrors();
    }
}

// Game mode counts only if it really happened: a mode the monitor lists but the screen can't
// show raises an X error, and a window manager can leave the screen as it was while GLUT
// reports success. Either way the game leaves game mode again.
bool enterGameMode() {
    beginCountingDisplayErrors();
    glutEnterGameMode();
    const bool active = glutGameModeGet(GLUT_GAME_MODE_ACTIVE) != 0;
    const bool failed = endCountingDisplayErrors() > 0;
    if (active && !failed && displayModeIs(kWindowWidth, kWindowHeight)) {
        atExit(leaveGameMode);
        return true;
    }
    leaveGameMode();
    return false;
}

// Game mode is not possible where the display can't switch to 1280 x 1024 (Xvfb, many
// monitors), and may fail where it seems possible; a full-screen window that the window
// manager manages stands in for it, at the desktop's size. The mode is not asked for where it
// is not possible (GLUT would warn about the failed switch), nor where the display would only
// pretend to switch (XWayland, whose compositor would stretch the picture). --windowed asks
// for neither: an ordinary 1280 x 1024 window, smaller where the desktop's work area is.
void openWindow(bool windowed) {
    glutGameModeString("1280x1024:32@60");
    if (!windowed && !displayEmulatesModes() && glutGameModeGet(GLUT_GAME_MODE_POSSIBLE) &&
        enterGameMode()) {
        glutSetWindowTitle("ORVEL");
    } else {
        int width = kWindowWidth;
        int height = kWindowHeight;
        if (windowed) {
            fitInWorkArea(width, height);
        }
        glutInitWindowSize(width, height);
        if (!windowed) {
            // Where no window manager places it, the full-screen window starts in the corner
            // (GLUT's default position, -1, would leave a strip of desktop along two sides).
            glutInitWindowPosition(0, 0);
        }
        glutCreateWindow("ORVEL");
        if (!windowed) {
            glutFullScreen();
        }
    }
    glutSetCursor(GLUT_CURSOR_NONE);
}

// Swaps wait for the display where swap control exists; elsewhere the frame driver rests to
// the display's rate (the game mode's, or 60 Hz where it is unknown). ORVEL_VSYNC=0 draws as
// fast as possible.
void choosePacing() {
    const char* setting = std::getenv("ORVEL_VSYNC");
    if (setting && std::strcmp(setting, "0") == 0) {
        setFramePacing(FramePacer(Pacing::Unlimited, 0));
        return;
    }
    if (requestVsync()) {
        setFramePacing(FramePacer(Pacing::Display, 0));
        return;
    }
    const int rate =
        glutGameModeGet(GLUT_GAME_MODE_ACTIVE) ? glutGameModeGet(GLUT_GAME_MODE_REFRESH_RATE) : 0;
    setFramePacing(FramePacer(Pacing::Rest, rate > 0 ? rate : kAssumedRefreshRate));
}

void setFixedGlState() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnable(GL_POINT_SMOOTH);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    const GLfloat specular[] = {0.1f, 0.1f, 0.9f, 0.1f};
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

}  // namespace

std::optional<uint32_t> parseSeed(const char* text) {
    if (!text || !*text || std::strlen(text) > 10) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<uint64_t>(*c - '0');
    }
    if (value > UINT32_MAX) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

void startUp(int argc, char** argv) {
    // Before any file is opened: a closed descriptor 0, 1 or 2 must not become the lock file.
    openClosedStandardStreams();
    sayLockWaitsWith(sayLockWait);
    const Options options = parseOptions(argc, argv);
    actOnOptions(options);
    // Before the display, a GL driver or any file of the data folder is touched.
    chooseWhoPlays();
    if (options.action == Options::Action::CheckReplays) {
        exitProcess(checkReplayFiles(options.replays));
    }
    // Before anything that takes time (the table's lock, the display): a terminate request
    // from here on ends the game at its first frame, with the table saved, as at any time.
    catchTerminationSignals();
    setLineSink(writeOutputLine);
    seedRandom(chooseSeed());
    std::unique_ptr<Session> chosen = chooseSession(options);
    requireDisplay();
    game = GameState{};
    useSession(std::move(chosen));
    session().begin();

    // GLUT sees only the program's name: the command line is the game's own.
    int glutArgc = 1;
    glutInitErrorFunc(onGlutError);
    reportDisplayErrors();
    // From GLUT's first word with the display on, losing it is status 3, the table saved.
    onDisplayLost(saveAfterLostDisplay);
    glutInit(&glutArgc, argv);
    // Closing the window ends the main loop instead of the process, so the table is saved.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutSetKeyRepeat(GLUT_KEY_REPEAT_ON);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    openWindow(options.windowed);
    if (const char* title = session().windowTitle()) {
        glutSetWindowTitle(title);
    }
    identifyWindow();
    watchWindowFocus();
    enableDetectableAutoRepeat();
    watchLayoutKeys();
    choosePacing();
    setFixedGlState();
    buildSphereCache();

    glutDisplayFunc(drawFrame);
    glutKeyboardFunc(keyDown);
    glutIdleFunc(drawFrame);
    glutKeyboardUpFunc(keyUp);
    glutReshapeFunc(reshape);
}

void reshape(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A zero height (never seen in game mode) is treated as one pixel.
    const double aspect = static_cast<double>(width) / (height > 0 ? height : 1);
    double fieldOfView = kFieldOfView;
    if (aspect < kComposedAspect) {
        const double halfAngle = kFieldOfView / 2 / kDegreesPerRadian;
        fieldOfView =
            2 * std::atan(std::tan(halfAngle) * kComposedAspect / aspect) * kDegreesPerRadian;
    }
    gluPerspective(fieldOfView, aspect, 0.1, 1000.0);
    stretchBackground(std::max(1.0, aspect / kComposedAspect),
                      std::max(1.0, kComposedAspect / aspect));
    scaleTextLines(height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
