// Board reset: the walled, empty board a new game starts from.
#include "game/board.h"

void resetBoard(Board& board) {
    for (int x = kFieldFirst; x <= kFieldLast; ++x) {
        for (int y = kFieldFirst; y <= kFieldLast; ++y) {
            board.at(x, y) = kEmpty;
        }
    }
    for (int x = 1; x <= kBoardSize; ++x) {
        board.at(x, 1) = kWall;
        board.at(x, kBoardSize) = kWall;
    }
    for (int y = kFieldFirst; y <= kFieldLast; ++y) {
        board.at(1, y) = kWall;
        board.at(kBoardSize, y) = kWall;
    }
}
