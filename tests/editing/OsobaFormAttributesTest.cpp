#include "AdvOfficeButtons.h"
#include "EditorCommandsFixture.h"
#include "StepAtQuestionPrompter.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <utility>

namespace {

using Answer = Prompter::Answer;

class OsobaFormAttributesTest : public EditorCommandsFixture
{
protected:
    void SetUp() override
    {
        EditorCommandsFixture::SetUp();
        giveAdamAttributes();
    }
    // Adam's three attributes, written.
    void giveAdamAttributes()
    {
        KV_Person* person = P(adam);
        for (const auto& [name, code] : {std::pair{"Zawód", "OCCU"}, {"Telefon", "PHONE"}, {"Hobby", "HOBBY"}})
            person->AddAttribute({u(name), u(name).toLower(), QLatin1String(code), false});
        save(person);
    }

    // The names of the person's attributes as its file holds them.
    QStringList writtenNames()
    {
        reload();
        QStringList names;
        for (const KV_Atribute& attribute : P(adam)->Attributes)
            names << attribute.Name;
        return names;
    }
    static int selectedIndex(const TOsobaEdycjaForm& editor)
    {
        QTreeWidget* list = editor.ListViewInformacjeDodatkowe;
        QTreeWidgetItem* row = SelectedRow(list);
        return row ? list->indexOfTopLevelItem(row) : -1;
    }
    static void showAttributes(TOsobaEdycjaForm& editor)
    {
        editor.show();
        editor.AdvPageControl1->SetActivePage(editor.AdvTabSheetInfoDodatkowe);
        QCoreApplication::processEvents();
    }
    static void select(TOsobaEdycjaForm& editor, int row)
    {
        QTreeWidget* list = editor.ListViewInformacjeDodatkowe;
        list->setCurrentItem(list->topLevelItem(row));
    }
    // The attribute editor saves with the value typed in.
    void saveAttributeWithValue(const QString& value)
    {
        onShown(attributeEditor.get(), [this, value] {
            attributeEditor->AdvComboBoxOpis->setPlainText(value);
            attributeEditor->ButtonZapisz->setEnabled(true);
            attributeEditor->ButtonZapisz->click();
        });
    }
};

TEST_F(OsobaFormAttributesTest, theMenuIsBuiltOnceFromTheAttributeTypeTable)
{
    const auto editor = editorOf(adam);
    editor->PopupMenuDodatkowePolaPopup();
    const QStringList expected = {
        u("Tytuł"),
        u("Przyrostek"),
        u("Nazwisko patronimiczne"),
        u("Nazwisko matronimiczne"),
        u("-"),
        u("Narodowość"),
        u("Religia"),
        u("Wykształcenie"),
        u("Zawód"),
        u("Adres zamieszkania"),
        u("Telefon"),
        u("Adres e-mail"),
        u("Imieniny"),
        u("Zainteresowania"),
        u("-"),
        u("-"),
        u("Dowolny atrybut"),
    };
    EXPECT_EQ(captionsOf(editor->PopupMenuDodatkowePola), expected) << "\"Własne\" hidden without custom names";
    ASSERT_TRUE(editor->CustomAttributesItem);
    EXPECT_EQ(editor->CustomAttributesItem->menuAction()->text(), u("Własne"));
    EXPECT_EQ(editor->CustomAttributesItem->menuAction()->data().toInt(), 0);
    EXPECT_EQ(itemOf(editor->PopupMenuDodatkowePola, u("Zawód"))->data().toInt(), 8) << "the row's index";

    gDB.AddCustomAttributeName(u("Ulubiony kolor"));
    gDB.AddCustomAttributeName(u("Grupa krwi"));
    editor->PopupMenuDodatkowePolaPopup();
    EXPECT_EQ(editor->PopupMenuDodatkowePola->actions().size(), expected.size() + 1) << "built once, \"Własne\" too";
    EXPECT_TRUE(editor->CustomAttributesItem->menuAction()->isVisible());
    EXPECT_EQ(captionsOf(editor->CustomAttributesItem), QStringList({u("Grupa krwi"), u("Ulubiony kolor")}));
    EXPECT_EQ(editor->CustomAttributesItem->actions().value(1)->data().toInt(), -101);
}

TEST_F(OsobaFormAttributesTest, aNewAttributeGoesAboveTheSelectedRowOrAtTheEnd)
{
    struct Case
    {
        const char* what;
        int selected;
        QStringList names;
        int shown;
    };
    const Case cases[] = {
        {"above the second", 1, {u("Zawód"), u("Religia"), u("Telefon"), u("Hobby")}, 1},
        {"above the first", 0, {u("Religia"), u("Zawód"), u("Telefon"), u("Hobby")}, 0},
        {"no selection", -1, {u("Zawód"), u("Telefon"), u("Hobby"), u("Religia")}, 3},
    };
    for (const Case& c : cases) {
        startAfresh();
        makeFamily();
        giveAdamAttributes();
        const auto editor = editorOf(adam);
        editor->PopupMenuDodatkowePolaPopup();
        if (c.selected >= 0)
            select(*editor, c.selected);
        onShown(attributeEditor.get(), [this] {
            EXPECT_EQ(attributeEditor->AttributeCode, "RELI");
            EXPECT_EQ(attributeEditor->AdvComboBoxAtrKV->GetText(), "Religia");
            attributeEditor->AdvComboBoxOpis->setPlainText(QStringLiteral("katolicka"));
            attributeEditor->ButtonZapisz->setEnabled(true);
            attributeEditor->ButtonZapisz->click();
        });
        itemOf(editor->PopupMenuDodatkowePola, u("Religia"))->trigger();
        EXPECT_EQ(selectedIndex(*editor), c.shown) << c.what;
        EXPECT_EQ(editor->AdvTabSheetInfoDodatkowe->GetCaption(), "Informacje dodatkowe (4)") << c.what;
        EXPECT_EQ(writtenNames(), c.names) << c.what;
        EXPECT_EQ(P(adam)->Attributes.value(c.shown).Code, "RELI") << c.what;
        EXPECT_EQ(P(adam)->Attributes.value(c.shown).Value, "katolicka") << c.what;
    }
}

TEST_F(OsobaFormAttributesTest, anyAttributeStartsUnnamedAndItsNameIsOfferedNextTime)
{
    const auto editor = editorOf(adam);
    editor->PopupMenuDodatkowePolaPopup();
    onShown(attributeEditor.get(), [this] {
        EXPECT_EQ(attributeEditor->AttributeCode, "CUSTOM");
        EXPECT_FALSE(attributeEditor->AdvComboBoxNazwaCustom->isHidden());
        EXPECT_EQ(attributeEditor->AdvComboBoxNazwaCustom->GetText(), "");
        attributeEditor->AdvComboBoxNazwaCustom->SetText(u("Ulubiony kolor"));
        attributeEditor->AdvComboBoxOpis->setPlainText(u("zielony"));
        attributeEditor->ButtonZapisz->setEnabled(true);
        attributeEditor->ButtonZapisz->click();
    });
    itemOf(editor->PopupMenuDodatkowePola, u("Dowolny atrybut"))->trigger();
    ASSERT_EQ(dialogsShown, 1);
    EXPECT_EQ(writtenNames().value(3), u("Ulubiony kolor"));

    editor->PopupMenuDodatkowePolaPopup();
    EXPECT_TRUE(editor->CustomAttributesItem->menuAction()->isVisible());
    EXPECT_EQ(captionsOf(editor->CustomAttributesItem), QStringList{u("Ulubiony kolor")});
    onShown(attributeEditor.get(), [this] {
        EXPECT_EQ(attributeEditor->AttributeCode, "CUSTOM");
        EXPECT_EQ(attributeEditor->AttributeName, u("Ulubiony kolor"));
    });
    editor->CustomAttributesItem->actions().first()->trigger();
    EXPECT_EQ(dialogsShown, 2);
    EXPECT_EQ(writtenNames().size(), 4) << "closed without saving";
}

TEST_F(OsobaFormAttributesTest, editingAndDeletingTheSelectedAttribute)
{
    const auto editor = editorOf(adam);
    select(*editor, 1);
    editor->UpdateButtons();
    onShown(attributeEditor.get(), [this] {
        EXPECT_EQ(attributeEditor->AttributeName, "Telefon");
        EXPECT_EQ(attributeEditor->AttributeValue, "telefon");
        attributeEditor->AdvComboBoxOpis->setPlainText(QStringLiteral("600 100 200"));
        attributeEditor->CheckBoxPrivate->SetChecked(true);
        attributeEditor->ButtonZapisz->setEnabled(true);
        attributeEditor->ButtonZapisz->click();
    });
    editor->ListViewInformacjeDodatkoweDblClick();
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(selectedIndex(*editor), 1);
    EXPECT_EQ(editor->ListViewInformacjeDodatkowe->topLevelItem(1)->text(2), "600 100 200");
    reload();
    EXPECT_EQ(P(adam)->Attributes.value(1).Value, "600 100 200");
    EXPECT_TRUE(P(adam)->Attributes.value(1).Private);

    // Deleting the last row selects the one above it; No keeps the attribute.
    const auto again = editorOf(adam);
    select(*again, 2);
    prompts.answers = {Answer::No};
    again->ButtonInfoUsunClick();
    EXPECT_EQ(prompts.texts.value(0), u("Czy chcesz usunąć atrybut: Hobby?"));
    EXPECT_EQ(writtenNames().size(), 3);
    prompts.answers = {Answer::Yes};
    again->ButtonInfoUsunClick();
    EXPECT_EQ(selectedIndex(*again), 1);
    EXPECT_EQ(again->AdvTabSheetInfoDodatkowe->GetCaption(), "Informacje dodatkowe (2)");
    EXPECT_EQ(writtenNames(), QStringList({u("Zawód"), u("Telefon")}));
}

// The person is found again by its ID once the dialog returns; one deleted meanwhile gets no file again.
TEST_F(OsobaFormAttributesTest, anAttributeOfAPersonDeletedWhileItsEditorIsOpenIsNotWritten)
{
    const auto editor = editorOf(adam);
    select(*editor, 1);
    editor->UpdateButtons();
    const QString personFile = pathOf(adam);
    onShown(attributeEditor.get(), [this] {
        ASSERT_TRUE(gDB.DeletePerson(P(adam)));
        attributeEditor->AdvComboBoxOpis->setPlainText(QStringLiteral("600 100 200"));
        attributeEditor->ButtonZapisz->setEnabled(true);
        attributeEditor->ButtonZapisz->click();
    });
    editor->ListViewInformacjeDodatkoweDblClick();
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(gDB.FindPerson(adam), nullptr);
    EXPECT_FALSE(QFile::exists(personFile));
}

// A failed write's message waits for the user too: a person deleted meanwhile is not read again.
TEST_F(OsobaFormAttributesTest, aPersonDeletedWhileAFailedWriteIsToldIsNotReadAgain)
{
    const auto editor = editorOf(adam);
    select(*editor, 2);
    // A folder under the person's file name cannot be replaced by the file (and root writes anywhere).
    const QString personFile = pathOf(adam);
    ASSERT_TRUE(QFile::remove(personFile));
    ASSERT_TRUE(QDir().mkpath(personFile + QStringLiteral("/inside")));
    StepAtQuestionPrompter boxes;
    boxes.answers = {Answer::Yes};
    boxes.atMessage = [this, personFile] {
        ASSERT_TRUE(QDir(personFile).removeRecursively());
        ASSERT_TRUE(gDB.DeletePerson(P(adam)));
    };
    editor->ButtonInfoUsunClick();
    EXPECT_EQ(boxes.texts.size(), 2) << "the question and the failed write";
    EXPECT_EQ(P(adam), nullptr);
    EXPECT_EQ(editor->ListViewInformacjeDodatkowe->topLevelItemCount(), 0);
    EXPECT_FALSE(QFile::exists(personFile));
}

TEST_F(OsobaFormAttributesTest, upAndDownSwapWithTheNeighbour)
{
    const auto editor = editorOf(adam);
    struct Step
    {
        const char* what;
        int selected;
        void (TOsobaEdycjaForm::*move)();
        QStringList names;
        int shown;
    };
    const Step steps[] = {
        {"first down", 0, &TOsobaEdycjaForm::SpeedButtonAtrDolClick, {u("Telefon"), u("Zawód"), u("Hobby")}, 1},
        {"last up", 2, &TOsobaEdycjaForm::Atrzmianagora, {u("Telefon"), u("Hobby"), u("Zawód")}, 1},
        {"first up", 0, &TOsobaEdycjaForm::Atrzmianagora, {u("Telefon"), u("Hobby"), u("Zawód")}, 0},
        {"last down", 2, &TOsobaEdycjaForm::SpeedButtonAtrDolClick, {u("Telefon"), u("Hobby"), u("Zawód")}, 2},
    };
    for (const Step& step : steps) {
        select(*editor, step.selected);
        (editor.get()->*step.move)();
        EXPECT_EQ(selectedIndex(*editor), step.shown) << step.what;
        EXPECT_EQ(writtenNames(), step.names) << step.what;
    }
}

TEST_F(OsobaFormAttributesTest, aDropSwapsMovesToTheEndOrLeavesAlone)
{
    struct Case
    {
        const char* what;
        int dragged;
        // The row the drop lands on; -1 below the last row.
        int target;
        QStringList names;
        int shown;
    };
    const Case cases[] = {
        {"onto another row", 0, 2, {u("Hobby"), u("Telefon"), u("Zawód")}, 2},
        {"below the last row", 0, -1, {u("Telefon"), u("Hobby"), u("Zawód")}, 2},
        {"the last below the last", 2, -1, {u("Zawód"), u("Telefon"), u("Hobby")}, 2},
    };
    for (const Case& c : cases) {
        startAfresh();
        makeFamily();
        giveAdamAttributes();
        const auto editor = editorOf(adam);
        showAttributes(*editor);
        QTreeWidget* list = editor->ListViewInformacjeDodatkowe;
        select(*editor, c.dragged);
        const QPoint at = c.target >= 0 ? list->visualItemRect(list->topLevelItem(c.target)).center()
                                        : QPoint(10, list->viewport()->height() - 4);
        ASSERT_EQ(list->itemAt(at), c.target >= 0 ? list->topLevelItem(c.target) : nullptr) << c.what;
        EXPECT_TRUE(editor->ListViewInformacjeDodatkoweDragOver(at)) << c.what;
        editor->ListViewInformacjeDodatkoweDragDrop(at);
        EXPECT_EQ(selectedIndex(*editor), c.shown) << c.what;
        EXPECT_EQ(writtenNames(), c.names) << c.what;
    }

    // Onto itself: refused while dragging, and a drop there writes nothing.
    startAfresh();
    makeFamily();
    giveAdamAttributes();
    const QDateTime past = QDateTime::currentDateTime().addDays(-3);
    ASSERT_TRUE(setModificationTime(pathOf(adam), past));
    const QByteArray bytes = readFileBytes(pathOf(adam));
    const auto editor = editorOf(adam);
    showAttributes(*editor);
    QTreeWidget* list = editor->ListViewInformacjeDodatkowe;
    select(*editor, 1);
    const QPoint itself = list->visualItemRect(list->topLevelItem(1)).center();
    EXPECT_FALSE(editor->ListViewInformacjeDodatkoweDragOver(itself));
    editor->ListViewInformacjeDodatkoweDragDrop(itself);
    EXPECT_EQ(readFileBytes(pathOf(adam)), bytes);
    EXPECT_EQ(QFileInfo(pathOf(adam)).lastModified(), past);
    EXPECT_EQ(selectedIndex(*editor), 1);
}

} // namespace
