#include "AttachedLabel.h"

#include <QEvent>

namespace {

// Centred on the other's middle; halves truncated toward zero, as the layouts were measured.
int centred(int start, int extent, int labelExtent)
{
    return extent >= labelExtent ? start + (extent - labelExtent) / 2 : start - (labelExtent - extent) / 2;
}

} // namespace

TPoint LabelOrigin(TLabelPosition position, const TRect& control, int labelWidth, int labelHeight, int textWidth,
                   int margin)
{
    const int top = control.Top;
    const int bottom = control.Bottom;
    const int middle = centred(top, control.Height(), labelHeight);
    const int leftOf = control.Left - textWidth - margin;
    switch (position) {
    case lpLeftTop:
        return Point(leftOf, top);
    case lpLeftCenter:
        return Point(leftOf, middle);
    case lpLeftBottom:
        return Point(leftOf, bottom - labelHeight);
    case lpTopLeft:
        return Point(control.Left, top - labelHeight - margin);
    case lpBottomLeft:
        return Point(control.Left, bottom + margin);
    case lpLeftTopLeft:
        return Point(control.Left - margin, top);
    case lpLeftCenterLeft:
        return Point(control.Left - margin, middle);
    case lpLeftBottomLeft:
        return Point(control.Left - margin, bottom - labelHeight);
    case lpTopCenter:
        return Point(centred(control.Left, control.Width(), labelWidth), top - labelHeight - margin);
    case lpBottomCenter:
        return Point(centred(control.Left, control.Width(), labelWidth), bottom + margin);
    case lpRightTop:
        return Point(control.Right + margin, top);
    case lpRightCenter:
        return Point(control.Right + margin, middle);
    case lpRighBottom:
        return Point(control.Right + margin, bottom - labelHeight);
    }
    return Point(leftOf, top);
}

AttachedLabel::AttachedLabel(QWidget* control) : control(control)
{
    control->installEventFilter(this);
}

AttachedLabel::~AttachedLabel()
{
    delete label.data();
}

void AttachedLabel::SetCaption(const QString& value)
{
    if (!label) {
        label = new TLabel(control->parentWidget());
        label->hide();
        label->SetFocusControl(control);
        if (OnCreate)
            OnCreate(*label);
    }
    label->SetCaption(value);
    Update();
}

void AttachedLabel::SetPosition(TLabelPosition value)
{
    position = value;
    Update();
}

void AttachedLabel::SetMargin(int value)
{
    margin = value;
    Update();
}

void AttachedLabel::SetTransparent(bool value)
{
    transparent = value;
    Update();
}

void AttachedLabel::Update()
{
    if (!label)
        return;
    label->SetTransparent(transparent);
    if (ApplyFont)
        ApplyFont(*label);
    place();
    followShownState();
}

void AttachedLabel::place()
{
    if (!PlacesCentred && (position == lpTopCenter || position == lpBottomCenter))
        return;
    const QRect bounds = control->geometry();
    const TPoint origin =
        LabelOrigin(position, FromQRect(bounds), label->width(), label->height(), label->TextWidth(), margin);
    label->move(origin.X, origin.Y);
}

void AttachedLabel::followShownState()
{
    // A label without a parent would be a window of its own.
    label->setVisible(!control->isHidden() && label->parentWidget());
}

bool AttachedLabel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != control || !label)
        return false;
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        place();
        break;
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        place();
        followShownState();
        break;
    case QEvent::ParentChange:
        label->setParent(control->parentWidget());
        Update();
        break;
    default:
        break;
    }
    return false;
}
