#include "Canvas.h"
#include "Graphics.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

QImage blankImage(int width = 40, int height = 40, QColor fill = Qt::white)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

TColor pixel(const QImage& image, int x, int y)
{
    return FromQColor(image.pixelColor(x, y));
}

// Bounding box of the pixels that differ from the background.
QRect inkBounds(const QImage& image, QColor background = Qt::white)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

TEST(CanvasTest, colourAndRectangleConversions)
{
    EXPECT_EQ(ToQColor(clBtnFace), QColor(212, 208, 200));
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(ToQRect(Rect(2, 3, 12, 8)), QRect(2, 3, 10, 5));
    EXPECT_EQ(FromQRect(QRect(2, 3, 10, 5)), Rect(2, 3, 12, 8));
}

TEST(CanvasTest, fontSizesCountAtNinetySixDotsPerInch)
{
    TFont font;
    EXPECT_EQ(font.GetSize(), 8);
    EXPECT_EQ(font.GetHeight(), -11);
    font.SetSize(10);
    EXPECT_EQ(font.GetHeight(), -13);
    font.Style = fsBold | fsUnderline;
    const QFont q = font.ToQFont();
    EXPECT_EQ(q.pixelSize(), 13);
    EXPECT_TRUE(q.bold());
    EXPECT_TRUE(q.underline());
    EXPECT_FALSE(q.italic());
    EXPECT_EQ(TFont::FromQFont(q, clRed), [&] {
        TFont expected = font;
        expected.Name = q.family();
        expected.Color = clRed;
        return expected;
    }());
}

TEST(CanvasTest, rectangleLeavesOutTheRightAndBottomEdges)
{
    QImage image = blankImage();
    {
        TCanvas canvas(&image);
        canvas.Pen.Color = clBlack;
        canvas.Brush.Color = clRed;
        canvas.Rectangle(2, 2, 8, 6);
        canvas.Brush.Color = clBlue;
        canvas.FillRect(Rect(10, 10, 14, 13));
        canvas.Pen.Style = psClear;
        canvas.Brush.Color = clLime;
        canvas.Rectangle(20, 20, 25, 25);
    }
    EXPECT_EQ(pixel(image, 2, 2), clBlack);
    EXPECT_EQ(pixel(image, 7, 5), clBlack);
    EXPECT_EQ(pixel(image, 7, 3), clBlack);
    EXPECT_EQ(pixel(image, 3, 3), clRed);
    EXPECT_EQ(pixel(image, 6, 4), clRed);
    EXPECT_EQ(pixel(image, 8, 5), clWhite);
    EXPECT_EQ(pixel(image, 7, 6), clWhite);

    EXPECT_EQ(inkBounds(image.copy(9, 9, 6, 6)), QRect(1, 1, 4, 3));

    // Without a pen the fill stops one pixel short on the right and at the bottom.
    EXPECT_EQ(pixel(image, 20, 20), clLime);
    EXPECT_EQ(pixel(image, 23, 23), clLime);
    EXPECT_EQ(pixel(image, 24, 23), clWhite);
    EXPECT_EQ(pixel(image, 23, 24), clWhite);
}

TEST(CanvasTest, lineToLeavesOutItsEndPoint)
{
    struct Case
    {
        TPoint from, to, lastDrawn;
    };
    const Case cases[] = {
        {{1, 1}, {6, 1}, {5, 1}},    {{6, 3}, {1, 3}, {2, 3}},       {{3, 5}, {3, 10}, {3, 9}},
        {{0, 12}, {4, 16}, {3, 15}}, {{10, 20}, {14, 22}, {13, 22}},
    };
    for (const Case& c : cases) {
        QImage image = blankImage(30, 30);
        TPoint pen;
        {
            TCanvas canvas(&image);
            canvas.MoveTo(c.from.X, c.from.Y);
            canvas.LineTo(c.to.X, c.to.Y);
            pen = canvas.GetPenPos();
        }
        EXPECT_EQ(pen, c.to);
        EXPECT_EQ(pixel(image, c.from.X, c.from.Y), clBlack) << c.to.X << "," << c.to.Y;
        EXPECT_EQ(pixel(image, c.lastDrawn.X, c.lastDrawn.Y), clBlack) << c.to.X << "," << c.to.Y;
        EXPECT_EQ(pixel(image, c.to.X, c.to.Y), clWhite) << c.to.X << "," << c.to.Y;
    }
}

TEST(CanvasTest, frame3DPaintsRingsAndShrinksTheRectangle)
{
    QImage image = blankImage(20, 20, Qt::green);
    TRect rect = Rect(0, 0, 10, 10);
    {
        TCanvas canvas(&image);
        Frame3D(canvas, rect, clRed, clBlue, 2);
    }
    EXPECT_EQ(rect, Rect(2, 2, 8, 8));
    // Outer ring: top and left red, right and bottom blue; the top-right and bottom-left corners are blue.
    EXPECT_EQ(pixel(image, 0, 0), clRed);
    EXPECT_EQ(pixel(image, 8, 0), clRed);
    EXPECT_EQ(pixel(image, 0, 8), clRed);
    EXPECT_EQ(pixel(image, 9, 0), clBlue);
    EXPECT_EQ(pixel(image, 0, 9), clBlue);
    EXPECT_EQ(pixel(image, 9, 9), clBlue);
    EXPECT_EQ(pixel(image, 5, 9), clBlue);
    // Inner ring.
    EXPECT_EQ(pixel(image, 1, 1), clRed);
    EXPECT_EQ(pixel(image, 8, 8), clBlue);
    EXPECT_EQ(pixel(image, 8, 1), clBlue);
    // Inside and outside untouched.
    EXPECT_EQ(pixel(image, 2, 2), clLime);
    EXPECT_EQ(pixel(image, 10, 10), clLime);
}

TEST(CanvasTest, drawEdgeUsesTheSystemColoursOfEachBorder)
{
    struct Case
    {
        unsigned edge;
        unsigned flags;
        TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    };
    const Case cases[] = {
        {EDGE_RAISED, BF_RECT, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
        {EDGE_SUNKEN, BF_RECT, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight},
        {EDGE_ETCHED, BF_RECT, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnShadow},
        {EDGE_RAISED, BF_RECT | BF_FLAT, clBtnShadow, clBtnShadow, clBtnFace, clBtnFace},
    };
    for (const Case& c : cases) {
        QImage image = blankImage(20, 20, Qt::green);
        TRect rect = Rect(0, 0, 10, 10);
        {
            TCanvas canvas(&image);
            DrawEdge(canvas, rect, c.edge, c.flags | BF_ADJUST);
        }
        EXPECT_EQ(rect, Rect(2, 2, 8, 8)) << c.edge;
        EXPECT_EQ(pixel(image, 0, 0), ColorToRGB(c.outerTopLeft)) << c.edge;
        EXPECT_EQ(pixel(image, 9, 9), ColorToRGB(c.outerBottomRight)) << c.edge;
        EXPECT_EQ(pixel(image, 1, 1), ColorToRGB(c.innerTopLeft)) << c.edge;
        EXPECT_EQ(pixel(image, 8, 8), ColorToRGB(c.innerBottomRight)) << c.edge;
        EXPECT_EQ(pixel(image, 2, 2), clLime) << c.edge;
    }
}

TEST(CanvasTest, drawTextPlacesTheTextByItsFlags)
{
    struct Case
    {
        unsigned flags;
        const char* where;
    };
    const Case cases[] = {
        {DT_SINGLELINE | DT_LEFT | DT_TOP, "left top"},
        {DT_SINGLELINE | DT_CENTER | DT_VCENTER, "centre"},
        {DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, "right bottom"},
    };
    const TRect box = Rect(10, 10, 190, 90);
    for (const Case& c : cases) {
        QImage image = blankImage(200, 100);
        int height = 0;
        int lineHeight = 0;
        {
            TCanvas canvas(&image);
            canvas.Brush.Style = bsClear;
            canvas.Font.SetSize(14);
            canvas.Font.Color = clBlack;
            lineHeight = canvas.TextHeight(QStringLiteral("Ag"));
            TRect rect = box;
            height = canvas.DrawText(QStringLiteral("Żółw"), rect, c.flags);
        }
        const QRect ink = inkBounds(image);
        ASSERT_FALSE(ink.isEmpty()) << c.where;
        EXPECT_TRUE(QRect(10, 10, 180, 80).contains(ink)) << c.where;
        if (c.flags & DT_CENTER) {
            EXPECT_NEAR(ink.center().x(), 100, 3) << c.where;
            EXPECT_NEAR(ink.center().y(), 50, 6) << c.where;
            EXPECT_EQ(height, (10 + 90 - lineHeight) / 2 - 10 + lineHeight) << c.where;
        } else if (c.flags & DT_RIGHT) {
            EXPECT_NEAR(ink.right(), 189, 3) << c.where;
            EXPECT_GT(ink.bottom(), 90 - lineHeight / 2) << c.where;
            EXPECT_EQ(height, 80) << c.where;
        } else {
            EXPECT_NEAR(ink.left(), 10, 3) << c.where;
            EXPECT_LT(ink.top(), 10 + lineHeight / 2) << c.where;
            EXPECT_EQ(height, lineHeight) << c.where;
        }
    }
}

TEST(CanvasTest, drawTextMeasuresLinesPrefixesAndWrapping)
{
    TCanvas canvas;
    const int line = canvas.TextHeight(QStringLiteral("A"));
    const auto measure = [&](const QString& text, int width, unsigned flags) {
        TRect rect = Rect(5, 5, 5 + width, 5);
        const int height = canvas.DrawText(text, rect, flags | DT_CALCRECT);
        EXPECT_EQ(rect.Height(), height) << text.toStdString();
        return rect;
    };
    EXPECT_EQ(measure(QStringLiteral("&Plik"), 500, DT_SINGLELINE).Width(), canvas.TextWidth(QStringLiteral("Plik")));
    EXPECT_EQ(measure(QStringLiteral("a&&b"), 500, DT_SINGLELINE).Width(), canvas.TextWidth(QStringLiteral("a&b")));
    EXPECT_EQ(measure(QStringLiteral("&Plik"), 500, DT_SINGLELINE | DT_NOPREFIX).Width(),
              canvas.TextWidth(QStringLiteral("&Plik")));
    EXPECT_EQ(measure(QStringLiteral("jeden\r\ndwa\ntrzy"), 500, 0).Height(), 3 * line);
    EXPECT_EQ(measure(QStringLiteral("jeden\r\ndwa"), 500, DT_SINGLELINE).Height(), line);
    EXPECT_EQ(measure(QString(), 500, 0), Rect(5, 5, 5, 5));

    const int wordWidth = canvas.TextWidth(QStringLiteral("słowo"));
    const QString words = QStringLiteral("słowo słowo słowo");
    EXPECT_EQ(measure(words, wordWidth + 2, DT_WORDBREAK).Height(), 3 * line);
    EXPECT_EQ(measure(words, wordWidth + 2, DT_WORDBREAK).Width(), wordWidth);
    EXPECT_EQ(measure(words, 1000, DT_WORDBREAK).Height(), line);
    // A word wider than the rectangle stays whole on its line, unless edit-control mode breaks it.
    EXPECT_EQ(measure(QStringLiteral("słowo"), wordWidth / 2, DT_WORDBREAK).Height(), line);
    EXPECT_GE(measure(QStringLiteral("słowo"), wordWidth / 2, DT_WORDBREAK | DT_EDITCONTROL).Height(), 2 * line);
    // An ellipsis shortens a line to the rectangle's width.
    EXPECT_LE(measure(QStringLiteral("bardzo długi tekst"), 40, DT_SINGLELINE | DT_END_ELLIPSIS).Width(), 40);
    // ... and keeps the longest head that fits: one more character would not.
    const QString text = QStringLiteral("Zażółć gęślą jaźń i jeszcze trochę");
    const int width = canvas.TextWidth(QStringLiteral("Zażółć gęś..."));
    const int shortened = measure(text, width, DT_SINGLELINE | DT_END_ELLIPSIS).Width();
    EXPECT_EQ(shortened, width);
    EXPECT_GT(canvas.TextWidth(QStringLiteral("Zażółć gęśl...")), width);
    // A path keeps its file name and loses the middle.
    const QString path = QStringLiteral("/home/jan/Dokumenty/Genealogia/multimedia/zdjęcie.jpg");
    const int pathWidth = canvas.TextWidth(QStringLiteral("/home/jan.../zdjęcie.jpg"));
    EXPECT_EQ(measure(path, pathWidth, DT_SINGLELINE | DT_PATH_ELLIPSIS).Width(), pathWidth);
}

TEST(CanvasTest, drawTextClipsUnlessToldNotToAndFillsAnOpaqueBackground)
{
    QImage image = blankImage(200, 60);
    {
        TCanvas canvas(&image);
        canvas.Font.SetSize(14);
        canvas.Brush.Style = bsClear;
        TRect clipped = Rect(0, 0, 30, 30);
        canvas.DrawText(QStringLiteral("WWWWWWWW"), clipped, DT_SINGLELINE);
        TRect free = Rect(0, 30, 30, 60);
        canvas.DrawText(QStringLiteral("WWWWWWWW"), free, DT_SINGLELINE | DT_NOCLIP);
    }
    EXPECT_LE(inkBounds(image.copy(0, 0, 200, 30)).right(), 29);
    EXPECT_GT(inkBounds(image.copy(0, 30, 200, 30)).right(), 40);

    QImage opaque = blankImage(100, 40);
    {
        TCanvas canvas(&opaque);
        canvas.Brush.Color = clYellow;
        TRect rect = Rect(0, 0, 100, 40);
        canvas.DrawText(QStringLiteral("ab"), rect, DT_SINGLELINE);
    }
    // The text's own cell is filled, the rest of the rectangle is not.
    EXPECT_EQ(pixel(opaque, 1, 1), clYellow);
    EXPECT_EQ(pixel(opaque, 90, 1), clWhite);
    EXPECT_EQ(pixel(opaque, 1, 35), clWhite);
}

TEST(CanvasTest, textOutMovesThePenAndMeasuresAsThePaintCanvas)
{
    QImage image = blankImage(200, 40);
    TCanvas measuring;
    TCanvas canvas(&image);
    const QString text = QStringLiteral("Zażółć gęślą jaźń");
    canvas.TextOut(3, 4, text);
    EXPECT_EQ(canvas.GetPenPos(), Point(3 + canvas.TextWidth(text), 4));
    EXPECT_EQ(measuring.TextWidth(text), canvas.TextWidth(text));
    EXPECT_EQ(measuring.TextHeight(text), canvas.TextHeight(text));
}

TEST(CanvasTest, clippingLimitsDrawing)
{
    QImage image = blankImage(30, 30);
    {
        TCanvas canvas(&image);
        canvas.Brush.Color = clRed;
        canvas.IntersectClipRect(Rect(5, 5, 25, 25));
        canvas.ExcludeClipRect(Rect(10, 10, 15, 15));
        EXPECT_TRUE(canvas.HasClip());
        canvas.FillRect(Rect(0, 0, 30, 30));
        canvas.ResetClip();
        EXPECT_FALSE(canvas.HasClip());
        canvas.Brush.Color = clBlue;
        canvas.FillRect(Rect(0, 0, 2, 2));
    }
    EXPECT_EQ(pixel(image, 4, 4), clWhite);
    EXPECT_EQ(pixel(image, 5, 5), clRed);
    EXPECT_EQ(pixel(image, 24, 24), clRed);
    EXPECT_EQ(pixel(image, 25, 25), clWhite);
    EXPECT_EQ(pixel(image, 12, 12), clWhite);
    EXPECT_EQ(pixel(image, 1, 1), clBlue);
}

TEST(CanvasTest, focusRectangleInvertsDottedPixelsAndComesOffAgain)
{
    QImage image = blankImage(20, 20);
    const QImage before = image;
    TCanvas canvas(&image);
    canvas.DrawFocusRect(Rect(2, 2, 12, 12));
    canvas.Painter().end();
    int inverted = 0;
    for (int x = 2; x < 12; ++x)
        inverted += pixel(image, x, 2) == clBlack;
    EXPECT_EQ(inverted, 5);
    EXPECT_EQ(pixel(image, 6, 6), clWhite);

    TCanvas again(&image);
    again.DrawFocusRect(Rect(2, 2, 12, 12));
    again.Painter().end();
    EXPECT_EQ(image, before);
}

TEST(CanvasTest, transparentBitmapLeavesOutItsBottomLeftColour)
{
    TBitmap bitmap(4, 4);
    bitmap.Image().fill(Qt::magenta);
    bitmap.Image().setPixelColor(1, 1, Qt::blue);
    bitmap.SetTransparent(true);
    QImage image = blankImage(10, 10);
    {
        TCanvas canvas(&image);
        canvas.Draw(3, 3, &bitmap);
    }
    EXPECT_EQ(pixel(image, 4, 4), clBlue);
    EXPECT_EQ(pixel(image, 3, 3), clWhite);
    EXPECT_EQ(pixel(image, 6, 6), clWhite);
}

TEST(CanvasTest, screenshotOfTheToolkitParts)
{
    QImage image = blankImage(220, 70, QColor(212, 208, 200));
    {
        TCanvas canvas(&image);
        TRect frame = Rect(5, 5, 45, 30);
        Frame3D(canvas, frame, clBtnHighlight, clBtnShadow, 2);
        int left = 50;
        for (const unsigned edge : {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED}) {
            TRect r = Rect(left, 5, left + 35, 30);
            DrawEdge(canvas, r, edge, BF_RECT);
            left += 40;
        }
        DrawFrameControl(canvas, Rect(5, 40, 18, 53), DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
        DrawFrameControl(canvas, Rect(25, 40, 38, 53), DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_FLAT);
        DrawFrameControl(canvas, Rect(45, 40, 58, 53), DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE);
        DrawFrameControl(canvas, Rect(65, 38, 82, 58), DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
        DrawFrameControl(canvas, Rect(87, 38, 104, 58), DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
        canvas.Brush.Style = bsClear;
        TRect text = Rect(110, 38, 215, 65);
        canvas.DrawText(QStringLiteral("&Zapisz zmiany"), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        canvas.DrawFocusRect(Rect(112, 41, 213, 62));
        canvas.Pen.Color = clNavy;
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = clInfoBk;
        canvas.RoundRect(170, 5, 215, 30, 6, 6);
    }
    EXPECT_TRUE(image.scaled(image.size() * 3).save(testOutputFolder() + QStringLiteral("/CanvasTest-parts.png")));
}
