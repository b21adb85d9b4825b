// The real message boxes behind the prompter: the buttons each set shows and the answer each button gives.
#include "Dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include <memory>

namespace {

// Presses the button of the message box once it is shown, noting which buttons it had.
void pressWhenShown(QMessageBox::StandardButton button, QMessageBox::StandardButtons& shown)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, button, &shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll->deleteLater();
        poll->stop();
        shown = box->standardButtons();
        box->button(button)->click();
    });
    poll->start(10);
}

} // namespace

TEST(DialogsTest, eachButtonSetShowsItsButtonsAndAnswersWithThePressedOne)
{
    struct Case
    {
        Prompter::Buttons buttons;
        QMessageBox::StandardButtons shown;
        QMessageBox::StandardButton pressed;
        Prompter::Answer answer;
    };
    const Case cases[] = {
        {Prompter::Buttons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, Prompter::Answer::Ok},
        {Prompter::Buttons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel,
         Prompter::Answer::Cancel},
        {Prompter::Buttons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, Prompter::Answer::No},
        {Prompter::Buttons::Ok, QMessageBox::Ok, QMessageBox::Ok, Prompter::Answer::Ok},
    };
    MessageBoxPrompter boxes;
    for (const Case& c : cases) {
        QMessageBox::StandardButtons shown;
        pressWhenShown(c.pressed, shown);
        const Prompter::Answer answer = boxes.ask(QStringLiteral("Delete record?"), QStringLiteral("Potwierdzenie"),
                                                  c.buttons, Prompter::Icon::Question);
        EXPECT_EQ(shown, c.shown) << int(c.buttons);
        EXPECT_EQ(answer, c.answer) << int(c.buttons);
    }
}

namespace {

// The texts of the buttons of the message box that a question opens, and the answer given by pressing the one
// with the text `press`.
struct Shown
{
    QStringList buttons;
    Prompter::Answer answer;
};

Shown ask(Prompter::Buttons buttons, const QString& press)
{
    Shown shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box";
            return;
        }
        for (QAbstractButton* button : box->buttons())
            shown.buttons << button->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == press)
                button->click();
    });
    MessageBoxPrompter prompter;
    shown.answer = prompter.ask("Czy chcesz usunąć dane?", "Uwaga", buttons, Prompter::Icon::Question);
    return shown;
}

} // namespace

TEST(MessageBoxPrompterTest, buttonsArePolishAndEachGivesItsAnswer)
{
    struct Case
    {
        Prompter::Buttons buttons;
        const char* press;
        QStringList texts;
        Prompter::Answer answer;
    };
    const Case cases[] = {
        {Prompter::Buttons::YesNoCancel, "Nie", {"Tak", "Nie", "Anuluj"}, Prompter::Answer::No},
        {Prompter::Buttons::YesNoCancel, "Tak", {"Tak", "Nie", "Anuluj"}, Prompter::Answer::Yes},
        {Prompter::Buttons::YesNoCancel, "Anuluj", {"Tak", "Nie", "Anuluj"}, Prompter::Answer::Cancel},
        {Prompter::Buttons::YesNo, "Nie", {"Tak", "Nie"}, Prompter::Answer::No},
        {Prompter::Buttons::Ok, "OK", {"OK"}, Prompter::Answer::Ok},
    };
    for (const Case& c : cases) {
        const Shown shown = ask(c.buttons, c.press);
        QStringList sorted = shown.buttons;
        QStringList expected = c.texts;
        sorted.sort();
        expected.sort();
        EXPECT_EQ(sorted, expected) << c.press;
        EXPECT_EQ(shown.answer, c.answer) << c.press;
    }
}

TEST(QtTranslationsTest, qtsOwnTextsArePolish)
{
    ASSERT_TRUE(loadQtTranslations()) << "Qt's Polish translations are not installed (qt6-translations-l10n)";
    QLineEdit edit("tekst");
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList items;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator())
            items << action->text().section(u'\t', 0, 0).remove(u'&');
    }
    ASSERT_GE(items.size(), 5);
    EXPECT_EQ(items.mid(0, 5), (QStringList{"Cofnij", "Przywróć", "Wytnij", "Skopiuj", "Wklej"}));
}
