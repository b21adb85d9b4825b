#include "AdvImage.h"
#include "Canvas.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

namespace {

QByteArray png(int width, int height, QColor color = Qt::green)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return imageBytes(image);
}

} // namespace

TEST(AdvImageTest, sizeIsThePhysicalSizeAtNinetySixPerInch)
{
    TAdvImage image;
    EXPECT_TRUE(image.GetEmpty());
    EXPECT_EQ(image.GetWidth(), 0);
    loadFromBytes(image, png(96, 192));
    EXPECT_FALSE(image.GetEmpty());
    EXPECT_EQ(image.GetWidth(), 96);
    EXPECT_EQ(image.GetHeight(), 192);

    QImage canvasImage(20, 20, QImage::Format_ARGB32_Premultiplied);
    canvasImage.fill(Qt::white);
    {
        TCanvas canvas(&canvasImage);
        canvas.StretchDraw(Rect(5, 5, 15, 15), &image);
    }
    EXPECT_EQ(canvasImage.pixelColor(5, 5), QColor(Qt::green));
    EXPECT_EQ(canvasImage.pixelColor(14, 14), QColor(Qt::green));
    EXPECT_EQ(canvasImage.pixelColor(15, 15), QColor(Qt::white));
}

TEST(AdvImageTest, bytesThatAreNoPicture)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("notatka.txt"));
    ASSERT_TRUE(writeFileBytes(path, "to nie jest obraz"));

    TAdvImage image;
    int changes = 0;
    image.OnChange = [&](TGraphic*) { ++changes; };
    image.LoadFromFile(path);
    EXPECT_TRUE(image.GetEmpty());
    image.LoadFromFile(folder.filePath(QStringLiteral("brak.png")));
    EXPECT_TRUE(image.GetEmpty());
    EXPECT_EQ(changes, 0);

    try {
        loadFromBytes(image, QByteArray("to nie jest obraz"));
        FAIL() << "no error raised";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Could not load image. Invalid format"));
    }
    EXPECT_FALSE(image.GetEmpty());
    EXPECT_EQ(image.GetWidth(), 0);
    EXPECT_EQ(changes, 0);
}

TEST(AdvImageTest, assignCopiesOnlyALoadedImage)
{
    TAdvImage loaded;
    loadFromBytes(loaded, png(8, 4));
    TAdvImage target;
    int changes = 0;
    target.OnChange = [&](TGraphic*) { ++changes; };
    target.Assign(&loaded);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.GetWidth(), 8);
    EXPECT_EQ(target.Bytes(), loaded.Bytes());

    TAdvImage empty;
    target.Assign(&empty);
    EXPECT_TRUE(target.GetEmpty());
    EXPECT_EQ(target.GetWidth(), 0);
    EXPECT_EQ(target.Bytes(), loaded.Bytes());
    EXPECT_EQ(changes, 1);

    target.Assign(nullptr);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(target.Bytes().isEmpty());
}
