// The one in-memory genealogy database (gDB) and the program-wide folder and product texts.
#pragma once

#include <QString>

class KV_DB
{
public:
    // Data or display settings changed since the start page was last built.
    bool Changed = true;

    void SetChanged(bool value) { Changed = value; }
    bool IsChanged() const { return Changed; }
};

// Folder texts end with "/".
extern QString gAppFolder;
extern QString gDataFolder;
extern QString gTempFolder;
extern QString gReportsFolder;
extern QString gDocumentsFolder;
extern QString gProductName;
extern QString gProductVersion;
extern QString gWebAddress;
extern QString gSettingsFolder;
extern QString gConfigFile;

extern KV_DB gDB;
