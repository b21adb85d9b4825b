// The GEDCOM import: what it writes to the data folder for persons, facts, attributes, relations and pictures, and
// that a failure keeps nothing. Every check reads the data folder back first, so it sees what was written.
#include "GedcomImportFixture.h"
#include "ImportJournal.h"

#include <QFileInfo>

namespace {

QString stored(const QString& simpleDate)
{
    RMData date;
    date.FromSimpleText(simpleDate);
    return date.ToStorageText();
}

// "TYPE|stored date|place|description|form" for each fact of the person, in its fact order.
QStringList factsOf(const KV_Person* person, const KV_DB& db = gDB)
{
    QStringList facts;
    if (!person)
        return {QStringLiteral("no such person")};
    for (const QString& id : person->Facts) {
        const KV_Fact* f = db.FindFact(id);
        facts << (f ? QStringList{f->Type, f->Date.ToStorageText(), f->Place, f->Description, f->Form}.join(u'|')
                    : QStringLiteral("missing ") + id);
    }
    return facts;
}

QStringList attributesOf(const KV_Person* person)
{
    QStringList attributes;
    for (const KV_Atribute& a : person->Attributes)
        attributes << QStringList{a.Code, a.Name, a.Value, a.Private ? "private" : "public"}.join(u'|');
    return attributes;
}

QString attribute(const char* code, const QString& value)
{
    return QStringList{code, gDB.GetAttributeTypeName(code), value, "public"}.join(u'|');
}

// "File|Name|Description" of each picture of the person, in its picture order.
QStringList picturesOf(const KV_Person* person)
{
    QStringList pictures;
    for (const QString& id : person->Pictures) {
        const KV_Picture* p = gDB.FindPicture(id);
        pictures << (p ? QStringList{p->File, p->Name, p->Description}.join(u'|') : QStringLiteral("missing ") + id);
    }
    return pictures;
}

// One individual with the given lines under its name.
QByteArray individual(const QByteArray& lines)
{
    return "0 @I1@ INDI\n1 NAME Jan /Nowak/\n" + lines;
}

} // namespace

class GedcomImportTest : public GedcomImportFixture
{
protected:
    // A new empty data folder and an empty database, for one case of a table.
    void startOver()
    {
        folders.push_back(std::make_unique<QTemporaryDir>());
        gDB.Clear();
        gDB.DataFolder = folders.back()->path() + u'/';
        usePicturesFolderOf(gDB.DataFolder);
    }

    std::vector<std::unique_ptr<QTemporaryDir>> folders;
};

TEST_F(GedcomImportTest, PersonsFactsAndAttributesAreWrittenToTheDataFolder)
{
    const GedcomImportSummary summary = importFile(fixturePath("rodzina.ged"));
    ASSERT_TRUE(summary.succeeded()) << summary.error.toStdString();
    EXPECT_EQ(summary.message(), gLangM.Get("LABEL_GEDCOM_AFTER_IMPORT"));
    EXPECT_EQ(summary.persons, 4);
    EXPECT_EQ(summary.facts, 8);
    EXPECT_EQ(summary.pictures, 4);
    EXPECT_EQ(summary.filesWritten, 16);
    EXPECT_EQ(filesInFolder().size(), 16);

    reload();
    EXPECT_EQ(gDB.StorageError, QString());
    ASSERT_EQ(gDB.GetPersonCount(), 4);
    const KV_Person* jan = personNamed("Jan");
    const KV_Person* anna = personNamed("Anna");
    const KV_Person* piotr = personNamed("Piotr");
    const KV_Person* maria = personNamed("Maria");
    ASSERT_TRUE(jan && anna && piotr && maria);

    EXPECT_EQ(QStringList({jan->Surname, jan->Familyname, jan->Note}),
              QStringList({"Kowalski", "Kowalski", "Gospodarz\r\nspod Krakowa."}));
    // The married name is the surname; the birth name stays the family name.
    EXPECT_EQ(QStringList({anna->Surname, anna->Familyname}), QStringList({"Kowalska", "Nowak"}));
    EXPECT_EQ(QList<int>({jan->Sex, anna->Sex, piotr->Sex, maria->Sex}), QList<int>({1, 0, 1, 0}));
    // Jan has a death fact, Anna a burial, Piotr only "1 DEAT Y"; Maria has no death line.
    EXPECT_EQ(QList<int>({jan->Dead, anna->Dead, piotr->Dead, maria->Dead}), QList<int>({1, 1, 1, 0}));
    EXPECT_EQ(jan->DateCreate.size(), 16);

    EXPECT_EQ(factsOf(jan),
              QStringList({"BIRT|" + stored("01-01-1900") + "|Kraków||", "MARR|" + stored("10-05-1925") + "|Kraków||",
                           "DIV|" + stored("1950") + "|||", "DEAT|" + stored("05-03-1970") + "|Gdańsk||zawał serca"}));
    // The baptism's date is no date the program can hold: its text is kept in the description.
    EXPECT_EQ(factsOf(anna), QStringList({"BIRT|" + stored("około 1902") + "|Łódź||", "BAPM||Łódź|Wielkanoc 1902|",
                                          "MARR|" + stored("10-05-1925") + "|Kraków||", "DIV|" + stored("1950") + "|||",
                                          "BURI||Cmentarz Rakowicki||"}));
    EXPECT_EQ(factsOf(piotr), QStringList({"BIRT|" + stored("12-02-1926") + "|||"}));
    EXPECT_EQ(factsOf(maria), QStringList());
    for (const auto& [id, fact] : gDB.FactMap)
        EXPECT_EQ(fact->Name, GetFactTypeLabel(fact->Type)) << fact->Type.toStdString();

    EXPECT_EQ(attributesOf(jan),
              QStringList({attribute("OCCU", "rolnik"), attribute("NSFX", "senior"), attribute("NPFX", "inż."),
                           attribute("NATI", "polska"), attribute("RELI", "rzymskokatolickie"),
                           attribute("ADDR", "ul. Długa 5\r\n80-001 Gdańsk\r\nPolska")}));
    EXPECT_EQ(gDB.GetAttributeTypeName("OCCU"), "Zawód");
    EXPECT_EQ(attributesOf(anna), QStringList());
}

// The import changes the database it is given, and only that one.
TEST_F(GedcomImportTest, RecordsGoIntoTheGivenDatabase)
{
    KV_DB other;
    other.DataFolder = gDB.DataFolder;
    other.FileExtension = gDB.FileExtension;
    other.InitAttributeTypes();
    _Gedcom records;
    ASSERT_TRUE(records.LoadFile(fixturePath("rodzina.ged")));
    records.Parse();

    const GedcomImportSummary summary = ImportGedcomRecords(other, records, fixturePath("rodzina.ged"));
    ASSERT_TRUE(summary.succeeded()) << summary.error.toStdString();
    EXPECT_EQ(other.GetPersonCount(), 4);
    EXPECT_EQ(other.GetFactCount(), 8);
    EXPECT_EQ(other.GetPictureCount(), 4);
    EXPECT_EQ(gDB.GetPersonCount() + gDB.GetFactCount() + gDB.GetPictureCount(), 0);
    // Facts are ordered within the database they go into: union facts between birth and death.
    const auto typesOf = [&other](const char* forename) {
        QStringList types;
        for (const auto& [id, person] : other.PersonMap) {
            if (person->Forename == QLatin1String(forename)) {
                for (const QString& fact : factsOf(person, other))
                    types.append(fact.section(u'|', 0, 0));
            }
        }
        return types;
    };
    EXPECT_EQ(typesOf("Jan"), QStringList({"BIRT", "MARR", "DIV", "DEAT"}));
    EXPECT_EQ(typesOf("Anna"), QStringList({"BIRT", "BAPM", "MARR", "DIV", "BURI"}));

    reload();
    EXPECT_EQ(gDB.GetPersonCount(), 4);
}

TEST_F(GedcomImportTest, FamiliesLinkBothEndsOfEveryRelation)
{
    ASSERT_TRUE(importFile(fixturePath("rodzina.ged")).succeeded());
    // The reader's records know the persons made from them.
    const QList<_Osoba>& records = reader->individuals();
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[0].person, personNamed("Jan"));
    EXPECT_EQ(records[0].databaseID, personNamed("Jan")->ID);

    reload();
    const KV_Person* jan = personNamed("Jan");
    const KV_Person* anna = personNamed("Anna");
    const KV_Person* piotr = personNamed("Piotr");
    const KV_Person* maria = personNamed("Maria");
    ASSERT_TRUE(jan && anna && piotr && maria);
    EXPECT_EQ(jan->FList, QStringList({anna->ID}));
    EXPECT_EQ(anna->FList, QStringList({jan->ID}));
    EXPECT_EQ(jan->CList, QStringList({piotr->ID, maria->ID}));
    EXPECT_EQ(anna->CList, QStringList({piotr->ID, maria->ID}));
    EXPECT_EQ(QStringList({piotr->FID, piotr->MID, maria->FID, maria->MID}),
              QStringList({jan->ID, anna->ID, jan->ID, anna->ID}));
    const KV_Fact* marriage = jan->FindFactByType("MARR");
    ASSERT_TRUE(marriage);
    EXPECT_EQ(QStringList({marriage->PersonIDF, marriage->PersonIDS}), QStringList({jan->ID, anna->ID}));
    EXPECT_EQ(anna->FindFactByType("MARR"), marriage);
    EXPECT_EQ(brokenLinks(), QStringList());
}

TEST_F(GedcomImportTest, PicturesAreCopiedOrKeptAsWrittenAndOtherLinksAreListed)
{
    const GedcomImportSummary summary = importFile(fixturePath("rodzina.ged"));
    ASSERT_TRUE(summary.succeeded());
    // Found beside the GEDCOM file: by a relative path, by one written with backslashes, and by the file name of a
    // path on another computer's drive.
    EXPECT_EQ(pictureFiles(), QStringList({"anna.png", "jan.gif", "slub.jpg"}));
    EXPECT_EQ(readFileBytes(GetPicturesFolder() + "jan.gif"), readFileBytes(fixturePath("zdjecia/jan.gif")));
    EXPECT_EQ(readFileBytes(GetPicturesFolder() + "slub.jpg"), readFileBytes(fixturePath("slub.jpg")));
    EXPECT_EQ(summary.picturesCopied, 3);
    EXPECT_EQ(summary.missingPictures, QStringList({"zaginione/anna_1920.jpg"}));
    EXPECT_EQ(summary.notPictures, QStringList({"akt_urodzenia.pdf", "http://example.com/anna.jpg"}));
    EXPECT_EQ(summary.uncopiedPictures, QStringList());

    reload();
    EXPECT_EQ(picturesOf(personNamed("Jan")), QStringList({"[#] jan.gif|Portret|Zdjęcie z 1930 roku"}));
    // A missing file keeps its record with the path as written, so that the user sees what was linked.
    EXPECT_EQ(picturesOf(personNamed("Anna")), QStringList({"[#] anna.png||", "[#] slub.jpg|Ślub|",
                                                            "zaginione/anna_1920.jpg|Anna w 1920|Odbitka zaginęła."}));
}

TEST_F(GedcomImportTest, TheJournalNamesEveryFileMadeUntilTheImportIsWhole)
{
    // A picture already in the folder is reused, not made, so the journal must not name it.
    QDir().mkpath(GetPicturesFolder());
    ASSERT_TRUE(writeFileBytes(GetPicturesFolder() + "jan.gif", readFileBytes(fixturePath("zdjecia/jan.gif"))));
    const QString journalPath = gDB.DataFolder + ImportJournal::FileName;
    QStringList journalled;
    int starts = 0;
    progress = [&](int position, int maximum) {
        starts += position == 0;
        // Every object file is written, the final flush is next.
        if (starts == 2 && position == maximum)
            journalled = QString::fromUtf8(readFileBytes(journalPath)).split(u'\n', Qt::SkipEmptyParts);
    };
    const GedcomImportSummary summary = importFile(fixturePath("rodzina.ged"));
    ASSERT_TRUE(summary.succeeded()) << summary.error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(journalPath)) << "a finished import leaves no journal";

    QStringList made;
    for (const QString& name : filesInFolder())
        made << name;
    for (const QString& name : pictureFiles()) {
        if (name != "jan.gif")
            made << "multimedia/" + name;
    }
    ASSERT_FALSE(journalled.isEmpty());
    EXPECT_EQ(journalled.takeFirst(), "Kronvel import journal 1");
    journalled.sort();
    made.sort();
    EXPECT_EQ(journalled, made);
    EXPECT_EQ(made.size(), 16 + 2);
}

TEST_F(GedcomImportTest, AnImportWaitsUntilACutOffOneIsUndone)
{
    const QByteArray journal = "Kronvel import journal 1\nperson_x.kvfile\n";
    writeFile(ImportJournal::FileName, journal);
    writeFile("person_x.kvfile", "<Person/>");
    const GedcomImportSummary summary = importFile(fixturePath("rodzina.ged"));
    EXPECT_FALSE(summary.succeeded());
    EXPECT_TRUE(summary.error.contains(ImportJournal::FileName)) << summary.error.toStdString();
    EXPECT_EQ(gDB.GetPersonCount(), 0);
    EXPECT_EQ(filesInFolder(), QStringList({ImportJournal::FileName, "person_x.kvfile"}));
    EXPECT_EQ(readFileBytes(gDB.DataFolder + ImportJournal::FileName), journal);
    EXPECT_EQ(pictureFiles(), QStringList());
}

TEST_F(GedcomImportTest, DatesAtTheEndsOfTheYearRangeReadBackAlikeOrAreRefusedByEveryReader)
{
    struct Case
    {
        const char* typed;
        const char* gedcom;
        // The stored form every reader gives; nullptr when every reader refuses the date.
        const char* stored;
    };
    const Case cases[] = {
        {"1", "1", "#100000001"},
        {"2999", "2999", "#100002999"},
        {"3000", "3000", "#100003000"},
        {"3001", "3001", "#100003001"},
        {"9999", "9999", "#100009999"},
        {"31.12.9999", "31 DEC 9999", "#131129999"},
        {"29.02.3600", "29 FEB 3600", "#129023600"},
        {"11.05.9021", "11 MAY 9021", "#111059021"},
        {"0", "0", nullptr},
        {"10000", "10000", nullptr},
        {"29.02.3000", "29 FEB 3000", nullptr},
    };
    QByteArray records;
    for (int i = 0; i < int(std::size(cases)); ++i)
        records +=
            QStringLiteral("0 @I%1@ INDI\n1 NAME Osoba%1 //\n1 BIRT\n2 DATE %2\n").arg(i).arg(cases[i].gedcom).toUtf8();
    ASSERT_TRUE(importRecords(records).succeeded());
    // The typed dates go in as facts of one more person, saved like the editors save them.
    KV_Person* typist = addPerson("Wpisana", "Osoba");
    std::vector<KV_Fact*> typedFacts;
    for (const Case& c : cases) {
        auto* fact = new KV_Fact;
        fact->Type = "CUSTOM";
        const bool accepted = fact->Date.FromText(c.typed) == 1;
        EXPECT_EQ(accepted, c.stored != nullptr) << c.typed;
        EXPECT_EQ(IsValidDateText(c.typed), c.stored != nullptr) << c.typed;
        ASSERT_TRUE(gDB.AddFactToPerson(typist->ID, fact));
        ASSERT_TRUE(gDB.SaveFact(fact, fact->ID));
        typedFacts.push_back(fact);
    }
    ASSERT_TRUE(gDB.SavePerson(typist, typist->ID));
    QStringList typedIDs;
    for (const KV_Fact* fact : typedFacts)
        typedIDs << fact->ID;

    reload();
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const Case& c = cases[i];
        const QStringList imported = factsOf(personNamed(QStringLiteral("Osoba%1").arg(i)));
        const KV_Fact* typedFact = gDB.FindFact(typedIDs[i]);
        ASSERT_NE(typedFact, nullptr) << c.typed;
        if (c.stored) {
            EXPECT_EQ(imported, QStringList({QStringLiteral("BIRT|%1|||").arg(c.stored)})) << c.gedcom;
            EXPECT_EQ(typedFact->Date.ToStorageText(), c.stored) << c.typed;
            RMData reread;
            reread.FromStorageText(c.stored);
            EXPECT_EQ(reread.ToStorageText(), c.stored) << c.stored;
        } else {
            // The import keeps a date it refuses as the file wrote it, in the description.
            EXPECT_EQ(imported, QStringList({QStringLiteral("BIRT|||%1|").arg(c.gedcom)})) << c.gedcom;
            EXPECT_EQ(typedFact->Date.ToStorageText(), QString()) << c.typed;
        }
    }
}

TEST_F(GedcomImportTest, ImportingTwiceDoublesTheRecordsAndReusesThePictureFiles)
{
    ASSERT_TRUE(importFile(fixturePath("rodzina.ged")).succeeded());
    ASSERT_TRUE(importFile(fixturePath("rodzina.ged")).succeeded());
    reload();
    EXPECT_EQ(QList<int>({gDB.GetPersonCount(), gDB.GetFactCount(), gDB.GetPictureCount()}), QList<int>({8, 16, 8}));
    EXPECT_EQ(pictureFiles(), QStringList({"anna.png", "jan.gif", "slub.jpg"}));
    QStringList janPictures;
    for (const auto& [id, picture] : gDB.PictureMap) {
        if (picture->Name == "Portret")
            janPictures << picture->File;
    }
    EXPECT_EQ(janPictures, QStringList({"[#] jan.gif", "[#] jan.gif"}));
    EXPECT_EQ(brokenLinks(), QStringList());
}

TEST_F(GedcomImportTest, EventLinesMakeFactsAndTheDeadFlag)
{
    const struct
    {
        const char* lines;
        QStringList facts;
        int dead;
    } cases[] = {
        {"1 BIRT\n", {}, 0},
        {"1 BIRT\n2 PLAC Kraków\n", {"BIRT||Kraków||"}, 0},
        {"1 CHR\n2 DATE 2 FEB 1900\n", {"BAPM|" + stored("02-02-1900") + "|||"}, 0},
        {"1 BIRT\n2 DATE (na Wielkanoc)\n", {"BIRT|||(na Wielkanoc)|"}, 0},
        {"1 DEAT Y\n", {}, 1},
        {"1 DEAT\n", {}, 1},
        {"1 DEAT\n2 DATE 1950\n", {"DEAT|" + stored("1950") + "|||"}, 1},
        // The cause alone makes the death fact, so that it is kept.
        {"1 DEAT\n2 CAUS gruźlica\n", {"DEAT||||gruźlica"}, 1},
        {"1 BURI\n", {}, 1},
        {"1 BURI\n2 PLAC Kraków\n", {"BURI||Kraków||"}, 1},
        {"1 BURI\n2 DATE po pogrzebie\n", {"BURI|||po pogrzebie|"}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        startOver();
        ASSERT_TRUE(importRecords(individual(c.lines)).succeeded());
        reload();
        const KV_Person* jan = personNamed("Jan");
        ASSERT_TRUE(jan);
        EXPECT_EQ(factsOf(jan), c.facts);
        EXPECT_EQ(jan->Dead, c.dead);
    }
}

// A link to a multimedia record goes through the picture rules as a link written in place does: a found file is
// copied, a missing one keeps its path, a document is passed over.
TEST_F(GedcomImportTest, SharedNotesAndMultimediaRecordsComeWithThePersons)
{
    ASSERT_TRUE(QFile::copy(fixturePath("slub.jpg"), source.filePath("slub.jpg")));
    const GedcomImportSummary summary =
        importRecords("0 @I1@ INDI\n1 NAME Jan /Nowak/\n1 NOTE @N1@\n1 OBJE @M1@\n1 BIRT\n2 OBJE @M2@\n"
                      "1 OBJE @M3@\n1 OBJE @M9@\n"
                      "0 @I2@ INDI\n1 NAME Anna /Kowalska/\n2 TYPE married\n1 NOTE @N9@\n1 NOTE @N1@\n1 OBJE @M1@\n"
                      "0 @M1@ OBJE\n1 FILE slub.jpg\n2 FORM jpg\n2 TITL Ślub\n"
                      "0 @M2@ OBJE\n1 FORM jpg\n1 FILE zaginione/akt.jpg\n1 TITL Akt\n1 NOTE @N1@\n"
                      "0 @M3@ OBJE\n1 FORM pdf\n1 FILE akt.pdf\n"
                      "0 @N1@ NOTE Wspólna\n1 CONC  notatka\n1 CONT druga linia\n");
    ASSERT_TRUE(summary.succeeded()) << summary.error.toStdString();
    EXPECT_EQ(summary.persons, 2);
    EXPECT_EQ(summary.multimediaFromRecords, 4);
    EXPECT_EQ(summary.notesPointingNowhere, 1);
    EXPECT_EQ(summary.multimediaPointingNowhere, 1);
    EXPECT_EQ(pictureFiles(), QStringList({"slub.jpg"}));
    EXPECT_EQ(summary.missingPictures, QStringList({"zaginione/akt.jpg"}));
    EXPECT_EQ(summary.notPictures, QStringList({"akt.pdf"}));
    const QStringList details = summary.details().split(QStringLiteral("\r\n\r\n"));
    EXPECT_TRUE(details.contains(u("Odnośniki do multimediów wzięte z rekordów multimediów pliku: 4")));
    EXPECT_TRUE(details.contains(u("Odwołania do notatek, których nie ma w pliku (notatki pozostały puste): 1")));
    EXPECT_TRUE(details.contains(u("Odwołania do multimediów, których nie ma w pliku (pominięte): 1")));

    reload();
    const QString shared = u("Wspólna notatka\r\ndruga linia");
    const KV_Person* jan = personNamed("Jan");
    const KV_Person* anna = personNamed("Anna");
    ASSERT_TRUE(jan && anna);
    EXPECT_EQ(jan->Note, shared);
    EXPECT_EQ(anna->Note, shared);
    EXPECT_EQ(anna->Surname, "Kowalska");
    EXPECT_EQ(picturesOf(jan), QStringList({u("[#] slub.jpg|Ślub|"), "zaginione/akt.jpg|Akt|" + shared}));
    EXPECT_EQ(picturesOf(anna), QStringList({u("[#] slub.jpg|Ślub|")}));
}

TEST_F(GedcomImportTest, SummaryNamesTheValuesNotTakenAndCountsTheLinesNotConverted)
{
    const GedcomImportSummary summary =
        importRecords("0 @I1@ INDI\n1 NAME Jan /Nowak/\n1 TITL hrabia\n1 BIRT\n2 DATE 5 MAY 1900\n"
                      "1 BIRT\n2 DATE 1901\n2 PLAC Lublin\n1 _UID abc\n1 SOUR @S1@\n1 FAMS @F1@\n"
                      "0 @I2@ INDI\n1 NAME Anna /Nowak/\n1 TITL hrabina\n1 FAMS @F1@\n1 FAMC @F2@\n"
                      "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 MARR\n2 PLAC Kraków\n1 MARR\n2 PLAC Lublin\n"
                      "1 NOTE rodzina\n1 _STAT x\n"
                      "0 @S1@ SOUR\n1 TITL Księga\n");
    ASSERT_TRUE(summary.succeeded()) << summary.error.toStdString();
    EXPECT_EQ(summary.valuesNotTaken, QStringList({"Jan Nowak (@I1@): BIRT DATE: 1901", "@F1@: MARR PLAC: Lublin"}));
    EXPECT_EQ(summary.unconvertedIndividualTags, (QMap<QString, int>{{"SOUR", 1}, {"TITL", 2}, {"_UID", 1}}));
    EXPECT_EQ(summary.unconvertedFamilyTags, (QMap<QString, int>{{"NOTE", 1}, {"_STAT", 1}}));

    reload();
    RMData birth;
    birth.FromSimpleText("05-05-1900");
    EXPECT_EQ(factsOf(personNamed("Jan")),
              QStringList({"BIRT|" + birth.ToStorageText() + "|Lublin||", "MARR||Kraków||"}));
}

TEST_F(GedcomImportTest, AddressSexAndMarriedName)
{
    const struct
    {
        const char* lines;
        QStringList attributes;
        int sex;
        const char* surname;
    } cases[] = {
        {"1 SEX F\n1 RESI\n2 ADDR ul. Długa 5\n3 POST 80-001\n3 CITY Gdańsk\n3 CTRY Polska\n",
         {attribute("ADDR", "ul. Długa 5\r\n80-001 Gdańsk\r\nPolska")},
         0,
         "Nowak"},
        {"1 SEX M\n1 RESI\n2 ADDR\n3 CITY Gdańsk\n", {attribute("ADDR", "Gdańsk")}, 1, "Nowak"},
        {"1 SEX U\n1 RESI\n2 ADDR\n3 STAE Pomorskie\n3 CTRY Polska\n",
         {attribute("ADDR", "Pomorskie\r\nPolska")},
         2,
         "Nowak"},
        {"2 _MARNM Kowalska\n1 OCCU  \n", {}, 2, "Kowalska"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        startOver();
        ASSERT_TRUE(importRecords(individual(c.lines)).succeeded());
        reload();
        const KV_Person* jan = personNamed("Jan");
        ASSERT_TRUE(jan);
        EXPECT_EQ(attributesOf(jan), c.attributes);
        EXPECT_EQ(jan->Sex, c.sex);
        EXPECT_EQ(jan->Surname, c.surname);
        EXPECT_EQ(jan->Familyname, "Nowak");
    }
}

TEST_F(GedcomImportTest, FamiliesWithMissingRepeatedOrSelfLinkedPersons)
{
    const GedcomImportSummary summary = importRecords("0 @I1@ INDI\n1 NAME Jan /Nowak/\n1 SEX M\n"
                                                      "0 @I2@ INDI\n1 NAME Ewa /Nowak/\n1 SEX F\n"
                                                      "0 @I3@ INDI\n1 NAME Adam /Nowak/\n1 SEX M\n"
                                                      "0 @I4@ INDI\n1 NAME Piotr /Lis/\n1 SEX M\n"
                                                      "0 @I5@ INDI\n1 NAME Zofia /Lis/\n1 SEX F\n"
                                                      // The wife and the second child name no individual.
                                                      "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I99@\n1 CHIL @I3@\n"
                                                      "1 CHIL @I98@\n1 MARR\n2 DATE 1900\n"
                                                      // Adam has a father already, but no mother yet.
                                                      "0 @F2@ FAM\n1 HUSB @I4@\n1 WIFE @I2@\n1 CHIL @I3@\n"
                                                      "1 ENGA\n2 PLAC Kraków\n"
                                                      // The same father again, with another mother.
                                                      "0 @F3@ FAM\n1 HUSB @I1@\n1 WIFE @I5@\n1 CHIL @I3@\n"
                                                      // Piotr as his own wife and his own child.
                                                      "0 @F4@ FAM\n1 HUSB @I4@\n1 WIFE @I4@\n1 CHIL @I4@\n"
                                                      "1 MARR\n2 DATE 1930\n");
    ASSERT_TRUE(summary.succeeded());
    EXPECT_EQ(summary.danglingReferences, 2);
    EXPECT_EQ(summary.droppedUnionFacts, 2);
    EXPECT_EQ(summary.childrenKeptWithFirstParent, 2);
    EXPECT_EQ(summary.selfLinks, QStringList({"@F4@ @I4@", "@F4@ @I4@"}));

    reload();
    const KV_Person* jan = personNamed("Jan");
    const KV_Person* ewa = personNamed("Ewa");
    const KV_Person* adam = personNamed("Adam");
    const KV_Person* piotr = personNamed("Piotr");
    const KV_Person* zofia = personNamed("Zofia");
    ASSERT_TRUE(jan && ewa && adam && piotr && zofia);
    EXPECT_EQ(QStringList({adam->FID, adam->MID}), QStringList({jan->ID, ewa->ID}));
    EXPECT_EQ(jan->CList, QStringList({adam->ID}));
    EXPECT_EQ(ewa->CList, QStringList({adam->ID}));
    EXPECT_EQ(piotr->CList, QStringList());
    EXPECT_EQ(zofia->CList, QStringList());
    EXPECT_EQ(jan->FList, QStringList({zofia->ID}));
    EXPECT_EQ(piotr->FList, QStringList({ewa->ID}));
    EXPECT_EQ(QStringList({piotr->FID, piotr->MID}), QStringList({"", ""}));
    // Only the engagement of a couple whose both persons exist is made.
    EXPECT_EQ(gDB.GetFactCount(), 1);
    EXPECT_EQ(factsOf(piotr), QStringList({"ENGA||Kraków||"}));
    EXPECT_EQ(factsOf(ewa), QStringList({"ENGA||Kraków||"}));
    EXPECT_EQ(factsOf(jan), QStringList());
    EXPECT_EQ(brokenLinks(), QStringList());
}

TEST_F(GedcomImportTest, ObjectsAlreadyInTheDatabaseAreNeitherRewrittenNorRestamped)
{
    KV_Person* existing = addPerson("Stefan", "Wrona");
    KV_Fact* birth = addFact(existing, "BIRT", "1880", "Lublin");
    ASSERT_TRUE(gDB.SavePerson(existing, existing->ID) && gDB.SaveFact(birth, birth->ID));
    existing->DateModify = QStringLiteral("2001-02-03 04:05");
    const QStringList before = filesInFolder();
    const QByteArray personBytes = readFileBytes(pathOf(existing->ID));
    const QDateTime personTime = QFileInfo(pathOf(existing->ID)).lastModified();

    const GedcomImportSummary summary = importFile(fixturePath("rodzina.ged"));
    ASSERT_TRUE(summary.succeeded());
    EXPECT_EQ(existing->DateModify, "2001-02-03 04:05");
    EXPECT_EQ(readFileBytes(pathOf(existing->ID)), personBytes);
    EXPECT_EQ(QFileInfo(pathOf(existing->ID)).lastModified(), personTime);
    // Exactly one new file per object made.
    QStringList added = filesInFolder();
    for (const QString& name : before)
        added.removeOne(name);
    QStringList made;
    for (const auto& [id, person] : gDB.PersonMap)
        made << id + ".kvfile";
    for (const auto& [id, fact] : gDB.FactMap)
        made << id + ".kvfile";
    for (const auto& [id, picture] : gDB.PictureMap)
        made << id + ".kvfile";
    for (const QString& name : before)
        made.removeOne(name);
    made.sort();
    EXPECT_EQ(added, made);
    EXPECT_EQ(summary.filesWritten, added.size());
}

TEST_F(GedcomImportTest, ProgressCountsTheRecordsThenTheObjectsWritten)
{
    QList<QPair<int, int>> calls;
    progress = [&calls](int position, int maximum) { calls.append({position, maximum}); };
    ASSERT_TRUE(importFile(fixturePath("rodzina.ged")).succeeded());
    // 4 individuals and 1 family, then 16 objects.
    QList<QPair<int, int>> expected;
    for (int i = 0; i <= 5; ++i)
        expected.append({i, 5});
    for (int i = 0; i <= 16; ++i)
        expected.append({i, 16});
    EXPECT_EQ(calls, expected);
}

TEST_F(GedcomImportTest, SavesThatAllFailKeepNothingAndReportTheStorageError)
{
    // A file where the data folder should be: no object file can be written, and the import's journal, which
    // goes first, cannot be either.
    writeFile("plik", "x");
    gDB.DataFolder = folder.path() + "/plik/";
    const GedcomImportSummary summary = importFile(fixturePath("rodzina.ged"));
    EXPECT_FALSE(summary.succeeded());
    EXPECT_EQ(summary.error,
              u("Nie można zapisać pliku [%1]: Not a directory").arg(gDB.DataFolder + ImportJournal::FileName));
    EXPECT_EQ(summary.message(), u("Import danych z pliku GEDCOM nie powiódł się i został wycofany: dane są takie jak "
                                   "przed importem.\r\n\r\n") +
                                     summary.error);
    EXPECT_EQ(summary.saveFailures, 0) << "no object file was tried";
    EXPECT_EQ(QList<int>({summary.persons, summary.facts, summary.pictures, summary.filesWritten}),
              QList<int>({0, 0, 0, 0}));
    EXPECT_EQ(QList<int>({gDB.GetPersonCount(), gDB.GetFactCount(), gDB.GetPictureCount()}), QList<int>({0, 0, 0}));
    for (const _Osoba& record : reader->individuals()) {
        EXPECT_EQ(record.person, nullptr);
        EXPECT_EQ(record.databaseID, QString());
    }
    // The copies made for the pictures went with their records.
    EXPECT_EQ(pictureFiles(), QStringList());
}

TEST_F(GedcomImportTest, SavesThatFailMidwayKeepNothingOfTheImport)
{
    KV_Person* existing = addPerson("Stefan", "Wrona");
    ASSERT_TRUE(gDB.SavePerson(existing, existing->ID));
    const QStringList before = describeDatabase();
    // Once three objects are written, a folder stands where each further file should go.
    int starts = 0;
    int lastSaved = 0;
    progress = [&starts, &lastSaved, this](int position, int) {
        starts += position == 0;
        if (starts == 2)
            lastSaved = position;
        if (starts != 2 || position != 3)
            return;
        for (const auto& [id, person] : gDB.PersonMap)
            QDir().mkpath(pathOf(id));
        for (const auto& [id, fact] : gDB.FactMap)
            QDir().mkpath(pathOf(id));
        for (const auto& [id, picture] : gDB.PictureMap)
            QDir().mkpath(pathOf(id));
    };
    const GedcomImportSummary summary = importFile(fixturePath("rodzina.ged"));
    EXPECT_FALSE(summary.succeeded());
    // The first write that fails ends the saving and says why, once.
    EXPECT_TRUE(summary.error.startsWith(u("Nie można zapisać pliku [%1").arg(gDB.DataFolder)))
        << summary.error.toStdString();
    EXPECT_TRUE(summary.error.endsWith("]: Is a directory")) << summary.error.toStdString();
    EXPECT_EQ(summary.error.count(u("Nie można")), 1) << summary.error.toStdString();
    EXPECT_EQ(summary.saveFailures, 1);
    EXPECT_EQ(lastSaved, 3) << "no write was tried after the failed one";
    // Memory and the data folder agree: both hold what was there before the import, and nothing of it.
    EXPECT_EQ(describeDatabase(), before);
    EXPECT_EQ(filesInFolder(), QStringList({existing->ID + ".kvfile"}));
    EXPECT_EQ(pictureFiles(), QStringList());
    reload();
    EXPECT_EQ(describeDatabase(), before);
}

TEST_F(GedcomImportTest, PictureLinksOfEveryFormAreListedOnce)
{
    QTemporaryDir elsewhere;
    writeFileBytes(elsewhere.filePath("daleko.png"), "png");
    writeFileBytes(source.filePath("serwer.gif"), "gif");
    const QByteArray link = "1 OBJE\n2 FILE ";
    const GedcomImportSummary summary = importRecords(
        "0 @I1@ INDI\n1 NAME Jan /Nowak/\n" + link + elsewhere.filePath("daleko.png").toUtf8() + "\n" + link +
        "\\\\serwer\\zdjecia\\serwer.gif\n" + link + "brak.jpg\n" + link + "plik.pdf\n" + link +
        "mailto:jan@poczta.jpg\n" + "0 @I2@ INDI\n1 NAME Ewa /Nowak/\n" + link + "brak.jpg\n" + link + "plik.pdf\n");
    ASSERT_TRUE(summary.succeeded());
    EXPECT_EQ(pictureFiles(), QStringList({"daleko.png", "serwer.gif"}));
    EXPECT_EQ(summary.missingPictures, QStringList({"brak.jpg"}));
    EXPECT_EQ(summary.notPictures, QStringList({"plik.pdf", "mailto:jan@poczta.jpg"}));
    reload();
    EXPECT_EQ(picturesOf(personNamed("Jan")), QStringList({"[#] daleko.png||", "[#] serwer.gif||", "brak.jpg||"}));
    EXPECT_EQ(picturesOf(personNamed("Ewa")), QStringList({"brak.jpg||"}));
}

TEST_F(GedcomImportTest, APictureThatCannotBeCopiedKeepsTheFileWhereItWasFound)
{
    // A file where the pictures folder should be: nothing can be copied into it.
    writeFile("multimedia", "x");
    writeFileBytes(source.filePath("jan.gif"), "gif");
    const GedcomImportSummary summary = importRecords("0 @I1@ INDI\n1 NAME Jan /Nowak/\n1 OBJE\n2 FILE jan.gif\n");
    ASSERT_TRUE(summary.succeeded());
    EXPECT_EQ(summary.picturesCopied, 0);
    EXPECT_EQ(summary.uncopiedPictures, QStringList({"jan.gif"}));
    reload();
    EXPECT_EQ(picturesOf(personNamed("Jan")), QStringList({source.filePath("jan.gif") + "||"}));
}

TEST_F(GedcomImportTest, theSummaryDetailsGiveTheCountsAndTheFirstEntriesOfEachList)
{
    GedcomImportSummary summary;
    summary.persons = 3;
    summary.facts = 7;
    summary.pictures = 1;
    EXPECT_EQ(summary.details(), u("Dodane osoby: 3, fakty: 7, zdjęcia: 1.")) << "nothing passed over";

    summary.danglingReferences = 2;
    for (int i = 1; i <= 503; ++i)
        summary.missingPictures << QStringLiteral("zdjecie%1.jpg").arg(i);
    summary.notPictures << QStringLiteral("akt.pdf");
    const QStringList paragraphs = summary.details().split(QStringLiteral("\r\n\r\n"));
    ASSERT_EQ(paragraphs.size(), 4);
    EXPECT_EQ(paragraphs[1], u("Odwołania rodzin do osób, których nie ma w pliku: 2"));
    const QStringList missing = paragraphs[2].split(QStringLiteral("\r\n"));
    ASSERT_EQ(missing.size(), 502);
    EXPECT_EQ(missing[1], "zdjecie1.jpg");
    EXPECT_EQ(missing[500], "zdjecie500.jpg");
    EXPECT_EQ(missing[501], u("... i jeszcze 3"));
    EXPECT_EQ(paragraphs[3], u("Odnośniki, które nie są zdjęciami (pominięte):\r\nakt.pdf"));

    summary.valuesNotTaken << u("Jan Nowak (@I1@): BIRT PLAC: Lublin");
    summary.unconvertedIndividualTags = {{"SOUR", 2}, {"TITL", 5}};
    const QStringList more = summary.details().split(QStringLiteral("\r\n\r\n"));
    ASSERT_EQ(more.size(), 6);
    EXPECT_TRUE(more[4].endsWith(u(":\r\nJan Nowak (@I1@): BIRT PLAC: Lublin"))) << more[4].toStdString();
    EXPECT_EQ(more[5],
              u("Wiersze osób, których program nie importuje (znacznik: liczba wierszy):\r\nTITL: 5\r\nSOUR: 2"));
}
