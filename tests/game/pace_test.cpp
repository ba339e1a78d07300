// The step timer's rule on its own: when a step falls due, what is carried, and what is not.
#include <gtest/gtest.h>

#include "game/pace.h"

TEST(Pace, EachDifficultyStepsOnlyOnceItsThresholdIsPassed) {
    for (int32_t difficulty = 1; difficulty <= 4; ++difficulty) {
        const int32_t threshold = stepThreshold(difficulty);
        int32_t timer = 0;
        EXPECT_FALSE(gatherStepTime(timer, threshold, difficulty)) << "equal is not past";
        EXPECT_TRUE(gatherStepTime(timer, 1, difficulty));
        EXPECT_EQ(timer, 1) << "the step's lateness is carried";
    }
    EXPECT_EQ(stepThreshold(1), 160);
    EXPECT_EQ(stepThreshold(4), 40);
}

TEST(Pace, AStallStepsOnceAndCarriesNothing) {
    int32_t timer = 39;
    EXPECT_TRUE(gatherStepTime(timer, 81, 4));
    EXPECT_EQ(timer, 0);
    EXPECT_FALSE(gatherStepTime(timer, 16, 4));
}

// Frames of 45 and 30 ms at difficulty 4, as a slow renderer draws them: one step a frame at
// most, and within 3% of the 187 steps that 7500 ms hold, the lateness of long frames carried.
TEST(Pace, FramesALittleLongerThanAStepKeepThePace) {
    int32_t timer = 0;
    int steps = 0;
    for (int frame = 0; frame < 200; ++frame) {
        steps += gatherStepTime(timer, frame % 2 == 0 ? 45 : 30, 4) ? 1 : 0;
    }
    EXPECT_GE(steps, 182);
}

TEST(Pace, TimeLeftFromASlowerGameCountsAsAtMostOneStep) {
    int32_t timer = 153;  // gathered on difficulty 1
    EXPECT_TRUE(gatherStepTime(timer, 16, 4));
    EXPECT_EQ(timer, 16);
    EXPECT_FALSE(gatherStepTime(timer, 16, 4)) << "no second step on the next frame";
}
