// Encodings of GEDCOM files: which one a file is read in, and how each decodes.
#include "GedcomText.h"
#include "GedcomTestSupport.h"

#include <QStringEncoder>

namespace {

QByteArray utf16(const QString& text, QStringEncoder::Encoding encoding)
{
    QStringEncoder encoder(encoding);
    return encoder(text);
}

} // namespace

TEST(GedcomTextTest, encodingIsDecidedByMarkThenZeroBytesThenHeader)
{
    const QString header = "0 HEAD\n1 CHAR ANSEL\n0 TRLR\n";
    struct Case
    {
        const char* name;
        QByteArray bytes;
        GedcomEncoding expected;
    };
    const Case cases[] = {
        {"UTF-8 mark wins over CHAR", "\xEF\xBB\xBF" + header.toUtf8(), GedcomEncoding::Utf8},
        {"UTF-16LE mark", "\xFF\xFE" + utf16(header, QStringEncoder::Utf16LE), GedcomEncoding::Utf16LE},
        {"UTF-16BE mark", "\xFE\xFF" + utf16(header, QStringEncoder::Utf16BE), GedcomEncoding::Utf16BE},
        {"UTF-16LE zero bytes", utf16(header, QStringEncoder::Utf16LE), GedcomEncoding::Utf16LE},
        {"UTF-16BE zero bytes", utf16(header, QStringEncoder::Utf16BE), GedcomEncoding::Utf16BE},
        {"CHAR UTF-8", "0 HEAD\n1 CHAR UTF-8\n", GedcomEncoding::Utf8},
        {"CHAR in lower case", "0 HEAD\n1 CHAR utf-8\n", GedcomEncoding::Utf8},
        {"CHAR UNICODE without mark", "0 HEAD\n1 CHAR UNICODE\n", GedcomEncoding::Utf8},
        {"CHAR ANSEL", "0 HEAD\n1 CHAR ANSEL\n", GedcomEncoding::Ansel},
        {"CHAR LATIN1", "0 HEAD\n1 CHAR LATIN1\n", GedcomEncoding::Latin1},
        {"CHAR IBMPC", "0 HEAD\n1 CHAR IBMPC\n", GedcomEncoding::Cp437},
        {"CHAR ASCII, ASCII bytes", "0 HEAD\n1 CHAR ASCII\n", GedcomEncoding::Ascii},
        {"CHAR ASCII, Western bytes", "0 HEAD\n1 CHAR ASCII\n1 NOTE Caf\xE9\n", GedcomEncoding::Windows1252},
        {"CHAR ASCII, Polish bytes", "0 HEAD\n1 CHAR ASCII\n1 NOTE \xA3\xF3\x64\x9F\n", GedcomEncoding::Windows1250},
        {"CHAR ANSI, Western bytes", "0 HEAD\n1 CHAR ANSI\n1 NOTE Espa\xF1\x61\n", GedcomEncoding::Windows1252},
        {"CHAR ANSI, Polish bytes", "0 HEAD\n1 CHAR ANSI\n1 NOTE Ma\xB3gorzata\n", GedcomEncoding::Windows1250},
        {"CHAR ANSI, a price in pounds", "0 HEAD\n1 CHAR ANSI\n1 NOTE \xA3\x35.99\n", GedcomEncoding::Windows1252},
        {"CHAR IBM WINDOWS", "0 HEAD\n1 CHAR IBM WINDOWS\n1 NOTE \xBF\x61\n", GedcomEncoding::Windows1250},
        {"unknown CHAR", "0 HEAD\n1 CHAR MACINTOSH\n", GedcomEncoding::Windows1252},
        {"no CHAR, valid UTF-8", "0 HEAD\n1 NOTE \xC5\x81\xC3\xB3\x64\xC5\xBA\n", GedcomEncoding::Utf8},
        {"no CHAR, Polish 8-bit", "0 HEAD\n1 NOTE \xA3\xF3\x64\x9F\n", GedcomEncoding::Windows1250},
        {"no CHAR, Western 8-bit", "0 HEAD\n1 NOTE Caf\xE9\n", GedcomEncoding::Windows1252},
        {"CHAR outside the header", "0 HEAD\n0 @N1@ NOTE x\n1 CHAR ANSEL\n", GedcomEncoding::Utf8},
    };
    for (const Case& c : cases) {
        const auto reader = readGedcom(c.bytes, false);
        EXPECT_EQ(gedcomEncodingName(reader->encoding()), gedcomEncodingName(c.expected)) << c.name;
        EXPECT_EQ(reader->lineCount(), c.bytes.count('\n')) << c.name;
    }
}

TEST(GedcomTextTest, eightBitCodePagesDecodeTheirLetters)
{
    struct Case
    {
        GedcomEncoding encoding;
        QByteArray bytes;
        QString expected;
    };
    const Case cases[] = {
        {GedcomEncoding::Windows1250, "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF", "ĄĆĘŁŃÓŚŹŻ"},
        {GedcomEncoding::Windows1250, "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF", "ąćęłńóśźż"},
        {GedcomEncoding::Windows1252, "\xE8\xF1\xE0\xA3\x80", "èñà£€"},
        {GedcomEncoding::Windows1252, "a\x81z", "a\uFFFDz"},
        {GedcomEncoding::Cp437, "\x82\x9C\xA4", "é£ñ"},
        // ISO-8859-1 has control codes where Windows code pages have letters; they never reach a record.
        {GedcomEncoding::Latin1, "\xE9\x85\xFF", "éÿ"},
        {GedcomEncoding::Ascii, "plain", "plain"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeGedcomText(c.bytes, c.encoding), c.expected) << gedcomEncodingName(c.encoding).toStdString();
}

TEST(GedcomTextTest, anselMarksAreComposedWithTheLetterAfterThem)
{
    struct Case
    {
        QByteArray bytes;
        QString expected;
    };
    const Case cases[] = {
        {"\xF1\x41\xE2\x43\xF1\x45\xA1\xE2N\xE2O\xE2S\xE2Z\xE7Z", "ĄĆĘŁŃÓŚŹŻ"},
        {"\xF1\x61\xE2\x63\xF1\x65\xB1\xE2n\xE2o\xE2s\xE2z\xE7z", "ąćęłńóśźż"},
        {"Ma\xB1gorzata", "Małgorzata"},
        // A letter with no precomposed form keeps its mark after it.
        {"\xE2\x62", "b\u0301"},
        // Two marks on one letter: dot below and circumflex.
        {"\xF2\xE3\x61", "\u1EAD"},
        {"\xB9\x35", "£5"},
        {"\xC3 1990", "© 1990"},
        // A mark with no letter after it is kept as it is.
        {"x\xE2", "x\u0301"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeGedcomText(c.bytes, GedcomEncoding::Ansel), c.expected) << c.bytes.toHex().toStdString();
}

TEST(GedcomTextTest, utf8CheckerListsInvalidBytesButNotACharacterSplitAtACont)
{
    struct Piece
    {
        int line;
        QByteArray value;
        bool continues;
    };
    struct Case
    {
        const char* name;
        QList<Piece> pieces;
        QStringList expected; // "line: hex bytes"
    };
    const Case cases[] = {
        {"valid text of 2, 3 and 4 bytes",
         {{1, "\xC5\x81\xC3\xB3\x64\xC5\xBA \xE2\x82\xAC \xF0\x9F\x92\x95", false}},
         {}},
        {"lone continuation byte", {{1, "a\x80z", false}}, {"1: 80"}},
        {"lead byte before ASCII", {{4, "\xC3\x41\xA9", false}}, {"4: c3a9"}},
        {"overlong form", {{2, "\xC0\xAF", false}}, {"2: c0af"}},
        {"surrogate half", {{2, "\xED\xA0\x80", false}}, {"2: eda080"}},
        {"split by CONC", {{1, "Pan \xC5", false}, {2, "\x81ukasz", true}}, {}},
        {"four bytes split by CONC", {{1, "\xF0\x9F", false}, {2, "\x92\x95", true}}, {}},
        {"cut short, next line no CONC", {{1, "Pan \xC5", false}, {2, "\x81ukasz", false}}, {"1: c5", "2: 81"}},
        {"cut short at the end of the file", {{7, "abc\xE2\x82", false}}, {"7: e282"}},
    };
    for (const Case& c : cases) {
        Utf8Checker checker;
        for (const Piece& piece : c.pieces)
            checker.check(piece.line, piece.value, piece.continues);
        checker.finish();
        QStringList found;
        for (const Utf8Checker::Fault& fault : checker.faults())
            found.append(QString::number(fault.line) + ": " + QString::fromLatin1(fault.bytes.toHex()));
        EXPECT_EQ(found, c.expected) << c.name;
    }
}

namespace {

QByteArray fixture(const char* name)
{
    return readFileBytes(QStringLiteral(KRONVEL_TEST_DATA "/gedcom/") + name);
}

// What every encoding of the Polish family fixture must give.
void expectPolishFamily(const _Gedcom& reader, const std::string& label)
{
    EXPECT_TRUE(reader.problems().isEmpty()) << label;
    ASSERT_EQ(reader.individuals().size(), 2) << label;
    const _Osoba& husband = reader.individuals()[0];
    EXPECT_EQ(husband.fullName, "Zażółć Gęślą /Jaźń/") << label;
    EXPECT_EQ(husband.givenNames, "Zażółć Gęślą") << label;
    EXPECT_EQ(husband.surname, "Jaźń") << label;
    EXPECT_EQ(husband.birth.place, "Łódź") << label;
    EXPECT_EQ(husband.note, "ĄĆĘŁŃÓŚŹŻ\r\nąćęłńóśźż") << label;
    const _Osoba& wife = reader.individuals()[1];
    EXPECT_EQ(wife.fullName, "Małgorzata /Źdźbło/") << label;
    EXPECT_EQ(wife.death.place, "Końskie") << label;
    ASSERT_EQ(reader.families().size(), 1) << label;
    EXPECT_EQ(reader.families()[0].marriage.place, "Żółkiewka") << label;
}

} // namespace

TEST(GedcomTextTest, polishLettersComeBackExactlyFromEveryEncoding)
{
    const QByteArray utf8 = fixture("polish-utf8.ged");
    ASSERT_FALSE(utf8.isEmpty());
    const QString text = QString::fromUtf8(utf8);
    struct Case
    {
        const char* name;
        QByteArray bytes;
        GedcomEncoding encoding;
    };
    const Case cases[] = {
        {"UTF-8", utf8, GedcomEncoding::Utf8},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + utf8, GedcomEncoding::Utf8},
        {"ANSEL", fixture("polish-ansel.ged"), GedcomEncoding::Ansel},
        {"Windows-1250", fixture("polish-windows1250.ged"), GedcomEncoding::Windows1250},
        {"UTF-16LE with mark", "\xFF\xFE" + utf16(text, QStringEncoder::Utf16LE), GedcomEncoding::Utf16LE},
        {"UTF-16BE with mark", "\xFE\xFF" + utf16(text, QStringEncoder::Utf16BE), GedcomEncoding::Utf16BE},
        {"UTF-16LE", utf16(text, QStringEncoder::Utf16LE), GedcomEncoding::Utf16LE},
        {"UTF-16BE", utf16(text, QStringEncoder::Utf16BE), GedcomEncoding::Utf16BE},
    };
    for (const Case& c : cases) {
        const auto reader = readGedcom(c.bytes);
        EXPECT_EQ(reader->encoding(), c.encoding) << c.name;
        expectPolishFamily(*reader, c.name);
    }
}

TEST(GedcomTextTest, threeAndFourByteCharactersSurviveUtf16)
{
    const QString text = "0 HEAD\n1 CHAR UNICODE\n0 @I1@ INDI\n1 NAME 田中 /太郎/\n1 NOTE € „cudzysłów” 💕 𒍅\n0 TRLR\n";
    for (const auto encoding : {QStringEncoder::Utf16LE, QStringEncoder::Utf16BE}) {
        const auto reader = readGedcom(utf16(text, encoding));
        ASSERT_EQ(reader->individuals().size(), 1);
        EXPECT_EQ(reader->individuals()[0].fullName, "田中 /太郎/");
        EXPECT_EQ(reader->individuals()[0].note, "€ „cudzysłów” 💕 𒍅");
    }
}

TEST(GedcomTextTest, windows1252FileReadsItsWesternLetters)
{
    const auto reader = readGedcom("0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME Ren\xE9\x65 /Mu\xF1oz/\n"
                                   "1 BIRT\n2 PLAC Vall\xE8s \xE0 Nice\n0 TRLR\n");
    EXPECT_EQ(reader->encoding(), GedcomEncoding::Windows1252);
    ASSERT_EQ(reader->individuals().size(), 1);
    EXPECT_EQ(reader->individuals()[0].fullName, "Renée /Muñoz/");
    EXPECT_EQ(reader->individuals()[0].birth.place, "Vallès à Nice");
}
