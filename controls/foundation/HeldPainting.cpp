#include "HeldPainting.h"

#include "Canvas.h"

#include <QPainter>
#include <QWidget>

bool HeldPainting::Release()
{
    if (holds <= 0)
        return false;
    return --holds == 0;
}

void HeldPainting::paint(QWidget* widget, const std::function<void(TCanvas&)>& draw)
{
    if (!IsHeld() || last.isNull()) {
        const qreal ratio = widget->devicePixelRatioF();
        last = QImage(widget->size() * ratio, QImage::Format_ARGB32_Premultiplied);
        last.setDevicePixelRatio(ratio);
        last.fill(Qt::transparent);
        TCanvas canvas(&last);
        draw(canvas);
    }
    QPainter painter(widget);
    painter.drawImage(0, 0, last);
}
