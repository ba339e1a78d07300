// Writes a 100,000-step recording for timing --check-replay: a snake that follows a cycle
// through every field cell, so that it never runs into itself, eating what lies on the way.
//   replay_bench FILE [STEPS]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "game/diagnostics.h"
#include "game/random.h"
#include "game/replay_run.h"
#include "game/step.h"

namespace {

bool quiet(std::string_view) {
    return true;
}

// The heading to take from each field cell: up column 2, then back and forth over columns
// 3..19 from the top row down, and back to (2, 2).
char headingAt(int x, int y) {
    if (x == kFieldFirst) {
        return y == kFieldLast ? 'd' : 'w';
    }
    const bool rightward = (kFieldLast - y) % 2 == 0;
    if (rightward) {
        return x < kFieldLast ? 'd' : 's';
    }
    if (x > kFieldFirst + 1) {
        return 'a';
    }
    return y == kFieldFirst ? 'a' : 's';
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: replay_bench FILE [STEPS]\n");
        return 2;
    }
    const int32_t steps = argc > 2 ? std::atoi(argv[2]) : 100000;
    setLineSink(quiet);
    seedRandom(1);
    Play play;
    play.difficulty = 4;
    ReplayRecorder recorder;
    recorder.begin(play, "bench", "2026-12-07T00:00:00Z");
    startNewGame(play);
    for (int32_t step = 0; step < steps; ++step) {
        play.nextDirection = headingAt(play.snakeFirst->x, play.snakeFirst->y);
        recorder.beforeStep(play);
        const StepEvent event = playStep(play);
        recorder.afterStep(play);
        if (event.kind == StepEvent::Kind::Crashed || event.kind == StepEvent::Kind::GameOver) {
            std::fprintf(stderr, "replay_bench: the snake crashed at step %d\n", step);
            return 1;
        }
    }
    std::ofstream(argv[1], std::ios::binary) << replayText(recorder.finish(play, "escape"));
    return 0;
}
