#include "Dialogs.h"

#include "Forms.h"
#include "LongMessage.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QTranslator>

Prompter::Answer MessageBoxPrompter::ask(const QString& text, const QString& caption, Buttons buttons, Icon icon)
{
    QMessageBox box(ActiveOwnerWindow());
    box.setWindowTitle(caption);
    // A text that would not fit on the screen gets a summary and a scrolled area instead.
    if (IsLongMessage(text, box.screen()->availableGeometry().size(), box.font()))
        return LongMessageDialog(box.parentWidget(), text, caption, buttons, icon).ask();
    box.setText(text);
    box.setIcon(MessageIcon(icon));
    box.setStandardButtons(MessageButtons(buttons));
    // The program speaks Polish also where Qt's own translations are not installed.
    SetPolishButtonTexts([&box](QMessageBox::StandardButton button) { return box.button(button); });
    // A desktop without a window manager keeps no box above its owner: it is raised once it is on the screen.
    QTimer::singleShot(0, &box, [&box] {
        box.raise();
        box.activateWindow();
    });
    return MessageAnswer(box.exec());
}

bool loadQtTranslations()
{
    static bool loaded = false;
    if (loaded)
        return true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        loaded = true;
        return true;
    }
    delete translator;
    return false;
}
