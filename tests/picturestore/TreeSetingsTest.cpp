#include "TreeSetings.h"

#include <gtest/gtest.h>

TEST(TreeSetingsTest, framesTakeTheColoursBySexAndFillStartsAtTheBorderColour)
{
    const KV_TreeSetings settings;
    const TColor colors[3] = {0xC4C4FF, 0xFFDBB7, 0xE6E6E6};
    for (int i = 0; i < 3; ++i) {
        const KV_FrameStyle& frame = settings.Frames[i];
        EXPECT_EQ(frame.fill, 3) << i;
        EXPECT_EQ(frame.border, 1) << i;
        EXPECT_EQ(frame.border_color, colors[i]) << i;
        EXPECT_EQ(frame.fill_color_from, frame.border_color) << i;
        EXPECT_EQ(frame.fill_color_to, 0xFFFFFFu) << i;
    }
}

TEST(TreeSetingsTest, restoringDefaultFramesUndoesChanges)
{
    KV_TreeSetings settings;
    settings.Frames[1] = {0, 0, 1, 2, 3};
    settings.SetDefaultFrames();
    EXPECT_EQ(settings.Frames[1].fill, 3);
    EXPECT_EQ(settings.Frames[1].fill_color_from, 0xFFDBB7u);
    EXPECT_EQ(settings.Frames[1].fill_color_to, 0xFFFFFFu);
}
