// Collapsing the panel to its caption bar and back, the caption's clicks, moving and sizing with the mouse, and
// sizing the panel to its text.
#include "AdvPanel.h"
#include "InputTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <memory>

namespace {

// A shown panel of 200 x 200 with a 20-pixel caption bar, no border, animated in four steps without delay.
class AdvPanelCollapseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(400, 400);
        panel = new TAdvPanel(&window);
        panel->setGeometry(10, 10, 200, 200);
        panel->SetBevelOuter(bvNone);
        panel->GetCaption().SetVisible(true);
        panel->SetCollapsSteps(4);
        panel->SetCollapsDelay(0);
        panel->OnResize = [this](QObject*) { heights.append(panel->height()); };
        window.show();
        heights.clear();
    }

    void mouse(QEvent::Type type, QPoint at, QPoint globalShift = QPoint())
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        const QPointF global = panel->mapToGlobal(QPointF(at)) + QPointF(globalShift);
        QMouseEvent event(type, QPointF(at), global, button, held, Qt::NoModifier);
        QApplication::sendEvent(panel, &event);
    }

    // A press at from, a move by delta and the release there.
    void dragBy(QPoint from, QPoint delta)
    {
        const QPointF start = panel->mapToGlobal(QPointF(from));
        const auto send = [&](QEvent::Type type, QPointF global, Qt::MouseButtons held) {
            const QPointF local = panel->mapFromGlobal(global);
            QMouseEvent event(type, local, global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                              Qt::NoModifier);
            QApplication::sendEvent(panel, &event);
        };
        send(QEvent::MouseButtonPress, start, Qt::LeftButton);
        send(QEvent::MouseMove, start + QPointF(delta), Qt::LeftButton);
        send(QEvent::MouseButtonRelease, start + QPointF(delta), Qt::NoButton);
    }

    QWidget window;
    TAdvPanel* panel = nullptr;
    QVector<int> heights;
};

} // namespace

TEST_F(AdvPanelCollapseTest, collapsingStepsDownToTheBarAndExpandingEndsAtTheFullHeight)
{
    const TColor colour = panel->GetColor();
    panel->SetCollaps(true);
    EXPECT_EQ(heights, (QVector<int>{155, 110, 65, 20, 18}));
    EXPECT_EQ(panel->GetFullHeight(), 200);
    EXPECT_EQ(panel->GetColor(), panel->GetCollapsColor()) << "an animated panel keeps the collapse colour";

    heights.clear();
    panel->SetCollaps(false);
    EXPECT_EQ(heights, (QVector<int>{63, 108, 153, 198, 200}));
    EXPECT_EQ(panel->GetColor(), colour);
}

// A colour given while the collapse colour shows is the panel's own: it shows once the panel is expanded.
TEST_F(AdvPanelCollapseTest, aColourSetWhileCollapsedShowsOnExpanding)
{
    panel->SetCollaps(true);
    panel->SetColor(clYellow);
    EXPECT_EQ(panel->GetColor(), panel->GetCollapsColor());
    panel->SetCollapsSteps(0);
    panel->SetCollaps(false);
    EXPECT_EQ(panel->GetColor(), clYellow);
    panel->SetColor(clAqua);
    EXPECT_EQ(panel->GetColor(), clAqua);
}

TEST_F(AdvPanelCollapseTest, borderShadowAndJumpsWithoutSteps)
{
    panel->SetBorderWidth(2);
    panel->SetBorderShadow(true);
    panel->SetCollapsSteps(0);
    const TColor colour = panel->GetColor();
    panel->SetCollaps(true);
    EXPECT_EQ(panel->height(), 20 - 2 + 6);
    EXPECT_EQ(heights, (QVector<int>{24}));
    EXPECT_EQ(panel->GetColor(), colour);
    panel->SetCollaps(false);
    EXPECT_EQ(panel->height(), 200);
}

TEST_F(AdvPanelCollapseTest, collapsedPlainBarTakesTheCloseColour)
{
    panel->GetCaption().SetColor(clNavy);
    panel->GetCaption().SetCloseColor(clMaroon);
    panel->SetCollaps(true);
    EXPECT_EQ(panel->grab().toImage().pixelColor(100, 8), ToQColor(clMaroon));
    panel->GetCaption().SetColorTo(clBlue);
    EXPECT_EQ(panel->grab().toImage().pixelColor(0, 8), ToQColor(clNavy)) << "a gradient still starts at Color";
}

TEST_F(AdvPanelCollapseTest, childrenHiddenBeforeStayHiddenAndHeightWhileCollapsedKeepsTheFullHeight)
{
    auto* shownChild = new QWidget(panel);
    auto* hiddenChild = new QWidget(panel);
    shownChild->show();
    hiddenChild->hide();
    panel->SetCollaps(true);
    EXPECT_TRUE(shownChild->isHidden());
    panel->SetHeight(50);
    EXPECT_EQ(panel->GetFullHeight(), 200);
    panel->SetCollaps(false);
    EXPECT_FALSE(shownChild->isHidden());
    EXPECT_TRUE(hiddenChild->isHidden());
    EXPECT_EQ(panel->height(), 200);
    panel->SetHeight(150);
    EXPECT_EQ(panel->GetFullHeight(), 150);
}

TEST_F(AdvPanelCollapseTest, secondCallDuringTheAnimationOnlyReportsItself)
{
    int maximized = 0;
    int ended = 0;
    panel->OnMaximize = [&](QObject*) { ++maximized; };
    panel->OnEndCollapsExpand = [&](QObject*) { ++ended; };
    QTimer::singleShot(0, panel, [this] { panel->SetCollaps(false); });
    panel->SetCollaps(true);
    EXPECT_EQ(maximized, 1);
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(panel->GetCollaps());
    EXPECT_EQ(panel->height(), 18);
}

TEST_F(AdvPanelCollapseTest, panelDestroyedDuringTheAnimationStopsIt)
{
    QPointer<TAdvPanel> guard(panel);
    QTimer::singleShot(0, panel, [this] { delete panel; });
    panel->SetCollaps(true);
    EXPECT_TRUE(guard.isNull());
}

TEST_F(AdvPanelCollapseTest, minMaxButtonTogglesOnceAndCloseButtonFreesThePanel)
{
    TPanelCaption& caption = panel->GetCaption();
    caption.SetMinMaxButton(true);
    caption.SetMinMaxCaption(true);
    int clicks = 0;
    panel->OnCaptionClick = [&](QObject*) { ++clicks; };
    const QPoint onMinMax(200 - 2 - 6, 8);
    mouse(QEvent::MouseButtonPress, onMinMax);
    mouse(QEvent::MouseButtonRelease, onMinMax);
    EXPECT_TRUE(panel->GetCollaps());
    EXPECT_EQ(clicks, 1);
    mouse(QEvent::MouseButtonPress, QPoint(60, 8));
    mouse(QEvent::MouseButtonRelease, QPoint(60, 8));
    EXPECT_FALSE(panel->GetCollaps()) << "with MinMaxCaption the bar toggles too";

    caption.SetCloseButton(true);
    panel->SetFreeOnClose(true);
    int closes = 0;
    panel->OnClose = [&](QObject*) { ++closes; };
    QPointer<TAdvPanel> guard(panel);
    const QPoint onClose(200 - 2 - 6, 8);
    mouse(QEvent::MouseButtonPress, onClose);
    mouse(QEvent::MouseButtonRelease, onClose);
    ASSERT_FALSE(guard.isNull()) << "the panel outlives its own click";
    EXPECT_TRUE(panel->isHidden());
    EXPECT_EQ(closes, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

TEST_F(AdvPanelCollapseTest, captionDragMovesThePanelButNotFromALink)
{
    RecordingOpener opener;
    panel->SetCanMove(true);
    panel->GetCaption().SetText(QStringLiteral("<a href=\"https://kronvel.example/\">strona</a>"));
    int ends = 0;
    panel->OnEndMoveSize = [&](QObject*) { ++ends; };
    dragBy(QPoint(120, 8), QPoint(30, 20));
    EXPECT_EQ(panel->pos(), QPoint(40, 30));
    EXPECT_EQ(ends, 1);

    dragBy(QPoint(8, 8), QPoint(30, 20));
    EXPECT_EQ(panel->pos(), QPoint(40, 30)) << "a press on a link follows it";
    EXPECT_EQ(opener.opened, QStringList{"https://kronvel.example/"});
    EXPECT_EQ(ends, 1);

    panel->SetFixedLeft(true);
    dragBy(QPoint(120, 8), QPoint(30, 20));
    EXPECT_EQ(panel->pos(), QPoint(40, 50));
}

TEST_F(AdvPanelCollapseTest, sizingAtTheEdgesKeepsTheFixedDimensions)
{
    panel->SetCanSize(true);
    int ends = 0;
    panel->OnEndMoveSize = [&](QObject*) { ++ends; };
    dragBy(QPoint(198, 198), QPoint(20, 10));
    EXPECT_EQ(panel->size(), QSize(220, 210));
    EXPECT_EQ(panel->GetFullHeight(), 210);
    EXPECT_EQ(ends, 1);

    panel->SetFixedWidth(true);
    dragBy(QPoint(218, 100), QPoint(20, 0));
    EXPECT_EQ(panel->width(), 220);
    dragBy(QPoint(100, 208), QPoint(0, -30));
    EXPECT_EQ(panel->size(), QSize(220, 180));
    EXPECT_EQ(ends, 2) << "a press beside a fixed edge starts nothing";
}

TEST_F(AdvPanelCollapseTest, autoSizeFitsTheTextAndTheBars)
{
    panel->GetCaption().SetPosition(TPanelCaption::cpLeft);
    panel->SetText(QStringLiteral("Krótki tekst"));
    TCanvas canvas;
    canvas.Font = panel->GetFont();
    panel->GetAutoSize().SetEnabled(true);
    const int textWidth = panel->width() - 2 * panel->GetBevelWidth() - 20;
    EXPECT_NEAR(textWidth, canvas.TextWidth(QStringLiteral("Krótki tekst")), 3);
    EXPECT_NEAR(panel->height() - 2 * panel->GetBevelWidth(), canvas.TextHeight(QStringLiteral("K")), 3);
    const int before = panel->width();
    panel->SetText(QStringLiteral("Krótki tekst, nieco dłuższy"));
    EXPECT_GT(panel->width(), before);
}
