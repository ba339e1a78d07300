// Stroke text, spheres on board cells and the swinging background, call by call.
#include <gtest/gtest.h>

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
