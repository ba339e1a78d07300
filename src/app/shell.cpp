// The shell's own state.
#include "app/shell.h"

#include <utility>

#include "app/game.h"
#include "app/live_session.h"

namespace {

Shell theShell{liveSession(), FrameDriver()};

}  // namespace

Shell& shell() {
    return theShell;
}

Session& session() {
    return *theShell.session;
}

void useSession(std::unique_ptr<Session> chosen) {
    theShell.session = std::move(chosen);
}

void resetShell() {
    game = GameState{};
    theShell = Shell{liveSession(), FrameDriver()};
}
