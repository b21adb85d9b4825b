#include "RaportDrzewo.h"
#include "ReportWindows.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvOfficeButtons.h"
#include "AdvPageControl.h"
#include "AdvPanel.h"
#include "ColourPanel.h"
#include "ScriptedColorDialogs.h"
#include "TestSupport.h"
#include "TreeSetings.h"
#include "Treeunit.h"
#include "UnitFonSelect.h"

#include "TreeTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// The dialog with the font chooser it opens, the message boxes, the colour dialog and the desktop all answered by
// the test.
class TreeDialogTest : public TreeFolderFixture
{
protected:
    void SetUp() override
    {
        TreeFolderFixture::SetUp();
        FormSelectFont = &chooser;
        jan = addPerson("Jan", "Nowak");
    }
    void TearDown() override
    {
        FormSelectFont = nullptr;
        TreeFolderFixture::TearDown();
    }

    // The dialog as a caller opens it: set up for a kind and a person, then activated.
    void open(int kind, const KV_Person* person)
    {
        dialog.SetupFor(kind, person ? person->ID : QStringLiteral("person_unknown"));
        dialog.FormActivate();
    }
    QStringList reports() const { return QDir(gReportsFolder).entryList(QDir::Files); }
    static bool shown(const QWidget* control) { return !control->isHidden(); }

    RecordingPrompter prompter;
    RecordingOpener opener;
    ScriptedColorDialogs colours;
    TFormSelectFont chooser;
    TFormRaportDrzewo dialog;
    KV_Person* jan = nullptr;
};

} // namespace

TEST_F(TreeDialogTest, theReportFunctionsOpenTheDialogModallyForTheKindAndThePerson)
{
    struct Case
    {
        TreeType type;
        const char* title;
    };
    const Case cases[] = {{TreeType::Ancestors, "Jan Nowak - drzewo przodków"},
                          {TreeType::Descendants, "Jan Nowak - drzewo potomków"},
                          {TreeType::AncestorsAndDescendants, "Jan Nowak - drzewo przodków i potomków"}};
    // The caller's window is active before each showing, as the person list's is.
    TForm caller;
    caller.show();
    for (const Case& c : cases) {
        caller.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&caller));
        bool seen = false;
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            seen = dialog.IsModal();
            EXPECT_EQ(dialog.TreeKind, int(c.type));
            EXPECT_EQ(dialog.SelectedPersonID, jan->ID);
            EXPECT_EQ(dialog.AdvComboBoxTytul->GetText(), QString::fromUtf8(c.title));
            dialog.Button2->click();
        });
        OpenTreeReport(c.type, jan->ID);
        EXPECT_TRUE(seen);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.GetModalResult(), mrClose);
    }
}

TEST_F(TreeDialogTest, eachKindHasItsCaptionDefaultTitleAndOptions)
{
    struct Case
    {
        int kind;
        const char* caption;
        const char* title;
        bool ancestorOptions;
    };
    const Case cases[] = {
        {1, "Drzewo: Przodków", "Jan Nowak - drzewo przodków", true},
        {2, "Drzewo: Potomków", "Jan Nowak - drzewo potomków", false},
        {3, "Drzewo: Przodków i potomków", "Jan Nowak - drzewo przodków i potomków", false},
    };
    for (const Case& c : cases) {
        open(c.kind, jan);
        EXPECT_EQ(dialog.PanelTitle->GetText(), QString::fromUtf8(c.caption)) << c.kind;
        EXPECT_EQ(dialog.AdvComboBoxTytul->GetText(), QString::fromUtf8(c.title)) << c.kind;
        EXPECT_EQ(dialog.AdvComboBoxTypDrzewa->GetItemIndex(), c.kind - 1);
        EXPECT_EQ(shown(dialog.AdvOfficeCheckBoxPrzodkiPokazRodowe), c.ancestorOptions) << c.kind;
        EXPECT_EQ(shown(dialog.AdvOfficeCheckBoxMirror), c.ancestorOptions) << c.kind;
        EXPECT_EQ(shown(dialog.OptionShowSpouses), !c.ancestorOptions) << c.kind;
        EXPECT_EQ(shown(dialog.OptionShowInMenLines), !c.ancestorOptions) << c.kind;
        EXPECT_TRUE(shown(dialog.OptionShowPicture));
    }

    // A typed title gives way to the next person's default; an unknown person leaves the name out.
    dialog.AdvComboBoxTytul->SetText("Mój tytuł");
    open(1, addPerson("Anna", "Kowalska", 0));
    EXPECT_EQ(dialog.AdvComboBoxTytul->GetText(), QString::fromUtf8("Anna Kowalska - drzewo przodków"));
    open(1, nullptr);
    EXPECT_EQ(dialog.AdvComboBoxTytul->GetText(), QString::fromUtf8(" - drzewo przodków"));

    // The layout tab stays hidden: the margin is always the first, 2 cm.
    EXPECT_FALSE(dialog.AdvTabSheet4->GetTabVisible());
    EXPECT_EQ(dialog.AdvComboBoxMarginesy->GetItemIndex(), 0);
}

TEST_F(TreeDialogTest, fillAndBorderListsShowTheirColourPanels)
{
    open(2, jan);
    struct Case
    {
        int fill;
        int border;
        bool from;
        bool to;
        bool borderColour;
    };
    const Case cases[] = {
        {0, 0, false, false, false}, // "brak"
        {1, 1, false, false, true},  // "domyślna tekstura"
        {2, 0, true, false, false},  // "pełnym kolorem"
        {3, 1, true, true, true},    // "gradientem"
    };
    for (const Case& c : cases) {
        for (TAdvComboBox* fill : {dialog.KWS, dialog.MWS, dialog.NWS})
            fill->SetItemIndex(c.fill);
        for (TAdvComboBox* border : {dialog.KBS, dialog.MBS, dialog.NBS})
            border->SetItemIndex(c.border);
        dialog.KWSChange();
        for (ColourPanel* from : {dialog.KK1, dialog.MK1, dialog.NK1})
            EXPECT_EQ(shown(from), c.from) << c.fill;
        for (ColourPanel* to : {dialog.KK2, dialog.MK2, dialog.NK2})
            EXPECT_EQ(shown(to), c.to) << c.fill;
        for (ColourPanel* colour : {dialog.KK, dialog.MK, dialog.NK})
            EXPECT_EQ(shown(colour), c.borderColour) << c.border;
    }
    EXPECT_EQ(dialog.KWS->itemText(1), QString::fromUtf8("domyślna tekstura"));
}

TEST_F(TreeDialogTest, defaultsReturnToTheActiveTabOnlyOnYes)
{
    gTreeSetings.ShowPicture = false;
    gTreeSetings.ShowAncestorsFamilyName = false;
    gTreeSetings.Frames[0] = {KV_FrameStyle::NoFill, KV_FrameStyle::NoBorder, 0x123456, 0x654321, 0x111111};
    gTreeSetings.ColorToChild = 0x0000FF;
    open(1, jan);
    EXPECT_FALSE(dialog.OptionShowPicture->GetChecked());
    EXPECT_FALSE(dialog.AdvOfficeCheckBoxPrzodkiPokazRodowe->GetChecked());

    for (Prompter::Answer answer : {Prompter::Answer::No, Prompter::Answer::Cancel}) {
        prompter.answers = {answer};
        dialog.Button1Click();
        EXPECT_FALSE(dialog.OptionShowPicture->GetChecked());
    }
    ASSERT_EQ(prompter.texts.size(), 2);
    EXPECT_EQ(prompter.texts[0], QString::fromUtf8("Czy chcesz przywrócić ustawienia domyślne dla wybranej karty?"));
    EXPECT_EQ(prompter.captions[0], "Uwaga");

    prompter.answers = {Prompter::Answer::Yes};
    dialog.Button1Click();
    EXPECT_TRUE(dialog.OptionShowPicture->GetChecked());
    EXPECT_TRUE(dialog.AdvOfficeCheckBoxPrzodkiPokazRodowe->GetChecked());
    // Another tab keeps what it showed, and nothing reaches the settings.
    EXPECT_EQ(dialog.KWS->GetItemIndex(), KV_FrameStyle::NoFill);
    EXPECT_FALSE(gTreeSetings.ShowPicture);

    dialog.AdvPageControl1->SetActivePageIndex(2);
    prompter.answers = {Prompter::Answer::Yes};
    dialog.Button1Click();
    EXPECT_EQ(dialog.KWS->GetItemIndex(), KV_FrameStyle::GradientFill);
    EXPECT_EQ(dialog.KK1->GetColor(), 0xC4C4FFu);
    EXPECT_EQ(dialog.KK->GetColor(), 0xC4C4FFu);
    EXPECT_EQ(dialog.KK2->GetColor(), 0xFFFFFFu);
    EXPECT_EQ(dialog.PanelKolorLinii->GetColor(), 0x808080u);
    EXPECT_TRUE(shown(dialog.KK1));
    EXPECT_TRUE(shown(dialog.KK2));
    EXPECT_EQ(gTreeSetings.ColorToChild, 0x0000FFu);
}

TEST_F(TreeDialogTest, colourPanelsAskTheColourDialog)
{
    open(1, jan);
    colours.answers = {TColor(0x00FF00), std::nullopt};
    dialog.HeaderFontColorClick(dialog.MK1);
    EXPECT_EQ(dialog.MK1->GetColor(), 0x00FF00u);
    dialog.HeaderFontColorClick(dialog.MK1);
    EXPECT_EQ(dialog.MK1->GetColor(), 0x00FF00u) << "cancelled";
    ASSERT_EQ(colours.openedOn.size(), 2u);
    EXPECT_EQ(colours.openedOn[0], 0xFFDBB7u);
    EXPECT_EQ(colours.openedOn[1], 0x00FF00u);

    // A click on the panel itself.
    colours.answers = {TColor(0x0000FF)};
    dialog.show();
    QTest::mouseClick(dialog.PanelKolorLinii, Qt::LeftButton);
    EXPECT_EQ(dialog.PanelKolorLinii->GetColor(), 0x0000FFu);
}

TEST_F(TreeDialogTest, theEllipsisOpensTheFontChooserOnItsEdit)
{
    open(2, jan);
    QString shownInChooser;
    QTimer::singleShot(0, [&] {
        shownInChooser = chooser.GetDescription();
        chooser.AdvOfficeCheckBoxPochylenie->SetChecked(true);
        chooser.ButtonZapisz->click();
    });
    dialog.SpeedButton4->click();
    EXPECT_EQ(shownInChooser, "Tahoma, 9pt");
    EXPECT_EQ(dialog.AdvEditDatyFont->GetText(), "Tahoma, 9pt, pochylenie");
    EXPECT_EQ(dialog.AdvEditNameFont->GetText(), "Tahoma, 10pt, pogrubienie");

    QTimer::singleShot(0, [&] {
        chooser.AdvOfficeCheckBoxPogrubienie->SetChecked(false);
        chooser.Button2->click();
    });
    dialog.SpeedButton1->click();
    EXPECT_EQ(dialog.HeaderFont->GetText(), "Segoe Print, 36pt, pogrubienie") << "cancelled";

    // A button without a font tag opens nothing.
    SetTag(dialog.SpeedButton6, 5);
    dialog.SpeedButton1Click(dialog.SpeedButton6);
    EXPECT_FALSE(chooser.isVisible());
}

TEST_F(TreeDialogTest, theSettingsChangeOnlyWhenATreeIsGenerated)
{
    const auto change = [this] {
        dialog.AdvOfficeCheckBoxMirror->SetChecked(true);
        dialog.OptionShowPlaces->SetChecked(true);
        dialog.MWS->SetItemIndex(KV_FrameStyle::SolidFill);
        dialog.AdvEditNameFont->SetText("Tahoma, 12pt");
        colours.answers = {TColor(0x0000FF)};
        dialog.HeaderFontColorClick(dialog.PanelKolorLinii);
    };
    open(1, jan);
    change();
    EXPECT_FALSE(gTreeSetings.MirrorWidok);

    // Shown again without generating: the changes are gone.
    open(1, jan);
    EXPECT_FALSE(dialog.AdvOfficeCheckBoxMirror->GetChecked());
    EXPECT_EQ(dialog.MWS->GetItemIndex(), KV_FrameStyle::GradientFill);
    EXPECT_EQ(dialog.PanelKolorLinii->GetColor(), 0x808080u);

    change();
    dialog.AdvComboBoxTytul->SetText("Ród Nowaków");
    dialog.ButtonZapiszClick();
    EXPECT_TRUE(gTreeSetings.MirrorWidok);
    EXPECT_TRUE(gTreeSetings.ShowPlaces);
    EXPECT_EQ(gTreeSetings.Frames[1].fill, KV_FrameStyle::SolidFill);
    EXPECT_EQ(gTreeSetings.PDFFontName, "Tahoma, 12pt");
    EXPECT_EQ(gTreeSetings.ColorToChild, 0x0000FFu);
    EXPECT_EQ(gTreeSetings.Title, QString::fromUtf8("Ród Nowaków"));
    EXPECT_DOUBLE_EQ(gTreeSetings.LeftMargin, 2.0);
    EXPECT_DOUBLE_EQ(gTreeSetings.SavedTopMargin, 2.0);
    EXPECT_EQ(reports(), QStringList({QString::fromUtf8("raport_Ród Nowaków.pdf")}));
    ASSERT_EQ(opener.opened.size(), 1);
    EXPECT_EQ(opener.opened[0], QUrl::fromLocalFile(gReportsFolder + reports()[0]).toString());
}

TEST_F(TreeDialogTest, f3GeneratesWhileTheButtonIsEnabled)
{
    open(2, jan);
    dialog.show();
    QTest::keyClick(dialog.AdvComboBoxTytul, Qt::Key_F3);
    EXPECT_EQ(reports().size(), 1);
    EXPECT_EQ(opener.opened.size(), 1);

    dialog.ButtonZapisz->setEnabled(false);
    QKeyEvent f3(QEvent::KeyPress, Qt::Key_F3, Qt::NoModifier);
    bool handled = false;
    dialog.FormShortCut(&f3, handled);
    EXPECT_FALSE(handled);
    EXPECT_EQ(opener.opened.size(), 1);
}

TEST_F(TreeDialogTest, titlesThatNoFileNameCouldHoldStillGiveAReportInTheFolder)
{
    open(1, jan);
    const QString longTitle(300, QChar(u'ż'));
    for (const QString& title : {QStringLiteral("Nowak/Kowalski: drzewo?"), longTitle}) {
        dialog.AdvComboBoxTytul->SetText(title);
        dialog.ButtonZapiszClick();
    }
    const QStringList files = reports();
    ASSERT_EQ(files.size(), 2) << files.join(", ").toStdString();
    EXPECT_TRUE(files.contains("raport_Nowak_Kowalski_ drzewo_.pdf")) << files.join(", ").toStdString();
    for (const QString& file : files)
        EXPECT_LE(file.toUtf8().size(), 255);
    EXPECT_EQ(opener.opened.size(), 2);
    EXPECT_TRUE(prompter.texts.isEmpty());
}

TEST(TreeReportFileNameTest, unsafeCharactersBecomeUnderscoresAndLongTitlesAreCut)
{
    struct Case
    {
        QString title;
        QString name;
    };
    const QString grin = QString::fromUtf8("😀"); // four bytes, two UTF-16 units
    const Case cases[] = {
        {QString::fromUtf8("Żółć - drzewo"), QString::fromUtf8("raport_Żółć - drzewo.pdf")},
        {"a/b\\c:d*e?f\"g<h>i|j", "raport_a_b_c_d_e_f_g_h_i_j.pdf"},
        {QString("x\ty\nz") + QChar(0x7F) + QChar(0x85), "raport_x_y_z__.pdf"},
        {QString(300, u'a'), "raport_" + QString(244, u'a') + ".pdf"},
        {QString(200, u'ł'), "raport_" + QString(122, u'ł') + ".pdf"},
        // A character is never split: 61 of them take 244 bytes, the 62nd does not fit.
        {grin.repeated(70), "raport_" + grin.repeated(61) + ".pdf"},
        {QString(QChar(0xD83D)) + "a", "raport__a.pdf"}, // a lone half of a pair
        {QString(), "raport_.pdf"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TreeReportFileName(c.title), c.name);
        EXPECT_LE(TreeReportFileName(c.title).toUtf8().size(), 255);
    }
}

TEST_F(TreeDialogTest, aReportThatCannotBeWrittenIsReportedAndNotOpened)
{
    open(1, jan);
    const QString path = gReportsFolder + TreeReportFileName(dialog.AdvComboBoxTytul->GetText());
    QDir().mkpath(path);
    dialog.ButtonZapiszClick();
    ASSERT_EQ(prompter.texts.size(), 1);
    EXPECT_EQ(prompter.texts[0], QString::fromUtf8("Nie można zapisać pliku [%1]: Is a directory").arg(path));
    EXPECT_TRUE(opener.opened.isEmpty());
}

TEST_F(TreeDialogTest, screenshotsOfTheThreeTabs)
{
    makeUnion(jan, addPerson("Maria", "Kowalska", 0));
    open(3, jan);
    dialog.show();
    const char* names[] = {"tree_dialog_content.png", "tree_dialog_fonts.png", "tree_dialog_frames.png"};
    for (int page = 0; page < 3; ++page) {
        dialog.AdvPageControl1->SetActivePageIndex(page);
        QApplication::processEvents();
        EXPECT_TRUE(dialog.grab().save(testOutputFolder() + u'/' + QLatin1String(names[page])));
    }
}

TEST_F(TreeDialogTest, choicesSurviveAnotherActivationOfTheShowing)
{
    const QString chosenFont = QStringLiteral("DejaVu Serif, 20pt");
    whenShownModal(&dialog, [&] {
        dialog.HeaderFont->SetText(chosenFont);
        dialog.HeaderFontColor->SetColor(0x563412);
        dialog.AdvComboBoxTytul->SetText(u("Mój tytuł"));
        dialog.KWS->SetItemIndex(2);
        // A closing font chooser, colour dialog or message, or the user coming back from the report's viewer.
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(&dialog, &activation);
        EXPECT_EQ(dialog.HeaderFont->GetText(), chosenFont);
        EXPECT_EQ(dialog.HeaderFontColor->GetColor(), TColor(0x563412));
        EXPECT_EQ(dialog.AdvComboBoxTytul->GetText(), u("Mój tytuł"));
        EXPECT_EQ(dialog.KWS->GetItemIndex(), 2);
        dialog.Button2->click();
    });
    OpenTreeReport(TreeType::Ancestors, jan->ID);

    // Not generated: the next showing starts from the settings and the default title again.
    whenShownModal(&dialog, [&] {
        EXPECT_EQ(dialog.HeaderFont->GetText(), gTreeSetings.TitleFont);
        EXPECT_EQ(dialog.AdvComboBoxTytul->GetText(), u("Jan Nowak - drzewo przodków"));
        dialog.Button2->click();
    });
    OpenTreeReport(TreeType::Ancestors, jan->ID);
}
