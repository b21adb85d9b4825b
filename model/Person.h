// One person of the family database with its free attributes. Persons refer to each other, to facts and to
// pictures only by ID; the database that holds the person owns it and resolves the IDs.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class KV_DB;
class KV_Fact;
class KV_Picture;
class PersonSearchKeys;

// A free attribute of a person (occupation, address, ...); also a row of the attribute-type table.
class KV_Atribute
{
public:
    // The label, or the free name of a custom attribute.
    QString Name;
    QString Value;
    // A code of the attribute-type table, or "CUSTOM" for a freely named attribute.
    QString Code;
    bool Private = false;

    static bool IsCustomCode(const QString& code);
};

// How GetDisplayName gives the name: as text, or escaped for a quoted script argument of the family page.
enum class DisplayNameMode { Plain = 1, ForScript = 100 };

class KV_Person
{
public:
    // "person_" + GUID; empty until the database gives the person its ID.
    QString ID;
    QString Surname;
    QString Forename;
    // Family (birth, maiden) name.
    QString Familyname;
    // Overrides the display name built from the names.
    QString Displayname;
    QString Note;
    // 0 woman, 1 man, 2 unspecified; any other value counts as unspecified.
    int Sex = 0;
    // 1 deceased, 0 living.
    int Dead = 0;
    // "yyyy-MM-dd hh:nn" of the first and the latest save.
    QString DateCreate;
    QString DateModify;
    // Places of the birth and death facts, remembered by the latest GetBirthText and GetDeathText.
    QString BirthPlace;
    QString DeathPlace;
    // Father's and mother's IDs.
    QString FID;
    QString MID;
    QStringList CList;
    // One entry per union.
    QStringList FList;
    // Own facts and the union facts of the person's partnerships, in fact order.
    QStringList Facts;
    QStringList Pictures;
    QString PictureProfile;
    QList<KV_Atribute> Attributes;
    // The database the person belongs to, which resolves its fact IDs: set when the person is added to one (or,
    // for a person being built for it, by its maker). Without one, no fact ID resolves.
    KV_DB* Database = nullptr;
    // The texts the person search matches the person against, made by the first search with words and remade
    // from whichever fields have changed since (Search.cpp). Only the search reads them.
    std::shared_ptr<PersonSearchKeys> SearchKeys;

    bool IsFemale() const { return Sex == 0; }
    bool IsMale() const { return Sex == 1; }
    bool IsSexUnspecified() const { return !IsFemale() && !IsMale(); }
    bool IsDead() const { return Dead == 1; }
    void SetDead(bool value) { Dead = value ? 1 : 0; }

    bool HasParents(const QString& a, const QString& b) const;
    bool HasKnownParents(bool both) const;
    void RemoveParent(const QString& id);
    // Drops parents, children, partners and facts; pictures and attributes stay.
    void ClearLinks();

    bool HasChild(const QString& id) const;
    bool HasPartner(const QString& id) const;
    bool HasFact(const QString& id) const;
    bool HasPicture(const QString& id) const;
    bool AddChild(const QString& id);
    bool AddPartner(const QString& id);
    bool AddPicture(const KV_Picture* picture);
    // Puts the fact's ID where its type and date place it in the fact order.
    bool InsertFactOrdered(const KV_Fact* fact);
    void RemoveChild(const QString& id);
    void RemovePartner(const QString& id);
    void RemoveFact(const QString& id);
    void RemovePicture(const QString& id);

    int GetChildCount() const { return int(CList.size()); }
    int GetPartnerCount() const { return int(FList.size()); }
    int GetFactCount() const { return int(Facts.size()); }
    int GetPictureCount() const { return int(Pictures.size()); }
    // An index out of range gives "".
    QString GetChildID(int index) const;
    QString GetPartnerID(int index) const;
    QString GetFactID(int index) const;
    QString GetPictureID(int index) const;

    void SwapFactIDs(const QString& a, const QString& b);
    // Rebuilds the fact order; IDs of facts no longer in the database drop out.
    void SortFacts();
    KV_Fact* LookupFact(const QString& id) const;
    KV_Fact* FindFactByType(const QString& type) const;
    int IndexOfFactType(const QString& type) const;
    QString GetProfilePictureID() const;

    void AddAttribute(const KV_Atribute& attribute);
    // Index -1 appends; another index inserts before it. Returns the new attribute's index, -1 (and nothing
    // inserted) for an index out of range.
    int InsertAttribute(int index, const QString& code, const QString& name, const QString& value, bool isPrivate);
    int GetAttributeCount() const { return int(Attributes.size()); }
    // The attribute in place, null for an index out of range.
    KV_Atribute* GetAttribute(int index);
    void DeleteAttribute(int index);
    void SwapAttributes(int a, int b);

    QString GetSurname(bool preferFamilyName) const;
    // Layout 1 "forenames surname", 2 "surname, forenames", 10 "forenames family name".
    QString GetNameByLayout(int layout, bool withMaidenName, bool preferFamilyName) const;
    QString GetDisplayName(DisplayNameMode mode, bool withBirth, bool withDeath) const;
    QString GetBirthText(bool withPlace, bool withFallback, bool withPrefix, const QString& fallback);
    // Breaks only between date and place: every other blank becomes a no-break space.
    QString GetDeathText(bool withPlace, bool withPrefix, const QString& fallback);
    // The noun that says what the person is to a parent, in the instrumental the removal questions need:
    // "córką", "synem" or "dzieckiem".
    QString GetChildRelationText() const;

private:
    int FactInsertIndex(const KV_Fact* fact) const;
    int CoupleFactInsertIndex(const KV_Fact* fact, int index) const;
};

// Where a fact type stands among the facts of a person: birth first, union facts in their fixed order, death
// and burial last.
int GetFactOrderKey(const QString& type);
