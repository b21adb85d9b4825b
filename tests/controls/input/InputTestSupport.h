// Helpers of the input controls' tests: a shown, active window to put controls on, typing, and readable texts.
#pragma once

#include "Forms.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QTest>

// The locale's thousand separator between the digits: "1 234" with the Polish no-break space.
inline QString grouped(const char* text)
{
    return QString::fromUtf8(text).replace(u' ', QLocale().groupSeparator());
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
