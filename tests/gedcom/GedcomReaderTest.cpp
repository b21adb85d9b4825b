// The reader's core: loading a file into lines, the line-level operations, the problems it lists and the
// progress protocol.
#include "GedcomTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

const QByteArray jan = "0 HEAD\n"
                       "0 @I1@ INDI\n"
                       "1 NAME Jan /Nowak/\n"
                       "1 SEX M\n"
                       "1 BIRT\n"
                       "2 DATE 1 JAN 1900\n"
                       "2 PLAC Kraków\n"
                       "0 TRLR\n";

struct Progress
{
    int stage;
    int position;
    int total;
    friend bool operator==(const Progress&, const Progress&) = default;
};

QByteArray lines(int count)
{
    QByteArray bytes = "0 HEAD\n";
    for (int i = 1; i < count; ++i)
        bytes += "1 NOTE x\n";
    return bytes;
}

} // namespace

TEST(GedcomReaderTest, splitLineCutsLevelCrossReferenceTagAndValue)
{
    struct Case
    {
        QByteArray line;
        _Gedcom::LineFault fault;
        int level;
        QByteArray xref;
        QByteArray tag;
        QByteArray value;
    };
    using F = _Gedcom::LineFault;
    const Case cases[] = {
        {"0 @I1@ INDI", F::None, 0, "@I1@", "INDI", ""},
        {"1 NAME Jan /Nowak/", F::None, 1, "", "NAME", "Jan /Nowak/"},
        {"2 CONC", F::None, 2, "", "CONC", ""},
        // The value starts after the one blank that ends the tag and keeps everything else.
        {"2 CONC  kota", F::None, 2, "", "CONC", " kota"},
        {"1 NOTE Ala ma ", F::None, 1, "", "NOTE", "Ala ma "},
        // Runs of blanks separate level, cross-reference and tag.
        {"1  NAME x", F::None, 1, "", "NAME", "x"},
        {"  3   PLAC  Kraków", F::None, 3, "", "PLAC", " Kraków"},
        {"0   @F1@   FAM", F::None, 0, "@F1@", "FAM", ""},
        {"0 @N1 ref@ NOTE x", F::None, 0, "@N1 ref@", "NOTE", "x"},
        {"0 @I1 INDI", F::None, 0, "@I1", "INDI", ""},
        {"1 HUSB @I1@", F::None, 1, "", "HUSB", "@I1@"},
        {"99 _CUSTOM deep", F::None, 99, "", "_CUSTOM", "deep"},
        {"X NAME Jan", F::LevelNotANumber, 0, "", "", ""},
        {"-1 NAME Jan", F::LevelNotANumber, 0, "", "", ""},
        {"+1 NAME Jan", F::LevelNotANumber, 0, "", "", ""},
        {"12345678901 NAME Jan", F::LevelNotANumber, 0, "", "", ""},
        {"Ala ma kota", F::LevelNotANumber, 0, "", "", ""},
        {"1", F::NoTag, 1, "", "", ""},
        {"0 @I1@", F::NoTag, 0, "@I1@", "", ""},
    };
    for (const Case& c : cases) {
        _Gedcom::LineParts parts;
        const _Gedcom::LineFault fault = _Gedcom::SplitLine(c.line, parts);
        EXPECT_EQ(fault, c.fault) << c.line.toStdString();
        if (fault == F::LevelNotANumber)
            continue;
        EXPECT_EQ(parts.level, c.level) << c.line.toStdString();
        EXPECT_EQ(parts.xref.toByteArray(), c.xref) << c.line.toStdString();
        EXPECT_EQ(parts.tag.toByteArray(), c.tag) << c.line.toStdString();
        EXPECT_EQ(parts.value.toByteArray(), c.value) << c.line.toStdString();
    }
}

TEST(GedcomReaderTest, everyLineEndEndsALineAndBlankLinesVanish)
{
    QByteArray crLf = jan;
    crLf.replace("\n", "\r\n");
    QByteArray cr = jan;
    cr.replace("\n", "\r");
    QByteArray mixedAndIndented = "0 HEAD\r\n\r\n   0 @I1@ INDI\r  1 NAME Jan /Nowak/\n\n\t1 SEX M\r\n1 BIRT\n"
                                  "\t\t2 DATE 1 JAN 1900\r2 PLAC Kraków\n   \n0 TRLR";
    for (const QByteArray& bytes : {jan, crLf, cr, mixedAndIndented}) {
        const auto reader = readGedcom(bytes);
        EXPECT_EQ(reader->lineCount(), 8);
        ASSERT_EQ(reader->individuals().size(), 1);
        const _Osoba& jan = reader->individuals().first();
        EXPECT_EQ(jan.fullName, "Jan /Nowak/");
        EXPECT_EQ(jan.sex, "M");
        EXPECT_EQ(jan.birth.date(), "01-01-1900");
        EXPECT_EQ(jan.birth.place, "Kraków");
        EXPECT_TRUE(reader->problems().isEmpty());
    }
}

TEST(GedcomReaderTest, fileWithoutMarkKeepsItsFirstLine)
{
    const auto reader = readGedcom("0 @I1@ INDI\n1 NAME Ewa /Lis/\n");
    ASSERT_EQ(reader->individuals().size(), 1);
    EXPECT_EQ(reader->individuals().first().fullName, "Ewa /Lis/");
}

TEST(GedcomReaderTest, tabsBecomeBlanksAndOtherControlCharactersAreRemovedAndListed)
{
    const char bytes[] = "0 @I1@ INDI\n1 NAME\tJan\t/No\x01wak/\n1 NOTE a\x00\x1B"
                         "b\x7F\n";
    const auto reader = readGedcom(QByteArray(bytes, sizeof(bytes) - 1));
    ASSERT_EQ(reader->individuals().size(), 1);
    EXPECT_EQ(reader->individuals().first().fullName, "Jan /Nowak/");
    EXPECT_EQ(problemTexts(*reader), QStringList({"2 1 0x01", "3 1 0x00 0x1B 0x7F"}));
}

TEST(GedcomReaderTest, strayLinesAreListedAndSkippedAndTheRecordKeepsTheRest)
{
    const auto reader = readGedcom("0 @I1@ INDI\n"
                                   "1 NAME Jan /Nowak/\n"
                                   "1 NOTE Ala\n"
                                   "ma kota\n"
                                   "2 CONC  i psa\n"
                                   "1\n"
                                   "1 OBJE\n"
                                   "X FILE zly.jpg\n"
                                   "2 FILE portret.jpg\n"
                                   "1 SEX M\n"
                                   "0 @I2@ INDI\n"
                                   "1 NAME Ewa /Lis/\n"
                                   "0 TRLR\n");
    ASSERT_EQ(reader->individuals().size(), 2);
    const _Osoba& jan = reader->individuals()[0];
    EXPECT_EQ(jan.fullName, "Jan /Nowak/");
    EXPECT_EQ(jan.note, "Ala i psa");
    ASSERT_EQ(jan.multimedia.size(), 1);
    EXPECT_EQ(jan.multimedia[0].file, "portret.jpg");
    EXPECT_EQ(jan.sex, "M");
    const _Osoba& ewa = reader->individuals()[1];
    EXPECT_EQ(ewa.fullName, "Ewa /Lis/");
    EXPECT_TRUE(ewa.multimedia.isEmpty());
    EXPECT_TRUE(ewa.note.isEmpty());
    EXPECT_EQ(problemTexts(*reader), QStringList({"4 2 ma kota", "6 3 1", "8 2 X FILE zly.jpg"}));
}

TEST(GedcomReaderTest, aRepeatedCrossReferenceIsReadAndListedWithTheRecordItsLinksLeadTo)
{
    const auto reader = readGedcom("0 @I1@ INDI\n1 NAME Jan /Nowak/\n"
                                   "0 @I1@ INDI\n1 NAME Adam /Lis/\n"
                                   "0 @I1@ INDI\n1 NAME Piotr /Kos/\n"
                                   "0 @N1@ NOTE Pierwsza\n0 @N1@ NOTE Druga\n"
                                   // Another kind of record may carry the same cross-reference.
                                   "0 @I1@ FAM\n1 HUSB @I1@\n0 TRLR\n");
    EXPECT_EQ(reader->individuals().size(), 3) << "the later records are read as before";
    EXPECT_EQ(problemTexts(*reader), QStringList({"3 5 @I1@", "5 5 @I1@", "8 5 @N1@"}));
    QList<int> earlier;
    for (const GedcomProblem& problem : reader->problems())
        earlier << problem.earlierLine;
    EXPECT_EQ(earlier, QList<int>({1, 1, 7}));
}

TEST(GedcomReaderTest, aLevelAbove99IsListedAndSkippedWithTheLinesBelowIt)
{
    const auto reader = readGedcom("0 @I1@ INDI\n"
                                   "1 BIRT\n"
                                   "100 _EVENT\n"
                                   "101 DATE 1 JAN 1800\n"
                                   "250 PLAC Kraków\n"
                                   "2 DATE 1 JAN 1900\n"
                                   "99 _DEEP ok\n"
                                   "1000000 X\n"
                                   "1 NAME Jan /Nowak/\n"
                                   "0 TRLR\n");
    ASSERT_EQ(reader->individuals().size(), 1);
    const _Osoba& jan = reader->individuals().first();
    EXPECT_EQ(jan.birth.date(), "01-01-1900") << "no date of a skipped line reads as the event's";
    EXPECT_EQ(jan.birth.place, QString());
    EXPECT_EQ(jan.fullName, "Jan /Nowak/");
    EXPECT_EQ(problemTexts(*reader), QStringList({"3 4 100 _EVENT", "8 4 1000000 X"}));
    EXPECT_EQ(reader->problems()[0].subordinateLines, 2);
    EXPECT_EQ(reader->problems()[1].subordinateLines, 0);
    EXPECT_EQ(reader->lineCount(), 6);
}

TEST(GedcomReaderTest, aFileThatCannotBeReadTellsWhy)
{
    QTemporaryDir dir;
    _Gedcom reader;
    EXPECT_FALSE(reader.LoadFile(dir.filePath("brak.ged")));
    EXPECT_EQ(reader.loadFailure(), "No such file or directory");
    QDir(dir.path()).mkpath("folder.ged");
    EXPECT_FALSE(reader.LoadFile(dir.filePath("folder.ged")));
    EXPECT_EQ(reader.loadFailure(), "Is a directory");
    writeFileBytes(dir.filePath("dobry.ged"), "0 HEAD\n");
    EXPECT_TRUE(reader.LoadFile(dir.filePath("dobry.ged")));
    EXPECT_EQ(reader.loadFailure(), QString());
}

TEST(GedcomReaderTest, invalidUtf8BecomesReplacementCharactersAndIsListed)
{
    const auto reader = readGedcom("0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Jan \xC3\x41\xA9 /Nowak/\n");
    EXPECT_EQ(reader->encoding(), GedcomEncoding::Utf8);
    ASSERT_EQ(reader->individuals().size(), 1);
    EXPECT_EQ(reader->individuals().first().fullName, "Jan \uFFFD\x41\uFFFD /Nowak/");
    EXPECT_EQ(problemTexts(*reader), QStringList({"4 0 0xC3 0xA9"}));
}

TEST(GedcomReaderTest, continuationsJoinBytesBeforeDecoding)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
        QString note;
    };
    const Case cases[] = {
        {"trailing blank kept", "0 @I1@ INDI\n1 NOTE Ala ma \n2 CONC kota\n", "Ala ma kota"},
        {"CONT and CONC", "0 @I1@ INDI\n1 NOTE Ala\n2 CONT ma\n2 CONC kota\n", "Ala\r\nmakota"},
        {"empty CONT", "0 @I1@ INDI\n1 NOTE Ala\n2 CONT\n2 CONT kot\n", "Ala\r\n\r\nkot"},
        {"UTF-8 letter split", "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NOTE Pan \xC5\n2 CONC \x81ukasz\n", "Pan Łukasz"},
        {"emoji split", "0 @I1@ INDI\n1 NOTE \xF0\x9F\n2 CONC \x92\x95!\n", "💕!"},
        {"ANSEL mark split", "0 HEAD\n1 CHAR ANSEL\n0 @I1@ INDI\n1 NOTE \xE2\n2 CONC zrebie\n", "źrebie"},
    };
    for (const Case& c : cases) {
        const auto reader = readGedcom(c.bytes);
        ASSERT_EQ(reader->individuals().size(), 1) << c.name;
        EXPECT_EQ(reader->individuals().first().note, c.note) << c.name;
        EXPECT_TRUE(reader->problems().isEmpty()) << c.name;
    }
}

TEST(GedcomReaderTest, joinContinuationAddsALineBreak)
{
    QByteArray text = "Ala";
    _Gedcom::JoinContinuation(text, "ma");
    EXPECT_EQ(text, "Ala\r\nma");
}

TEST(GedcomReaderTest, valuesHaveNoLengthLimit)
{
    const QByteArray name(5000, 'x');
    const auto reader = readGedcom("0 @I1@ INDI\n1 NAME " + name + " /Nowak/\n");
    ASSERT_EQ(reader->individuals().size(), 1);
    EXPECT_EQ(reader->individuals().first().givenNames, QString(name));
}

TEST(GedcomReaderTest, findSubValueStopsAtTheLevelAndPassesOverCitationsNotesAndLinks)
{
    const auto reader = readGedcom("0 @I1@ INDI\n"    // 0
                                   "1 BIRT\n"         // 1
                                   "2 SOUR @S1@\n"    // 2
                                   "3 DATA\n"         // 3
                                   "4 DATE 1800\n"    // 4
                                   "2 NOTE n\n"       // 5
                                   "3 PLAC Notatka\n" // 6
                                   "2 OBJE\n"         // 7
                                   "3 TITL Zdjecie\n" // 8
                                   "2 DATE 1900\n"    // 9
                                   "3 CAUS upadek\n"  // 10
                                   "1 PLAC X\n"       // 11
                                   "2 NOTE y\n",      // 12
                                   false);
    struct Case
    {
        int start;
        const char* tag;
        QString expected;
    };
    const Case cases[] = {
        {2, "DATE", "1900"},
        {2, "CAUS", "upadek"},
        // Only the tags the reader understands are searched for.
        {2, "TIME", ""},
        // The level is tested before the tag: a level-1 line ends the search even when it carries the tag.
        {2, "PLAC", ""},
        {2, "TITL", ""},
        {2, "NOTE", "n"},
        {3, "DATE", "1800"},
        {9, "NOTE", ""},
        {12, "NOTE", "y"},
        {2, "UNKNOWN", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(reader->FindSubValue(c.start, c.tag, 1), c.expected) << c.start << " " << c.tag;
}

TEST(GedcomReaderTest, deepNestingIsReadWithoutRecursion)
{
    QByteArray bytes = "0 @I1@ INDI\n1 BIRT\n2 SOUR @S1@\n";
    for (int level = 3; level < 50000; ++level)
        bytes += QByteArray::number(level) + " DATA\n";
    bytes += "2 DATE 1 JAN 1900\n1 NAME Jan /Nowak/\n0 TRLR\n";
    const auto reader = readGedcom(bytes);
    ASSERT_EQ(reader->individuals().size(), 1);
    EXPECT_EQ(reader->individuals().first().birth.date(), "01-01-1900");
    EXPECT_EQ(reader->individuals().first().fullName, "Jan /Nowak/");
    ASSERT_EQ(reader->individuals().first().citations.size(), 1);
    EXPECT_EQ(reader->individuals().first().citations.first().event, "dot. urodzenia");
}

TEST(GedcomReaderTest, progressAnnouncesStagesAndReportsTheLinesOutsideRecords)
{
    auto reader = readGedcom(jan, false);
    QList<Progress> reports;
    reader->setProgressCallback([&](int stage, int position, int total) { reports.append({stage, position, total}); });
    reader->Parse();
    QList<Progress> individuals;
    for (const Progress& p : reports)
        if (p.stage == 1)
            individuals.append(p);
    EXPECT_EQ(individuals, QList<Progress>({{1, 0, 8}, {1, 1, 8}, {1, 2, 8}, {1, 8, 8}, {1, 8, 8}}));
    EXPECT_EQ(reports.mid(0, 3), QList<Progress>({{1, 0, 8}, {2, 0, 8}, {3, 0, 8}}));
    EXPECT_EQ(std::count_if(reports.begin(), reports.end(), [](const Progress& p) { return p.stage == 4; }), 9);
    EXPECT_EQ(std::count_if(reports.begin(), reports.end(),
                            [](const Progress& p) { return p.stage == 4 && p.position == 0; }),
              0);
    EXPECT_EQ(reports.last(), (Progress{3, 8, 8}));
}

TEST(GedcomReaderTest, progressPositionMinusTenStandsForTheTotal)
{
    auto reader = readGedcom(lines(250));
    QList<Progress> reports;
    reader->setProgressCallback([&](int stage, int position, int total) { reports.append({stage, position, total}); });
    reader->ReportProgress(1, -10);
    reader->ReportProgress(2, 0);
    EXPECT_EQ(reports, QList<Progress>({{1, 250, 250}, {2, 0, 250}}));
    EXPECT_EQ(reader->stage(), 2);
    EXPECT_EQ(reader->position(), 0);
}

TEST(GedcomReaderTest, findImportedPersonTakesTheFirstMatchAndTellsItsSex)
{
    const auto reader = readGedcom("0 @I1@ INDI\n1 SEX F\n"
                                   "0 @I1@ INDI\n1 SEX M\n"
                                   "0 @I2@ INDI\n1 SEX M\n"
                                   "0 @I3@ INDI\n1 SEX f\n"
                                   "0 @I4@ INDI\n1 SEX U\n"
                                   "0 @i5@ INDI\n1 SEX M\n");
    // The reader only carries the pointers the import writes; it never follows them.
    char persons[6] = {};
    for (int i = 0; i < 6; ++i)
        reader->individuals()[i].person = reinterpret_cast<KV_Person*>(&persons[i]);

    struct Case
    {
        const char* xref;
        int person; // index into persons, -1 for none
        int sex;
    };
    const Case cases[] = {{"@I1@", 0, 0},  {"@I2@", 2, 1}, {"@I3@", 3, 2}, {"@I4@", 4, 2},
                          {"@I5@", -1, 7}, {"@i5@", 5, 1}, {"", -1, 7}};
    for (const Case& c : cases) {
        int sex = 7;
        KV_Person* found = reader->FindImportedPerson(c.xref, sex);
        EXPECT_EQ(found, c.person < 0 ? nullptr : reinterpret_cast<KV_Person*>(&persons[c.person])) << c.xref;
        EXPECT_EQ(sex, c.sex) << c.xref;
    }
}

TEST(GedcomReaderTest, clearKeepsTheLinesSoThatParseReadsTheSameRecordsAgain)
{
    auto reader = readGedcom("0 @I1@ INDI\n1 NAME Jan /Nowak/\n1 OBJE\n2 FILE a.jpg\n0 @F1@ FAM\n1 HUSB @I1@\n"
                             "0 @S1@ SOUR\n1 TITL Księga\n0 @P1@ Picture\n1 PATH a.jpg\n0 TRLR\n");
    reader->Clear();
    EXPECT_TRUE(reader->individuals().isEmpty());
    EXPECT_TRUE(reader->families().isEmpty());
    EXPECT_TRUE(reader->sources().isEmpty());
    EXPECT_TRUE(reader->pictures().isEmpty());
    EXPECT_EQ(reader->multimediaCount(), 0);
    int sex = 7;
    EXPECT_EQ(reader->FindImportedPerson("@I1@", sex), nullptr);
    EXPECT_EQ(sex, 7);

    reader->Parse();
    ASSERT_EQ(reader->individuals().size(), 1);
    EXPECT_EQ(reader->individuals().first().fullName, "Jan /Nowak/");
    EXPECT_EQ(reader->families().size(), 1);
    EXPECT_EQ(reader->sources().size(), 1);
    EXPECT_EQ(reader->pictures().size(), 1);
    EXPECT_EQ(reader->multimediaCount(), 1);
}

TEST(GedcomReaderTest, aFileThatCannotBeReadChangesNothing)
{
    auto reader = readGedcom(jan);
    const QString loaded = reader->filePath();
    QTemporaryDir dir;
    EXPECT_FALSE(reader->LoadFile(dir.filePath("missing.ged")));
    QDir(dir.path()).mkpath("folder.ged");
    EXPECT_FALSE(reader->LoadFile(dir.filePath("folder.ged")));
    EXPECT_EQ(reader->lineCount(), 8);
    EXPECT_EQ(reader->filePath(), loaded);
    EXPECT_EQ(reader->individuals().size(), 1);
}

TEST(GedcomReaderTest, theReaderKnowsItsFileAndEmptyFilesReadAsNothing)
{
    QTemporaryDir dir;
    writeFileBytes(dir.filePath("empty.ged"), "");
    _Gedcom reader;
    ASSERT_TRUE(reader.LoadFile(dir.path() + "/./empty.ged"));
    EXPECT_EQ(reader.filePath(), QDir(dir.path()).absoluteFilePath("empty.ged"));
    reader.Parse();
    EXPECT_EQ(reader.lineCount(), 0);
    EXPECT_TRUE(reader.individuals().isEmpty());
    EXPECT_TRUE(reader.problems().isEmpty());
}

TEST(GedcomReaderTest, aNewFileCannotReplaceTheLinesWhileTheyAreParsed)
{
    QTemporaryDir dir;
    const QString other = dir.filePath("other.ged");
    writeFileBytes(other, "0 @X@ INDI\n");
    auto reader = readGedcom(jan, false);
    bool refused = false;
    reader->setProgressCallback([&](int, int, int) {
        refused = refused || !reader->LoadFile(other);
        reader->Clear();
    });
    reader->Parse();
    EXPECT_TRUE(refused);
    ASSERT_EQ(reader->individuals().size(), 1);
    EXPECT_EQ(reader->individuals().first().xref, "@I1@");
}

// Lines keep no copy of their tag: the tag text of an unknown level-1 tag is found again in the line's bytes,
// whatever blanks, cross-reference or value stand around it.
TEST(GedcomReaderTest, unknownLevelOneTagsAreCountedWhateverTheLineLooksLike)
{
    const auto reader = readGedcom("0 HEAD\n"
                                   "0 @I1@ INDI\n"
                                   "1 _UID a\n"
                                   "1   _UID    spaced\n"
                                   "1\t_UID\ttabbed\n"
                                   "1 _UID\n"
                                   "1 _UID \n"
                                   "1 @X1@ _UID after a cross-reference\n"
                                   "1 @X2@_UID\n"
                                   "1 _UID@ at-sign\n"
                                   "2 _UID not level 1\n"
                                   "1 BIRT\n"
                                   "0 @F1@ FAM\n"
                                   "1 _STAT x\n"
                                   "0 TRLR\n");
    EXPECT_EQ(reader->individualLevelOneTags(), (QMap<QString, int>{{"_UID", 7}, {"_UID@", 1}, {"BIRT", 1}}));
    EXPECT_EQ(reader->familyLevelOneTags(), (QMap<QString, int>{{"_STAT", 1}}));
}

// A value of 64 KB or more is longer than a line records; it runs to its line's end.
TEST(GedcomReaderTest, valuesOfSixtyFourKilobytesAndMoreAreReadWhole)
{
    const QByteArray longest(0xFFFF, 'x');
    const QByteArray longer = longest + "yyyy";
    const auto reader = readGedcom("0 HEAD\n0 @I1@ INDI\n1 NOTE " + longest + "\n2 CONT end\n0 @I2@ INDI\n1 NOTE " +
                                   longer + "\n0 TRLR");
    ASSERT_EQ(reader->individuals().size(), 2);
    EXPECT_TRUE(reader->individuals()[0].note == QString::fromLatin1(longest + "\r\nend"));
    EXPECT_TRUE(reader->individuals()[1].note == QString::fromLatin1(longer));
}

// The bytes of a UTF-8 file are checked value by value, only where a value reaches a byte above ASCII or follows
// one that held back the start of a character.
TEST(GedcomReaderTest, invalidUtf8IsFoundInValuesOnlyWhereverItStands)
{
    const auto reader = readGedcom("0 HEAD\n"
                                   "1 CHAR UTF-8\n"
                                   "0 @I1@ INDI\n"
                                   "1 NOTE Pan \xC5\n"
                                   "1 SEX M\n"
                                   "1 NOTE abcdefghijklmnopqrstuvwxyz \x80\n"
                                   "1 _TAG\xFF x\n"
                                   "1 NOTE \xE2\x82\n"
                                   "2 CONC abc\n"
                                   "1 NOTE x\xC3",
                                   false);
    EXPECT_EQ(problemTexts(*reader), QStringList({"4 0 0xC5", "6 0 0x80", "9 0 0xE2 0x82", "10 0 0xC3"}));
}
