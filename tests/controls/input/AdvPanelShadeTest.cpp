// The caption bar's shade pictures: the exact rows and columns of the shades, the mirrored kinds, the radial light,
// the random kinds within their bounds, and bars too small to round.
#include "AdvPanelShade.h"
#include "AdvPanel.h"
#include "Random.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

namespace {

constexpr int W = 100;
constexpr int H = 20;

// The grey level of a white shade at lightness l.
int level(const QImage& image, int x, int y)
{
    const QRgb c = image.pixel(x, y);
    EXPECT_EQ(qRed(c), qGreen(c));
    EXPECT_EQ(qGreen(c), qBlue(c));
    return qBlue(c);
}

// Fixes the random seed for the length of a test.
struct FixedSeed
{
    explicit FixedSeed(quint32 seed) { RandomNumbers::SetFixedSeed(seed); }
    ~FixedSeed() { RandomNumbers::SetFixedSeed(std::nullopt); }
};

} // namespace

TEST(AdvPanelShadeTest, shadesDarkenRowsAndColumnsByTheirSteps)
{
    const QImage v = RenderShade(stVShade, clWhite, 255, 32, W, H);
    const QImage vInv = RenderShade(stVShadeInv, clWhite, 255, 32, W, H);
    ASSERT_EQ(v.size(), QSize(W, H));
    for (int y = 0; y < H; ++y) {
        const int expected = 255 - (239 * y / H + 8) / 4;
        EXPECT_EQ(level(v, 0, y), expected) << y;
        EXPECT_EQ(level(v, W - 1, y), expected) << y;
        EXPECT_EQ(level(vInv, W / 2, y), 255 - (239 * (H - y) / H + 8) / 4) << y;
        EXPECT_GE(expected, 255 - 61);
    }

    const QImage h = RenderShade(stHShade, clWhite, 255, 32, W, H);
    const QImage hInv = RenderShade(stHShadeInv, clWhite, 255, 32, W, H);
    for (int x = 0; x < W; ++x) {
        const int expected = 255 - ((W - x) * 239 / W + 8) / 2;
        EXPECT_EQ(level(h, x, 0), expected) << x;
        EXPECT_EQ(level(h, x, H - 1), expected) << x;
        EXPECT_EQ(level(hInv, x, H / 2), 255 - (x * 239 / W + 8) / 2) << x;
    }
    EXPECT_EQ(level(h, 0, 0), 255 - 123);
}

TEST(AdvPanelShadeTest, shadesScaleEveryChannelOfTheColour)
{
    const TColor colour = RGB(0x99, 0x66, 0x33);
    const QImage v = RenderShade(stVShade, colour, 230, 32, W, H);
    for (int y = 0; y < H; ++y) {
        const int l = 230 - (239 * y / H + 8) / 4;
        EXPECT_EQ(v.pixel(3, y), qRgb(0x99 * l / 255, 0x66 * l / 255, 0x33 * l / 255)) << y;
    }
    const QImage plain = RenderShade(stNormal, colour, 230, 32, W, H);
    EXPECT_EQ(plain.pixel(W / 2, H / 2), qRgb(0x99, 0x66, 0x33));
}

TEST(AdvPanelShadeTest, radialLightIsBrightestOrDarkestInTheCentre)
{
    const QImage inner = RenderShade(stIRadial, clWhite, 255, 32, W, H);
    const QImage outer = RenderShade(stORadial, clWhite, 255, 32, W, H);
    EXPECT_EQ(level(inner, W / 2, H / 2), 255);
    EXPECT_EQ(level(outer, W / 2, H / 2), 0);
    for (const QPoint corner : {QPoint(0, 0), QPoint(W - 1, 0), QPoint(0, H - 1), QPoint(W - 1, H - 1)}) {
        EXPECT_LT(level(inner, corner.x(), corner.y()), level(inner, W / 2, H / 2));
        EXPECT_GT(level(outer, corner.x(), corner.y()), level(outer, W / 2, H / 2));
        EXPECT_LT(level(inner, corner.x(), corner.y()), level(inner, W / 4, H / 2));
    }
}

TEST(AdvPanelShadeTest, randomKindsStayInTheirBoundsAndRepeatOnlyWithOneSeed)
{
    struct Case
    {
        TShadeType type;
        int lightest;
        int darkest;
    };
    // Noise: 255 - (grain - 1 + 128) / 2 ... 255 - 64; metal: streaks at most 39 darker, then up to 120 + 120
    // darker to the bottom-right, halved.
    const Case cases[] = {
        {stNoise, 255 - 64, 255 - (32 - 1 + 128) / 2},
        {stLMetal, 255, 255 - (39 + 120 + 120) / 2},
        {stRMetal, 255, 255 - (39 + 120 + 120) / 2},
    };
    for (const Case& c : cases) {
        const QImage first = RenderShade(c.type, clWhite, 255, 32, W, H);
        const QImage second = RenderShade(c.type, clWhite, 255, 32, W, H);
        EXPECT_NE(first, second) << c.type;
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                const int l = level(first, x, y);
                ASSERT_LE(l, c.lightest) << c.type << " at " << x << "," << y;
                ASSERT_GE(l, c.darkest) << c.type << " at " << x << "," << y;
            }
        }
        FixedSeed seed(7);
        EXPECT_EQ(RenderShade(c.type, clWhite, 255, 32, W, H), RenderShade(c.type, clWhite, 255, 32, W, H)) << c.type;
    }
}

TEST(AdvPanelShadeTest, barsTooSmallToRoundGetOnlyTheirRows)
{
    for (const QSize size : {QSize(5, 20), QSize(100, 1), QSize(1, 1), QSize(3, 1)}) {
        const QImage image = RenderShade(stHardBump, clWhite, 255, 32, size.width(), size.height());
        ASSERT_EQ(image.size(), size);
        for (int x = 0; x < size.width(); ++x)
            EXPECT_EQ(level(image, x, 0), level(image, 0, 0)) << size.width() << "x" << size.height();
    }
    EXPECT_TRUE(RenderShade(stHardBump, clWhite, 255, 32, 0, 20).isNull());
    // A bar big enough has rounded ends, shaded along the bar rather than across it.
    const QImage rounded = RenderShade(stHardBump, clWhite, 255, 32, W, H);
    EXPECT_EQ(level(rounded, W - 1, H / 2), 255 - (1 * 128 / 16 + 8) / 2);
    EXPECT_EQ(level(rounded, 0, H / 2), 255 - 247 / 2);
}

TEST(AdvPanelShadeTest, shadeLightIsRaisedTo200AndShadesAt255AtMost)
{
    TPanelCaption caption;
    caption.SetShadeLight(150);
    EXPECT_EQ(caption.GetShadeLight(), 200);
    caption.SetShadeLight(300);
    EXPECT_EQ(caption.GetShadeLight(), 300);
    EXPECT_EQ(RenderShade(stVShade, clWhite, 300, 32, W, H), RenderShade(stVShade, clWhite, 255, 32, W, H));
}

TEST(AdvPanelShadeTest, panelRendersItsShadeOnShadeAndWidthChangesOnly)
{
    TAdvPanel panel;
    panel.resize(160, 90);
    panel.show();
    TPanelCaption& caption = panel.GetCaption();
    caption.SetVisible(true);
    caption.SetShadeType(stVShade);
    ASSERT_EQ(panel.GetShadeBitmap().size(), QSize(160, 20));
    const QImage before = panel.GetShadeBitmap();

    caption.SetHeight(30);
    EXPECT_EQ(panel.GetShadeBitmap(), before) << "a new height alone keeps the picture";
    caption.SetShadeLight(220);
    EXPECT_EQ(panel.GetShadeBitmap().size(), QSize(160, 30));
    panel.resize(200, 90);
    EXPECT_EQ(panel.GetShadeBitmap().width(), 200);

    caption.SetPosition(TPanelCaption::cpLeft);
    EXPECT_EQ(panel.GetShadeBitmap().size(), QSize(30, 90));
}
