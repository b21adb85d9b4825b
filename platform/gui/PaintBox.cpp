#include "PaintBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent)
{
    // The window's cursor rules follow the pointer without a button held.
    setMouseTracking(true);
}

void TPaintBox::paintEvent(QPaintEvent* event)
{
    if (!OnPaint)
        return;
    QPainter painter(this);
    OnPaint(painter, event->rect());
}

void TPaintBox::mousePressEvent(QMouseEvent* event)
{
    if (OnMouseDown)
        OnMouseDown(event);
    else
        QWidget::mousePressEvent(event);
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event)
{
    if (OnMouseMove)
        OnMouseMove(event);
    else
        QWidget::mouseMoveEvent(event);
}

void TPaintBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (OnResize)
        OnResize(this);
}
