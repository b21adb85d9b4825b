#include "ProgressBar.h"

#include <gtest/gtest.h>

TEST(ProgressBarTest, positionStaysWithinTheMaximum)
{
    struct Case
    {
        int max;
        int position;
        int shownPosition;
    };
    const Case cases[] = {{10, 4, 4}, {10, 12, 10}, {10, -3, 0}, {0, 5, 0}, {-2, 1, 0}};
    for (const Case& c : cases) {
        TProgressBar bar;
        bar.SetMax(c.max);
        bar.SetPosition(c.position);
        EXPECT_EQ(bar.GetPosition(), c.shownPosition) << c.max << " " << c.position;
        EXPECT_EQ(bar.value(), c.shownPosition) << c.max << " " << c.position;
    }
}

TEST(ProgressBarTest, anEmptyRangeDrawsAnEmptyBarNotTheBusyAnimation)
{
    TProgressBar bar;
    bar.SetPosition(0);
    bar.SetMax(0);
    EXPECT_EQ(bar.GetMax(), 0);
    // Qt animates a bar whose minimum and maximum are equal.
    EXPECT_LT(bar.minimum(), bar.maximum());
    EXPECT_EQ(bar.value(), bar.minimum());
    EXPECT_FALSE(bar.isTextVisible());
}

TEST(ProgressBarTest, aLowerMaximumTakesThePositionDown)
{
    TProgressBar bar;
    bar.SetMax(100);
    bar.SetPosition(80);
    bar.SetMax(50);
    EXPECT_EQ(bar.GetPosition(), 50);
    EXPECT_EQ(bar.value(), 50);
}
