// Stroke text, spheres on board cells and the swinging background, call by call.
#include <gtest/gtest.h>

#include "fake_gl.h"
#include "game_test.h"
#include "render/gl.h"
#include "render/scene.h"
#include "render/text.h"

// Text stands where it is asked, ten units in front of the eye, at the size asked, whatever
// was drawn before it; every byte is a stroke character (one above 127 too), in the text's
// yellow. Text of nothing strokes nothing, yet leaves the text's colour and width in force.
TEST_F(GameTest, TextIsStrokedWhereAndAsLargeAsAsked) {
    drawSphere(10, 10, SphereKind::Berry, 30.0, 0.1, 0.2, 0.3);
    drawText("Hi\xE9", -3.0, 1.2, 0.006);
    EXPECT_EQ(fakegl::strokeTexts(), std::vector<std::string>{"Hi\xE9"});
    const fakegl::Point origin = fakegl::eyePointsAt("glutStrokeCharacter", 0, 0, 0).at(0);
    const fakegl::Point unit = fakegl::eyePointsAt("glutStrokeCharacter", 1, 1, 1).at(0);
    const double expected[] = {-3.0, 1.2, -10.0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(origin[i], expected[i], 1e-6) << "axis " << i;
        EXPECT_NEAR(unit[i] - origin[i], 0.006, 1e-9) << "axis " << i;
    }
    for (const char* name : {"glColor3f", "glLineWidth"}) {
        const std::vector<double> before = fakegl::callsNamed(name).back().args;
        fakegl::reset();
        drawText("", 1.0, 2.0, 0.002);
        EXPECT_TRUE(fakegl::strokeTexts().empty());
        EXPECT_EQ(fakegl::callsNamed(name).back().args, before) << name;
    }
    EXPECT_EQ(fakegl::callsNamed("glColor3f").back().args, (std::vector<double>{1, 1, 0}));
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
