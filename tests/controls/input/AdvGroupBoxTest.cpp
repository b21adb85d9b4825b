#include "AdvGroupBox.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

// The caption's text size as the box measures it.
QSize textSize(const QString& text)
{
    TCanvas canvas;
    TRect r = Rect(0, 0, 1000, 100);
    canvas.DrawText(text, r, DT_CALCRECT | DT_SINGLELINE);
    return QSize(r.Width(), r.Height());
}

} // namespace

TEST(AdvGroupBoxTest, clientRectangleKeepsClearOfFrameAndCaption)
{
    using Box = TAdvCustomGroupBox;
    const int h = textSize(QStringLiteral("Dane")).height() + 2;
    struct Case
    {
        Box::TCaptionPosition position;
        Box::TBorderStyle style;
        bool ctl3D;
        const char* caption;
        TRect client;
    };
    const Case cases[] = {
        {Box::cpTopLeft, Box::bsSingle, true, "Dane", Rect(3, h + 1, 197, 97)},
        {Box::cpTopLeft, Box::bsSingle, false, "Dane", Rect(2, h + 1, 198, 98)},
        {Box::cpTopCenter, Box::bsDouble, true, "Dane", Rect(5, h + 1, 195, 95)},
        {Box::cpTopRight, Box::bsNone, true, "", Rect(2, 3, 198, 98)},
        {Box::cpBottomLeft, Box::bsSingle, true, "Dane", Rect(3, 3, 197, 100 - h - 1)},
        {Box::cpBottomRight, Box::bsDouble, false, "", Rect(3, 3, 197, 100 - 2 - 1)},
    };
    for (const Case& c : cases) {
        TAdvGroupBox box;
        box.resize(200, 100);
        box.SetCaptionPosition(c.position);
        box.SetBorderStyle(c.style);
        box.SetCtl3D(c.ctl3D);
        box.SetCaption(QString::fromUtf8(c.caption));
        EXPECT_EQ(box.GetClientRect(), c.client) << c.position << " " << c.style << " " << c.ctl3D;

        auto* child = new QWidget(&box);
        SetAlign(child, alClient);
        EXPECT_EQ(FromQRect(child->geometry()), c.client) << "an aligned child fills the client area";
    }
}

TEST(AdvGroupBoxTest, captionRectangleAndBorderFollowThePosition)
{
    TAdvGroupBox box;
    box.resize(200, 100);
    box.SetCaption(QStringLiteral("Źródło"));
    const QSize text = textSize(QStringLiteral("Źródło"));
    TRect cr;
    box.GetCaptionRect(cr);
    EXPECT_EQ(cr, Rect(8, 0, 8 + text.width(), text.height() + 2));
    TRect br;
    box.GetBorderRect(br);
    EXPECT_EQ(br.Top, (text.height() + 2) / 2);

    box.SetCaptionPosition(TAdvCustomGroupBox::cpBottomCenter);
    box.GetCaptionRect(cr);
    EXPECT_EQ(cr.Left, (200 - text.width()) / 2);
    EXPECT_EQ(cr.Bottom, 100);

    box.SetCaption(QString());
    box.GetCaptionRect(cr);
    EXPECT_EQ(cr.Width(), 0);
    EXPECT_EQ(cr.Height(), 2);
    box.GetBorderRect(br);
    EXPECT_EQ(br.Bottom, 100) << "nothing to show at the bottom: the frame reaches the edge";
    box.SetCaptionPosition(TAdvCustomGroupBox::cpTopLeft);
    box.GetBorderRect(br);
    EXPECT_EQ(br.Top, 1) << "at the top the frame still moves down by max(2, border width) div 2";
}

TEST(AdvGroupBoxTest, imageBesideTheCaptionAndListRemoval)
{
    auto* images = new TImageList(16, 16);
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::red);
    images->Add(picture);
    TAdvGroupBox box;
    box.resize(200, 100);
    box.SetCaption(QStringLiteral("Zdjęcia"));
    box.SetImages(images);
    box.SetImageIndex(0);
    const QSize text = textSize(QStringLiteral("Zdjęcia"));
    TRect cr;
    box.GetCaptionRect(cr);
    EXPECT_EQ(cr, Rect(8, 0, 8 + 16 + 3 + text.width(), qMax(16, text.height()) + 2));

    const QImage shot = box.grab().toImage();
    EXPECT_EQ(shot.pixelColor(8, 5), QColor(Qt::red));

    box.SetImages(nullptr);
    EXPECT_EQ(box.GetImageIndex(), -1);
    box.SetImages(images);
    box.SetImageIndex(0);
    delete images;
    EXPECT_EQ(box.GetImages(), nullptr);
    EXPECT_EQ(box.GetImageIndex(), -1);
}

TEST(AdvGroupBoxTest, frameIsBrokenBehindTheCaption)
{
    QWidget parent;
    parent.resize(200, 100);
    parent.setStyleSheet(QStringLiteral("background: white"));
    auto* box = new TAdvGroupBox(&parent);
    box->setGeometry(0, 0, 200, 100);
    box->SetBorderColor(clBlue);
    box->SetCaption(QStringLiteral("Dane"));
    box->SetCtl3D(false);
    TRect cr;
    box->GetCaptionRect(cr);
    TRect br;
    box->GetBorderRect(br);
    const QImage image = box->grab().toImage();
    const QColor blue(0, 0, 255);
    EXPECT_EQ(image.pixelColor(cr.Left - 2, br.Top), blue);
    EXPECT_NE(image.pixelColor(cr.Left - 1, br.Top), blue);
    EXPECT_NE(image.pixelColor(cr.Right, br.Top), blue);
    EXPECT_EQ(image.pixelColor(cr.Right + 1, br.Top), blue);
    EXPECT_EQ(image.pixelColor(0, 50), blue);
    EXPECT_EQ(image.pixelColor(199, 50), blue);

    box->SetBorderStyle(TAdvCustomGroupBox::bsDouble);
    box->SetCtl3D(true);
    const QImage etched = box->grab().toImage();
    EXPECT_EQ(etched.pixelColor(0, 50), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(etched.pixelColor(1, 50), QColor(Qt::white));
    EXPECT_EQ(etched.pixelColor(2, 50), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(etched.pixelColor(3, 50), QColor(Qt::white));
}
