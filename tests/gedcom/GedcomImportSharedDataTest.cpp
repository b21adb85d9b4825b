// The import against the shared collection of real GEDCOM files: each file imports into an empty data folder, and
// loading that folder again gives back exactly the objects the import made.
#include "GedcomImportFixture.h"

#include <QDirIterator>

namespace {

QStringList sharedGedcomFiles()
{
    QStringList files;
    QDirIterator it(sharedGedcomFolder(), {"*.ged", "*.GED"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

} // namespace

using GedcomImportSharedDataTest = GedcomImportFixture;

TEST_F(GedcomImportSharedDataTest, EveryFileImportsAndLoadsBackExactly)
{
    SKIP_WITHOUT_SHARED_GEDCOM();
    const QStringList files = sharedGedcomFiles();
    ASSERT_GE(files.size(), 70);
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        QTemporaryDir dataFolder;
        gDB.Clear();
        gDB.DataFolder = dataFolder.path() + u'/';
        usePicturesFolderOf(gDB.DataFolder);

        const GedcomImportSummary summary = importFile(file);
        ASSERT_TRUE(summary.succeeded()) << summary.error.toStdString();
        EXPECT_EQ(summary.persons, reader->individuals().size());
        EXPECT_EQ(summary.filesWritten, summary.persons + summary.facts + summary.pictures);
        EXPECT_EQ(QDir(dataFolder.path()).entryList(QDir::Files).size(), summary.filesWritten);
        const QStringList imported = describeDatabase();
        EXPECT_EQ(brokenLinks(), QStringList());

        gDB.StorageError.clear();
        reload();
        EXPECT_EQ(gDB.StorageError, QString());
        EXPECT_TRUE(describeDatabase() == imported) << "the objects loaded differ from those imported";
    }
}

// Every president's biography stands in a note record, and most pictures in multimedia records whose files are on
// another computer.
TEST_F(GedcomImportSharedDataTest, PresidentsGetTheirSharedNotesAndMultimediaRecords)
{
    SKIP_WITHOUT_SHARED_GEDCOM();
    const GedcomImportSummary summary = importFile(sharedGedcomFolder() + "/large/pres2020.ged");
    ASSERT_TRUE(summary.succeeded()) << summary.error.toStdString();
    EXPECT_EQ(summary.notesPointingNowhere, 0);
    EXPECT_EQ(summary.multimediaPointingNowhere, 0);
    EXPECT_EQ(summary.multimediaFromRecords, 108);
    EXPECT_FALSE(summary.missingPictures.isEmpty());

    reload();
    int noted = 0;
    const KV_Person* clinton = nullptr;
    for (const auto& [id, person] : gDB.PersonMap) {
        EXPECT_FALSE(person->Note.startsWith(u'@')) << person->Note.toStdString();
        noted += !person->Note.isEmpty();
        if (person->Forename == "William Jefferson" && person->Surname == "Clinton")
            clinton = person;
    }
    EXPECT_EQ(noted, 141);
    ASSERT_NE(clinton, nullptr);
    EXPECT_TRUE(clinton->Note.startsWith("Bill Clinton was born William Jefferson Blythe IV."))
        << clinton->Note.toStdString();
}

// The pictures linked from its individuals and their events come along; the family's picture and the one of a source
// record belong to no person.
TEST_F(GedcomImportSharedDataTest, KennedyPicturesAreCopiedIntoThePicturesFolder)
{
    SKIP_WITHOUT_SHARED_GEDCOM();
    const QString kennedy = sharedGedcomFolder() + "/pictures/kennedy/";
    const GedcomImportSummary summary = importFile(kennedy + "kennedy.ged");
    ASSERT_TRUE(summary.succeeded()) << summary.error.toStdString();
    const QStringList copied = {"Herald-Tribune.jpg",         "John-kennedy.jpg",      "John_Bouvier_III.jpg",
                                "Joseph_Patrick_Kennedy.jpg", "Rose-kennedy.jpg",      "caroline_kennedy.jpg",
                                "jacqueline-bouvier.jpg",     "john-f.-kennedy-jr.jpg"};
    EXPECT_EQ(pictureFiles(), copied);
    EXPECT_EQ(summary.picturesCopied, 8);
    EXPECT_EQ(summary.missingPictures, QStringList());
    for (const QString& name : copied)
        EXPECT_EQ(readFileBytes(GetPicturesFolder() + name),
                  readFileBytes(kennedy + (name == "Herald-Tribune.jpg" ? "documents/" : "photos/") + name))
            << name.toStdString();

    reload();
    ASSERT_EQ(gDB.GetPictureCount(), 8);
    for (const auto& [id, picture] : gDB.PictureMap)
        EXPECT_TRUE(QFileInfo::exists(picture->GetFullPath())) << picture->File.toStdString();
}
