// Logic benchmarks: a snake step with its board refresh at the longest the snake gets, berry
// placement on a crowded board, and loading and saving the high-score file.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/high_score_file.h"
#include "app/keyboard.h"
#include "game/collisions.h"
#include "game/random.h"
#include "game/step.h"

namespace {

struct Cell {
    int x, y;
};

// A closed path through all 324 field cells: up column 2, then rows 19 down to 2 back and
// forth over columns 3..19, and back along row 2... so that a snake on it never meets itself.
std::vector<Cell> fieldCycle() {
    std::vector<Cell> cycle;
    for (int y = kFieldFirst; y <= kFieldLast; ++y)
        cycle.push_back({kFieldFirst, y});
    bool right = true;
    for (int y = kFieldLast; y >= kFieldFirst; --y) {
        for (int i = 0; i < kFieldLast - kFieldFirst; ++i) {
            cycle.push_back({right ? kFieldFirst + 1 + i : kFieldLast - i, y});
        }
        right = !right;
    }
    return cycle;  // ends on (3, 2), next to the start (2, 2)
}

char headingFrom(Cell from, Cell to) {
    if (to.x > from.x)
        return 'd';
    if (to.x < from.x)
        return 'a';
    return to.y > from.y ? 'w' : 's';
}

// A 305-segment snake on the cycle, score past growing, heading along the cycle; berries are
// eaten when the head reaches them and placed again in the gap.
struct LongSnake {
    std::vector<Cell> cycle = fieldCycle();
    std::vector<char> heading;  // heading to take from each cycle position
    size_t headAt = 304;

    LongSnake() {
        seedRandom(7);
        game = GameState{};
        newGame();
        game.play.score = 302;
        createSnake(game.play, cycle[headAt].x, cycle[headAt].y, 0);
        for (size_t i = headAt; i-- > 0;)
            appendSegment(*game.play.snakeFirst, cycle[i].x, cycle[i].y);
        refreshBoard(game.play.board, *game.play.snakeFirst, game.play.berries);
        for (int k = 1; k <= kBerryCount; ++k) {
            while (game.play.board.at(game.play.berries[k]->x(), game.play.berries[k]->y()) !=
                       kBerry ||
                   onSnake(*game.play.berries[k])) {
                game.play.berries[k]->place(game.play.board);
                refreshBoard(game.play.board, *game.play.snakeFirst, game.play.berries);
            }
        }
        for (size_t i = 0; i < cycle.size(); ++i) {
            heading.push_back(headingFrom(cycle[i], cycle[(i + 1) % cycle.size()]));
        }
    }

    static bool onSnake(const Berry& berry) {
        for (const SnakeSegment* s = game.play.snakeFirst.get(); s; s = s->next.get()) {
            if (s->x == berry.x() && s->y == berry.y())
                return true;
        }
        return false;
    }

    int eaten = 0;

    void step() {
        const Cell next = cycle[(headAt + 1) % cycle.size()];
        eaten += game.play.board.at(next.x, next.y) == kBerry;
        game.play.nextDirection = heading[headAt];
        game.play.direction = game.play.nextDirection;
        stepSnake(game.play);
        refreshBoard(game.play.board, *game.play.snakeFirst, game.play.berries);
        headAt = (headAt + 1) % cycle.size();
    }
};

void StepLongSnake(benchmark::State& state) {
    LongSnake snake;
    for (auto _ : state) {
        snake.step();
    }
    benchmark::DoNotOptimize(game.play.board);
    state.counters["berries/step"] =
        benchmark::Counter(snake.eaten, benchmark::Counter::kAvgIterations);
    int32_t length = 0;
    for (const SnakeSegment* s = game.play.snakeFirst.get(); s; s = s->next.get())
        ++length;
    if (game.play.lives != 3 || length != kLongestSnake)
        state.SkipWithError("the snake crashed");
}
BENCHMARK(StepLongSnake);

void PlaceBerryOnCrowdedBoard(benchmark::State& state) {
    LongSnake snake;
    Berry& berry = *game.play.berries[1];
    for (auto _ : state) {
        game.play.board.at(berry.x(), berry.y()) = kEmpty;
        berry.place(game.play.board);
    }
}
BENCHMARK(PlaceBerryOnCrowdedBoard);

void LoadAndSaveHighScores(benchmark::State& state) {
    std::string folder = (std::filesystem::temp_directory_path() / "orvel-bench-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        return state.SkipWithError("no temporary folder");
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    game = GameState{};
    openOrCreateHighScoreFile();
    loadHighScores();
    for (auto _ : state) {
        saveHighScores();
        loadHighScores();
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(LoadAndSaveHighScores);

// Resident memory in KiB.
long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// A long soak of the step: resident memory must stay flat while bursts, berries and a few
// hundred thousand steps come and go.
void reportMemoryOverALongSoak(std::ostream& out) {
    LongSnake snake;
    long first = 0;
    out << "memory over a soak of the 305-segment snake (eating most steps):\n";
    for (int steps = 1; steps <= 1000000; ++steps) {
        snake.step();
        if (steps == 10000)
            first = residentKiB();
        if (steps == 10000 || steps % 250000 == 0) {
            out << "  after " << steps << " steps: " << residentKiB() << " KiB resident\n";
        }
    }
    out << "  growth after the first 10000 steps: " << residentKiB() - first << " KiB\n";
}

}  // namespace

// The game's diagnostic lines go to /dev/null; the benchmark's report keeps standard output.
int main(int argc, char** argv) {
    std::fflush(stdout);
    const int reportFd = dup(STDOUT_FILENO);
    if (reportFd < 0 || !std::freopen("/dev/null", "w", stdout))
        return 2;
    // Appended: opened anew, a regular file (a result being written) would lose what is in it.
    std::ofstream report("/proc/self/fd/" + std::to_string(reportFd), std::ios::app);
    benchmark::Initialize(&argc, argv);
    benchmark::ConsoleReporter console(benchmark::ConsoleReporter::OO_Tabular);
    console.SetOutputStream(&report);
    console.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&console);
    benchmark::Shutdown();
    reportMemoryOverALongSoak(report);
    return 0;
}
