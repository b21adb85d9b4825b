#include "AdvListVSettings.h"

TDetails::TDetails()
{
    font.Color = clBlue;
}

template <class T>
void TDetails::change(T& field, const T& value)
{
    field = value;
    if (OnChange)
        OnChange(nullptr);
}

void TDetails::SetVisible(bool Value)
{
    change(visible, Value);
}

void TDetails::SetColumn(int Value)
{
    if (Value < 0 || Value == column)
        return;
    change(column, Value);
}

void TDetails::SetFont(const TFont& Value)
{
    change(font, Value);
}

void TDetails::SetHeight(int Value)
{
    if (Value < 0)
        return;
    change(height, Value);
}

void TDetails::SetIndent(int Value)
{
    change(indent, Value);
}

void TDetails::SetSplitLine(bool Value)
{
    change(splitLine, Value);
}

void TProgressSettings::set(TColor& field, TColor value)
{
    field = value;
    if (OnChange)
        OnChange(nullptr);
}

void TProgressSettings::SetColorFrom(TColor Value)
{
    set(colorFrom, Value);
}

void TProgressSettings::SetFontColorFrom(TColor Value)
{
    set(fontColorFrom, Value);
}

void TProgressSettings::SetColorTo(TColor Value)
{
    set(colorTo, Value);
}

void TProgressSettings::SetFontColorTo(TColor Value)
{
    set(fontColorTo, Value);
}

void TProgressSettings::Assign(const TProgressSettings& Source)
{
    SetColorFrom(Source.colorFrom);
    SetFontColorFrom(Source.fontColorFrom);
    SetColorTo(Source.colorTo);
    SetFontColorTo(Source.fontColorTo);
}

void TColumnSize::SetStretch(bool Value)
{
    stretch = Value;
    if (OnChange)
        OnChange(nullptr);
}
