// The person editor's relatives commands: adding a relative through the add-relative dialog, removing a relation
// or a union fact, showing a relative in the same editor, and the order of children and unions.
#include "OsobaFormUnit.h"

#include "Bazadanych.h"
#include "Menus.h"
#include "Prompter.h"
#include "RelacjaAddUnit.h"
#include "Vh_langmanager.h"
#include "ZmianaKolejnosciUnit.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

void TOsobaEdycjaForm::ButtonKrewnyAddClick()
{
    if (HasBasicData())
        popUpUnder(PopupMenuKrewniList, ButtonKrewnyAdd);
}

void TOsobaEdycjaForm::PopupMenuKrewniListPopup()
{
    const KV_Person* person = gDB.FindPerson(PersonID);
    const bool hasFather = person && !person->FID.isEmpty();
    const bool hasMother = person && !person->MID.isEmpty();
    KrewnyFather->setEnabled(!hasFather);
    KrewnyMother->setEnabled(!hasMother);
    KrewnyBrother->setEnabled(hasFather || hasMother);
    KrewnySister->setEnabled(hasFather || hasMother);
    Faktydotzwizkw1->setEnabled(person && person->GetPartnerCount() > 0);
}

void TOsobaEdycjaForm::DodajKrewnego(QAction* item)
{
    TFormRelacjaAdd* dialog = FormRelacjaAdd;
    if (!dialog)
        return;
    const auto type = RelationKind(item->data().toInt());
    // A brother or sister is a further child of the person's parents.
    if (type == RelationKind::Brother || type == RelationKind::Sister) {
        const KV_Person* person = gDB.FindPerson(PersonID);
        dialog->AddRelative(PersonID, person ? person->FID : QString(), person ? person->MID : QString(), type);
    } else {
        dialog->AddRelative(PersonID, PersonID, QStringLiteral("-1"), type);
    }
    dialog->ShowModal();
    if (!dialog->Saved)
        return;
    FillRelatives(true);
    RefreshHeader();
}

void TOsobaEdycjaForm::ButtonKrewnyDeleteClick()
{
    const QTreeWidgetItem* row = SelectedRow(ListViewRodzina);
    if (!row)
        return;
    const QString id = row->data(0, RowIDRole).toString();
    const auto kind = RelativeRowKind(row->data(0, RowKindRole).toInt());
    if (kind == RelativeRowKind::UnionFact) {
        if (!prompter().confirm(gLangM.FormatStr(QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_FAKT_DOTYCZACY_ZWIAZKU"),
                                                 row->text(0) + row->text(1)),
                                gLangM.Get(QStringLiteral("LABEL_UWAGA"))))
            return;
        KV_DB::FileChange change(gDB);
        if (!gDB.DeleteFactOfPerson(PersonID, id))
            prompter().message(gDB.GetLastError(), gProductName);
        KV_Person* person = gDB.FindPerson(PersonID);
        if ((!person || savePerson(person)) && !change.commit())
            showStorageFailure(gDB.StorageError);
        FillRelatives(true);
        FillFacts(QString(), true);
        return;
    }
    TFormRelacjaAdd* dialog = FormRelacjaAdd;
    if (!dialog)
        return;
    if (dialog->DeleteRelation(PersonID, id, RelationKind(int(kind)))) {
        FillRelatives(true);
        RefreshHeader();
    } else if (!dialog->LastError.isEmpty()) {
        prompter().message(dialog->LastError, gProductName);
    }
}

void TOsobaEdycjaForm::ButtonPokazDaneKrwenegoClick()
{
    const QTreeWidgetItem* row = SelectedRow(ListViewRodzina);
    if (!row)
        return;
    const QString relativeID = row->data(0, RowIDRole).toString();
    if (!prompter().confirm(gLangM.FormatStr(QStringLiteral("LABEL_CZY_CHCESZ_WYSWIETLIC_DANE_OSOBY"), row->text(1)),
                            gLangM.Get(QStringLiteral("LABEL_UWAGA"))))
        return;
    // The relative may have been deleted while the user answered: the editor stays on its person then.
    if (!gDB.FindPerson(relativeID))
        return;
    PersonID = relativeID;
    RefreshAll();
}

void TOsobaEdycjaForm::ListViewRodzinaDblClick()
{
    if (ButtonKrewnyEditFakt->isEnabled())
        ButtonFactEditClick(FromRelatives);
    else if (ButtonPokazDaneKrwenego->isEnabled())
        ButtonPokazDaneKrwenegoClick();
}

void TOsobaEdycjaForm::ButtonMenuKolejnoscClick()
{
    popUpUnder(PopupMenuAkcja, ButtonMenuKolejnosc);
}

void TOsobaEdycjaForm::ZmienKolejnoscZwiazkow()
{
    reorder(TFormKolejnoscZmiana::Unions);
}

void TOsobaEdycjaForm::Zmiekolejnodzieci1Click()
{
    reorder(TFormKolejnoscZmiana::Children);
}

void TOsobaEdycjaForm::reorder(int kind)
{
    TFormKolejnoscZmiana* dialog = FormKolejnoscZmiana;
    if (!dialog)
        return;
    dialog->SetupFor(PersonID, kind);
    dialog->ShowModal();
    KV_Person* person = gDB.FindPerson(PersonID);
    if (!dialog->IsSaved() || !person)
        return;
    if (kind == TFormKolejnoscZmiana::Unions)
        person->FList = dialog->OrderedIDs;
    else
        person->CList = dialog->OrderedIDs;
    savePerson(person);
    FillRelatives(false);
}
