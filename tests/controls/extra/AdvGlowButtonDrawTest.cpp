// The glow button's drawing: colour arithmetic, borders and corners, the drop-down part and arrow, disabled text,
// and the face routine's measures and glyph places in the eight layouts.
#include "AdvGlowButtonDraw.h"
#include "ExtraTestSupport.h"
#include "Fonts.h"
#include "GlowButtonTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <cmath>

namespace {

const QColor blue(0, 0, 255);
const TColor glyphColour = RGB(200, 30, 160);

// A face of one flat colour with a blue border, so that fills and lines can be told apart.
TGlowButtonFace flatFace(int width = 60, int height = 30)
{
    TGlowButtonFace f;
    f.ClientRect = Rect(0, 0, width, height);
    f.Look = {clWhite, clWhite, clWhite, clWhite, RGB(0, 0, 255), ggVertical, ggVertical};
    f.Font.Name = QStringLiteral("Tahoma");
    return f;
}

QImage drawnFace(const TGlowButtonFace& f)
{
    QImage image(f.ClientRect.Width(), f.ClientRect.Height(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    TCanvas canvas(&image);
    DrawGlowButtonFace(canvas, f);
    return image;
}

TPoint measured(TGlowButtonFace f)
{
    f.MeasureOnly = true;
    TCanvas canvas;
    return DrawGlowButtonFace(canvas, f);
}

// The text box that GDI+ text of the face's font gives, as Qt measures it.
QRectF textBox(const TGlowButtonFace& f, const QString& text, const QRectF& area, int alignment)
{
    Fonts::registerApplicationFonts();
    const TGPFontFamily family(f.Font.Name);
    const TGPFont font(&family, float(f.Font.GetSize()), FontStyleRegular, UnitPoint);
    return QFontMetricsF(font.ToQFont()).boundingRect(area, alignment | Qt::TextWordWrap | Qt::TextShowMnemonic, text);
}

// An image list of one 16 x 16 glyph in one colour.
TImageList* squareGlyph(QObject* owner)
{
    auto* list = new TImageList(16, 16, owner);
    QImage glyph(16, 16, QImage::Format_ARGB32);
    glyph.fill(ToQColor(glyphColour));
    list->Add(glyph);
    return list;
}

int roundEven(double v)
{
    return int(std::nearbyint(v));
}

} // namespace

TEST(GlowButtonColourTest, darkenAndBlend)
{
    struct Case
    {
        TColor color;
        int percent;
        TColor expected;
    };
    const Case darkened[] = {
        {0xC0C0C0, -5, 0xB6B6B6},
        {clWhite, -10, 0xE6E6E6},
        {clBlack, 20, 0x141414},
        {0x00FF80, 10, 0x0AFF80},
        {clBtnFace, 0, ColorToRGB(clBtnFace)},
    };
    for (const Case& c : darkened)
        EXPECT_EQ(DarkenColor(c.color, c.percent), c.expected) << std::hex << c.color << " " << std::dec << c.percent;
    EXPECT_EQ(DarkenColorRGB(0xF5F0E1, -10, -10, 0), 0xF5D8CAu);

    // The ends give the colours themselves, not resolved; in between halves go to the even neighbour.
    EXPECT_EQ(BlendColor(clBtnFace, clWhite, 100), clBtnFace);
    EXPECT_EQ(BlendColor(clWhite, clBtnFace, 0), clBtnFace);
    EXPECT_EQ(BlendColor(clWhite, clBtnFace, -5), clBtnFace);
    EXPECT_EQ(BlendColor(RGB(0, 0, 0), RGB(255, 101, 3), 50), RGB(128, 50, 2));
    EXPECT_EQ(BlendColor(RGB(200, 0, 0), RGB(100, 0, 0), 20), RGB(120, 0, 0));
}

TEST(GlowButtonFaceTest, bordersFollowThePlaceInARow)
{
    const QColor darker = ToQColor(DarkenColor(RGB(0, 0, 255), -5));
    const QColor separator = ToQColor(0xE6E6E6);
    const QColor face = Qt::white;
    const QColor open; // the open end of a row's border line: blended, not looked at
    // Stands for an antialiased square corner: mostly the border's colour.
    const QColor corner(0, 0, 254);
    struct Case
    {
        TButtonPosition position;
        bool rounded;
        QColor topLeft, topRight, leftMiddle, rightMiddle;
    };
    const Case cases[] = {
        {bpStandalone, true, face, face, blue, blue},    {bpStandalone, false, corner, corner, blue, blue},
        {bpLeft, true, face, open, blue, darker},        {bpLeft, false, corner, open, blue, darker},
        {bpRight, true, open, face, separator, blue},    {bpRight, false, open, corner, separator, blue},
        {bpMiddle, true, blue, open, separator, darker}, {bpMiddle, false, blue, open, separator, darker},
    };
    for (const Case& c : cases) {
        TGlowButtonFace f = flatFace();
        f.Position = c.position;
        f.Rounded = c.rounded;
        const QImage image = drawnFace(f);
        const std::string where = "position " + std::to_string(c.position) + " rounded " + std::to_string(c.rounded);
        const std::pair<QPoint, QColor> samples[] = {
            {{0, 0}, c.topLeft},       {{59, 0}, c.topRight}, {{0, 15}, c.leftMiddle},
            {{59, 15}, c.rightMiddle}, {{30, 0}, blue},       {{30, 29}, blue},
        };
        for (const auto& [point, colour] : samples) {
            const QColor drawn = image.pixelColor(point);
            if (colour == corner) {
                EXPECT_TRUE(drawn.blue() == 255 && drawn.red() < 100 && drawn.green() < 100)
                    << where << " at " << point.x() << "," << point.y();
            } else if (colour.isValid()) {
                EXPECT_EQ(drawn, colour) << where << " at " << point.x() << "," << point.y();
            }
        }
    }

    // A button that stands out among its row has a darker left edge instead of the light separator.
    TGlowButtonFace f = flatFace();
    f.Position = bpMiddle;
    f.MouseInControl = true;
    EXPECT_EQ(drawnFace(f).pixelColor(0, 15), darker);
}

TEST(GlowButtonFaceTest, focusFrameIsALightLineAndADottedOne)
{
    TGlowButtonFace f = flatFace();
    f.FocusFrame = true;
    const QImage image = drawnFace(f);
    EXPECT_EQ(image.pixelColor(1, 15), ToQColor(0xE4AD89));
    int grey = 0;
    int other = 0;
    for (int y = 6; y < 24; ++y)
        (image.pixelColor(2, y) == QColor(128, 128, 128) ? grey : other)++;
    EXPECT_GT(grey, 3);
    EXPECT_GT(other, 3);
}

TEST(GlowButtonFaceTest, dropDownPartSplitOrPlain)
{
    const QColor darkened = ToQColor(0xE6E6E6);
    struct Case
    {
        bool highlighted;
        bool split;
        TDropDownHoverPart hovered;
        QColor main, drop, separator;
    };
    const QColor white = Qt::white;
    const Case cases[] = {
        {false, true, dhNone, white, white, white},
        {true, false, dhMain, white, white, white},
        {true, true, dhMain, darkened, white, blue},
        {true, true, dhDropDown, white, darkened, blue},
    };
    for (const Case& c : cases) {
        TGlowButtonFace f = flatFace();
        f.DropDownButton = true;
        f.Highlighted = c.highlighted;
        f.DropDownSplit = c.split;
        f.DropDownHoverPart = c.hovered;
        const QImage image = drawnFace(f);
        const std::string where = std::to_string(c.highlighted) + std::to_string(c.split) + std::to_string(c.hovered);
        EXPECT_EQ(image.pixelColor(10, 4), c.main) << where;
        EXPECT_EQ(image.pixelColor(55, 4), c.drop) << where;
        EXPECT_EQ(image.pixelColor(47, 4), c.separator) << where;
    }
}

TEST(GlowButtonFaceTest, arrowPointsDownOrRightWithItsShadow)
{
    struct Case
    {
        bool down;
        std::vector<QPoint> arrow, shadow;
    };
    const Case cases[] = {
        {true,
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {1, 1}, {2, 1}, {3, 1}, {2, 2}},
         {{0, 1}, {4, 1}, {1, 2}, {3, 2}, {2, 3}}},
        {false,
         {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 1}, {1, 2}, {1, 3}, {2, 2}},
         {{1, 0}, {1, 4}, {2, 1}, {2, 3}, {3, 2}}},
    };
    for (const Case& c : cases) {
        QImage image(10, 10, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        {
            TCanvas canvas(&image);
            DrawDropArrow(canvas, 2, 3, clBlack, clRed, c.down);
        }
        int painted = 0;
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x)
                painted += image.pixelColor(x, y).alpha() != 0;
        }
        EXPECT_EQ(painted, int(c.arrow.size() + c.shadow.size())) << c.down;
        for (const QPoint p : c.arrow)
            EXPECT_EQ(image.pixelColor(p + QPoint(2, 3)), QColor(Qt::black)) << c.down << " " << p.x() << "," << p.y();
        for (const QPoint p : c.shadow)
            EXPECT_EQ(image.pixelColor(p + QPoint(2, 3)), QColor(Qt::red)) << c.down << " " << p.x() << "," << p.y();
    }
}

TEST(GlowButtonFaceTest, aDisabledFaceGreysCaptionAndArrowButNotTheNotes)
{
    for (const TAntiAlias antiAlias : {aaClearType, aaNone}) {
        TGlowButtonFace f = flatFace(160, 50);
        f.Enabled = false;
        f.AntiAlias = antiAlias;
        f.Caption = QStringLiteral("MMMM");
        f.Font.Color = clBlack;
        f.Notes = QStringLiteral("MMMM");
        f.NotesFont.Name = QStringLiteral("Tahoma");
        f.NotesFont.Color = clRed;
        f.DropDownButton = true;
        f.DropDownPosition = dpBottom;
        const QImage image = drawnFace(f);
        int darkest = 255;
        bool red = false;
        for (int y = 2; y < 36; ++y) {
            for (int x = 2; x < 150; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 90 && c.blue() < 90)
                    red = true;
                else if (c.red() == c.green() && c.green() == c.blue())
                    darkest = std::min(darkest, c.red());
            }
        }
        EXPECT_TRUE(red) << antiAlias;
        EXPECT_GE(darkest, 120) << antiAlias;
        EXPECT_LE(darkest, 140) << antiAlias;
        // The arrow, centred in the 13-pixel part at the bottom.
        EXPECT_EQ(image.pixelColor(77, 43), QColor(128, 128, 128)) << antiAlias;
    }
}

TEST(GlowButtonFaceTest, measuredSizesAndGlyphPlacesInEveryLayout)
{
    QObject owner;
    TGlowButtonFace f = flatFace(100, 60);
    f.Caption = QStringLiteral("Zapisz");
    f.Images = squareGlyph(&owner);
    f.ImageIndex = 0;
    const int sp = f.Spacing;
    const QRectF centred = textBox(f, f.Caption, QRectF(0, 0, 100, 60), Qt::AlignCenter);
    const int tw = roundEven(centred.width());
    const int th = roundEven(centred.height());
    struct Case
    {
        TButtonLayout layout;
        QSize size;
        QPoint glyph;
    };
    const int side = 16 + sp; // the glyph with its spacing beside the text
    const int rightX = std::max(roundEven(100 - 4 - side - tw) / 2, 0) + tw + 4;
    // A glyph below the text that would pass the bottom edge sits 2 pixels above it.
    auto belowText = [](int y) { return y > 60 - 16 ? 60 - 16 - 2 : y; };
    const Case cases[] = {
        {blGlyphLeft,
         {tw + side + sp, std::max(16 + sp, th + sp)},
         {std::max(roundEven(centred.x() - side / 2), 2), 22}},
        {blGlyphLeftAdjusted, {tw + side + sp, std::max(16 + sp, th + sp)}, {2, 22}},
        {blGlyphRight, {tw + side + sp, std::max(16 + sp, th + sp)}, {(rightX > 100 - side ? 80 : rightX) + sp, 22}},
        {blGlyphRightAdjusted, {tw + side + sp, std::max(16 + sp, th + sp)}, {100 - side - 2 + sp, 22}},
        {blGlyphTop, {std::max(16 + sp, tw + sp), th + side + sp}, {42, std::max(roundEven(40 - th) / 2, 2)}},
        {blGlyphTopAdjusted, {std::max(16 + sp, tw + sp), th + side + sp}, {42, 2}},
        {blGlyphBottom, {std::max(16 + sp, tw + sp), th + 16 + sp}, {42, belowText(roundEven(42 - th) / 2 + th + 2)}},
        {blGlyphBottomAdjusted, {std::max(16 + sp, tw + sp), th + 16 + sp}, {42, belowText(30 + th + 2)}},
    };
    for (const Case& c : cases) {
        f.Layout = c.layout;
        const TPoint size = measured(f);
        EXPECT_EQ(QSize(size.X, size.Y), c.size) << c.layout;
        EXPECT_EQ(extentOf(drawnFace(f), ToQColor(glyphColour)), QRect(c.glyph, QSize(16, 16))) << c.layout;
    }

    // Notes put glyph and text to the left, whatever the layout.
    f.Layout = blGlyphTop;
    f.Notes = QStringLiteral("Uwagi");
    f.NotesFont.Name = QStringLiteral("Tahoma");
    const int nh = roundEven(textBox(f, f.Notes, QRectF(0, 0, 100, 60), Qt::AlignCenter).height());
    EXPECT_EQ(measured(f).Y, std::max(16 + sp, th + sp + nh));
    EXPECT_EQ(extentOf(drawnFace(f), ToQColor(glyphColour)).topLeft(), QPoint(2, 22));
}

TEST(GlowButtonFaceTest, aWrittenLineBreakBreaksUnlessTheGlyphIsForced)
{
    TGlowButtonFace f = flatFace(200, 60);
    f.Caption = QStringLiteral("Dwa\\nwiersze");
    const QRectF area(0, 0, 4096, 4096);
    const QRectF twoLines = textBox(f, QStringLiteral("Dwa\nwiersze"), area, Qt::AlignCenter);
    const QRectF oneLine = textBox(f, QStringLiteral("Dwa wiersze"), area, Qt::AlignCenter);
    ASSERT_GT(twoLines.height(), 1.5 * oneLine.height());
    EXPECT_EQ(measured(f).Y, roundEven(twoLines.height()) + f.Spacing);
    EXPECT_EQ(measured(f).X, roundEven(twoLines.width()) + 2 * f.Spacing);

    f.ForcedGlyphSize = QSize(16, 16);
    EXPECT_EQ(measured(f).Y, std::max(roundEven(oneLine.height()) + f.Spacing, f.Spacing));
    EXPECT_EQ(measured(f).X, roundEven(oneLine.width()) + 2 * f.Spacing);
}
