// Entry point of Kronvel.
#include "Dialogs.h"
#include "Shell.h"
#include "Vh_langmanager.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kronvel"));

    MessageBoxPrompter messageBoxes;
    setPrompter(&messageBoxes);
    DesktopUrlOpener desktop;
    setUrlOpener(&desktop);

    gLangM.Load(KX_LangManager::MessageTable());
    gLangM.Load(KX_LangManager::CaptionTable());

    QLabel window(QStringLiteral("Kronvel"));
    window.setWindowTitle(QStringLiteral("Kronvel"));
    window.setAlignment(Qt::AlignCenter);
    window.resize(640, 480);
    window.show();
    return app.exec();
}
