#include "BasicFacts.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "Bazadanych.h"
#include "Fact.h"
#include "Prompter.h"
#include "Vh_langmanager.h"

#include <memory>

void ShowDateFact(const KV_Person& person, const QString& type, TAdvEdit* date, TAdvComboBox* place)
{
    const KV_Fact* fact = person.FindFactByType(type);
    date->SetText(fact ? fact->Date.ToDisplayText(false, false) : QString());
    place->SetText(fact ? fact->Place : QString());
}

void WriteDateFact(KV_Person& person, const QString& type, const QString& date, const QString& place,
                   QStringList& failures)
{
    KV_Fact* fact = person.FindFactByType(type);
    std::unique_ptr<KV_Fact> made;
    if (!fact) {
        made = std::make_unique<KV_Fact>();
        fact = made.get();
    }
    fact->Type = type;
    fact->Name = fact->GetTypeLabel();
    fact->Date.FromText(date);
    fact->Place = place;
    // A new fact takes its place among the person's facts by its type and date, so those come first.
    if (made) {
        if (!gDB.AddFactToPerson(person.ID, fact)) {
            failures.append(gDB.GetLastError());
            return;
        }
        made.release();
    }
    if (!gDB.SaveFact(fact, fact->ID))
        failures.append(gDB.StorageError);
}

void DeleteDateFact(KV_Person& person, const QString& type, QStringList& failures)
{
    if (KV_Fact* fact = person.FindFactByType(type); fact && !gDB.DeleteFactObject(&person, fact))
        failures.append(gDB.StorageError);
}

void ReportStorageFailures(QStringList failures)
{
    if (failures.isEmpty())
        return;
    failures.removeDuplicates();
    gDB.StorageError = failures.join(u'\n');
    prompter().message(gDB.StorageError, gLangM.Get(QStringLiteral("LABEL_UWAGA")), Prompter::Icon::Warning);
}
