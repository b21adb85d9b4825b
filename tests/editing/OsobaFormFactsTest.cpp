#include "EditorCommandsFixture.h"
#include "StepAtQuestionPrompter.h"

#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

using Answer = Prompter::Answer;

class OsobaFormFactsTest : public EditorCommandsFixture
{
protected:
    // The person's fact list as its file holds it.
    QStringList writtenFacts(const QString& personID)
    {
        reload();
        return P(personID)->Facts;
    }
};

TEST_F(OsobaFormFactsTest, onceOnlyKindsAreRefusedOrDisabledOnceThePersonHasThem)
{
    const auto editor = editorOf(adam);
    editor->PopupMenuFactsListPopup();
    for (QAction* item : {editor->FactBirt, editor->Chrzest1, editor->FactDeath, editor->FactBuri})
        EXPECT_TRUE(item->isEnabled()) << item->objectName().toStdString();
    EXPECT_FALSE(editor->Faktydotyczcezwizkw1->isEnabled()) << "no partner";

    for (const char* type : {"BIRT", "BAPM", "DEAT", "BURI"})
        writtenFact(adam, type, QStringLiteral("1990"));
    editor->PopupMenuFactsListPopup();
    EXPECT_FALSE(editor->FactBirt->isEnabled());
    EXPECT_FALSE(editor->FactDeath->isEnabled());
    EXPECT_FALSE(editor->FactBuri->isEnabled());
    EXPECT_TRUE(editor->Chrzest1->isEnabled()) << "the second baptism is refused when asked for";

    const int factsBefore = gDB.GetFactCount();
    onShown(factEditor.get(), [] {});
    editor->Chrzest1->trigger();
    ASSERT_TRUE(waitUntil([this] { return !prompts.texts.isEmpty(); }));
    EXPECT_EQ(prompts.texts, QStringList{u("Osoba ma już fakt [Chrzest] dodany.")});
    EXPECT_EQ(dialogsShown, 0) << "no fact editor";
    EXPECT_EQ(gDB.GetFactCount(), factsBefore);

    const auto withPartners = editorOf(jan);
    withPartners->PopupMenuFactsListPopup();
    EXPECT_TRUE(withPartners->Faktydotyczcezwizkw1->isEnabled());
}

TEST_F(OsobaFormFactsTest, aDeathFactMarksALivingPersonDead)
{
    struct Case
    {
        const char* what;
        bool deadBefore;
        QStringList messages;
    };
    const Case cases[] = {
        {"living",
         false,
         {gLangM.Get("LABEL_DODANIE_TEGO_FAKTU_SPOWODUJE_USTAWIENIE_STATUS,_ZE_DANA_OSOBA_JEST_ZMARLA")}},
        {"already dead", true, {}},
    };
    for (const Case& c : cases) {
        startAfresh();
        makeFamily();
        P(adam)->SetDead(c.deadBefore);
        save(P(adam));
        prompts.texts.clear();
        const auto editor = editorOf(adam);
        saveFactWithPlace(QStringLiteral("Kraków"));
        editor->FactDeath->trigger();
        EXPECT_EQ(prompts.texts, c.messages) << c.what;
        const QByteArray file = readFileBytes(pathOf(adam));
        EXPECT_TRUE(file.contains("Dead=\"1\"")) << c.what;
        reload();
        const KV_Fact* death = P(adam)->FindFactByType(QStringLiteral("DEAT"));
        ASSERT_TRUE(death) << c.what;
        EXPECT_TRUE(file.contains(death->ID.toUtf8())) << c.what;
        EXPECT_EQ(death->Name, GetFactTypeLabel(QStringLiteral("DEAT"))) << c.what;
        EXPECT_EQ(death->Place, u("Kraków")) << c.what;
        EXPECT_FALSE(editor->LabelDataZg->isHidden()) << c.what;
        EXPECT_EQ(selectedFact(*editor), death->ID) << c.what;
        EXPECT_EQ(editor->AdvTabSheetFakty->GetCaption(), "Fakty/Zdarzenia (1)") << c.what;
    }
}

TEST_F(OsobaFormFactsTest, aUnionFactFromEitherMenuIsWrittenWithBothPersons)
{
    struct Case
    {
        const char* what;
        QAction* TOsobaEdycjaForm::*item;
    };
    const Case cases[] = {
        {"fact menu", &TOsobaEdycjaForm::Zawarciezwizku2},
        {"relatives menu", &TOsobaEdycjaForm::Zawarciezwizku1},
    };
    for (const Case& c : cases) {
        startAfresh();
        makeFamily();
        const auto editor = editorOf(anna);
        saveFactWithPlace(QStringLiteral("Poznań"));
        (editor.get()->*c.item)->trigger();
        reload();
        ASSERT_EQ(P(anna)->Facts.size(), 1) << c.what;
        const QString id = P(anna)->Facts.first();
        EXPECT_EQ(P(jan)->Facts, QStringList{id}) << c.what;
        const KV_Fact* marriage = gDB.FindFact(id);
        ASSERT_TRUE(marriage) << c.what;
        EXPECT_EQ(marriage->Type, "MARR") << c.what;
        EXPECT_EQ(marriage->Name, u("Zawarcie związku")) << c.what;
        EXPECT_EQ(QStringList({marriage->PersonIDF, marriage->PersonIDS}), QStringList({anna, jan})) << c.what;
        EXPECT_EQ(groupIDs(*editor, u("Związek #1")), QStringList({jan, id, piotr, ewa})) << c.what;
        EXPECT_EQ(editor->UnionFactRows, 1) << c.what;
        EXPECT_EQ(selectedFact(*editor), id) << c.what;
    }
}

TEST_F(OsobaFormFactsTest, aFactForAPersonDeletedMeanwhileIsNotKept)
{
    const auto editor = editorOf(adam);
    onShown(factEditor.get(), [this] {
        // Another window deletes the person while the fact editor is open.
        ASSERT_TRUE(gDB.DeletePerson(P(adam)));
        factEditor->ButtonZapisz->click();
    });
    EXPECT_FALSE(editor->AddFact(QStringLiteral("GRAD"), QStringLiteral("Edukacja"), false));
    EXPECT_EQ(prompts.texts, QStringList{gLangM.Get("ERROR_ADDING_FACT_MISSING_PERSON")});
    EXPECT_EQ(gDB.GetFactCount(), 0);
    EXPECT_TRUE(factFiles().isEmpty());

    // Closed without saving: nothing is added either.
    const auto other = editorOf(tomasz);
    prompts.texts.clear();
    onShown(factEditor.get(), [] {});
    EXPECT_FALSE(other->AddFact(QStringLiteral("GRAD"), QStringLiteral("Edukacja"), false));
    EXPECT_TRUE(prompts.texts.isEmpty());
    EXPECT_EQ(gDB.GetFactCount(), 0);
    EXPECT_TRUE(P(tomasz)->Facts.isEmpty());

    // Deleted while the message about the death waits for the user: the fact is not kept either.
    StepAtQuestionPrompter boxes;
    boxes.atMessage = [this] { ASSERT_TRUE(gDB.DeletePerson(P(tomasz))); };
    saveFactWithPlace(QStringLiteral("Kraków"));
    EXPECT_FALSE(other->AddFact(QStringLiteral("DEAT"), GetFactTypeLabel(QStringLiteral("DEAT")), true));
    EXPECT_EQ(
        boxes.texts,
        QStringList({gLangM.Get("LABEL_DODANIE_TEGO_FAKTU_SPOWODUJE_USTAWIENIE_STATUS,_ZE_DANA_OSOBA_JEST_ZMARLA"),
                     gLangM.Get("ERROR_ADDING_FACT_MISSING_PERSON")}));
    EXPECT_EQ(gDB.GetFactCount(), 0);
    EXPECT_TRUE(factFiles().isEmpty());
    EXPECT_FALSE(QFile::exists(pathOf(tomasz)));
}

// The fact is found again by its ID once the dialog returns; one deleted meanwhile is neither written nor touched.
TEST_F(OsobaFormFactsTest, aFactDeletedWhileItsEditorIsOpenIsNotWrittenAgain)
{
    const QString id = writtenFact(adam, "GRAD", QStringLiteral("1990"))->ID;
    const auto editor = editorOf(adam);
    editor->ListViewFakty->setCurrentItem(editor->ListViewFakty->topLevelItem(0));
    editor->UpdateButtons();
    onShown(factEditor.get(), [this, id] {
        ASSERT_TRUE(gDB.DeleteFactByID(P(adam), id));
        factEditor->AdvComboBoxMiejsce->SetText(QStringLiteral("Gniezno"));
        factEditor->ButtonZapisz->setEnabled(true);
        factEditor->ButtonZapisz->click();
    });
    editor->ListViewFaktyDblClick();
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_FALSE(factEditor->Saved);
    EXPECT_EQ(prompts.texts, QStringList{gLangM.Get("LABEL_TEN_FAKT_ZOSTAL_USUNIETY,_ZMIANY_NIE_ZOSTALY_ZAPISANE")});
    EXPECT_EQ(gDB.FindFact(id), nullptr);
    EXPECT_FALSE(QFile::exists(pathOf(id)));
}

TEST_F(OsobaFormFactsTest, deletingAFactSelectsItsNeighbour)
{
    struct Case
    {
        const char* what;
        int facts;
        int deleted;
        // Index of the fact to be selected afterwards in the list before the delete, -1 for none.
        int selected;
    };
    const Case cases[] = {
        {"the last of three", 3, 2, 1},
        {"the middle of three", 3, 1, 2},
        {"the first of two", 2, 0, 1},
        {"the only one", 1, 0, -1},
    };
    const char* types[] = {"BIRT", "GRAD", "DEAT"};
    for (const Case& c : cases) {
        startAfresh();
        makeFamily();
        for (int i = 0; i < c.facts; ++i)
            writtenFact(adam, types[i], QStringLiteral("19%1").arg(50 + i));
        const auto editor = editorOf(adam);
        const QStringList before = factRows(*editor);
        editor->ListViewFakty->setCurrentItem(editor->ListViewFakty->topLevelItem(c.deleted));
        prompts.texts.clear();
        prompts.answers = {Answer::Yes};
        editor->ButtonFactDeleteClick();
        EXPECT_EQ(prompts.texts.value(0), gLangM.FormatStr("LABEL_CZY_CHCESZ_USUNAC_FAKT/ZDARZENIE:_%S?",
                                                           GetFactTypeLabel(QLatin1String(types[c.deleted]))))
            << c.what;
        EXPECT_EQ(prompts.captions.value(0), "Uwaga") << c.what;
        EXPECT_EQ(selectedFact(*editor), c.selected < 0 ? QString("none") : before[c.selected]) << c.what;
        QStringList expected = before;
        expected.removeAt(c.deleted);
        EXPECT_EQ(factRows(*editor), expected) << c.what;
        EXPECT_FALSE(QFile::exists(pathOf(before[c.deleted]))) << c.what;
        EXPECT_EQ(writtenFacts(adam), expected) << c.what;
    }

    // Anything but Yes keeps the fact.
    const QString kept = writtenFact(adam, "GRAD", QStringLiteral("1980"))->ID;
    const auto editor = editorOf(adam);
    editor->ListViewFakty->setCurrentItem(editor->ListViewFakty->topLevelItem(0));
    for (const Answer answer : {Answer::No, Answer::Cancel}) {
        prompts.answers = {answer};
        editor->ButtonFactDeleteClick();
        EXPECT_EQ(factRows(*editor), QStringList{kept});
        EXPECT_TRUE(QFile::exists(pathOf(kept)));
    }
}

TEST_F(OsobaFormFactsTest, aUnionFactDeletedFromTheRelativesViewLeavesBothFiles)
{
    const KV_Fact* marriage = writtenFact(anna, "MARR", QStringLiteral("1975"), jan);
    const QString id = marriage->ID;
    const auto editor = editorOf(anna);
    ASSERT_TRUE(selectRelative(*editor, id));
    const QTreeWidgetItem* row = SelectedRow(editor->ListViewRodzina);
    const QString question =
        gLangM.FormatStr("LABEL_CZY_CHCESZ_USUNAC_FAKT_DOTYCZACY_ZWIAZKU", row->text(0) + row->text(1));
    prompts.answers = {Answer::Yes};
    editor->ButtonKrewnyDeleteClick();
    EXPECT_EQ(prompts.texts, QStringList{question});
    EXPECT_TRUE(question.endsWith(u("[Zawarcie związku:1975\u00a0r.]"))) << question.toStdString();
    EXPECT_FALSE(QFile::exists(pathOf(id)));
    EXPECT_EQ(editor->UnionFactRows, 0);
    EXPECT_EQ(editor->ListViewFakty->topLevelItemCount(), 0);
    EXPECT_EQ(editor->AdvTabSheetFakty->GetCaption(), "Fakty/Zdarzenia");
    EXPECT_FALSE(readFileBytes(pathOf(anna)).contains(id.toUtf8()));
    EXPECT_FALSE(readFileBytes(pathOf(jan)).contains(id.toUtf8()));
}

TEST_F(OsobaFormFactsTest, sortingAndMovingRewriteThePersonsFactList)
{
    const QString birth = writtenFact(adam, "BIRT", QStringLiteral("1950"))->ID;
    const QString school = writtenFact(adam, "GRAD", QStringLiteral("1970"))->ID;
    const QString death = writtenFact(adam, "DEAT", QStringLiteral("2000"))->ID;
    P(adam)->Facts = {death, school, birth};
    save(P(adam));
    const auto editor = editorOf(adam);
    const auto select = [&](int row) {
        editor->ListViewFakty->setCurrentItem(editor->ListViewFakty->topLevelItem(row));
    };

    select(0);
    prompts.answers = {Answer::No};
    editor->SpeedButtonSortClick();
    EXPECT_EQ(writtenFacts(adam), QStringList({death, school, birth})) << "declined";
    EXPECT_EQ(prompts.texts.value(0), u("Czy chcesz posortować fakty według typu faktu oraz daty?"));

    struct Step
    {
        const char* what;
        std::function<void()> act;
        QStringList order;
        QString selected;
    };
    const Step steps[] = {
        {"sorted",
         [&] {
             prompts.answers = {Answer::Yes};
             editor->SpeedButtonSortClick();
         },
         {birth, school, death},
         death},
        {"the first moved down",
         [&] {
             select(0);
             editor->SpeedButtonDolClick();
         },
         {school, birth, death},
         birth},
        {"the last moved up",
         [&] {
             select(2);
             editor->SpeedButtonGoraClick();
         },
         {school, death, birth},
         death},
        {"the first cannot go up",
         [&] {
             select(0);
             editor->SpeedButtonGoraClick();
         },
         {school, death, birth},
         school},
        {"the last cannot go down",
         [&] {
             select(2);
             editor->SpeedButtonDolClick();
         },
         {school, death, birth},
         birth},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(factRows(*editor), step.order) << step.what;
        EXPECT_EQ(selectedFact(*editor), step.selected) << step.what;
        EXPECT_EQ(writtenFacts(adam), step.order) << step.what;
    }
}

TEST_F(OsobaFormFactsTest, aCustomFactsNameIsOfferedAtTheNextOpening)
{
    const auto editor = editorOf(adam);
    editor->PopupMenuFactsListPopup();
    EXPECT_FALSE(editor->Wasnefacty1->menuAction()->isVisible());

    onShown(factEditor.get(), [this] {
        EXPECT_EQ(factEditor->AdvComboBoxNazwa->GetText(), "") << "an unnamed fact";
        factEditor->AdvComboBoxNazwa->SetText(u("Służba & wojsko"));
        factEditor->ButtonZapisz->click();
    });
    editor->Wasnyfakt1->trigger();
    ASSERT_EQ(dialogsShown, 1);
    ASSERT_EQ(P(adam)->Facts.size(), 1);
    EXPECT_EQ(gDB.FindFact(P(adam)->Facts.first())->Type, "CUSTOM");

    editor->PopupMenuFactsListPopup();
    EXPECT_TRUE(editor->Wasnefacty1->menuAction()->isVisible());
    EXPECT_EQ(captionsOf(editor->Wasnefacty1), QStringList{u("Służba && wojsko")});
    onShown(factEditor.get(), [this] {
        EXPECT_EQ(factEditor->AdvComboBoxNazwa->GetText(), u("Służba & wojsko"));
        factEditor->ButtonZapisz->click();
    });
    editor->Wasnefacty1->actions().first()->trigger();
    EXPECT_EQ(dialogsShown, 2);
    reload();
    ASSERT_EQ(P(adam)->Facts.size(), 2);
    for (const QString& id : P(adam)->Facts)
        EXPECT_EQ(gDB.FindFact(id)->Name, u("Służba & wojsko"));

    // Opened again, the menu is built anew: one item per name, not one more.
    editor->PopupMenuFactsListPopup();
    EXPECT_EQ(editor->Wasnefacty1->actions().size(), 1);
}

TEST_F(OsobaFormFactsTest, editingAUnionFactFromTheRelativesViewRefreshesBothViews)
{
    const QString id = writtenFact(anna, "MARR", QStringLiteral("1975"), jan)->ID;
    const auto editor = editorOf(anna);
    ASSERT_TRUE(selectRelative(*editor, id));
    editor->UpdateButtons();
    saveFactWithPlace(QStringLiteral("Gniezno"));
    editor->ListViewRodzinaDblClick();
    ASSERT_EQ(dialogsShown, 1);
    EXPECT_EQ(readFileBytes(pathOf(id)).contains("Gniezno"), true);
    ASSERT_TRUE(selectRelative(*editor, id));
    EXPECT_EQ(SelectedRow(editor->ListViewRodzina)->text(1), gDB.FindFact(id)->GetSummary(2));
    EXPECT_TRUE(SelectedRow(editor->ListViewRodzina)->text(1).contains("Gniezno"));
    ASSERT_EQ(editor->ListViewFakty->topLevelItemCount(), 1);
    EXPECT_EQ(editor->ListViewFakty->topLevelItem(0)->text(3), "Gniezno");
    EXPECT_EQ(selectedFact(*editor), id);

    // From the facts list, by a double click.
    saveFactWithPlace(QStringLiteral("Kalisz"));
    editor->UpdateButtons();
    editor->ListViewFaktyDblClick();
    EXPECT_EQ(dialogsShown, 2);
    EXPECT_EQ(editor->ListViewFakty->topLevelItem(0)->text(3), "Kalisz");
    ASSERT_TRUE(selectRelative(*editor, id));
    EXPECT_TRUE(SelectedRow(editor->ListViewRodzina)->text(1).contains("Kalisz"));
}

TEST_F(OsobaFormFactsTest, theMenuButtonsNeedAPersonAndPopTheirMenuUnderThemselves)
{
    struct Case
    {
        const char* what;
        void (TOsobaEdycjaForm::*click)();
        QMenu* TOsobaEdycjaForm::*menu;
        QPushButton* TOsobaEdycjaForm::*button;
        bool needsPerson;
    };
    const Case cases[] = {
        {"facts", &TOsobaEdycjaForm::ButtonFactAddClick, &TOsobaEdycjaForm::PopupMenuFactsList,
         &TOsobaEdycjaForm::ButtonFactAdd, true},
        {"relatives", &TOsobaEdycjaForm::ButtonKrewnyAddClick, &TOsobaEdycjaForm::PopupMenuKrewniList,
         &TOsobaEdycjaForm::ButtonKrewnyAdd, true},
        {"attributes", &TOsobaEdycjaForm::ButtonInfoAddClick, &TOsobaEdycjaForm::PopupMenuDodatkowePola,
         &TOsobaEdycjaForm::ButtonInfoAdd, true},
        {"order", &TOsobaEdycjaForm::ButtonMenuKolejnoscClick, &TOsobaEdycjaForm::PopupMenuAkcja,
         &TOsobaEdycjaForm::ButtonMenuKolejnosc, false},
        {"print", &TOsobaEdycjaForm::ButtonPersonFormularzClick, &TOsobaEdycjaForm::PopupMenuWydruk,
         &TOsobaEdycjaForm::ButtonPersonFormularz, false},
    };
    for (const Case& c : cases) {
        for (const QString& id : {jan, QString()}) {
            const auto editor = editorOf(id);
            editor->move(60, 40);
            editor->show();
            prompts.texts.clear();
            (editor.get()->*c.click)();
            QMenu* menu = editor.get()->*c.menu;
            const bool pops = !id.isEmpty() || !c.needsPerson;
            EXPECT_EQ(menu->isVisible(), pops) << c.what;
            EXPECT_EQ(prompts.texts.isEmpty(), pops) << c.what;
            if (!pops) {
                EXPECT_EQ(prompts.texts, QStringList{"Podaj podstawowe dane osoby!"}) << c.what;
                continue;
            }
            // Below the button, from its left edge, unless the screen's edge pushes the menu back.
            QWidget* button = editor.get()->*c.button;
            const QPoint corner = button->mapToGlobal(QPoint(0, button->height()));
            EXPECT_EQ(menu->y(), corner.y()) << c.what;
            const int screenRight = menu->screen()->geometry().right();
            EXPECT_TRUE(menu->x() == corner.x() || (menu->x() < corner.x() && menu->geometry().right() == screenRight))
                << c.what << " " << menu->x() << " " << corner.x();
            menu->hide();
        }
    }
}

TEST_F(OsobaFormFactsTest, screenshotOfTheEditorWithItsFactMenuOpen)
{
    writtenFact(jan, "BIRT", QStringLiteral("12 maja 1950"));
    writtenFact(jan, "MARR", QStringLiteral("1975"), anna);
    const auto editor = editorOf(jan);
    editor->move(0, 0);
    editor->show();
    editor->AdvPageControl1->SetActivePage(editor->AdvTabSheetFakty);
    QCoreApplication::processEvents();
    editor->ButtonFactAddClick();
    QCoreApplication::processEvents();
    ASSERT_TRUE(editor->PopupMenuFactsList->isVisible());
    EXPECT_FALSE(editor->FactBirt->isEnabled());

    // The menu is a window of its own: it is drawn over the editor where it stands on the screen, on a canvas
    // large enough for both.
    const QRect client(editor->mapToGlobal(QPoint(0, 0)), editor->size());
    const QRect menu = editor->PopupMenuFactsList->geometry();
    const QRect both = client.united(menu);
    QImage shot(both.size(), QImage::Format_RGB32);
    shot.fill(Qt::darkGray);
    QPainter painter(&shot);
    painter.drawPixmap(client.topLeft() - both.topLeft(), editor->grab());
    painter.drawPixmap(menu.topLeft() - both.topLeft(), editor->PopupMenuFactsList->grab());
    painter.end();
    EXPECT_TRUE(shot.save(testOutputFolder() + QStringLiteral("/OsobaEdycjaForm_FactMenu.png")));
    editor->PopupMenuFactsList->hide();
}

} // namespace
