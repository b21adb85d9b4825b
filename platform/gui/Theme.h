// Visual styles: the themed parts that the combo box, the edit's embedded button and the panel draw, over the
// widget's QStyle. A control opens the theme of a class ("button", "combobox", "window") on its window, draws parts
// in states and closes the theme again within one paint. Themes count as active for every style but the classic
// "Windows" one, which stands for the platform's look without visual styles: a control given that style draws its
// classic parts instead.
#pragma once

#include "Toolkit.h"

#include <QString>

class QWidget;
class TCanvas;

struct ThemeData;
using HTHEME = ThemeData*;

// Parts: the push button of "button", the drop-down button of "combobox", the caption and its buttons of "window".
constexpr int BP_PUSHBUTTON = 1;
constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int WP_CAPTION = 1;
constexpr int WP_MINBUTTON = 15;
constexpr int WP_MAXBUTTON = 17;
constexpr int WP_CLOSEBUTTON = 18;

// States of the button parts (the same numbers for the push button and the drop-down button).
constexpr int PBS_NORMAL = 1;
constexpr int PBS_HOT = 2;
constexpr int PBS_PRESSED = 3;
constexpr int PBS_DISABLED = 4;

// True while visual styles are in use for the window (any style but the classic one); the application's style
// without a window.
bool IsThemeActive(const QWidget* window = nullptr);
// The theme of the first class in the ';'-separated list that is known, for the window; null when none is known or
// themes are not active.
HTHEME OpenThemeData(QWidget* window, const QString& classList);
// Draws one part in a state into the rectangle of the canvas; nothing for a null theme or an unknown part.
void DrawThemeBackground(HTHEME theme, TCanvas& canvas, int part, int state, const TRect& rect);
void CloseThemeData(HTHEME theme);
