#include "FileSystem.h"
#include "Guid.h"
#include "TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(FileSystemTest, listingKeepsCaseMatchesMaskIgnoringCaseAndStaysInTheFolder)
{
    QTemporaryDir dir;
    for (const char* name : {"person_B.kvfile", "person_a.KVFILE", "Fact_C.kvfile", "notes.txt"})
        writeFileBytes(dir.filePath(name), "x");
    QDir(dir.path()).mkpath("sub");
    writeFileBytes(dir.filePath("sub/person_Z.kvfile"), "x");
    QDir(dir.path()).mkpath("folder.kvfile");

    EXPECT_EQ(FileSystem::listFiles(dir.path(), "*.kvfile"),
              QStringList({"Fact_C.kvfile", "person_B.kvfile", "person_a.KVFILE"}));
    EXPECT_EQ(FileSystem::listFiles(dir.path() + "/missing", "*.kvfile"), QStringList());
}

TEST(FileSystemTest, listingWithSeveralMasksGivesEachMaskItsOwnSortedList)
{
    QTemporaryDir dir;
    for (const char* name : {"person_B.kvfile", "fact_Z.kvfile", "person_a.KVFILE", "FACT_A.kvfile", "notes.txt"})
        writeFileBytes(dir.filePath(name), "x");
    QDir(dir.path()).mkpath("person_folder.kvfile");

    const QList<QStringList> lists =
        FileSystem::listFiles(dir.path(), QStringList{"person_*.kvfile", "fact_*.kvfile", "picture_*", "*"});
    ASSERT_EQ(lists.size(), 4);
    EXPECT_EQ(lists[0], QStringList({"person_B.kvfile", "person_a.KVFILE"}));
    EXPECT_EQ(lists[1], QStringList({"FACT_A.kvfile", "fact_Z.kvfile"}));
    EXPECT_EQ(lists[2], QStringList());
    // A name that two masks match is in both lists.
    EXPECT_EQ(lists[3],
              QStringList({"FACT_A.kvfile", "fact_Z.kvfile", "notes.txt", "person_B.kvfile", "person_a.KVFILE"}));
    EXPECT_EQ(FileSystem::listFiles(dir.path() + "/missing", QStringList{"*", "*.txt"}),
              QList<QStringList>({QStringList(), QStringList()}));
}

TEST(FileSystemTest, listingOrdersNamesByTheirUtf16CodeUnitsWhateverTheirBytes)
{
    QTemporaryDir dir;
    // In UTF-8 the character outside the basic plane sorts after U+E000; in UTF-16 it sorts before it.
    const QStringList ordered = {"B.txt",
                                 "a.txt",
                                 "b.txt",
                                 "zebra.txt",
                                 QString::fromUtf8("Żuk.txt"),
                                 QString::fromUtf8("żaba.txt"),
                                 QString::fromUtf8("\xF0\x9F\x98\x80.txt"),
                                 QString::fromUtf8("\xEE\x80\x80x.txt")};
    for (auto name = ordered.crbegin(); name != ordered.crend(); ++name)
        writeFileBytes(dir.filePath(*name), "x");
    EXPECT_EQ(FileSystem::listFiles(dir.path(), "*.txt"), ordered);
    EXPECT_EQ(FileSystem::listFiles(dir.path(), "?.txt"), QStringList({"B.txt", "a.txt", "b.txt", ordered[6]}));
}

TEST(FileSystemTest, listingTakesRegularFilesAndLinksToThemOnly)
{
    QTemporaryDir dir;
    writeFileBytes(dir.filePath("person_A.kvfile"), "x");
    QFile::link(dir.filePath("person_A.kvfile"), dir.filePath("person_L.kvfile"));
    QFile::link(dir.filePath("gone"), dir.filePath("person_D.kvfile"));
    // Opening a pipe would block a load for ever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("person_P.kvfile")).constData(), 0600), 0);
    EXPECT_EQ(FileSystem::listFiles(dir.path(), "person_*.kvfile"),
              QStringList({"person_A.kvfile", "person_L.kvfile"}));
}

TEST(FileSystemTest, atomicWriteReplacesWholeFileAndLeavesNoTemporary)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("person_X.kvfile");
    writeFileBytes(path, "old contents that are longer");
    QString error;
    ASSERT_TRUE(FileSystem::atomicWrite(path, "new", &error)) << error.toStdString();
    EXPECT_EQ(readFileBytes(path), "new");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"person_X.kvfile"}));
}

TEST(FileSystemTest, atomicWriteTakesNamesUpToTheLongestTheFileSystemAllows)
{
    QTemporaryDir dir;
    // 255 bytes each: one-byte letters, two-byte Polish letters, four-byte characters.
    const QString grin = QString::fromUtf8("\xF0\x9F\x98\x80");
    for (const QString& name :
         {QString(251, u'a') + ".pdf", QString(125, u'ł') + "a.pdf", grin.repeated(62) + "abc.pdf"}) {
        ASSERT_EQ(QFile::encodeName(name).size(), 255);
        QString error;
        EXPECT_TRUE(FileSystem::atomicWrite(dir.filePath(name), "data", &error)) << error.toStdString();
        EXPECT_EQ(readFileBytes(dir.filePath(name)), "data");
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

TEST(FileSystemTest, failedAtomicWriteKeepsTheOldFile)
{
    QTemporaryDir dir;
    // A folder standing where the file should be makes the final rename fail even for root.
    const QString blocked = dir.filePath("blocked.kvfile");
    QDir(dir.path()).mkpath("blocked.kvfile");
    QString error;
    EXPECT_FALSE(FileSystem::atomicWrite(blocked, "data", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(blocked).isDir());

    // A missing folder: nothing is created and the error says why.
    EXPECT_FALSE(FileSystem::atomicWrite(dir.filePath("missing/x.kvfile"), "data", &error));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST(FileSystemTest, temporaryNameNeverMatchesTheDataMask)
{
    // Watch the folder while writing: the only name with the data extension is the target.
    QTemporaryDir dir;
    const QString path = dir.filePath("person_Y.kvfile");
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(FileSystem::atomicWrite(path, QByteArray::number(i)));
    EXPECT_EQ(FileSystem::listFiles(dir.path(), "*.kvfile"), QStringList({"person_Y.kvfile"}));
    EXPECT_EQ(readFileBytes(path), "19");
}

TEST(FileSystemTest, batchWritesNewFilesAndFlushesOnce)
{
    QTemporaryDir dir;
    FileSystem::NewFileBatch batch(dir.path());
    EXPECT_TRUE(batch.write(dir.filePath("a.kvfile"), "A"));
    EXPECT_TRUE(batch.write(dir.filePath("b.kvfile"), "B"));
    QString error;
    EXPECT_FALSE(batch.write(dir.filePath("missing/c.kvfile"), "C", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(batch.finish());
    EXPECT_EQ(batch.writtenCount(), 2);
    EXPECT_EQ(readFileBytes(dir.filePath("b.kvfile")), "B");
}

TEST(FileSystemTest, copyDeleteAndFolders)
{
    QTemporaryDir dir;
    const QString deep = dir.filePath("a/b/c");
    EXPECT_TRUE(FileSystem::createFolders(deep));
    EXPECT_TRUE(FileSystem::folderExists(deep));
    writeFileBytes(dir.filePath("src"), "data");
    EXPECT_TRUE(FileSystem::copyFile(dir.filePath("src"), deep + "/dst", true));
    EXPECT_FALSE(FileSystem::copyFile(dir.filePath("src"), deep + "/dst", true));
    EXPECT_TRUE(FileSystem::fileExists(deep + "/dst"));
    EXPECT_FALSE(FileSystem::deleteFile(deep));
    EXPECT_TRUE(FileSystem::deleteFile(deep + "/dst"));
    EXPECT_FALSE(FileSystem::fileExists(deep + "/dst"));
}

TEST(GuidTest, newGuidTextHasRegistryShape)
{
    const QRegularExpression shape("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$");
    const QString a = NewGuidText();
    EXPECT_EQ(a.size(), 38);
    EXPECT_TRUE(shape.match(a).hasMatch()) << a.toStdString();
    EXPECT_NE(a, NewGuidText());
}

TEST(GuidTest, eachNewGuidSortsAfterTheOneBefore)
{
    // Many in one millisecond, so that the counter within a millisecond overflows too.
    QString previous = NewGuidText();
    for (int i = 0; i < 20000; ++i) {
        const QString next = NewGuidText();
        ASSERT_LT(previous, next) << i;
        previous = next;
    }
    // The version and variant digits of a time-ordered GUID.
    EXPECT_EQ(previous[15], u'7');
    EXPECT_TRUE(QStringLiteral("89AB").contains(previous[20])) << previous.toStdString();
}

TEST(FileSystemTest, atomicCopyStreamsThroughTemporaryFileAndKeepsTargetOnFailure)
{
    QTemporaryDir dir;
    // Larger than one streaming chunk, with every byte value.
    QByteArray big;
    for (int i = 0; i < 600 * 1024; ++i)
        big.append(char(i % 251));
    const QString source = dir.filePath("source.jpg");
    writeFileBytes(source, big);
    QString error;
    ASSERT_TRUE(FileSystem::atomicCopy(source, dir.filePath("copy.jpg"), &error)) << error.toStdString();
    EXPECT_EQ(readFileBytes(dir.filePath("copy.jpg")), big);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"copy.jpg", "source.jpg"}));

    EXPECT_FALSE(FileSystem::atomicCopy(dir.filePath("missing.jpg"), dir.filePath("copy.jpg"), &error));
    EXPECT_TRUE(error.contains("missing.jpg"));
    EXPECT_EQ(readFileBytes(dir.filePath("copy.jpg")), big);
}

TEST(FileSystemTest, sameContentsComparesSizesThenBytes)
{
    QTemporaryDir dir;
    QByteArray big(300 * 1024, 'a');
    writeFileBytes(dir.filePath("a"), big);
    writeFileBytes(dir.filePath("b"), big);
    big[big.size() - 1] = 'b';
    writeFileBytes(dir.filePath("c"), big);
    writeFileBytes(dir.filePath("short"), "a");
    writeFileBytes(dir.filePath("empty"), "");

    EXPECT_TRUE(FileSystem::sameContents(dir.filePath("a"), dir.filePath("b")));
    EXPECT_TRUE(FileSystem::sameContents(dir.filePath("a"), dir.filePath("a")));
    EXPECT_FALSE(FileSystem::sameContents(dir.filePath("a"), dir.filePath("c")));
    EXPECT_FALSE(FileSystem::sameContents(dir.filePath("a"), dir.filePath("short")));
    // A missing file is never the same as an empty one.
    EXPECT_FALSE(FileSystem::sameContents(dir.filePath("missing"), dir.filePath("empty")));
}

TEST(FileSystemTest, theTemporaryFilesOfCutOffWritesAreSweptAndNothingElse)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("person_X.kvfile");
    QString error;
    // A write cut off before its rename leaves what writeTemporaryBeside leaves.
    const QString left = FileSystem::writeTemporaryBeside(target, "new", &error);
    ASSERT_FALSE(left.isEmpty()) << error.toStdString();
    EXPECT_EQ(readFileBytes(left), "new");
    EXPECT_FALSE(QFileInfo::exists(target));
    const QString leftName = QFileInfo(left).fileName();
    EXPECT_TRUE(FileSystem::isAtomicWriteTemporary(leftName)) << leftName.toStdString();

    const QStringList kept = {".notes.tmp", ".person_X.kvfile.ab-def.tmp", "person_X.kvfile.tmp", "person_Y.kvfile"};
    for (const QString& name : kept)
        writeFileBytes(dir.filePath(name), "x");
    QDir(dir.path()).mkpath(".folder.abcdef.tmp");
    EXPECT_EQ(FileSystem::removeAtomicWriteTemporaries(dir.path()), QStringList({leftName}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({".notes.tmp", ".person_X.kvfile.ab-def.tmp", "person_X.kvfile.tmp", "person_Y.kvfile"}));

    // A folder where the file should be cannot get a temporary file beside it named as its own.
    EXPECT_TRUE(FileSystem::writeTemporaryBeside(dir.filePath(".folder.abcdef.tmp"), "x", &error).isEmpty());
    EXPECT_TRUE(error.contains("folder")) << error.toStdString();
}

TEST(FileSystemTest, createDurablyMakesANewFileOnlyAndRenameReplacesInOneStep)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("journal.txt");
    QString error;
    ASSERT_TRUE(FileSystem::createDurably(path, "first", &error)) << error.toStdString();
    EXPECT_FALSE(FileSystem::createDurably(path, "second", &error)) << "never over a file that is there";
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_EQ(readFileBytes(path), "first");
    EXPECT_FALSE(FileSystem::createDurably(dir.filePath("missing/journal.txt"), "x", &error));

    writeFileBytes(dir.filePath("new.txt"), "new");
    ASSERT_TRUE(FileSystem::renameFile(dir.filePath("new.txt"), path, &error)) << error.toStdString();
    EXPECT_EQ(readFileBytes(path), "new");
    EXPECT_FALSE(FileSystem::renameFile(dir.filePath("gone.txt"), path, &error));
    EXPECT_TRUE(FileSystem::syncFolder(dir.path(), &error)) << error.toStdString();
    EXPECT_FALSE(FileSystem::syncFolder(dir.filePath("missing"), &error));
}
