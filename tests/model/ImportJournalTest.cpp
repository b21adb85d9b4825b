#include "ImportJournal.h"
#include "FolderLock.h"
#include "TestSupport.h"
#include "Vh_langmanager.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ImportJournalTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { gLangM.Load(KX_LangManager::MessageTable()); }
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        data = root.filePath(u("data")) + u'/';
        ASSERT_TRUE(QDir().mkpath(data + u("multimedia")));
    }

    QString journalPath() const { return data + ImportJournal::FileName; }
    void make(const QString& relative, const QByteArray& bytes = "x") const { writeFileBytes(data + relative, bytes); }
    bool exists(const QString& relative) const { return QFileInfo::exists(data + relative); }
    // The files of the folder but the lock's own.
    QStringList namesIn(const QString& relative = QString()) const
    {
        QStringList names = QDir(data + relative).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        names.removeAll(FolderLock::FileName);
        return names;
    }
    // Undoes as the lock's holder does.
    InterruptedImport undo() const { return UndoInterruptedImport(FolderLock(data)); }

    QTemporaryDir root;
    QString data;
};

} // namespace

TEST_F(ImportJournalTest, namesEveryFileBeforeItIsMadeAndGoesWhenClosed)
{
    ImportJournal journal(data);
    ASSERT_TRUE(journal.close()) << "nothing recorded, nothing to remove";
    EXPECT_FALSE(QFileInfo::exists(journalPath()));

    ASSERT_TRUE(journal.add({data + u("multimedia/zdjęcie.jpg")}));
    ASSERT_TRUE(journal.add({data + u("person_1.kvfile"), data + u("fact_1.kvfile")}));
    EXPECT_EQ(readFileBytes(journalPath()),
              QByteArray("Kronvel import journal 1\nmultimedia/zdjęcie.jpg\nperson_1.kvfile\nfact_1.kvfile\n"));

    ImportJournal second(data);
    EXPECT_FALSE(second.add({data + u("person_2.kvfile")})) << "one import at a time in one folder";
    EXPECT_TRUE(second.error().contains(journalPath()));

    ASSERT_TRUE(journal.close());
    EXPECT_FALSE(QFileInfo::exists(journalPath()));
}

TEST_F(ImportJournalTest, aJournalThatCannotBeWrittenStopsTheImport)
{
    ASSERT_TRUE(QDir().mkpath(data + ImportJournal::FileName + u("/blocked")));
    ImportJournal journal(data);
    EXPECT_FALSE(journal.add({data + u("person_1.kvfile")}));
    EXPECT_FALSE(journal.error().isEmpty());
}

TEST_F(ImportJournalTest, undoRemovesOnlyTheRecordedFilesInsideTheDataFolder)
{
    make(u("person_old.kvfile"));
    make(u("multimedia/old.jpg"));
    make(u("person_new.kvfile"));
    make(u("fact_new.kvfile"), "");
    make(u("multimedia/new.jpg"));
    ASSERT_TRUE(QDir().mkpath(data + u("picture_folder.kvfile")));
    writeFileBytes(root.filePath(u("outside.txt")), "keep");
    writeFileBytes(journalPath(), "Kronvel import journal 1\n"
                                  "multimedia/new.jpg\n"
                                  "person_new.kvfile\n"
                                  "fact_new.kvfile\n"
                                  "fact_never_written.kvfile\n"
                                  "picture_folder.kvfile\n"
                                  "../outside.txt\n" +
                                      root.filePath(u("outside.txt")).toUtf8() +
                                      "\n"
                                      "multimedia/../../outside.txt\n"
                                      "person_o");

    const InterruptedImport undone = undo();
    EXPECT_TRUE(undone.found);
    EXPECT_EQ(undone.removedFiles, 3);
    EXPECT_TRUE(undone.notRemoved.isEmpty());
    EXPECT_EQ(namesIn(), QStringList({u("person_old.kvfile")})) << "the cut-off last line names no file";
    EXPECT_EQ(namesIn(u("multimedia")), QStringList({u("old.jpg")}));
    EXPECT_TRUE(QFileInfo(data + u("picture_folder.kvfile")).isDir()) << "a folder is no file of the import";
    EXPECT_TRUE(QFileInfo::exists(root.filePath(u("outside.txt"))));
    EXPECT_EQ(undone.message(), gLangM.Get(u("LABEL_PRZERWANY_IMPORT_DANYCH_ZOSTAL_COFNIETY")));
    EXPECT_TRUE(undone.message().startsWith(u("Poprzedni import danych z pliku GEDCOM został przerwany")));

    const InterruptedImport again = undo();
    EXPECT_FALSE(again.found);
    EXPECT_TRUE(again.message().isEmpty());
}

TEST_F(ImportJournalTest, aJournalWithoutItsWholeFirstLineRemovesNothingButItself)
{
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray("Kronvel imp"), QByteArray("notes\nperson_new.kvfile\n")}) {
        make(u("person_new.kvfile"));
        writeFileBytes(journalPath(), bytes);
        const InterruptedImport undone = undo();
        EXPECT_TRUE(undone.found) << bytes.constData();
        EXPECT_EQ(undone.removedFiles, 0) << bytes.constData();
        EXPECT_TRUE(exists(u("person_new.kvfile"))) << bytes.constData();
        EXPECT_FALSE(QFileInfo::exists(journalPath())) << bytes.constData();
    }
}

TEST_F(ImportJournalTest, aJournalThatCannotBeReadStaysAndIsNamed)
{
    // Root may remove any file, so the journal is made unreadable by a folder standing under its name.
    make(u("person_new.kvfile"));
    ASSERT_TRUE(QDir().mkpath(journalPath()));
    const InterruptedImport blocked = undo();
    EXPECT_TRUE(blocked.found);
    EXPECT_EQ(blocked.notRemoved, QStringList({journalPath()}));
    EXPECT_TRUE(exists(u("person_new.kvfile")));
    EXPECT_TRUE(QFileInfo(journalPath()).isDir());
    EXPECT_TRUE(blocked.message().contains(u("nie udało się usunąć"))) << blocked.message().toStdString();
    EXPECT_TRUE(blocked.message().contains(journalPath()));
}

TEST_F(ImportJournalTest, theMessageNamesTheFirstTwentyFilesLeftAndCountsTheRest)
{
    InterruptedImport undone;
    undone.found = true;
    for (int i = 1; i <= 23; ++i)
        undone.notRemoved.append(u("/data/person_%1.kvfile").arg(i));
    const QString message = undone.message();
    EXPECT_TRUE(message.contains(u("/data/person_20.kvfile\r\ni 3 innych\r\n"))) << message.toStdString();
    EXPECT_FALSE(message.contains(u("person_21.kvfile")));
}
