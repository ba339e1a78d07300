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

TEST(Pace, AFrameLongerThanAStepStepsOnceAndCarriesNothing) {
    int32_t timer = 39;
    EXPECT_TRUE(gatherStepTime(timer, 1000, 4));
    EXPECT_EQ(timer, 0);
    EXPECT_FALSE(gatherStepTime(timer, 16, 4));
}

TEST(Pace, TimeLeftFromASlowerGameCountsAsAtMostOneStep) {
    int32_t timer = 153;  // gathered on difficulty 1
    EXPECT_TRUE(gatherStepTime(timer, 16, 4));
    EXPECT_EQ(timer, 16);
    EXPECT_FALSE(gatherStepTime(timer, 16, 4)) << "no second step on the next frame";
}
