// The game screen.
#include "render/game_screen.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "game/game_state.h"
#include "render/gl.h"
#include "render/scene.h"
#include "render/sphere_cache.h"
#include "render/sphere_looks.h"
#include "render/text.h"

std::string formatFps(double fps) {
    if (std::isinf(fps)) {
        return fps > 0 ? "+Inf" : "-Inf";
    }
    if (std::isnan(fps)) {
        return "NaN";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%2.2f", fps);
    return text;
}

void drawLabelAboveBoard(const std::string& label) {
    if (label.empty()) {
        return;
    }
    lightingOff();
    // Centred between the score and the lives, above the board's top wall.
    drawText(label, -0.12 * static_cast<double>(label.size()), 3.55, 0.003);
    lightingOn();
}

void drawNoticeOverBoard(const std::string& notice) {
    if (notice.empty()) {
        return;
    }
    // GAME OVER's size; the count's lone number twice that, so that it reads as a count and
    // not as one more number of the HUD, and a burst's blob can't hide it.
    const double scale = notice.size() == 1 ? 0.012 : 0.006;
    constexpr double kCapitalHeight = 100;  // the stroke font's capitals and digits, in its units
    // The board's middle, between the walls' cells, seen on the text plane (depth -10) in front
    // of the spheres' (depth -15).
    constexpr double kMiddle = (boardToWorld(1) + boardToWorld(kBoardSize)) / 2 * 10 / 15;
    const double width = glutStrokeLength(GLUT_STROKE_ROMAN,
                                          reinterpret_cast<const unsigned char*>(notice.c_str())) *
                         scale;
    lightingOff();
    drawText(notice, kMiddle - width / 2, kMiddle - kCapitalHeight * scale / 2, scale);
    lightingOn();
}

void drawGameScreen(const Play& play, int32_t time, double fps) {
    lightingOff();
    drawText(std::to_string(play.score), -4.5, 2.5, 0.006);
    drawText(std::to_string(play.lives), 3.9, 2.5, 0.006);
    drawText("FPS: " + formatFps(fps), -5.0, -4.0, 0.003);
    drawText("Orrin Vaskolder", 2.0, -4.0, 0.003);
    lightingOn();

    const long double phase = time / 400.0L;
    const auto red = static_cast<double>(0.4L * std::sin(phase) + 0.0L);
    const auto green = static_cast<double>(1 - 0.4L * std::cos(phase));
    const double blue = 0.0;
    beginBoardSpheres();
    for (int x = 1; x <= kBoardSize; ++x) {
        for (int y = 1; y <= kBoardSize; ++y) {
            const std::optional<SphereKind> kind = sphereKindOf(play.board.at(x, y));
            if (!kind) {
                continue;
            }
            const double angle = lookOf(*kind).spins ? time / 3.0 : 0.0;
            drawSphere(x, y, *kind, angle, red, green, blue);
        }
    }
    endBoardSpheres();
}
