#include "StdCtrls.h"

#include <gtest/gtest.h>

#include <QTest>

TEST(StdCtrlsTest, theEditSpeaksInTheToolkitsTerms)
{
    TCustomEdit edit;
    int changes = 0;
    edit.OnChange = [&](TCustomEdit* sender) {
        EXPECT_EQ(sender, &edit);
        ++changes;
    };
    edit.setText(QStringLiteral("Kowalski"));
    EXPECT_EQ(changes, 1);

    EXPECT_EQ(edit.GetMaxLength(), 0);
    edit.SetMaxLength(3);
    EXPECT_EQ(edit.maxLength(), 3);
    edit.SetMaxLength(0);
    edit.setText(QStringLiteral("Kowalski"));

    edit.SetSelStart(2);
    EXPECT_EQ(edit.GetSelStart(), 2);
    EXPECT_EQ(edit.GetSelLength(), 0);
    edit.SetSelLength(3);
    EXPECT_EQ(edit.GetSelStart(), 2);
    EXPECT_EQ(edit.GetSelText(), QStringLiteral("wal"));

    edit.SetColor(clYellow);
    edit.SetFontColor(clRed);
    EXPECT_EQ(edit.GetColor(), clYellow);
    EXPECT_EQ(edit.palette().color(QPalette::Base), ToQColor(clYellow));
    EXPECT_EQ(edit.palette().color(QPalette::Active, QPalette::Text), ToQColor(clRed));

    edit.SetBorderStyle(bsNone);
    EXPECT_FALSE(edit.hasFrame());
    EXPECT_EQ(edit.GetBorderStyle(), bsNone);
}

TEST(StdCtrlsTest, keyPressMayReplaceOrDropATypedCharacter)
{
    TCustomEdit edit;
    edit.OnKeyPress = [](TCustomEdit*, QChar& key) {
        if (key == u'x')
            key = QChar();
        else
            key = key.toUpper();
    };
    QTest::keyClicks(&edit, QStringLiteral("axb"));
    EXPECT_EQ(edit.text(), QStringLiteral("AB"));
}

TEST(StdCtrlsTest, anAutoSizedLabelTakesTheSizeOfItsText)
{
    QWidget window;
    TLabel label(&window);
    TFont font;
    font.SetHeight(-13);
    label.SetFont(font);
    label.SetCaption(QStringLiteral("&Nazwisko"));
    const QFontMetrics metrics(font.ToQFont());
    EXPECT_EQ(label.height(), metrics.height());
    EXPECT_EQ(label.TextWidth(), metrics.horizontalAdvance(QStringLiteral("&Nazwisko")));
    // With a control to focus, the '&' marks the accelerator and takes no room.
    TCustomEdit edit(&window);
    label.SetFocusControl(&edit);
    EXPECT_EQ(label.TextWidth(), metrics.horizontalAdvance(QStringLiteral("Nazwisko")));
    EXPECT_EQ(label.width(), label.TextWidth());

    int clicks = 0;
    label.OnClick = [&](TLabel* sender) {
        EXPECT_EQ(sender, &label);
        ++clicks;
    };
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}
