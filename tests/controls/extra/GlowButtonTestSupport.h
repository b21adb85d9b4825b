// Helpers of the glow button's tests: a button whose paint state the test sets, and a small glyph list.
#pragma once

#include "AdvGlowButton.h"

#include <QPainter>
#include <QTimer>

// A glow button driven into any look by setting its paint state directly.
class DrivenGlowButton : public TAdvGlowButton
{
public:
    using TAdvCustomGlowButton::checkedLinked;
    using TAdvCustomGlowButton::dropPartHot;
    using TAdvCustomGlowButton::FaceInputs;
    using TAdvCustomGlowButton::FadeTick;
    using TAdvCustomGlowButton::fadeTimer;
    using TAdvCustomGlowButton::focused;
    using TAdvCustomGlowButton::glowState;
    using TAdvCustomGlowButton::groupLinked;
    using TAdvCustomGlowButton::hot;
    using TAdvCustomGlowButton::hover;
    using TAdvCustomGlowButton::hoverStep;
    using TAdvCustomGlowButton::leftButtonHeld;
    using TAdvCustomGlowButton::MouseEnter;
    using TAdvCustomGlowButton::mouseInControl;
    using TAdvCustomGlowButton::MouseLeave;
    using TAdvCustomGlowButton::pressed;
    using TAdvCustomGlowButton::pressStep;
    using TAdvCustomGlowButton::repeatTimer;
    using TAdvCustomGlowButton::state;
    using TAdvCustomGlowButton::TimerExpired;
    using TAdvGlowButton::TAdvGlowButton;

    // The hot look, pointer inside.
    void showHot() { hot = hover = mouseInControl = true; }
    // Halfway through the fade into the hot look.
    void fadeHalfway()
    {
        mouseInControl = hover = true;
        fadeTimer = new QTimer(this);
        hoverStep = 50;
        glowState = gsHover;
    }
};

// An image list of one 16 x 16 glyph: a filled circle of the colour on a transparent ground.
inline TImageList* glyphList(QObject* owner, QColor color = QColor(40, 120, 200))
{
    auto* list = new TImageList(16, 16, owner);
    QImage glyph(16, 16, QImage::Format_ARGB32);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(color);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(1, 1, 14, 14);
    painter.end();
    list->Add(glyph);
    return list;
}
