// The data folder fixture with the window captions loaded as well, for the editing windows' tests.
#pragma once

#include "DataFolderFixture.h"

class EditingFixture : public DataFolderFixture
{
protected:
    static void SetUpTestSuite()
    {
        DataFolderFixture::SetUpTestSuite();
        static const bool loaded = [] {
            gLangM.Load(KX_LangManager::CaptionTable());
            return true;
        }();
        (void)loaded;
    }
    void SetUp() override
    {
        DataFolderFixture::SetUp();
        gProductName = QStringLiteral("Kronvel");
    }

    // An empty database over an emptied data folder, for the next case of a table.
    void startAfresh()
    {
        gDB.Clear();
        QDir(folder.path()).removeRecursively();
        QDir().mkpath(folder.path());
        gDB.StorageError.clear();
        gDB.LastError.clear();
    }
    QStringList factFiles() const
    {
        return QDir(folder.path()).entryList({QStringLiteral("fact_*")}, QDir::Files, QDir::Name);
    }
    // The person and its facts written to the data folder.
    static void save(KV_Person* person)
    {
        for (const QString& id : person->Facts)
            ASSERT_TRUE(gDB.SaveFact(gDB.FindFact(id), id));
        ASSERT_TRUE(gDB.SavePerson(person, person->ID));
    }

    RecordingPrompter prompts;
};
