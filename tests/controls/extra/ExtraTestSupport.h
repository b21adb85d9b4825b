// Helpers of the extra controls' tests.
#pragma once

#include <QEvent>
#include <QObject>
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
