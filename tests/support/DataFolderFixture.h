// A clean database over an empty temporary data folder, with helpers that read the folder back and describe
// records field by field, for the tests of the object files and of the deletions that write them.
#pragma once

#include "ModelFixture.h"
#include "ProgressDisplay.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

class DataFolderFixture : public ModelFixture
{
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        ASSERT_TRUE(folder.isValid());
        gDB.DataFolder = folder.path() + u'/';
        gDB.FileExtension = QStringLiteral(".kvfile");
        gDB.StorageError.clear();
    }
    void TearDown() override
    {
        ModelFixture::TearDown();
        gDB.DataFolder.clear();
        gDB.FileExtension.clear();
        gDB.StorageError.clear();
    }

    QString pathOf(const QString& id) const { return gDB.DataFolder + id + gDB.FileExtension; }
    QStringList filesInFolder() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    void writeFile(const QString& name, const QByteArray& bytes) const { writeFileBytes(gDB.DataFolder + name, bytes); }
    // Empties the memory and reads the data folder back.
    static void reload()
    {
        gDB.Clear();
        gDB.LoadAll(nullptr);
    }

    static QStringList describe(const KV_Person& p)
    {
        QStringList fields{p.ID,
                           p.Surname,
                           p.Forename,
                           p.Familyname,
                           p.Displayname,
                           p.Note,
                           QString::number(p.Sex),
                           QString::number(p.Dead),
                           p.DateCreate,
                           p.DateModify,
                           p.FID,
                           p.MID,
                           p.CList.join(u','),
                           p.FList.join(u','),
                           p.Facts.join(u','),
                           p.Pictures.join(u','),
                           p.PictureProfile};
        for (const KV_Atribute& a : p.Attributes)
            fields << a.Code << a.Name << a.Value << (a.Private ? "private" : "public");
        return fields;
    }
    static QStringList describe(const KV_Fact& f)
    {
        return {f.ID,
                f.PersonIDF,
                f.PersonIDS,
                f.Name,
                f.Description,
                f.Place,
                f.Type,
                f.Form,
                f.Date.ToStorageText(),
                f.Private ? "private" : "public"};
    }
    static QStringList describe(const KV_Picture& p)
    {
        return {p.File, p.ID, p.PersonID, p.Name, p.Date.ToStorageText(), p.Place, p.Category, p.Description};
    }
    // Every object in memory, described, in ID order.
    static QStringList describeDatabase()
    {
        QStringList all;
        for (const auto& [id, person] : gDB.PersonMap)
            all << describe(*person);
        for (const auto& [id, fact] : gDB.FactMap)
            all << describe(*fact);
        for (const auto& [id, picture] : gDB.PictureMap)
            all << describe(*picture);
        return all;
    }

    QTemporaryDir folder;
};

// Records what a long operation reports.
class RecordingProgress : public ProgressDisplay
{
public:
    void begin(const QString& text, int maximum) override
    {
        events << QStringLiteral("begin %1 / %2").arg(text).arg(maximum);
        visible = true;
    }
    void setPosition(int position) override { lastPosition = position; }
    void end() override
    {
        events << QStringLiteral("end");
        visible = false;
    }

    QStringList events;
    int lastPosition = 0;
    bool visible = false;
};
