// The live game's recording: every game is recorded from New Game to its end and kept in the
// replay folder (app/replay_folder.h) of the data folder. A recording that can't be written is
// one line on standard error, nothing more. The live session owns one for the process.
#pragma once

#include <optional>
#include <string>

#include "app/replay_folder.h"
#include "app/session.h"
#include "game/replay_run.h"

class GameRecorder {
public:
    // At start-up: the replay folder tidied (see ReplayFolder::tidy).
    void tidyFolder();
    // At New Game, before the new game draws from the generator.
    void begin(const Play& play);
    void beforeStep(const Play& play);
    void afterStep(const Play& play);
    // The game ends: its recording, if one was made, is written to the folder.
    void end(const Play& play, GameEnd why);

private:
    // The data folder's replay folder, found anew each time (none without a data folder).
    ReplayFolder* folder();
    void write(const Replay& replay);

    ReplayRecorder recorder_;
    std::optional<ReplayFolder> folder_;
    bool told_ = false;  // the game that could not be recorded said so
};
