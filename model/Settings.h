// The user's display and start-up choices, one instance for the whole program (gSettings). Windows read the
// fields directly; the setters are for the choices whose change must redraw the start page or reformat dates.
#pragma once

#include "Toolkit.h"

#include <QString>

class KV_Settings
{
public:
    KV_Settings();

    bool CheckUpdate = true;
    bool MaxOnStartup = true;
    // The data folder; the main window decides the folder in effect at start and stores it here.
    QString Data_Folder;
    // The add-relative dialog proposes the surname of a new relative.
    bool ChildSurnamePrefill = true;
    // The surname statistics count the male and female forms of a surname as one.
    bool MergeSurnameForms = true;
    bool MarkPrivate = true;
    TColor PrivateColor = clRed;
    TColor FemaleColor = 0xC4C4FF;
    TColor MaleColor = 0xFFDBB7;
    TColor UnknownSexColor = 0xE6E6E6;
    QString DateFormat;
    // Which of the nine date patterns DateFormat is (1 to 9).
    int DateFormatIndex = 1;
    bool YearSuffix = true;
    QString BirthPrefix;
    QString DeathPrefix;
    int PersonListStyle = 1;
    // Birth anniversaries on the start page only for living persons.
    bool BirthdayForAlive = true;
    bool ShowPlacesInPersonDescription = true;
    // Day number of the last successful update check.
    int LastCheck = 0;

    // The colour of a sex; any value but 0 and 1 is the unspecified sex.
    TColor GetSexColor(int sex) const;

    // Each setter returns whether the value changed; a change alters what the start page shows, so the caller
    // marks its database changed.
    bool SetBirthdayForAlive(bool value);
    bool SetShowPlacesInPersonDescription(bool value);
    bool SetBirthPrefix(const QString& value);
    bool SetDeathPrefix(const QString& value);
    bool SetYearSuffix(bool value);
    // Takes the pattern only together with a new index.
    bool SetDateFormat(int index, const QString& pattern);

    // Hands the date settings to the date type.
    void Apply();
};

extern KV_Settings gSettings;
