// The caption-bar and status-bar settings the panel owns.
#include "AdvPanel.h"

TPanelCaption::TPanelCaption()
{
    font.Color = clHighlightText;
}

void TPanelCaption::Changed()
{
    if (OnChange)
        OnChange(nullptr);
}

void TPanelCaption::SetVisible(bool Value)
{
    visible = Value;
    Changed();
    if (OnStateChange)
        OnStateChange(nullptr);
}

void TPanelCaption::SetPosition(TCaptionPosition Value)
{
    if (Value == position)
        return;
    position = Value;
    if (OnPositionChange)
        OnPositionChange(nullptr);
}

void TPanelCaption::SetHeight(int Value)
{
    if (Value == height)
        return;
    height = Value;
    Changed();
}

void TPanelCaption::SetText(const QString& Value)
{
    text = Value;
    Changed();
}

void TPanelCaption::SetFont(const TFont& Value)
{
    font = Value;
    Changed();
}

void TPanelCaption::SetIndent(int Value)
{
    if (Value == indent)
        return;
    indent = Value;
    Changed();
}

void TPanelCaption::SetTopIndent(int Value)
{
    if (Value == topIndent)
        return;
    topIndent = Value;
    Changed();
}

void TPanelCaption::Assign(const TPanelCaption& Source)
{
    SetFont(Source.font);
    SetHeight(Source.height);
}

TPanelStatusBar::TPanelStatusBar() = default;

void TPanelStatusBar::Changed()
{
    if (OnChange)
        OnChange(nullptr);
}

template <class T>
void TPanelStatusBar::change(T& field, const T& value)
{
    if (field == value)
        return;
    field = value;
    Changed();
}

void TPanelStatusBar::SetBevelInner(bool Value)
{
    change(bevelInner, Value);
}

void TPanelStatusBar::SetBorderColor(TColor Value)
{
    change(borderColor, Value);
}

void TPanelStatusBar::SetBorderStyle(TBorderStyle Value)
{
    change(borderStyle, Value);
}

void TPanelStatusBar::SetImageIndex(int Value)
{
    change(imageIndex, Value);
}

void TPanelStatusBar::SetFont(const TFont& Value)
{
    font = Value;
    Changed();
}

void TPanelStatusBar::SetText(const QString& Value)
{
    change(text, Value);
}

void TPanelStatusBar::SetColor(TColor Value)
{
    change(color, Value);
}

void TPanelStatusBar::SetColorTo(TColor Value)
{
    change(colorTo, Value);
}

void TPanelStatusBar::SetGradientDirection(TGradientDirection Value)
{
    change(gradientDirection, Value);
}

void TPanelStatusBar::SetHeight(int Value)
{
    change(height, Value);
}

void TPanelStatusBar::SetVisible(bool Value)
{
    change(visible, Value);
}

void TPanelStatusBar::Assign(const TPanelStatusBar& Source)
{
    SetColor(Source.color);
    SetColorTo(Source.colorTo);
    SetGradientDirection(Source.gradientDirection);
    SetBorderStyle(Source.borderStyle);
    SetBorderColor(Source.borderColor);
    SetFont(Source.font);
}
