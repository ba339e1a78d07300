// Pacing benchmark: the real frame driver and snake step, driven by a simulated display, show
// how far the step interval strays from the intended 160/120/80/40 ms at each difficulty and
// display rate, and how long a due step waits when the driver rests between frames. It links
// the recording GL fake, whose clock advances one display period per swap.
//
// "before" replays the previous rule (a step resets the timer, which gathers the truncated
// single-precision frame time) on the same frame times, for comparison.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../tests/support/fake_gl.h"
#include "../tests/support/fake_platform.h"
#include "app/frame.h"
#include "app/frame_pacing.h"
#include "app/game.h"
#include "app/keyboard.h"
#include "game/board.h"
#include "game/pace.h"
#include "game/random.h"
#include "render/gl.h"

namespace {

constexpr int kSteps = 200;

struct Result {
    double average = 0;   // ms between steps
    double worst = 0;     // largest distance of one interval from the intended one, ms
    double maxDelay = 0;  // worst wait of a due step for the frame that takes it, ms
    double maxRest = 0;   // worst time of that spent resting after the step fell due, ms
};

// A straight run up column 10 on a board without berries: the snake steps for ever.
void startRun(int16_t difficulty) {
    game = GameState{};
    game.play.difficulty = difficulty;
    newGame();
    for (int x = kFieldFirst; x <= kFieldLast; ++x) {
        for (int y = kFieldFirst; y <= kFieldLast; ++y) {
            if (game.play.board.at(x, y) == kBerry) {
                game.play.board.at(x, y) = kEmpty;
            }
        }
    }
}

// Frames periodMs apart: the clock moves one display period per swap (a display whose swap
// waits), or, with rest, frames that take periodMs to draw, after which the driver rests as
// it chooses and the rest passes on the clock.
Result runAfter(int16_t difficulty, double periodMs, bool rest) {
    startRun(difficulty);
    setFramePacing(rest ? FramePacer(Pacing::Rest, 60) : FramePacer());
    fakegl::setElapsedTime(1000);
    fakegl::advanceOnSwap(periodMs);
    std::vector<double> stepTimes;
    Result result;
    double due = -1;
    while (static_cast<int>(stepTimes.size()) <= kSteps) {
        const size_t restsBefore = fakeplatform::rests().size();
        const int before = game.play.snakeFirst->y;
        fakegl::forgetCalls();
        drawFrame();
        const int frameStart = game.clock.lastFrameTime;
        if (game.play.snakeFirst->y != before) {
            stepTimes.push_back(frameStart);
            if (due >= 0) {
                result.maxDelay = std::max(result.maxDelay, frameStart - due);
            }
        }
        due = game.clock.lastFrameTime + stepThreshold(difficulty) + 1 - game.clock.stepTimer;
        if (fakeplatform::rests().size() > restsBefore) {
            const double swapEnd = glutGet(GLUT_ELAPSED_TIME);
            const double restEnd = swapEnd + fakeplatform::rests().back();
            result.maxRest = std::max(result.maxRest, restEnd - std::max(due, swapEnd));
            fakegl::advanceClock(fakeplatform::rests().back());
        }
    }
    const double intended = stepThreshold(difficulty);
    for (size_t i = 1; i < stepTimes.size(); ++i) {
        const double interval = stepTimes[i] - stepTimes[i - 1];
        result.worst = std::max(result.worst, std::abs(interval - intended));
    }
    result.average = (stepTimes.back() - stepTimes.front()) / (stepTimes.size() - 1);
    return result;
}

// The previous rule on the same whole-millisecond frame times.
double averageBefore(int16_t difficulty, double periodMs) {
    double now = 1000;
    int last = 1000, timer = 0, steps = 0;
    double first = -1, latest = 0;
    while (steps <= kSteps) {
        now += periodMs;
        const int t = static_cast<int>(now);
        const float delta = static_cast<float>((double(t) - last) / 1000);
        last = t;
        timer += frameMilliseconds(delta);
        if (timer > stepThreshold(difficulty)) {
            timer = 0;
            (first < 0 ? first : latest) = t;
            ++steps;
        }
    }
    return (latest - first) / (steps - 1);
}

}  // namespace

int main() {
    // The game's diagnostic lines go to standard output; the report goes to standard error.
    if (!std::freopen("/dev/null", "w", stdout)) {
        return 2;
    }
    FILE* report = stderr;
    // The games it plays are recorded: into a folder of its own, not the home folder.
    char folder[] = "/tmp/orvel-pacing-XXXXXX";
    if (!mkdtemp(folder)) {
        return 2;
    }
    setenv("XDG_DATA_HOME", folder, 1);
    seedRandom(1);
    struct Display {
        const char* name;
        double periodMs;
    };
    // Unthrottled: about 160 frames a second, what llvmpipe draws of a new game.
    const std::vector<Display> displays = {{"30 Hz", 1000.0 / 30},   {"60 Hz", 1000.0 / 60},
                                           {"75 Hz", 1000.0 / 75},   {"144 Hz", 1000.0 / 144},
                                           {"240 Hz", 1000.0 / 240}, {"unthrottled", 6.25}};
    std::fprintf(report, "%-12s %-10s %10s %10s %8s %12s %8s\n", "display", "difficulty",
                 "intended", "before", "after", "after error", "worst");
    for (const Display& display : displays) {
        for (int16_t difficulty = 1; difficulty <= 4; ++difficulty) {
            const Result after = runAfter(difficulty, display.periodMs, false);
            const double intended = stepThreshold(difficulty);
            std::fprintf(report, "%-12s %-10d %8.0f ms %7.1f ms %5.1f ms %10.2f %% %5.1f ms\n",
                         display.name, difficulty, intended,
                         averageBefore(difficulty, display.periodMs), after.average,
                         100 * (after.average - intended) / intended, after.worst);
        }
    }
    std::fprintf(report, "\nresting between frames (no swap control; frames cost 6.5 ms):\n");
    double worstRest = 0;
    for (int16_t difficulty = 1; difficulty <= 4; ++difficulty) {
        const Result rested = runAfter(difficulty, 6.5, true);
        worstRest = std::max(worstRest, rested.maxRest);
        std::fprintf(report,
                     "difficulty %d: steps every %.1f ms (intended %d); worst wait of a due step "
                     "for its frame %.1f ms, of it resting %.1f ms\n",
                     difficulty, rested.average, stepThreshold(difficulty), rested.maxDelay,
                     std::max(0.0, rested.maxRest));
    }
    std::fprintf(report, "worst time a rest delayed a due step: %.1f ms\n",
                 std::max(0.0, worstRest));
    return 0;
}
