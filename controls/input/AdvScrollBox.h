// A scroll box: a flat one-pixel frame in BorderColor in place of the standard border (none with bsNone, the sunken
// standard border with Ctl3D), the parent's background behind the scrolled controls, and events after each scroll
// step and when a scroll ends.
//
// Controls go on GetContents(). With AutoScroll the scroll range follows them: the contents reach at least to the
// right and bottom edges of the farthest control. Every step repaints the box, since the parent's image behind the
// controls does not move with them.
#pragma once

#include "Canvas.h"
#include "Forms.h"

#include <QScrollArea>

class TAdvScrollBox : public QScrollArea
{
    Q_OBJECT
public:
    explicit TAdvScrollBox(QWidget* parent = nullptr);

    // The widget the scrolled controls are placed on.
    QWidget* GetContents() const { return widget(); }

    TColor GetBorderColor() const { return borderColor; }
    void SetBorderColor(TColor value);
    TBorderStyle GetBorderStyle() const { return borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool GetCtl3D() const { return ctl3D; }
    void SetCtl3D(bool value);
    bool GetAutoScroll() const { return autoScroll; }
    void SetAutoScroll(bool value);

    quint32 GetVersionNr() const { return 0x01010001; }
    QString GetVersion() const { return VersionNrText(GetVersionNr()); }
    void SetVersion(const QString&) {}

    // After each step of a scroll bar (arrow, page, thumb move, wheel step).
    TNotifyEvent OnVScroll;
    TNotifyEvent OnHScroll;
    // When a scroll ends: the mouse lets go of the scroll bar, or a wheel step is done.
    TNotifyEvent OnVScrollEnd;
    TNotifyEvent OnHScrollEnd;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class ScrollBar;

    bool hasFlatFrame() const { return borderStyle != bsNone && !ctl3D; }
    void applyFrame();
    // The flat frame over the outer ring of the box.
    void NCPaintProc();
    void updateRange();
    void repaintContents();
    void scrolled(QScrollBar* bar, const TNotifyEvent& step);

    TColor borderColor = clSilver;
    TBorderStyle borderStyle = bsSingle;
    bool ctl3D = false;
    bool autoScroll = true;
};
