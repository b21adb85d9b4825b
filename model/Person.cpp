#include "Person.h"

#include "Bazadanych.h"
#include "Fact.h"
#include "Picture.h"
#include "Settings.h"
#include "Toolkit.h"
#include "Vh_langmanager.h"

namespace {

QString entryAt(const QStringList& list, int index)
{
    return index >= 0 && index < list.size() ? list[index] : QString();
}

bool listsID(const QStringList& list, const QString& id)
{
    return !id.isEmpty() && list.contains(id);
}

bool appendNewID(QStringList& list, const QString& id)
{
    if (listsID(list, id) || id.isEmpty())
        return false;
    list.append(id);
    return true;
}

QString maidenNameAddition(const QString& surname, const QString& familyName)
{
    if (familyName.isEmpty() || familyName == surname)
        return QString();
    return u' ' + gLangM.Get(QStringLiteral("LABEL_PREFIX_Z_DOMU")) + u' ' + familyName;
}

QString withNoBreakSpaces(QString text)
{
    return text.replace(u' ', QChar(0x00A0));
}

// The name goes into a single-quoted script argument: a backslash, a quote or a line break must not end it.
QString escapedForScript(QString name)
{
    name.replace(u'\\', QStringLiteral("\\\\"));
    name.replace(u'\'', QStringLiteral("\\'"));
    name.replace(u'\r', QStringLiteral("\\r"));
    name.replace(u'\n', QStringLiteral("\\n"));
    return name;
}

bool isBirthOrBaptism(const QString& type)
{
    return type == QStringLiteral("BIRT") || type == QStringLiteral("BAPM");
}

bool isDeathOrBurial(const QString& type)
{
    return type == QStringLiteral("DEAT") || type == QStringLiteral("BURI");
}

} // namespace

bool KV_Atribute::IsCustomCode(const QString& code)
{
    return code == QStringLiteral("CUSTOM");
}

int GetFactOrderKey(const QString& type)
{
    static const struct
    {
        const char16_t* type;
        int key;
    } keys[] = {
        {u"BIRT", 100}, {u"BAPM", 200}, {u"ENGA", 450}, {u"MARR", 455}, {u"FAMILY_CUSTOM", 460},
        {u"DIV", 465},  {u"ANUL", 470}, {u"DEAT", 500}, {u"BURI", 600},
    };
    for (const auto& k : keys) {
        if (type == QStringView(k.type))
            return k.key;
    }
    return 400;
}

bool KV_Person::HasParents(const QString& a, const QString& b) const
{
    return (FID == a && MID == b) || (FID == b && MID == a);
}

bool KV_Person::HasKnownParents(bool both) const
{
    if (both)
        return !FID.isEmpty() && !MID.isEmpty();
    return !FID.isEmpty() || !MID.isEmpty();
}

void KV_Person::RemoveParent(const QString& id)
{
    if (FID == id)
        FID.clear();
    if (MID == id)
        MID.clear();
}

void KV_Person::ClearLinks()
{
    FID.clear();
    MID.clear();
    CList.clear();
    FList.clear();
    Facts.clear();
}

bool KV_Person::HasChild(const QString& id) const
{
    return listsID(CList, id);
}

bool KV_Person::HasPartner(const QString& id) const
{
    return listsID(FList, id);
}

bool KV_Person::HasFact(const QString& id) const
{
    return listsID(Facts, id);
}

bool KV_Person::HasPicture(const QString& id) const
{
    return listsID(Pictures, id);
}

bool KV_Person::AddChild(const QString& id)
{
    return appendNewID(CList, id);
}

bool KV_Person::AddPartner(const QString& id)
{
    return appendNewID(FList, id);
}

bool KV_Person::AddPicture(const KV_Picture* picture)
{
    return picture && appendNewID(Pictures, picture->ID);
}

bool KV_Person::InsertFactOrdered(const KV_Fact* fact)
{
    if (!fact || fact->ID.isEmpty() || Facts.contains(fact->ID))
        return false;
    int index = 0;
    if (fact->Type == QStringLiteral("BIRT")) {
        index = 0;
    } else if (fact->Type == QStringLiteral("BAPM")) {
        index = IndexOfFactType(QStringLiteral("BIRT")) + 1;
    } else if (fact->Type == QStringLiteral("BURI")) {
        index = GetFactCount();
    } else if (fact->Type == QStringLiteral("DEAT")) {
        const int burial = IndexOfFactType(QStringLiteral("BURI"));
        index = burial >= 0 ? burial : GetFactCount();
    } else {
        index = FactInsertIndex(fact);
        if (fact->IsUnionFact())
            index = CoupleFactInsertIndex(fact, index);
    }
    Facts.insert(index, fact->ID);
    return true;
}

// After birth and baptism, before death and burial; among the rest union facts follow their order keys and
// every other pair of facts goes by date. Equal keys keep the order of insertion.
int KV_Person::FactInsertIndex(const KV_Fact* fact) const
{
    const double dateKey = fact->Date.GetSortKey();
    int index = 0;
    for (int i = 0; i < GetFactCount(); ++i) {
        const KV_Fact* listed = LookupFact(Facts[i]);
        if (!listed)
            continue;
        if (isBirthOrBaptism(listed->Type)) {
            index = i + 1;
            continue;
        }
        if (isDeathOrBurial(listed->Type))
            break;
        const bool sortsBefore = fact->IsUnionFact() && listed->IsUnionFact()
                                     ? GetFactOrderKey(fact->Type) < GetFactOrderKey(listed->Type)
                                     : dateKey < listed->Date.GetSortKey();
        if (sortsBefore)
            break;
        index = i + 1;
    }
    return index;
}

// Keeps one couple's union facts as engagement, marriage, then the rest.
int KV_Person::CoupleFactInsertIndex(const KV_Fact* fact, int index) const
{
    const QString partner = fact->GetOtherPersonID(ID);
    const QString& type = fact->Type;
    for (int i = 0; i < GetFactCount(); ++i) {
        const KV_Fact* listed = LookupFact(Facts[i]);
        if (!listed || !listed->IsUnionFact() || !listed->ConcernsCouple(ID, partner))
            continue;
        const bool listedEngagement = listed->Type == QStringLiteral("ENGA");
        const bool listedMarriage = listed->Type == QStringLiteral("MARR");
        if (type == QStringLiteral("ENGA")) {
            if (i < index)
                index = i;
        } else if (type == QStringLiteral("MARR")) {
            if (listedEngagement) {
                if (i >= index)
                    index = i + 1;
            } else if (i < index) {
                index = i;
            }
        } else if ((listedEngagement || listedMarriage) && i >= index) {
            index = i + 1;
        }
    }
    return index;
}

void KV_Person::RemoveChild(const QString& id)
{
    CList.removeAll(id);
}

void KV_Person::RemovePartner(const QString& id)
{
    FList.removeAll(id);
}

void KV_Person::RemoveFact(const QString& id)
{
    Facts.removeAll(id);
}

void KV_Person::RemovePicture(const QString& id)
{
    Pictures.removeAll(id);
}

QString KV_Person::GetChildID(int index) const
{
    return entryAt(CList, index);
}

QString KV_Person::GetPartnerID(int index) const
{
    return entryAt(FList, index);
}

QString KV_Person::GetFactID(int index) const
{
    return entryAt(Facts, index);
}

QString KV_Person::GetPictureID(int index) const
{
    return entryAt(Pictures, index);
}

void KV_Person::SwapFactIDs(const QString& a, const QString& b)
{
    for (QString& id : Facts) {
        if (id == a)
            id = b;
        else if (id == b)
            id = a;
    }
}

void KV_Person::SortFacts()
{
    const QStringList previous = Facts;
    Facts.clear();
    for (const QString& id : previous)
        InsertFactOrdered(LookupFact(id));
}

KV_Fact* KV_Person::LookupFact(const QString& id) const
{
    return Database ? Database->FindFact(id) : nullptr;
}

KV_Fact* KV_Person::FindFactByType(const QString& type) const
{
    // One look-up per fact: the start page, the statistics and the lists ask this of every person.
    for (const QString& id : Facts) {
        KV_Fact* fact = LookupFact(id);
        if (fact && fact->Type == type)
            return fact;
    }
    return nullptr;
}

int KV_Person::IndexOfFactType(const QString& type) const
{
    for (int i = 0; i < GetFactCount(); ++i) {
        const KV_Fact* fact = LookupFact(Facts[i]);
        if (fact && fact->Type == type)
            return i;
    }
    return -1;
}

QString KV_Person::GetProfilePictureID() const
{
    if (!PictureProfile.isEmpty())
        return PictureProfile;
    return Pictures.isEmpty() ? QString() : Pictures.first();
}

void KV_Person::AddAttribute(const KV_Atribute& attribute)
{
    Attributes.append(attribute);
}

int KV_Person::InsertAttribute(int index, const QString& code, const QString& name, const QString& value,
                               bool isPrivate)
{
    if (index < -1 || index > GetAttributeCount())
        return -1;
    const KV_Atribute attribute{name, value, code, isPrivate};
    if (index == -1) {
        Attributes.append(attribute);
        return GetAttributeCount() - 1;
    }
    Attributes.insert(index, attribute);
    return index;
}

KV_Atribute* KV_Person::GetAttribute(int index)
{
    if (index < 0 || index >= GetAttributeCount())
        return nullptr;
    return &Attributes[index];
}

void KV_Person::DeleteAttribute(int index)
{
    if (index >= 0 && index < GetAttributeCount())
        Attributes.removeAt(index);
}

void KV_Person::SwapAttributes(int a, int b)
{
    if (a >= 0 && a < GetAttributeCount() && b >= 0 && b < GetAttributeCount())
        Attributes.swapItemsAt(a, b);
}

QString KV_Person::GetSurname(bool preferFamilyName) const
{
    return preferFamilyName && !Familyname.isEmpty() ? Familyname : Surname;
}

QString KV_Person::GetNameByLayout(int layout, bool withMaidenName, bool preferFamilyName) const
{
    QString name;
    switch (layout) {
    case 1:
        name = TrimBlanks(Forename + u' ' + GetSurname(preferFamilyName));
        break;
    case 2:
        name = TrimBlanks(JoinNonEmpty(GetSurname(preferFamilyName), QStringLiteral(", "), QString(), Forename));
        break;
    case 10:
        name = TrimBlanks(
            JoinNonEmpty(Forename, QStringLiteral(" "), QString(), Familyname.isEmpty() ? Surname : Familyname));
        break;
    default:
        break;
    }
    if (withMaidenName)
        name += maidenNameAddition(Surname, Familyname);
    return name.isEmpty() ? QStringLiteral("N.N.") : name;
}

QString KV_Person::GetDisplayName(DisplayNameMode mode, bool withBirth, bool withDeath) const
{
    QString name = Displayname;
    if (name.isEmpty()) {
        name = TrimBlanks(Forename + u' ' + Surname) + maidenNameAddition(Surname, Familyname);
        if (name.isEmpty())
            name = QStringLiteral("N.N.");
    }

    const bool withPlace = gSettings.ShowPlacesInPersonDescription;
    const QString unknown = QStringLiteral("?");
    QString dates;
    if (withBirth) {
        if (const KV_Fact* birth = FindFactByType(QStringLiteral("BIRT")))
            dates += birth->GetDatePlaceText(u' ' + gSettings.BirthPrefix, withPlace, unknown, QStringLiteral(" "));
    }
    if (withDeath && IsDead()) {
        const QString prefix = withNoBreakSpaces(gSettings.DeathPrefix);
        if (const KV_Fact* death = FindFactByType(QStringLiteral("DEAT")))
            dates += death->GetDatePlaceText(u' ' + prefix, withPlace, unknown, QStringLiteral(" "));
        else
            dates += QStringLiteral(" + ?");
    }
    dates = TrimBlanks(dates);
    if (!dates.isEmpty())
        name += QStringLiteral(" (") + dates + u')';

    name = TrimBlanks(name);
    return mode == DisplayNameMode::ForScript ? escapedForScript(name) : name;
}

QString KV_Person::GetBirthText(bool withPlace, bool withFallback, bool withPrefix, const QString& fallback)
{
    BirthPlace.clear();
    const QString prefix = withPrefix ? gSettings.BirthPrefix : QString();
    QString text;
    if (const KV_Fact* birth = FindFactByType(QStringLiteral("BIRT"))) {
        text = birth->GetDatePlaceText(u' ' + prefix, withPlace, fallback, QStringLiteral(" "));
        BirthPlace = birth->Place;
    } else if (withFallback) {
        text = prefix + fallback;
    }
    return TrimBlanks(text);
}

QString KV_Person::GetDeathText(bool withPlace, bool withPrefix, const QString& fallback)
{
    DeathPlace.clear();
    const QString prefix = withPrefix ? gSettings.DeathPrefix : QString();
    if (!IsDead())
        return QString();
    // The place separator is a marker that survives the blank replacement and becomes the one breaking blank.
    const QString placeMarker = QStringLiteral("#$#");
    QString text;
    if (const KV_Fact* death = FindFactByType(QStringLiteral("DEAT"))) {
        text = TrimBlanks(death->GetDatePlaceText(u' ' + prefix, withPlace, fallback, placeMarker));
        DeathPlace = death->Place;
    }
    if (text.isEmpty())
        text = prefix + fallback;
    return TrimBlanks(withNoBreakSpaces(text).replace(placeMarker, QStringLiteral(" ")));
}

QString KV_Person::GetChildRelationText() const
{
    if (IsFemale())
        return gLangM.Get(QStringLiteral("LABEL_CORKA_(NARZEDNIK)"));
    if (IsMale())
        return gLangM.Get(QStringLiteral("LABEL_SYNEM"));
    return gLangM.Get(QStringLiteral("LABEL_DZIECKIEM"));
}
