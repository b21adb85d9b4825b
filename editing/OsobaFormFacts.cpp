// The person editor's fact commands: the fact menu, adding a fact through the fact editor, editing, deleting,
// sorting and moving the person's facts.
#include "OsobaFormUnit.h"

#include "Bazadanych.h"
#include "Fact.h"
#include "FactEdycjaUnit.h"
#include "Menus.h"
#include "Prompter.h"
#include "Vh_langmanager.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <memory>

namespace {

// The Tag of a custom fact item: the item's caption is the fact's name.
constexpr int customFactTag = 0;

// What a fact item adds: its type, whether the new fact is named by the type's label (else it starts unnamed for
// the user to name), and whether a person may have only one fact of the type.
struct FactMenuRow
{
    int tag;
    const char* type;
    bool namedByType;
    bool oncePerPerson;
};

const FactMenuRow factMenuRows[] = {
    {1, "BIRT", true, true},   {20, "BAPM", true, true},   {21, "EDUC", true, false},
    {22, "GRAD", true, false}, {500, "ENGA", true, false}, {510, "MARR", true, false},
    {520, "DIV", true, false}, {530, "ANUL", true, false}, {540, "FAMILY_CUSTOM", false, false},
    {2, "DEAT", true, true},   {3, "BURI", true, true},    {10, "CUSTOM", false, false},
};

} // namespace

void TOsobaEdycjaForm::ButtonFactAddClick()
{
    if (HasBasicData())
        popUpUnder(PopupMenuFactsList, ButtonFactAdd);
}

void TOsobaEdycjaForm::PopupMenuFactsListPopup()
{
    const KV_Person* person = gDB.FindPerson(PersonID);
    const auto lacks = [person](const char* type) { return !person || !person->FindFactByType(QLatin1String(type)); };
    FactBirt->setEnabled(lacks("BIRT"));
    FactDeath->setEnabled(lacks("DEAT"));
    FactBuri->setEnabled(lacks("BURI"));

    Wasnefacty1->clear();
    const TStringList& names = gDB.GetCustomFactNames();
    for (int i = 0; i < names.Count(); ++i) {
        QAction* item = Wasnefacty1->addAction(MenuCaptionOfName(names[i]));
        item->setData(customFactTag);
        connect(item, &QAction::triggered, this, [this, item] { Wasnyfakt1Click(item); });
    }
    Wasnefacty1->menuAction()->setVisible(names.Count() > 0);
    Faktydotyczcezwizkw1->setEnabled(person && person->GetPartnerCount() > 0);
}

void TOsobaEdycjaForm::Wasnyfakt1Click(QAction* item)
{
    const int tag = item->data().toInt();
    if (tag == customFactTag) {
        AddFact(QStringLiteral("CUSTOM"), NameOfMenuCaption(item->text()), false);
        return;
    }
    for (const FactMenuRow& row : factMenuRows) {
        if (row.tag != tag)
            continue;
        const QString type = QLatin1String(row.type);
        AddFact(type, row.namedByType ? GetFactTypeLabel(type) : QString(), row.oncePerPerson);
        return;
    }
}

bool TOsobaEdycjaForm::AddFact(const QString& type, const QString& name, bool oncePerPerson)
{
    if (oncePerPerson && gDB.PersonHasFactType(PersonID, type)) {
        prompter().message(gLangM.FormatStr(QStringLiteral("ERROR_FACT_SINGLE"), name), gProductName);
        return false;
    }
    TFormFaktEdycja* editor = FormFaktEdycja;
    if (!editor)
        return false;
    auto fact = std::make_unique<KV_Fact>();
    fact->Type = type;
    fact->Name = name;
    const bool unionFact = KV_Fact::IsUnionType(type);
    editor->SetupFor(PersonID, unionFact, fact.get(), false);
    editor->ShowModal();
    if (!editor->Saved)
        return false;
    // Told before the fact is added: no record is held while the message waits, and a person deleted meanwhile
    // gets no fact.
    const KV_Person* living = gDB.FindPerson(PersonID);
    const bool marksDead = fact->IsDeath() && living && !living->IsDead();
    if (marksDead) {
        prompter().message(gLangM.Get(QStringLiteral(
                               "LABEL_DODANIE_TEGO_FAKTU_SPOWODUJE_USTAWIENIE_STATUS,_ZE_DANA_OSOBA_JEST_ZMARLA")),
                           gProductName);
    }
    // A fact the database did not take is not kept anywhere: it goes with the pointer.
    if (!(unionFact ? gDB.AddFact(fact.get()) : gDB.AddFactToPerson(PersonID, fact.get()))) {
        prompter().message(gDB.GetLastError(), gProductName);
        return false;
    }
    KV_Fact* added = fact.release();
    if (added->IsCustom())
        gDB.AddCustomFactName(added->Name);
    KV_Person* person = gDB.FindPerson(PersonID);
    if (marksDead && person)
        person->SetDead(true);
    // The fact's file first, so that no person file names a fact that has none; all of them reach the disk together.
    KV_DB::FileChange change(gDB);
    bool written = gDB.SaveFact(added, added->ID);
    if (written) {
        written = unionFact ? gDB.SavePersons(gDB.FindPerson(added->PersonIDF), gDB.FindPerson(added->PersonIDS))
                            : (!person || gDB.SavePerson(person, person->ID));
    }
    written = change.commit() && written;
    RefreshHeader();
    if (unionFact)
        FillRelatives(false);
    FillFacts(added->ID, true);
    if (!written)
        showStorageFailure(gDB.StorageError);
    return true;
}

void TOsobaEdycjaForm::ButtonFactEditClick(FactEditSource source)
{
    QTreeWidgetItem* relativeRow = source == FromRelatives ? SelectedRow(ListViewRodzina) : nullptr;
    const QString factID = source == FromRelatives
                               ? (relativeRow ? relativeRow->data(0, RowIDRole).toString() : QString())
                               : selectedFactID();
    KV_Fact* fact = factID.isEmpty() ? nullptr : gDB.FindFact(factID);
    TFormFaktEdycja* editor = FormFaktEdycja;
    if (!fact || !editor)
        return;
    editor->SetupFor(PersonID, KV_Fact::IsUnionType(fact->Type), fact, true);
    editor->ShowModal();
    // Only the ID is kept across the dialog's wait: the fact may have been deleted meanwhile.
    fact = gDB.FindFact(factID);
    if (!editor->Saved || !fact)
        return;
    if (fact->IsCustom())
        gDB.AddCustomFactName(fact->Name);
    if (relativeRow) {
        relativeRow->setText(0, fact->Name + u':');
        relativeRow->setText(1, fact->GetSummary(2));
        // The union fact shows in the facts list too, which must not keep its old texts.
        FillFacts(fact->ID, true);
        return;
    }
    FillFacts(fact->ID, true);
    // A union fact shows in the relatives view too, which must not keep its old texts either.
    if (fact->IsUnionFact())
        FillRelatives(false);
    RefreshHeader();
}

void TOsobaEdycjaForm::ListViewFaktyDblClick()
{
    if (ButtonFactEdit->isEnabled())
        ButtonFactEditClick(FromFactsList);
}

void TOsobaEdycjaForm::ButtonFactDeleteClick()
{
    QTreeWidgetItem* row = SelectedRow(ListViewFakty);
    if (!row)
        return;
    if (!prompter().confirm(
            gLangM.FormatStr(QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_FAKT/ZDARZENIE:_%S?"), row->text(1)),
            gLangM.Get(QStringLiteral("LABEL_UWAGA"))))
        return;
    const QString factID = row->data(0, RowIDRole).toString();
    // The neighbour below takes the selection, or the one above when the last row goes.
    const int index = ListViewFakty->indexOfTopLevelItem(row);
    const int count = ListViewFakty->topLevelItemCount();
    int next = -1;
    if (count > 1)
        next = index + 1 < count ? index + 1 : index - 1;
    QString selectID = next >= 0 ? ListViewFakty->topLevelItem(next)->data(0, RowIDRole).toString() : QString();
    if (!gDB.DeleteFactOfPerson(PersonID, factID)) {
        prompter().message(gDB.GetLastError(), gProductName);
        selectID = factID;
    }
    if (KV_Person* person = gDB.FindPerson(PersonID))
        savePerson(person);
    FillFacts(selectID, true);
    FillRelatives(true);
    RefreshHeader();
}

void TOsobaEdycjaForm::SpeedButtonSortClick()
{
    if (!gDB.FindPerson(PersonID))
        return;
    const QString selectID = selectedFactID();
    if (!prompter().confirm(
            gLangM.Get(QStringLiteral("LABEL_CZY_CHCESZ_POSORTOWAC_FAKTY_WEDLUG_TYPU_FAKTU_ORAZ_DATY?")),
            gLangM.Get(QStringLiteral("LABEL_UWAGA"))))
        return;
    // Only the ID is kept across the question: the person may have been deleted meanwhile.
    KV_Person* person = gDB.FindPerson(PersonID);
    if (!person)
        return;
    person->SortFacts();
    savePerson(person);
    FillFacts(selectID, true);
}

void TOsobaEdycjaForm::SpeedButtonGoraClick()
{
    moveSelectedFact(-1);
}

void TOsobaEdycjaForm::SpeedButtonDolClick()
{
    moveSelectedFact(1);
}

void TOsobaEdycjaForm::moveSelectedFact(int step)
{
    QTreeWidgetItem* row = SelectedRow(ListViewFakty);
    const QTreeWidgetItem* neighbour =
        row ? ListViewFakty->topLevelItem(ListViewFakty->indexOfTopLevelItem(row) + step) : nullptr;
    KV_Person* person = gDB.FindPerson(PersonID);
    if (!person || !neighbour)
        return;
    const QString moved = row->data(0, RowIDRole).toString();
    person->SwapFactIDs(moved, neighbour->data(0, RowIDRole).toString());
    savePerson(person);
    FillFacts(moved, true);
}
