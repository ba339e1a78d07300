// Stroke-font text drawing and the lighting switches.
#include "render/text.h"

#include "render/gl.h"

namespace {
// Stroke text is drawn in lines one pixel wide on a screen up to 1024 pixels high, and
// proportionally wider above that, so that it does not thin to hairlines on large screens.
GLfloat textLineWidth = 1.0f;
}  // namespace

void scaleTextLines(int windowHeight) {
    constexpr int kComposedHeight = 1024;
    textLineWidth = windowHeight > kComposedHeight
                        ? static_cast<GLfloat>(windowHeight) / kComposedHeight
                        : 1.0f;
}

void drawText(std::string_view text, double x, double y, double scale) {
    glLoadIdentity();
    glColor3f(1.0f, 1.0f, 0.0f);
    glTranslatef(static_cast<GLfloat>(x), static_cast<GLfloat>(y), -10.0f);
    const auto s = static_cast<GLfloat>(scale);
    glScalef(s, s, s);
    glLineWidth(textLineWidth);
    for (const char c : text) {
        glutStrokeCharacter(GLUT_STROKE_ROMAN, static_cast<unsigned char>(c));
    }
}

void lightingOff() {
    glDisable(GL_LIGHTING);
}

void lightingOn() {
    glEnable(GL_LIGHTING);
}
