#include "Settings.h"

#include "Unitdata.h"

KV_Settings gSettings;

KV_Settings::KV_Settings()
    : DateFormat(QStringLiteral("dd-MM-yyyy")), BirthPrefix(QStringLiteral("ur. ")), DeathPrefix(QStringLiteral("zm. "))
{}

TColor KV_Settings::GetSexColor(int sex) const
{
    switch (sex) {
    case 0:
        return FemaleColor;
    case 1:
        return MaleColor;
    default:
        return UnknownSexColor;
    }
}

bool KV_Settings::SetBirthdayForAlive(bool value)
{
    if (value == BirthdayForAlive)
        return false;
    BirthdayForAlive = value;
    return true;
}

bool KV_Settings::SetShowPlacesInPersonDescription(bool value)
{
    if (value == ShowPlacesInPersonDescription)
        return false;
    ShowPlacesInPersonDescription = value;
    return true;
}

bool KV_Settings::SetBirthPrefix(const QString& value)
{
    if (value == BirthPrefix)
        return false;
    BirthPrefix = value;
    return true;
}

bool KV_Settings::SetDeathPrefix(const QString& value)
{
    if (value == DeathPrefix)
        return false;
    DeathPrefix = value;
    return true;
}

bool KV_Settings::SetYearSuffix(bool value)
{
    if (value == YearSuffix)
        return false;
    YearSuffix = value;
    Apply();
    return true;
}

bool KV_Settings::SetDateFormat(int index, const QString& pattern)
{
    if (index == DateFormatIndex)
        return false;
    DateFormatIndex = index;
    DateFormat = pattern;
    Apply();
    return true;
}

void KV_Settings::Apply()
{
    RMData::Pattern = DateFormat;
    RMData::PatternIndex = DateFormatIndex;
    RMData::YearSuffix = YearSuffix;
    switch (DateFormatIndex) {
    case 2:
    case 5:
    case 8:
        RMData::DateSeparator = u'/';
        break;
    case 9:
        RMData::DateSeparator = u'.';
        break;
    default:
        RMData::DateSeparator = u'-';
        break;
    }
}
