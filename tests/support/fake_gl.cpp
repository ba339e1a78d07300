// The recording GL/GLU/GLUT stand-in. Any GL function the game starts to call must be added
// here, or the tests fail to link.
#include "fake_gl.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "render/gl.h"

namespace fakegl {
namespace {

std::vector<Call> recorded;
double exactTime = 0;    // the clock in fractions of a millisecond, never wrapped
double swapAdvance = 0;  // how far each swap moves it
bool gameModeGranted = true;
bool gameModeEntered = false;
void (*idle)() = nullptr;
std::vector<std::pair<void (*)(int), int>> timers;  // registered, not yet run

void record(const char* name, std::vector<double> args, std::string text = {}) {
    recorded.push_back(Call{name, std::move(args), std::move(text)});
}

}  // namespace

std::string Call::str() const {
    std::string out = name + "(";
    if (!text.empty()) {
        out += "\"" + text + "\"";
    }
    for (size_t i = 0; i < args.size(); ++i) {
        char number[32];
        std::snprintf(number, sizeof number, "%g", args[i]);
        out += (i > 0 || !text.empty() ? "," : "") + std::string(number);
    }
    return out + ")";
}

void reset() {
    recorded.clear();
    exactTime = 0;
    swapAdvance = 0;
    gameModeGranted = true;
    gameModeEntered = false;
    idle = nullptr;
    timers.clear();
}

bool idleSet() {
    return idle != nullptr;
}

void runTimers() {
    auto due = std::move(timers);
    timers.clear();
    for (const auto& [callback, value] : due) {
        callback(value);
    }
}

size_t timersPending() {
    return timers.size();
}

const std::vector<Call>& calls() {
    return recorded;
}

std::vector<std::string> callStrings() {
    std::vector<std::string> out;
    for (const Call& call : recorded) {
        out.push_back(call.str());
    }
    return out;
}

std::vector<Call> callsNamed(const std::string& name) {
    std::vector<Call> out;
    for (const Call& call : recorded) {
        if (call.name == name) {
            out.push_back(call);
        }
    }
    return out;
}

size_t countOf(const std::string& name) {
    return callsNamed(name).size();
}

void setElapsedTime(int64_t ms) {
    exactTime = static_cast<double>(ms);
}

void advanceClock(double ms) {
    exactTime += ms;
}

int elapsedTime() {
    // GLUT's counter is an int of the milliseconds since glutInit: it wraps after 24.8 days.
    return static_cast<int>(static_cast<uint32_t>(static_cast<int64_t>(exactTime)));
}

void advanceOnSwap(double ms) {
    swapAdvance = ms;
}

void forgetCalls() {
    recorded.clear();
}

void setGameModeGranted(bool granted) {
    gameModeGranted = granted;
}

std::vector<std::string> strokeTexts() {
    std::vector<std::string> out;
    bool open = false;
    for (const Call& call : recorded) {
        if (call.name == "glLoadIdentity") {
            open = false;
        } else if (call.name == "glutStrokeCharacter") {
            if (!open) {
                out.emplace_back();
                open = true;
            }
            out.back() += static_cast<char>(static_cast<int>(call.args.at(1)));
        }
    }
    return out;
}

namespace {

using Matrix = std::array<double, 16>;  // column-major, as GL keeps it
constexpr double kPi = 3.14159265358979323846;

Point times(const Matrix& m, const Point& p) {
    Point out{};
    for (int i = 0; i < 4; ++i) {
        for (int k = 0; k < 4; ++k) {
            out[i] += m[k * 4 + i] * p[k];
        }
    }
    return out;
}

// Replays the recorded matrix calls, handing every call to `at` with the projection and
// model-view in force when it was made.
void replayMatrices(const std::function<void(const Call&, const Matrix&, const Matrix&)>& at) {
    const Matrix identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    Matrix projection = identity;
    Matrix modelView = identity;
    Matrix* current = &modelView;
    const auto apply = [&](const Matrix& m) {
        Matrix product{};
        for (int i = 0; i < 16; ++i) {
            for (int k = 0; k < 4; ++k) {
                product[i] += (*current)[k * 4 + i % 4] * m[i / 4 * 4 + k];
            }
        }
        *current = product;
    };
    for (const Call& c : recorded) {
        const std::vector<double>& a = c.args;
        at(c, projection, modelView);
        if (c.name == "glMatrixMode") {
            current = a[0] == GL_PROJECTION ? &projection : &modelView;
        } else if (c.name == "glLoadIdentity") {
            *current = identity;
        } else if (c.name == "gluPerspective") {
            const double f = 1 / std::tan(a[0] * kPi / 360);
            apply({f / a[1], 0, 0, 0, 0, f, 0, 0, 0, 0, (a[3] + a[2]) / (a[2] - a[3]), -1, 0, 0,
                   2 * a[3] * a[2] / (a[2] - a[3]), 0});
        } else if (c.name == "glScalef") {
            apply({a[0], 0, 0, 0, 0, a[1], 0, 0, 0, 0, a[2], 0, 0, 0, 0, 1});
        } else if (c.name == "glTranslatef") {
            apply({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, a[0], a[1], a[2], 1});
        } else if (c.name == "glRotatef") {
            const double n = std::hypot(a[1], a[2], a[3]);
            const double x = a[1] / n;
            const double y = a[2] / n;
            const double z = a[3] / n;
            const double co = std::cos(a[0] * kPi / 180);
            const double si = std::sin(a[0] * kPi / 180);
            const double c1 = 1 - co;
            apply({x * x * c1 + co, y * x * c1 + z * si, x * z * c1 - y * si, 0,
                   x * y * c1 - z * si, y * y * c1 + co, y * z * c1 + x * si, 0,
                   x * z * c1 + y * si, y * z * c1 - x * si, z * z * c1 + co, 0, 0, 0, 0, 1});
        }
    }
}

}  // namespace

std::vector<Point> verticesInClipSpace() {
    std::vector<Point> vertices;
    replayMatrices([&](const Call& c, const Matrix& projection, const Matrix& modelView) {
        if (c.name == "glVertex2f") {
            vertices.push_back(times(projection, times(modelView, {c.args[0], c.args[1], 0, 1})));
        }
    });
    return vertices;
}

std::vector<Point> eyePointsAt(const std::string& name, double x, double y, double z) {
    std::vector<Point> points;
    replayMatrices([&](const Call& c, const Matrix&, const Matrix& modelView) {
        if (c.name == name) {
            points.push_back(times(modelView, {x, y, z, 1}));
        }
    });
    return points;
}

}  // namespace fakegl

using fakegl::record;

// The stroke font's address stands for the font, as in freeglut.
void* glutStrokeRoman = nullptr;

extern "C" {

void glEnable(GLenum cap) {
    record("glEnable", {double(cap)});
}
void glDisable(GLenum cap) {
    record("glDisable", {double(cap)});
}
void glBlendFunc(GLenum s, GLenum d) {
    record("glBlendFunc", {double(s), double(d)});
}
void glColorMaterial(GLenum face, GLenum mode) {
    record("glColorMaterial", {double(face), double(mode)});
}
void glLightfv(GLenum light, GLenum pname, const GLfloat* p) {
    record("glLightfv", {double(light), double(pname), p[0], p[1], p[2], p[3]});
}
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    record("glClearColor", {r, g, b, a});
}
void glClear(GLbitfield mask) {
    record("glClear", {double(mask)});
}
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
    record("glViewport", {double(x), double(y), double(w), double(h)});
}
void glMatrixMode(GLenum mode) {
    record("glMatrixMode", {double(mode)});
}
void glLoadIdentity() {
    record("glLoadIdentity", {});
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    record("glTranslatef", {x, y, z});
}
void glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) {
    record("glRotatef", {a, x, y, z});
}
void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    record("glScalef", {x, y, z});
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    record("glColor3f", {r, g, b});
}
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    record("glColor4f", {r, g, b, a});
}
void glLineWidth(GLfloat w) {
    record("glLineWidth", {w});
}
void glPointSize(GLfloat s) {
    record("glPointSize", {s});
}
void glBegin(GLenum mode) {
    record("glBegin", {double(mode)});
}
void glEnd() {
    record("glEnd", {});
}
void glVertex2f(GLfloat x, GLfloat y) {
    record("glVertex2f", {x, y});
}
GLuint glGenLists(GLsizei range) {
    static GLuint next = 1;
    record("glGenLists", {double(range)});
    const GLuint first = next;
    next += static_cast<GLuint>(range);
    return first;
}
void glNewList(GLuint list, GLenum mode) {
    record("glNewList", {double(list), double(mode)});
}
void glEndList() {
    record("glEndList", {});
}
void glCallList(GLuint list) {
    record("glCallList", {double(list)});
}
void glDeleteLists(GLuint list, GLsizei range) {
    record("glDeleteLists", {double(list), double(range)});
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    record("gluPerspective", {fovy, aspect, zNear, zFar});
}

void glutInit(int*, char**) {
    record("glutInit", {});
}
void glutSetOption(GLenum what, int value) {
    record("glutSetOption", {double(what), double(value)});
}
void glutSetKeyRepeat(int mode) {
    record("glutSetKeyRepeat", {double(mode)});
}
void glutInitDisplayMode(unsigned int mode) {
    record("glutInitDisplayMode", {double(mode)});
}
void glutInitWindowSize(int w, int h) {
    record("glutInitWindowSize", {double(w), double(h)});
}
void glutInitWindowPosition(int x, int y) {
    record("glutInitWindowPosition", {double(x), double(y)});
}
void glutGameModeString(const char* mode) {
    record("glutGameModeString", {}, mode);
}
int glutEnterGameMode() {
    record("glutEnterGameMode", {});
    fakegl::gameModeEntered = fakegl::gameModeGranted;
    return fakegl::gameModeGranted ? 1 : 0;
}
void glutLeaveGameMode() {
    record("glutLeaveGameMode", {});
    fakegl::gameModeEntered = false;
}
void glutInitErrorFunc(void (*)(const char*, va_list)) {
    record("glutInitErrorFunc", {});
}
int glutGameModeGet(GLenum query) {
    record("glutGameModeGet", {double(query)});
    if (query == GLUT_GAME_MODE_POSSIBLE) {
        return fakegl::gameModeGranted ? 1 : 0;
    }
    return query == GLUT_GAME_MODE_ACTIVE ? (fakegl::gameModeEntered ? 1 : 0) : 0;
}
void glutSetWindowTitle(const char* title) {
    record("glutSetWindowTitle", {}, title);
}
int glutCreateWindow(const char* title) {
    record("glutCreateWindow", {}, title);
    return 1;
}
void glutFullScreen() {
    record("glutFullScreen", {});
}
void glutSetCursor(int cursor) {
    record("glutSetCursor", {double(cursor)});
}
void glutDisplayFunc(void (*)()) {
    record("glutDisplayFunc", {});
}
void glutIdleFunc(void (*idle)()) {
    record("glutIdleFunc", {});
    fakegl::idle = idle;
}
void glutTimerFunc(unsigned int ms, void (*callback)(int), int value) {
    record("glutTimerFunc", {double(ms)});
    fakegl::timers.emplace_back(callback, value);
}
void glutKeyboardFunc(void (*)(unsigned char, int, int)) {
    record("glutKeyboardFunc", {});
}
void glutKeyboardUpFunc(void (*)(unsigned char, int, int)) {
    record("glutKeyboardUpFunc", {});
}
void glutReshapeFunc(void (*)(int, int)) {
    record("glutReshapeFunc", {});
}
void glutMainLoop() {
    record("glutMainLoop", {});
}
int glutGet(GLenum query) {
    if (query == GLUT_INIT_STATE) {
        return 1;
    }
    return query == GLUT_ELAPSED_TIME ? fakegl::elapsedTime() : 0;
}
void glutSwapBuffers() {
    record("glutSwapBuffers", {});
    if (fakegl::swapAdvance > 0) {
        fakegl::advanceClock(fakegl::swapAdvance);
    }
}
void glutStrokeCharacter(void* font, int character) {
    record("glutStrokeCharacter", {font == GLUT_STROKE_ROMAN ? 0.0 : -1.0, double(character)});
}
int glutStrokeLength(void*, const unsigned char* text) {
    return static_cast<int>(std::strlen(reinterpret_cast<const char*>(text))) *
           fakegl::kStrokeWidth;
}
void glutSolidSphere(GLdouble radius, GLint slices, GLint stacks) {
    record("glutSolidSphere", {radius, double(slices), double(stacks)});
}

}  // extern "C"
