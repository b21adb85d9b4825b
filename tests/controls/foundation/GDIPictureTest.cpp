#include "GDIPicture.h"
#include "AdvGDIP.h"
#include "Canvas.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

namespace {

// 4 by 2: the left half opaque red, the right half fully transparent.
QByteArray halfTransparentPng()
{
    QImage image(4, 2, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            image.setPixelColor(x, y, Qt::red);
    return imageBytes(image);
}

// 4 by 4 magenta with one blue pixel at (1, 1).
QByteArray magentaBmp()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    image.setPixelColor(1, 1, Qt::blue);
    return imageBytes(image, "BMP");
}

} // namespace

TEST(GDIPictureTest, wrapperSettings)
{
    EXPECT_EQ(GlowSpeed, 30);
    EXPECT_FALSE(IsVista());
}

TEST(GDIPictureTest, aPngIsStretchedWithItsAlphaAndMeasured)
{
    TGDIPPicture picture;
    loadFromBytes(picture, halfTransparentPng());
    EXPECT_FALSE(picture.GetEmpty());
    EXPECT_EQ(picture.GetWidth(), 4);
    EXPECT_EQ(picture.GetHeight(), 2);
    QImage image = whiteImage(40, 20);
    {
        TCanvas canvas(&image);
        canvas.StretchDraw(Rect(0, 0, 40, 20), &picture);
    }
    EXPECT_EQ(image.pixelColor(5, 10), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(35, 10), QColor(Qt::white));
}

TEST(GDIPictureTest, aBitmapIsDrawnUnscaledWithoutItsBottomLeftColour)
{
    TGDIPPicture picture;
    loadFromBytes(picture, magentaBmp());
    QImage image = whiteImage(60, 60);
    {
        TCanvas canvas(&image);
        canvas.StretchDraw(Rect(10, 10, 50, 50), &picture);
    }
    EXPECT_EQ(image.pixelColor(11, 11), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(30, 30), QColor(Qt::white));
}

TEST(GDIPictureTest, sizesComeFromMeasuring)
{
    TGDIPPicture picture;
    EXPECT_FALSE(picture.GetImageSizes());
    QByteArray bytes = halfTransparentPng();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    picture.ReadData(&buffer);
    EXPECT_FALSE(picture.GetEmpty());
    EXPECT_EQ(picture.GetWidth(), 0);
    EXPECT_TRUE(picture.GetImageSizes());
    EXPECT_EQ(picture.GetWidth(), 4);

    TGDIPPicture garbage;
    loadFromBytes(garbage, QByteArray("no picture at all"));
    EXPECT_TRUE(garbage.GetImageSizes());
    EXPECT_EQ(garbage.GetWidth(), 0);
    EXPECT_EQ(garbage.GetHeight(), 0);
    QImage image = whiteImage(10, 10);
    TCanvas canvas(&image);
    garbage.Draw(canvas, Rect(0, 0, 10, 10));
}

TEST(GDIPictureTest, eventsComeInTheirOrder)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("obraz.png"));
    ASSERT_TRUE(writeFileBytes(path, halfTransparentPng()));

    TGDIPPicture picture;
    QStringList events;
    picture.OnClear = [&](TGDIPPicture* p) { events << QStringLiteral("clear %1").arg(p->GetWidth()); };
    picture.OnChange = [&](TGraphic* p) { events << QStringLiteral("change %1").arg(p->GetWidth()); };
    picture.LoadFromFile(path);
    EXPECT_EQ(events, (QStringList{QStringLiteral("clear 0"), QStringLiteral("change 4")}));

    events.clear();
    picture.Assign(nullptr);
    EXPECT_EQ(events, (QStringList{QStringLiteral("change 4"), QStringLiteral("clear 4")}));
    EXPECT_TRUE(picture.GetEmpty());
    EXPECT_TRUE(picture.Bytes().isEmpty());

    events.clear();
    picture.LoadFromFile(folder.filePath(QStringLiteral("brak.png")));
    EXPECT_TRUE(picture.GetEmpty());
    EXPECT_TRUE(events.isEmpty());
}

TEST(GDIPictureTest, assignCopiesPicturesAndBitmaps)
{
    TGDIPPicture source;
    loadFromBytes(source, halfTransparentPng());
    TGDIPPicture copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.Bytes(), source.Bytes());
    EXPECT_EQ(copy.GetWidth(), 4);

    TBitmap bitmap(3, 5);
    copy.Assign(&bitmap);
    EXPECT_FALSE(copy.GetEmpty());
    EXPECT_EQ(copy.GetWidth(), 3);
    EXPECT_EQ(copy.GetHeight(), 5);

    TGDIPPicture empty;
    copy.Assign(&empty);
    EXPECT_TRUE(copy.GetEmpty());
}

TEST(GDIPictureTest, urlsNameFilesAndResources)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("obraz.png"));
    ASSERT_TRUE(writeFileBytes(path, halfTransparentPng()));

    TGDIPPicture picture;
    picture.LoadFromURL(QStringLiteral("file://") + path);
    EXPECT_FALSE(picture.GetEmpty());
    EXPECT_EQ(picture.GetWidth(), 4);

    int changes = 0;
    picture.OnChange = [&](TGraphic*) { ++changes; };
    for (const char* url : {"RES://NOSUCHPICTURE", "RES://", "FILE://", "http://example.com/a.png", ""}) {
        picture.LoadFromURL(QString::fromLatin1(url));
        EXPECT_FALSE(picture.GetEmpty()) << url;
    }
    EXPECT_EQ(changes, 0);
    EXPECT_THROW(picture.LoadFromResourceID(4711), Exception);
}
