#include "AdvScrollBox.h"
#include "InputTestSupport.h"

#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// A shown window in a colour of its own with a scroll box whose one control lies far below its bottom edge, and
// counters of the box's scroll events.
struct ScrollFixture : ::testing::Test
{
    void SetUp() override
    {
        QPalette palette = window.form.palette();
        palette.setColor(QPalette::Window, background);
        window.form.setPalette(palette);
        box = new TAdvScrollBox(&window.form);
        box->setGeometry(20, 20, 200, 100);
        box->SetBorderColor(clRed);
        auto* far = new QLabel(QStringLiteral("Na dole"), box->GetContents());
        far->setGeometry(10, 500, 60, 20);
        far->show();
        box->OnVScroll = [this](QObject*) { ++steps; };
        box->OnVScrollEnd = [this](QObject*) { ++ends; };
        ASSERT_TRUE(window.show());
        settle();
    }

    QRect part(QStyle::SubControl control) const
    {
        QScrollBar* bar = box->verticalScrollBar();
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.subControls = QStyle::SC_All;
        option.orientation = Qt::Vertical;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, control, bar);
    }

    void mouse(QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons)
    {
        QScrollBar* bar = box->verticalScrollBar();
        QMouseEvent event(type, at, bar->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(bar, &event);
    }

    QColor pixel(int x, int y)
    {
        return window.form.grab().toImage().pixelColor(box->mapTo(&window.form, QPoint(x, y)));
    }

    const QColor background{0xEC, 0xE9, 0xD8};
    ShownForm window;
    TAdvScrollBox* box = nullptr;
    int steps = 0;
    int ends = 0;
};

} // namespace

TEST_F(ScrollFixture, theFlatFrameShowsOnlyWithoutCtl3DAndWithABorder)
{
    const QColor red(Qt::red);
    EXPECT_EQ(pixel(0, 0), red);
    EXPECT_EQ(pixel(199, 99), red);
    EXPECT_EQ(pixel(0, 50), red);
    EXPECT_EQ(pixel(60, 99), red);
    EXPECT_EQ(pixel(60, 50), background) << "the parent's background shows behind the controls";

    box->SetCtl3D(true);
    settle();
    EXPECT_NE(pixel(0, 0), red);
    EXPECT_NE(pixel(60, 99), red);
    EXPECT_EQ(pixel(60, 50), background);

    box->SetCtl3D(false);
    box->SetBorderStyle(bsNone);
    settle();
    EXPECT_EQ(pixel(0, 0), background);
    EXPECT_EQ(pixel(60, 99), background);
}

TEST_F(ScrollFixture, draggingTheThumbReportsEveryStepAndOneEnd)
{
    const QPoint start = part(QStyle::SC_ScrollBarSlider).center();
    mouse(QEvent::MouseButtonPress, start, Qt::LeftButton);
    for (int i = 1; i <= 3; ++i)
        mouse(QEvent::MouseMove, start + QPoint(0, 8 * i), Qt::LeftButton);
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(ends, 0);
    EXPECT_GT(box->verticalScrollBar()->value(), 0);
    EXPECT_EQ(box->GetContents()->y(), -box->verticalScrollBar()->value()) << "scrolled by the time it is reported";
    mouse(QEvent::MouseButtonRelease, start + QPoint(0, 24), Qt::NoButton);
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(ends, 1);
}

TEST_F(ScrollFixture, anArrowPressAndAWheelStepEachEndTheirScroll)
{
    const QPoint arrow = part(QStyle::SC_ScrollBarAddLine).center();
    mouse(QEvent::MouseButtonPress, arrow, Qt::LeftButton);
    EXPECT_EQ(steps, 1);
    mouse(QEvent::MouseButtonRelease, arrow, Qt::NoButton);
    EXPECT_EQ(ends, 1);

    const QPointF at(50, 50);
    QWheelEvent wheel(at, box->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(box->viewport(), &wheel);
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(ends, 2);

    // A right click opens the bar's menu and scrolls nothing.
    box->setContextMenuPolicy(Qt::NoContextMenu);
    QMouseEvent rightPress(QEvent::MouseButtonPress, arrow, arrow, Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QMouseEvent rightRelease(QEvent::MouseButtonRelease, arrow, arrow, Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    box->verticalScrollBar()->setContextMenuPolicy(Qt::NoContextMenu);
    QApplication::sendEvent(box->verticalScrollBar(), &rightPress);
    QApplication::sendEvent(box->verticalScrollBar(), &rightRelease);
    EXPECT_EQ(ends, 2);
}

TEST_F(ScrollFixture, theSameBorderColourPaintsNothingAndAnInsertedControlRepaints)
{
    // The window repaints all it has pending at once: once a sentinel beside the box has painted, so has the box.
    auto* sentinel = new QWidget(&window.form);
    sentinel->setGeometry(300, 200, 10, 10);
    sentinel->show();
    PaintCounter sentinelPaints(sentinel);
    const auto flushPaints = [&] {
        sentinelPaints.count = 0;
        sentinel->update();
        return QTest::qWaitFor([&] { return sentinelPaints.count > 0; });
    };
    ASSERT_TRUE(flushPaints());
    PaintCounter boxPaints(box);
    PaintCounter contentsPaints(box->GetContents());

    box->SetBorderColor(clRed);
    ASSERT_TRUE(flushPaints());
    EXPECT_EQ(boxPaints.count, 0);
    box->SetBorderColor(clBlue);
    ASSERT_TRUE(flushPaints());
    EXPECT_GT(boxPaints.count, 0);
    EXPECT_EQ(pixel(0, 0), QColor(Qt::blue));

    contentsPaints.count = 0;
    new QLabel(QStringLiteral("Nowa"), box->GetContents());
    ASSERT_TRUE(flushPaints());
    EXPECT_GT(contentsPaints.count, 0) << "the new control is not shown yet: the box repaints of its own accord";
}

TEST_F(ScrollFixture, theRangeFollowsTheControlsAndDefaults)
{
    EXPECT_EQ(box->verticalScrollBar()->maximum(), 520 - box->viewport()->height());
    EXPECT_EQ(box->GetBorderStyle(), bsSingle);
    EXPECT_FALSE(box->GetCtl3D());
    EXPECT_EQ(TAdvScrollBox().GetBorderColor(), clSilver);
    box->SetAutoScroll(false);
    EXPECT_EQ(box->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(box->GetVersion(), QStringLiteral("1.1.0.1"));
}
