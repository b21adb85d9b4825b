#include "ProgramWindow.h"

#include <QPointer>
#include <QWidget>

namespace {

QPointer<QWidget> mainWindow;

} // namespace

void SetProgramMainWindow(QWidget* window)
{
    mainWindow = window;
}

QWidget* ProgramMainWindow()
{
    return mainWindow;
}
