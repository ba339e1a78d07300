// A small X11 probe for the end-to-end tests: reads pixels of the game's screen the way a
// player looks at it (is there a sphere on this cell, is the menu marker on that row, how far
// does this line of text reach) and sends the window manager's close message.
//
//   xprobe wait-cell CX CY green|dark TIMEOUT_MS   wait for a sphere to appear on / leave a cell
//   xprobe first-green CX Y0 Y1 TIMEOUT_MS        wait for a sphere on (CX, Y0..Y1); print its Y
//   xprobe yellow X0 Y0 X1 Y1                      bright yellow pixels in a text-plane box
//   xprobe right-edge X0 Y0 X1 Y1                  rightmost text-plane x of yellow in the box
//   xprobe text-span X0 Y0 X1 Y1                   leftmost and rightmost text-plane x of text
//                                                  (its pure yellow, which no burst has) in
//                                                  the box, or "none"
//   xprobe marker ROWS                             menu row (1..ROWS) that the tilde stands on
//   xprobe close TITLE                             WM_DELETE_WINDOW to the window named TITLE
//   xprobe focus                                   where the keyboard focus is: none,
//                                                  pointer-root, or the focused window's name
//                                                  (or its nearest named ancestor's)
//   xprobe grab                                    grab the keyboard, as a hotkey held or a
//                                                  screen locker does; say "grabbed" once the
//                                                  server has it, and hold it until standard
//                                                  input ends
//   xprobe line-rows FROM TO                       share (%) of the screen's rows in which its
//                                                  columns FROM..TO (fractions of the width)
//                                                  show the background's dim yellow lines
//   xprobe step-times CX COUNT TIMEOUT_MS          print the times (ms) at which the spheres
//                                                  in column CX change, COUNT changes in all
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

Display* display = nullptr;
int screenWidth = 0;
int screenHeight = 0;

struct Pixel {
    int r, g, b;
};

// The projection the game sets: 45 degrees vertically on screens 5:4 and wider, widened on
// narrower ones so that the 5:4 picture stays in view; eye at the origin.
double halfHeightAt(double depth) {
    const double aspect = static_cast<double>(screenWidth) / screenHeight;
    return depth * std::tan(22.5 * M_PI / 180.0) * std::max(1.0, 1.25 / aspect);
}

void toScreen(double x, double y, double depth, int& px, int& py) {
    const double halfHeight = halfHeightAt(depth);
    const double halfWidth = halfHeight * screenWidth / screenHeight;
    px = static_cast<int>(std::lround((x / halfWidth + 1) / 2 * screenWidth));
    py = static_cast<int>(std::lround((1 - y / halfHeight) / 2 * screenHeight));
}

double toPlaneX(int px, double depth) {
    const double halfWidth = halfHeightAt(depth) * screenWidth / screenHeight;
    return (2.0 * px / screenWidth - 1) * halfWidth;
}

// Calls visit(x, y, pixel) for every pixel of the screen box [x0, x1) x [y0, y1).
template <typename Visit>
void scan(int x0, int y0, int x1, int y1, Visit visit) {
    x0 = std::max(0, x0), y0 = std::max(0, y0);
    x1 = std::min(screenWidth, x1), y1 = std::min(screenHeight, y1);
    if (x1 <= x0 || y1 <= y0)
        return;
    XImage* image = XGetImage(display, DefaultRootWindow(display), x0, y0, x1 - x0, y1 - y0,
                              AllPlanes, ZPixmap);
    if (!image)
        return;
    for (int y = 0; y < y1 - y0; ++y) {
        for (int x = 0; x < x1 - x0; ++x) {
            const unsigned long value = XGetPixel(image, x, y);
            visit(x0 + x, y0 + y,
                  Pixel{int((value >> 16) & 255), int((value >> 8) & 255), int(value & 255)});
        }
    }
    XDestroyImage(image);
}

bool isGreen(Pixel p) {
    return p.g > 60 && p.g > p.r + 40 && p.b < 60;
}
bool isYellow(Pixel p) {
    return p.r > 150 && p.g > 150 && p.b < 90;
}
// Text's own yellow, full red and green: a burst's yellow is 90% of that at most.
bool isTextYellow(Pixel p) {
    return p.r > 245 && p.g > 245 && p.b < 10;
}
// The background's lines: yellow at 15% over black, or over something dark.
bool isLineYellow(Pixel p) {
    return p.r > 8 && p.r < 120 && std::abs(p.r - p.g) < 8 && p.b < p.r / 2;
}

// Is a sphere (snake, berry or wall: all green) drawn on board cell (cx, cy)?
bool cellIsGreen(int cx, int cy) {
    int px = 0, py = 0;
    toScreen((cx - 10) * 10.0 / 20, (cy - 10) * 10.0 / 20, 15, px, py);
    int green = 0;
    scan(px - 3, py - 3, px + 4, py + 4, [&](int, int, Pixel p) { green += isGreen(p); });
    return green >= 10;
}

// Screen box of a text-plane box (x0, y0)-(x1, y1), y upward.
void textBox(double x0, double y0, double x1, double y1, int& sx0, int& sy0, int& sx1, int& sy1) {
    toScreen(x0, y1, 10, sx0, sy0);
    toScreen(x1, y0, 10, sx1, sy1);
}

int yellowIn(double x0, double y0, double x1, double y1) {
    int sx0, sy0, sx1, sy1, count = 0;
    textBox(x0, y0, x1, y1, sx0, sy0, sx1, sy1);
    scan(sx0, sy0, sx1, sy1, [&](int, int, Pixel p) { count += isYellow(p); });
    return count;
}

Window findWindow(Window window, const char* title) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        const bool match = std::strcmp(name, title) == 0;
        XFree(name);
        if (match)
            return window;
    }
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; ++i)
            found = findWindow(children[i], title);
        if (children)
            XFree(children);
    }
    return found;
}

// The name of a window, or of its nearest ancestor that has one (a window manager's frame
// holds the named window, and the focus may be on either).
std::string nameAbove(Window window) {
    while (window != None) {
        char* name = nullptr;
        if (XFetchName(display, window, &name) && name) {
            std::string found = name;
            XFree(name);
            return found;
        }
        Window root, parent, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count))
            break;
        if (children)
            XFree(children);
        window = parent == root ? None : parent;
    }
    return "(unnamed)";
}

int usage() {
    std::fprintf(stderr, "usage: xprobe wait-cell|yellow|line-rows|right-edge|marker|close ...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xprobe: cannot open display\n");
        return 2;
    }
    screenWidth = DisplayWidth(display, DefaultScreen(display));
    screenHeight = DisplayHeight(display, DefaultScreen(display));
    // A video mode switch shows only the top-left WIDTHxHEIGHT of a larger root window.
    if (const char* shown = std::getenv("XPROBE_SCREEN")) {
        std::sscanf(shown, "%dx%d", &screenWidth, &screenHeight);
    }
    const std::string command = argv[1];
    auto number = [&](int i) { return i < argc ? std::atof(argv[i]) : 0.0; };

    if (command == "wait-cell" && argc == 6) {
        const bool wantGreen = std::strcmp(argv[4], "green") == 0;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(std::atoi(argv[5]));
        while (std::chrono::steady_clock::now() < deadline) {
            if (cellIsGreen(std::atoi(argv[2]), std::atoi(argv[3])) == wantGreen)
                return 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        std::fprintf(stderr, "xprobe: cell %s,%s never turned %s\n", argv[2], argv[3], argv[4]);
        return 1;
    }
    if (command == "first-green" && argc == 6) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(std::atoi(argv[5]));
        while (std::chrono::steady_clock::now() < deadline) {
            for (int y = std::atoi(argv[3]); y <= std::atoi(argv[4]); ++y) {
                if (cellIsGreen(std::atoi(argv[2]), y)) {
                    std::printf("%d\n", y);
                    return 0;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        std::fprintf(stderr, "xprobe: no sphere appeared in column %s\n", argv[2]);
        return 1;
    }
    if (command == "yellow" && argc == 6) {
        std::printf("%d\n", yellowIn(number(2), number(3), number(4), number(5)));
        return 0;
    }
    if (command == "right-edge" && argc == 6) {
        int sx0, sy0, sx1, sy1, right = -1;
        textBox(number(2), number(3), number(4), number(5), sx0, sy0, sx1, sy1);
        scan(sx0, sy0, sx1, sy1, [&](int x, int, Pixel p) {
            if (isYellow(p) && x > right)
                right = x;
        });
        std::printf("%.2f\n", right < 0 ? -99.0 : toPlaneX(right, 10));
        return 0;
    }
    if (command == "text-span" && argc == 6) {
        int sx0, sy0, sx1, sy1, left = screenWidth, right = -1;
        textBox(number(2), number(3), number(4), number(5), sx0, sy0, sx1, sy1);
        scan(sx0, sy0, sx1, sy1, [&](int x, int, Pixel p) {
            if (isTextYellow(p)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        });
        if (right < 0) {
            std::puts("none");
        } else {
            std::printf("%.2f %.2f\n", toPlaneX(left, 10), toPlaneX(right, 10));
        }
        return 0;
    }
    if (command == "marker" && argc == 3) {
        // The tilde is drawn at x = -4 on the baseline 2.5 - 1.3 * row.
        int best = 0, bestCount = 0;
        for (int row = 1; row <= std::atoi(argv[2]); ++row) {
            const double base = 2.5 - 1.3 * row;
            const int count = yellowIn(-4.2, base - 0.1, -3.2, base + 0.6);
            if (count > bestCount)
                best = row, bestCount = count;
        }
        std::printf("%d\n", best);
        return 0;
    }
    if (command == "line-rows" && argc == 4) {
        std::vector<bool> shows(screenHeight, false);
        scan(static_cast<int>(number(2) * screenWidth), 0,
             static_cast<int>(number(3) * screenWidth), screenHeight,
             [&](int, int y, Pixel p) { shows[y] = shows[y] || isLineYellow(p); });
        const auto rows = std::count(shows.begin(), shows.end(), true);
        std::printf("%d\n", static_cast<int>(rows * 100 / std::max(1, screenHeight)));
        return 0;
    }
    if (command == "step-times" && argc == 5) {
        // One image of the column per look; a step changes which of its cells are green.
        const int cx = std::atoi(argv[2]);
        int x = 0, top = 0, bottom = 0;
        toScreen((cx - 10) * 10.0 / 20, (20 - 10) * 10.0 / 20, 15, x, top);
        toScreen((cx - 10) * 10.0 / 20, (1 - 10) * 10.0 / 20, 15, x, bottom);
        const auto start = std::chrono::steady_clock::now();
        const auto deadline = start + std::chrono::milliseconds(std::atoi(argv[4]));
        std::string last;
        int changes = 0;
        while (changes < std::atoi(argv[3]) && std::chrono::steady_clock::now() < deadline) {
            std::string cells(21, '0');
            std::vector<int> green(screenHeight, 0);
            scan(x - 2, top - 4, x + 3, bottom + 5,
                 [&](int, int py, Pixel p) { green[py] += isGreen(p); });
            for (int cy = 1; cy <= 20; ++cy) {
                int px = 0, py = 0;
                toScreen((cx - 10) * 10.0 / 20, (cy - 10) * 10.0 / 20, 15, px, py);
                int count = 0;
                for (int y = std::max(0, py - 2); y <= std::min(screenHeight - 1, py + 2); ++y)
                    count += green[y];
                cells[cy] = count >= 10 ? '1' : '0';
            }
            if (cells != last) {
                const auto now = std::chrono::steady_clock::now();
                if (!last.empty()) {
                    std::printf("%.1f\n",
                                std::chrono::duration<double, std::milli>(now - start).count());
                    ++changes;
                }
                last = cells;
            }
        }
        return changes == std::atoi(argv[3]) ? 0 : 1;
    }
    if (command == "focus" && argc == 2) {
        Window focus = None;
        int revertTo = 0;
        XGetInputFocus(display, &focus, &revertTo);
        std::printf("%s\n", focus == None          ? "none"
                            : focus == PointerRoot ? "pointer-root"
                                                   : nameAbove(focus).c_str());
        return 0;
    }
    if (command == "grab" && argc == 2) {
        if (XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync, GrabModeAsync,
                          CurrentTime) != GrabSuccess) {
            std::fprintf(stderr, "xprobe: the keyboard is grabbed already\n");
            return 1;
        }
        XSync(display, False);
        std::puts("grabbed");
        std::fflush(stdout);
        while (std::getchar() != EOF) {
        }
        XUngrabKeyboard(display, CurrentTime);
        XSync(display, False);
        return 0;
    }
    if (command == "close" && argc == 3) {
        const Window window = findWindow(DefaultRootWindow(display), argv[2]);
        if (!window) {
            std::fprintf(stderr, "xprobe: no window named %s\n", argv[2]);
            return 1;
        }
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
        // Until the display has taken it: a message only flushed can be lost with the
        // connection when the probe exits first.
        XSync(display, False);
        XCloseDisplay(display);
        return 0;
    }
    return usage();
}
