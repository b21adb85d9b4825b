// The glow button's key tip: the window and where it shows beside the button.
#include "AdvGlowButton.h"

#include "BandGradient.h"

#include <QPaintEvent>
#include <QResizeEvent>
#include <algorithm>

namespace {

constexpr int keyTipBands = 16;
constexpr int keyTipInset = 6; // the tips at a left edge stand this far in
constexpr int keyTipCorner = 3;
// Room around the text, as a hint window leaves it.
constexpr int keyTipPaddingWidth = 6;
constexpr int keyTipPaddingHeight = 2;

} // namespace

TShortCutHintWindow::TShortCutHintWindow(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(TFont().ToQFont());
}

void TShortCutHintWindow::SetText(const QString& value)
{
    text = value;
    TCanvas measuring;
    measuring.Font = TFont::FromQFont(font());
    // A hidden window learns of its size only when shown: the least width is kept here already.
    resize(std::max(measuring.TextWidth(text) + keyTipPaddingWidth, leastWidth()),
           measuring.TextHeight(QStringLiteral("O")) + keyTipPaddingHeight);
    update();
}

int TShortCutHintWindow::leastWidth() const
{
    TCanvas measuring;
    measuring.Font = TFont::FromQFont(font());
    return measuring.TextWidth(QStringLiteral("O")) + 8;
}

void TShortCutHintWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (width() < leastWidth())
        resize(leastWidth(), height());
}

void TShortCutHintWindow::paintEvent(QPaintEvent*)
{
    TCanvas canvas(this);
    const TRect client = Rect(0, 0, width(), height());
    PaintBandGradient(canvas, color, colorTo, keyTipBands, client, false);
    canvas.Brush.Style = bsClear;
    canvas.Font = TFont::FromQFont(font());
    TRect textRect = client;
    canvas.DrawText(text, textRect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    canvas.Pen.Style = psSolid;
    canvas.Pen.Color = clGray;
    canvas.RoundRect(client.Left, client.Top, client.Right, client.Bottom, keyTipCorner, keyTipCorner);
}

QPoint TAdvCustomGlowButton::ShortCutHintPlace(TShortCutHintPos position, const QRect& button, const QSize& tipSize)
{
    const int px = button.x();
    const int py = button.y();
    const int bw = button.width();
    const int bh = button.height();
    const int hw = tipSize.width();
    const int hh = tipSize.height();
    const int centreX = px + (bw - hw) / 2;
    const int centreY = py + (bh - hh) / 2;
    const int leftX = px + keyTipInset;
    const int rightX = px + bw - hw + 1;
    switch (position) {
    case shpLeft:
        return {leftX, centreY};
    case shpRight:
        return {px + bw - hw / 2, centreY};
    case shpBottom:
        return {centreX, py + bh - hh / 2};
    case shpCenter:
        return {centreX, centreY};
    case shpTopLeft:
        return {leftX, py - hh / 2};
    case shpTopRight:
        return {rightX, py - hh / 2};
    case shpAboveTop:
        return {centreX, py - hh};
    case shpAboveTopLeft:
        return {leftX, py - hh};
    case shpAboveTopRight:
        return {rightX, py - hh};
    case shpBottomLeft:
        return {leftX, py + bh - hh / 2};
    case shpBottomRight:
        return {rightX, py + bh - hh / 2};
    case shpBelowBottom:
    case shpBelowBottomCenter:
        return {centreX, py + bh};
    case shpBelowBottomLeft:
        return {leftX, py + bh};
    case shpBelowBottomRight:
        return {rightX, py + bh};
    case shpTop:
    case shpAuto:
        break;
    }
    return {centreX, py - hh / 2};
}

void TAdvCustomGlowButton::ShowShortCutHint()
{
    if (!keyTip) {
        keyTip = new TShortCutHintWindow(this);
        refreshKeyTipColours();
    }
    keyTip->SetText(shortCutHint);
    TShortCutHintPos place = shortCutHintPos;
    if (OnGetShortCutHintPos)
        OnGetShortCutHintPos(this, buttonSizeState, place);
    const QRect button(mapToGlobal(QPoint(0, 0)), size());
    keyTip->move(ShortCutHintPlace(place, button, keyTip->size()));
    keyTip->show();
}

void TAdvCustomGlowButton::HideShortCutHint()
{
    if (keyTip)
        keyTip->hide();
}

void TAdvCustomGlowButton::refreshKeyTipColours()
{
    if (!keyTip)
        return;
    keyTip->SetColor(clWhite);
    keyTip->SetColorTo(appearance.GetColor());
}

void TAdvCustomGlowButton::SetAppearance(const TGlowButtonAppearance& value)
{
    appearance.Assign(value);
    refreshKeyTipColours();
}
