#include "EditorCommandsFixture.h"
#include "ListView.h"

#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

using Answer = Prompter::Answer;

class OsobaFormRelativesTest : public EditorCommandsFixture
{};

TEST_F(OsobaFormRelativesTest, theRelativesMenuOffersWhatThePersonMayStillGet)
{
    struct Case
    {
        const char* what;
        QString id;
        // father, mother, brother, sister, union facts
        const char* enabled;
    };
    const Case cases[] = {
        {"a child of both parents", piotr, "00110"},
        {"a child of the mother only", kasia, "10110"},
        {"nobody's child, no partner", adam, "11000"},
        {"with partners", jan, "11001"},
    };
    for (const Case& c : cases) {
        const auto editor = editorOf(c.id);
        editor->PopupMenuKrewniListPopup();
        QString state;
        for (const QAction* item : {editor->KrewnyFather, editor->KrewnyMother, editor->KrewnyBrother,
                                    editor->KrewnySister, editor->Faktydotzwizkw1->menuAction()})
            state += item->isEnabled() ? u'1' : u'0';
        EXPECT_EQ(state, QLatin1String(c.enabled)) << c.what;
        for (const QAction* item : {editor->WspmaonkaPartnera1, editor->MDzieckoAdd, editor->Crk1})
            EXPECT_TRUE(item->isEnabled()) << c.what;
    }
}

TEST_F(OsobaFormRelativesTest, aFatherAddedThroughTheDialogShowsAmongTheParents)
{
    const auto editor = editorOf(adam);
    EXPECT_TRUE(groupIDs(*editor, QStringLiteral("Rodzice")).isEmpty());
    onShown(form.get(), [this] {
        EXPECT_EQ(form->SubjectID, adam);
        EXPECT_EQ(form->AnchorID, adam);
        EXPECT_EQ(form->SecondParentID, "-1");
        EXPECT_EQ(form->RelationType, RelationKind::Father);
        form->AdvComboBoxImie->SetText(u("Józef"));
        form->ButtonZapisz->click();
    });
    editor->KrewnyFather->trigger();
    ASSERT_EQ(dialogsShown, 1);
    const QString father = newPersonID();
    ASSERT_FALSE(father.isEmpty());
    EXPECT_EQ(groupIDs(*editor, QStringLiteral("Rodzice")), QStringList{father});
    EXPECT_EQ(editor->AdvTabSheetKrewni->GetCaption(), "Najbliższa rodzina (1)");
    reload();
    EXPECT_EQ(P(adam)->FID, father);

    // Closed without saving: nothing to rebuild, nothing added.
    const auto other = editorOf(tomasz);
    onShown(form.get(), [] {});
    other->KrewnySister->trigger();
    EXPECT_EQ(dialogsShown, 2);
    EXPECT_EQ(other->ListViewRodzina->topLevelItemCount(), 0);
}

TEST_F(OsobaFormRelativesTest, aBrotherOrSisterIsAChildOfThePersonsParents)
{
    for (QAction* TOsobaEdycjaForm::*item : {&TOsobaEdycjaForm::KrewnyBrother, &TOsobaEdycjaForm::KrewnySister}) {
        const auto editor = editorOf(piotr);
        onShown(form.get(), [this] {
            EXPECT_EQ(form->SubjectID, piotr);
            EXPECT_EQ(form->AnchorID, jan);
            EXPECT_EQ(form->SecondParentID, anna);
        });
        (editor.get()->*item)->trigger();
    }
    EXPECT_EQ(dialogsShown, 2);
}

TEST_F(OsobaFormRelativesTest, removingARelationGoesThroughTheRelationRemoval)
{
    const auto editor = editorOf(piotr);
    ASSERT_TRUE(selectRelative(*editor, jan));
    prompts.answers = {Answer::Yes};
    editor->ButtonKrewnyDeleteClick();
    EXPECT_EQ(prompts.texts, QStringList{u("Czy chcesz usunąć relację, że [") + nameOf(jan) + u("] jest ojcem [") +
                                         nameOf(piotr) + u("]?")});
    EXPECT_EQ(groupIDs(*editor, QStringLiteral("Rodzice")), QStringList{anna});
    reload();
    EXPECT_EQ(P(piotr)->FID, "");
    EXPECT_FALSE(P(jan)->HasChild(piotr));

    // Declined: nothing changes and no message follows.
    const auto again = editorOf(piotr);
    ASSERT_TRUE(selectRelative(*again, anna));
    prompts.texts.clear();
    prompts.answers = {Answer::No};
    again->ButtonKrewnyDeleteClick();
    EXPECT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(groupIDs(*again, QStringLiteral("Rodzice")), QStringList{anna});
}

TEST_F(OsobaFormRelativesTest, aRelativeShownInTheEditorIsWhatEditPersonReturns)
{
    QString question;
    onEditor([&](TOsobaEdycjaForm& editor) {
        ASSERT_TRUE(selectRelative(editor, ewa));
        editor.UpdateButtons();
        prompts.answers = {Answer::Yes};
        editor.ListViewRodzinaDblClick();
        question = prompts.texts.value(0);
        EXPECT_EQ(editor.PersonID, ewa);
        EXPECT_EQ(editor.PanelTitle->GetCaption(), P(ewa)->GetDisplayName(DisplayNameMode::Plain, false, false));
        EXPECT_EQ(groupIDs(editor, QStringLiteral("Rodzice")), QStringList({jan, anna}));
    });
    EXPECT_EQ(EditPerson(nullptr, piotr, 1), ewa);
    EXPECT_EQ(question, gLangM.FormatStr("LABEL_CZY_CHCESZ_WYSWIETLIC_DANE_OSOBY", nameOf(ewa)));

    // Declined, the editor stays with its person.
    const auto editor = editorOf(piotr);
    ASSERT_TRUE(selectRelative(*editor, ewa));
    prompts.answers = {Answer::Cancel};
    editor->ButtonPokazDaneKrwenegoClick();
    EXPECT_EQ(editor->PersonID, piotr);
}

TEST_F(OsobaFormRelativesTest, reorderingWritesTheNewOrder)
{
    struct Case
    {
        const char* what;
        void (TOsobaEdycjaForm::*command)();
        QStringList KV_Person::*list;
        // The IDs in their new order, asked for once the family is made.
        std::function<QStringList()> order;
    };
    const Case cases[] = {
        {"children", &TOsobaEdycjaForm::Zmiekolejnodzieci1Click, &KV_Person::CList,
         [this] {
             return QStringList{ewa, piotr};
         }},
        {"unions", &TOsobaEdycjaForm::ZmienKolejnoscZwiazkow, &KV_Person::FList,
         [this] {
             return QStringList{maria, anna};
         }},
    };
    for (const Case& c : cases) {
        startAfresh();
        makeFamily();
        const auto editor = editorOf(jan);
        EXPECT_TRUE(editor->ButtonMenuKolejnosc->isEnabled()) << c.what;
        onShown(reorderDialog.get(), [this] {
            QTreeView* view = reorderDialog->ListViewKolejnoscZmiana;
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(view->model()->index(0, 1)).center());
            reorderDialog->SpeedButtonAtrDolClick();
            reorderDialog->ButtonZapisz->click();
        });
        (editor.get()->*c.command)();
        reload();
        EXPECT_EQ(P(jan)->*c.list, c.order()) << c.what;
    }
    const auto editor = editorOf(jan);
    EXPECT_EQ(groupIDs(*editor, u("Związek #1")), QStringList{maria});
    EXPECT_EQ(groupIDs(*editor, u("Związek #2")), QStringList({anna, piotr, ewa}));
}

} // namespace
