// A window with the progress bar in its looks and the frames of an animated picture, painted offscreen; the
// picture is written to the test output folder for a person to look at.
#include "AdvPicture.h"
#include "AdvProgressBar.h"
#include "GifWriter.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>

namespace {

class Gallery
{
public:
    Gallery()
    {
        window.resize(560, 330);
        window.setAutoFillBackground(true);
        window.setPalette(QPalette(QColor(236, 233, 216)));
    }

    TAdvProgressBar* bar(int x, int y, const char* caption)
    {
        auto* label = new QLabel(QString::fromUtf8(caption), &window);
        label->setGeometry(x, y, 150, 18);
        auto* bar = new TAdvProgressBar(&window);
        bar->move(x + 150, y);
        return bar;
    }

    QWidget window;
};

// Three frames of 30 x 30 on a 60 x 60 screen, each placed in another corner.
QByteArray cornerFrames()
{
    GifWriter gif(60, 60);
    gif.frame(10, 0, 0, 30, 30, GifWriter::Red, GifFrame::Keep);
    gif.frame(10, 30, 0, 30, 30, GifWriter::Green, GifFrame::RestoreBackground);
    gif.frame(10, 30, 30, 30, 30, GifWriter::Blue, GifFrame::Keep);
    return gif.finish();
}

} // namespace

TEST(ExtraGalleryTest, screenshotOfTheProgressBarsAndAnimationFrames)
{
    Gallery g;
    int y = 10;
    for (int position : {30, 75, 95, 100}) {
        g.bar(10, y, "Poziom:")->SetPosition(position);
        y += 24;
    }
    auto* stacked = g.bar(10, y, "Warstwowy:");
    stacked->SetStacked(true);
    stacked->SetPosition(95);
    y += 24;
    auto* smooth = g.bar(10, y, "Gładki, bez gradientu:");
    smooth->SetCompletionSmooth(true);
    smooth->SetShowGradient(false);
    smooth->SetPosition(60);
    y += 24;
    auto* counted = g.bar(10, y, "Z opisem:");
    counted->SetMax(250);
    counted->SetPosition(120);
    counted->SetFormat(QStringLiteral("%d z %d"));
    y += 24;
    auto* endless = g.bar(10, y, "Bez końca:");
    endless->SetInfinite(true);
    endless->SetCompletionSmooth(true);
    for (int i = 0; i < 10; ++i)
        endless->TimerProc();
    y += 24;
    auto* square = g.bar(10, y, "Prostokątny, tła:");
    square->SetRounded(false);
    square->SetPosition(40);
    square->SetLevel0BkColor(RGB(230, 255, 230));
    square->SetLevel1BkColor(RGB(255, 255, 220));
    square->SetLevel2BkColor(RGB(255, 230, 210));
    y += 24;
    auto* magenta = g.bar(10, y, "Kolor magenta:");
    magenta->SetLevel0Color(RGB(255, 0, 255));
    magenta->SetPosition(45);

    auto* standing = new TAdvProgressBar(&g.window);
    standing->setGeometry(300, 10, 22, 180);
    standing->SetOrientation(goVertical);
    standing->SetPosition(80);

    const QByteArray gif = cornerFrames();
    for (int frame = 1; frame <= 3; ++frame) {
        auto* picture = new TAdvPicture(&g.window);
        picture->setGeometry(340 + (frame - 1) * 70, 10, 60, 60);
        loadFromBytes(*picture->GetPicture(), gif);
        picture->GetPicture()->SetFrame(frame);
        auto* label = new QLabel(QStringLiteral("Klatka %1").arg(frame), &g.window);
        label->setGeometry(340 + (frame - 1) * 70, 72, 60, 16);
    }
    auto* shrunk = new TAdvPicture(&g.window);
    shrunk->setGeometry(340, 100, 200, 40);
    shrunk->SetPicturePosition(TAdvPicture::bpCenter);
    shrunk->SetStretchMode(TAdvPicture::smShrink);
    loadFromBytes(*shrunk->GetPicture(), gif);
    shrunk->GetPicture()->SetFrame(3);

    g.window.show();
    QApplication::processEvents();
    const QImage shot = g.window.grab().toImage();
    const QString path = QDir(testOutputFolder()).filePath(QStringLiteral("extra-gallery.png"));
    ASSERT_TRUE(shot.save(path)) << path.toStdString();
}
