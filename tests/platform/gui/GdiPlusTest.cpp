#include "GdiPlus.h"
#include "Canvas.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

namespace {

QByteArray encoded(const char* format, QColor color = Qt::red)
{
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(color);
    return imageBytes(image, format);
}

// Qt writes no GIF files: a 1 by 1 GIF made by hand.
QByteArray tinyGif()
{
    static const unsigned char bytes[] = {'G', 'I',  'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0,   0,
                                          0,   0x2C, 0,   0,   0,   0,   1, 0, 1, 0, 0,    2, 2, 0x44, 1, 0, 0x3B};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

} // namespace

TEST(GdiPlusTest, colourValues)
{
    EXPECT_EQ(ColorToARGB(0x0000FF), 0xFFFF0000u);
    EXPECT_EQ(ColorToARGB(clBtnFace), MakeColor(212, 208, 200));
    EXPECT_EQ(ColorToARGB(clNone), 0xFFFFFFFFu);
    EXPECT_EQ(ColorToARGB(0x12345678), MakeColor(0x78, 0x56, 0x34));
    const ARGB c = MakeColor(255, 0, 0, 128);
    EXPECT_EQ(GetAlpha(c), 255);
    EXPECT_EQ(GetBlue(c), 128);
    const ARGB d = MakeColor(1, 2, 3, 4);
    EXPECT_EQ(GetAlpha(d), 1);
    EXPECT_EQ(GetRed(d), 2);
    EXPECT_EQ(GetGreen(d), 3);
    EXPECT_EQ(GetBlue(d), 4);
    EXPECT_EQ(MakeColor(10, 20, 30), MakeColor(255, 10, 20, 30));
}

TEST(GdiPlusTest, imagesReportTheirFormatAndFailures)
{
    struct Case
    {
        const char* format;
        QByteArray bytes;
        TGPImageFormat expected;
        quint32 width, height;
    };
    const Case cases[] = {
        {"PNG", encoded("PNG"), ifPNG, 6, 4},
        {"BMP", encoded("BMP"), ifBMP, 6, 4},
        {"JPEG", encoded("JPG"), ifJPEG, 6, 4},
        {"GIF", tinyGif(), ifGIF, 1, 1},
    };
    for (const Case& c : cases) {
        QByteArray bytes = c.bytes;
        QBuffer stream(&bytes);
        stream.open(QIODevice::ReadOnly);
        TGPImage image(&stream);
        EXPECT_EQ(image.GetLastStatus(), Ok) << c.format;
        EXPECT_EQ(image.GetFormat(), c.expected) << c.format;
        EXPECT_EQ(image.GetWidth(), c.width) << c.format;
        EXPECT_EQ(image.GetHeight(), c.height) << c.format;
    }

    TGPImage garbage(QByteArray("no picture"));
    EXPECT_EQ(garbage.GetLastStatus(), UnknownImageFormat);
    EXPECT_EQ(garbage.GetFormat(), ifUndefined);
    EXPECT_EQ(garbage.GetWidth(), 0u);
    EXPECT_EQ(garbage.GetHorizontalResolution(), 0.0f);

    TGPImage missing(QStringLiteral("/nonexistent/picture.png"));
    EXPECT_EQ(missing.GetLastStatus(), FileNotFound);

    TGPImage rotated(encoded("PNG"));
    EXPECT_EQ(rotated.RotateFlip(Rotate90FlipNone), Ok);
    EXPECT_EQ(rotated.GetWidth(), 4u);
    EXPECT_EQ(rotated.GetHeight(), 6u);
}

TEST(GdiPlusTest, failuresStayRecordedUntilRead)
{
    TGPGraphics nothing(static_cast<TGPImage*>(nullptr));
    EXPECT_EQ(nothing.GetLastStatus(), Ok);
    EXPECT_EQ(nothing.GetSmoothingMode(), SmoothingModeInvalid);
    TGPPen pen(MakeColor(0, 0, 0));
    TGPGraphicsPath path;
    path.AddLine(0, 0, 5, 5);
    EXPECT_EQ(nothing.DrawPath(&pen, &path), InvalidParameter);

    TGPBitmap bitmap(10, 10);
    TGPGraphics graphics(&bitmap);
    TGPSolidBrush brush(MakeColor(255, 0, 0));
    EXPECT_EQ(graphics.DrawPath(nullptr, &path), InvalidParameter);
    EXPECT_EQ(graphics.FillPath(&brush, &path), Ok);
    EXPECT_EQ(graphics.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(graphics.GetLastStatus(), Ok);

    TGPSolidBrush empty;
    EXPECT_EQ(graphics.FillRectangle(&empty, 0, 0, 5, 5), InvalidParameter);
    TGPBrush base;
    EXPECT_EQ(base.GetLastStatus(), NotImplemented);
}

TEST(GdiPlusTest, surroundColoursFollowTheStatusRules)
{
    TGPGraphicsPath path;
    path.AddEllipse(0, 0, 20, 20);
    TGPPathGradientBrush brush(&path);
    const int points = brush.GetPointCount();
    ASSERT_GT(points, 2);

    const ARGB colors[] = {MakeColor(1, 2, 3), MakeColor(4, 5, 6)};
    int count = 2;
    EXPECT_EQ(brush.SetSurroundColors(nullptr, count), InvalidParameter);
    EXPECT_EQ(count, 2);
    count = points + 1;
    EXPECT_EQ(brush.SetSurroundColors(colors, count), InvalidParameter);
    EXPECT_EQ(count, points + 1);

    // The earlier failures stay recorded, yet this call reports its own success and its count.
    count = 2;
    EXPECT_EQ(brush.SetSurroundColors(colors, count), Ok);
    EXPECT_EQ(count, 2);
    ARGB read[2] = {};
    int room = 1;
    EXPECT_EQ(brush.GetSurroundColors(read, room), InsufficientBuffer);
    EXPECT_EQ(room, 1);
    room = 5;
    EXPECT_EQ(brush.GetSurroundColors(read, room), Ok);
    EXPECT_EQ(room, 2);
    EXPECT_EQ(read[1], colors[1]);
    ARGB center = 0;
    EXPECT_EQ(brush.SetCenterColor(MakeColor(9, 9, 9)), Ok);
    EXPECT_EQ(brush.GetCenterColor(center), Ok);
    EXPECT_EQ(center, MakeColor(9, 9, 9));
    EXPECT_EQ(brush.GetLastStatus(), InsufficientBuffer);
    EXPECT_EQ(brush.GetLastStatus(), Ok);

    TGPGraphicsPath nothing;
    TGPPathGradientBrush pointless(&nothing);
    count = 1;
    EXPECT_EQ(pointless.SetSurroundColors(colors, count), InvalidParameter);
    EXPECT_EQ(count, 1);
}

TEST(GdiPlusTest, antialiasedLinesSitOnWholePixels)
{
    QImage image = whiteImage(20, 10);
    {
        TCanvas canvas(&image);
        TGPGraphics graphics(canvas);
        graphics.SetSmoothingMode(SmoothingModeAntiAlias);
        TGPPen pen(MakeColor(0, 0, 0));
        TGPGraphicsPath path;
        path.AddLine(2, 2, 15, 2);
        graphics.DrawPath(&pen, &path);
    }
    EXPECT_EQ(image.pixelColor(8, 2), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(8, 1), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(8, 3), QColor(Qt::white));
}

TEST(GdiPlusTest, arcsRunClockwiseOnTheScreen)
{
    QImage image = whiteImage(40, 40);
    {
        TCanvas canvas(&image);
        TGPGraphics graphics(canvas);
        TGPPen pen(MakeColor(0, 0, 0), 2);
        TGPGraphicsPath path;
        // From 3 o'clock through 90 degrees: down to 6 o'clock.
        path.AddArc(0, 0, 38, 38, 0, 90);
        graphics.DrawPath(&pen, &path);
    }
    auto darkNear = [&](int x, int y) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (image.valid(x + dx, y + dy) && qGray(image.pixel(x + dx, y + dy)) < 128)
                    return true;
        return false;
    };
    EXPECT_TRUE(darkNear(32, 32));
    EXPECT_FALSE(darkNear(32, 6));
    EXPECT_FALSE(darkNear(6, 32));
}

TEST(GdiPlusTest, gradientBrushes)
{
    QImage image = whiteImage(40, 40);
    {
        TCanvas canvas(&image);
        TGPGraphics graphics(canvas);
        TGPLinearGradientBrush vertical(MakeRect(0, 0, 20, 20), MakeColor(255, 0, 0), MakeColor(0, 0, 255),
                                        LinearGradientModeVertical);
        graphics.FillRectangle(&vertical, 0, 0, 20, 20);

        TGPGraphicsPath circle;
        circle.AddEllipse(20, 20, 20, 20);
        TGPPathGradientBrush glow(&circle);
        glow.SetCenterColor(MakeColor(0, 255, 0));
        ARGB surround = MakeColor(0, 0, 0);
        int count = 1;
        glow.SetSurroundColors(&surround, count);
        // The brush paints only inside its path.
        graphics.FillRectangle(&glow, 20, 20, 20, 20);
    }
    EXPECT_GT(image.pixelColor(10, 0).red(), 230);
    EXPECT_GT(image.pixelColor(10, 19).blue(), 200);
    EXPECT_EQ(image.pixelColor(21, 21), QColor(Qt::white));
    const QColor middle = image.pixelColor(30, 30);
    EXPECT_GT(middle.green(), 200);
    EXPECT_LT(middle.red(), 30);
}

TEST(GdiPlusTest, textIsMeasuredAndDrawnInItsLayout)
{
    TGPFontFamily missing(QStringLiteral("No Such Family"));
    EXPECT_EQ(missing.GetLastStatus(), FontFamilyNotFound);
    TGPFont noFont(&missing, 10);
    EXPECT_EQ(noFont.GetLastStatus(), InvalidParameter);

    TGPFontFamily family(QStringLiteral("DejaVu Sans"));
    ASSERT_EQ(family.GetLastStatus(), Ok);
    TGPFont font(&family, 12, FontStyleBold, UnitPoint);
    EXPECT_EQ(font.ToQFont().pixelSize(), 16);
    TGPStringFormat format(StringFormatFlagsNoWrap);
    format.SetAlignment(StringAlignmentCenter);
    format.SetLineAlignment(StringAlignmentCenter);
    format.SetHotkeyPrefix(HotkeyPrefixShow);

    QImage image = whiteImage(200, 40);
    TGPRectF box;
    TGPRectF plainBox;
    int lines = 0;
    {
        TCanvas canvas(&image);
        TGPGraphics graphics(canvas);
        TGPSolidBrush black(MakeColor(0, 0, 0));
        EXPECT_EQ(graphics.MeasureString(QStringLiteral("&Zapisz"), -1, &font, MakeRect(0, 0, 200, 40), &format, box,
                                         nullptr, &lines),
                  Ok);
        graphics.MeasureString(QStringLiteral("Zapisz"), -1, &font, MakeRect(0, 0, 200, 40), &format, plainBox);
        EXPECT_EQ(graphics.DrawString(QStringLiteral("&Zapisz"), -1, &font, MakeRect(0, 0, 200, 40), &format, &black),
                  Ok);
        EXPECT_EQ(graphics.DrawString(QStringLiteral("x"), -1, nullptr, MakeRect(0, 0, 9, 9), &format, &black),
                  InvalidParameter);
    }
    EXPECT_EQ(lines, 1);
    EXPECT_FLOAT_EQ(box.Width, plainBox.Width);
    EXPECT_NEAR(box.X + box.Width / 2, 100, 1);
    int left = 200, right = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = qMin(left, x);
                right = qMax(right, x);
            }
    EXPECT_NEAR((left + right) / 2.0, 100, 4);
}

TEST(GdiPlusTest, bitmapsAndImageGraphics)
{
    TGPBitmap bitmap(4, 3);
    ARGB pixel = 1;
    EXPECT_EQ(bitmap.GetPixel(0, 0, pixel), Ok);
    EXPECT_EQ(pixel, 0u);
    EXPECT_EQ(bitmap.GetPixel(4, 0, pixel), InvalidParameter);
    EXPECT_EQ(bitmap.SetPixel(1, 1, MakeColor(255, 10, 20, 30)), Ok);
    EXPECT_EQ(bitmap.GetPixel(1, 1, pixel), Ok);
    EXPECT_EQ(pixel, MakeColor(255, 10, 20, 30));
    EXPECT_EQ(bitmap.GetFormat(), ifMemoryBMP);
    EXPECT_EQ(bitmap.SetResolution(300, 300), Ok);
    EXPECT_NEAR(bitmap.GetHorizontalResolution(), 300, 0.1);
    {
        auto graphics = TGPGraphics::FromImage(&bitmap);
        TGPSolidBrush brush(MakeColor(255, 0, 0));
        graphics->FillRectangle(&brush, 2, 0, 2, 3);
    }
    EXPECT_EQ(bitmap.GetPixel(3, 2, pixel), Ok);
    EXPECT_EQ(pixel, MakeColor(255, 0, 0));
}
