// Markup pictures: GIF frames and animation, loading by URL, the cache, the container and the picture control.
#include "PictureContainer.h"
#include "Canvas.h"
#include "FoundationTestSupport.h"
#include "GifWriter.h"
#include "HTMLText.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QResource>

TEST(HTMLPictureTest, framesOfAGifAreCountedAndSelected)
{
    THTMLPicture picture;
    loadFromBytes(picture, threeFrames());
    ASSERT_FALSE(picture.GetEmpty());
    EXPECT_TRUE(picture.IsGIFFile());
    EXPECT_EQ(picture.GetFrameCount(), 3);
    EXPECT_EQ(picture.GetFrameTime(1), 10);
    EXPECT_EQ(picture.GetFrameTime(4), -1);
    EXPECT_EQ(picture.GetMaxWidth(), 4);
    EXPECT_EQ(picture.GetMaxHeight(), 4);

    int frameChanges = 0;
    picture.OnFrameChange = [&](THTMLPicture*) { ++frameChanges; };
    picture.SetFrame(2);
    EXPECT_EQ(frameChanges, 1);
    EXPECT_EQ(picture.GetFrameLeft(), 2);
    EXPECT_EQ(picture.GetFrameTop(), 2);
    EXPECT_FALSE(picture.GetEmpty());
}

TEST(HTMLPictureTest, aComposedFrameIsDrawnAtThePicturesOrigin)
{
    TPictureContainer container;
    TPictureItem* item = container.GetItems().Add();
    item->Name = "Anim";
    loadFromBytes(*item->GetPicture(), threeFrames());
    item->GetPicture()->SetFrame(2);

    QImage image(40, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    TCanvas canvas(&image);
    QString anchor, plain, focused;
    int width = 0, height = 0, anchors = 0, number = -1;
    TRect hoverRect;
    MarkupRender(&canvas, "<img src=\"anim\">", Rect(0, 0, 40, 20), nullptr, -1, -1, -1, -1, 1, false, false, false,
                 false, true, false, true, 1.0, clBlue, clNone, clNone, clGray, anchor, plain, focused, width, height,
                 anchors, number, hoverRect, nullptr, &container, 0);
    // Lines start one pixel in; frame 2 painted green over frame 1's red at its place in the picture.
    EXPECT_EQ(image.pixelColor(1, 0), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(1 + 2, 2), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(1 + 3, 3), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(1 + 4, 4), QColor(Qt::black));
}

TEST(HTMLPictureTest, stepsOfOneHundredMillisecondsFollowTheFrameDelays)
{
    THTMLPicture picture;
    loadFromBytes(picture, threeFrames());
    const bool expectedSteps[] = {false, false, true, true, true, true};
    const int expectedFrames[] = {1, 1, 2, 3, 1, 2};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(picture.Step(), expectedSteps[i]) << i;
        EXPECT_EQ(picture.GetFrame(), expectedFrames[i]) << i;
    }
}

TEST(HTMLPictureTest, truncatedGifDataEndsTheFrameScan)
{
    const QByteArray whole = threeFrames();
    int previous = 0;
    for (qsizetype size = 0; size <= whole.size(); ++size) {
        THTMLPicture picture;
        loadFromBytes(picture, whole.left(size));
        const int count = picture.GetFrameCount();
        EXPECT_LE(count, 3) << size;
        if (size > 4) {
            EXPECT_GE(count, previous) << size;
            previous = count;
        }
        picture.SetFrame(3);
        picture.Step();
        picture.GetMaxWidth();
    }
    EXPECT_EQ(previous, 3);

    GifWriter still;
    still.image(0, 0, 4, 4, 1);
    THTMLPicture picture;
    loadFromBytes(picture, still.finish());
    EXPECT_EQ(picture.GetFrameCount(), 0);
    EXPECT_FALSE(picture.GetEmpty());
    EXPECT_EQ(picture.GetMaxWidth(), 4);
}

TEST(HTMLPictureTest, dataThatDoesNotDecodeCountsAsEmpty)
{
    THTMLPicture picture;
    loadFromBytes(picture, QByteArray("GIF89a this is no picture"));
    EXPECT_TRUE(picture.GetEmpty());
    EXPECT_EQ(picture.GetWidth(), 0);
    EXPECT_FALSE(picture.Step());

    loadFromBytes(picture, QByteArray("plain text"));
    EXPECT_TRUE(picture.GetEmpty());
    EXPECT_EQ(picture.GetFrameCount(), -1);
    EXPECT_EQ(picture.GetFrameCount(), -1);
    EXPECT_EQ(picture.GetFrameTime(1), -1);
    EXPECT_EQ(savedBytes(picture), QByteArray("plain text"));

    QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
    TCanvas canvas(&image);
    canvas.Draw(0, 0, &picture);
}

TEST(HTMLPictureTest, newDataStartsAtItsFirstFrame)
{
    THTMLPicture picture;
    loadFromBytes(picture, threeFrames());
    picture.GetFrameCount();
    picture.SetFrame(3);
    loadFromBytes(picture, pngBytes(6, 5, Qt::red));
    EXPECT_EQ(picture.GetFrame(), 1);
    EXPECT_EQ(picture.GetFrameCount(), -1);
    EXPECT_EQ(picture.GetWidth(), 6);
}

TEST(HTMLPictureTest, picturesLoadByUrl)
{
    const QString file = QDir::temp().filePath("Kronvel Obraz.png");
    writeFileBytes(file, pngBytes(7, 3, Qt::blue));
    struct Case
    {
        QString url;
        bool empty;
        QString downloadUrl;
    };
    const Case cases[] = {
        {"file://" + file, false, ""},
        {"FiLe://" + file, false, ""},
        {"FILE://" + file + ".missing", true, ""},
        {"FILE://", true, ""},
        {"RES://", true, ""},
        {"res://no/such/picture.png", true, ""},
        {"http://example.org/Obraz.png", true, "http://example.org/Obraz.png"},
    };
    for (const Case& c : cases) {
        THTMLPicture picture;
        picture.SetAsyncDownload(false);
        picture.LoadFromURL(c.url);
        EXPECT_EQ(picture.GetEmpty(), c.empty) << c.url.toStdString();
        EXPECT_EQ(picture.GetSourceKey(), c.url) << c.url.toStdString();
        EXPECT_EQ(picture.GetDownloadURL(), c.downloadUrl) << c.url.toStdString();
    }
    QFile::remove(file);

    // A resource is found by its name as written; the prefix is read in any case.
    THTMLPicture resource;
    resource.LoadFromURL("Res://lang/messages_pl.txt");
    EXPECT_EQ(savedBytes(resource), readFileBytes(":/lang/messages_pl.txt"));
    EXPECT_TRUE(resource.GetEmpty());

    // Other addresses are never fetched: the first one is kept and later ones change nothing.
    THTMLPicture remote;
    remote.LoadFromURL("http://example.org/a.png");
    remote.LoadFromURL("http://example.org/b.png");
    EXPECT_EQ(remote.GetDownloadURL(), "http://example.org/a.png");
    EXPECT_EQ(remote.GetSourceKey(), "");
}

TEST(HTMLPictureTest, cacheFindsPicturesByTheirUrlAsWritten)
{
    THTMLPictureCache cache;
    THTMLPicture* picture = cache.AddPicture();
    picture->SetAsyncDownload(false);
    picture->LoadFromURL("http://example.org/A.png");
    EXPECT_EQ(cache.FindPicture("http://example.org/A.png"), picture);
    EXPECT_EQ(cache.FindPicture("HTTP://example.org/A.png"), nullptr);

    loadFromBytes(*cache.AddPicture(), threeFrames());
    cache.GetPicture(1)->GetFrameCount();
    EXPECT_FALSE(cache.Animate());
    EXPECT_FALSE(cache.Animate());
    EXPECT_TRUE(cache.Animate());
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);
}

TEST(HTMLPictureTest, copiesTakeDataFrameAndSourceKey)
{
    THTMLPicture source;
    loadFromBytes(source, threeFrames());
    source.SetFrame(2);
    source.SetStretch(true);
    THTMLPicture copy;
    int changes = 0;
    copy.OnChange = [&](TGraphic*) { ++changes; };
    copy.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(copy.GetEmpty());
    EXPECT_EQ(copy.GetFrame(), 2);
    EXPECT_TRUE(copy.GetStretch());
    EXPECT_EQ(copy.GetFrameLeft(), 2);
    EXPECT_EQ(savedBytes(copy), savedBytes(source));

    TBitmap bitmap(3, 3);
    copy.Assign(&bitmap);
    EXPECT_TRUE(copy.GetEmpty());
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.GetEmpty());
    EXPECT_TRUE(savedBytes(copy).isEmpty());
}

TEST(PictureContainerTest, picturesAreFoundByNameIgnoringCase)
{
    TPictureContainer container;
    TPictureItem* first = container.GetItems().Add();
    first->Name = "Herb";
    TPictureItem* second = container.GetItems().Add();
    second->Name = "HERB";
    EXPECT_EQ(container.FindPicture("herb"), first->GetPicture());
    EXPECT_EQ(container.FindPicture("Tarcza"), nullptr);

    TPictureCollection copy;
    loadFromBytes(*first->GetPicture(), pngBytes(2, 2, Qt::red));
    first->Tag = 7;
    copy.Assign(container.GetItems());
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.GetItem(0)->Name, "Herb");
    EXPECT_EQ(copy.GetItem(0)->Tag, 7);
    EXPECT_FALSE(copy.GetItem(0)->GetPicture()->GetEmpty());
    EXPECT_EQ(copy.Insert(0)->Name, "");
    EXPECT_EQ(copy.Count(), 3);
}

TEST(HTMLImageTest, pictureIsPlacedAtItsPosition)
{
    THTMLPicture red;
    loadFromBytes(red, pngBytes(10, 10, Qt::red));
    struct Case
    {
        TPicturePosition position;
        QPoint inside;
        QPoint outside;
    };
    const Case cases[] = {
        {bpTopLeft, {0, 0}, {10, 10}},      {bpTopRight, {29, 0}, {19, 0}}, {bpBottomLeft, {0, 19}, {0, 9}},
        {bpBottomRight, {29, 19}, {19, 9}}, {bpCenter, {10, 5}, {9, 4}},    {bpTiled, {25, 15}, {-1, -1}},
        {bpStretched, {29, 19}, {-1, -1}},
    };
    for (const Case& c : cases) {
        THTMLImage control;
        control.resize(30, 20);
        control.SetHTMLPicture(&red);
        control.SetPicturePosition(c.position);
        const QImage shot = control.grab().toImage();
        EXPECT_EQ(shot.pixelColor(c.inside), QColor(Qt::red)) << c.position;
        if (c.outside.x() >= 0) {
            EXPECT_NE(shot.pixelColor(c.outside), QColor(Qt::red)) << c.position;
        }
    }

    THTMLImage small;
    small.resize(5, 5);
    small.SetHTMLPicture(&red);
    small.SetPicturePosition(bpCenter);
    EXPECT_EQ(small.grab().toImage().pixelColor(0, 0), QColor(Qt::red));
}
