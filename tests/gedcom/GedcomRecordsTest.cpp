// The record passes: individuals, families, sources and picture records.
#include "GedcomTestSupport.h"

namespace {

// One individual read from the lines after its head line.
_Osoba individual(const QByteArray& lines)
{
    const auto reader = readGedcom("0 HEAD\n0 @I1@ INDI\n" + lines + "0 TRLR\n");
    EXPECT_EQ(reader->individuals().size(), 1);
    return reader->individuals().value(0);
}

_Fam family(const QByteArray& lines)
{
    const auto reader = readGedcom("0 HEAD\n0 @F1@ FAM\n" + lines + "0 TRLR\n");
    EXPECT_EQ(reader->families().size(), 1);
    return reader->families().value(0);
}

} // namespace

TEST(GedcomRecordsTest, individualKeepsNameSexBirthAndItsLines)
{
    const auto reader = readGedcom("0 HEAD\n"
                                   "0 @I1@ INDI\n"
                                   "1 NAME Jan /Nowak/\n"
                                   "\n"
                                   "1 SEX M\n"
                                   "1 BIRT\n"
                                   "2 DATE 1 JAN 1900\n"
                                   "2 PLAC Kraków\n"
                                   "0 TRLR\n");
    ASSERT_EQ(reader->individuals().size(), 1);
    const _Osoba& jan = reader->individuals().first();
    EXPECT_EQ(jan.xref, "@I1@");
    EXPECT_EQ(jan.fullName, "Jan /Nowak/");
    EXPECT_EQ(jan.givenNames, "Jan");
    EXPECT_EQ(jan.surname, "Nowak");
    EXPECT_EQ(jan.familyName, "Nowak");
    EXPECT_EQ(jan.sex, "M");
    EXPECT_EQ(jan.birth.date(), "01-01-1900");
    EXPECT_EQ(jan.birth.originalDate(), "1 JAN 1900");
    EXPECT_EQ(jan.birth.place, "Kraków");
    // Physical lines of the file, blank ones counted.
    EXPECT_EQ(jan.firstLine, 2);
    EXPECT_EQ(jan.lastLine, 8);
    EXPECT_EQ(jan.person, nullptr);
    EXPECT_TRUE(jan.databaseID.isEmpty());
}

TEST(GedcomRecordsTest, namesComeFromTheFirstUntypedNameAndItsParts)
{
    struct Case
    {
        const char* name;
        QByteArray lines;
        QString fullName;
        QString givenNames;
        QString surname;
        QString familyName;
    };
    const Case cases[] = {
        {"married name alone is the name", "1 NAME Anna /Kowalska/\n2 TYPE married\n2 GIVN Ania\n2 SURN Kowalska\n",
         "Anna /Kowalska/", "Ania", "Kowalska", "Kowalska"},
        {"the first of other names alone", "1 NAME Johnny /N/\n2 TYPE aka\n1 NAME Jan /Nowak/\n2 TYPE immigrant\n",
         "Johnny /N/", "Johnny", "N", "N"},
        {"a birth name after a married one wins", "1 NAME Ania /K/\n2 TYPE married\n2 GIVN Ania\n1 NAME Anna /Nowak/\n",
         "Anna /Nowak/", "Anna", "Nowak", "Nowak"},
        {"maiden and married names", "1 NAME Anna /Nowak/\n2 TYPE maiden\n1 NAME Anna /Kowalska/\n2 TYPE married\n",
         "Anna /Kowalska/", "Anna", "Kowalska", "Nowak"},
        {"birth name is the name", "1 NAME Anna /Nowak/\n2 TYPE birth\n2 GIVN Anna Maria\n", "Anna /Nowak/",
         "Anna Maria", "Nowak", "Nowak"},
        {"maiden name in lower case", "1 NAME Anna /Kowalska/\n1 NAME Anna /Nowak/\n2 TYPE maiden\n", "Anna /Kowalska/",
         "Anna", "Kowalska", "Nowak"},
        {"maiden name from between the slashes", "1 NAME Anna /Kowalska/\n2 TYPE MAIDEN\n", "", "", "", "Kowalska"},
        {"maiden name without slashes", "1 NAME Anna Kowalska\n2 TYPE Maiden\n", "", "", "", "Anna Kowalska"},
        {"maiden SURN wins", "1 NAME Anna /K/\n2 TYPE maiden\n2 SURN Kowalska\n", "", "", "", "Kowalska"},
        {"first untyped name stays", "1 NAME Jan /Nowak/\n1 NAME Janek /Nowakowski/\n2 GIVN Janek\n", "Jan /Nowak/",
         "Jan", "Nowak", "Nowak"},
        {"a typed name before the name", "1 NAME Johnny /N/\n2 TYPE aka\n1 NAME Jan /Nowak/\n", "Jan /Nowak/", "Jan",
         "Nowak", "Nowak"},
        {"GIVN and MIDDLE", "1 NAME J. /Nowak/\n2 GIVN Jan\n2 MIDDLE Maria\n", "J. /Nowak/", "Jan Maria", "Nowak",
         "Nowak"},
        {"SURN wins over the slashes", "1 NAME Jan /Nowak/\n2 SURN Nowak-Jeziorański\n", "Jan /Nowak/", "Jan",
         "Nowak-Jeziorański", "Nowak-Jeziorański"},
        {"name without slashes", "1 NAME Jan Nowak\n", "Jan Nowak", "Jan Nowak", "", ""},
        {"name parts at the wrong level", "1 NAME Jan /Nowak/\n3 GIVN Piotr\n", "Jan /Nowak/", "Jan", "Nowak", "Nowak"},
        {"parts under another line are not the name's", "1 NAME Jan /Nowak/\n1 BIRT\n2 GIVN Piotr\n2 SURN Lis\n",
         "Jan /Nowak/", "Jan", "Nowak", "Nowak"},
        {"nor the maiden name's", "1 NAME Anna /K/\n2 TYPE maiden\n1 BIRT\n2 SURN Lis\n", "", "", "", "K"},
        {"level-2 NAME is no name", "1 EVEN\n2 NAME Jan /Nowak/\n", "", "", "", ""},
    };
    for (const Case& c : cases) {
        const _Osoba person = individual(c.lines);
        EXPECT_EQ(person.fullName, c.fullName) << c.name;
        EXPECT_EQ(person.givenNames, c.givenNames) << c.name;
        EXPECT_EQ(person.surname, c.surname) << c.name;
        EXPECT_EQ(person.familyName, c.familyName) << c.name;
    }
}

TEST(GedcomRecordsTest, namePartsOfOtherNamesAreNotTaken)
{
    const _Osoba person = individual("1 NAME Jan /Nowak/\n2 NPFX dr\n2 NSFX jr\n2 _MARNM Kowalski\n"
                                     "1 NAME Johnny /N/\n2 NPFX prof.\n2 NSFX sr\n2 _MAR Wiśniewski\n");
    EXPECT_EQ(person.details().namePrefix, "dr");
    EXPECT_EQ(person.details().nameSuffix, "jr");
    EXPECT_EQ(person.details().marriedName, "Kowalski");
}

TEST(GedcomRecordsTest, individualAttributesAndAdoption)
{
    const _Osoba person = individual("1 OCCU rolnik\n1 NATI polska\n1 RELI rzymskokatolickie\n"
                                     "1 ADOPT\n2 FAMC @F7@\n");
    EXPECT_EQ(person.occupation, "rolnik");
    EXPECT_EQ(person.details().nationality, "polska");
    EXPECT_EQ(person.details().religion, "rzymskokatolickie");
    EXPECT_EQ(person.details().adoptionFamily, "@F7@");
}

TEST(GedcomRecordsTest, eventsKeepDatesPlacesAndWhatTheDeathAndBurialLinesSay)
{
    const _Osoba person = individual("1 CHR\n2 DATE ABT 1850\n2 PLAC Gniezno\n"
                                     "1 DEAT Y\n2 CAUS gruźlica\n"
                                     "1 BURI\n2 PLAC Poznań\n");
    EXPECT_EQ(person.details().baptism.date(), "około 1850");
    EXPECT_EQ(person.details().baptism.place, "Gniezno");
    EXPECT_TRUE(person.died);
    EXPECT_EQ(person.details().deathValue, "Y");
    EXPECT_EQ(person.details().deathCause, "gruźlica");
    EXPECT_TRUE(person.death.isEmpty());
    EXPECT_TRUE(person.buried);
    EXPECT_TRUE(person.details().burialValue.isEmpty());
    EXPECT_EQ(person.details().burial.place, "Poznań");

    const _Osoba alive = individual("1 NAME Jan /Nowak/\n");
    EXPECT_FALSE(alive.died);
    EXPECT_FALSE(alive.buried);
}

// What few individuals have is kept apart from the record; a copy that changes it leaves the original alone.
TEST(GedcomRecordsTest, aCopyOfARecordHasDetailsOfItsOwn)
{
    const _Osoba believer = individual("1 NAME Jan /Nowak/\n1 RELI rzymskokatolickie\n");
    _Osoba convert = believer;
    convert.editDetails().religion = "prawosławne";
    EXPECT_EQ(believer.details().religion, "rzymskokatolickie");
    EXPECT_EQ(convert.details().religion, "prawosławne");

    const _Osoba plain = individual("1 NAME Jan /Nowak/\n");
    _Osoba changed = plain;
    changed.editDetails().deathCause = "tyfus";
    EXPECT_TRUE(plain.details().deathCause.isEmpty());
    EXPECT_EQ(changed.details().deathCause, "tyfus");
}

// Name parts and pointers to individuals repeat throughout a file: the records hold one copy of each text.
TEST(GedcomRecordsTest, recordsShareTheTextsTheyRepeat)
{
    const auto reader = readGedcom("0 @I1@ INDI\n1 NAME Jan /Nowak/\n"
                                   "0 @I2@ INDI\n1 NAME Jan /Nowak/\n"
                                   "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I9@\n1 CHIL @I2@\n0 TRLR\n");
    ASSERT_EQ(reader->individuals().size(), 2);
    const _Osoba& father = reader->individuals()[0];
    const _Osoba& son = reader->individuals()[1];
    EXPECT_TRUE(son.givenNames.isSharedWith(father.givenNames));
    EXPECT_TRUE(son.surname.isSharedWith(father.surname));
    ASSERT_EQ(reader->families().size(), 1);
    const _Fam& family = reader->families().first();
    EXPECT_TRUE(family.husband.isSharedWith(father.xref));
    ASSERT_EQ(family.children.size(), 1);
    EXPECT_TRUE(family.children.first().isSharedWith(son.xref));
    EXPECT_EQ(family.wife, "@I9@");
}

TEST(GedcomRecordsTest, aDateRMDataCannotHoldStaysEmptyAndKeepsItsText)
{
    const _Osoba person = individual("1 BIRT\n2 DATE INT 1900 (około)\n1 DEAT\n2 DATE @#DJULIAN@ 1 JAN 1700\n");
    EXPECT_TRUE(person.birth.date().isEmpty());
    EXPECT_EQ(person.birth.originalDate(), "INT 1900 (około)");
    EXPECT_TRUE(person.death.date().isEmpty());
    EXPECT_EQ(person.death.originalDate(), "@#DJULIAN@ 1 JAN 1700");
}

TEST(GedcomRecordsTest, aRepeatedEventWithoutDateOrPlaceKeepsWhatTheFirstGave)
{
    const _Osoba person = individual("1 BIRT\n2 DATE 14 OCT 1574\n2 PLAC Skanderborg\n"
                                     "1 DEAT\n2 DATE 1619\n2 CAUS starość\n"
                                     "1 BAPM\n2 DATE 1574\n"
                                     "1 BIRT\n2 _UID x\n"
                                     "1 DEAT\n"
                                     "1 CHR\n2 DATE 1574\n");
    EXPECT_EQ(person.birth.date(), "14-10-1574");
    EXPECT_EQ(person.birth.place, "Skanderborg");
    EXPECT_EQ(person.death.date(), "1619");
    EXPECT_EQ(person.details().deathCause, "starość");
    EXPECT_EQ(person.details().baptism.date(), "1574");
    EXPECT_TRUE(person.details().valuesNotTaken.isEmpty()) << "repeating a value drops nothing";
}

TEST(GedcomRecordsTest, theFirstEventOfAKindIsKeptAndLaterOnesOnlyFillItsGaps)
{
    struct Case
    {
        const char* what;
        QByteArray lines;
        QString birthDate;
        QString birthPlace;
        QStringList notTaken;
    };
    const Case cases[] = {
        {"a later place fills the gap",
         "1 BIRT\n2 DATE 5 MAY 1900\n1 BIRT\n2 PLAC Lublin\n",
         "05-05-1900",
         "Lublin",
         {}},
        {"a later date fills the gap",
         "1 BIRT\n2 PLAC Lublin\n1 BIRT\n2 DATE 5 MAY 1900\n",
         "05-05-1900",
         "Lublin",
         {}},
        {"an empty first event is filled", "1 BIRT\n1 BIRT\n2 DATE 1900\n2 PLAC Lublin\n", "1900", "Lublin", {}},
        {"differing later values are listed",
         "1 BIRT\n2 DATE 5 MAY 1900\n2 PLAC Lublin\n1 BIRT\n2 DATE ABT 1901\n2 PLAC Chełm\n",
         "05-05-1900",
         "Lublin",
         {"BIRT DATE: ABT 1901", "BIRT PLAC: Chełm"}},
        {"a third event fills what the first two lacked",
         "1 BIRT\n2 DATE 1900\n1 BIRT\n2 DATE 1899\n1 BIRT\n2 PLAC Lublin\n",
         "1900",
         "Lublin",
         {"BIRT DATE: 1899"}},
    };
    for (const Case& c : cases) {
        const _Osoba person = individual(c.lines);
        EXPECT_EQ(person.birth.date(), c.birthDate) << c.what;
        EXPECT_EQ(person.birth.place, c.birthPlace) << c.what;
        QStringList notTaken;
        for (const GedcomValueNotTaken& value : person.details().valuesNotTaken)
            notTaken << value.tag + ": " + value.value;
        EXPECT_EQ(notTaken, c.notTaken) << c.what;
    }

    // Baptism and christening are one kind; the cause of death follows the same rule.
    const _Osoba other = individual("1 BAPM\n2 PLAC Gniezno\n1 CHR\n2 DATE 1850\n2 PLAC Poznań\n"
                                    "1 DEAT\n2 CAUS gruźlica\n1 DEAT\n2 DATE 1900\n2 CAUS tyfus\n");
    EXPECT_EQ(other.details().baptism.date(), "1850");
    EXPECT_EQ(other.details().baptism.place, "Gniezno");
    EXPECT_EQ(other.death.date(), "1900");
    EXPECT_EQ(other.details().deathCause, "gruźlica");
    const QList<GedcomValueNotTaken>& notTaken = other.details().valuesNotTaken;
    ASSERT_EQ(notTaken.size(), 2);
    EXPECT_EQ(notTaken[0].tag + ": " + notTaken[0].value, "CHR PLAC: Poznań");
    EXPECT_EQ(notTaken[1].tag + ": " + notTaken[1].value, "DEAT CAUS: tyfus");
}

TEST(GedcomRecordsTest, eventValuesDoNotComeFromCitationsOrNotesUnderThem)
{
    const _Osoba person = individual("1 BIRT\n2 SOUR @S1@\n3 DATA\n4 DATE 1 JAN 1990\n2 NOTE x\n3 PLAC Notatka\n"
                                     "2 PLAC Kraków\n");
    EXPECT_TRUE(person.birth.originalDate().isEmpty());
    EXPECT_EQ(person.birth.place, "Kraków");
}

TEST(GedcomRecordsTest, residenceGivesTheAddress)
{
    struct Case
    {
        const char* name;
        QByteArray lines;
        QString address;
        QString city;
        QString state;
        QString postalCode;
        QString country;
    };
    const Case cases[] = {
        {"address with parts",
         "1 RESI\n2 ADDR ul. Długa 5\n3 CITY Gdańsk\n3 POST 80-001\n3 STAE pomorskie\n"
         "3 CTRY Polska\n",
         "ul. Długa 5", "Gdańsk", "pomorskie", "80-001", "Polska"},
        {"place for the city", "1 RESI\n2 PLAC Gdańsk\n", "", "Gdańsk", "", "", ""},
        {"ADR1 wins", "1 RESI\n2 ADDR Długa 5, Gdańsk\n3 ADR1 ul. Długa 5\n", "ul. Długa 5", "", "", "", ""},
        {"later residence replaces", "1 RESI\n2 PLAC Gdańsk\n1 RESI\n2 ADDR Rynek 1\n", "Rynek 1", "", "", "", ""},
        {"residence with only a date keeps the address", "1 RESI\n2 PLAC Gdańsk\n1 RESI\n2 DATE 1900\n", "", "Gdańsk",
         "", "", ""},
    };
    for (const Case& c : cases) {
        const _Adres address = individual(c.lines).details().address;
        EXPECT_EQ(address.address, c.address) << c.name;
        EXPECT_EQ(address.city, c.city) << c.name;
        EXPECT_EQ(address.state, c.state) << c.name;
        EXPECT_EQ(address.postalCode, c.postalCode) << c.name;
        EXPECT_EQ(address.country, c.country) << c.name;
    }
}

TEST(GedcomRecordsTest, multimediaLinksEndAtTheLineThatEndsThem)
{
    const auto reader = readGedcom("0 @I1@ INDI\n"
                                   "1 OBJE\n"
                                   "2 FORM jpg\n"
                                   "2 FILE a.jpg\n"
                                   "2 TITL Portret\n"
                                   "2 NOTE Zdjęcie z\n"
                                   "3 CONC  ślubu\n"
                                   "3 CONT 1920\n"
                                   "1 TITL hrabia\n"
                                   "1 OBJE\n"
                                   "2 FILE\n"
                                   "3 FORM png\n"
                                   "0 @F1@ FAM\n"
                                   "1 OBJE\n"
                                   "2 FILE rodzina.jpg\n"
                                   "2 NOTE Rodzina\n"
                                   "0 TRLR\n");
    ASSERT_EQ(reader->individuals().size(), 1);
    const QList<_Multimedia>& links = reader->individuals().first().multimedia;
    ASSERT_EQ(links.size(), 2);
    EXPECT_EQ(links[0].form, "jpg");
    EXPECT_EQ(links[0].file, "a.jpg");
    EXPECT_EQ(links[0].title, "Portret");
    EXPECT_EQ(links[0].note, "Zdjęcie z ślubu\r\n1920");
    EXPECT_EQ(links[1].form, "png");
    EXPECT_TRUE(links[1].file.isEmpty());
    // Only the links of individuals are counted.
    EXPECT_EQ(reader->multimediaCount(), 2);
    ASSERT_EQ(reader->families().size(), 1);
    ASSERT_EQ(reader->families().first().multimedia.size(), 1);
    EXPECT_EQ(reader->families().first().multimedia[0].file, "rodzina.jpg");
    EXPECT_EQ(reader->families().first().multimedia[0].note, "Rodzina");
}

TEST(GedcomRecordsTest, pictureUnderAnEventIsThePersonsButNotOneUnderACitation)
{
    const auto reader = readGedcom("0 @I1@ INDI\n"
                                   "1 DEAT\n"
                                   "2 DATE 22 NOV 1963\n"
                                   "2 OBJE\n"
                                   "3 FILE documents/gazeta.jpg\n"
                                   "3 TITL Wiadomość\n"
                                   "1 SOUR @S1@\n"
                                   "2 OBJE\n"
                                   "3 FILE zrodlo.jpg\n"
                                   "0 TRLR\n");
    ASSERT_EQ(reader->individuals().size(), 1);
    const QList<_Multimedia>& links = reader->individuals().first().multimedia;
    ASSERT_EQ(links.size(), 1);
    EXPECT_EQ(links[0].file, "documents/gazeta.jpg");
    EXPECT_EQ(links[0].title, "Wiadomość");
    EXPECT_EQ(reader->individuals().first().death.date().isEmpty(), false);
}

TEST(GedcomRecordsTest, picturesTextJoinsItsConcLinesAndKeepsThePrimaryPicture)
{
    const _Osoba person = individual("1 PICTURES a.jpg;b.\n2 CONC jpg\n2 PRIMARY a.jpg\n1 NOTE n\n");
    EXPECT_EQ(person.details().pictures, "a.jpg;b.jpg");
    EXPECT_EQ(person.details().primaryPicture, "a.jpg");
}

TEST(GedcomRecordsTest, citationsTakeTheirEventAndTheirParts)
{
    const _Osoba person = individual("1 BIRT\n"
                                     "2 SOUR @S1@\n"
                                     "3 PAGE s. 12\n"
                                     "3 QUAY 3\n"
                                     "3 DATA\n"
                                     "4 DATE 5 MAY 1901\n"
                                     "4 TEXT Urodził się\n"
                                     "5 CONC  syn\n"
                                     "5 CONT Jan\n"
                                     "2 SOUR @S2@\n"
                                     "3 EVEN BIRT\n"
                                     "3 QUAY 2b\n"
                                     "1 SOUR @S3@\n"
                                     "2 QUAY x\n"
                                     "1 DEAT\n"
                                     "2 SOUR @S4@\n"
                                     "1 NAME Jan /Nowak/\n"
                                     "2 SOUR @S5@\n");
    ASSERT_EQ(person.citations.size(), 5);
    const _ODWOLANIE& birth = person.citations[0];
    EXPECT_EQ(birth.source, "@S1@");
    EXPECT_EQ(birth.event, "dot. urodzenia");
    EXPECT_EQ(birth.page, "s. 12");
    EXPECT_EQ(birth.quality, 3);
    EXPECT_EQ(birth.date, "05-05-1901");
    EXPECT_EQ(birth.text, "Urodził się syn\r\nJan");
    EXPECT_EQ(person.citations[1].event, "BIRT");
    EXPECT_EQ(person.citations[1].quality, 2);
    EXPECT_TRUE(person.citations[2].event.isEmpty());
    EXPECT_EQ(person.citations[2].quality, 0);
    EXPECT_EQ(person.citations[3].event, "dot. zgonu");
    // A level-1 line empties the event label: a name's citation belongs to no event.
    EXPECT_TRUE(person.citations[4].event.isEmpty());
}

TEST(GedcomRecordsTest, notesContinueAndSeveralNotesAreAllKept)
{
    EXPECT_EQ(individual("1 NOTE Ala\n2 CONT ma\n2 CONC kota\n").note, "Ala\r\nmakota");
    EXPECT_EQ(individual("1 NOTE Ala\n2 CONT ma\n1 SEX F\n2 CONC kota\n").note, "Ala\r\nma");
    EXPECT_EQ(individual("1 NOTE Pierwsza\n1 SEX F\n1 NOTE Druga\n2 CONC  notatka\n").note,
              "Pierwsza\r\nDruga notatka");
}

// A note record is joined like a note written in place; pointers may come before or after it.
TEST(GedcomRecordsTest, notePointersTakeTheTextOfTheirRecords)
{
    struct Case
    {
        const char* name;
        QByteArray lines;
        QString note;
        int pointingNowhere;
    };
    const QString shared = u("Urodził się w Krakowie\r\ni tam żył.");
    const Case cases[] = {
        {"pointer", "1 NOTE @N1@\n", shared, 0},
        {"pointer between blanks", "1 NOTE  @N1@ \n", shared, 0},
        {"record before the individual", "1 NOTE @N0@\n", "Wcześniejsza", 0},
        {"after a note in place", "1 NOTE Własna\n2 CONC  notatka\n1 NOTE @N1@\n", "Własna notatka\r\n" + shared, 0},
        {"pointer to no record", "1 NOTE @N9@\n", "", 1},
        {"pointer to no record among notes", "1 NOTE Pierwsza\n1 NOTE @N9@\n1 NOTE Druga\n", "Pierwsza\r\nDruga", 1},
        {"a pointer's case counts", "1 NOTE @n1@\n", "", 1},
        {"at-signs in text", "1 NOTE jan@example.pl\n1 NOTE @N1@ i dalej\n", "jan@example.pl\r\n@N1@ i dalej", 0},
    };
    for (const Case& c : cases) {
        const auto reader = readGedcom("0 HEAD\n0 @N0@ NOTE Wcześniejsza\n0 @I1@ INDI\n" + c.lines +
                                       "0 @N1@ NOTE Urodził się\n1 CONC  w Krakowie\n1 CONT i tam żył.\n"
                                       "1 CHAN\n2 DATE 1 JAN 2000\n0 TRLR\n");
        ASSERT_EQ(reader->individuals().size(), 1) << c.name;
        EXPECT_EQ(reader->individuals().first().note, c.note) << c.name;
        EXPECT_EQ(reader->notesPointingNowhere(), c.pointingNowhere) << c.name;
    }
}

TEST(GedcomRecordsTest, oneNoteRecordServesEveryRecordPointingAtIt)
{
    const auto reader = readGedcom("0 @I1@ INDI\n1 NOTE @N1@\n0 @I2@ INDI\n1 NOTE @N1@\n"
                                   "0 @F1@ FAM\n1 NOTE @N1@\n0 @N1@ NOTE Ród\n1 CONC  Nowaków\n0 TRLR\n");
    ASSERT_EQ(reader->individuals().size(), 2);
    EXPECT_EQ(reader->individuals()[0].note, u("Ród Nowaków"));
    EXPECT_EQ(reader->individuals()[1].note, u("Ród Nowaków"));
    ASSERT_EQ(reader->families().size(), 1);
    EXPECT_EQ(reader->families().first().note, u("Ród Nowaków"));
}

// Multimedia records written both ways: FORM and TITL beside FILE, or under it.
TEST(GedcomRecordsTest, multimediaPointersTakeTheFieldsOfTheirRecords)
{
    const auto reader = readGedcom("0 @I1@ INDI\n"
                                   "1 OBJE @M1@\n"
                                   "1 BIRT\n"
                                   "2 OBJE @M2@\n"
                                   "1 OBJE @M9@\n"
                                   "1 OBJE\n"
                                   "2 FILE w_miejscu.jpg\n"
                                   "0 @F1@ FAM\n"
                                   "1 OBJE @M2@\n"
                                   "0 @M1@ OBJE\n"
                                   "1 FORM jpeg\n"
                                   "1 TITL Portret\n"
                                   "1 FILE portret.jpg\n"
                                   "1 NOTE @N1@\n"
                                   "0 @M2@ OBJE\n"
                                   "1 FILE slub.png\n"
                                   "2 FORM png\n"
                                   "3 TYPE photo\n"
                                   "2 TITL Ślub\n"
                                   "1 NOTE Opis\n"
                                   "2 CONC  ślubu\n"
                                   "1 CHAN\n"
                                   "2 DATE 1 JAN 2000\n"
                                   "0 @N1@ NOTE Z albumu\n"
                                   "0 TRLR\n");
    ASSERT_EQ(reader->individuals().size(), 1);
    const QList<_Multimedia>& links = reader->individuals().first().multimedia;
    ASSERT_EQ(links.size(), 3);
    const auto fields = [](const _Multimedia& link) {
        return QStringList{link.form, link.file, link.title, link.note};
    };
    EXPECT_EQ(fields(links[0]), QStringList({"jpeg", "portret.jpg", "Portret", "Z albumu"}));
    EXPECT_EQ(fields(links[1]), QStringList({"png", "slub.png", u("Ślub"), u("Opis ślubu")}));
    EXPECT_EQ(fields(links[2]), QStringList({"", "w_miejscu.jpg", "", ""}));
    ASSERT_EQ(reader->families().size(), 1);
    ASSERT_EQ(reader->families().first().multimedia.size(), 1);
    EXPECT_EQ(fields(reader->families().first().multimedia[0]), fields(links[1]));
    // The link to no record is not made.
    EXPECT_EQ(reader->multimediaCount(), 3);
    EXPECT_EQ(reader->multimediaFromRecords(), 3);
    EXPECT_EQ(reader->multimediaPointingNowhere(), 1);
    EXPECT_EQ(reader->notesPointingNowhere(), 0);
}

TEST(GedcomRecordsTest, lastRecordsNeedNoTrailer)
{
    const auto reader = readGedcom("0 @I1@ INDI\n1 NAME Jan /Nowak/\n"
                                   "0 @S1@ SOUR\n1 TITL Księga\n"
                                   "0 @P1@ Picture\n1 PATH a.jpg\n"
                                   "0 @F1@ FAM\n1 HUSB @I1@\n1 MARR\n2 PLAC Poznań");
    ASSERT_EQ(reader->individuals().size(), 1);
    EXPECT_EQ(reader->individuals().first().fullName, "Jan /Nowak/");
    EXPECT_EQ(reader->individuals().first().lastLine, 2);
    ASSERT_EQ(reader->families().size(), 1);
    EXPECT_EQ(reader->families().first().marriage.place, "Poznań");
    EXPECT_EQ(reader->families().first().lastLine, 10);
    ASSERT_EQ(reader->sources().size(), 1);
    EXPECT_EQ(reader->sources().first().title, "Księga");
    ASSERT_EQ(reader->pictures().size(), 1);
    EXPECT_EQ(reader->pictures().first().path, "a.jpg");
    EXPECT_TRUE(reader->problems().isEmpty());
}

TEST(GedcomRecordsTest, recordHeadsNeedACrossReference)
{
    const auto reader = readGedcom("0 INDI\n1 NAME Bez /Odnośnika/\n0 @I1@ INDI\n1 NAME Jan /Nowak/\n"
                                   "0 @I2@ INDI extra\n0 TRLR\n");
    ASSERT_EQ(reader->individuals().size(), 2);
    EXPECT_EQ(reader->individuals()[0].xref, "@I1@");
    EXPECT_EQ(reader->individuals()[1].xref, "@I2@");
}

TEST(GedcomRecordsTest, familyKeepsSpousesChildrenAndMarriage)
{
    const _Fam f = family("1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 CHIL @I4@\n"
                          "1 MARR\n2 DATE BET 1900 AND 1901\n2 PLAC Poznań\n1 NOTE Ślub\n2 CONT w kościele\n");
    EXPECT_EQ(f.xref, "@F1@");
    EXPECT_EQ(f.husband, "@I1@");
    EXPECT_EQ(f.wife, "@I2@");
    EXPECT_EQ(f.children, QStringList({"@I3@", "@I4@"}));
    EXPECT_TRUE(f.married);
    EXPECT_EQ(f.marriage.date(), "1900 - 1901");
    EXPECT_EQ(f.marriage.originalDate(), "BET 1900 AND 1901");
    EXPECT_EQ(f.marriage.place, "Poznań");
    EXPECT_FALSE(f.details().engaged);
    EXPECT_EQ(f.details().end, _Fam::End::None);
    EXPECT_EQ(f.note, "Ślub\r\nw kościele");
    EXPECT_EQ(f.firstLine, 2);
    EXPECT_EQ(f.lastLine, 11);
}

TEST(GedcomRecordsTest, familyEventsAndTheirEnd)
{
    struct Case
    {
        const char* name;
        QByteArray lines;
        _Fam::End end;
        QString endDate;
        QString endPlace;
    };
    const Case cases[] = {
        {"annulment then divorce", "1 ANUL\n2 DATE 1910\n2 PLAC Rzym\n1 DIV\n2 DATE 1920\n", _Fam::End::Divorce, "1920",
         ""},
        {"divorce then annulment", "1 DIV\n2 DATE 1920\n1 ANUL\n2 PLAC Rzym\n", _Fam::End::Annulment, "", "Rzym"},
        {"repeated divorce without date", "1 DIV\n2 DATE 1920\n1 DIV Y\n", _Fam::End::Divorce, "1920", ""},
        {"repeated divorce filling the place", "1 DIV\n2 DATE 1920\n1 DIV\n2 DATE 1921\n2 PLAC Rzym\n",
         _Fam::End::Divorce, "1920", "Rzym"},
        {"none", "1 HUSB @I1@\n", _Fam::End::None, "", ""},
    };
    for (const Case& c : cases) {
        const _Fam f = family(c.lines);
        EXPECT_EQ(f.details().end, c.end) << c.name;
        EXPECT_EQ(f.details().ending.date(), c.endDate) << c.name;
        EXPECT_EQ(f.details().ending.place, c.endPlace) << c.name;
    }

    const _Fam engaged = family("1 ENGA\n2 DATE FROM 1898 TO 1899\n2 PLAC Łódź\n1 MARR\n");
    EXPECT_TRUE(engaged.details().engaged);
    EXPECT_EQ(engaged.details().engagement.date(), "1898 - 1899");
    EXPECT_EQ(engaged.details().engagement.place, "Łódź");
    EXPECT_TRUE(engaged.married);
    EXPECT_TRUE(engaged.marriage.isEmpty());
}

TEST(GedcomRecordsTest, familyCitationsTakeTheEventTheyStandUnder)
{
    const _Fam f = family("1 MARR\n2 SOUR @S1@\n1 SOUR @S2@\n1 DIV\n2 SOUR @S3@\n3 PAGE 4\n");
    ASSERT_EQ(f.citations.size(), 3);
    EXPECT_EQ(f.citations[0].event, "dot. małżeństwa");
    EXPECT_TRUE(f.citations[1].event.isEmpty());
    EXPECT_EQ(f.citations[2].event, "dot. rozwodu");
    EXPECT_EQ(f.citations[2].page, "4");
}

TEST(GedcomRecordsTest, sourceRecordsKeepTitleAuthorRepositoryAndText)
{
    const auto reader = readGedcom("0 @I1@ INDI\n1 NAME Jan /Nowak/\n"
                                   "0 @S1@ SOUR\n"
                                   "1 TITL Księga chrztów\n"
                                   "1 AUTH ks. Kowalski\n"
                                   "1 PUBL Parafia\n"
                                   "1 ABBR KCh\n"
                                   "1 REPO @R1@\n"
                                   "2 CALN 12/1900\n"
                                   "3 MEDI book\n"
                                   "1 TEXT a\n"
                                   "2 CONT b\n"
                                   "2 CONC c\n"
                                   "1 NOTE n\n"
                                   "2 CONC d\n"
                                   "0 TRLR\n");
    // The source record ends the individual before it, as every level-0 line does.
    ASSERT_EQ(reader->individuals().size(), 1);
    EXPECT_EQ(reader->individuals().first().lastLine, 2);
    ASSERT_EQ(reader->sources().size(), 1);
    const _SOURCE& source = reader->sources().first();
    EXPECT_EQ(source.xref, "@S1@");
    EXPECT_EQ(source.title, "Księga chrztów");
    EXPECT_EQ(source.author, "ks. Kowalski");
    EXPECT_EQ(source.publication, "Parafia");
    EXPECT_EQ(source.abbreviation, "KCh");
    EXPECT_EQ(source.callNumber, "12/1900");
    EXPECT_EQ(source.medium, "book");
    EXPECT_EQ(source.text, "a\r\nbc");
    EXPECT_EQ(source.firstLine, 3);
    EXPECT_EQ(source.lastLine, 15);
}

TEST(GedcomRecordsTest, pictureRecordsUseTheirExactRecordWord)
{
    const auto reader = readGedcom("0 @P1@ Picture\n1 PATH C:\\zdjecia\\a.jpg\n1 NAME Portret\n"
                                   "1 DESCRIPTION Dziadek\n2 NAME inna\n"
                                   "0 @P2@ PICTURE\n1 PATH b.jpg\n0 TRLR\n");
    ASSERT_EQ(reader->pictures().size(), 1);
    const _PICTURE& picture = reader->pictures().first();
    EXPECT_EQ(picture.xref, "@P1@");
    EXPECT_EQ(picture.path, "C:\\zdjecia\\a.jpg");
    EXPECT_EQ(picture.name, "Portret");
    EXPECT_EQ(picture.description, "Dziadek");
}
