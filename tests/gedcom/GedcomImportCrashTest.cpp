// An import cut off at any moment (here: killed) leaves the data folder as it was once the next start has run its
// load path. Runs the command-line import on a generated file of 20,000 individuals and kills it while it writes
// the persons, while it writes the facts, and before its final flush.
#include "Bazadanych.h"
#include "DataFolderFixture.h"
#include "FolderLock.h"
#include "ImportJournal.h"
#include "Picturemanager.h"

#include <QDirIterator>
#include <QMap>
#include <QProcess>

#include <climits>

namespace {

constexpr int individuals = 20000;
// Individual i has a birth, every third one a death, every family of four a marriage.
constexpr int facts = individuals + (individuals + 2) / 3 + individuals / 4;
// Every 500th individual has a picture beside the GEDCOM file.
constexpr int pictureEvery = 500;
constexpr int pictures = individuals / pictureEvery;

class GedcomImportCrashTest : public DataFolderFixture
{
protected:
    void SetUp() override
    {
        DataFolderFixture::SetUp();
        gDB.InitAttributeTypes();
        SetPicturesFolder(gDB.DataFolder + "multimedia/");
        writeGenerated(source.filePath("duzy.ged"));
    }
    void TearDown() override
    {
        SetPicturesFolder(QString());
        DataFolderFixture::TearDown();
    }

    // Families of four: the first two individuals are the couple, the other two their children.
    void writeGenerated(const QString& path) const
    {
        QByteArray text = "0 HEAD\n1 CHAR UTF-8\n";
        for (int i = 0; i < individuals; ++i) {
            text += QStringLiteral("0 @I%1@ INDI\n1 NAME Józef%1 /Wiśniewski%2/\n1 SEX %3\n")
                        .arg(i)
                        .arg(i / 4)
                        .arg(i % 2 ? "F" : "M")
                        .toUtf8();
            text +=
                QStringLiteral("1 BIRT\n2 DATE %1 MAR %2\n2 PLAC Łódź\n").arg(1 + i % 28).arg(1800 + i % 200).toUtf8();
            if (i % 3 == 0)
                text += QStringLiteral("1 DEAT\n2 DATE %1\n").arg(1900 + i % 100).toUtf8();
            if (i % pictureEvery == 0) {
                const QString picture = QStringLiteral("zdjecie%1.gif").arg(i);
                writeFileBytes(source.filePath(picture), "GIF89a" + QByteArray::number(i));
                text += "1 OBJE\n2 FILE " + picture.toUtf8() + "\n";
            }
            text += QStringLiteral("1 %1 @F%2@\n").arg(i % 4 < 2 ? "FAMS" : "FAMC").arg(i / 4).toUtf8();
        }
        for (int f = 0; f < individuals / 4; ++f) {
            text += QStringLiteral("0 @F%1@ FAM\n1 HUSB @I%2@\n1 WIFE @I%3@\n1 CHIL @I%4@\n1 CHIL @I%5@\n"
                                   "1 MARR\n2 DATE 1900\n")
                        .arg(f)
                        .arg(4 * f)
                        .arg(4 * f + 1)
                        .arg(4 * f + 2)
                        .arg(4 * f + 3)
                        .toUtf8();
        }
        writeFileBytes(path, text + "0 TRLR\n");
    }

    // Every file under the data folder, pictures folder included, with its bytes; the folder's lock file is no data.
    QMap<QString, QByteArray> folderContents() const
    {
        QMap<QString, QByteArray> contents;
        QDirIterator files(gDB.DataFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            if (files.fileName() == FolderLock::FileName)
                continue;
            contents.insert(path.mid(gDB.DataFolder.size()), readFileBytes(path));
        }
        return contents;
    }

    // Runs the command-line import of file into the data folder, killed after the given number of object files
    // when one is given; the output on success.
    struct Run
    {
        QProcess::ExitStatus status;
        int code;
        QString output;
    };
    Run runImport(const QString& file, int killAfter = -1) const
    {
        QStringList arguments;
        if (killAfter >= 0)
            arguments << "--kill-after" << QString::number(killAfter);
        arguments << file << gDB.DataFolder;
        QProcess import;
        import.setProcessChannelMode(QProcess::MergedChannels);
        import.start(QStringLiteral(KV_IMPORT_PATH), arguments);
        EXPECT_TRUE(import.waitForFinished(240000));
        return {import.exitStatus(), import.exitCode(), QString::fromUtf8(import.readAll())};
    }

    QTemporaryDir source;
};

} // namespace

TEST_F(GedcomImportCrashTest, aKilledImportIsUndoneByTheNextStart)
{
#ifndef KV_IMPORT_PATH
    GTEST_SKIP() << "the command-line import is built with the benchmarks";
#else
    // The data folder holds an earlier import, pictures included.
    const Run earlier = runImport(QStringLiteral(KRONVEL_TEST_DATA "/gedcom/import/rodzina.ged"));
    ASSERT_EQ(earlier.code, 0) << earlier.output.toStdString();
    const QMap<QString, QByteArray> before = folderContents();
    ASSERT_EQ(before.size(), 16 + 3) << "a finished import leaves no journal";

    const QString generated = source.filePath("duzy.ged");
    const struct
    {
        const char* when;
        int killAfter;
    } kills[] = {
        {"while writing the persons", individuals / 3},
        {"while writing the facts", individuals + facts / 2},
        {"before the final flush", INT_MAX},
    };
    for (const auto& kill : kills) {
        const Run killed = runImport(generated, kill.killAfter);
        ASSERT_EQ(killed.status, QProcess::CrashExit) << kill.when << killed.output.toStdString();
        ASSERT_TRUE(QFileInfo::exists(gDB.DataFolder + ImportJournal::FileName)) << kill.when;
        EXPECT_GT(QDir(gDB.DataFolder).entryList(QDir::Files).size(), individuals / 3) << kill.when;

        // The program's start: the cut-off import goes before the load.
        const InterruptedImport undone = UndoInterruptedImport(FolderLock(gDB.DataFolder));
        EXPECT_TRUE(undone.found) << kill.when;
        EXPECT_TRUE(undone.notRemoved.isEmpty()) << kill.when;
        EXPECT_EQ(undone.message(), gLangM.Get("LABEL_PRZERWANY_IMPORT_DANYCH_ZOSTAL_COFNIETY")) << kill.when;
        EXPECT_TRUE(folderContents() == before) << kill.when;
        reload();
        EXPECT_EQ(QList<int>({gDB.GetPersonCount(), gDB.GetFactCount(), gDB.GetPictureCount()}), QList<int>({4, 8, 4}))
            << kill.when;
    }

    // The command-line import undoes a cut-off import itself before it imports, and says so.
    writeFileBytes(gDB.DataFolder + ImportJournal::FileName, "Kronvel import journal 1\nperson_x.kvfile\n");
    writeFileBytes(gDB.DataFolder + "person_x.kvfile", "");
    const Run again = runImport(QStringLiteral(KRONVEL_TEST_DATA "/gedcom/import/rodzina.ged"));
    ASSERT_EQ(again.code, 0) << again.output.toStdString();
    EXPECT_TRUE(again.output.contains(gLangM.Get("LABEL_PRZERWANY_IMPORT_DANYCH_ZOSTAL_COFNIETY").left(40)))
        << again.output.toStdString();
    EXPECT_FALSE(QFileInfo::exists(gDB.DataFolder + "person_x.kvfile"));
    EXPECT_FALSE(QFileInfo::exists(gDB.DataFolder + ImportJournal::FileName));
#endif
}

TEST_F(GedcomImportCrashTest, anImportIntoAFolderInUseIsRefusedAndChangesNothing)
{
#ifndef KV_IMPORT_PATH
    GTEST_SKIP() << "the command-line import is built with the benchmarks";
#else
    // Another program works in the folder and has an import journal there: the import must not take it for debris.
    const FolderLock program(gDB.DataFolder);
    ASSERT_TRUE(program.held());
    writeFileBytes(gDB.DataFolder + ImportJournal::FileName, "Kronvel import journal 1\nperson_x.kvfile\n");
    writeFileBytes(gDB.DataFolder + "person_x.kvfile", "<Person/>");
    const QMap<QString, QByteArray> before = folderContents();

    const Run refused = runImport(QStringLiteral(KRONVEL_TEST_DATA "/gedcom/import/rodzina.ged"));
    EXPECT_EQ(refused.status, QProcess::NormalExit);
    EXPECT_NE(refused.code, 0);
    EXPECT_TRUE(refused.output.contains("in use by another program")) << refused.output.toStdString();
    EXPECT_FALSE(refused.output.contains("persons=")) << refused.output.toStdString();
    EXPECT_TRUE(folderContents() == before);
#endif
}
