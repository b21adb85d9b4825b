// The progress bar, read by pixel samples at its midline: level colours, stacked segments, blocks, the centre
// text, the endless animation and the standing bar.
#include "AdvProgressBar.h"
#include "../foundation/FoundationTestSupport.h"
#include "ExtraTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

namespace {

const QColor green(0, 255, 0), yellow(255, 255, 0), orange(255, 169, 83), red(255, 0, 0), white(255, 255, 255);

// The bar as drawn, on a transparent picture of its size.
QImage drawn(const TAdvProgressBar& bar)
{
    QImage image(bar.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    TCanvas canvas(&image);
    DrawGauge(canvas, Rect(0, 0, bar.width(), bar.height()), bar.GaugeSettings());
    return image;
}

// The colour at x on the midline of a lying bar, where each gradient half meets its level's own colour.
QColor midline(const TAdvProgressBar& bar, int x)
{
    return drawn(bar).pixelColor(x, bar.height() / 2);
}

} // namespace

TEST(TAdvProgressBarTest, defaults)
{
    TAdvProgressBar bar;
    EXPECT_EQ(bar.size(), QSize(128, 18));
    EXPECT_EQ(bar.GetVersion(), "1.2.0.0");
    EXPECT_EQ(bar.GetPosition(), 50);
    EXPECT_EQ(bar.GetMax(), 100);
    EXPECT_EQ(bar.GetSteps(), 8);
    EXPECT_EQ(bar.GetFont().Name, "Verdana");
    EXPECT_EQ(bar.GetFont().GetSize(), 10);
    EXPECT_TRUE(bar.GetRounded());
    EXPECT_EQ(bar.GetLevel0BkColor(), clNone);
    EXPECT_EQ(GaugeText(bar.GaugeSettings()), "50%");
}

TEST(TAdvProgressBarTest, theFillTakesTheColourOfTheLevelReached)
{
    const std::pair<int, QColor> cases[] = {{69, green},  {70, yellow}, {89, yellow},
                                            {90, orange}, {99, orange}, {100, red}};
    for (const auto& [position, color] : cases) {
        TAdvProgressBar bar;
        bar.SetPosition(position);
        EXPECT_EQ(midline(bar, 4), color) << position;
        bar.SetCompletionSmooth(true);
        EXPECT_EQ(midline(bar, 4), color) << position << " smooth";
    }
}

TEST(TAdvProgressBarTest, stackedSegmentsShowEachLevelAsFarAsItIsReached)
{
    TAdvProgressBar bar;
    bar.SetStacked(true);
    bar.SetPosition(95);
    // S = 126: green to round(0.70 S) = 88, yellow for round(0.20 S) = 25, orange for round(0.05 S) = 6.
    const std::pair<int, QColor> samples[] = {{2, green},    {87, green},   {88, yellow}, {112, yellow},
                                              {113, orange}, {118, orange}, {119, white}};
    for (const auto& [x, color] : samples)
        EXPECT_EQ(midline(bar, x), color) << x;

    // A second threshold below the first acts as the first: no segment runs backwards over the green one.
    bar.SetShowPosition(false);
    bar.SetPosition(80);
    bar.SetLevel2Perc(50);
    EXPECT_EQ(midline(bar, 70), green);
    EXPECT_EQ(midline(bar, 88), orange);
    EXPECT_EQ(midline(bar, 101), white);
}

TEST(TAdvProgressBarTest, blocksAreSevenPixelsAtANinePixelPitch)
{
    TAdvProgressBar bar;
    bar.SetShowPosition(false);
    bar.SetPosition(5); // H = 6: one rectangle
    for (int x = 2; x < 7; ++x)
        EXPECT_EQ(midline(bar, x), green) << x;
    EXPECT_EQ(midline(bar, 7), white);

    bar.SetPosition(50); // H = 63: seven whole blocks
    for (int start = 2; start <= 56; start += 9) {
        EXPECT_EQ(midline(bar, start), green) << start;
        EXPECT_EQ(midline(bar, start + 6), green) << start;
        EXPECT_EQ(midline(bar, start + 7), white) << start;
    }
    EXPECT_EQ(midline(bar, 65), white);

    bar.SetPosition(55); // H = 69: seven blocks and a partial one of 6 pixels from 65 to 70
    EXPECT_EQ(midline(bar, 65), green);
    EXPECT_EQ(midline(bar, 69), green);
    EXPECT_EQ(midline(bar, 70), white);
}

TEST(TAdvProgressBarTest, positionPercentageAndTheCentreText)
{
    TAdvProgressBar bar;
    bar.SetPosition(150);
    EXPECT_EQ(bar.GetPosition(), 100);
    EXPECT_EQ(midline(bar, 4), red);
    bar.SetPosition(-5);
    EXPECT_EQ(bar.GetPosition(), 0);
    EXPECT_EQ(midline(bar, 4), white);

    struct Case
    {
        int min, max, position;
        const char* format;
        bool showPercentage;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, 0, "", true, "0%"},
        {50, 150, 100, "", true, "50%"},
        {0, 200, 101, "", true, "50%"}, // 50.5 % rounds to the even 50
        {0, 200, 103, "", true, "52%"},
        {0, 100, 37, "", false, "37"},
        {0, 100, 50, "%d z %d", true, "50 z 100"},
        {0, 100, 50, "%s %s %s", true, "50 100 "},
        {0, 100, 50, "100%%", true, "100%"},
    };
    for (const Case& c : cases) {
        TAdvProgressBar bar;
        bar.SetMin(c.min);
        bar.SetMax(c.max);
        bar.SetPosition(c.position);
        bar.SetFormat(c.format);
        bar.SetShowPercentage(c.showPercentage);
        EXPECT_EQ(GaugeText(bar.GaugeSettings()), c.text) << c.format << " " << c.position;
        drawn(bar);
    }

    TAdvProgressBar empty;
    empty.SetMax(0);
    EXPECT_EQ(midline(empty, 4), white);
}

// A bound set after the position takes the position along, so the bar never shows more than full.
TEST(TAdvProgressBarTest, newBoundsKeepThePositionWithinThem)
{
    struct Case
    {
        int min, max;
        int position;
        const char* text;
    };
    const Case cases[] = {
        {0, 10, 10, "100%"},
        {80, 100, 80, "0%"},
        {-20, 40, 40, "100%"},
        {0, 100, 50, "50%"},
    };
    for (const Case& c : cases) {
        TAdvProgressBar bar;
        ASSERT_EQ(bar.GetPosition(), 50);
        bar.SetMin(c.min);
        bar.SetMax(c.max);
        EXPECT_EQ(bar.GetPosition(), c.position) << c.min << ".." << c.max;
        EXPECT_EQ(GaugeText(bar.GaugeSettings()), QString::fromUtf8(c.text)) << c.min << ".." << c.max;
    }
    TAdvProgressBar bar;
    bar.SetMax(10);
    const QImage image = drawn(bar);
    EXPECT_EQ(image.pixelColor(bar.width() - 1, bar.height() / 2), image.pixelColor(0, bar.height() / 2))
        << "the fill stays inside the frame";
}

TEST(TAdvProgressBarTest, stepsBelowOneActAsOne)
{
    TAdvProgressBar one;
    one.SetSteps(1);
    const QImage reference = drawn(one);
    for (int steps : {0, -3}) {
        TAdvProgressBar bar;
        bar.SetSteps(steps);
        EXPECT_EQ(drawn(bar), reference) << steps;
    }
    TAdvProgressBar banded;
    EXPECT_NE(drawn(banded), reference);
}

TEST(TAdvProgressBarTest, theEndlessWindowMovesFourPercentAndTurnsAtBothEnds)
{
    TAdvProgressBar bar;
    bar.SetInfinite(true);
    auto* timer = bar.findChild<QTimer*>();
    ASSERT_TRUE(timer);
    EXPECT_FALSE(timer->isActive());
    bar.SetAnimated(true);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 50);
    bar.SetInfiniteInterval(0);
    EXPECT_EQ(timer->interval(), 1);

    std::vector<int> positions;
    for (int i = 0; i < 55; ++i) {
        bar.TimerProc();
        positions.push_back(bar.GetInfinitePosition());
    }
    EXPECT_EQ(positions[0], 0); // the first tick turns upward
    EXPECT_EQ(positions[1], 4);
    EXPECT_EQ(positions[25], 100);
    EXPECT_EQ(positions[26], 96);
    EXPECT_EQ(positions[50], 0);
    EXPECT_EQ(positions[51], 4);

    // At 52 % the window lies from round(0.52 x 124) - 10 = 54 to 64 + 12 = 76 (excluded), in level-0 colour.
    bar.SetShowPosition(false);
    bar.SetCompletionSmooth(true);
    while (bar.GetInfinitePosition() != 52)
        bar.TimerProc();
    const int at = 64;
    EXPECT_EQ(midline(bar, at - 11), white);
    EXPECT_EQ(midline(bar, at - 10), green);
    EXPECT_EQ(midline(bar, at + 11), green);
    EXPECT_EQ(midline(bar, at + 12), white);

    bar.SetAnimated(false);
    EXPECT_FALSE(timer->isActive());
}

TEST(TAdvProgressBarTest, aStandingBarFillsUpwardAndReadsItsTextUpward)
{
    TAdvProgressBar bar;
    bar.resize(18, 128);
    bar.SetOrientation(goVertical);
    bar.SetShowGradient(false);
    bar.SetCompletionSmooth(true);
    bar.SetPosition(50);
    bar.SetFormat("12345");
    const QImage image = drawn(bar);
    EXPECT_EQ(image.pixelColor(4, 120), green);
    EXPECT_EQ(image.pixelColor(4, 10), white);
    const QRect text = extentOf(image, QColor(Qt::black));
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GT(text.height(), 2 * text.width());

    bar.SetOrientation(goHorizontal);
    bar.resize(128, 18);
    const QRect lying = extentOf(drawn(bar), QColor(Qt::black));
    EXPECT_GT(lying.width(), 2 * lying.height());
}

TEST(TAdvProgressBarTest, roundedCornersAreTransparentAndMagentaStaysVisible)
{
    TAdvProgressBar bar;
    bar.SetShowPosition(false);
    bar.SetShowGradient(false);
    bar.SetPosition(100);
    bar.SetLevel3Color(RGB(255, 0, 255));
    QImage image = drawn(bar);
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(image.pixelColor(127, 17).alpha(), 0);
    EXPECT_EQ(image.pixelColor(64, 0), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(4, 9), QColor(255, 0, 255));

    bar.SetRounded(false);
    image = drawn(bar);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(128, 128, 128));
}

TEST(TAdvProgressBarTest, levelBackgroundsColourTheEmptyBar)
{
    TAdvProgressBar bar;
    bar.SetShowPosition(false);
    bar.SetPosition(0);
    bar.SetLevel1BkColor(RGB(0, 0, 255));
    // Zones of S = 126: to 88, 25 pixels to 113, the rest to 126.
    EXPECT_EQ(midline(bar, 87), white);
    EXPECT_EQ(midline(bar, 88), QColor(0, 0, 255));
    EXPECT_EQ(midline(bar, 112), QColor(0, 0, 255));
    EXPECT_EQ(midline(bar, 113), white);
}

TEST(TAdvProgressBarTest, settingThePositionPaintsAboutOncePerPercent)
{
    QWidget window;
    auto* bar = new TAdvProgressBar(&window);
    bar->SetMax(1000); // ten positions per percent
    window.show();
    QApplication::processEvents();
    PaintCounter counter(bar);
    bar->SetPosition(3);
    bar->SetPosition(9);
    EXPECT_EQ(counter.paints, 0);
    bar->SetPosition(10);
    EXPECT_EQ(counter.paints, 1);
    bar->SetPosition(27);
    EXPECT_EQ(counter.paints, 2);
    bar->SetPosition(28);
    EXPECT_EQ(counter.paints, 2);
}
