// Stroke text, spheres on board cells and the swinging background, call by call.
#include <gtest/gtest.h>

#include <cmath>

#include "fake_gl.h"
#include "game_test.h"
#include "render/gl.h"
#include "render/scene.h"
#include "render/text.h"

TEST_F(GameTest, DrawTextPlacesScalesAndStrokesEachCharacter) {
    drawText("Hi\xE9", -3.0, 1.2, 0.006);
    EXPECT_EQ(fakegl::callStrings(),
              (std::vector<std::string>{
                  "glLoadIdentity()", "glColor3f(1,1,0)", "glTranslatef(-3,1.2,-10)",
                  "glScalef(0.006,0.006,0.006)", "glLineWidth(1)", "glutStrokeCharacter(0,72)",
                  "glutStrokeCharacter(0,105)", "glutStrokeCharacter(0,233)"}));
}

TEST_F(GameTest, DrawTextOfNothingStillSetsItsState) {
    drawText("", 1.0, 2.0, 0.002);
    EXPECT_EQ(
        fakegl::callStrings(),
        (std::vector<std::string>{"glLoadIdentity()", "glColor3f(1,1,0)", "glTranslatef(1,2,-10)",
                                  "glScalef(0.002,0.002,0.002)", "glLineWidth(1)"}));
}

TEST_F(GameTest, SpheresSitOnTheirCellsAtHalfAUnitPerCell) {
    drawSphere(10, 10, SphereKind::Berry, 0.0, 0.1, 0.2, 0.3);
    drawSphere(1, 20, SphereKind::Head, 33.0, 0.1, 0.2, 0.3);
    EXPECT_EQ(fakegl::callStrings(),
              (std::vector<std::string>{"glLoadIdentity()", "glTranslatef(0,0,-15)",
                                        "glRotatef(0,0,0,-1)", "glColor3f(0.1,0.2,0.3)",
                                        "glutSolidSphere(0.25,5,5)", "glLoadIdentity()",
                                        "glTranslatef(-4.5,5,-15)", "glRotatef(33,0,0,-1)",
                                        "glColor3f(0.1,0.2,0.3)", "glutSolidSphere(0.35,10,10)"}));
}

TEST_F(GameTest, TheBackgroundIsSixtyOneLinesSwingingWithTime) {
    for (const int32_t time : {0, 1000}) {
        fakegl::reset();
        game.elapsedTime = time;
        drawBackground(game.elapsedTime);
        const auto calls = fakegl::callStrings();
        EXPECT_EQ(calls.at(0), (fakegl::Call{"glDisable", {GL_LIGHTING}, {}}.str()));
        EXPECT_EQ(calls.at(2), "glTranslatef(1,1,-50)");
        EXPECT_EQ(calls.at(3), "glColor4f(0.9,0.9,0.1,0.15)");
        const auto rotate = fakegl::callsNamed("glRotatef").at(0).args;
        EXPECT_FLOAT_EQ(rotate[0], static_cast<float>(90 * std::sin(time / 500.0)));
        EXPECT_EQ(std::vector<double>(rotate.begin() + 1, rotate.end()),
                  (std::vector<double>{0, -1, -1}));
        EXPECT_EQ(fakegl::callsNamed("glBegin").at(0).args[0], GL_LINES);
        const auto vertices = fakegl::callsNamed("glVertex2f");
        ASSERT_EQ(vertices.size(), 122u);
        EXPECT_EQ(vertices.front().str(), "glVertex2f(-60,0)");
        EXPECT_EQ(vertices.at(1).str(), "glVertex2f(0,60)");
        EXPECT_EQ(vertices.back().str(), "glVertex2f(60,0)");
        EXPECT_EQ(calls.back(), (fakegl::Call{"glEnable", {GL_LIGHTING}, {}}.str()));
    }
    EXPECT_FLOAT_EQ(fakegl::callsNamed("glRotatef").at(0).args[0], 81.8368f);
}
