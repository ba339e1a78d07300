// A player racing root's game in the player's own folder (root_in_players_folder.sh): each time
// a folder named NAME appears in FOLDER, it is renamed away at once and a symlink to TARGET put
// in its place, so that whatever root does next by that path lands on TARGET. With --blink, the
// folder NAME is renamed away and back every 300 us instead, so that a look at it finds nothing
// now and then, and what follows the look finds it again.
//   folder_swapper FOLDER NAME TARGET   (runs until killed; says "watching" once it watches)
//   folder_swapper --blink FOLDER NAME  (runs until killed; says "blinking" once it does)
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

[[noreturn]] void blink(const std::string& folder, const std::string& name) {
    const std::string path = folder + "/" + name;
    const std::string away = folder + "/" + name + ".away";
    std::printf("blinking\n");
    std::fflush(stdout);
    for (;;) {
        if (rename(path.c_str(), away.c_str()) == 0) {
            usleep(300);
        }
        rename(away.c_str(), path.c_str());  // refused while root's folder stands there
        usleep(300);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--blink") == 0) {
        blink(argv[2], argv[3]);
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: folder_swapper FOLDER NAME TARGET\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string name = argv[2];
    const int fd = inotify_init1(IN_CLOEXEC);
    if (fd < 0 || inotify_add_watch(fd, folder.c_str(), IN_CREATE) < 0) {
        std::perror("folder_swapper: inotify");
        return 1;
    }
    std::printf("watching\n");
    std::fflush(stdout);
    alignas(inotify_event) char events[4096];
    for (unsigned swaps = 0;;) {
        const ssize_t got = read(fd, events, sizeof events);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            std::perror("folder_swapper: read");
            return 1;
        }
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->len == 0 || !(event->mask & IN_ISDIR) || name != event->name) {
                continue;
            }
            const std::string path = folder + "/" + name;
            const std::string away = folder + "/away." + std::to_string(++swaps);
            if (rename(path.c_str(), away.c_str()) == 0 && symlink(argv[3], path.c_str()) != 0) {
                std::perror("folder_swapper: symlink");
            }
        }
    }
}
