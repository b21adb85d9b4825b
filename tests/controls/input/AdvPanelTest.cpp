#include "AdvPanel.h"
#include "TestSupport.h"
#include "UrlOpener.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QTest>
#include <cmath>

namespace {

QColor toQColor(TColor c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Band i of a 32-band gradient from white.
QColor bandFromWhite(TColor to, int i)
{
    auto channel = [i](int end) { return 255 + int(std::nearbyint(i * (end - 255) / 32.0)); };
    return QColor(channel(GetRValue(to)), channel(GetGValue(to)), channel(GetBValue(to)));
}

// A body as the windows set it up: white to a tint, no bevel, a grey border of width 0 with a shadow.
void windowBody(TAdvPanel& panel, TColor colorTo)
{
    panel.SetColor(clWhite);
    panel.SetColorTo(colorTo);
    panel.SetBevelOuter(bvNone);
    panel.SetBorderColor(clGray);
    panel.SetBorderShadow(true);
}

class CountingPaints : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

} // namespace

TEST(AdvPanelTest, bodyGradientBandsForTheWindowsTints)
{
    // The sex tints the person windows use, and the usual light grey.
    for (const TColor tint : {TColor(0xC4C4FF), TColor(0xFFDBB7), TColor(0xE6E6E6), TColor(0xE4E4E4)}) {
        TAdvPanel panel;
        panel.resize(120, 100);
        windowBody(panel, tint);
        const QImage image = panel.grab().toImage();
        for (int i = 0; i < 32; ++i) {
            const int y = int(std::nearbyint(i * 100 / 32.0));
            EXPECT_EQ(image.pixelColor(60, y), bandFromWhite(tint, i)) << std::hex << tint << " band " << std::dec << i;
        }
        EXPECT_EQ(image.pixelColor(60, 99), bandFromWhite(tint, 31)) << "the end colour itself is never painted";
        EXPECT_EQ(image.pixelColor(119, 50), image.pixelColor(0, 50)) << "no border line at width 0";
    }
}

TEST(AdvPanelTest, bodyLowerThanTheBandsAndSolidAndHorizontalBodies)
{
    TAdvPanel low;
    low.resize(50, 20);
    windowBody(low, 0xC4C4FF);
    const QImage lowImage = low.grab().toImage();
    EXPECT_EQ(lowImage.pixelColor(10, 0), QColor(Qt::white));
    EXPECT_EQ(lowImage.pixelColor(10, 19), bandFromWhite(0xC4C4FF, 31));

    TAdvPanel solid;
    solid.resize(50, 20);
    windowBody(solid, clNone);
    solid.SetColor(0xFFDBB7);
    EXPECT_EQ(solid.grab().toImage().pixelColor(25, 19), toQColor(0xFFDBB7));

    TAdvPanel across;
    across.resize(64, 20);
    windowBody(across, clBlack);
    across.SetGradientDirection(gdHorizontal);
    const QImage acrossImage = across.grab().toImage();
    EXPECT_EQ(acrossImage.pixelColor(0, 10), QColor(Qt::white));
    EXPECT_EQ(acrossImage.pixelColor(62, 10), QColor(8, 8, 8));
}

TEST(AdvPanelTest, mirrorGradientFillsTheHalvesSeparately)
{
    TAdvPanel panel;
    panel.resize(40, 64);
    panel.SetBevelOuter(bvNone);
    panel.SetColor(clWhite);
    panel.SetColorTo(clGray);
    panel.SetColorMirror(clBlack);
    panel.SetColorMirrorTo(clBlue);
    const QImage image = panel.grab().toImage();
    EXPECT_EQ(image.pixelColor(20, 0), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(20, 32), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(20, 63).red(), 0);
    EXPECT_GT(image.pixelColor(20, 63).blue(), 200);

    panel.SetColorMirror(clNone);
    EXPECT_EQ(panel.grab().toImage().pixelColor(20, 32), bandFromWhite(clGray, 16)) << "no mirror: one gradient";
}

TEST(AdvPanelTest, borderShadowAndBevels)
{
    TAdvPanel panel;
    panel.resize(50, 40);
    panel.SetColor(clWhite);
    panel.SetBevelOuter(bvNone);
    panel.SetBorderColor(clRed);
    panel.SetBorderWidth(1);
    panel.SetBorderShadow(true);
    QImage image = panel.grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 20), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(47, 20), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(48, 20), toQColor(TCustomAdvPanel::BlendColor(clRed, clBtnFace, 50)));
    EXPECT_EQ(image.pixelColor(49, 20), toQColor(TCustomAdvPanel::BlendColor(clRed, clBtnFace, 20)));
    EXPECT_EQ(image.pixelColor(20, 49 - 10), toQColor(TCustomAdvPanel::BlendColor(clRed, clBtnFace, 20)));

    panel.SetBorderWidth(0);
    panel.SetBorderColor(clNone);
    panel.SetColorTo(clBlack);
    image = panel.grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 30), QColor(Qt::white)) << "no border colour: a frame in Color";
    EXPECT_EQ(image.pixelColor(49, 30), QColor(Qt::white));

    panel.SetBorderColor(clGray);
    panel.SetBevelOuter(bvRaised);
    image = panel.grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 10), toQColor(ColorToRGB(clBtnHighlight)));
    EXPECT_EQ(image.pixelColor(49, 10), toQColor(ColorToRGB(clBtnShadow)));
    panel.SetBevelOuter(bvLowered);
    image = panel.grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 10), toQColor(ColorToRGB(clBtnShadow)));

    EXPECT_EQ(TCustomAdvPanel::BlendColor(clBtnFace, clRed, 100), clBtnFace) << "all of the first colour, unresolved";
    EXPECT_EQ(TCustomAdvPanel::BlendColor(clWhite, clBlack, 50), TColor(0x808080));
}

TEST(AdvPanelTest, setColorToRepaintsOnlyOnAChange)
{
    QWidget window;
    auto* panel = new TAdvPanel(&window);
    windowBody(*panel, 0xE4E4E4);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    CountingPaints counter;
    panel->installEventFilter(&counter);

    panel->SetColorTo(0xE4E4E4);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);

    panel->SetColorTo(0xC4C4FF);
    EXPECT_EQ(panel->GetColorTo(), TColor(0xC4C4FF));
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
}

TEST(AdvPanelTest, backgroundPictureAtTheTopLeftOfTheBody)
{
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QBuffer bytes;
    bytes.setData(imageBytes(picture));
    bytes.open(QIODevice::ReadOnly);
    TAdvImage image;
    image.LoadFromStream(&bytes);

    TAdvPanel panel;
    panel.resize(60, 40);
    panel.SetBevelOuter(bvNone);
    panel.SetColor(clWhite);
    panel.SetBackground(&image);
    QImage shot = panel.grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(30, 30), QColor(Qt::white));

    panel.SetBackgroundPosition(TBackGroundPosition::bpStretched);
    shot = panel.grab().toImage();
    EXPECT_EQ(shot.pixelColor(55, 35), QColor(Qt::red));
}

TEST(AdvPanelTest, linksInTheTextOpenThroughThePolicyOrReachTheOwner)
{
    RecordingOpener opener;

    QWidget window;
    auto* panel = new TAdvPanel(&window);
    panel->resize(300, 60);
    panel->SetText(QStringLiteral("<a href=\"mailto:rodzina@example.com\">poczta</a> <a href=\"osoba:12\">osoba</a>"));
    QStringList clicked, entered, exited;
    panel->OnAnchorClick = [&](QObject*, const QString& a) { clicked.append(a); };
    panel->OnAnchorEnter = [&](QObject*, const QString& a) { entered.append(a); };
    panel->OnAnchorExit = [&](QObject*, const QString& a) { exited.append(a); };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    auto linkAt = [&](const QString& target) {
        TRect r;
        for (int x = 0; x < 300; ++x) {
            if (panel->IsAnchor(x, 8, r) == target)
                return QPoint(x + 2, 8);
        }
        ADD_FAILURE() << "no link to " << target.toStdString();
        return QPoint();
    };
    QTest::mouseClick(panel, Qt::LeftButton, {}, linkAt(QStringLiteral("mailto:rodzina@example.com")));
    EXPECT_EQ(opener.opened, QStringList{QStringLiteral("mailto:rodzina@example.com")});
    EXPECT_TRUE(clicked.isEmpty());
    QTest::mouseClick(panel, Qt::LeftButton, {}, linkAt(QStringLiteral("osoba:12")));
    EXPECT_EQ(clicked, QStringList{QStringLiteral("osoba:12")});

    QTest::mouseMove(panel, linkAt(QStringLiteral("osoba:12")));
    EXPECT_EQ(entered.value(0), QStringLiteral("osoba:12"));
    EXPECT_EQ(panel->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(panel, QPoint(290, 50));
    EXPECT_EQ(exited, QStringList{QString()}) << "leaving a link reports an empty anchor";
    EXPECT_EQ(panel->cursor().shape(), Qt::ArrowCursor);
}

TEST(AdvPanelTest, assignLeavesOutWidthGradientDirectionAndTheTextLayout)
{
    TAdvPanel source;
    source.resize(300, 77);
    source.SetColorTo(0xFFDBB7);
    source.SetText(QStringLiteral("<b>Ród</b>"));
    source.SetGradientDirection(gdHorizontal);
    source.SetEllipsis(true);
    source.SetIndent(5);
    source.SetBorderWidth(2);
    source.GetStatusBar().SetColor(0xDEDEDE);
    source.GetStatusBar().SetVisible(true);
    source.GetCaption().SetHeight(30);
    source.GetCaption().SetText(QStringLiteral("Nagłówek"));

    TAdvPanel target;
    target.resize(100, 20);
    target.Assign(&source);
    EXPECT_EQ(target.GetColorTo(), TColor(0xFFDBB7));
    EXPECT_EQ(target.GetText(), QStringLiteral("<b>Ród</b>"));
    EXPECT_EQ(target.GetRawText(), QStringLiteral("Ród"));
    EXPECT_EQ(target.height(), 77);
    EXPECT_EQ(target.width(), 100);
    EXPECT_EQ(target.GetGradientDirection(), gdVertical);
    EXPECT_FALSE(target.GetEllipsis());
    EXPECT_EQ(target.GetIndent(), 0);
    EXPECT_EQ(target.GetBorderWidth(), 0);
    EXPECT_EQ(target.GetStatusBar().GetColor(), TColor(0xDEDEDE));
    EXPECT_FALSE(target.GetStatusBar().GetVisible());
    EXPECT_EQ(target.GetCaption().GetHeight(), 30);
    EXPECT_TRUE(target.GetCaption().GetText().isEmpty());

    QWidget stranger;
    try {
        target.Assign(&stranger);
        ADD_FAILURE() << "a plain widget was taken";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid class typecast"));
    }
    EXPECT_EQ(target.GetVersion(), QStringLiteral("1.7.9.0"));
}

TEST(AdvPanelTest, statusBarSettingsAndStrip)
{
    TPanelStatusBar bar;
    int changes = 0;
    bar.OnChange = [&](QObject*) { ++changes; };
    bar.SetText(QStringLiteral("Gotowe"));
    bar.SetText(QStringLiteral("Gotowe"));
    EXPECT_EQ(changes, 1) << "the same text again changes nothing";

    TPanelStatusBar other;
    other.SetColor(0xDEDEDE);
    other.SetColorTo(0xA9A9A9);
    other.SetHeight(30);
    other.SetVisible(true);
    bar.Assign(other);
    EXPECT_EQ(bar.GetColorTo(), TColor(0xA9A9A9));
    EXPECT_EQ(bar.GetHeight(), 18);
    EXPECT_FALSE(bar.GetVisible());
    EXPECT_EQ(bar.GetText(), QStringLiteral("Gotowe"));

    TAdvPanel panel;
    panel.resize(100, 60);
    panel.SetBevelOuter(bvNone);
    panel.SetColor(clWhite);
    auto* child = new QWidget(&panel);
    SetAlign(child, alClient);
    panel.GetStatusBar().SetColor(0xDEDEDE);
    panel.GetStatusBar().SetColorTo(0xA9A9A9);
    panel.GetStatusBar().SetGradientDirection(gdVertical);
    panel.GetStatusBar().SetVisible(true);
    EXPECT_EQ(child->geometry().bottom() + 1, 60 - 18) << "the children keep clear of the strip";
    QImage image = panel.grab().toImage();
    const int top = 60 - 18 - 1;
    EXPECT_EQ(image.pixelColor(50, top), toQColor(0xDEDEDE));
    EXPECT_LT(image.pixelColor(50, 58).red(), image.pixelColor(50, top + 8).red()) << "darker towards the bottom";
    EXPECT_EQ(image.pixelColor(50, 58).red(), 0xDE + int(std::nearbyint(31 * (0xA9 - 0xDE) / 32.0)));

    panel.GetStatusBar().SetColor(clNone);
    image = panel.grab().toImage();
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::white)) << "no colour, no strip background";
}

TEST(AdvPanelTest, childrenAlignInsideBevelsAndBorder)
{
    TAdvPanel panel;
    panel.resize(100, 50);
    auto* child = new QWidget(&panel);
    SetAlign(child, alClient);
    EXPECT_EQ(child->geometry(), QRect(1, 1, 98, 48)) << "inside the raised outer bevel";
    panel.SetBevelOuter(bvNone);
    panel.SetBorderWidth(3);
    EXPECT_EQ(child->geometry(), QRect(3, 3, 94, 44));
    EXPECT_FALSE(panel.GetCaption().GetVisible());
}
