// Entry point of Kronvel: creates the windows, the main window first, and runs the event loop until the main
// window closes.
#include "Application.h"
#include "Dialogs.h"
#include "FileDialogs.h"
#include "Fonts.h"
#include "Shell.h"
#include "StartUnit.h"
#include "WebBrowser.h"

#include <memory>

int main(int argc, char* argv[])
{
    prepareWebEngine();
    TApplication app(argc, argv);
    MessageBoxPrompter messageBoxes;
    setPrompter(&messageBoxes);
    DesktopUrlOpener desktop;
    setUrlOpener(&desktop);
    QtFileDialogs fileChoosers;
    setFileDialogs(&fileChoosers);
    Fonts::registerApplicationFonts();

    try {
        // The windows live until the program ends and go in the reverse order of their creation.
        const std::unique_ptr<TStartForm> startForm(StartForm = new TStartForm);
        // Each window created at start-up follows here in its order, and connects itself to the main window
        // through StartForm->SetWindows.
        StartForm->show();
        app.exec();
    } catch (...) {
        ShowException(std::current_exception());
    }
    StartForm = nullptr;
    return 0;
}
