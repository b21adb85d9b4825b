#include "Fact.h"

#include "Bazadanych.h"
#include "Prompter.h"
#include "Toolkit.h"
#include "Vh_langmanager.h"

#include <QSet>

bool KV_Fact::IsUnionType(const QString& type)
{
    return type == QStringLiteral("ENGA") || type == QStringLiteral("MARR") || type == QStringLiteral("DIV") ||
           type == QStringLiteral("ANUL") || type == QStringLiteral("FAMILY_CUSTOM");
}

bool KV_Fact::IsCustomType(const QString& type)
{
    return type == QStringLiteral("CUSTOM");
}

QString KV_Fact::GetOtherPersonID(const QString& personID) const
{
    return personID == PersonIDF ? PersonIDS : PersonIDF;
}

bool KV_Fact::ConcernsCouple(const QString& a, const QString& b) const
{
    return (PersonIDF == a && PersonIDS == b) || (PersonIDF == b && PersonIDS == a);
}

QString KV_Fact::GetTypeLabel() const
{
    return GetFactTypeLabel(Type);
}

QString KV_Fact::GetSummary(int mode) const
{
    switch (mode) {
    case 0:
        return Name;
    case 1:
        return TrimBlanks(Name + QStringLiteral(": ") + Date.ToDisplayText(false, true) + u' ' + Place);
    case 2:
        return TrimBlanks(Date.ToDisplayText(false, true) + u' ' + Place);
    default:
        return QStringLiteral("?");
    }
}

QString KV_Fact::GetDatePlaceText(const QString& prefix, bool withPlace, const QString& fallback,
                                  const QString& separator) const
{
    QString text = Date.ToDisplayText(false, true);
    if (withPlace)
        text += separator + Place;
    if (text.isEmpty())
        return prefix + fallback;
    return prefix + TrimBlanks(text);
}

QString GetFactTypeLabel(const QString& type)
{
    static const struct
    {
        const char16_t* type;
        const char16_t* key;
    } labels[] = {
        {u"BIRT", u"LABEL_NARODZINY"},     {u"BAPM", u"LABEL_CHRZEST"},          {u"DEAT", u"LABEL_SMIERC"},
        {u"BURI", u"LABEL_POCHOWEK"},      {u"EDUC", u"LABEL_WYKSZTALCENIE"},    {u"GRAD", u"LABEL_EDUKACJA"},
        {u"ENGA", u"LABEL_ZARECZYNY"},     {u"MARR", u"LABEL_ZAWARCIE_ZWIAZKU"}, {u"DIV", u"LABEL_ROZWOD"},
        {u"ANUL", u"LABEL_UNIEWAZNIENIE"},
    };
    for (const auto& label : labels) {
        if (type == QStringView(label.type))
            return gLangM.Get(QString::fromUtf16(label.key));
    }
    // Lists ask for labels while they paint; one message per unknown tag is enough.
    static QSet<QString> reported;
    if (!reported.contains(type)) {
        reported.insert(type);
        prompter().message(QStringLiteral("ERROR_NO_FACT: ") + type, gProductName, Prompter::Icon::Error);
    }
    return QString();
}
