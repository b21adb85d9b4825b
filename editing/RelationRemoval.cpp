// Removing a relation between two persons, after asking: every question names both sides, only Yes changes data,
// and both ends of each removed link are cleared and written. A link to an ID that names no person (left by an
// older edit or a damaged file) is offered for removal as well, with the ID where the name would stand.
#include "RelacjaAddUnit.h"

#include "BasicFacts.h"
#include "Prompter.h"
#include "Vh_langmanager.h"

namespace {

QString nameOf(const KV_Person* person, const QString& id)
{
    return person ? person->GetDisplayName(DisplayNameMode::Plain, true, true) : id;
}

bool confirmed(const QString& question)
{
    return prompter().confirm(question, gLangM.Get(QStringLiteral("LABEL_UWAGA")));
}

void inform(const QString& text)
{
    prompter().message(text, gProductName, Prompter::Icon::Information);
}

void save(KV_Person* first, KV_Person* second, QStringList& failures)
{
    if (!gDB.SavePersons(first, second))
        failures.append(gDB.StorageError);
}

} // namespace

bool TFormRelacjaAdd::CheckPersonFound(const QString& id, const KV_Person* person)
{
    if (person)
        return true;
    LastError = gLangM.FormatStr(QStringLiteral("LABEL_BRAK_DANYCH_OSOBY_O_ID:_%S"), id);
    return false;
}

bool TFormRelacjaAdd::DeleteRelation(const QString& personID, const QString& otherID, RelationKind kind)
{
    LastError.clear();
    KV_Person* person = gDB.FindPerson(personID);
    if (!CheckPersonFound(personID, person))
        return false;
    // An empty ID is no link at all.
    if (otherID.isEmpty())
        return CheckPersonFound(otherID, nullptr);
    QStringList failures;
    bool removed = false;
    // A removal that asks about both parents of a child writes all its persons together.
    KV_DB::FileChange change(gDB);
    switch (kind) {
    case RelationKind::Father:
    case RelationKind::Mother:
        removed = removeParent(*person, otherID, kind, failures);
        break;
    case RelationKind::Partner:
        removed = removePartner(*person, otherID, failures);
        break;
    case RelationKind::Son:
    case RelationKind::Daughter:
        removed = removeChild(*person, otherID, failures);
        break;
    case RelationKind::Brother:
    case RelationKind::Sister:
        removed = removeSibling(*person, otherID, failures);
        break;
    }
    if (!change.commit())
        failures.append(gDB.StorageError);
    ReportStorageFailures(failures);
    return removed;
}

bool TFormRelacjaAdd::removeParent(KV_Person& person, const QString& parentID, RelationKind kind, QStringList& failures)
{
    const bool father = kind == RelationKind::Father;
    KV_Person* parent = gDB.FindPerson(parentID);
    const QString key = father ? QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_RELACJE,_ZE_[%S]_JEST_OJCEM_[%S]?")
                               : QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_RELACJE,_ZE_[%S]_JEST_MATKA_[%S]?");
    if (!confirmed(gLangM.FormatStr2(key, nameOf(parent, parentID), nameOf(&person, person.ID))))
        return false;
    // A row or link that names someone else must not cut the person from the parent it really has.
    QString& slot = father ? person.FID : person.MID;
    if (slot == parentID)
        slot.clear();
    if (parent)
        parent->RemoveChild(person.ID);
    save(&person, parent, failures);
    return true;
}

bool TFormRelacjaAdd::removePartner(KV_Person& person, const QString& partnerID, QStringList& failures)
{
    KV_Person* partner = gDB.FindPerson(partnerID);
    if (!confirmed(gLangM.FormatStr2(QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_RELACJE,_ZE_[%S]_JEST_W_ZWIAZKU_Z_[%S]?"),
                                     nameOf(&person, person.ID), nameOf(partner, partnerID))))
        return false;
    // The union's facts stay with both persons.
    person.RemovePartner(partnerID);
    if (partner)
        partner->RemovePartner(person.ID);
    save(&person, partner, failures);
    return true;
}

bool TFormRelacjaAdd::removeChild(KV_Person& person, const QString& childID, QStringList& failures)
{
    static const QString question = QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_RELACJE,_ZE_[%S]_JEST_%S_[%S]?");
    KV_Person* child = gDB.FindPerson(childID);
    const QString childName = nameOf(child, childID);
    const QString noun = child ? child->GetChildRelationText() : gLangM.Get(QStringLiteral("LABEL_DZIECKIEM"));
    bool removed = false;

    // The child's other parent, when the person and that parent form a union: then each side is asked alone.
    QString otherParentID;
    if (child)
        otherParentID = child->FID == person.ID ? child->MID : child->MID == person.ID ? child->FID : QString();
    if (!otherParentID.isEmpty() && person.HasPartner(otherParentID)) {
        KV_Person* otherParent = gDB.FindPerson(otherParentID);
        inform(gLangM.FormatStr(
            QStringLiteral("LABEL_[%S]_MA_OJCA_I_MATKE,_KTORZY_SA_W_ZWIAZKU._ODPOWIADAJAC_NA_KOLEJNE_PYTANIA_BEDZIE_"
                           "MOZNA_USUNAC_RELACJE_TYLKO_Z_OJCEM_LUB_TYLKO_Z_MATKA."),
            childName));
        if (confirmed(gLangM.FormatStr3(question, childName, noun, nameOf(otherParent, otherParentID)))) {
            child->RemoveParent(otherParentID);
            if (otherParent)
                otherParent->RemoveChild(childID);
            save(otherParent, child, failures);
            removed = true;
        }
    }
    if (confirmed(gLangM.FormatStr3(question, childName, noun, nameOf(&person, person.ID)))) {
        if (child)
            child->RemoveParent(person.ID);
        person.RemoveChild(childID);
        save(&person, child, failures);
        removed = true;
    }
    return removed;
}

bool TFormRelacjaAdd::removeSibling(KV_Person& person, const QString& siblingID, QStringList& failures)
{
    KV_Person* sibling = gDB.FindPerson(siblingID);
    KV_Person* father = gDB.FindPerson(person.FID);
    KV_Person* mother = gDB.FindPerson(person.MID);
    // A sibling shares a parent when its record names the person's parent; a sibling ID that names no person,
    // when that parent lists it.
    const auto shares = [&](const QString& parentID, const KV_Person* parent, const QString KV_Person::*slot) {
        if (parentID.isEmpty())
            return false;
        return sibling ? sibling->*slot == parentID : parent && parent->HasChild(siblingID);
    };
    const bool sameFather = shares(person.FID, father, &KV_Person::FID);
    const bool sameMother = shares(person.MID, mother, &KV_Person::MID);
    const QString personName = nameOf(&person, person.ID);
    const QString siblingName = nameOf(sibling, siblingID);
    if (person.HasKnownParents(true) && sameFather && sameMother) {
        inform(gLangM.FormatStr2(
            QStringLiteral("LABEL_[%S]_I_[%S]_MAJA_TYCH_SAMYCH_RODZICOW._ODPOWIADAJAC_NA_KOLEJNE_PYTANIA_BEDZIE_MOZNA_"
                           "USUNAC_RELACJE_TYLKO_Z_OJCEM_LUB_TYLKO_Z_MATKA."),
            personName, siblingName));
    }
    // The sibling's links are the ones removed: the person keeps its parents.
    bool removed = false;
    if (sameFather && confirmed(gLangM.FormatStr3(
                          QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_RELACJE,_ZE_[%S]_I_[%S]_MAJA_TEGO_SAMEGO_OJCA_[%S]?"),
                          personName, siblingName, nameOf(father, person.FID)))) {
        if (sibling)
            sibling->FID.clear();
        if (father)
            father->RemoveChild(siblingID);
        save(father, sibling, failures);
        removed = true;
    }
    if (sameMother && confirmed(gLangM.FormatStr2(
                          QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_RELACJE,_ZE_[%S]_I_[%S]_MAJA_TE_SAMA_MATKE?"),
                          personName, siblingName))) {
        if (sibling)
            sibling->MID.clear();
        if (mother)
            mother->RemoveChild(siblingID);
        save(mother, sibling, failures);
        removed = true;
    }
    return removed;
}
