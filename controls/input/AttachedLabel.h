// The caption label that an edit or a combo box creates on first use, owns and keeps beside itself: it follows the
// control's position, size, parent and shown-or-hidden state. The control's own shown state counts (isHidden), not
// whether its window is on screen yet, so a label made while its window is still hidden appears with the window.
#pragma once

#include "StdCtrls.h"

#include <QObject>
#include <QPointer>
#include <functional>

// The combo box uses the first ten positions.
enum TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter,
    lpRightTop,
    lpRightCenter,
    lpRighBottom,
};

// The top-left corner of a label of the given size beside a control with the given bounds. The positions left of
// the control measure by the caption's text width, not the label's own.
TPoint LabelOrigin(TLabelPosition position, const TRect& control, int labelWidth, int labelHeight, int textWidth,
                   int margin);

class AttachedLabel : public QObject
{
public:
    explicit AttachedLabel(QWidget* control);
    ~AttachedLabel() override;

    // Null until the first caption.
    TLabel* Label() const { return label; }
    QString GetCaption() const { return label ? label->GetCaption() : QString(); }
    // Creates the label on first use; places it again.
    void SetCaption(const QString& value);

    TLabelPosition GetPosition() const { return position; }
    void SetPosition(TLabelPosition value);
    int GetMargin() const { return margin; }
    void SetMargin(int value);
    bool GetTransparent() const { return transparent; }
    void SetTransparent(bool value);
    // False: at lpTopCenter and lpBottomCenter the label keeps the place it has (the mask edit places its label
    // only beside the edit or at a corner).
    bool PlacesCentred = true;
    // Gives the label its font; run by Update before the label is placed.
    std::function<void(TLabel& label)> ApplyFont;
    // Run once for a new label (its click handlers).
    std::function<void(TLabel& label)> OnCreate;

    // Transparency, font, place and shown state; nothing without a label.
    void Update();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    void followShownState();

    QWidget* control;
    QPointer<TLabel> label;
    TLabelPosition position = lpLeftTop;
    int margin = 4;
    bool transparent = false;
};
