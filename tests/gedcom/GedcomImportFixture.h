// A clean database over an empty data folder with its pictures folder, ready for GEDCOM imports, and a check that
// every link between the objects in memory is there at both of its ends.
#pragma once

#include "DataFolderFixture.h"
#include "GedcomImport.h"
#include "Picturemanager.h"
#include "_gedcom.h"

#include <QDir>
#include <memory>

class GedcomImportFixture : public DataFolderFixture
{
protected:
    void SetUp() override
    {
        DataFolderFixture::SetUp();
        gDB.InitAttributeTypes();
        usePicturesFolderOf(gDB.DataFolder);
    }
    void TearDown() override
    {
        SetPicturesFolder(QString());
        DataFolderFixture::TearDown();
    }

    static void usePicturesFolderOf(const QString& dataFolder)
    {
        SetPicturesFolder(dataFolder + QStringLiteral("multimedia/"));
    }

    GedcomImportSummary importFile(const QString& path)
    {
        reader = std::make_unique<_Gedcom>();
        EXPECT_TRUE(reader->LoadFile(path)) << path.toStdString();
        reader->Parse();
        return ImportGedcomRecords(gDB, *reader, path, progress);
    }
    // The records between a header and a trailer, as the file test.ged of a folder of its own.
    GedcomImportSummary importRecords(const QByteArray& records)
    {
        const QString path = source.filePath(QStringLiteral("test.ged"));
        writeFileBytes(path, "0 HEAD\n1 CHAR UTF-8\n" + records + "0 TRLR\n");
        return importFile(path);
    }
    static QString fixturePath(const QString& name)
    {
        return QStringLiteral(KRONVEL_TEST_DATA "/gedcom/import/") + name;
    }

    static KV_Person* personNamed(const QString& forename)
    {
        for (const auto& [id, person] : gDB.PersonMap) {
            if (person->Forename == forename)
                return person;
        }
        return nullptr;
    }
    static QStringList pictureFiles() { return QDir(GetPicturesFolder()).entryList(QDir::Files, QDir::Name); }

    // Every link that lacks its other end, or names an object that is not there.
    static QStringList brokenLinks()
    {
        QStringList broken;
        const auto check = [&broken](bool holds, const QString& what, const QString& id) {
            if (!holds)
                broken << what + u' ' + id;
        };
        for (const auto& [id, person] : gDB.PersonMap) {
            for (const QString& childID : std::as_const(person->CList)) {
                const KV_Person* child = gDB.FindPerson(childID);
                check(child && (child->FID == id || child->MID == id) && childID != id, "child", childID);
            }
            for (const QString& partnerID : std::as_const(person->FList)) {
                const KV_Person* partner = gDB.FindPerson(partnerID);
                check(partner && partner->HasPartner(id) && partnerID != id, "partner", partnerID);
            }
            for (const QString& parentID : {person->FID, person->MID}) {
                if (parentID.isEmpty())
                    continue;
                const KV_Person* parent = gDB.FindPerson(parentID);
                check(parent && parent->HasChild(id), "parent", parentID);
            }
            for (const QString& factID : std::as_const(person->Facts)) {
                const KV_Fact* fact = gDB.FindFact(factID);
                check(fact && (fact->PersonIDF == id || fact->PersonIDS == id), "fact", factID);
            }
            for (const QString& pictureID : std::as_const(person->Pictures)) {
                const KV_Picture* picture = gDB.FindPicture(pictureID);
                check(picture && picture->PersonID == id, "picture", pictureID);
            }
        }
        for (const auto& [id, fact] : gDB.FactMap) {
            for (const QString& personID : {fact->PersonIDF, fact->PersonIDS}) {
                const KV_Person* person = gDB.FindPerson(personID);
                check(personID.isEmpty() || (person && person->HasFact(id)), "fact owner", id);
            }
        }
        for (const auto& [id, picture] : gDB.PictureMap) {
            const KV_Person* person = gDB.FindPerson(picture->PersonID);
            check(person && person->HasPicture(id), "picture owner", id);
        }
        return broken;
    }

    QTemporaryDir source;
    std::unique_ptr<_Gedcom> reader;
    GedcomImportProgress progress;
};
