#include "ColourPanel.h"

#include "Canvas.h"

#include <QMouseEvent>
#include <QPainter>

ColourPanel::ColourPanel(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ColourPanel::SetColor(TColor value)
{
    if (value == colour)
        return;
    colour = value;
    update();
}

void ColourPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(colour));
    painter.setPen(ToQColor(clBtnShadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColourPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
        OnClick(this);
}
