// The real message boxes behind the prompter: the buttons each set shows and the answer each button gives.
#include "Dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

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
