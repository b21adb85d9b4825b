// The relation rules: whether a union, a parent or a child may be added, the walks over ancestors and
// descendants they use, and the deletions that keep both ends of every relation together.
#include "Bazadanych.h"

#include "Fact.h"
#include "Picture.h"
#include "Prompter.h"
#include "Vh_langmanager.h"

#include <QStringView>

#include <vector>

namespace {

// Sex values outside 0-2 count as unspecified.
int sexOf(const KV_Person* person)
{
    return person->IsFemale() ? 0 : person->IsMale() ? 1 : 2;
}

QString nameOf(const KV_Person* person)
{
    return person->GetDisplayName(DisplayNameMode::Plain, true, true);
}

QString text(const char* key)
{
    return gLangM.Get(QLatin1String(key));
}

// Of two message keys, the mother's for kind 2 and the father's otherwise.
QString kindText(RelationKind kind, const char* father, const char* mother)
{
    return text(kind == RelationKind::Mother ? mother : father);
}

bool shareAParent(const KV_Person* a, const KV_Person* b)
{
    for (const QString& parent : {a->FID, a->MID}) {
        if (!parent.isEmpty() && (parent == b->FID || parent == b->MID))
            return true;
    }
    return false;
}

// The suffix of surname among the suffixes, compared exactly; an empty view when none matches.
QStringView matchingSuffix(const QString& surname, std::initializer_list<const char16_t*> suffixes)
{
    for (const char16_t* suffix : suffixes) {
        if (surname.endsWith(QStringView(suffix)))
            return QStringView(suffix);
    }
    return {};
}

} // namespace

// Walks persons depth first from start with a stack of our own, so that a long line cannot exhaust the call stack;
// Visited ends loops in data where a person is its own ancestor. visit(person, pending) returns non-zero to end the
// walk with that result, or pushes the IDs to go on with (the last pushed is visited first).
template <class Visit>
int KV_DB::walkFrom(const KV_Person* start, Visit visit)
{
    Visited.clear();
    if (!start)
        return 0;
    std::vector<QString> pending{start->ID};
    while (!pending.empty()) {
        const QString id = pending.back();
        pending.pop_back();
        if (id.isEmpty() || Visited.contains(id))
            continue;
        Visited.insert(id);
        if (const KV_Person* person = FindPerson(id)) {
            if (const int result = visit(*person, pending))
                return result;
        }
    }
    return 0;
}

bool KV_DB::IsAncestor(const KV_Person* start, const QString& targetID)
{
    // Fathers before mothers.
    return walkFrom(start, [&](const KV_Person& person, std::vector<QString>& pending) {
        if (person.FID == targetID || person.MID == targetID)
            return 1;
        pending.push_back(person.MID);
        pending.push_back(person.FID);
        return 0;
    });
}

int KV_DB::FindDescendantRelation(const KV_Person* start, const QString& targetID)
{
    // Children in list order.
    return walkFrom(start, [&](const KV_Person& person, std::vector<QString>& pending) {
        if (person.HasChild(targetID))
            return 1;
        if (person.HasPartner(targetID))
            return 2;
        for (auto child = person.CList.crbegin(); child != person.CList.crend(); ++child)
            pending.push_back(*child);
        return 0;
    });
}

bool KV_DB::CanCreateUnion(const QString& firstID, const QString& secondID)
{
    auto refuse = [this](const QString& message) {
        LastError = message;
        return false;
    };
    if (firstID == secondID)
        return refuse(text("LABEL_NIE_MOZNA_UTWORZYC_ZWIAZKU_Z_TA_SAMA_OSOBA."));
    const KV_Person* first = FindPerson(firstID);
    if (!first)
        return refuse(gLangM.FormatStr(QStringLiteral("LABEL_BRAK_DANYCH_OSOBY_O_ID:_%S."), firstID));
    const KV_Person* second = FindPerson(secondID);
    if (!second)
        return refuse(gLangM.FormatStr(QStringLiteral("LABEL_BRAK_DANYCH_OSOBY_O_ID:_%S."), secondID));
    if (sexOf(first) == sexOf(second))
        return refuse(text("LABEL_NIE_MOZNA_UTWORZYC_ZWIAZKU_POMIEDZY_OSOBAMI_TEJ_SAMEJ_PLCI."));
    if (first->HasPartner(secondID) || second->HasPartner(firstID))
        return refuse(text("LABEL_NIE_MOZNA_UTWORZYC_KOLEJNEGO_ZWIAZKU_POMIEDZY_OSOBAMI._OSOBY_JUZ_TWORZA_ZWIAZEK."));
    if (shareAParent(first, second))
        return refuse(
            text("LABEL_NIE_MOZNA_UTWORZYC_ZWIAZKU_POMIEDZY_OSOBAMI,_KTORE_MAJA_TEGO_SAMEGO_OJCA_LUB_MATKE."));
    if (IsAncestor(first, secondID))
        return refuse(text("LABEL_NIE_MOZNA_UTWORZYC_ZWIAZKU_Z_OSOBA,_KTORA_JEST_PRZODKIEM."));
    switch (FindDescendantRelation(first, secondID)) {
    case 1:
        return refuse(text("LABEL_NIE_MOZNA_UTWORZYC_ZWIAZKU_Z_OSOBA,_KTORA_JEST_POTOMKIEM."));
    case 2:
        return refuse(text("LABEL_NIE_MOZNA_UTWORZYC_ZWIAZKU_Z_OSOBA,_KTORA_JEST_WSPOLMALZONKIEM_POTOMKA."));
    default:
        return true;
    }
}

bool KV_DB::CanBeParent(const QString& candidateID, const QString& childID, RelationKind kind)
{
    auto refuse = [this](const QString& message) {
        LastError = message;
        return false;
    };
    if (candidateID == childID)
        return refuse(kindText(kind, "LABEL_WYBRANA_OSOBA_NIE_MOZE_BYC_SWOIM_OJCEM.",
                               "LABEL_WYBRANA_OSOBA_NIE_MOZE_BYC_SWOJA_MATKA."));
    const KV_Person* candidate = FindPerson(candidateID);
    if (!candidate)
        return refuse(gLangM.FormatStr(QStringLiteral("LABEL_BRAK_DANYCH_OSOBY_O_ID:_%S."), candidateID));
    const KV_Person* child = FindPerson(childID);
    if (!child)
        return refuse(gLangM.FormatStr(QStringLiteral("LABEL_BRAK_DANYCH_OSOBY_O_ID:_%S."), childID));
    if (kind == RelationKind::Father && !candidate->IsMale())
        return refuse(text("LABEL_OJCEM_MOZE_BYC_TYLKO_OSOBA,_KTORA_JEST_PLCI_MESKIEJ."));
    if (kind == RelationKind::Mother && !candidate->IsFemale())
        return refuse(text("LABEL_MATKA_MOZE_BYC_TYLKO_OSOBA,_KTORA_JEST_PLCI_ZENSKIEJ."));
    if (candidate->HasChild(childID)) {
        // The child may name the candidate as father, as mother, or (in damaged data) as neither: the kind
        // asked for then speaks.
        const bool asMother = child->MID == candidateID || (child->FID != candidateID && kind == RelationKind::Mother);
        const QString key = asMother ? QStringLiteral("LABEL_OSOBA_[%S]_JEST_JUZ_MATKA_DLA_[%S].")
                                     : QStringLiteral("LABEL_OSOBA_[%S]_JEST_JUZ_OJCEM_DLA_[%S].");
        return refuse(gLangM.FormatStr2(key, nameOf(candidate), nameOf(child)));
    }
    if (shareAParent(candidate, child))
        return refuse(kindText(kind, "LABEL_OJCEM_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_SIOSTRA_LUB_BRATEM.",
                               "LABEL_MATKA_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_SIOSTRA_LUB_BRATEM."));
    if (IsAncestor(child, candidateID))
        return refuse(kindText(kind, "LABEL_OJCEM_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_PRZODKIEM.",
                               "LABEL_MATKA_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_PRZODKIEM."));
    switch (FindDescendantRelation(child, candidateID)) {
    case 1:
        return refuse(kindText(kind, "LABEL_OJCEM_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_POTOMKIEM.",
                               "LABEL_MATKA_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_POTOMKIEM."));
    case 2:
        return refuse(kindText(kind, "LABEL_OJCEM_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_WSPOLMALZONKIEM_POTOMKA.",
                               "LABEL_MATKA_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_WSPOLMALZONKIEM_POTOMKIEM."));
    default:
        return true;
    }
}

KV_DB::ChildCheck KV_DB::CanBeChild(const QString& parentID, const QString& candidateID, RelationKind kind)
{
    auto refuse = [this](const QString& message) {
        LastError = message;
        return ChildRefused;
    };
    if (parentID == candidateID)
        return refuse(text("LABEL_WYBRANA_OSOBA_NIE_MOZE_BYC_SWOIM_DZIECKIEM."));
    const KV_Person* parent = FindPerson(parentID);
    if (!parent)
        return refuse(gLangM.FormatStr(QStringLiteral("LABEL_BRAK_DANYCH_OSOBY_O_ID:_%S."), parentID));
    const KV_Person* candidate = FindPerson(candidateID);
    if (!candidate)
        return refuse(gLangM.FormatStr(QStringLiteral("LABEL_BRAK_DANYCH_OSOBY_O_ID:_%S."), candidateID));
    if (parent->HasChild(candidateID)) {
        if (kind == RelationKind::Son || kind == RelationKind::Daughter) {
            LastError = gLangM.FormatStr2(QStringLiteral("LABEL_OSOBA_[%S]_JEST_JUZ_DZIECKIEM_[%S]."),
                                          nameOf(candidate), nameOf(parent));
        }
        return AlreadyAChild;
    }
    if (shareAParent(parent, candidate))
        return refuse(text("LABEL_DZIECKIEM_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_SIOSTRA_LUB_BRATEM."));
    if (IsAncestor(parent, candidateID))
        return refuse(text("LABEL_DZIECKIEM_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_PRZODKIEM."));
    switch (FindDescendantRelation(parent, candidateID)) {
    case 1:
        return refuse(text("LABEL_DZIECKIEM_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_POTOMKIEM."));
    case 2:
        return refuse(text("LABEL_DZIECKIEM_NIE_MOZE_BYC_OSOBA,_KTORA_JEST_WSPOLMALZONKIEM_POTOMKA."));
    default:
        return ChildAllowed;
    }
}

QString KV_DB::SurnameForSex(int ownSex, const QString& surname, int wantedSex)
{
    const auto normalised = [](int sex) { return sex == 0 || sex == 1 ? sex : 2; };
    ownSex = normalised(ownSex);
    wantedSex = normalised(wantedSex);
    if (ownSex == wantedSex || wantedSex == 2 || surname.size() <= 3)
        return surname;
    // The wanted sex decides the direction: a woman gets the female form of a male surname, a man the male
    // form of a female one.
    const QStringView suffix = wantedSex == 0
                                   ? matchingSuffix(surname, {u"ski", u"SKI", u"cki", u"CKI", u"dzki", u"DZKI"})
                                   : matchingSuffix(surname, {u"ska", u"SKA", u"cka", u"CKA", u"dzka", u"DZKA"});
    if (suffix.isEmpty())
        return surname;
    QString result = surname;
    const char16_t last = suffix.back().unicode();
    result.back() = last == u'i' ? u'a' : last == u'I' ? u'A' : last == u'a' ? u'i' : u'I';
    return result;
}

void KV_DB::CollectChildren(const KV_Person* first, const KV_Person* second, const QString& excludedID,
                            QStringList& ids)
{
    for (const KV_Person* parent : {first, second}) {
        if (!parent)
            continue;
        for (const QString& child : parent->CList) {
            if (child != excludedID && !ids.contains(child))
                ids.append(child);
        }
    }
}

void KV_DB::saveTouched(KV_Person* person, QStringList& failures)
{
    if (!SavePerson(person, person->ID))
        failures.append(StorageError);
}

bool KV_DB::removeFact(const KV_Person* onBehalf, KV_Fact* fact, QStringList& failures)
{
    if (!fact) {
        LastError = text("ERROR_DELETING_FACT_MISSING_FACT");
        return false;
    }
    // The file goes first: a fact whose file stays would come back with the next load.
    QString failure;
    if (!deleteObjectFile(fact->ID, failure)) {
        LastError = failure;
        return false;
    }
    const QString first = fact->PersonIDF;
    const QString second = fact->PersonIDS;
    for (const QString& id : {first, second}) {
        KV_Person* person = FindPerson(id);
        if (!person)
            continue;
        person->RemoveFact(fact->ID);
        if (!onBehalf || person->ID != onBehalf->ID)
            saveTouched(person, failures);
    }
    FactMap.erase(fact->ID);
    delete fact;
    return true;
}

bool KV_DB::DeleteFact(const KV_Person* onBehalf, KV_Fact* fact)
{
    FileChange change(*this);
    QStringList failures;
    const bool removed = removeFact(onBehalf, fact, failures);
    change.commit();
    return removed;
}

bool KV_DB::DeleteFactObject(const KV_Person* onBehalf, KV_Fact* fact)
{
    return DeleteFact(onBehalf, fact);
}

bool KV_DB::DeleteFactByID(const KV_Person* onBehalf, const QString& factID)
{
    return DeleteFact(onBehalf, FindFact(factID));
}

bool KV_DB::DeleteFactOfPerson(const QString& personID, const QString& factID)
{
    return DeleteFact(FindPerson(personID), FindFact(factID));
}

bool KV_DB::removePicture(KV_Person* person, KV_Picture* picture, bool save, QStringList& failures)
{
    if (!picture) {
        if (person && save)
            saveTouched(person, failures);
        LastError = text("ERROR_DELETING_PICTURE_MISSING_PICTURE");
        return false;
    }
    QString failure;
    if (!deleteObjectFile(picture->ID, failure)) {
        LastError = failure;
        return false;
    }
    // Without a person the window could not save one: unlink the picture's owner and save it here.
    KV_Person* holder = person ? person : FindPerson(picture->PersonID);
    if (holder) {
        holder->RemovePicture(picture->ID);
        if (holder->PictureProfile == picture->ID)
            holder->PictureProfile.clear();
        if (save || !person)
            saveTouched(holder, failures);
    }
    PictureMap.erase(picture->ID);
    delete picture;
    return true;
}

bool KV_DB::DeletePicture(KV_Person* person, KV_Picture* picture, bool save)
{
    FileChange change(*this);
    QStringList failures;
    const bool removed = removePicture(person, picture, save, failures);
    change.commit();
    return removed;
}

bool KV_DB::DeletePictureByID(KV_Person* person, const QString& pictureID, bool save)
{
    return DeletePicture(person, FindPicture(pictureID), save);
}

bool KV_DB::DeletePictureOfPerson(const QString& personID, const QString& pictureID, bool save)
{
    return DeletePicture(FindPerson(personID), FindPicture(pictureID), save);
}

bool KV_DB::DeletePerson(KV_Person* person)
{
    if (!person) {
        StorageError = text("LABEL_NIE_MOZNA_USUNAC_OSOBY_NIE_MA_JEJ_W_BAZIE_DANYCH");
        return false;
    }
    // The person's own file goes first: when it cannot, nothing has changed yet.
    FileChange change(*this);
    QString failure;
    if (!deleteObjectFile(person->ID, failure))
        return false;

    QStringList failures;
    for (const QString& parentID : {person->FID, person->MID}) {
        if (parentID.isEmpty())
            continue;
        if (KV_Person* parent = FindPerson(parentID)) {
            parent->RemoveChild(person->ID);
            saveTouched(parent, failures);
        }
    }
    for (const QString& childID : std::as_const(person->CList)) {
        if (KV_Person* child = FindPerson(childID)) {
            if (child->FID == person->ID)
                child->FID.clear();
            if (child->MID == person->ID)
                child->MID.clear();
            saveTouched(child, failures);
        }
    }
    for (const QString& partnerID : std::as_const(person->FList)) {
        if (KV_Person* partner = FindPerson(partnerID)) {
            partner->RemovePartner(person->ID);
            saveTouched(partner, failures);
        }
    }
    // Copies: each deletion takes its ID out of the person's list.
    const QStringList facts = person->Facts;
    for (const QString& factID : facts) {
        if (KV_Fact* fact = FindFact(factID)) {
            if (!removeFact(person, fact, failures))
                failures.append(StorageError);
        } else {
            LastError = text("ERROR_DELETING_FACT_MISSING_FACT");
        }
    }
    const QStringList pictures = person->Pictures;
    for (const QString& pictureID : pictures) {
        if (KV_Picture* picture = FindPicture(pictureID)) {
            if (!removePicture(person, picture, false, failures))
                failures.append(StorageError);
        } else {
            LastError = text("ERROR_DELETING_PICTURE_MISSING_PICTURE");
        }
    }
    person->ClearLinks();
    ErasePerson(person);
    SetChanged(true);
    PersonListDirty = true;
    if (!change.commit())
        failures.append(StorageError);

    // The person is gone, so the result stays true; what could not be written is still the user's to know.
    if (!failures.isEmpty()) {
        StorageError = failures.join(u'\n');
        prompter().message(StorageError, text("LABEL_UWAGA"), Prompter::Icon::Warning);
    }
    return true;
}
