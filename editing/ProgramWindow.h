// The application's main window as the editing windows see it: the owner of the person editors they open. The
// entry point registers it, so the editing windows need none of the shell's headers.
#pragma once

class QWidget;

void SetProgramMainWindow(QWidget* window);
// The registered window; null before the entry point has registered one or after it is gone.
QWidget* ProgramMainWindow();
