// A small panel that shows a colour and reports a click, for choosing a colour in a dialog.
#pragma once

#include "Toolkit.h"

#include <QWidget>

class ColourPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ColourPanel(QWidget* parent = nullptr);

    TColor GetColor() const { return colour; }
    void SetColor(TColor value);

    TNotifyEvent OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TColor colour = clBtnFace;
};
