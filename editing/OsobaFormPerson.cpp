// The person editor's commands on the person as a whole: deleting it, its family view, and its reports and trees.
#include "OsobaFormUnit.h"

#include "Bazadanych.h"
#include "FromularzUnit.h"
#include "Menus.h"
#include "Prompter.h"
#include "ReportWindows.h"
#include "Vh_langmanager.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

void TOsobaEdycjaForm::ButtonPersonUsunClick()
{
    if (!gDB.FindPerson(PersonID))
        return;
    if (!prompter().confirm(gLangM.Get(QStringLiteral(
                                "LABEL_CZY_CHCESZ_USUNAC_WYBRANA_OSOBE_ORAZ_WSZYSTKIE_JEJ_ODWOLANIA_DO_INNYCH_OSOB?")),
                            gLangM.Get(QStringLiteral("LABEL_UWAGA"))))
        return;
    // Only the ID is kept across the question: the person may have been deleted meanwhile.
    KV_Person* person = gDB.FindPerson(PersonID);
    if (!person)
        return;
    if (!gDB.DeletePerson(person)) {
        showStorageFailure(gDB.StorageError);
        return;
    }
    prompter().message(gLangM.Get(QStringLiteral("LABEL_OSOBA_ZOSTALA_USUNIETA.")), gProductName);
    SetModalResult(mrOk);
}

void TOsobaEdycjaForm::ButtonFormularzClick()
{
    if (!gDB.FindPerson(PersonID))
        return;
    ShowFamilyView(PersonID);
    // The family view may have added or removed relatives of the person, edited it in another editor or deleted
    // it: rows left from before would act on links that are gone.
    RefreshAll();
}

void TOsobaEdycjaForm::ButtonPersonFormularzClick()
{
    popUpUnder(PopupMenuWydruk, ButtonPersonFormularz);
}

void TOsobaEdycjaForm::PopupMenuWydrukPopup()
{
    const KV_Person* person = gDB.FindPerson(PersonID);
    const bool ancestors = person && (!person->FID.isEmpty() || !person->MID.isEmpty());
    const bool descendants = person && person->GetChildCount() > 0;
    Drzewoprzodkw1->setEnabled(ancestors);
    Drzewopotomkw1->setEnabled(descendants);
    Drzewoprzodkwipotomkw1->setEnabled(ancestors && descendants);
}

void TOsobaEdycjaForm::RaportDaneszczegowe1Click()
{
    OpenPersonReport(PersonID, true);
}

void TOsobaEdycjaForm::Drzewoprzodkw1Click()
{
    OpenTreeReport(TreeType::Ancestors, PersonID);
}

void TOsobaEdycjaForm::Drzewopotomkw1Click()
{
    OpenTreeReport(TreeType::Descendants, PersonID);
}

void TOsobaEdycjaForm::Drzewoprzodkwipotomkw1Click()
{
    OpenTreeReport(TreeType::AncestorsAndDescendants, PersonID);
}
