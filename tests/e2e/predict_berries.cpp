// Prints the "Placing berry at: " lines that a new game's ten berries produce for a seed, by
// the game's own placement on an empty walled board, so that the end-to-end tests know where
// the real game must put them.
//   predict_berries SEED
#include <cstdio>
#include <cstdlib>

#include "game/berry.h"
#include "game/board.h"
#include "game/random.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: predict_berries SEED\n");
        return 2;
    }
    seedRandom(static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)));
    Board board{};
    resetBoard(board);
    // A new game's snake stands on the spawn cell, which placement always avoids.
    board.at(kSpawnX, kSpawnY) = kBody;
    Berries berries{};
    createBerries(berries, board);
    return 0;
}
