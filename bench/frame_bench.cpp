// Frame benchmark: real frames through the game's own drawing code with real OpenGL, for the
// main menu, a new game's first frame, a crowded board (with and without the renderer
// optimisations) and a baseline that draws only the crowded board's spheres as cheaply as
// this renderer allows. Needs an X display (make bench starts Xvfb).
//
//   frame_bench [--runs N] [--seconds S] [--out FILE] [--size WxH]
//                                                      frames per second per scene; at a size
//                                                      other than 1280x1024 (on a screen that
//                                                      large) the main menu, a new game, the
//                                                      crowded board with and without opaque
//                                                      spheres and the baseline only
//   frame_bench --compare                              crowded board pixels with and without
//                                                      the optimisations: exit 1 if any differ
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/game.h"
#include "app/keyboard.h"
#include "app/startup.h"
#include "game/collisions.h"
#include "game/pace.h"
#include "longest_snake.h"
#include "render/game_screen.h"
#include "render/gl.h"
#include "render/particles_draw.h"
#include "render/scene.h"
#include "render/sphere_cache.h"

namespace {

int width = 1280;
int height = 1024;
FILE* report = stdout;  // the game's own diagnostic lines go to /dev/null instead

using Clock = std::chrono::steady_clock;

void quietly(const std::function<void()>& work) {
    std::fflush(stdout);
    work();
    std::fflush(stdout);
}

// The longest snake (tests/support/longest_snake.h), and the ten berries on free cells beside
// it.
void layCrowdedBoard() {
    quietly([] {
        newGame();
        layLongestSnake(game.play);
        refreshBoard(game.play.board, *game.play.snakeFirst, game.play.berries);
        for (int k = 1; k <= kBerryCount; ++k) {
            auto underSnake = [k] {
                for (const SnakeSegment* s = game.play.snakeFirst.get(); s; s = s->next.get()) {
                    if (s->x == game.play.berries[k]->x() && s->y == game.play.berries[k]->y())
                        return true;
                }
                return false;
            };
            while (underSnake()) {
                game.play.berries[k]->place(game.play.board);
                refreshBoard(game.play.board, *game.play.snakeFirst, game.play.berries);
            }
        }
    });
}

// Keeps a burst going over berry 1 for the whole measurement.
void keepBurstAlive() {
    if (!game.play.emitter->isAlive()) {
        game.play.emitter =
            std::make_unique<ParticleEmitter>(game.play.berries[1]->x(), game.play.berries[1]->y());
    }
}

struct Scene {
    const char* name;
    std::function<void()> setUp;
    std::function<void()> frame;
};

// The crowded board laid out with only the given optimisations on (each run puts them back).
std::function<void()> crowdedWith(RenderOptimisations only) {
    return [only] {
        renderOptimisations = only;
        layCrowdedBoard();
    };
}

void gameFrame() {
    game.clock.stepTimer = -1000000;  // the picture under test stays as it is: no steps
    drawFrame();
}

void crowdedFrame() {
    keepBurstAlive();
    gameFrame();
}

// Only the crowded board's spheres: culled, from their display lists, nothing else.
void baselineFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glColor3f(0.2f, 0.9f, 0.0f);
    for (int x = 1; x <= kBoardSize; ++x) {
        for (int y = 1; y <= kBoardSize; ++y) {
            const std::optional<SphereKind> kind = sphereKindOf(game.play.board.at(x, y));
            if (!kind)
                continue;
            glLoadIdentity();
            glTranslatef(static_cast<float>(boardToWorld(x)), static_cast<float>(boardToWorld(y)),
                         -15.0f);
            callCachedSphere(*kind);
        }
    }
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glutSwapBuffers();
}

// Frames per second of one run of a scene.
double measureOnce(const Scene& scene, double seconds) {
    scene.setUp();
    scene.frame();  // warm up
    int frames = 0;
    const auto start = Clock::now();
    double elapsed = 0;
    do {
        scene.frame();
        ++frames;
        glutMainLoopEvent();
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < seconds);
    renderOptimisations = {};
    return frames / elapsed;
}

// Steps a second at difficulty 4 (25 intended) that the game's own step rule makes of a scene's
// real frame times, read as the game reads them, in whole milliseconds of GLUT's clock: the
// pace a player would see on that picture, since the snake steps at most once a frame.
double paceAtDifficultyFour(const Scene& scene, double seconds) {
    scene.setUp();
    scene.frame();  // warm up
    int32_t timer = 0;
    int steps = 0;
    int previous = glutGet(GLUT_ELAPSED_TIME);
    const int start = previous;
    do {
        scene.frame();
        glutMainLoopEvent();
        const int now = glutGet(GLUT_ELAPSED_TIME);
        steps += gatherStepTime(timer, now - previous, 4) ? 1 : 0;
        previous = now;
    } while (previous - start < seconds * 1000);
    renderOptimisations = {};
    return steps * 1000.0 / (previous - start);
}

// Median frames per second of each scene. The scenes take turns, run by run, so that a
// machine that slows down for a while slows all of them alike.
std::vector<double> measure(const std::vector<Scene>& scenes, int runs, double seconds) {
    std::vector<std::vector<double>> rates(scenes.size());
    for (int run = 0; run < runs; ++run) {
        for (size_t i = 0; i < scenes.size(); ++i) {
            rates[i].push_back(measureOnce(scenes[i], seconds));
        }
    }
    std::vector<double> medians;
    for (auto& r : rates) {
        std::sort(r.begin(), r.end());
        medians.push_back(r[r.size() / 2]);
    }
    return medians;
}

// The crowded board drawn at a fixed moment, read back from the frame buffer.
std::vector<unsigned char> crowdedPixels(RenderOptimisations options) {
    renderOptimisations = options;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    game.clock.elapsedTime = 1234;
    drawBurst(*game.play.emitter);
    drawBackground(game.clock.elapsedTime);
    game.clock.frameCount = 0;
    game.clock.lastFpsTime = -1000000000;  // the frame-rate text reads 0.00 every time
    drawGameScreen(game.play, 1234, sampleFps());
    glFinish();
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glutSwapBuffers();
    return pixels;
}

int compare() {
    layCrowdedBoard();
    game.play.emitter =
        std::make_unique<ParticleEmitter>(game.play.berries[1]->x(), game.play.berries[1]->y());
    for (int i = 0; i < 10; ++i)
        game.play.emitter->update();
    const auto reference = crowdedPixels({true, true, true});
    int failures = 0;
    for (const RenderOptimisations options :
         {RenderOptimisations{false, true, true}, RenderOptimisations{true, false, true},
          RenderOptimisations{true, true, false}, RenderOptimisations{false, false, false}}) {
        const auto pixels = crowdedPixels(options);
        size_t differing = 0;
        for (size_t i = 0; i < pixels.size(); ++i)
            differing += pixels[i] != reference[i];
        std::fprintf(report,
                     "culling %-3s cached spheres %-3s opaque spheres %-3s: %zu bytes differ from "
                     "all on\n",
                     options.cullBackFaces ? "on" : "off", options.cachedSpheres ? "on" : "off",
                     options.opaqueSpheres ? "on" : "off", differing);
        failures += differing != 0;
    }
    std::size_t lit = 0;
    for (size_t i = 0; i < reference.size(); i += 4)
        lit += reference[i + 1] > 100;
    std::fprintf(report, "%zu bright green or yellow pixels in the picture\n", lit);
    return failures == 0 && lit > 10000 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    double seconds = 2.0;
    const char* out = nullptr;
    bool comparing = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--out") && i + 1 < argc)
            out = argv[++i];
        else if (!std::strcmp(argv[i], "--compare"))
            comparing = true;
        else if (!std::strcmp(argv[i], "--size") && i + 1 < argc &&
                 std::sscanf(argv[++i], "%dx%d", &width, &height) == 2 && width > 0 && height > 0)
            continue;
        else {
            std::fprintf(stderr,
                         "usage: frame_bench [--runs N] [--seconds S] [--out FILE] "
                         "[--size WxH] [--compare]\n");
            return 2;
        }
    }
    // The game's diagnostic lines go nowhere; the report keeps the real standard output.
    report = fdopen(dup(STDOUT_FILENO), "w");
    if (!report || !std::freopen("/dev/null", "w", stdout))
        return 2;
    std::string data = (std::filesystem::temp_directory_path() / "orvel-bench-XXXXXX").string();
    if (!mkdtemp(data.data()))
        return 2;
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    setenv("ORVEL_VSYNC", "0", 1);
    setenv("ORVEL_SEED", "7", 1);

    startUp(1, argv);  // the benchmark's own arguments are not the game's
    for (int i = 0; i < 10; ++i)
        glutMainLoopEvent();
    reshape(width, height);

    int status = 0;
    if (comparing) {
        status = compare();
    } else {
        std::vector<Scene> scenes = {
            {"main menu", [] { game.menus.screen = MainMenu; }, [] { drawFrame(); }},
            {"new game, first frame", [] { quietly(newGame); }, gameFrame},
            {"crowded board", layCrowdedBoard, crowdedFrame},
            {"crowded board, spheres only (baseline)", layCrowdedBoard, baselineFrame},
            {"crowded board, culling only", crowdedWith({true, false, false}), crowdedFrame},
            {"crowded board, cached spheres only", crowdedWith({false, true, false}), crowdedFrame},
            {"crowded board, none of the three", crowdedWith({false, false, false}), crowdedFrame},
            {"crowded board, blending on (all but opaque)", crowdedWith({true, true, false}),
             crowdedFrame},
        };
        // At other sizes: the main menu, a new game, the crowded board with and without opaque
        // spheres, and the baseline that the crowded board is measured against.
        const bool allScenes = width == 1280 && height == 1024;
        if (!allScenes) {
            scenes.erase(scenes.begin() + 4, scenes.begin() + 7);
        }
        const std::vector<double> fps = measure(scenes, runs, seconds);
        std::string table = "scene                                           frames/s\n";
        char line[160];
        for (size_t i = 0; i < scenes.size(); ++i) {
            std::snprintf(line, sizeof line, "%-46s %9.1f\n", scenes[i].name, fps[i]);
            table += line;
        }
        std::snprintf(line, sizeof line, "crowded board / baseline                       %9.2f\n",
                      fps[2] / fps[3]);
        table += line;
        if (allScenes) {
            std::snprintf(line, sizeof line,
                          "crowded board / unoptimised                    %9.2f\n",
                          fps[2] / fps[6]);
            table += line;
        }
        std::snprintf(line, sizeof line, "crowded board / blending on                    %9.2f\n",
                      fps[2] / fps.back());
        table += line;
        std::snprintf(line, sizeof line,
                      "crowded board at difficulty 4: %.1f steps/s (25 intended), blending on "
                      "%.1f\n",
                      paceAtDifficultyFour(scenes[2], seconds * runs),
                      paceAtDifficultyFour(scenes.back(), seconds * runs));
        table += line;
        std::snprintf(line, sizeof line, "(median of %d runs of %.1f s, %dx%d)\n", runs, seconds,
                      width, height);
        table += line;
        std::fputs(table.c_str(), report);
        if (out) {
            FILE* file = std::fopen(out, "w");
            if (!file || std::fputs(table.c_str(), file) < 0 || std::fclose(file) != 0)
                status = 1;
        }
    }
    std::fflush(report);
    std::filesystem::remove_all(data);
    return status;
}
