// Entry point of Kronvel: creates the windows, the main window first, and runs the event loop until the main
// window closes.
#include "Application.h"
#include "ColorDialogs.h"
#include "Dialogs.h"
#include "FileDialogs.h"
#include "Fonts.h"
#include "ProcessControl.h"
#include "ProgramWindows.h"
#include "Shell.h"
#include "StartUnit.h"
#include "WebBrowser.h"

int main(int argc, char* argv[])
{
    prepareWebEngine();
    TApplication app(argc, argv);
    loadQtTranslations();
    MessageBoxPrompter messageBoxes;
    setPrompter(&messageBoxes);
    DesktopUrlOpener desktop;
    setUrlOpener(&desktop);
    QtFileDialogs fileChoosers;
    setFileDialogs(&fileChoosers);
    QtColorDialogs colourChoosers;
    setColorDialogs(&colourChoosers);
    QtProcessControl processes;
    setProcessControl(&processes);
    Fonts::registerApplicationFonts();

    try {
        const ProgramWindows windows;
        StartForm->show();
        app.exec();
    } catch (...) {
        ShowException(std::current_exception());
    }
    return 0;
}
