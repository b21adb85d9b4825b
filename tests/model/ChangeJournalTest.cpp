// A change of several object files is whole or not at all: committed, dropped, and cut off by a kill at each point
// of its commit and then put right by the next start.
#include "ChangeJournal.h"
#include "CrashRecovery.h"
#include "DataFolderFixture.h"
#include "FileSystem.h"
#include "FolderLock.h"

#include <QProcess>

namespace {

class ChangeJournalTest : public DataFolderFixture
{
protected:
    QString journalPath() const { return gDB.DataFolder + ChangeJournal::FileName; }
    // The files of the data folder but the lock's own.
    QStringList files() const
    {
        QStringList names = filesInFolder();
        names.removeAll(FolderLock::FileName);
        return names;
    }
    // What the program's start does before its load, under the folder's lock.
    CrashLeftovers start() const
    {
        const FolderLock lock(gDB.DataFolder);
        EXPECT_TRUE(lock.held());
        CrashLeftovers leftovers = ClearCrashLeftovers(lock);
        reload();
        return leftovers;
    }
};

} // namespace

TEST_F(ChangeJournalTest, aCommitReplacesEveryFileAndLeavesNeitherJournalNorTemporaryFiles)
{
    writeFile("a.kvfile", "old a");
    writeFile("gone.kvfile", "old");
    QList<ChangeJournal::Point> points;
    ChangeJournal::SetObserver([&](ChangeJournal::Point point, int) { points.append(point); });
    {
        ChangeJournal change(gDB.DataFolder);
        ASSERT_TRUE(change.write(gDB.DataFolder + "a.kvfile", "first a"));
        ASSERT_TRUE(change.write(gDB.DataFolder + "b.kvfile", "new b"));
        ASSERT_TRUE(change.write(gDB.DataFolder + "a.kvfile", "new a")) << "the later write takes the place";
        change.remove(gDB.DataFolder + "gone.kvfile");
        EXPECT_EQ(readFileBytes(pathOf("a")), "old a") << "nothing replaced before the commit";
        QString error;
        ASSERT_TRUE(change.commit(&error)) << error.toStdString();
    }
    ChangeJournal::SetObserver({});
    EXPECT_EQ(files(), QStringList({"a.kvfile", "b.kvfile"}));
    EXPECT_EQ(readFileBytes(pathOf("a")), "new a");
    EXPECT_EQ(readFileBytes(pathOf("b")), "new b");
    using P = ChangeJournal::Point;
    EXPECT_EQ(points, QList<P>({P::BeforeJournal, P::AfterJournal, P::AfterStep, P::AfterStep, P::AfterStep}));

    // One file needs no journal; a change not committed leaves the old files; a path outside the folder is refused.
    points.clear();
    ChangeJournal::SetObserver([&](ChangeJournal::Point point, int) { points.append(point); });
    {
        ChangeJournal one(gDB.DataFolder);
        ASSERT_TRUE(one.write(gDB.DataFolder + "a.kvfile", "single"));
        ASSERT_TRUE(one.commit());
        ChangeJournal dropped(gDB.DataFolder);
        ASSERT_TRUE(dropped.write(gDB.DataFolder + "a.kvfile", "dropped"));
        ASSERT_TRUE(dropped.write(gDB.DataFolder + "c.kvfile", "dropped"));
        dropped.remove(gDB.DataFolder + "b.kvfile");
        QString error;
        EXPECT_FALSE(dropped.write(gDB.DataFolder + "sub/d.kvfile", "x", &error));
        EXPECT_FALSE(error.isEmpty());
    }
    ChangeJournal::SetObserver({});
    EXPECT_EQ(points, QList<P>({P::AfterStep}));
    EXPECT_EQ(files(), QStringList({"a.kvfile", "b.kvfile"}));
    EXPECT_EQ(readFileBytes(pathOf("a")), "single");
}

TEST_F(ChangeJournalTest, theStartCarriesOutAWholeJournalAndDropsOneCutOff)
{
    const auto temporary = [&](const QString& target, const QByteArray& bytes) {
        return QFileInfo(FileSystem::writeTemporaryBeside(gDB.DataFolder + target, bytes)).fileName().toUtf8();
    };
    const struct
    {
        const char* what;
        bool whole;
        QByteArray end;
    } cases[] = {
        {"complete", true, "end\t3\n"},
        {"cut off before its last line", false, ""},
        {"cut off inside its last line", false, "end\t"},
        {"counting other lines", false, "end\t2\n"},
    };
    for (const auto& c : cases) {
        writeFile("a.kvfile", "old a");
        writeFile("gone.kvfile", "old");
        const QByteArray written = temporary("a.kvfile", "new a");
        // A write carried out before the crash: its temporary file is gone.
        writeFile("b.kvfile", "new b");
        writeFile(ChangeJournal::FileName, "Kronvel change journal 1\nW\t" + written +
                                               "\ta.kvfile\nW\t.b.kvfile.AbC123.tmp"
                                               "\tb.kvfile\nD\tgone.kvfile\n" +
                                               c.end);
        const CrashLeftovers leftovers = start();
        EXPECT_TRUE(leftovers.change.found) << c.what;
        EXPECT_EQ(leftovers.change.completed, c.whole) << c.what;
        EXPECT_EQ(leftovers.message(), "") << c.what;
        EXPECT_EQ(readFileBytes(pathOf("a")), c.whole ? "new a" : "old a") << c.what;
        EXPECT_EQ(files(), c.whole ? QStringList({"a.kvfile", "b.kvfile"})
                                   : QStringList({"a.kvfile", "b.kvfile", "gone.kvfile"}))
            << c.what << " leaves no journal and no temporary file";
    }

    // A journal that names a file outside the folder is no journal of ours: nothing outside is touched.
    writeFile("../outside.kvfile", "outside");
    writeFile(ChangeJournal::FileName, "Kronvel change journal 1\nD\t../outside.kvfile\nend\t1\n");
    EXPECT_FALSE(start().change.completed);
    EXPECT_TRUE(QFileInfo::exists(gDB.DataFolder + "../outside.kvfile"));

    // A folder where a file is to go: the journal stays for the next start, and the user is told which file.
    writeFile("c.kvfile", "old c");
    const QByteArray blocked = temporary("d.kvfile", "new d");
    QDir().mkpath(pathOf("d") + "/inside");
    writeFile(ChangeJournal::FileName, "Kronvel change journal 1\nW\t" + temporary("c.kvfile", "new c") +
                                           "\tc.kvfile\nW\t" + blocked + "\td.kvfile\nend\t2\n");
    const CrashLeftovers stuck = start();
    EXPECT_EQ(stuck.change.notDone, QStringList({pathOf("d")}));
    EXPECT_TRUE(stuck.message().contains(pathOf("d"))) << stuck.message().toStdString();
    EXPECT_TRUE(QFileInfo::exists(journalPath()));
    EXPECT_EQ(readFileBytes(pathOf("c")), "new c");

    // Only the folder's lock holder acts on a journal.
    const FolderLock holder(gDB.DataFolder);
    const FolderLock second(gDB.DataFolder);
    EXPECT_FALSE(ClearCrashLeftovers(second).change.found);
    EXPECT_TRUE(QFileInfo::exists(journalPath()));
}

TEST_F(ChangeJournalTest, theChangesOfOneDeletionAreOneChange)
{
    KV_Person* father = addPerson(u("Jan"), u("Nowak"), 1);
    KV_Person* mother = addPerson(u("Anna"), u("Nowak"), 0);
    KV_Person* child = addPerson(u("Piotr"), u("Nowak"), 1);
    makeChild(child, father, mother);
    makeUnion(father, mother);
    KV_Fact* marriage = addFact(father, u("MARR"), u("1970"), QString(), mother);
    gDB.SaveFact(marriage, marriage->ID);
    gDB.SavePersons(father, mother, child);
    int journals = 0;
    int steps = 0;
    ChangeJournal::SetObserver([&](ChangeJournal::Point point, int) {
        journals += point == ChangeJournal::Point::AfterJournal;
        steps += point == ChangeJournal::Point::AfterStep;
    });
    const QString fatherID = father->ID;
    const QString motherID = mother->ID;
    EXPECT_TRUE(gDB.DeletePerson(father));
    ChangeJournal::SetObserver({});
    EXPECT_EQ(journals, 1);
    EXPECT_EQ(steps, 4) << "the person and the fact go, the mother and the child are written";
    start();
    EXPECT_EQ(gDB.GetPersonCount(), 2);
    EXPECT_EQ(gDB.GetFactCount(), 0);
    EXPECT_TRUE(gDB.OneSidedLinks.isEmpty());
    EXPECT_FALSE(gDB.FindPerson(motherID)->HasPartner(fatherID));
}

#ifdef KV_FOLDER_HELPER
// The helper links a child to its father or unlinks them, both persons in one change, and is killed at a point of
// the commit; the next start leaves the two persons agreeing, before or after the change.
TEST_F(ChangeJournalTest, aRelationChangeKilledAtAnyPointIsWholeAfterTheNextStart)
{
    KV_Person* father = addPerson(u("Jan"), u("Nowak"), 1);
    KV_Person* child = addPerson(u("Piotr"), u("Nowak"), 1);
    const QString fatherID = father->ID;
    const QString childID = child->ID;
    ASSERT_TRUE(gDB.SavePersons(father, child));
    const struct
    {
        const char* point;
        int step;
        bool changed;
    } kills[] = {
        {"before-journal", 0, false},
        {"after-journal", 0, true},
        {"after-step", 1, true},
        {"after-step", 2, true},
    };
    const auto relink = [&](const char* point, int step) {
        QProcess helper;
        helper.start(KV_FOLDER_HELPER, {"relink", gDB.DataFolder, fatherID, childID, point, QString::number(step)});
        EXPECT_TRUE(helper.waitForFinished(30000));
        return helper.exitStatus() == QProcess::CrashExit ? -1 : helper.exitCode();
    };
    bool linked = false;
    for (const bool linking : {true, false}) {
        for (const auto& kill : kills) {
            const std::string what =
                std::string(linking ? "linking, " : "unlinking, ") + kill.point + " " + std::to_string(kill.step);
            // The change starts from the other side of the one it makes.
            if (linked == linking) {
                ASSERT_EQ(relink("none", 0), 0) << what;
                linked = !linked;
            }
            ASSERT_EQ(relink(kill.point, kill.step), -1) << what;
            if (kill.changed)
                linked = !linked;
            const CrashLeftovers leftovers = start();
            EXPECT_EQ(leftovers.change.found, kill.changed) << what;
            EXPECT_EQ(leftovers.temporaries.size(), kill.changed ? 0 : 2) << what;
            EXPECT_TRUE(gDB.OneSidedLinks.isEmpty()) << what;
            EXPECT_EQ(gDB.FindPerson(fatherID)->HasChild(childID), linked) << what;
            EXPECT_EQ(gDB.FindPerson(childID)->FID, linked ? fatherID : QString()) << what;
            EXPECT_EQ(files().size(), 2) << what;
        }
    }
}
#endif
