#include "Rotate.h"
#include "Canvas.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

namespace {

QString writePicture(const QTemporaryDir& folder, const QString& name, int width, int height, QColor color)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(color);
    const QString path = folder.filePath(name);
    picture.save(path, "PNG");
    return path;
}

// What one call drew and reported.
struct Drawn
{
    QImage image;
    bool result = false;
    TRect size;
    double scale = 0;
    TPoint offset;
};

Drawn draw(const QString& path, const TRect& rect, int margin, bool shadow, bool framed, bool alignTop,
           bool highlight = false, TColor background = 0xFFFFFFFF, bool wholeImage = true)
{
    Drawn drawn;
    drawn.image = whiteImage(200, 200);
    TCanvas canvas(&drawn.image);
    drawn.result = DrawPictureInRect(nullptr, &canvas, rect, margin, shadow, path, path, background, wholeImage,
                                     &drawn.size, &drawn.scale, &drawn.offset, highlight, alignTop, framed, false);
    canvas.Painter().end();
    return drawn;
}

bool isGreyish(QColor c)
{
    return c.red() == c.green() && c.green() == c.blue() && c.red() < 250 && c.red() > 100;
}

} // namespace

TEST(RotateTest, colourWithAlpha)
{
    EXPECT_EQ(ColorWithAlpha(0xFFFFFFFF, 128), 0x80FFFFFFu);
    EXPECT_EQ(ColorWithAlpha(0x0000FF, 255), 0xFFFF0000u);
    EXPECT_EQ(ColorWithAlpha(clBtnFace, 10), MakeColor(10, 212, 208, 200));
    EXPECT_EQ(ColorWithAlpha(0x0000FF, 256 + 25), MakeColor(25, 255, 0, 0));
}

TEST(RotateTest, pictureGeometryFollowsTheFit)
{
    QTemporaryDir folder;
    struct Case
    {
        int width, height;
        bool alignTop;
        double scale;
        TPoint offset;
        int drawnWidth, drawnHeight;
    };
    // A 100 by 100 cell with margin 15: the inner area is 70 by 70.
    const Case cases[] = {
        {280, 140, false, 0.25, {15, 32}, 70, 35}, {280, 140, true, 0.25, {15, 15}, 70, 35},
        {140, 280, false, 0.25, {32, 15}, 35, 70}, {140, 280, true, 0.25, {32, 15}, 35, 70},
        {50, 50, false, 1.4, {15, 15}, 70, 70},
    };
    for (const Case& c : cases) {
        const QString path =
            writePicture(folder, QStringLiteral("p%1x%2.png").arg(c.width).arg(c.height), c.width, c.height, Qt::red);
        const TRect cell = Rect(50, 50, 150, 150);
        const Drawn d = draw(path, cell, 15, false, false, c.alignTop);
        const QString what = QStringLiteral("%1x%2 %3").arg(c.width).arg(c.height).arg(c.alignTop);
        EXPECT_TRUE(d.result) << what.toStdString();
        EXPECT_EQ(d.size, Rect(0, 0, c.width, c.height)) << what.toStdString();
        EXPECT_DOUBLE_EQ(d.scale, c.scale) << what.toStdString();
        EXPECT_EQ(d.offset, c.offset) << what.toStdString();
        // The picture covers exactly its drawn box.
        const int left = 50 + c.offset.X;
        const int top = 50 + c.offset.Y;
        EXPECT_EQ(d.image.pixelColor(left, top), QColor(Qt::red)) << what.toStdString();
        EXPECT_EQ(d.image.pixelColor(left + c.drawnWidth - 1, top + c.drawnHeight - 1), QColor(Qt::red))
            << what.toStdString();
        EXPECT_EQ(d.image.pixelColor(left + c.drawnWidth, top + c.drawnHeight / 2), QColor(Qt::white))
            << what.toStdString();
        EXPECT_EQ(d.image.pixelColor(left + c.drawnWidth / 2, top + c.drawnHeight), QColor(Qt::white))
            << what.toStdString();
    }
}

TEST(RotateTest, shadowFrameAndHighlight)
{
    QTemporaryDir folder;
    const QString path = writePicture(folder, QStringLiteral("kwadrat.png"), 70, 70, Qt::blue);
    const Drawn d = draw(path, Rect(50, 50, 150, 150), 15, true, true, true, false);
    // The picture sits at (65, 65) to (135, 135); the frame reaches 3 pixels beyond it, the shadow 8.
    EXPECT_EQ(d.image.pixelColor(100, 100), QColor(Qt::blue));
    EXPECT_EQ(d.image.pixelColor(63, 100), QColor(Qt::white));
    EXPECT_EQ(d.image.pixelColor(62, 100), QColor(178, 178, 178));
    EXPECT_EQ(d.image.pixelColor(138, 100), QColor(178, 178, 178));
    // The shadow shows 5 pixels below and right of the frame: grey blended half over white.
    const QColor shadow = d.image.pixelColor(141, 141);
    EXPECT_TRUE(isGreyish(shadow)) << shadow.name().toStdString();
    EXPECT_NEAR(shadow.red(), 216, 2);
    EXPECT_EQ(d.image.pixelColor(145, 145), QColor(Qt::white));
    EXPECT_EQ(d.image.pixelColor(141, 70), QColor(Qt::white));

    const Drawn veiled = draw(path, Rect(50, 50, 150, 150), 15, false, false, true, true);
    const QColor veil = veiled.image.pixelColor(100, 100);
    EXPECT_NEAR(veil.red(), 178, 2);
    EXPECT_NEAR(veil.blue(), 255, 1);
}

TEST(RotateTest, backgroundCoversOneMorePixelLeftAndAbove)
{
    QTemporaryDir folder;
    const QString path = writePicture(folder, QStringLiteral("p.png"), 10, 10, Qt::blue);
    const Drawn d = draw(path, Rect(50, 50, 150, 150), 15, false, false, true, false, clRed);
    EXPECT_EQ(d.image.pixelColor(50, 100), QColor(Qt::red));
    EXPECT_EQ(d.image.pixelColor(148, 148), QColor(Qt::red));
    EXPECT_NE(d.image.pixelColor(49, 100), QColor(Qt::white));
    EXPECT_NE(d.image.pixelColor(100, 49), QColor(Qt::white));
    EXPECT_EQ(d.image.pixelColor(48, 100), QColor(Qt::white));
    EXPECT_EQ(d.image.pixelColor(100, 48), QColor(Qt::white));
}

TEST(RotateTest, aFileWithoutAPictureGivesThePlaceholder)
{
    QTemporaryDir folder;
    const QString text = folder.filePath(QStringLiteral("nie-obraz.png"));
    writeFileBytes(text, "to nie jest obraz");
    for (const QString& path : {folder.filePath(QStringLiteral("brak.png")), text, QString()}) {
        const Drawn d = draw(path, Rect(50, 50, 150, 150), 15, true, true, false);
        EXPECT_FALSE(d.result) << path.toStdString();
        EXPECT_EQ(d.size, Rect(0, 0, 0, 0)) << path.toStdString();
        EXPECT_EQ(d.scale, 0) << path.toStdString();
        // A white box of the inner area plus 3 pixels, outlined in grey, with a faint grey rim outside.
        EXPECT_EQ(d.image.pixelColor(100, 100), QColor(Qt::white));
        EXPECT_EQ(d.image.pixelColor(62, 100), QColor(178, 178, 178));
        EXPECT_EQ(d.image.pixelColor(138, 100), QColor(178, 178, 178));
        EXPECT_TRUE(isGreyish(d.image.pixelColor(61, 100)));
        EXPECT_EQ(d.image.pixelColor(59, 100), QColor(Qt::white));
    }
}

TEST(RotateTest, aCellSmallerThanItsMarginsDrawsWithoutAnInnerArea)
{
    QTemporaryDir folder;
    const QString path = writePicture(folder, QStringLiteral("p.png"), 40, 20, Qt::red);
    const Drawn d = draw(path, Rect(50, 50, 70, 60), 15, true, true, false);
    EXPECT_TRUE(d.result);
    EXPECT_EQ(d.scale, 0);
    EXPECT_EQ(d.offset, Point(10, 5));
    EXPECT_FALSE(draw(QString(), Rect(50, 50, 70, 60), 15, true, true, false).result);
}

TEST(RotateTest, thumbnailDrawingFitsTheSameBox)
{
    QTemporaryDir folder;
    const QString path = writePicture(folder, QStringLiteral("p.png"), 280, 140, Qt::red);
    const Drawn d = draw(path, Rect(50, 50, 150, 150), 15, true, false, false, false, 0xFFFFFFFF, false);
    EXPECT_TRUE(d.result);
    EXPECT_EQ(d.image.pixelColor(65, 82), QColor(Qt::red));
    EXPECT_EQ(d.image.pixelColor(134, 116), QColor(Qt::red));
    // With a thumbnail the shadow is a rim of 4 pixels around the picture.
    EXPECT_TRUE(isGreyish(d.image.pixelColor(62, 100)));
}

TEST(RotateTest, decodedPicturesAreKeptUntilTheFileChanges)
{
    QTemporaryDir folder;
    const QString path = writePicture(folder, QStringLiteral("p.png"), 70, 70, Qt::red);
    const QDateTime stamp = QDateTime::currentDateTime().addSecs(-3600);
    ASSERT_TRUE(setModificationTime(path, stamp));
    EXPECT_EQ(draw(path, Rect(50, 50, 150, 150), 15, false, false, true).image.pixelColor(100, 100), QColor(Qt::red));

    writePicture(folder, QStringLiteral("p.png"), 70, 70, Qt::green);
    ASSERT_TRUE(setModificationTime(path, stamp));
    EXPECT_EQ(draw(path, Rect(50, 50, 150, 150), 15, false, false, true).image.pixelColor(100, 100), QColor(Qt::red));
    ASSERT_TRUE(setModificationTime(path, stamp.addSecs(10)));
    EXPECT_EQ(draw(path, Rect(50, 50, 150, 150), 15, false, false, true).image.pixelColor(100, 100), QColor(Qt::green));
}

TEST(RotateTest, roundedFrameCorners)
{
    struct Case
    {
        int alpha;
        QColor edge;       // on the straight top edge
        QColor inside;     // in the middle of the box
        bool thickOutside; // the row above the edge is tinted
    };
    const Case cases[] = {
        {25, QColor(178, 178, 178), QColor(230, 230, 255), false},
        {-1, QColor(0, 0, 255), QColor(Qt::white), false},
        {-2, QColor(0, 0, 255), QColor(Qt::white), true},
    };
    for (const Case& c : cases) {
        QImage image = whiteImage(60, 40);
        {
            TCanvas canvas(&image);
            DrawRoundedFrame(nullptr, &canvas, Rect(0, 0, 60, 40), clBlue, c.alpha);
        }
        EXPECT_EQ(image.pixelColor(30, 2), c.edge) << c.alpha;
        EXPECT_EQ(image.pixelColor(2, 20), c.edge) << c.alpha;
        EXPECT_EQ(image.pixelColor(30, 38), c.edge) << c.alpha;
        EXPECT_EQ(image.pixelColor(58, 20), c.edge) << c.alpha;
        const QColor inside = image.pixelColor(30, 20);
        EXPECT_NEAR(inside.red(), c.inside.red(), 1) << c.alpha;
        EXPECT_NEAR(inside.blue(), c.inside.blue(), 1) << c.alpha;
        // The corners are rounded: the box's own corner pixel stays untouched, the curve passes inside it.
        EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white)) << c.alpha;
        EXPECT_EQ(image.pixelColor(58, 38), QColor(Qt::white)) << c.alpha;
        EXPECT_NE(image.pixelColor(4, 4), QColor(Qt::white)) << c.alpha;
        EXPECT_EQ(image.pixelColor(30, 1) != QColor(Qt::white), c.thickOutside) << c.alpha;
        EXPECT_EQ(image.pixelColor(30, 0), QColor(Qt::white)) << c.alpha;
    }
}

TEST(RotateTest, screenshotOfCells)
{
    QTemporaryDir folder;
    const QString wide = writePicture(folder, QStringLiteral("szeroki.png"), 280, 140, QColor(40, 120, 200));
    QImage image = whiteImage(360, 130);
    {
        TCanvas canvas(&image);
        DrawPictureInRect(nullptr, &canvas, Rect(5, 5, 120, 120), 15, true, wide, wide, clWhite, true, nullptr, nullptr,
                          nullptr, false, true, true, false);
        DrawPictureInRect(nullptr, &canvas, Rect(125, 5, 240, 120), 15, true, QString(), QString(), clWhite, true,
                          nullptr, nullptr, nullptr, false, true, true, false);
        DrawPictureInRect(nullptr, &canvas, Rect(245, 5, 355, 120), 10, false, wide, wide, 0xFFFFFFFF, true, nullptr,
                          nullptr, nullptr, true, false, true, true);
        DrawRoundedFrame(nullptr, &canvas, Rect(0, 0, 121, 125), 0xFF0000, 25);
        DrawRoundedFrame(nullptr, &canvas, Rect(120, 0, 241, 125), 0x0000FF, -2);
    }
    EXPECT_TRUE(image.save(testOutputFolder() + QStringLiteral("/RotateTest-cells.png")));
}
