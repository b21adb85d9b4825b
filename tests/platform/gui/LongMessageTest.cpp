// Long messages: a text that would not fit on the screen shows a summary and the rest in a scrolled, selectable
// area, within two thirds of the screen with its buttons in view.
#include "LongMessage.h"
#include "Dialogs.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

QString numberedLines(int count, int width)
{
    QStringList lines{QStringLiteral("Niektórych wierszy pliku nie udało się wczytać:")};
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("Wiersz %1: %2").arg(i).arg(QString(width, u'x'));
    return lines.join(QStringLiteral("\r\n"));
}

QSize screenSize()
{
    return QGuiApplication::primaryScreen()->availableGeometry().size();
}

// The text as the dialog shows it, summary and detail, with plain line ends.
QString shownText(const LongMessageDialog& dialog)
{
    return dialog.summaryLabel->text() + u'\n' + dialog.detailView->toPlainText();
}

} // namespace

TEST(LongMessageTest, longTextsFitTheScreenWithButtonsInViewAndTheWholeTextInTheDetail)
{
    struct Case
    {
        const char* name;
        QString text;
    };
    const QString endlessName(20000, u'Ż');
    const Case cases[] = {
        {"many short lines", numberedLines(50, 20)},
        {"many wide lines", numberedLines(300, 400)},
        {"one endless word",
         QStringLiteral("Nie można zapisać pliku [") + endlessName + QStringLiteral("]: brak miejsca")},
        {"an import summary",
         QStringLiteral("Dane zostały wczytane\r\n\r\nDodane osoby: 3\r\n\r\n") + numberedLines(40, 60)},
    };
    const QSize screen = screenSize();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(IsLongMessage(c.text, screen, QApplication::font()));
        LongMessageDialog dialog(nullptr, c.text, QStringLiteral("Uwaga"), Prompter::Buttons::Ok,
                                 Prompter::Icon::Warning);
        dialog.show();
        QApplication::processEvents();
        EXPECT_LE(dialog.width(), screen.width() * 2 / 3);
        EXPECT_LE(dialog.height(), screen.height() * 2 / 3);
        EXPECT_LE(dialog.summaryLabel->text().size(), 401);
        // The buttons lie inside the window, below the detail.
        EXPECT_TRUE(dialog.buttonBox->isVisible());
        EXPECT_TRUE(dialog.rect().contains(dialog.buttonBox->geometry()));
        EXPECT_GE(dialog.buttonBox->y(), dialog.detailView->geometry().bottom());
        EXPECT_TRUE(dialog.detailView->isReadOnly());
        EXPECT_TRUE(dialog.detailView->textInteractionFlags() & Qt::TextSelectableByMouse);
        QString whole = c.text;
        whole.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const QString shown = shownText(dialog);
        for (const QString& line : whole.split(u'\n', Qt::SkipEmptyParts))
            EXPECT_TRUE(shown.contains(line)) << line.left(80).toStdString();
    }
}

TEST(LongMessageTest, shortTextsStayPlainMessages)
{
    const QSize screen = screenSize();
    EXPECT_FALSE(IsLongMessage(QStringLiteral("Dane z pliku GEDCOM zostały wczytane"), screen, QApplication::font()));
    EXPECT_FALSE(IsLongMessage(numberedLines(14, 30), screen, QApplication::font()));
    EXPECT_TRUE(IsLongMessage(numberedLines(15, 30), screen, QApplication::font()));
}

TEST(LongMessageTest, theSummaryIsTheFirstShortParagraphElseTheFirstLineElseACutOfIt)
{
    struct Case
    {
        QString text;
        QString summary;
        QString detail;
    };
    const QString longWord(300, u'a');
    const Case cases[] = {
        {"Wczytano.\r\n\r\nOsoby: 3\r\nRodziny: 1", "Wczytano.", "Osoby: 3\nRodziny: 1"},
        {"Problemy:\nWiersz 1: a\nWiersz 2: b\nWiersz 3: c", "Problemy:", "Wiersz 1: a\nWiersz 2: b\nWiersz 3: c"},
        {"Plik " + longWord + "\nreszta", "Plik " + longWord.left(95) + QChar(0x2026), "Plik " + longWord + "\nreszta"},
    };
    for (const Case& c : cases) {
        const LongMessageParts parts = SplitLongMessage(c.text);
        EXPECT_EQ(parts.summary, c.summary);
        EXPECT_EQ(parts.detail, c.detail);
    }
}

TEST(LongMessageTest, theProgramsMessageBoxShowsALongTextInTheLongFormAndAnswersWithThePressedButton)
{
    QSize shownSize;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<LongMessageDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no long message";
            QApplication::activeModalWidget()->close();
            return;
        }
        shownSize = dialog->size();
        for (QAbstractButton* button : dialog->buttonBox->buttons())
            buttons << button->text();
        dialog->buttonBox->button(QDialogButtonBox::No)->click();
    });
    MessageBoxPrompter boxes;
    const Prompter::Answer answer =
        boxes.ask(numberedLines(200, 80), QStringLiteral("Uwaga"), Prompter::Buttons::YesNo, Prompter::Icon::Question);
    EXPECT_EQ(answer, Prompter::Answer::No);
    buttons.sort();
    EXPECT_EQ(buttons, QStringList({"Nie", "Tak"}));
    EXPECT_LE(shownSize.height(), screenSize().height() * 2 / 3);
}

TEST(LongMessageTest, screenshotOfAProblemList)
{
    QStringList lines{QStringLiteral("Niektórych wierszy pliku GEDCOM nie udało się wczytać w całości:")};
    for (int i = 1; i <= 60; ++i)
        lines << QStringLiteral("Wiersz %1: wiersz pominięty, bo jego poziom nie jest liczbą: %2…")
                     .arg(i * 7)
                     .arg(QString(100, u'ż'));
    LongMessageDialog dialog(nullptr, lines.join(QStringLiteral("\r\n")), QStringLiteral("Kronvel"),
                             Prompter::Buttons::Ok, Prompter::Icon::Warning);
    dialog.show();
    QApplication::processEvents();
    const QString file = testOutputFolder() + QStringLiteral("/long-message.png");
    EXPECT_TRUE(dialog.grab().save(file)) << file.toStdString();
}
