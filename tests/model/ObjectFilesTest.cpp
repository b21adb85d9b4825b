#include "Clock.h"
#include "DataFolderFixture.h"
#include "FileSystem.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

namespace {

// Every character a text field has to keep: Polish letters, each kind of line break, tabs, quotes and the
// characters XML escapes.
const QString awkward = u("Zażółć gęślą jaźń\r\nline 2\nline 3\rtab\there \"quoted\" 'single' <&> ŁĄCZKA ");

using ObjectFilesTest = DataFolderFixture;

KV_Person* fullPerson()
{
    auto* p = new KV_Person;
    p->ID = KV_DB::NewPersonID();
    p->Surname = awkward + u("Kowalska");
    p->Forename = u("Józefa\tMaria");
    p->Familyname = u("Wiśniewska");
    p->Displayname = u("\"Józia\" <&>");
    p->Note = awkward;
    p->Sex = 0;
    p->Dead = 1;
    p->FID = KV_DB::NewPersonID();
    p->MID = KV_DB::NewPersonID();
    p->CList = {KV_DB::NewPersonID(), KV_DB::NewPersonID()};
    p->FList = {KV_DB::NewPersonID()};
    p->Facts = {KV_DB::NewFactID(), KV_DB::NewFactID(), KV_DB::NewFactID()};
    p->Pictures = {KV_DB::NewPictureID()};
    p->PictureProfile = p->Pictures.first();
    p->Attributes = {{u("Zawód"), awkward, u("OCCU"), true},
                     {u("Pasja"), u("szachy"), u("CUSTOM"), false},
                     {QString(), QString(), QString(), false}};
    return p;
}

} // namespace

TEST_F(ObjectFilesTest, everyFieldOfEveryRecordSurvivesSaveAndLoad)
{
    Clock::setFixedNow(QDateTime(QDate(2024, 3, 5), QTime(7, 8, 59)));
    KV_Person* person = fullPerson();
    gDB.AddPerson(person);
    ASSERT_TRUE(gDB.SavePerson(person, person->ID));
    EXPECT_EQ(person->DateCreate, u("2024-03-05 07:08"));
    EXPECT_EQ(person->DateModify, u("2024-03-05 07:08"));

    auto* fact = new KV_Fact;
    fact->ID = KV_DB::NewFactID();
    fact->PersonIDF = person->ID;
    fact->PersonIDS = KV_DB::NewPersonID();
    fact->Type = u("CUSTOM");
    fact->Form = awkward;
    fact->Name = u("Wyjazd do Łodzi");
    fact->Place = u("Łódź <&>");
    fact->Description = awkward;
    fact->Date.FromText(u("od 12 maja 1950 do 1960"));
    fact->Private = true;
    gDB.InsertFact(fact);
    ASSERT_TRUE(gDB.SaveFact(fact, fact->ID));

    auto* picture = new KV_Picture;
    picture->ID = KV_DB::NewPictureID();
    picture->PersonID = person->ID;
    picture->Name = awkward;
    picture->SetFile(u("[#] zdjęcie \"1\".jpg"));
    picture->Place = u("Gdańsk");
    picture->Category = u("Rodzina\tdalsza");
    picture->Date.FromText(u("około 1930"));
    picture->Description = awkward;
    gDB.InsertPicture(picture);
    ASSERT_TRUE(gDB.SavePicture(picture, picture->ID));

    const QStringList before = describeDatabase();
    reload();
    EXPECT_EQ(describeDatabase(), before);
    EXPECT_EQ(gDB.GetCustomAttributeNames().ToStringList(), QStringList({u("Pasja")}));
    EXPECT_EQ(gDB.GetCustomFactNames().ToStringList(), QStringList({u("Wyjazd do Łodzi")}));
    Clock::setFixedNow(QDateTime());
}

TEST_F(ObjectFilesTest, filesHaveTheFixedFormWithEveryAttributeAlwaysWritten)
{
    Clock::setFixedNow(QDateTime(QDate(2024, 1, 2), QTime(3, 4)));
    auto* person = new KV_Person;
    person->ID = u("person_00000000-0000-0000-0000-000000000001");
    person->Sex = 1;
    gDB.AddPerson(person);
    ASSERT_TRUE(gDB.SavePerson(person, person->ID));
    EXPECT_EQ(readFileBytes(pathOf(person->ID)),
              QByteArray("<Person ID=\"person_00000000-0000-0000-0000-000000000001\" Sex=\"1\" Dead=\"0\" Surname=\"\" "
                         "Forename=\"\" Familyname=\"\" Displayname=\"\" Note=\"\" FID=\"\" MID=\"\" CList=\"\" "
                         "FList=\"\" Facts=\"\" Pictures=\"\" PictureProfile=\"\" DateCreate=\"2024-01-02 03:04\" "
                         "DateModify=\"2024-01-02 03:04\"/>"));

    person->Attributes = {{u("a"), u("1"), u("OCCU"), false}, {u("b"), u("2"), u("CUSTOM"), true}};
    person->CList = {u("person_A"), u("person_B")};
    ASSERT_TRUE(gDB.SavePerson(person, person->ID));
    const QByteArray bytes = readFileBytes(pathOf(person->ID));
    EXPECT_TRUE(bytes.contains("CList=\"person_A,person_B\"")) << bytes.constData();
    EXPECT_TRUE(bytes.endsWith("<Attribute Code=\"OCCU\" Name=\"a\" Value=\"1\" Private=\"false\"/>"
                               "<Attribute Code=\"CUSTOM\" Name=\"b\" Value=\"2\" Private=\"true\"/></Person>"))
        << bytes.constData();

    auto* fact = new KV_Fact;
    fact->ID = u("fact_00000000-0000-0000-0000-000000000002");
    fact->Type = u("BIRT");
    fact->Date.FromText(u("1.2.1903"));
    ASSERT_TRUE(gDB.SaveFact(fact, fact->ID));
    EXPECT_EQ(readFileBytes(pathOf(fact->ID)),
              QByteArray("<Fact ID=\"fact_00000000-0000-0000-0000-000000000002\" PersonIDF=\"\" PersonIDS=\"\" "
                         "Type=\"BIRT\" Form=\"\" Name=\"\" Place=\"\" Description=\"\" Date=\"#101021903\" "
                         "Private=\"false\"/>"));
    delete fact;
    Clock::setFixedNow(QDateTime());
}

TEST_F(ObjectFilesTest, aSecondSaveKeepsTheCreationTimeAndMovesTheModificationTime)
{
    KV_Person* person = addPerson(u("Jan"), u("Nowak"));
    Clock::setFixedNow(QDateTime(QDate(2020, 5, 1), QTime(10, 0)));
    ASSERT_TRUE(gDB.SavePerson(person, person->ID));
    Clock::setFixedNow(QDateTime(QDate(2021, 6, 2), QTime(11, 30)));
    ASSERT_TRUE(gDB.SavePerson(person, person->ID));
    Clock::setFixedNow(QDateTime());
    const QString id = person->ID;
    reload();
    const KV_Person* loaded = gDB.FindPerson(id);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->DateCreate, u("2020-05-01 10:00"));
    EXPECT_EQ(loaded->DateModify, u("2021-06-02 11:30"));
}

TEST_F(ObjectFilesTest, aFamilyWrittenByTheWritersLoadsBackEqual)
{
    KV_Person* father = addPerson(u("Stanisław"), u("Wójcik"), 1);
    KV_Person* mother = addPerson(u("Zofia"), u("Wójcik"), 0);
    mother->Familyname = u("Kamińska");
    KV_Person* child = addPerson(u("Łukasz"), u("Wójcik"), 1);
    father->AddPartner(mother->ID);
    mother->AddPartner(father->ID);
    for (KV_Person* parent : {father, mother})
        parent->AddChild(child->ID);
    child->FID = father->ID;
    child->MID = mother->ID;
    addFact(father, u("MARR"), u("1950"), u("Poznań"), mother);
    addFact(child, u("BIRT"), u("3 III 1952"), u("Poznań"));
    addFact(father, u("DEAT"), u("przed 2001"), u("Września"));
    auto* picture = new KV_Picture;
    picture->SetFile(u("/home/x/ślub.jpg"));
    gDB.AddPictureToPerson(child->ID, picture);

    FileSystem::NewFileBatch batch(folder.path());
    for (const auto& [id, p] : gDB.PersonMap)
        ASSERT_TRUE(gDB.SavePerson(p, id, &batch));
    for (const auto& [id, f] : gDB.FactMap)
        ASSERT_TRUE(gDB.SaveFact(f, id, &batch));
    for (const auto& [id, p] : gDB.PictureMap)
        ASSERT_TRUE(gDB.SavePicture(p, id, &batch));
    ASSERT_TRUE(batch.finish());
    EXPECT_EQ(filesInFolder().size(), 7);

    const QStringList before = describeDatabase();
    const QStringList surnames = gDB.FemaleSurnames.ToStringList() + gDB.MaleSurnames.ToStringList();
    reload();
    EXPECT_EQ(describeDatabase(), before);
    EXPECT_EQ(gDB.FemaleSurnames.ToStringList() + gDB.MaleSurnames.ToStringList(), surnames);
    EXPECT_EQ(gDB.Places.ToStringList(), QStringList({u("Poznań"), u("Września")}));
}

// A data folder written by an earlier build: the imported family fixture and one record of each kind with every
// field in use. It loads to the records described beside it, and writing each record again gives its file byte
// for byte.
TEST_F(ObjectFilesTest, aFolderWrittenEarlierLoadsToTheSameRecordsAndIsWrittenAgainUnchanged)
{
    const QDir earlier(QStringLiteral(KRONVEL_TEST_DATA "/model/datafolder"));
    const QStringList files = earlier.entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 19);
    for (const QString& name : files)
        ASSERT_TRUE(QFile::copy(earlier.filePath(name), gDB.DataFolder + name));
    gDB.LoadAll(nullptr);
    EXPECT_EQ(gDB.StorageError, QString());
    EXPECT_EQ(gDB.GetPersonCount(), 5);
    EXPECT_EQ(gDB.GetFactCount(), 9);
    EXPECT_EQ(gDB.GetPictureCount(), 5);

    QStringList expected;
    const QByteArray described = readFileBytes(QStringLiteral(KRONVEL_TEST_DATA "/model/datafolder.json"));
    for (const QJsonValue& record : QJsonDocument::fromJson(described).array()) {
        for (const QJsonValue& field : record.toArray())
            expected << field.toString();
    }
    EXPECT_EQ(describeDatabase(), expected);

    for (const auto& [id, person] : gDB.PersonMap) {
        Clock::setFixedNow(QDateTime::fromString(person->DateModify, QStringLiteral("yyyy-MM-dd hh:mm")));
        ASSERT_TRUE(gDB.SavePerson(person, id));
    }
    Clock::setFixedNow(QDateTime());
    for (const auto& [id, fact] : gDB.FactMap)
        ASSERT_TRUE(gDB.SaveFact(fact, id));
    for (const auto& [id, picture] : gDB.PictureMap)
        ASSERT_TRUE(gDB.SavePicture(picture, id));
    for (const QString& name : files)
        EXPECT_EQ(readFileBytes(gDB.DataFolder + name), readFileBytes(earlier.filePath(name))) << name.toStdString();
}

TEST_F(ObjectFilesTest, writerFailuresAndTheEmptyIDCase)
{
    KV_Person* person = addPerson(u("Jan"), u("Nowak"));
    gDB.SetChanged(false);
    EXPECT_TRUE(gDB.SavePerson(person, QString()));
    EXPECT_FALSE(gDB.IsChanged());
    EXPECT_EQ(filesInFolder(), QStringList());

    // A missing folder, a folder standing where the file should be, and an ID that is no ID.
    const QString dataFolder = gDB.DataFolder;
    gDB.DataFolder = dataFolder + u("missing/");
    EXPECT_FALSE(gDB.SavePerson(person, person->ID));
    EXPECT_EQ(
        gDB.StorageError,
        u("Nie można zapisać pliku [%1missing/%2.kvfile]: No such file or directory").arg(dataFolder, person->ID));
    EXPECT_TRUE(gDB.IsChanged());
    gDB.DataFolder = dataFolder;
    QDir(folder.path()).mkdir(person->ID + gDB.FileExtension);
    gDB.StorageError.clear();
    EXPECT_FALSE(gDB.SavePerson(person, person->ID));
    EXPECT_EQ(gDB.StorageError, u("Nie można zapisać pliku [%1]: Is a directory").arg(pathOf(person->ID)));
    gDB.StorageError.clear();
    EXPECT_FALSE(gDB.SavePerson(person, u("person_../../escape")));
    EXPECT_EQ(gDB.StorageError,
              u("Nie można zapisać pliku [%1person_../../escape.kvfile]: nieprawidłowy identyfikator obiektu")
                  .arg(dataFolder));
    EXPECT_FALSE(QFileInfo::exists(folder.path() + u("/../escape.kvfile")));
    // No temporary file is left behind, so nothing stray can match a load mask.
    EXPECT_EQ(filesInFolder(), QStringList());
}

TEST_F(ObjectFilesTest, savePersonsWritesEveryoneAndSaysWhetherAllWereWritten)
{
    KV_Person* first = addPerson(u("Jan"), u("Nowak"));
    KV_Person* second = addPerson(u("Anna"), u("Nowak"), 0);
    KV_Person* third = addPerson(u("Piotr"), u("Nowak"));
    EXPECT_TRUE(gDB.SavePersons(first, nullptr, third));
    EXPECT_TRUE(QFileInfo::exists(pathOf(first->ID)));
    EXPECT_FALSE(QFileInfo::exists(pathOf(second->ID)));
    EXPECT_TRUE(QFileInfo::exists(pathOf(third->ID)));

    // The first write fails; the two after it are still made.
    ASSERT_TRUE(QFile::remove(pathOf(first->ID)));
    QDir(folder.path()).mkdir(first->ID + gDB.FileExtension);
    ASSERT_TRUE(QFile::remove(pathOf(third->ID)));
    EXPECT_FALSE(gDB.SavePersons(first, second, third));
    EXPECT_EQ(gDB.StorageError, u("Nie można zapisać pliku [%1]: Is a directory").arg(pathOf(first->ID)));
    EXPECT_TRUE(QFileInfo::exists(pathOf(second->ID)));
    EXPECT_TRUE(QFileInfo::exists(pathOf(third->ID)));
}

TEST_F(ObjectFilesTest, readersTakeMissingAndForeignFormsAsTheConstructorWould)
{
    writeFile(u("person_00000000-0000-0000-0000-00000000000A.kvfile"),
              "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<!-- old -->\r\n<Person ID=\"person_00000000-0000-0000-0000-"
              "00000000000A\" Forename=\"Anna\" Sex=\"0\">\r\n  <Attribute Name=\"x\"/>\r\n  <attribute Code=\"OCCU\"/>"
              "\r\n  <Attribute Code=\"CUSTOM\" Name=\"Hobby\" Value=\"v\" Private=\"1\"/>\r\n</Person>");
    writeFile(u("fact_00000000-0000-0000-0000-00000000000B.kvfile"),
              "<Fact ID=\"fact_00000000-0000-0000-0000-00000000000B\" Private=\"True\" Type=\"CUSTOM\" Name=\"\" "
              "Unknown=\"1\"/>");
    writeFile(u("fact_00000000-0000-0000-0000-00000000000C.kvfile"),
              "<Fact ID=\"fact_00000000-0000-0000-0000-00000000000C\" Private=\"FALSE\"/>");
    reload();
    const KV_Person* anna = gDB.FindPerson(u("person_00000000-0000-0000-0000-00000000000A"));
    ASSERT_NE(anna, nullptr);
    EXPECT_EQ(anna->Surname, QString());
    EXPECT_EQ(anna->Dead, 0);
    EXPECT_TRUE(anna->CList.isEmpty());
    ASSERT_EQ(anna->Attributes.size(), 2);
    EXPECT_EQ(anna->Attributes[0].Code, QString());
    EXPECT_EQ(anna->Attributes[0].Name, u("x"));
    EXPECT_FALSE(anna->Attributes[0].Private);
    EXPECT_TRUE(anna->Attributes[1].Private);
    EXPECT_EQ(gDB.GetCustomAttributeNames().ToStringList(), QStringList({u("Hobby")}));
    EXPECT_EQ(gDB.GetCustomFactNameCount(), 0);
    EXPECT_TRUE(gDB.FindFact(u("fact_00000000-0000-0000-0000-00000000000B"))->Private);
    EXPECT_FALSE(gDB.FindFact(u("fact_00000000-0000-0000-0000-00000000000C"))->Private);
}

TEST_F(ObjectFilesTest, aFileThatFailsIsReportedAndTheLoadGoesOn)
{
    const QString good = u("person_00000000-0000-0000-0000-0000000000FF");
    writeFile(good + u(".kvfile"), "<Person ID=\"" + good.toUtf8() + "\" Surname=\"Dobra\"/>");
    const struct
    {
        const char* file;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"person_00000000-0000-0000-0000-000000000001.kvfile", "<Person Sex=\"kobieta\"/>", "Sex is not a number"},
        {"person_00000000-0000-0000-0000-000000000002.kvfile", "<Person Dead=\"1.5\"/>", "Dead is not a number"},
        {"person_00000000-0000-0000-0000-000000000003.kvfile", "<Person><Attribute Private=\"tak\"/></Person>",
         "Private is not true or false"},
        {"fact_00000000-0000-0000-0000-000000000004.kvfile", "<Fact Private=\"\"/>", "Private is not true or false"},
        {"person_00000000-0000-0000-0000-000000000005.kvfile", "<Fact/>", "Incorrect DB Fact Format"},
        {"person_00000000-0000-0000-0000-000000000006.kvfile", "<Person ID=\"x\"", "offset"},
        {"person_00000000-0000-0000-0000-000000000007.kvfile", "", "offset"},
        // What a crash leaves of a file being written: nothing, or its beginning.
        {"fact_00000000-0000-0000-0000-000000000008.kvfile", "", "offset"},
        {"picture_00000000-0000-0000-0000-000000000009.kvfile", "<?xml version=\"1.0\"?>\n<Picture ID=\"pic", "offset"},
    };
    for (const auto& c : cases) {
        gDB.Clear();
        gDB.StorageError.clear();
        writeFile(u(c.file), c.bytes);
        gDB.LoadAll(nullptr);
        EXPECT_TRUE(gDB.StorageError.contains(u(c.reason))) << c.file << ": " << gDB.StorageError.toStdString();
        EXPECT_NE(gDB.FindPerson(good), nullptr) << c.file;
        EXPECT_EQ(gDB.GetPersonCount() + gDB.GetFactCount() + gDB.GetPictureCount(), 1) << c.file;
        EXPECT_EQ(readFileBytes(gDB.DataFolder + u(c.file)), c.bytes) << c.file << " is left as it was";
        QFile::remove(gDB.DataFolder + u(c.file));
    }
}

TEST_F(ObjectFilesTest, aLoadListsEveryFileItPassesOverWithItsReason)
{
    const QByteArray id = "person_00000000-0000-0000-0000-000000000005";
    writeFile(u("person_0-copy.kvfile"), "<Person ID=\"" + id + "\" Surname=\"Kopia\"/>");
    writeFile(QString::fromLatin1(id) + u(".kvfile"), "<Person ID=\"" + id + "\" Surname=\"Właściwa\"/>");
    writeFile(u("person_1-copy.kvfile"), "<Person ID=\"" + id + "\"/>");
    writeFile(u("person_broken.kvfile"), "<Person Surname=\"x\"");
    writeFile(u("person_attribute.kvfile"), "<Person><Attribute Private=\"tak\"/></Person>");
    writeFile(u("fact_old.kvfile"), "<Fact Place=\"Nigdzie\"/>");
    gDB.SkippedFiles.append({u("stale.kvfile"), u("from an earlier load")});
    reload();

    QStringList skipped;
    for (const KV_DB::SkippedFile& file : gDB.SkippedFiles)
        skipped << file.fileName + u(": ") + file.reason;
    ASSERT_EQ(skipped.size(), 5) << skipped.join(QChar(u'\n')).toStdString();
    EXPECT_EQ(skipped[0], u("person_0-copy.kvfile: identyfikator person_00000000-0000-0000-0000-000000000005 ma już "
                            "plik person_00000000-0000-0000-0000-000000000005.kvfile"));
    EXPECT_EQ(skipped[1], u("person_1-copy.kvfile: identyfikator person_00000000-0000-0000-0000-000000000005 ma już "
                            "plik person_00000000-0000-0000-0000-000000000005.kvfile"));
    EXPECT_EQ(skipped[2],
              u("person_attribute.kvfile: wartość Private nie jest wartością logiczną (true lub false): [tak]"));
    EXPECT_TRUE(skipped[3].startsWith(u("person_broken.kvfile: plik nie jest poprawnym dokumentem XML (")))
        << skipped[3].toStdString();
    EXPECT_FALSE(skipped[3].contains(gDB.DataFolder)) << "the reason names the file once";
    EXPECT_EQ(skipped[4], u("fact_old.kvfile: brak prawidłowego identyfikatora"));
    EXPECT_EQ(gDB.FindPerson(QString::fromLatin1(id))->Surname, u("Właściwa"));

    // A clean load lists nothing.
    for (const char* name : {"person_0-copy.kvfile", "person_1-copy.kvfile", "person_broken.kvfile",
                             "person_attribute.kvfile", "fact_old.kvfile"})
        QFile::remove(gDB.DataFolder + u(name));
    reload();
    EXPECT_TRUE(gDB.SkippedFiles.isEmpty());
}

TEST_F(ObjectFilesTest, onlyWellFormedIDsAreAcceptedAndAMissingOneComesFromTheFileName)
{
    const QString named = u("person_abcdef00-0000-0000-0000-00000000000a");
    writeFile(named + u(".kvfile"), "<Person Surname=\"Bez ID\"/>");
    writeFile(u("person_old.kvfile"), "<Person Surname=\"Stary\"/>");
    writeFile(u("person_bad.kvfile"), "<Person ID=\"person_../../etc/passwd\" Surname=\"Zły\"/>");
    writeFile(u("person_kind.kvfile"), "<Person ID=\"fact_00000000-0000-0000-0000-000000000001\"/>");
    writeFile(u("fact_old.kvfile"), "<Fact Place=\"Nigdzie\"/>");
    reload();

    EXPECT_EQ(gDB.FindPerson(named)->Surname, u("Bez ID"));
    // A person whose file names no ID still loads, under a new one; a fact could not be reached by any.
    ASSERT_EQ(gDB.GetPersonCount(), 2);
    QStringList surnames;
    for (const auto& [id, p] : gDB.PersonMap)
        surnames << p->Surname;
    EXPECT_TRUE(surnames.contains(u("Stary")));
    EXPECT_EQ(gDB.GetFactCount(), 0);
    EXPECT_TRUE(gDB.StorageError.contains(u("fact_old.kvfile"))) << gDB.StorageError.toStdString();

    gDB.Clear();
    gDB.LoadPerson(nullptr, u("person_bad.kvfile"));
    EXPECT_TRUE(gDB.StorageError.contains(u("invalid ID"))) << gDB.StorageError.toStdString();
    EXPECT_FALSE(gDB.LoadPerson(nullptr, u("person_kind.kvfile")));
    EXPECT_EQ(gDB.GetPersonCount(), 0);
}

TEST_F(ObjectFilesTest, ofTwoFilesWithOneIDTheOneNamedAfterItWins)
{
    const QByteArray id = "person_00000000-0000-0000-0000-000000000005";
    // Listed in this order: "person_0..." (the misnamed copy) before the file named after the ID.
    writeFile(u("person_0-copy.kvfile"), "<Person ID=\"" + id + "\" Surname=\"Kopia\"/>");
    writeFile(QString::fromLatin1(id) + u(".kvfile"), "<Person ID=\"" + id + "\" Surname=\"Właściwa\"/>");
    writeFile(u("person_1-copy.kvfile"), "<Person ID=\"" + id + "\" Surname=\"Druga kopia\"/>");
    gDB.WorkList.clear();
    RecordingPrompter prompter;
    reload();
    ASSERT_EQ(gDB.GetPersonCount(), 1);
    EXPECT_EQ(gDB.FindPerson(QString::fromLatin1(id))->Surname, u("Właściwa"));
    EXPECT_TRUE(gDB.StorageError.contains(u("person_1-copy.kvfile"))) << gDB.StorageError.toStdString();
    EXPECT_TRUE(prompter.texts.isEmpty());

    // Without a file named after the ID the first one read stays.
    QFile::remove(gDB.DataFolder + QString::fromLatin1(id) + u(".kvfile"));
    reload();
    EXPECT_EQ(gDB.FindPerson(QString::fromLatin1(id))->Surname, u("Kopia"));
    EXPECT_TRUE(gDB.StorageError.contains(u("already taken by person_0-copy.kvfile")))
        << gDB.StorageError.toStdString();
}

TEST_F(ObjectFilesTest, loadAllReadsTheRealNamesOfTheTopFolderInThreePassesWithProgress)
{
    const QString upper = u("person_00000000-0000-0000-0000-0000000000AB");
    writeFile(upper + u(".KVFILE"), "<Person ID=\"" + upper.toUtf8() + "\"/>");
    writeFile(u("fact_00000000-0000-0000-0000-000000000001.kvfile"),
              "<Fact ID=\"fact_00000000-0000-0000-0000-000000000001\" Type=\"CUSTOM\" Name=\"Wyjazd\"/>");
    writeFile(u("fact_00000000-0000-0000-0000-000000000002.kvfile"),
              "<Fact ID=\"fact_00000000-0000-0000-0000-000000000002\"/>");
    writeFile(u("notes.txt"), "x");
    // A sub-folder is never read, even when its name matches a mask.
    QDir(folder.path()).mkpath(u("person_old.kvfile"));
    writeFileBytes(folder.filePath(u("person_old.kvfile/person_00000000-0000-0000-0000-000000000009.kvfile")),
                   "<Person ID=\"person_00000000-0000-0000-0000-000000000009\"/>");

    gDB.CustomFactNames.Add(u("stara nazwa"));
    RecordingProgress progress;
    gDB.SetChanged(false);
    gDB.LoadAll(&progress);
    EXPECT_EQ(progress.events, QStringList({u("begin Wczytywanie danych {osoby} 1 z 3 / 1"),
                                            u("begin Wczytywanie danych {fakty} 2 z 3 / 2"),
                                            u("begin Wczytywanie danych {zdjęcia} 3 z 3 / 0"), u("end")}));
    EXPECT_FALSE(progress.visible);
    EXPECT_NE(gDB.FindPerson(upper), nullptr);
    EXPECT_EQ(gDB.GetPersonCount(), 1);
    EXPECT_EQ(gDB.GetFactCount(), 2);
    EXPECT_EQ(gDB.GetCustomFactNames().ToStringList(), QStringList({u("Wyjazd")}));
    EXPECT_TRUE(gDB.IsChanged());
    EXPECT_TRUE(gDB.PersonListDirty);
}

TEST_F(ObjectFilesTest, anEmptyFolderLoadsNothing)
{
    gDB.CustomAttributeNames.Add(u("x"));
    RecordingProgress progress;
    gDB.LoadAll(&progress);
    EXPECT_EQ(progress.events.size(), 4);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(progress.events[i].endsWith(u(" / 0"))) << progress.events[i].toStdString();
    EXPECT_EQ(gDB.GetPersonCount() + gDB.GetFactCount() + gDB.GetPictureCount(), 0);
    EXPECT_EQ(gDB.GetCustomAttributeNameCount(), 0);
    EXPECT_EQ(gDB.GetCustomFactNameCount(), 0);
}

TEST_F(ObjectFilesTest, deleteAllRemovesExactlyWhatALoadWouldRead)
{
    KV_Person* person = addPerson(u("Jan"), u("Nowak"));
    addFact(person, u("BIRT"), u("1900"), u("Kraków"));
    for (const auto& [id, p] : gDB.PersonMap)
        gDB.SavePerson(p, id);
    for (const auto& [id, f] : gDB.FactMap)
        gDB.SaveFact(f, id);
    writeFile(u("picture_X.kvfile"), "<Picture/>");
    writeFile(u("notes.txt"), "x");
    writeFile(u(".person_A.kvfile.abc123.tmp"), "x");
    QDir(folder.path()).mkpath(u("multimedia"));
    writeFileBytes(folder.filePath(u("multimedia/photo.jpg")), "x");
    QDir(folder.path()).mkpath(u("person_sub.kvfile"));
    writeFileBytes(folder.filePath(u("person_sub.kvfile/person_Y.kvfile")), "x");
    gDB.ResultList = {person};

    RecordingProgress progress;
    EXPECT_TRUE(gDB.DeleteAllData(&progress));
    EXPECT_EQ(filesInFolder(), QStringList({u(".person_A.kvfile.abc123.tmp"), u("notes.txt")}));
    EXPECT_TRUE(QFileInfo::exists(folder.filePath(u("multimedia/photo.jpg"))));
    EXPECT_TRUE(QFileInfo::exists(folder.filePath(u("person_sub.kvfile/person_Y.kvfile"))));
    EXPECT_EQ(progress.events, QStringList({u("begin Usuwanie danych / 3"), u("end")}));
    EXPECT_EQ(progress.lastPosition, 3);
    EXPECT_EQ(gDB.GetPersonCount() + gDB.GetFactCount(), 0);
    EXPECT_TRUE(gDB.ResultList.isEmpty());
    EXPECT_EQ(gDB.Places.Count(), 0);
}

TEST_F(ObjectFilesTest, deleteAllReportsAFileItCouldNotDelete)
{
    writeFile(u("person_A.kvfile"), "<Person/>");
    writeFile(u("person_B.kvfile"), "<Person/>");
    // Only an immutable file resists deletion by root.
    if (QProcess::execute(u("chattr"), {u("+i"), gDB.DataFolder + u("person_A.kvfile")}) != 0)
        GTEST_SKIP() << "chattr +i is not available here";
    const bool deleted = gDB.DeleteAllData(nullptr);
    QProcess::execute(u("chattr"), {u("-i"), gDB.DataFolder + u("person_A.kvfile")});
    EXPECT_FALSE(deleted);
    EXPECT_TRUE(gDB.StorageError.startsWith(u("Nie można usunąć pliku [%1person_A.kvfile]: ").arg(gDB.DataFolder)))
        << gDB.StorageError.toStdString();
    EXPECT_EQ(filesInFolder(), QStringList({u("person_A.kvfile")}));
}

TEST_F(ObjectFilesTest, erasePersonDeletesItsFileAndForgetsItEverywhere)
{
    EXPECT_FALSE(gDB.ErasePerson(nullptr));
    KV_Person* person = addPerson(u("Jan"), u("Nowak"));
    KV_Person* other = addPerson(u("Ewa"), u("Nowak"), 0);
    gDB.SavePerson(person, person->ID);
    const QString id = person->ID;
    gDB.WorkList = gDB.ResultList = gDB.ReportList = {other, person};
    gDB.PushHistory(id);
    gDB.PushHistory(other->ID);
    gDB.PushHistory(id);
    EXPECT_TRUE(gDB.ErasePerson(person));
    EXPECT_EQ(gDB.FindPerson(id), nullptr);
    EXPECT_FALSE(QFileInfo::exists(pathOf(id)));
    for (const QList<KV_Person*>* list : {&gDB.WorkList, &gDB.ResultList, &gDB.ReportList})
        EXPECT_EQ(*list, QList<KV_Person*>({other}));
    EXPECT_EQ(gDB.History, QStringList({other->ID}));
}

TEST_F(ObjectFilesTest, dictionariesKeepOneEntryPerWordIgnoringCase)
{
    const struct
    {
        DictionaryKind kind;
        int sex;
        const char* word;
        TStringList* dictionary;
    } routes[] = {
        {DictionaryKind::Forename, 0, "Anna", &gDB.FemaleForenames},
        {DictionaryKind::Forename, 1, "Jan", &gDB.MaleForenames},
        {DictionaryKind::Surname, 0, "Nowak", &gDB.FemaleSurnames},
        {DictionaryKind::Surname, 1, "Kowalski", &gDB.MaleSurnames},
        {DictionaryKind::Place, 0, "Łódź", &gDB.Places},
        {DictionaryKind::Place, 7, "Kraków", &gDB.Places},
    };
    for (const auto& r : routes) {
        gDB.AddToDictionaries(r.kind, r.sex, u(r.word));
        EXPECT_GE(r.dictionary->IndexOf(u(r.word)), 0) << r.word;
    }
    gDB.AddToDictionaries(DictionaryKind::Forename, 2, u("Alex"));
    gDB.AddToDictionaries(DictionaryKind(4), 0, u("Nic"));
    gDB.AddToDictionaries(DictionaryKind::Forename, 0, QString());
    gDB.AddToDictionaries(DictionaryKind::Forename, 0, u("ANNA"));
    gDB.AddToDictionaries(DictionaryKind::Forename, 0, u("Anna"));
    gDB.AddToDictionaries(DictionaryKind::Forename, 0, u("Łucja"));
    gDB.AddToDictionaries(DictionaryKind::Forename, 0, u("Zofia"));
    gDB.AddToDictionaries(DictionaryKind::Forename, 0, u("Ludmiła"));
    QStringList list{u("stale")};
    gDB.FillFromDictionary(list, DictionaryKind::Forename, 0);
    EXPECT_EQ(list, QStringList({u("Anna"), u("Ludmiła"), u("Łucja"), u("Zofia")}));
    gDB.FillFromDictionary(list, DictionaryKind::Forename, 2);
    EXPECT_TRUE(list.isEmpty());
    gDB.FillFromDictionary(list, DictionaryKind::Place, 2);
    EXPECT_EQ(list, QStringList({u("Kraków"), u("Łódź")}));

    // A word seen before the dictionaries were emptied is taken again afterwards.
    gDB.Clear();
    gDB.AddToDictionaries(DictionaryKind::Forename, 0, u("Anna"));
    EXPECT_EQ(gDB.FemaleForenames.ToStringList(), QStringList({u("Anna")}));
}

// A load reads many files at once; what it enters and what it passes over must still be what reading them one by
// one in listing order gives. Each kind of file below recurs all through a folder far larger than the share read at
// once, with the expected outcome written beside it.
TEST_F(ObjectFilesTest, aLargeMixedFolderLoadsAsReadingItFileByFileInOrderWould)
{
    struct Skip
    {
        QString file;
        QString reason;
    };
    QList<Skip> expectedSkips;
    QStringList expectedSurnames;
    int expectedFacts = 0;
    const auto hasFile = [](const QString& id, const QString& name) {
        return u("identyfikator %1 ma już plik %2").arg(id, name);
    };
    // Names sort in the order of i, and the files of one i as "ID-…" < "ID.kvfile" < "ID~…".
    const auto idOf = [](const char* prefix, int i) {
        return QLatin1String(prefix) + u("00000000-0000-0000-0000-%1").arg(i, 12, 16, QChar(u'0')).toUpper();
    };
    const auto person = [](const QString& id, const char* surname) {
        return "<Person ID=\"" + id.toUtf8() + "\" Surname=\"" + QByteArray(surname) + "\"/>";
    };
    constexpr int personKinds = 6;
    for (int i = 0; i < 80 * personKinds; ++i) {
        const QString id = idOf("person_", i);
        const QString own = id + u(".kvfile");
        switch (i % personKinds) {
        case 0:
            writeFile(own, person(id, "Właściwa"));
            expectedSurnames << u("Właściwa");
            break;
        case 1:
            writeFile(own, "<Person ID=\"" + id.toUtf8());
            expectedSkips.append({own, u("plik nie jest poprawnym dokumentem XML (Error parsing element attribute at "
                                         "offset 12)")});
            break;
        case 2:
            writeFile(own, "<Person ID=\"" + id.toUtf8() + "\" Sex=\"x\"/>");
            expectedSkips.append({own, u("wartość Sex nie jest liczbą: [x]")});
            break;
        case 3:
            // A stray copy read first gives way to the file named after the ID when that one is read.
            writeFile(id + u("-copy.kvfile"), person(id, "Kopia"));
            writeFile(own, person(id, "Właściwa"));
            expectedSkips.append({id + u("-copy.kvfile"), hasFile(id, own)});
            expectedSurnames << u("Właściwa");
            break;
        case 4:
            writeFile(own, person(id, "Właściwa"));
            writeFile(id + u("~copy.kvfile"), person(id, "Kopia"));
            expectedSkips.append({id + u("~copy.kvfile"), hasFile(id, own)});
            expectedSurnames << u("Właściwa");
            break;
        case 5:
            // Without a file named after the ID the first one read stays.
            writeFile(id + u("-a.kvfile"), person(id, "Właściwa"));
            writeFile(id + u("-b.kvfile"), person(id, "Kopia"));
            expectedSkips.append({id + u("-b.kvfile"), hasFile(id, id + u("-a.kvfile"))});
            expectedSurnames << u("Właściwa");
            break;
        }
    }
    for (int i = 0; i < 200; ++i) {
        const QString id = idOf("fact_", i);
        if (i % 4 == 1) {
            writeFile(id + u("-old.kvfile"), "<Fact Place=\"Nigdzie\"/>");
            expectedSkips.append({id + u("-old.kvfile"), u("brak prawidłowego identyfikatora")});
        } else if (i % 4 == 2) {
            writeFile(id + u(".kvfile"), "<Fact ID=\"" + id.toUtf8() + "\" Private=\"tak\"/>");
            expectedSkips.append(
                {id + u(".kvfile"), u("wartość Private nie jest wartością logiczną (true lub false): [tak]")});
        } else {
            writeFile(id + u(".kvfile"), "<Fact ID=\"" + id.toUtf8() + "\" Type=\"CUSTOM\" Name=\"Wyjazd " +
                                             QByteArray::number(i % 3) + "\" Place=\"Miejsce " +
                                             QByteArray::number(i % 5) + "\"/>");
            ++expectedFacts;
        }
    }
    for (int i = 0; i < 70; ++i) {
        const QString id = idOf("picture_", i);
        writeFile(id + u(".kvfile"), i % 7 == 3 ? QByteArray("<Fact/>") : "<Picture ID=\"" + id.toUtf8() + "\"/>");
        if (i % 7 == 3)
            expectedSkips.append({id + u(".kvfile"), u("brak elementu Picture")});
    }

    RecordingProgress progress;
    gDB.LoadAll(&progress);

    QStringList skips;
    for (const KV_DB::SkippedFile& file : gDB.SkippedFiles)
        skips << file.fileName + u(": ") + file.reason;
    QStringList expected;
    for (const Skip& skip : expectedSkips)
        expected << skip.file + u(": ") + skip.reason;
    EXPECT_EQ(skips, expected);
    // The last file passed over leaves its text.
    EXPECT_EQ(gDB.StorageError, u("Incorrect DB Fact Format"));
    QStringList surnames;
    for (const auto& [id, p] : gDB.PersonMap)
        surnames << p->Surname;
    EXPECT_EQ(surnames, expectedSurnames);
    EXPECT_EQ(gDB.GetFactCount(), expectedFacts);
    EXPECT_EQ(gDB.GetPictureCount(), 60);
    EXPECT_EQ(gDB.GetCustomFactNames().ToStringList(), QStringList({u("Wyjazd 0"), u("Wyjazd 1"), u("Wyjazd 2")}));
    EXPECT_EQ(gDB.Places.Count(), 5);
    EXPECT_EQ(progress.events.size(), 4);
    EXPECT_TRUE(progress.events[1].endsWith(u(" / 200"))) << progress.events[1].toStdString();
    EXPECT_EQ(progress.lastPosition, 70);
}

TEST_F(ObjectFilesTest, eachSaveIsStampedWithTheMinuteOfItsOwnClockReading)
{
    KV_Person* person = addPerson(u("Jan"), u("Nowak"));
    // Seconds within one minute, the next minute, the same clock time a day later, and a time given in UTC: each
    // stamp names the day and minute the clock reads, however close the saves come.
    const struct
    {
        QDateTime now;
        const char16_t* stamp;
    } cases[] = {
        {QDateTime(QDate(2022, 12, 31), QTime(23, 59, 0)), u"2022-12-31 23:59"},
        {QDateTime(QDate(2022, 12, 31), QTime(23, 59, 59)), u"2022-12-31 23:59"},
        {QDateTime(QDate(2023, 1, 1), QTime(0, 0, 0)), u"2023-01-01 00:00"},
        {QDateTime(QDate(2023, 1, 2), QTime(0, 0, 0)), u"2023-01-02 00:00"},
        {QDateTime(QDate(2023, 1, 2), QTime(0, 0, 30), Qt::UTC), u"2023-01-02 00:00"},
        {QDateTime(QDate(1969, 7, 20), QTime(20, 17, 40)), u"1969-07-20 20:17"},
    };
    for (const auto& entry : cases) {
        Clock::setFixedNow(entry.now);
        ASSERT_TRUE(gDB.SavePerson(person, person->ID));
        EXPECT_EQ(person->DateModify, QString::fromUtf16(entry.stamp)) << entry.now.toString().toStdString();
    }
    Clock::setFixedNow(QDateTime());
}

TEST_F(ObjectFilesTest, theLoadListsEveryLinkOnlyOneOfItsPersonsRecordsAndMendsNone)
{
    using Kind = KV_DB::OneSidedLink::Kind;
    KV_Person* father = addPerson(u("Jan"), u("Nowak"), 1);
    KV_Person* mother = addPerson(u("Anna"), u("Nowak"), 0);
    KV_Person* son = addPerson(u("Piotr"), u("Nowak"), 1);
    KV_Person* daughter = addPerson(u("Ewa"), u("Nowak"), 0);
    KV_Person* partner = addPerson(u("Marek"), u("Lis"), 1);
    makeChild(son, father, mother);
    makeUnion(father, mother);
    // The son names his father, who does not list him; the mother lists a daughter who names no parent; the
    // daughter names a partner who does not name her; links to persons that do not exist are no relation.
    father->RemoveChild(son->ID);
    mother->AddChild(daughter->ID);
    daughter->AddPartner(partner->ID);
    son->AddPartner(u("person_00000000-0000-0000-0000-000000000000"));
    son->MID = mother->ID;
    for (KV_Person* p : {father, mother, son, daughter, partner})
        ASSERT_TRUE(gDB.SavePerson(p, p->ID));
    const QString fatherID = father->ID;
    const QString sonID = son->ID;
    const QStringList before = filesInFolder();
    QList<QByteArray> bytes;
    for (const QString& name : before)
        bytes.append(readFileBytes(gDB.DataFolder + name));

    reload();
    QStringList found;
    for (const KV_DB::OneSidedLink& link : gDB.OneSidedLinks)
        found << QStringLiteral("%1 %2 %3")
                     .arg(gDB.FindPerson(link.personID)->Forename)
                     .arg(int(link.kind))
                     .arg(gDB.FindPerson(link.otherID)->Forename);
    found.sort();
    EXPECT_EQ(found, QStringList({QStringLiteral("Anna %1 Ewa").arg(int(Kind::Child)),
                                  QStringLiteral("Ewa %1 Marek").arg(int(Kind::Partner)),
                                  QStringLiteral("Piotr %1 Jan").arg(int(Kind::Father))}));
    EXPECT_EQ(filesInFolder(), before);
    for (qsizetype i = 0; i < before.size(); ++i)
        EXPECT_EQ(readFileBytes(gDB.DataFolder + before[i]), bytes[i]) << before[i].toStdString();

    // Mended by hand, the next load finds nothing.
    KV_Person* jan = gDB.FindPerson(fatherID);
    jan->AddChild(sonID);
    gDB.SavePerson(jan, jan->ID);
    reload();
    EXPECT_EQ(gDB.OneSidedLinks.size(), 2);
}

// A load keeps one copy of each ID and short text however many files name it; a copy is still a value of its own,
// so an edit of one record reaches no other.
TEST_F(ObjectFilesTest, equalTextsOfDifferentFilesShareOneCopyThatAnEditOfOneLeavesAlone)
{
    const QByteArray father = "person_00000000-0000-0000-0000-00000000000A";
    const QByteArray son = "person_00000000-0000-0000-0000-00000000000B";
    const QByteArray birth = "fact_00000000-0000-0000-0000-00000000000A";
    const QByteArray baptism = "fact_00000000-0000-0000-0000-00000000000B";
    const QByteArray picture = "picture_00000000-0000-0000-0000-00000000000A";
    const QByteArray stamp = "DateCreate=\"2024-01-02 03:04\" DateModify=\"2024-01-02 03:04\"";
    writeFile(father + ".kvfile", "<Person ID=\"" + father + "\" Sex=\"1\" Surname=\"Nowak\" CList=\"" + son +
                                      "\" Facts=\"" + birth + "\" " + stamp + "/>");
    writeFile(son + ".kvfile", "<Person ID=\"" + son + "\" Sex=\"1\" Surname=\"Nowak\" FID=\"" + father +
                                   "\" Facts=\"" + baptism + "\" " + stamp + "/>");
    writeFile(birth + ".kvfile",
              "<Fact ID=\"" + birth + "\" PersonIDF=\"" + father + "\" Type=\"BIRT\" Place=\"Łódź\"/>");
    writeFile(baptism + ".kvfile",
              "<Fact ID=\"" + baptism + "\" PersonIDF=\"" + son + "\" Type=\"BIRT\" Place=\"Łódź\"/>");
    writeFile(picture + ".kvfile", "<Picture ID=\"" + picture + "\" PersonID=\"" + son + "\"/>");
    gDB.LoadAll(nullptr);
    KV_Person* const f = gDB.FindPerson(QString::fromLatin1(father));
    KV_Person* const s = gDB.FindPerson(QString::fromLatin1(son));
    KV_Fact* const fb = gDB.FindFact(QString::fromLatin1(birth));
    KV_Fact* const sb = gDB.FindFact(QString::fromLatin1(baptism));
    KV_Picture* const p = gDB.FindPicture(QString::fromLatin1(picture));
    ASSERT_TRUE(f && s && fb && sb && p);

    struct Case
    {
        const char* what;
        const QString* kept;
        QString* edited;
    };
    const Case cases[] = {
        {"a father's ID and his son's FID", &f->ID, &s->FID},
        {"a son's ID and his father's child list", &s->ID, &f->CList[0]},
        {"a person's ID and his fact's PersonIDF", &f->ID, &fb->PersonIDF},
        {"a person's ID and his picture's PersonID", &s->ID, &p->PersonID},
        {"a fact's ID and its person's fact list", &sb->ID, &s->Facts[0]},
        {"one surname in two files", &f->Surname, &s->Surname},
        {"one place in two files", &fb->Place, &sb->Place},
        {"one fact type in two files", &fb->Type, &sb->Type},
        {"one time in two files", &f->DateCreate, &s->DateModify},
    };
    QStringList kept;
    for (const Case& c : cases) {
        EXPECT_TRUE(c.kept->isSharedWith(*c.edited)) << c.what;
        kept << *c.kept;
    }
    for (const Case& c : cases)
        (*c.edited)[0] = u'X';
    for (qsizetype i = 0; i < qsizetype(std::size(cases)); ++i) {
        EXPECT_EQ(*cases[i].kept, kept[i]) << cases[i].what;
        EXPECT_EQ(*cases[i].edited, u'X' + kept[i].mid(1)) << cases[i].what;
    }
}
