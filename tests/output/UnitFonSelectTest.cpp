#include "UnitFonSelect.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvOfficeButtons.h"
#include "Fonts.h"
#include "TestSupport.h"
#include "Vh_langmanager.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class FontChooserTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { gLangM.Load(KX_LangManager::MessageTable()); }

    QString selectedFace() const
    {
        const QListWidgetItem* item = chooser.ListBoxChcionki->currentItem();
        return item && item->isSelected() ? item->text() : QString();
    }
    bool bold() const { return chooser.AdvOfficeCheckBoxPogrubienie->GetChecked(); }
    bool italic() const { return chooser.AdvOfficeCheckBoxPochylenie->GetChecked(); }
    bool previewShown() const { return !chooser.LabelPodglad->isHidden(); }

    // Tahoma where it is installed, else the face standing in for it: either way an installed face.
    const QString tahoma = Fonts::familyFor(QStringLiteral("Tahoma"));
    TFormSelectFont chooser;
};

} // namespace

TEST_F(FontChooserTest, aDescriptionFillsTheControlsAndThePreview)
{
    chooser.SetDescription(tahoma + ", 10pt, pogrubienie");
    EXPECT_EQ(selectedFace(), tahoma);
    EXPECT_EQ(chooser.AdvEditFontName->GetText(), tahoma);
    EXPECT_EQ(chooser.AdvComboBoxFontSize->GetText(), "10");
    EXPECT_TRUE(bold());
    EXPECT_FALSE(italic());
    EXPECT_FALSE(chooser.AdvOfficeCheckBoxPodkreslenie->GetChecked());
    EXPECT_TRUE(previewShown());
    EXPECT_EQ(chooser.LabelPodglad->font().pointSize(), 10);
    EXPECT_TRUE(chooser.LabelPodglad->font().bold());

    // A face that is not installed: named, not selected, no preview.
    chooser.SetDescription("Nieznana Czcionka, 12pt");
    EXPECT_EQ(chooser.AdvEditFontName->GetText(), "Nieznana Czcionka");
    EXPECT_EQ(selectedFace(), QString());
    EXPECT_FALSE(previewShown());

    // One item: the size and the styles stay.
    chooser.SetDescription(tahoma + ", 14pt, pochylenie, podkreślenie");
    chooser.SetDescription(tahoma);
    EXPECT_EQ(chooser.AdvComboBoxFontSize->GetText(), "14");
    EXPECT_FALSE(bold());
    EXPECT_TRUE(italic());
    EXPECT_TRUE(chooser.AdvOfficeCheckBoxPodkreslenie->GetChecked());
    EXPECT_TRUE(chooser.LabelPodglad->font().underline());
}

TEST_F(FontChooserTest, theDescriptionIsWrittenFromTheControlsAsTheyStand)
{
    chooser.SetDescription(tahoma + ", 9pt");
    EXPECT_EQ(chooser.GetDescription(), tahoma + ", 9pt");
    chooser.AdvOfficeCheckBoxPogrubienie->SetChecked(true);
    chooser.AdvOfficeCheckBoxPochylenie->SetChecked(true);
    EXPECT_EQ(chooser.GetDescription(), tahoma + ", 9pt, pogrubienie, pochylenie");
}

TEST_F(FontChooserTest, arrowKeysWalkTheFacesAndStopAtTheEnds)
{
    QListWidget* list = chooser.ListBoxChcionki;
    ASSERT_GE(list->count(), 2);
    struct Case
    {
        const char* what;
        QString typed;
        int selectedBefore;
        Qt::Key key;
        int selectedAfter;
    };
    const int last = list->count() - 1;
    const QString secondFace = list->item(1)->text();
    const Case cases[] = {
        {"down without a selection or a match: the first face", "Qqqq nic", -1, Qt::Key_Down, 0},
        {"down without a selection: the first face the text begins", secondFace.left(secondFace.size()), -1,
         Qt::Key_Down, 1},
        {"down from the first face", QString(), 0, Qt::Key_Down, 1},
        {"down on the last face stays", QString(), last, Qt::Key_Down, last},
        {"up on the first face stays", QString(), 0, Qt::Key_Up, 0},
        {"up from the second face", QString(), 1, Qt::Key_Up, 0},
    };
    for (const Case& c : cases) {
        chooser.AdvEditFontName->SetText(c.typed);
        list->setCurrentRow(c.selectedBefore);
        chooser.AdvEditFontNameKeyDown(c.key);
        EXPECT_EQ(list->currentRow(), c.selectedAfter) << c.what;
        if (c.selectedAfter != c.selectedBefore) {
            EXPECT_EQ(chooser.AdvEditFontName->GetText(), list->item(c.selectedAfter)->text()) << c.what;
        }
    }
}

TEST_F(FontChooserTest, typingFindsTheFaceItBegins)
{
    chooser.show();
    chooser.AdvEditFontName->setFocus();
    QTest::keyClicks(chooser.AdvEditFontName, tahoma.left(3).toLower());
    // Only a beginning: the list shows it at the top, nothing is chosen yet.
    EXPECT_EQ(chooser.ListBoxChcionki->currentRow(), -1);
    QTest::keyClicks(chooser.AdvEditFontName, tahoma.mid(3));
    EXPECT_EQ(selectedFace(), tahoma);
    EXPECT_TRUE(previewShown());
    QTest::keyClicks(chooser.AdvEditFontName, "xyz");
    EXPECT_EQ(chooser.ListBoxChcionki->currentRow(), -1);
    // The arrow keys on the field walk the list.
    chooser.AdvEditFontName->SetText(tahoma);
    chooser.ListBoxChcionki->setCurrentRow(-1);
    QTest::keyClick(chooser.AdvEditFontName, Qt::Key_Down);
    EXPECT_EQ(chooser.AdvEditFontName->GetText(), tahoma);
}

TEST_F(FontChooserTest, aCommaIsRefusedInTheFaceAndTheSize)
{
    chooser.show();
    QTest::keyClicks(chooser.AdvEditFontName, "Ta,homa");
    EXPECT_EQ(chooser.AdvEditFontName->GetText(), "Tahoma");
    QApplication::clipboard()->setText("Arial, 12pt");
    chooser.AdvEditFontName->PasteFromClipboard();
    EXPECT_EQ(chooser.AdvEditFontName->GetText(), "Tahoma");

    QLineEdit* size = chooser.AdvComboBoxFontSize->lineEdit();
    size->clear();
    QTest::keyClicks(size, "1,4");
    EXPECT_EQ(chooser.AdvComboBoxFontSize->GetText(), "14");
    size->selectAll();
    QApplication::clipboard()->setText("1,0");
    size->paste();
    EXPECT_EQ(chooser.AdvComboBoxFontSize->GetText(), "14");
    EXPECT_FALSE(chooser.GetDescription().contains("1,"));
}

TEST_F(FontChooserTest, aSizeThatIsNotAWholeNumberLeavesThePreviewWithoutAMessage)
{
    RecordingPrompter prompter;
    chooser.show();
    chooser.SetDescription(tahoma + ", 16pt");
    QLineEdit* size = chooser.AdvComboBoxFontSize->lineEdit();
    size->end(false);
    QTest::keyClicks(size, "x");
    EXPECT_EQ(chooser.AdvComboBoxFontSize->GetText(), "16x");
    EXPECT_EQ(chooser.LabelPodglad->font().pointSize(), 16);
    EXPECT_TRUE(previewShown());
    EXPECT_TRUE(prompter.texts.isEmpty());
    // Kept as typed in the description.
    EXPECT_EQ(chooser.GetDescription(), tahoma + ", 16xpt");
}

TEST_F(FontChooserTest, saveAndCancelEndTheShowingWithOneAndTwo)
{
    struct Case
    {
        const char* how;
        std::function<void(TFormSelectFont&)> act;
        TModalResult result;
    };
    const Case cases[] = {
        {"Zapisz", [](TFormSelectFont& f) { f.ButtonZapisz->click(); }, 1},
        {"Anuluj", [](TFormSelectFont& f) { f.Button2->click(); }, 2},
        {"Esc", [](TFormSelectFont& f) { QTest::keyClick(f.AdvEditFontName, Qt::Key_Escape); }, 2},
    };
    for (const Case& c : cases) {
        QTimer::singleShot(0, [&] { c.act(chooser); });
        EXPECT_EQ(chooser.ShowModal(), c.result) << c.how;
    }
}

TEST_F(FontChooserTest, screenshot)
{
    chooser.SetDescription(tahoma + ", 20pt, pogrubienie");
    chooser.show();
    EXPECT_TRUE(chooser.grab().save(testOutputFolder() + "/font_chooser.png"));
}
