// A database of hand-made persons over a temporary data folder, with the program folder pointing at the
// templates of the source tree, for the tests of the start page.
#pragma once

#include "AppFixture.h"
#include "Fact.h"
#include "Person.h"

#include <QTemporaryDir>

#ifndef KRONVEL_SOURCE_DIR
#error "KRONVEL_SOURCE_DIR is set by the test build"
#endif

class StartPageFixture : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        gAppFolder = QStringLiteral(KRONVEL_SOURCE_DIR "/resources/");
        gWebAddress = QStringLiteral("https://www.varnhold.example/kronvel/");
        gDataFolder = folder.path() + u'/';
        gTempFolder = gDataFolder + QStringLiteral("temp/");
        QDir().mkpath(gTempFolder);
        gDB.DataFolder = gDataFolder;
        gDB.FileExtension = QStringLiteral(".kvfile");
        gSettings.Apply();
    }

    // A person created at the given time ("yyyy-MM-dd hh:nn"), with an exact birth and death date when given
    // as "dd.MM.yyyy".
    static KV_Person* addPerson(const QString& forename, const QString& surname, int sex, const QString& created,
                                const QString& born = QString(), const QString& died = QString())
    {
        auto* person = new KV_Person;
        person->Forename = forename;
        person->Surname = surname;
        person->Sex = sex;
        person->DateCreate = created;
        gDB.AddPerson(person);
        if (!born.isEmpty())
            addFact(person, "BIRT", born);
        if (!died.isEmpty()) {
            person->Dead = 1;
            addFact(person, "DEAT", died);
        }
        return person;
    }

    static void addFact(KV_Person* person, const char* type, const QString& date)
    {
        auto* fact = new KV_Fact;
        fact->Type = QLatin1String(type);
        const QStringList parts = date.split(u'.');
        fact->Date.FromStorageText(QStringLiteral("#1") + parts[0] + parts[1] + parts[2]);
        gDB.AddFactToPerson(person->ID, fact);
    }

    QTemporaryDir folder;
};
