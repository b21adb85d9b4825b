// The usual work of a self-drawn control's property setter.
#pragma once

#include <QWidget>

// Stores a value that differs from the field's and repaints the control; the same value does nothing.
template <typename T>
void SetAndUpdate(QWidget& control, T& field, const T& value)
{
    if (field == value)
        return;
    field = value;
    control.update();
}
