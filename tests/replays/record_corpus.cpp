// Records the regression corpus of tests/replays/ with the game's own rules and recorder: a
// bot steers toward the nearest berry, never onto its body when it can help it. One game per
// difficulty, and a long one on difficulty 1 whose restarted snakes grow past 100 segments
// and pass through every wall. Re-record when a rule changes on purpose:
//   build/tests/record_corpus tests/replays
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "game/diagnostics.h"
#include "game/random.h"
#include "game/replay_run.h"
#include "game/step.h"

namespace {

bool quiet(std::string_view) {
    return true;
}

int wrap(int v) {
    return v < kFieldFirst ? kFieldLast : v > kFieldLast ? kFieldFirst : v;
}

// The cell a heading leads to, through the wall where it is in the way.
std::pair<int, int> ahead(const Play& play, char heading) {
    int x = play.snakeFirst->x;
    int y = play.snakeFirst->y;
    x += heading == 'd' ? 1 : heading == 'a' ? -1 : 0;
    y += heading == 'w' ? 1 : heading == 's' ? -1 : 0;
    return {wrap(x), wrap(y)};
}

int distance(int a, int b) {
    const int span = kFieldLast - kFieldFirst + 1;
    const int d = std::abs(a - b) % span;
    return std::min(d, span - d);
}

char choose(const Play& play, std::minstd_rand& dice) {
    const char reverse = play.direction == 'w'   ? 's'
                         : play.direction == 's' ? 'w'
                         : play.direction == 'a' ? 'd'
                                                 : 'a';
    char best = play.direction;
    int bestScore = 1 << 30;
    for (const char heading : {'w', 'a', 's', 'd'}) {
        if (heading == reverse) {
            continue;
        }
        const auto [x, y] = ahead(play, heading);
        int score = play.board.at(x, y) == kBody ? 100000 : 0;
        int nearest = 1 << 20;
        for (int k = 1; k <= kBerryCount; ++k) {
            nearest = std::min(
                nearest, distance(x, play.berries[k]->x()) + distance(y, play.berries[k]->y()));
        }
        score += nearest * 4 + static_cast<int>(dice() % 3);
        if (score < bestScore) {
            bestScore = score;
            best = heading;
        }
    }
    return best;
}

struct Recorded {
    Replay replay;
    int32_t longestSnake = 0;
    int walls = 0;  // one bit for each wall the head passed through
};

Recorded play(uint32_t seed, int16_t difficulty, int32_t longest) {
    Recorded result;
    seedRandom(seed);
    std::minstd_rand dice(seed);
    Play game;
    game.difficulty = difficulty;
    ReplayRecorder recorder;
    recorder.begin(game, ORVEL_CORPUS_VERSION, "2026-12-07T00:00:00Z");
    startNewGame(game);
    for (int32_t step = 0; step < longest; ++step) {
        game.nextDirection = choose(game, dice);
        recorder.beforeStep(game);
        const int x = game.snakeFirst->x;
        const int y = game.snakeFirst->y;
        const StepEvent event = playStep(game);
        recorder.afterStep(game);
        const int dx = game.snakeFirst->x - x;
        const int dy = game.snakeFirst->y - y;
        result.walls |= (dx < -1 ? 1 : 0) | (dx > 1 ? 2 : 0) | (dy < -1 ? 4 : 0) | (dy > 1 ? 8 : 0);
        int32_t length = 0;
        for (const SnakeSegment* s = game.snakeFirst.get(); s; s = s->next.get()) {
            ++length;
        }
        result.longestSnake = std::max(result.longestSnake, length);
        if (event.kind == StepEvent::Kind::GameOver) {
            result.replay = recorder.finish(game, "gameover");
            return result;
        }
    }
    result.replay = recorder.finish(game, "escape");
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: record_corpus FOLDER\n");
        return 2;
    }
    setLineSink(quiet);
    struct Game {
        const char* name;
        uint32_t seed;
        int16_t difficulty;
        int32_t longest;
    };
    const Game games[] = {{"difficulty-1", 11, 1, 3000},
                          {"difficulty-2", 12, 2, 3000},
                          {"difficulty-3", 13, 3, 3000},
                          {"difficulty-4", 14, 4, 3000},
                          {"long", 7, 1, 20000}};
    for (const Game& game : games) {
        Recorded recorded = play(game.seed, game.difficulty, game.longest);
        // The long game: the first seed from game.seed on whose snake grows past 100 segments
        // and whose head passes through all four walls.
        for (uint32_t seed = game.seed + 1;
             game.longest > 3000 && (recorded.longestSnake < 100 || recorded.walls != 15); ++seed) {
            recorded = play(seed, game.difficulty, game.longest);
        }
        const Replay& replay = recorded.replay;
        const std::string path = std::string(argv[1]) + "/" + game.name + ".orvel-replay";
        std::ofstream(path, std::ios::binary) << replayText(replay);
        std::printf("%s: seed %u, %s after %d steps, score %d, longest snake %d\n", path.c_str(),
                    replay.seed, replay.ending.c_str(), replay.steps, replay.score,
                    recorded.longestSnake);
    }
    return 0;
}
