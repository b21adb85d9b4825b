#include "AdvScrollBox.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <functional>

// A scroll bar that says when a scroll action ends: the button that pressed it is let go, or a wheel step is done.
class TAdvScrollBox::ScrollBar : public QScrollBar
{
public:
    ScrollBar(Qt::Orientation orientation, std::function<void()> ended)
        : QScrollBar(orientation), ended(std::move(ended))
    {}

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        QScrollBar::mousePressEvent(event);
        // The right button opens the bar's menu; it scrolls nothing.
        if (event->button() != Qt::RightButton)
            pressed = true;
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QScrollBar::mouseReleaseEvent(event);
        if (pressed && event->buttons() == Qt::NoButton) {
            pressed = false;
            ended();
        }
    }

    void wheelEvent(QWheelEvent* event) override
    {
        QScrollBar::wheelEvent(event);
        ended();
    }

private:
    std::function<void()> ended;
    bool pressed = false;
};

TAdvScrollBox::TAdvScrollBox(QWidget* parent) : QScrollArea(parent)
{
    resize(185, 41);
    // The box itself takes no focus, so keys never scroll it.
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(false);
    auto* contents = new QWidget;
    contents->setAutoFillBackground(false);
    setWidget(contents);
    contents->installEventFilter(this);
    viewport()->setAutoFillBackground(false);

    auto* vertical = new ScrollBar(Qt::Vertical, [this] {
        if (OnVScrollEnd)
            OnVScrollEnd(this);
    });
    auto* horizontal = new ScrollBar(Qt::Horizontal, [this] {
        if (OnHScrollEnd)
            OnHScrollEnd(this);
    });
    setVerticalScrollBar(vertical);
    setHorizontalScrollBar(horizontal);
    connect(vertical, &QAbstractSlider::actionTriggered, this, [this, vertical] { scrolled(vertical, OnVScroll); });
    connect(horizontal, &QAbstractSlider::actionTriggered, this,
            [this, horizontal] { scrolled(horizontal, OnHScroll); });
    applyFrame();
    updateRange();
}

void TAdvScrollBox::scrolled(QScrollBar* bar, const TNotifyEvent& step)
{
    // The bar hands the new position on only after this signal; the step is reported once it has scrolled.
    bar->setValue(bar->sliderPosition());
    repaintContents();
    if (step)
        step(this);
}

void TAdvScrollBox::repaintContents()
{
    // The contents cover the whole viewport.
    widget()->update();
}

void TAdvScrollBox::SetBorderColor(TColor value)
{
    if (value == borderColor)
        return;
    borderColor = value;
    update();
    repaintContents();
}

void TAdvScrollBox::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle)
        return;
    borderStyle = value;
    applyFrame();
}

void TAdvScrollBox::SetCtl3D(bool value)
{
    if (value == ctl3D)
        return;
    ctl3D = value;
    applyFrame();
}

void TAdvScrollBox::SetAutoScroll(bool value)
{
    if (value == autoScroll)
        return;
    autoScroll = value;
    updateRange();
}

void TAdvScrollBox::applyFrame()
{
    // The standard border lies outside the scroll bars: sunken with Ctl3D, else a plain line, which the flat frame
    // paints over.
    if (borderStyle == bsNone)
        setFrameStyle(QFrame::NoFrame);
    else if (ctl3D)
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    else
        setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    update();
}

void TAdvScrollBox::NCPaintProc()
{
    if (!hasFlatFrame())
        return;
    TCanvas canvas(this);
    canvas.Pen = TPen{borderColor, 1, psSolid};
    const int w = width();
    const int h = height();
    canvas.Polyline({Point(0, h), Point(0, 0), Point(w - 1, 0), Point(w - 1, h - 1), Point(0, h - 1)});
}

bool TAdvScrollBox::event(QEvent* event)
{
    // The box's own painting is its frame around the viewport.
    const bool result = QScrollArea::event(event);
    if (event->type() == QEvent::Paint)
        NCPaintProc();
    return result;
}

bool TAdvScrollBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget()) {
        if (event->type() == QEvent::ChildAdded) {
            auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child());
            if (child) {
                child->installEventFilter(this);
                repaintContents();
            }
        } else if (event->type() == QEvent::ChildRemoved) {
            updateRange();
        }
        // The scroll area watches its widget as well.
        return QScrollArea::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        updateRange();
        break;
    default:
        break;
    }
    return false;
}

void TAdvScrollBox::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    updateRange();
}

void TAdvScrollBox::updateRange()
{
    QWidget* contents = widget();
    QSize size = viewport()->size();
    if (autoScroll) {
        const QRect extent = contents->childrenRect();
        if (!extent.isEmpty())
            size = size.expandedTo(QSize(extent.right() + 1, extent.bottom() + 1));
    }
    contents->resize(size);
}
