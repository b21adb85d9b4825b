#include "Theme.h"

#include "Canvas.h"

#include <QApplication>
#include <QPointer>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

enum class ThemeClass { Button, ComboBox, Window };

struct ThemeData
{
    QPointer<QWidget> window;
    ThemeClass kind;
};

namespace {

QStyle* styleOf(const QWidget* window)
{
    return window ? window->style() : QApplication::style();
}

QStyle::State stateFlags(int state)
{
    QStyle::State flags = QStyle::State_Raised;
    if (state != PBS_DISABLED)
        flags |= QStyle::State_Enabled;
    if (state == PBS_HOT)
        flags |= QStyle::State_MouseOver;
    if (state == PBS_PRESSED)
        flags = (flags & ~QStyle::State_Raised) | QStyle::State_Sunken | QStyle::State_On;
    return flags;
}

void drawPushButton(QWidget* window, QPainter& painter, int state, const QRect& rect)
{
    QStyleOptionButton option;
    option.initFrom(window);
    option.rect = rect;
    option.state = stateFlags(state);
    window->style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, window);
}

// The drop-down button: a push button of the style with its down arrow.
void drawDropDownButton(QWidget* window, QPainter& painter, int state, const QRect& rect)
{
    drawPushButton(window, painter, state, rect);
    QStyleOption arrow;
    arrow.initFrom(window);
    arrow.state = stateFlags(state);
    const int side = qMax(5, qMin(rect.width(), rect.height()) / 2);
    arrow.rect = QRect(0, 0, side, side);
    arrow.rect.moveCenter(rect.center());
    if (state == PBS_PRESSED)
        arrow.rect.translate(1, 1);
    window->style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, window);
}

void drawWindowPart(QWidget* window, QPainter& painter, int part, int state, const QRect& rect)
{
    QStyle* style = window->style();
    if (part == WP_CAPTION) {
        QStyleOptionTitleBar option;
        option.initFrom(window);
        option.rect = rect;
        option.state = stateFlags(state) | QStyle::State_Active;
        // The styles read a title bar's activity from its state flags, not from the window state alone; without
        // it the bar is drawn inactive and pale under the caption's white text.
        option.titleBarState = Qt::WindowActive | QStyle::State_Active;
        option.titleBarFlags = Qt::Window;
        option.subControls = QStyle::SC_TitleBarLabel;
        style->drawComplexControl(QStyle::CC_TitleBar, &option, &painter, window);
        return;
    }
    QStyle::StandardPixmap icon;
    switch (part) {
    case WP_MINBUTTON:
        icon = QStyle::SP_TitleBarMinButton;
        break;
    case WP_MAXBUTTON:
        icon = QStyle::SP_TitleBarMaxButton;
        break;
    case WP_CLOSEBUTTON:
        icon = QStyle::SP_TitleBarCloseButton;
        break;
    default:
        return;
    }
    style->standardIcon(icon, nullptr, window)
        .paint(&painter, rect, Qt::AlignCenter, state == PBS_DISABLED ? QIcon::Disabled : QIcon::Normal);
}

} // namespace

bool IsThemeActive(const QWidget* window)
{
    return styleOf(window)->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) != 0;
}

HTHEME OpenThemeData(QWidget* window, const QString& classList)
{
    if (!window || !IsThemeActive(window))
        return nullptr;
    for (const QString& name : classList.split(u';', Qt::SkipEmptyParts)) {
        const QString key = name.trimmed().toLower();
        if (key == QLatin1String("button"))
            return new ThemeData{window, ThemeClass::Button};
        if (key == QLatin1String("combobox"))
            return new ThemeData{window, ThemeClass::ComboBox};
        if (key == QLatin1String("window"))
            return new ThemeData{window, ThemeClass::Window};
    }
    return nullptr;
}

void DrawThemeBackground(HTHEME theme, TCanvas& canvas, int part, int state, const TRect& rect)
{
    if (!theme || !theme->window)
        return;
    QPainter& painter = canvas.Painter();
    const QRect area = ToQRect(rect);
    switch (theme->kind) {
    case ThemeClass::Button:
        if (part == BP_PUSHBUTTON)
            drawPushButton(theme->window, painter, state, area);
        break;
    case ThemeClass::ComboBox:
        if (part == CP_DROPDOWNBUTTON)
            drawDropDownButton(theme->window, painter, state, area);
        break;
    case ThemeClass::Window:
        drawWindowPart(theme->window, painter, part, state, area);
        break;
    }
}

void CloseThemeData(HTHEME theme)
{
    delete theme;
}
