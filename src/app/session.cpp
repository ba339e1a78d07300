// The process's session.
#include "app/session.h"

#include <utility>

#include "app/live_session.h"

namespace {

std::unique_ptr<Session>& current() {
    static std::unique_ptr<Session> chosen = liveSession();
    return chosen;
}

}  // namespace

Session& session() {
    return *current();
}

void useSession(std::unique_ptr<Session> chosen) {
    current() = std::move(chosen);
}
