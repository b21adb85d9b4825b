// The picture of a self-drawn control kept between paints, so that while the owner holds updates (BeginUpdate ...
// EndUpdate) the control shows its last picture instead of half-made changes.
#pragma once

#include <QImage>
#include <functional>

class QWidget;
class TCanvas;

class HeldPainting
{
public:
    void Hold() { ++holds; }
    // True when this was the outermost hold, so the control should repaint.
    bool Release();
    bool IsHeld() const { return holds > 0; }

    // Paints the widget from its paintEvent: draw makes a new picture unless updates are held and one exists.
    void paint(QWidget* widget, const std::function<void(TCanvas&)>& draw);

private:
    int holds = 0;
    QImage last;
};
