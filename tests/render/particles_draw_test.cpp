// How a burst is drawn.
#include <gtest/gtest.h>

#include "fake_gl.h"
#include "game/particles.h"
#include "game_test.h"
#include "render/gl.h"
#include "render/particles_draw.h"

TEST_F(GameTest, TheFirstDrawIsFullSizeAndOpaqueOnTheBerrysSphere) {
    const ParticleEmitter emitter(12.0, 7.0);
    drawBurst(emitter);
    const auto calls = fakegl::callStrings();
    ASSERT_EQ(calls.size(), 5u + 200u + 2u);
    EXPECT_EQ(calls[0], (fakegl::Call{"glDisable", {GL_LIGHTING}, {}}.str()));
    EXPECT_EQ(calls[1], "glLoadIdentity()");
    EXPECT_EQ(calls[2], "glTranslatef(1,1,-15)");
    EXPECT_EQ(calls[3], "glPointSize(25)");
    EXPECT_EQ(calls[5], "glColor4f(0.9,0.9,0.1,1)");
    // (x - 2 - 10) * 10 / 20 plus the (1, 1) translation is the cell's sphere centre.
    const auto vertex = fakegl::callsNamed("glVertex2f").at(0).args;
    EXPECT_FLOAT_EQ(vertex[0] + 1, (12.0 - 10) * 10 / 20);
    EXPECT_FLOAT_EQ(vertex[1] + 1, (7.0 - 10) * 10 / 20);
    EXPECT_EQ(calls.back(), (fakegl::Call{"glEnable", {GL_LIGHTING}, {}}.str()));
}

TEST_F(GameTest, SizeAndOpacityFollowTheLifeLeft) {
    ParticleEmitter emitter(12.0, 7.0);
    emitter.age(400);
    drawBurst(emitter);
    EXPECT_FLOAT_EQ(fakegl::callsNamed("glPointSize").at(0).args[0], 5.0f);
    EXPECT_FLOAT_EQ(fakegl::callsNamed("glColor4f").at(99).args[3], 0.2f);
}
