#include "ImageList.h"
#include "Canvas.h"

#include <gtest/gtest.h>

#include <QPointer>

namespace {

QImage filled(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

} // namespace

TEST(ImageListTest, addCutsStripsAndSignalsEachChange)
{
    TImageList list(16, 16);
    int changes = 0;
    QObject::connect(&list, &TImageList::Change, [&] { ++changes; });

    QImage strip = filled(32, 16, Qt::red);
    strip.setPixelColor(16, 0, Qt::blue);
    EXPECT_EQ(list.Add(strip), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.GetImage(1).pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(list.Add(filled(8, 8, Qt::green)), 2);
    EXPECT_EQ(list.GetImage(2).size(), QSize(16, 16));
    EXPECT_EQ(changes, 2);

    list.Delete(7);
    EXPECT_EQ(changes, 2);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    list.SetSize(16, 16);
    EXPECT_EQ(changes, 3);
    list.SetSize(24, 24);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(changes, 4);
    list.Clear();
    EXPECT_EQ(changes, 4);
    EXPECT_TRUE(list.GetImage(0).isNull());
}

TEST(ImageListTest, drawsMaskedAndDisabledPictures)
{
    TImageList list(4, 4);
    QImage glyph = filled(4, 4, Qt::magenta);
    glyph.setPixelColor(1, 1, Qt::black);
    list.AddMasked(glyph, clFuchsia);

    QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        TCanvas canvas(&image);
        list.Draw(canvas, 0, 0, 0);
        list.Draw(canvas, 5, 5, 0, false);
        list.Draw(canvas, 5, 0, 3);
    }
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
    // Disabled: grey at half strength over the white background.
    const QColor greyed = image.pixelColor(6, 6);
    EXPECT_EQ(greyed.red(), greyed.green());
    EXPECT_GT(greyed.red(), 100);
    EXPECT_LT(greyed.red(), 160);
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));
}

TEST(ImageListTest, aReferenceForgetsADeletedList)
{
    auto* list = new TImageList;
    QPointer<TImageList> images(list);
    delete list;
    EXPECT_TRUE(images.isNull());
}
