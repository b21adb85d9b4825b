#include "EditorCommandsFixture.h"
#include "FromularzUnit.h"
#include "StepAtQuestionPrompter.h"

#include <QDir>
#include <QPushButton>
#include <QTest>

namespace {

using Answer = Prompter::Answer;

class OsobaFormPersonTest : public EditorCommandsFixture
{
protected:
    // Shows an editor for the person modally, runs the step inside and returns the modal result.
    TModalResult runEditor(const QString& id, std::function<void(TOsobaEdycjaForm&)> step)
    {
        TOsobaEdycjaForm editor;
        editor.Translate();
        editor.PersonID = id;
        editor.FirstActivation = true;
        whenShownModal(&editor, [&editor, step] {
            step(editor);
            stillOpenAfterStep = editor.IsModal() && editor.GetModalResult() == mrNone;
            if (stillOpenAfterStep)
                editor.Button4Click();
        });
        return editor.ShowModal();
    }

    // The family view, made as the entry point makes it, over the program's page template.
    void makeFamilyView()
    {
        gAppFolder = QStringLiteral(KRONVEL_SOURCE_DIR "/resources/");
        gTempFolder = folder.path() + QStringLiteral("/temp/");
        QDir().mkpath(gTempFolder);
        familyView = std::make_unique<TFormFormularz>();
        FormFormularz = familyView.get();
    }
    void TearDown() override
    {
        FormFormularz = nullptr;
        familyView.reset();
        gDB.History.clear();
        EditorCommandsFixture::TearDown();
    }

    static inline bool stillOpenAfterStep = false;
    std::unique_ptr<TFormFormularz> familyView;
};

TEST_F(OsobaFormPersonTest, deletingThePersonEndsTheEditorWithResultOne)
{
    const TModalResult result = runEditor(piotr, [this](TOsobaEdycjaForm& editor) {
        prompts.answers = {Answer::Yes};
        editor.ButtonPersonUsun->click();
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_FALSE(stillOpenAfterStep);
    EXPECT_EQ(prompts.texts,
              QStringList({u("Czy chcesz usunąć wybraną osobę oraz wszystkie jej odwołania do innych osób?"),
                           u("Osoba została usunięta.")}));
    EXPECT_EQ(prompts.captions.value(0), "Uwaga");
    EXPECT_FALSE(QFile::exists(pathOf(piotr)));
    reload();
    EXPECT_FALSE(P(piotr));
    EXPECT_FALSE(P(jan)->HasChild(piotr));

    // Declined: the editor stays open and the person with it.
    prompts.texts.clear();
    EXPECT_EQ(runEditor(ewa,
                        [this](TOsobaEdycjaForm& editor) {
                            prompts.answers = {Answer::No};
                            editor.ButtonPersonUsunClick();
                        }),
              mrCancel);
    EXPECT_TRUE(stillOpenAfterStep);
    EXPECT_TRUE(QFile::exists(pathOf(ewa)));
}

TEST_F(OsobaFormPersonTest, aPersonWhoseFileCannotGoStaysAndTheEditorWithIt)
{
    // Root deletes anything in a read-only folder: a folder under the file's name stands in the way.
    ASSERT_TRUE(QFile::remove(pathOf(piotr)));
    ASSERT_TRUE(QDir().mkpath(pathOf(piotr) + QStringLiteral("/inside")));
    const TModalResult result = runEditor(piotr, [this](TOsobaEdycjaForm& editor) {
        prompts.answers = {Answer::Yes};
        editor.ButtonPersonUsunClick();
        EXPECT_EQ(editor.PersonID, piotr);
    });
    EXPECT_TRUE(stillOpenAfterStep);
    EXPECT_EQ(result, mrCancel);
    ASSERT_EQ(prompts.texts.size(), 2);
    EXPECT_EQ(prompts.texts[1], gDB.StorageError);
    EXPECT_TRUE(prompts.texts[1].contains(pathOf(piotr))) << prompts.texts[1].toStdString();
    EXPECT_TRUE(P(piotr));
    EXPECT_TRUE(P(jan)->HasChild(piotr));
}

// The editor keeps IDs across a question: a person deleted while the user answers is neither written nor deleted
// again, and the editor does not move to it.
TEST_F(OsobaFormPersonTest, aPersonDeletedWhileAQuestionWaitsIsNotTouchedAgain)
{
    P(adam)->AddAttribute({u("Zawód"), u("stolarz"), QStringLiteral("OCCU"), false});
    save(P(adam));
    struct Case
    {
        const char* what;
        QString editorPerson;
        QString deleted;
        std::function<void(TOsobaEdycjaForm&)> command;
    };
    const Case cases[] = {
        {"deleting the person", tomasz, tomasz, [](TOsobaEdycjaForm& e) { e.ButtonPersonUsunClick(); }},
        {"deleting an attribute", adam, adam,
         [](TOsobaEdycjaForm& e) {
             e.ListViewInformacjeDodatkowe->setCurrentItem(e.ListViewInformacjeDodatkowe->topLevelItem(0));
             e.ButtonInfoUsunClick();
         }},
        {"sorting the facts", helena, helena, [](TOsobaEdycjaForm& e) { e.SpeedButtonSortClick(); }},
        {"showing a relative", jan, piotr,
         [this](TOsobaEdycjaForm& e) {
             ASSERT_TRUE(selectRelative(e, piotr));
             e.ButtonPokazDaneKrwenegoClick();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto editor = editorOf(c.editorPerson);
        StepAtQuestionPrompter questions;
        questions.answers = {Answer::Yes};
        questions.atQuestion = [&c] { ASSERT_TRUE(gDB.DeletePerson(P(c.deleted))); };
        c.command(*editor);
        EXPECT_EQ(questions.texts.size(), 1) << "the question alone: " << questions.texts.join(" | ").toStdString();
        EXPECT_EQ(editor->PersonID, c.editorPerson);
        EXPECT_EQ(P(c.deleted), nullptr);
        EXPECT_FALSE(QFile::exists(pathOf(c.deleted))) << "written again";
    }
}

TEST_F(OsobaFormPersonTest, thePrintMenuOffersTheTreesThePersonHasRelativesFor)
{
    struct Case
    {
        const char* what;
        QString id;
        // ancestors, descendants, both
        const char* enabled;
    };
    const Case cases[] = {
        {"parents and children", piotr, "111"},
        {"parents, no children", ewa, "100"},
        {"children, no parents", jan, "010"},
        {"neither", adam, "000"},
    };
    makeChild(addPerson(QStringLiteral("Kuba"), QStringLiteral("Kowalski")), P(piotr), nullptr);
    for (const Case& c : cases) {
        const auto editor = editorOf(c.id);
        // Made the other way first, so that the opening sets every item.
        for (QAction* item : {editor->Drzewoprzodkw1, editor->Drzewopotomkw1, editor->Drzewoprzodkwipotomkw1})
            item->setEnabled(QLatin1String(c.enabled) == "000");
        editor->PopupMenuWydrukPopup();
        QString state;
        for (const QAction* item : {editor->Drzewoprzodkw1, editor->Drzewopotomkw1, editor->Drzewoprzodkwipotomkw1})
            state += item->isEnabled() ? u'1' : u'0';
        EXPECT_EQ(state, QLatin1String(c.enabled)) << c.what;
        EXPECT_TRUE(editor->RaportDaneszczegowe1->isEnabled()) << c.what;
    }
}

TEST_F(OsobaFormPersonTest, aChoiceReachesTheReportWithThePersonAndTheType)
{
    struct Case
    {
        QAction* TOsobaEdycjaForm::*item;
        const char* report;
    };
    const Case cases[] = {
        {&TOsobaEdycjaForm::RaportDaneszczegowe1, "person %1 locked"},
        {&TOsobaEdycjaForm::Drzewoprzodkw1, "tree 1 %1"},
        {&TOsobaEdycjaForm::Drzewopotomkw1, "tree 2 %1"},
        {&TOsobaEdycjaForm::Drzewoprzodkwipotomkw1, "tree 3 %1"},
    };
    const auto editor = editorOf(jan);
    for (const Case& c : cases) {
        reports.clear();
        (editor.get()->*c.item)->trigger();
        EXPECT_EQ(reports, QStringList{QString::fromLatin1(c.report).arg(jan)}) << c.report;
    }
}

TEST_F(OsobaFormPersonTest, afterTheFamilyViewAddedAFatherTheEditorShowsHim)
{
    makeFamilyView();
    const auto editor = editorOf(adam);
    EXPECT_TRUE(groupIDs(*editor, QStringLiteral("Rodzice")).isEmpty());
    bool shown = false;
    whenShownModal(familyView.get(), [&] {
        shown = true;
        ASSERT_TRUE(QTest::qWaitFor([&] { return familyView->ShownID == adam; }, 20000));
        onShown(form.get(), [this] {
            form->AdvComboBoxImie->SetText(u("Józef"));
            form->ButtonZapisz->click();
        });
        familyView->AddRelativeOfType(int(RelationKind::Father));
        familyView->Close();
    });
    editor->ButtonFormularz->click();
    ASSERT_TRUE(shown);
    EXPECT_EQ(dialogsShown, 1);
    const QString father = newPersonID();
    ASSERT_FALSE(father.isEmpty());
    EXPECT_EQ(groupIDs(*editor, QStringLiteral("Rodzice")), QStringList{father});
    EXPECT_EQ(editor->AdvTabSheetKrewni->GetCaption(), "Najbliższa rodzina (1)");

    // A person deleted meanwhile opens no family view.
    ASSERT_TRUE(gDB.DeletePerson(P(tomasz)));
    const auto gone = editorOf(tomasz);
    gone->ButtonFormularzClick();
    EXPECT_FALSE(familyView->isVisible());
}

TEST_F(OsobaFormPersonTest, anEditorOpenedWhileTheFamilyViewShowsDoesNotOfferIt)
{
    makeFamilyView();
    for (const bool viewShown : {false, true}) {
        familyView->setVisible(viewShown);
        // Set the wrong way until the editor is looked at.
        bool offered = viewShown;
        onEditor([&](TOsobaEdycjaForm& editor) { offered = !editor.ButtonFormularz->isHidden(); });
        EXPECT_EQ(EditPerson(nullptr, adam, 1), adam);
        EXPECT_EQ(offered, !viewShown) << (viewShown ? "view shown" : "view hidden");
    }
    familyView->hide();
}

} // namespace
