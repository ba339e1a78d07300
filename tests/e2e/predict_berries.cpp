// Prints the "Placing berry at: " lines that a new game's ten berries must produce for a seed,
// computed straight from std::mt19937, independently of the game's code: x then y in 2..19
// as (u * 18) >> 32 + 2, both drawn again while the cell is taken or is the spawn cell (10, 10).
//   predict_berries SEED
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: predict_berries SEED\n");
        return 2;
    }
    std::mt19937 mt(static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)));
    auto draw = [&mt] { return static_cast<int>((uint64_t{mt()} * 18) >> 32) + 2; };
    std::set<std::pair<int, int>> taken;
    for (int k = 0; k < 10; ++k) {
        std::pair<int, int> cell;
        do {
            cell.first = draw();
            cell.second = draw();
        } while (taken.count(cell) || cell == std::make_pair(10, 10));
        taken.insert(cell);
        std::printf("Placing berry at: %d,%d\n", cell.first, cell.second);
    }
    return 0;
}
