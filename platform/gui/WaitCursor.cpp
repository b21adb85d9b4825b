#include "WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

// The override-cursor stack restores whatever cursor was shown before, nested scopes included.
TWaitCursorLok::TWaitCursorLok()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

TWaitCursorLok::~TWaitCursorLok()
{
    QGuiApplication::restoreOverrideCursor();
}
