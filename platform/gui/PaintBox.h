// The toolkit's paint box: an area that its window paints and whose mouse events the window handles. Painting
// happens only in OnPaint, on a painter of the box; the exposed rectangle lets the window draw only what shows.
#pragma once

#include "Toolkit.h"

#include <QWidget>
#include <functional>

class QMouseEvent;

class TPaintBox : public QWidget
{
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    std::function<void(QPainter& painter, const QRect& exposed)> OnPaint;
    std::function<void(QMouseEvent* event)> OnMouseDown;
    std::function<void(QMouseEvent* event)> OnMouseMove;
    TNotifyEvent OnResize;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
