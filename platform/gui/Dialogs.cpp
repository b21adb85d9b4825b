#include "Dialogs.h"

#include "LongMessage.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTranslator>

Prompter::Answer MessageBoxPrompter::ask(const QString& text, const QString& caption, Buttons buttons, Icon icon)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    // A text that would not fit on the screen gets a summary and a scrolled area instead.
    if (IsLongMessage(text, box.screen()->availableGeometry().size(), box.font()))
        return LongMessageDialog(box.parentWidget(), text, caption, buttons, icon).ask();
    box.setText(text);
    box.setIcon(MessageIcon(icon));
    box.setStandardButtons(MessageButtons(buttons));
    // The program speaks Polish also where Qt's own translations are not installed.
    SetPolishButtonTexts([&box](QMessageBox::StandardButton button) { return box.button(button); });
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
