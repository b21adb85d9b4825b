// A fact or event of a person, or of a couple (a union fact: engagement, marriage, divorce, annulment, other).
// A union fact is one record listed in the fact lists of both partners.
#pragma once

#include "Unitdata.h"

#include <QString>

class KV_Fact
{
public:
    // "fact_" + GUID; empty until the database gives the fact its ID.
    QString ID;
    // The person the fact belongs to (for a union fact: the one it was created for).
    QString PersonIDF;
    // The other person of a union fact.
    QString PersonIDS;
    // The type label for the standard types, a name chosen by the user for "CUSTOM" and "FAMILY_CUSTOM".
    QString Name;
    QString Description;
    QString Place;
    // BIRT, BAPM, DEAT, BURI, EDUC, GRAD, ENGA, MARR, DIV, ANUL, FAMILY_CUSTOM or CUSTOM.
    QString Type;
    // Form of a marriage.
    QString Form;
    RMData Date;
    bool Private = false;

    static bool IsUnionType(const QString& type);
    static bool IsCustomType(const QString& type);
    bool IsUnionFact() const { return IsUnionType(Type); }
    bool IsCustom() const { return IsCustomType(Type); }
    bool IsBirth() const { return Type == QStringLiteral("BIRT"); }
    bool IsDeath() const { return Type == QStringLiteral("DEAT"); }

    QString GetOtherPersonID(const QString& personID) const;
    bool ConcernsCouple(const QString& a, const QString& b) const;
    QString GetTypeLabel() const;
    // Mode 0 the name, 1 "name: date place", 2 "date place"; any other mode "?".
    QString GetSummary(int mode) const;
    // The date text (with separator and place when asked) after prefix; prefix + fallback when that is empty.
    QString GetDatePlaceText(const QString& prefix, bool withPlace, const QString& fallback,
                             const QString& separator) const;
};

// The translated label of a fact type; an unknown tag is reported (once per tag) and gives "".
QString GetFactTypeLabel(const QString& type);
