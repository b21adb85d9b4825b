// The animated picture: GIF frames with their delays and disposals, the animation ticked by hand, loading and
// its errors, and where the control places the picture.
#include "AdvPicture.h"
#include "../foundation/FoundationTestSupport.h"
#include "Canvas.h"
#include "ExtraTestSupport.h"
#include "GifWriter.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// Three 2 x 2 frames on a 4 x 4 screen: red at the top left, kept; green at the top right, then taken away to the
// background; blue at the bottom left, then the screen restored to what was before it.
QByteArray disposingFrames()
{
    GifWriter gif;
    gif.frame(10, 0, 0, 2, 2, GifWriter::Red, GifFrame::Keep);
    gif.frame(20, 2, 0, 2, 2, GifWriter::Green, GifFrame::RestoreBackground);
    gif.frame(30, 0, 2, 2, 2, GifWriter::Blue, GifFrame::RestorePrevious, GifWriter::White);
    return gif.finish();
}

QByteArray oneFrame()
{
    GifWriter gif;
    gif.frame(10, 0, 0, 4, 4, GifWriter::Red);
    return gif.finish();
}

// The picture's frame as the control shows it, on white.
QImage shown(TIPicture& picture)
{
    QImage image(picture.GetWidth(), picture.GetHeight(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    canvas.Draw(0, 0, &picture);
    return image;
}

// The frames the control shows after each of the given number of timer ticks.
std::vector<int> framesPerTick(const QByteArray& gif, int ticks)
{
    TAdvPicture control;
    loadFromBytes(*control.GetPicture(), gif);
    control.SetAnimate(true);
    std::vector<int> frames;
    for (int i = 0; i < ticks; ++i) {
        control.Timer();
        frames.push_back(control.GetPicture()->GetFrame());
    }
    return frames;
}

} // namespace

TEST(TIPictureTest, framesDelaysAndDisposalsComeFromTheGif)
{
    TIPicture picture;
    loadFromBytes(picture, disposingFrames());
    ASSERT_FALSE(picture.GetEmpty());
    EXPECT_TRUE(picture.IsGIFFile());
    EXPECT_EQ(picture.GetFrameCount(), 3);
    struct Case
    {
        int frame, delay, disposal;
        bool transparent;
    };
    const Case cases[] = {{1, 10, 1, false}, {2, 20, 2, false}, {3, 30, 3, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(picture.GetFrameTime(c.frame), c.delay) << c.frame;
        EXPECT_EQ(picture.GetDisposal(), c.disposal) << c.frame;
        EXPECT_EQ(picture.GetTransparent(), c.transparent) << c.frame;
    }
    EXPECT_EQ(picture.GetFrameTime(0), -1);
    EXPECT_EQ(picture.GetFrameTime(4), -1);
    EXPECT_EQ(picture.GetMaxWidth(), 4);
    EXPECT_EQ(picture.GetMaxHeight(), 4);

    picture.SetFrame(2);
    EXPECT_EQ(picture.GetFrameLeft(), 2);
    EXPECT_EQ(picture.GetFrameTop(), 0);
    EXPECT_EQ(picture.GetFrameWidth(), 2);
    EXPECT_EQ(picture.GetFrameHeight(), 2);

    TIPicture still;
    loadFromBytes(still, pngBytes(3, 2, Qt::red));
    EXPECT_FALSE(still.IsGIFFile());
    EXPECT_EQ(still.GetFrameCount(), -1);
    EXPECT_EQ(still.GetFrameTime(1), -1);
    EXPECT_EQ(still.GetMaxWidth(), 3);
}

TEST(TIPictureTest, eachFrameIsComposedOntoTheScreenAndDrawnAtThePicturesOrigin)
{
    TIPicture picture;
    loadFromBytes(picture, disposingFrames());
    const QColor red(Qt::red), green(Qt::green), blue(Qt::blue), white(Qt::white);
    struct Case
    {
        int frame;
        QColor topLeft, topRight, bottomLeft;
    };
    // Frame 3 follows frame 2, whose place goes back to the background (nothing, so white shows).
    const Case cases[] = {
        {0, red, white, white}, {1, red, white, white}, {2, red, green, white}, {3, red, white, blue}};
    for (const Case& c : cases) {
        picture.SetFrame(c.frame);
        const QImage image = shown(picture);
        ASSERT_EQ(image.size(), QSize(4, 4)) << c.frame;
        EXPECT_EQ(image.pixelColor(0, 0), c.topLeft) << c.frame;
        EXPECT_EQ(image.pixelColor(3, 0), c.topRight) << c.frame;
        EXPECT_EQ(image.pixelColor(0, 3), c.bottomLeft) << c.frame;
    }

    // A frame that is not there shows nothing, and the picture comes back with the next frame asked for.
    picture.SetFrame(4);
    EXPECT_TRUE(picture.GetEmpty());
    EXPECT_EQ(picture.GetWidth(), 0);
    picture.SetFrame(1);
    EXPECT_FALSE(picture.GetEmpty());
}

TEST(TAdvPictureTest, timerTicksShowEachFrameForItsDelay)
{
    const std::vector<int> frames = framesPerTick(disposingFrames(), 71);
    const std::pair<int, int> switches[] = {{0, 1}, {9, 1}, {10, 2}, {29, 2}, {30, 3}, {59, 3}, {60, 1}, {70, 2}};
    for (const auto& [tick, frame] : switches)
        EXPECT_EQ(frames[size_t(tick)], frame) << "tick " << tick;

    // A frame without delay is shown for one tick, and the animation goes on.
    GifWriter gif;
    gif.frame(10, 0, 0, 4, 4, GifWriter::Red);
    gif.frame(0, 0, 0, 4, 4, GifWriter::Green);
    gif.frame(10, 0, 0, 4, 4, GifWriter::Blue);
    const std::vector<int> quick = framesPerTick(gif.finish(), 22);
    EXPECT_EQ(quick[10], 2);
    EXPECT_EQ(quick[11], 3);
    EXPECT_EQ(quick[21], 1);

    // One frame is no animation.
    const std::vector<int> single = framesPerTick(oneFrame(), 30);
    EXPECT_EQ(single.back(), 0);
}

TEST(TAdvPictureTest, aFrameThatRestoresTheBackgroundIsRepaintedLater)
{
    QWidget window;
    window.resize(120, 120);
    auto* control = new TAdvPicture(&window);
    loadFromBytes(*control->GetPicture(), disposingFrames());
    window.show();
    QApplication::processEvents();
    PaintCounter counter(control);
    int frameChanges = 0;
    control->OnFrameChange = [&](QObject* sender) {
        EXPECT_EQ(sender, control);
        ++frameChanges;
    };
    control->SetAnimate(true);

    control->Timer(); // to frame 1: nothing was left yet, so it is painted at once
    EXPECT_EQ(counter.paints, 1);
    for (int i = 1; i <= 10; ++i)
        control->Timer(); // leaves frame 1, which is kept: painted at once
    EXPECT_EQ(counter.paints, 2);
    for (int i = 11; i <= 30; ++i)
        control->Timer(); // leaves frame 2, which restores the background: painted when the loop comes round
    EXPECT_EQ(counter.paints, 2);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 3);
    EXPECT_EQ(frameChanges, 3);
}

TEST(TAdvPictureTest, cutOffAndForeignDataLoadNoFrameThatIsNotThere)
{
    const QByteArray whole = disposingFrames();
    for (qsizetype size = 0; size <= whole.size(); ++size) {
        TAdvPicture control;
        try {
            loadFromBytes(*control.GetPicture(), whole.left(size));
        } catch (const Exception&) {
        }
        TIPicture* picture = control.GetPicture();
        EXPECT_LE(picture->GetFrameCount(), 3) << size;
        for (int n = 0; n <= 4; ++n) {
            picture->GetFrameTime(n);
            picture->SetFrame(n);
        }
        control.SetAnimate(true);
        for (int i = 0; i < 70; ++i)
            control.Timer();
        control.grab();
    }

    struct Case
    {
        QByteArray data;
        const char* error;
    };
    const Case cases[] = {
        {"plain text, no picture", "Could not load image. Invalid format"},
        {"", "Could not load image. Invalid format"},
        {whole.left(13), "Could not load image"},
    };
    for (const Case& c : cases) {
        TIPicture picture;
        try {
            loadFromBytes(picture, c.data);
            ADD_FAILURE() << "no error for " << c.data.toStdString();
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.error) << c.data.toStdString();
        }
        EXPECT_TRUE(picture.GetEmpty());
        EXPECT_EQ(savedBytes(picture), c.data);
    }
}

// Each GIF image is kept at the size of the logical screen, so a few kilobytes of one-pixel frames on a large
// screen promise gigabytes: such a picture is refused and stays empty.
TEST(TIPictureTest, aGifWhoseFramesNeedTooMuchMemoryIsRefused)
{
    GifWriter gif(3000, 3000);
    for (int i = 0; i < 150; ++i)
        gif.frame(10, i, i, 1, 1, GifWriter::Red);
    const QByteArray hostile = gif.finish();
    ASSERT_LT(hostile.size(), 4096);

    TIPicture picture;
    try {
        loadFromBytes(picture, hostile);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u("Could not load image"));
    }
    EXPECT_TRUE(picture.GetEmpty());

    QTemporaryDir folder;
    const QString file = folder.filePath("duzy.gif");
    writeFileBytes(file, hostile);
    TAdvPicture control;
    control.GetPicture()->LoadFromFile(file);
    EXPECT_TRUE(control.GetPicture()->GetEmpty());
    EXPECT_EQ(control.GetPicture()->GetWidth(), 0);
}

TEST(TIPictureTest, picturesLoadByAddressFileAndResource)
{
    QTemporaryDir folder;
    const QString file = folder.filePath("Obraz żółwia.gif");
    writeFileBytes(file, oneFrame());
    const QString garbage = folder.filePath("zepsuty.gif");
    writeFileBytes(garbage, "GIF89a and nothing more");
    struct Case
    {
        QString url;
        bool loaded;
        QString remembered;
    };
    const Case cases[] = {
        {"res://picture", true, "res://picture"},          {"RES://Picture", true, "RES://Picture"},
        {"ReS://PICTURE", true, "ReS://PICTURE"},          {"RES://NOSUCHPICTURE", false, "RES://NOSUCHPICTURE"},
        {"file://" + file, true, "file://" + file},        {"FILE://", false, "FILE://"},
        {"FILE://" + garbage, false, "FILE://" + garbage}, {"http://x", false, ""},
    };
    for (const Case& c : cases) {
        TIPicture picture;
        picture.LoadFromURL(c.url);
        EXPECT_EQ(!picture.GetEmpty(), c.loaded) << c.url.toStdString();
        EXPECT_EQ(picture.GetURL(), c.remembered) << c.url.toStdString();
    }

    TIPicture fromFile;
    int clears = 0;
    int changes = 0;
    fromFile.OnClear = [&](TIPicture*) {
        EXPECT_EQ(changes, 0) << "cleared before it changed";
        ++clears;
    };
    fromFile.OnChange = [&](TGraphic*) { ++changes; };
    fromFile.LoadFromFile(file);
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(changes, 1);
    fromFile.LoadFromFile(garbage);
    EXPECT_TRUE(fromFile.GetEmpty());
    EXPECT_EQ(fromFile.GetFrameCount(), -1);
    EXPECT_THROW(fromFile.LoadFromResourceID(4711), Exception);
}

TEST(TIPictureTest, copiesTakeTheBytesAndEmptyingTellsBothEvents)
{
    TIPicture source;
    loadFromBytes(source, disposingFrames());
    TIPicture copy;
    QStringList events;
    copy.OnChange = [&](TGraphic*) { events << "change"; };
    copy.OnClear = [&](TIPicture*) { events << "clear"; };
    copy.Assign(&source);
    EXPECT_EQ(events, QStringList{"change"});
    EXPECT_EQ(savedBytes(copy), disposingFrames());
    EXPECT_EQ(copy.GetFrameCount(), 3);

    events.clear();
    copy.Assign(nullptr);
    EXPECT_EQ(events, (QStringList{"change", "clear"}));
    EXPECT_TRUE(copy.GetEmpty());
    EXPECT_TRUE(savedBytes(copy).isEmpty());

    // A picture without data copies as none; another kind of graphic empties the picture without a word.
    loadFromBytes(copy, disposingFrames());
    events.clear();
    TIPicture nothing;
    copy.Assign(&nothing);
    EXPECT_EQ(events, (QStringList{"change", "clear"}));
    loadFromBytes(copy, disposingFrames());
    events.clear();
    TBitmap bitmap(2, 2);
    copy.Assign(&bitmap);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(copy.GetEmpty());
}

TEST(TAdvPictureTest, picturesArePlacedShrunkAndStretched)
{
    struct Case
    {
        TAdvPicture::TPicturePosition position;
        TAdvPicture::TStretchMode mode;
        QSize picture;
        QRect expected; // where the picture's red lands in the 100 x 100 control
    };
    using P = TAdvPicture;
    const Case cases[] = {
        {P::bpCenter, P::smNever, {20, 10}, {40, 45, 20, 10}},
        {P::bpTopLeft, P::smShrink, {200, 100}, {0, 0, 100, 50}},
        {P::bpBottomRight, P::smShrink, {200, 100}, {0, 50, 100, 50}},
        {P::bpCenter, P::smShrink, {20, 10}, {40, 45, 20, 10}},
        {P::bpTopRight, P::smNever, {20, 10}, {80, 0, 20, 10}},
        {P::bpBottomLeft, P::smNever, {20, 10}, {0, 90, 20, 10}},
        {P::bpStretchedWithAspect, P::smNever, {20, 10}, {0, 0, 100, 50}},
        {P::bpStretchedWithAspect, P::smNever, {10, 20}, {0, 0, 50, 100}},
        {P::bpTiled, P::smNever, {20, 10}, {0, 0, 100, 100}},
        {P::bpStretched, P::smNever, {20, 10}, {0, 0, 100, 100}},
    };
    for (const Case& c : cases) {
        TAdvPicture control;
        control.SetPicturePosition(c.position);
        control.SetStretchMode(c.mode);
        loadFromBytes(*control.GetPicture(), pngBytes(c.picture.width(), c.picture.height(), Qt::red));
        const QImage shot = control.grab().toImage();
        const QRect inside = c.expected.adjusted(1, 1, -1, -1);
        for (const QPoint corner : {inside.topLeft(), inside.topRight(), inside.bottomLeft(), inside.bottomRight()})
            EXPECT_EQ(shot.pixelColor(corner), QColor(Qt::red)) << c.position << " " << c.mode;
        const QRect outside = c.expected.adjusted(-1, -1, 1, 1);
        for (const QPoint corner :
             {outside.topLeft(), outside.topRight(), outside.bottomLeft(), outside.bottomRight()}) {
            if (shot.rect().contains(corner)) {
                EXPECT_NE(shot.pixelColor(corner), QColor(Qt::red)) << c.position << " " << c.mode;
            }
        }
    }
}

TEST(TAdvPictureTest, autoSizeVersionAndTheTimerEndingWithTheControl)
{
    auto* control = new TAdvPicture;
    EXPECT_EQ(control->size(), QSize(100, 100));
    EXPECT_EQ(control->GetVersion(), "1.3.1.2");
    control->SetAutoSizeP(true);
    loadFromBytes(*control->GetPicture(), pngBytes(30, 20, Qt::red));
    EXPECT_EQ(control->size(), QSize(30, 20));

    control->SetAnimate(true);
    QPointer<QTimer> timer = control->findChild<QTimer*>();
    ASSERT_TRUE(timer);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 10);
    control->SetAnimate(false);
    EXPECT_TRUE(timer.isNull());

    control->SetAnimate(true);
    timer = control->findChild<QTimer*>();
    delete control;
    EXPECT_TRUE(timer.isNull());
}
