// Helpers of the input controls' tests: a shown, active window to put controls on, typing, and readable texts.
#pragma once

#include "Forms.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QScreen>
#include <QTest>

// The locale's thousand separator between the digits: "1 234" with the Polish no-break space.
inline QString grouped(const char* text)
{
    return QString::fromUtf8(text).replace(u' ', QLocale().groupSeparator());
}

// What the window shows of a widget once its pending repaints have run. Unlike grab(), which paints the whole
// widget afresh, only what the widget asked to have repainted is new here.
inline QImage shownOnScreen(QWidget* widget)
{
    QCoreApplication::processEvents();
    const QPoint at = widget->mapTo(widget->window(), QPoint());
    return widget->screen()
        ->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(), widget->height())
        .toImage();
}

// A window that is on screen and active, so that controls on it take the keyboard focus.
struct ShownForm
{
    ShownForm() { form.SetClientSize(400, 300); }
    // Shows the window and waits until it is active.
    bool show()
    {
        form.show();
        form.activateWindow();
        return QTest::qWaitForWindowActive(&form);
    }

    TForm form;
};

// The classic dialog colour behind the controls of a gallery picture.
inline void paintGalleryBackground(QWidget& window)
{
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0xEC, 0xE9, 0xD8));
    window.setPalette(palette);
}

// Runs what was queued (posted Tab keys, button actions) and lets the focus settle.
inline void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}
