// The panel's caption bar: plain and gradient bars, the close cross and the min/max triangle at either end of a top
// or left bar, the room the buttons take from the text, the turned text of a left bar, and links in the caption.
#include "AdvPanel.h"
#include "InputTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

namespace {

constexpr TColor barColour = clNavy;
constexpr TColor closeColour = clWhite;
constexpr TColor minMaxColour = clYellow;

QColor qColour(TColor c)
{
    return ToQColor(c);
}

// A panel with only a caption bar over a white body: no bevel, border or shadow.
void captionPanel(TAdvPanel& panel, TPanelCaption::TCaptionPosition position, int w, int h)
{
    panel.resize(w, h);
    panel.SetColor(clWhite);
    panel.SetBevelOuter(bvNone);
    panel.SetBorderColor(clNone);
    TPanelCaption& caption = panel.GetCaption();
    caption.SetPosition(position);
    caption.SetVisible(true);
    caption.SetColor(barColour);
    caption.SetCloseButtonColor(closeColour);
    caption.SetMinMaxButtonColor(minMaxColour);
    TFont font = caption.GetFont();
    font.Color = clBlack;
    caption.SetFont(font);
}

void mouse(QWidget& widget, QEvent::Type type, QPoint at)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, button, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

} // namespace

TEST(AdvPanelCaptionTest, plainBarIsTheCaptionColourAndAGradientRunsToColorTo)
{
    TAdvPanel panel;
    captionPanel(panel, TPanelCaption::cpTop, 200, 100);
    QImage shot = panel.grab().toImage();
    EXPECT_EQ(shot.pixelColor(100, 10), qColour(barColour));
    EXPECT_EQ(shot.pixelColor(100, 30), qColour(clWhite));

    panel.GetCaption().SetColor(clRed);
    panel.GetCaption().SetColorTo(clBlue);
    shot = panel.grab().toImage();
    EXPECT_EQ(shot.pixelColor(1, 10), qColour(clRed));
    const QColor end = shot.pixelColor(198, 10);
    EXPECT_GT(end.blue(), 200);
    EXPECT_LT(end.red(), 20);
}

TEST(AdvPanelCaptionTest, buttonsSitAtTheirEndOfTopAndLeftBars)
{
    struct Case
    {
        TPanelCaption::TCaptionPosition position;
        TCaptionButtonPosition buttons;
        QPoint cross;    // the middle of the close cross
        QPoint triangle; // inside the min/max triangle, pointing up (left) while expanded
    };
    // A 200 x 100 panel: the cross is drawn 4 to 10 pixels in from the bar's end, the triangle 12 further on.
    const Case cases[] = {
        {TPanelCaption::cpTop, cbpRight, {193, 7}, {181, 7}},
        {TPanelCaption::cpTop, cbpLeft, {7, 7}, {19, 7}},
        {TPanelCaption::cpLeft, cbpRight, {7, 7}, {7, 19}},
        {TPanelCaption::cpLeft, cbpLeft, {7, 93}, {7, 81}},
    };
    for (const Case& c : cases) {
        TAdvPanel panel;
        captionPanel(panel, c.position, 200, 100);
        panel.GetCaption().SetButtonPosition(c.buttons);
        panel.GetCaption().SetCloseButton(true);
        panel.GetCaption().SetMinMaxButton(true);
        const QImage shot = panel.grab().toImage();
        EXPECT_EQ(shot.pixelColor(c.cross), qColour(closeColour)) << c.position << c.buttons;
        EXPECT_EQ(shot.pixelColor(c.triangle), qColour(minMaxColour)) << c.position << c.buttons;
        EXPECT_EQ(shot.pixelColor(c.cross + QPoint(0, -5)), qColour(barColour)) << c.position << c.buttons;
    }
}

TEST(AdvPanelCaptionTest, crossButtonsTakeTheirRoomFromTheText)
{
    TAdvPanel panel;
    captionPanel(panel, TPanelCaption::cpTop, 200, 100);
    panel.GetCaption().SetText(QStringLiteral("Bardzo długi tytuł panelu, który nie mieści się na pasku"));
    const auto rightmostInk = [&] {
        const QImage shot = panel.grab().toImage();
        int right = -1;
        for (int y = 0; y < 18; ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (shot.pixelColor(x, y) == QColor(Qt::black))
                    right = qMax(right, x);
            }
        }
        return right;
    };
    EXPECT_GT(rightmostInk(), 200 - 30);
    panel.GetCaption().SetCloseButton(true);
    panel.GetCaption().SetMinMaxButton(true);
    const int right = rightmostInk();
    EXPECT_LT(right, 200 - (12 + 40));
    EXPECT_GT(right, 200 - (12 + 40) - 12);
}

TEST(AdvPanelCaptionTest, leftBarShowsItsTextTurnedAndAsPlainText)
{
    TAdvPanel panel;
    captionPanel(panel, TPanelCaption::cpLeft, 120, 200);
    const QString text = QStringLiteral("<b>Tytuł</b>");
    panel.GetCaption().SetText(text);
    panel.GetCaption().SetColor(clWhite);
    const QImage shot = panel.grab().toImage();
    EXPECT_TRUE(shot.save(testOutputFolder() + QStringLiteral("/AdvPanelCaptionTest-left.png")));
    QRect ink;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < 20; ++x) {
            if (shot.pixelColor(x, y).red() < 128)
                ink |= QRect(x, y, 1, 1);
        }
    }
    TCanvas canvas;
    canvas.Font = panel.GetCaption().GetFont();
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GT(ink.height(), 3 * ink.width());
    EXPECT_NEAR(ink.height(), canvas.TextWidth(text), 4) << "the tags are part of the text";
    EXPECT_GT(ink.bottom(), 200 - 20) << "the text starts at the bottom and reads upward";
}

// The themed bar is drawn as an active title bar, dark enough for the caption's default white text.
TEST(AdvPanelCaptionTest, whiteTextReadsOnTheThemedBar)
{
    TAdvPanel panel;
    captionPanel(panel, TPanelCaption::cpTop, 200, 100);
    TPanelCaption& caption = panel.GetCaption();
    caption.SetText(QStringLiteral("<b>MMMMMMMM</b>"));
    TFont font = caption.GetFont();
    font.Color = clWhite;
    caption.SetFont(font);
    caption.SetShadeType(stXPCaption);
    const QImage shot = panel.grab().toImage();
    const QColor bar = shot.pixelColor(150, caption.GetHeight() / 2);
    EXPECT_LT(bar.lightness(), 170) << "a pale bar: " << bar.name().toStdString();
    int inked = 0;
    for (int y = 3; y < caption.GetHeight() - 3; ++y)
        for (int x = 4; x < 60; ++x)
            inked += shot.pixelColor(x, y) == QColor(Qt::white);
    EXPECT_GT(inked, 20);
}

TEST(AdvPanelCaptionTest, captionLinksHoverAndOpenThroughTheLinkPolicy)
{
    RecordingOpener opener;
    TAdvPanel panel;
    captionPanel(panel, TPanelCaption::cpTop, 300, 100);
    panel.GetCaption().SetText(
        QStringLiteral("<a href=\"https://kronvel.example/\">strona</a> <a href=\"osoba_1\">osoba</a>"));
    QStringList entered;
    QStringList clicked;
    panel.OnAnchorEnter = [&](QObject*, const QString& anchor) { entered.append(anchor); };
    panel.OnAnchorClick = [&](QObject*, const QString& anchor) { clicked.append(anchor); };
    TCanvas canvas;
    canvas.Font = panel.GetCaption().GetFont();
    const QPoint onFirst(4 + canvas.TextWidth(QStringLiteral("str")), 8);
    const QPoint onSecond(4 + canvas.TextWidth(QStringLiteral("strona os")), 8);

    mouse(panel, QEvent::MouseMove, onFirst);
    EXPECT_EQ(entered, QStringList{"https://kronvel.example/"});
    EXPECT_EQ(panel.cursor().shape(), Qt::PointingHandCursor);
    mouse(panel, QEvent::MouseButtonPress, onFirst);
    mouse(panel, QEvent::MouseButtonPress, onSecond);
    EXPECT_EQ(opener.opened, QStringList{"https://kronvel.example/"});
    EXPECT_EQ(clicked, QStringList{"osoba_1"});
    mouse(panel, QEvent::MouseMove, QPoint(150, 60));
    EXPECT_NE(panel.cursor().shape(), Qt::PointingHandCursor);
}

TEST(AdvPanelCaptionTest, buttonsWithAHoverColourFollowTheMouse)
{
    TAdvPanel panel;
    captionPanel(panel, TPanelCaption::cpTop, 200, 100);
    panel.GetCaption().SetCloseButton(true);
    panel.GetCaption().SetCloseButtonHoverColor(clRed);
    mouse(panel, QEvent::MouseMove, QPoint(192, 8));
    EXPECT_EQ(panel.grab().toImage().pixelColor(193, 7), qColour(clRed));
    mouse(panel, QEvent::MouseMove, QPoint(100, 60));
    EXPECT_EQ(panel.grab().toImage().pixelColor(193, 7), qColour(closeColour));
}
