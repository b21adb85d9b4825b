// Helpers of the extra controls' tests: counting paints, finding what was drawn.
#pragma once

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QWidget>

// Counts the paints a control gets.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* watched) { watched->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    int paints = 0;
};

// The smallest rectangle holding every pixel of the colour.
inline QRect extentOf(const QImage& image, QColor color)
{
    QRect extent;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == color)
                extent |= QRect(x, y, 1, 1);
        }
    }
    return extent;
}
