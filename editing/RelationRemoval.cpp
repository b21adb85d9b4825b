// Removing a relation between two persons, after asking: every question names both sides, only Yes changes data,
// and both ends of each removed link are cleared and written. A link to an ID that names no person (left by an
// older edit or a damaged file) is offered for removal as well, with the ID where the name would stand.
#include "RelacjaAddUnit.h"

#include "BasicFacts.h"
#include "Prompter.h"
#include "Vh_langmanager.h"

namespace {

// Only IDs are kept across a question: either person may be deleted while the user answers, so every name and
// record is looked up when it is needed.
QString nameOf(const QString& id)
{
    const KV_Person* person = gDB.FindPerson(id);
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

// Cuts the link between a parent and a child on whichever of the two is still there, and writes both.
void unlinkChild(const QString& parentID, const QString& childID, QStringList& failures)
{
    KV_Person* parent = gDB.FindPerson(parentID);
    KV_Person* child = gDB.FindPerson(childID);
    if (child)
        child->RemoveParent(parentID);
    if (parent)
        parent->RemoveChild(childID);
    save(parent, child, failures);
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
    if (!CheckPersonFound(personID, gDB.FindPerson(personID)))
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
        removed = removeParent(personID, otherID, kind, failures);
        break;
    case RelationKind::Partner:
        removed = removePartner(personID, otherID, failures);
        break;
    case RelationKind::Son:
    case RelationKind::Daughter:
        removed = removeChild(personID, otherID, failures);
        break;
    case RelationKind::Brother:
    case RelationKind::Sister:
        removed = removeSibling(personID, otherID, failures);
        break;
    }
    if (!change.commit())
        failures.append(gDB.StorageError);
    ReportStorageFailures(failures);
    return removed;
}

bool TFormRelacjaAdd::removeParent(const QString& personID, const QString& parentID, RelationKind kind,
                                   QStringList& failures)
{
    const bool father = kind == RelationKind::Father;
    const QString key = father ? QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_RELACJE,_ZE_[%S]_JEST_OJCEM_[%S]?")
                               : QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_RELACJE,_ZE_[%S]_JEST_MATKA_[%S]?");
    if (!confirmed(gLangM.FormatStr2(key, nameOf(parentID), nameOf(personID))))
        return false;
    KV_Person* person = gDB.FindPerson(personID);
    if (!CheckPersonFound(personID, person))
        return false;
    KV_Person* parent = gDB.FindPerson(parentID);
    // A row or link that names someone else must not cut the person from the parent it really has.
    QString& slot = father ? person->FID : person->MID;
    if (slot == parentID)
        slot.clear();
    if (parent)
        parent->RemoveChild(personID);
    save(person, parent, failures);
    return true;
}

bool TFormRelacjaAdd::removePartner(const QString& personID, const QString& partnerID, QStringList& failures)
{
    if (!confirmed(gLangM.FormatStr2(QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_RELACJE,_ZE_[%S]_JEST_W_ZWIAZKU_Z_[%S]?"),
                                     nameOf(personID), nameOf(partnerID))))
        return false;
    KV_Person* person = gDB.FindPerson(personID);
    if (!CheckPersonFound(personID, person))
        return false;
    // The union's facts stay with both persons.
    person->RemovePartner(partnerID);
    KV_Person* partner = gDB.FindPerson(partnerID);
    if (partner)
        partner->RemovePartner(personID);
    save(person, partner, failures);
    return true;
}

bool TFormRelacjaAdd::removeChild(const QString& personID, const QString& childID, QStringList& failures)
{
    static const QString question = QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_RELACJE,_ZE_[%S]_JEST_%S_[%S]?");
    const KV_Person* child = gDB.FindPerson(childID);
    const QString childName = nameOf(childID);
    const QString noun = child ? child->GetChildRelationText() : gLangM.Get(QStringLiteral("LABEL_DZIECKIEM"));
    bool removed = false;

    // The child's other parent, when the person and that parent form a union: then each side is asked alone.
    QString otherParentID;
    if (child)
        otherParentID = child->FID == personID ? child->MID : child->MID == personID ? child->FID : QString();
    if (!otherParentID.isEmpty() && gDB.FindPerson(personID)->HasPartner(otherParentID)) {
        inform(gLangM.FormatStr(
            QStringLiteral("LABEL_[%S]_MA_OJCA_I_MATKE,_KTORZY_SA_W_ZWIAZKU._ODPOWIADAJAC_NA_KOLEJNE_PYTANIA_BEDZIE_"
                           "MOZNA_USUNAC_RELACJE_TYLKO_Z_OJCEM_LUB_TYLKO_Z_MATKA."),
            childName));
        if (confirmed(gLangM.FormatStr3(question, childName, noun, nameOf(otherParentID)))) {
            unlinkChild(otherParentID, childID, failures);
            removed = true;
        }
    }
    if (confirmed(gLangM.FormatStr3(question, childName, noun, nameOf(personID)))) {
        if (!CheckPersonFound(personID, gDB.FindPerson(personID)))
            return removed;
        unlinkChild(personID, childID, failures);
        removed = true;
    }
    return removed;
}

bool TFormRelacjaAdd::removeSibling(const QString& personID, const QString& siblingID, QStringList& failures)
{
    const KV_Person* person = gDB.FindPerson(personID);
    const KV_Person* sibling = gDB.FindPerson(siblingID);
    const QString fatherID = person->FID;
    const QString motherID = person->MID;
    // A sibling shares a parent when its record names the person's parent; a sibling ID that names no person,
    // when that parent lists it.
    const auto shares = [&](const QString& parentID, const QString KV_Person::*slot) {
        if (parentID.isEmpty())
            return false;
        const KV_Person* parent = gDB.FindPerson(parentID);
        return sibling ? sibling->*slot == parentID : parent && parent->HasChild(siblingID);
    };
    const bool sameFather = shares(fatherID, &KV_Person::FID);
    const bool sameMother = shares(motherID, &KV_Person::MID);
    const QString personName = nameOf(personID);
    const QString siblingName = nameOf(siblingID);
    if (person->HasKnownParents(true) && sameFather && sameMother) {
        inform(gLangM.FormatStr2(
            QStringLiteral("LABEL_[%S]_I_[%S]_MAJA_TYCH_SAMYCH_RODZICOW._ODPOWIADAJAC_NA_KOLEJNE_PYTANIA_BEDZIE_MOZNA_"
                           "USUNAC_RELACJE_TYLKO_Z_OJCEM_LUB_TYLKO_Z_MATKA."),
            personName, siblingName));
    }
    // The sibling's links are the ones removed: the person keeps its parents.
    bool removed = false;
    if (sameFather && confirmed(gLangM.FormatStr3(
                          QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_RELACJE,_ZE_[%S]_I_[%S]_MAJA_TEGO_SAMEGO_OJCA_[%S]?"),
                          personName, siblingName, nameOf(fatherID)))) {
        unlinkChild(fatherID, siblingID, failures);
        removed = true;
    }
    if (sameMother && confirmed(gLangM.FormatStr2(
                          QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_RELACJE,_ZE_[%S]_I_[%S]_MAJA_TE_SAMA_MATKE?"),
                          personName, siblingName))) {
        unlinkChild(motherID, siblingID, failures);
        removed = true;
    }
    return removed;
}
