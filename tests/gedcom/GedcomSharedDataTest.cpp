// The reader against the shared collection of real GEDCOM files: every file reads, the counts agree with the
// collection's README, and the letters of each encoding come back exactly.
#include "GedcomTestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace {

std::unique_ptr<_Gedcom> readShared(const QString& relativePath)
{
    auto reader = std::make_unique<_Gedcom>();
    EXPECT_TRUE(reader->LoadFile(sharedGedcomFolder() + "/" + relativePath)) << relativePath.toStdString();
    reader->Parse();
    return reader;
}

const _Osoba* individualWith(const _Gedcom& reader, const QString& xref)
{
    for (const _Osoba& individual : reader.individuals())
        if (individual.xref == xref)
            return &individual;
    return nullptr;
}

// The characters between parentheses, in order: "Ł" and "Ø" of "slash l (Ł), slash o (Ø)".
QString parenthesised(const QString& text)
{
    QString found;
    const QRegularExpression inside(R"(\((.)\))");
    for (QRegularExpressionMatchIterator it = inside.globalMatch(text); it.hasNext();)
        found += it.next().captured(1);
    return found;
}

// The letters a text holds beyond ASCII.
QSet<QChar> lettersBeyondAscii(const QString& text)
{
    QSet<QChar> letters;
    for (const QChar c : text)
        if (c.unicode() > 0x7F)
            letters.insert(c);
    return letters;
}

struct Counts
{
    QString file;
    int individuals;
    int families;
};

// The README's file table: "| `path` | repository | source path | licence | bytes | INDI | FAM | ...".
QList<Counts> readmeCounts()
{
    QFile readme(sharedGedcomFolder() + "/README.md");
    if (!readme.open(QIODevice::ReadOnly))
        return {};
    QList<Counts> counts;
    const QRegularExpression row(R"(^\| `([^`]+\.(?:ged|GED))` \|(?:[^|]*\|){4} *(\d+) *\| *(\d+) *\|)");
    for (const QString& line : QString::fromUtf8(readme.readAll()).split('\n')) {
        const QRegularExpressionMatch m = row.match(line);
        if (m.hasMatch())
            counts.append({m.captured(1), m.captured(2).toInt(), m.captured(3).toInt()});
    }
    return counts;
}

} // namespace

TEST(GedcomSharedDataTest, everyFileReadsAndHoldsTheCountsTheReadmeGives)
{
    SKIP_WITHOUT_SHARED_GEDCOM();
    const QList<Counts> counts = readmeCounts();
    ASSERT_GE(counts.size(), 70);
    int files = 0;
    QDirIterator it(sharedGedcomFolder(), {"*.ged", "*.GED"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = QDir(sharedGedcomFolder()).relativeFilePath(it.next());
        const auto reader = readShared(relative);
        ++files;
        if (relative.startsWith("malformed/"))
            continue;
        const auto listed =
            std::find_if(counts.begin(), counts.end(), [&](const Counts& c) { return c.file == relative; });
        ASSERT_NE(listed, counts.end()) << relative.toStdString();
        EXPECT_EQ(reader->individuals().size(), listed->individuals) << relative.toStdString();
        EXPECT_EQ(reader->families().size(), listed->families) << relative.toStdString();
    }
    EXPECT_EQ(files, counts.size());
}

TEST(GedcomSharedDataTest, eachFileIsReadInTheEncodingItsFormAndHeaderGive)
{
    SKIP_WITHOUT_SHARED_GEDCOM();
    struct Case
    {
        const char* file;
        GedcomEncoding encoding;
    };
    const Case cases[] = {
        {"small/555SAMPLE.GED", GedcomEncoding::Utf8},
        {"encoding/utf8-nobom-lf-all-diacritics.ged", GedcomEncoding::Utf8},
        {"encoding/g7code-char_utf8-2.ged", GedcomEncoding::Utf8},
        {"encoding/555SAMPLE16LE.GED", GedcomEncoding::Utf16LE},
        {"encoding/555SAMPLE16BE.GED", GedcomEncoding::Utf16BE},
        {"encoding/g7code-char_utf16le-1.ged", GedcomEncoding::Utf16LE},
        {"encoding/g7code-char_utf16be-1.ged", GedcomEncoding::Utf16BE},
        {"encoding/ansel-lf-all-diacritics.ged", GedcomEncoding::Ansel},
        {"torture/TGC55C.ged", GedcomEncoding::Ansel},
        {"large/royal92.ged", GedcomEncoding::Ansel},
        {"encoding/ansi-cp1252-irish-kings.ged", GedcomEncoding::Windows1252},
        {"encoding/ibm-windows-easytree-kennedy.ged", GedcomEncoding::Windows1252},
        {"encoding/g7code-char_ascii_1.ged", GedcomEncoding::Ascii},
        {"encoding/g7code-char_ascii_2.ged", GedcomEncoding::Latin1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(gedcomEncodingName(readShared(c.file)->encoding()), gedcomEncodingName(c.encoding)) << c.file;
}

TEST(GedcomSharedDataTest, utf8AndAnselFilesGiveTheSameLetters)
{
    SKIP_WITHOUT_SHARED_GEDCOM();
    const auto utf8 = readShared("encoding/utf8-nobom-lf-all-diacritics.ged");
    const auto ansel = readShared("encoding/ansel-lf-all-diacritics.ged");
    EXPECT_TRUE(utf8->problems().isEmpty());
    EXPECT_TRUE(ansel->problems().isEmpty());

    QString utf8Letters;
    QString anselLetters;
    for (int child = 0; child <= 32; ++child) {
        const QString xref = QStringLiteral("@CHILD%1@").arg(child);
        const _Osoba* inUtf8 = individualWith(*utf8, xref);
        const _Osoba* inAnsel = individualWith(*ansel, xref);
        ASSERT_TRUE(inUtf8 && inAnsel) << xref.toStdString();
        if (child < 4) {
            // The special characters, each named and then shown between parentheses.
            EXPECT_EQ(parenthesised(inAnsel->birth.place + inAnsel->death.place),
                      parenthesised(inUtf8->birth.place + inUtf8->death.place))
                << xref.toStdString();
        } else if (child != 26) {
            // A combining mark on every letter in ANSEL; the letters that have a composed form in UTF-8. (The
            // UTF-8 twin of "line below" shows letters with macron below, a mark ANSEL does not have.)
            const QSet<QChar> composed = lettersBeyondAscii(inUtf8->death.place);
            EXPECT_TRUE(lettersBeyondAscii(inAnsel->birth.place + inAnsel->death.place).contains(composed))
                << xref.toStdString();
        }
        utf8Letters += inUtf8->birth.place + inUtf8->death.place;
        anselLetters += inAnsel->birth.place + inAnsel->death.place;
    }
    for (const QChar polish : QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ")) {
        EXPECT_TRUE(utf8Letters.contains(polish)) << QString(polish).toStdString();
        EXPECT_TRUE(anselLetters.contains(polish)) << QString(polish).toStdString();
    }
}

TEST(GedcomSharedDataTest, threeAndFourByteCharactersComeBackFromUtf8)
{
    SKIP_WITHOUT_SHARED_GEDCOM();
    const auto reader = readShared("encoding/utf8-unicode-4byte.ged");
    const _Osoba* tanaka = individualWith(*reader, "@I5@");
    ASSERT_TRUE(tanaka);
    EXPECT_EQ(tanaka->fullName, "田中 /太郎/");
    EXPECT_EQ(tanaka->birth.place, "東京, 日本");
    const _Osoba* lukasz = individualWith(*reader, "@I8@");
    ASSERT_TRUE(lukasz);
    EXPECT_EQ(lukasz->givenNames, "Łukasz");
    const _Osoba* nino = individualWith(*reader, "@I10@");
    ASSERT_TRUE(nino);
    EXPECT_TRUE(nino->note.contains("€ £ ¥")) << nino->note.toStdString();
    EXPECT_TRUE(nino->note.endsWith("Hearts: ♥ ♡ 💕 💖 💗")) << nino->note.toStdString();
}

TEST(GedcomSharedDataTest, utf16FilesReadAsTheirUtf8Original)
{
    SKIP_WITHOUT_SHARED_GEDCOM();
    const auto utf8 = readShared("small/555SAMPLE.GED");
    for (const char* file : {"encoding/555SAMPLE16LE.GED", "encoding/555SAMPLE16BE.GED"}) {
        const auto utf16 = readShared(file);
        EXPECT_TRUE(utf16->problems().isEmpty()) << file;
        ASSERT_EQ(utf16->individuals().size(), utf8->individuals().size()) << file;
        for (int i = 0; i < utf8->individuals().size(); ++i) {
            EXPECT_EQ(utf16->individuals()[i].fullName, utf8->individuals()[i].fullName) << file;
            EXPECT_EQ(utf16->individuals()[i].birth.place, utf8->individuals()[i].birth.place) << file;
            EXPECT_EQ(utf16->individuals()[i].birth.date(), utf8->individuals()[i].birth.date()) << file;
        }
        ASSERT_EQ(utf16->families().size(), utf8->families().size()) << file;
        EXPECT_EQ(utf16->families()[0].children, utf8->families()[0].children) << file;
    }
}

TEST(GedcomSharedDataTest, windows1252FileKeepsItsWesternLetters)
{
    SKIP_WITHOUT_SHARED_GEDCOM();
    const QString path = sharedGedcomFolder() + "/encoding/ansi-cp1252-irish-kings.ged";
    const auto reader = readShared("encoding/ansi-cp1252-irish-kings.ged");
    ASSERT_EQ(reader->encoding(), GedcomEncoding::Windows1252);
    // Its only letters beyond ASCII stand in a note record, which a person's note points at, and a source's note,
    // which the reader keeps no record of; decoded in the encoding the reader chose, they read right.
    const _Osoba* brath = individualWith(*reader, "@I00050@");
    ASSERT_TRUE(brath);
    EXPECT_TRUE(brath->note.startsWith("Brath was born in Gothia")) << brath->note.toStdString();
    EXPECT_TRUE(brath->note.contains("La Coruña")) << brath->note.toStdString();
    EXPECT_TRUE(brath->note.contains("Castile and León")) << brath->note.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = decodeGedcomText(file.readAll(), reader->encoding());
    EXPECT_TRUE(text.contains("La Coruña"));
    EXPECT_TRUE(text.contains("Castile and León"));
    EXPECT_TRUE(text.contains("£5.99"));
}
