#include "PdfLibrary.h"
#include "Fonts.h"
#include "PdfTools.h"
#include "TestSupport.h"

#include <QDir>
#include <QFontDatabase>
#include <QImage>
#include <QMap>
#include <QRawFont>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

namespace {

const QString polish = QString::fromUtf8("ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ");

const PdfRgb black{0, 0, 0};
const PdfRgb red{1, 0, 0};
const PdfRgb blue{0, 0, 1};

bool near(QColor actual, QColor expected, int tolerance = 40)
{
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

class PdfLibraryTest : public ::testing::Test
{
protected:
    // An A4 page with 12 pt Tahoma selected.
    void SetUp() override
    {
        pdf.SetPageSize(595.28, 841.89);
        pdf.SelectFont(pdf.AddTrueTypeFont("Tahoma"));
        pdf.SetTextSize(12);
    }

    QString save()
    {
        const QString path = dir.filePath("test.pdf");
        QString error;
        EXPECT_TRUE(pdf.SaveToFile(path, &error)) << error.toStdString();
        return path;
    }

    QTemporaryDir dir;
    PdfLibrary pdf;
};

} // namespace

TEST(FontsTest, facesAreFoundIgnoringCaseAndMissingOnesAreSubstituted)
{
    const QString substitute = Fonts::substituteFamily();
    EXPECT_EQ(Fonts::familyFor("Segoe Print"), substitute);
    EXPECT_EQ(Fonts::familyFor("No Such Face"), substitute);
    EXPECT_EQ(Fonts::familyFor(""), substitute);
    EXPECT_EQ(Fonts::familyFor("dejavu sans").toLower(), "dejavu sans");
    const QString tahoma = Fonts::familyFor("tahoma");
    const bool wineFonts = QFile::exists("/usr/share/wine/fonts/tahoma.ttf");
    EXPECT_EQ(tahoma.toLower(), wineFonts ? "tahoma" : substitute.toLower());
    if (QFile::exists("/usr/share/wine/fonts/wingding.ttf")) {
        EXPECT_EQ(Fonts::familyFor("Wingdings").toLower(), "wingdings");
    }
}

TEST_F(PdfLibraryTest, boldTextCarriesClearlyMoreInkThanRegularText)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    pdf.SetTextSize(20);
    pdf.DrawText(50, 100, "Jan Kowalski");
    pdf.SelectFont(pdf.AddTrueTypeFont("Tahoma [Bold]"));
    pdf.DrawText(50, 200, "Jan Kowalski");
    const QImage page = PdfTools::page(save(), 1, 144);
    auto ink = [&](int top) {
        int dark = 0;
        for (int y = top; y < top + 80; ++y) {
            for (int x = 80; x < 600; ++x)
                dark += qGray(page.pixel(x, y)) < 128;
        }
        return dark;
    };
    EXPECT_GT(ink(340), ink(140) * 1.2);
}

// Italic asked of a face that has no italic of its own leans its upright glyphs: the top of a vertical stroke stands
// to the right of its foot.
TEST_F(PdfLibraryTest, italicOfAFaceWithoutOneLeansToTheRight)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    if (Fonts::familyFor("Tahoma") != QLatin1String("Tahoma"))
        GTEST_SKIP() << "the face without an italic of its own is not installed";
    pdf.SetTextSize(40);
    pdf.DrawText(50, 100, "l");
    pdf.SelectFont(pdf.AddTrueTypeFont("Tahoma [Italic]"));
    pdf.DrawText(50, 200, "l");
    const QImage page = PdfTools::page(save(), 1);
    // How far the stroke's ink at its top stands right of its ink at its foot, in points.
    const auto lean = [&](int baseline) {
        const QRect stroke = PdfTools::inkBounds(page, QRect(40, baseline - 40, 60, 40));
        const QRect top = PdfTools::inkBounds(page, QRect(40, stroke.top(), 60, 4));
        const QRect foot = PdfTools::inkBounds(page, QRect(40, stroke.bottom() - 3, 60, 4));
        return top.center().x() - foot.center().x();
    };
    EXPECT_EQ(lean(100), 0);
    EXPECT_GE(lean(200), 4);
}

TEST_F(PdfLibraryTest, polishTextComesBackExactlyInEveryStyleFromEmbeddedFonts)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    SKIP_WITHOUT_TOOL("pdffonts");
    const char* fonts[] = {"Tahoma", "Tahoma [Bold]", "Tahoma [Italic]", "Tahoma [BoldItalic]", "Segoe Print"};
    double y = 50;
    for (const char* font : fonts) {
        pdf.SelectFont(pdf.AddTrueTypeFont(font));
        pdf.DrawText(50, y, polish);
        y += 30;
    }
    const QString path = save();

    const QStringList lines = PdfTools::text(path).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(lines[i].trimmed(), polish) << fonts[i];

    const QStringList rows = PdfTools::fonts(path);
    ASSERT_FALSE(rows.isEmpty());
    static const QRegularExpression flags(R"(\s(yes|no)\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+\s*$)");
    for (const QString& row : rows) {
        const auto match = flags.match(row);
        ASSERT_TRUE(match.hasMatch()) << row.toStdString();
        EXPECT_EQ(match.captured(1), "yes") << "not embedded: " << row.toStdString();
        EXPECT_EQ(match.captured(3), "yes") << "no map to characters: " << row.toStdString();
    }
}

TEST_F(PdfLibraryTest, lettersAFaceCouldJoinComeBackOneByOne)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    // Faces with ligatures would draw "fi", "fl" and "ffi" as one glyph that reads back as one character.
    const QString names = QStringLiteral("Zofia Florian Jaffiel Wolff");
    double y = 50;
    for (const char* font : {"Tahoma", "Segoe Print", "Tahoma [Italic]"}) {
        pdf.SelectFont(pdf.AddTrueTypeFont(font));
        pdf.DrawText(50, y, names);
        y += 30;
    }
    const QStringList lines = PdfTools::text(save()).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lines[i].trimmed(), names) << i;
}

TEST_F(PdfLibraryTest, noBreakSpaceKeepsItsOwnCharacterInTheTextMap)
{
    pdf.DrawText(50, 50, QString::fromUtf8("12\u00A0maja 1901"));
    const QByteArray contents = PdfTools::streams(readFileBytes(save()));
    EXPECT_TRUE(contents.contains("<00A0>")) << "the map back to characters has no no-break space";
}

// The code point each glyph of each embedded font reads back as, from the fonts' maps (ToUnicode).
QList<QMap<int, int>> characterMaps(const QByteArray& contents)
{
    static const QRegularExpression token(QStringLiteral("<([0-9A-Fa-f]+)>|\\[|\\]"));
    QList<QMap<int, int>> maps;
    for (qsizetype begin = contents.indexOf("begincmap"); begin >= 0;
         begin = contents.indexOf("begincmap", begin + 1)) {
        const QString map = QString::fromLatin1(contents.mid(begin, contents.indexOf("endcmap", begin) - begin));
        QMap<int, int>& codes = maps.emplaceBack();
        bool range = false;
        for (const QString& line : map.split(u'\n')) {
            if (line.endsWith(QLatin1String("beginbfrange")) || line.endsWith(QLatin1String("beginbfchar"))) {
                range = line.endsWith(QLatin1String("beginbfrange"));
                continue;
            }
            QList<int> values;
            for (auto it = token.globalMatch(line); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                if (!m.captured(1).isEmpty())
                    values << m.captured(1).toInt(nullptr, 16);
            }
            if (!line.startsWith(u'<') || values.size() < 2)
                continue;
            if (!range) {
                codes[values[0]] = values[1];
            } else if (line.contains(u'[')) {
                for (int glyph = values[0]; glyph <= values[1] && 2 + glyph - values[0] < values.size(); ++glyph)
                    codes[glyph] = values[2 + glyph - values[0]];
            } else if (values.size() >= 3) {
                for (int glyph = values[0]; glyph <= values[1]; ++glyph)
                    codes[glyph] = values[2] + glyph - values[0];
            }
        }
    }
    return maps;
}

TEST_F(PdfLibraryTest, theSpaceGlyphReadsBackAsASpaceInEveryFont)
{
    double y = 50;
    for (const char* font : {"Tahoma", "Tahoma [Bold]", "Tahoma [Italic]", "Segoe Print"}) {
        pdf.SelectFont(pdf.AddTrueTypeFont(font));
        pdf.DrawText(50, y, QStringLiteral("Jan Nowak\tur. 1900"));
        y += 30;
    }
    const QList<QMap<int, int>> maps = characterMaps(PdfTools::streams(readFileBytes(save())));
    // Bold and italic Tahoma are drawn from the regular face: one map serves the three.
    ASSERT_GE(maps.size(), 2);
    for (const QMap<int, int>& codes : maps) {
        EXPECT_FALSE(codes.values().contains(0x09)) << "a glyph reads back as a tab";
        EXPECT_TRUE(codes.values().contains(0x20)) << "no glyph reads back as a space";
    }
}

TEST_F(PdfLibraryTest, measuredWidthsAndLineCountsMatchWhatIsDrawn)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    const QString line = QString::fromUtf8("Zażółć gęślą jaźń");
    const double width = pdf.TextWidth(line);
    pdf.DrawText(50, 50, line);

    const QString note = QStringLiteral("Ala ma kota, a kot ma Alę; ").repeated(6);
    const int lines = pdf.WrappedLineCount(note, 150);
    EXPECT_GT(lines, 3);
    EXPECT_EQ(pdf.DrawTextBox(50, 100, 150, 1000, note), lines);

    const QString twoLines = QStringLiteral("Pierwsza linia\r\ndruga");
    EXPECT_EQ(pdf.WrappedLineCount(twoLines, 400), 2);
    EXPECT_EQ(pdf.WrappedLineCount(QStringLiteral("jeden\ndwa\ntrzy"), 400), 3);
    EXPECT_DOUBLE_EQ(pdf.TextWidth(twoLines), pdf.TextWidth("Pierwsza linia"));
    EXPECT_EQ(pdf.DrawTextBox(300, 400, 400, 100, twoLines), 2);
    // A text wrapped at its own measured width stays on one line; an empty text is one line.
    EXPECT_EQ(pdf.WrappedLineCount(line, width), 1);
    EXPECT_EQ(pdf.WrappedLineCount("", 100), 1);

    const auto words = PdfTools::words(save(), 1);
    const auto first = PdfTools::findWord(words, QString::fromUtf8("Zażółć"));
    const auto last = PdfTools::findWord(words, QString::fromUtf8("jaźń"));
    EXPECT_NEAR(first.box.left(), 50, 0.5);
    EXPECT_NEAR(last.box.right(), 50 + width, 0.5);

    std::set<int> noteRows;
    for (const auto& w : words) {
        if (w.box.left() >= 49 && w.box.right() <= 201 && w.box.top() >= 95 && w.box.top() < 380)
            noteRows.insert(qRound(w.box.top()));
    }
    EXPECT_EQ(int(noteRows.size()), lines);
    const auto second = PdfTools::findWord(words, "druga");
    const auto firstOfTwo = PdfTools::findWord(words, "Pierwsza");
    EXPECT_NEAR(second.box.left(), firstOfTwo.box.left(), 0.5);
    EXPECT_NEAR(second.box.top() - firstOfTwo.box.top(), pdf.TextHeight(), 0.5);
}

TEST_F(PdfLibraryTest, wrappedLinesAreTheLinesABoxShowsEachOneLineAgain)
{
    const QString text = QString::fromUtf8("Zażółć gęślą jaźń, a potem jeszcze raz zażółć gęślą jaźń aż do końca\r\n"
                                           "\ndrugi akapit po pustym wierszu, też dość długi, by się zawinąć");
    const double width = 150;
    const QStringList lines = pdf.WrappedLines(text, width);
    EXPECT_EQ(lines.size(), pdf.WrappedLineCount(text, width));
    EXPECT_GE(lines.size(), 5);
    EXPECT_TRUE(lines.contains(QString())) << "the empty line between the paragraphs";
    for (const QString& line : lines)
        EXPECT_EQ(pdf.WrappedLineCount(line, width), 1) << line.toStdString();
    // The lines hold every character of the text but the line breaks.
    EXPECT_EQ(lines.join(QString()).remove(u' '), QString(text).remove(u' ').remove(u'\r').remove(u'\n'));
    // Lines drawn together again make as many lines as before.
    EXPECT_EQ(pdf.WrappedLineCount(lines.mid(1, 3).join(u'\n'), width), 3);
}

TEST_F(PdfLibraryTest, aBoxShowsTheLinesItsHeightHoldsAndEndsTheLastOneInAnEllipsis)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    const QString note = QStringLiteral("Ala ma kota, a kot ma Alę; ").repeated(6).trimmed();
    const QString longWord = QString(20000, u'W');
    const double line = pdf.TextHeight();
    struct Case
    {
        QString text;
        double top;
        double height;
        int lines;
        bool cut;
    };
    const Case cases[] = {
        {note, 50, 3 * line, 3, true},
        // A box lower than one line still shows its first line.
        {note, 150, line / 2, 1, true},
        {longWord, 200, 4 * line + line / 2, 4, true},
        // Text the box holds is drawn whole.
        {QStringLiteral("Krótki tekst"), 300, 3 * line, 1, false},
        {QStringLiteral("Pierwsza\ndruga"), 350, 2 * line, 2, false},
    };
    for (const Case& c : cases) {
        ASSERT_GT(pdf.WrappedLineCount(c.text, 150), c.cut ? c.lines : c.lines - 1);
        EXPECT_EQ(pdf.DrawTextBox(100, c.top, 150, c.height, c.text), c.lines) << c.top;
    }

    const QString path = save();
    const QString text = PdfTools::text(path);
    EXPECT_EQ(text.count(QChar(0x2026)), 3);
    const auto words = PdfTools::words(path, 1);
    for (const Case& c : cases) {
        std::set<int> rows;
        QString drawn;
        for (const auto& w : words) {
            if (w.box.top() >= c.top - 1 && w.box.top() < c.top + std::max(c.height, line) && w.box.left() >= 99) {
                EXPECT_LE(w.box.right(), 250.5) << w.text.toStdString();
                rows.insert(qRound(w.box.top()));
                drawn += w.text;
            }
        }
        EXPECT_EQ(int(rows.size()), c.lines) << c.top;
        EXPECT_EQ(drawn.endsWith(QChar(0x2026)), c.cut) << c.top;
    }
}

TEST_F(PdfLibraryTest, textsDrawnOneAfterAnotherKeepTheirColoursAndWhatIsDrawnLaterCoversThem)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    SKIP_WITHOUT_TOOL("pdftotext");
    pdf.SetTextSize(30);
    pdf.SetTextColor(red);
    pdf.DrawTextBox(50, 50, 200, 100, "MMMM");
    pdf.SetTextColor(blue);
    pdf.DrawTextBox(300, 50, 200, 100, "MMMM");
    pdf.SetTextColor(black);
    pdf.DrawTextBox(50, 150, 200, 100, "Zakryty");
    // A white box over the last text hides it; the text stays in the document.
    pdf.SetFillColor({1, 1, 1});
    pdf.DrawBox(40, 140, 300, 60, PdfLibrary::Paint::Fill);
    pdf.NewPage();
    pdf.DrawTextBox(50, 50, 200, 100, "Druga");

    const QString path = save();
    const QImage page = PdfTools::page(path, 1);
    const auto pixelsOf = [&page](QRect area, QColor colour) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                count += near(page.pixelColor(x, y), colour) ? 1 : 0;
        }
        return count;
    };
    EXPECT_GT(pixelsOf(QRect(40, 40, 220, 60), Qt::red), 50);
    EXPECT_EQ(pixelsOf(QRect(40, 40, 220, 60), Qt::blue), 0);
    EXPECT_GT(pixelsOf(QRect(290, 40, 220, 60), Qt::blue), 50);
    EXPECT_EQ(pixelsOf(QRect(290, 40, 220, 60), Qt::red), 0);
    EXPECT_TRUE(PdfTools::inkBounds(page, QRect(40, 140, 300, 60)).isEmpty());
    EXPECT_TRUE(PdfTools::text(path, 1).contains("Zakryty"));
    EXPECT_FALSE(PdfTools::text(path, 1).contains("Druga"));
    EXPECT_TRUE(PdfTools::text(path, 2).contains("Druga"));
}

TEST_F(PdfLibraryTest, namesWrapAtTheSameSpacesAsInAParagraphOfALongerText)
{
    // A name or a date alone is wrapped from its glyphs; followed by another paragraph it goes through the layout
    // engine.
    const char* const names[] = {"Adamczewska, Agnieszka z d. Laskowska", "Jan Maria Józef Nowak  Kowalski",
                                 "Żółkiewski Stanisław 1901 r. Kraków",   "a b c d e f g h i j k l",
                                 "02-06-1830 r. Gorzów Wielkopolski",     "1-2-3 4-5 6-7-8-9 10-11-12-13-14-15",
                                 "przed 1875 r. Piotrków Trybunalski",    "ff ff ff ff ff ff ff ff ff ff ff",
                                 "27-10-1851\u00A0r. Ostrów Wielkopolski"};
    // Fine steps, in faces whose last glyphs reach past their advances by different amounts: a line whose last
    // glyph's ink ends right at the box's edge must wrap as the engine wraps it.
    for (const char* font : {"Tahoma", "Tahoma [Italic]", "DejaVu Serif [Italic]"}) {
        pdf.SelectFont(pdf.AddTrueTypeFont(font));
        for (const char* name : names) {
            const QString text = QString::fromUtf8(name);
            for (double width = 20; width < 400; width += 0.5) {
                QStringList viaEngine = pdf.WrappedLines(text + QStringLiteral("\n;"), width);
                viaEngine.removeLast();
                EXPECT_EQ(pdf.WrappedLines(text, width), viaEngine) << font << " " << name << " " << width;
                EXPECT_EQ(pdf.WrappedLineCount(text, width), viaEngine.size()) << font << " " << name << " " << width;
            }
        }
    }
}

TEST_F(PdfLibraryTest, alignmentPlacesLinesByTheirLeftEndCentreOrRightEnd)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    SKIP_WITHOUT_TOOL("pdftoppm");
    const double width = pdf.TextWidth("Środek");
    pdf.SetTextAlign(PdfLibrary::AlignCentre);
    pdf.DrawText(300, 100, QString::fromUtf8("Środek"));
    pdf.SetTextAlign(PdfLibrary::AlignRight);
    pdf.DrawText(300, 150, "Prawo");
    pdf.DrawTextBox(100, 200, 200, 100, "Pudełko");

    const QString path = save();
    const auto words = PdfTools::words(path, 1);
    const auto centre = PdfTools::findWord(words, QString::fromUtf8("Środek")).box;
    EXPECT_NEAR(centre.center().x(), 300, 0.5);
    EXPECT_NEAR(centre.width(), width, 0.5);
    EXPECT_NEAR(PdfTools::findWord(words, "Prawo").box.right(), 300, 0.5);
    EXPECT_NEAR(PdfTools::findWord(words, QString::fromUtf8("Pudełko")).box.right(), 300, 0.5);
    // The baseline is where it was asked for: a word without descenders stands on it.
    const QRect ink = PdfTools::inkBounds(PdfTools::page(path, 1, 288), QRect(800, 400, 480, 240));
    EXPECT_NEAR((ink.bottom() + 1) / 4.0, 150, 0.5);
}

TEST_F(PdfLibraryTest, scaleMultipliesGeometryAndDividesMeasuresButKeepsFontSizes)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    const double width = pdf.TextWidth("Skala");
    const double height = pdf.TextHeight();
    const double ascent = pdf.TextAscent();
    pdf.SetScale(0.5);
    EXPECT_DOUBLE_EQ(pdf.TextWidth("Skala"), 2 * width);
    EXPECT_DOUBLE_EQ(pdf.TextHeight(), 2 * height);
    EXPECT_DOUBLE_EQ(pdf.TextAscent(), 2 * ascent);
    EXPECT_EQ(pdf.WrappedLineCount("Skala", 2 * width), 1);
    pdf.SetScale(0);
    EXPECT_DOUBLE_EQ(pdf.TextHeight(), 2 * height) << "a scale that is not positive is ignored";

    pdf.SetFillColor(black);
    pdf.DrawBox(200, 200, 100, 40, PdfLibrary::Paint::Fill);
    pdf.SetLineColor(black);
    pdf.SetLineWidth(20);
    pdf.DrawLine(200, 400, 300, 400);
    const QImage page = PdfTools::page(save(), 1);
    // The box spans x 100..150 and y 100..120 on paper; the 20-unit line is 10 points thick at y 200.
    EXPECT_TRUE(near(page.pixelColor(101, 101), Qt::black));
    EXPECT_TRUE(near(page.pixelColor(148, 118), Qt::black));
    EXPECT_TRUE(near(page.pixelColor(152, 110), Qt::white));
    EXPECT_TRUE(near(page.pixelColor(125, 122), Qt::white));
    EXPECT_TRUE(near(page.pixelColor(125, 196), Qt::black));
    EXPECT_TRUE(near(page.pixelColor(125, 207), Qt::white));
}

TEST_F(PdfLibraryTest, pagesAreAppendedWithTheSizeSetRightAfterThem)
{
    SKIP_WITHOUT_TOOL("pdfinfo");
    EXPECT_EQ(pdf.PageNumber(), 1);
    EXPECT_DOUBLE_EQ(pdf.PageWidth(), 595);
    EXPECT_DOUBLE_EQ(pdf.PageHeight(), 842);
    pdf.DrawText(50, 50, "Jeden");
    pdf.NewPage();
    pdf.SetPageSize(841.89, 595.28);
    EXPECT_EQ(pdf.PageNumber(), 2);
    EXPECT_DOUBLE_EQ(pdf.PageWidth(), 842);
    pdf.DrawText(50, 50, "Dwa");
    const QString path = save();

    EXPECT_EQ(PdfTools::pageCount(path), 2);
    const QString info = QString::fromUtf8(PdfTools::run("pdfinfo", {"-f", "1", "-l", "2", path}));
    EXPECT_TRUE(info.contains(QRegularExpression(R"(Page\s+1 size:\s+595 x 842)"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(R"(Page\s+2 size:\s+842 x 595)"))) << info.toStdString();
}

TEST_F(PdfLibraryTest, dashesGradientsCurvesAndClippingComeOut)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    pdf.SetLineColor(black);
    pdf.SetLineWidth(4);
    pdf.SetLineDash(10, 10);
    pdf.DrawLine(100, 50, 300, 50);
    pdf.SetLineDash(0, 0);

    ASSERT_TRUE(pdf.NewLinearGradient("g", 100, 100, red, 100, 200, blue));
    EXPECT_FALSE(pdf.NewLinearGradient("flat", 100, 100, red, 100, 100, blue));
    pdf.SetFillGradient("g");
    pdf.DrawBox(100, 100, 100, 100, PdfLibrary::Paint::Fill);

    // A filled circle-like shape clipped to its left half.
    pdf.SaveState();
    pdf.AddBoxToPath(300, 100, 50, 100);
    pdf.SetClippingPath();
    pdf.SetFillColor(blue);
    pdf.StartPath(350, 100);
    pdf.AddCurveToPath(417, 100, 417, 200, 350, 200);
    pdf.AddCurveToPath(283, 200, 283, 100, 350, 100);
    pdf.ClosePath();
    pdf.DrawPath(PdfLibrary::Paint::Fill);
    pdf.RestoreState();
    // The fill colour comes back with the state.
    pdf.DrawBox(450, 140, 20, 20, PdfLibrary::Paint::Fill);
    // Clipping to an empty path hides everything; painting an empty path paints nothing.
    pdf.SaveState();
    pdf.SetClippingPath();
    pdf.SetFillColor(black);
    pdf.DrawBox(100, 300, 50, 50, PdfLibrary::Paint::Fill);
    pdf.RestoreState();
    pdf.DrawPath(PdfLibrary::Paint::FillAndOutline);

    const QImage page = PdfTools::page(save(), 1);
    EXPECT_TRUE(near(page.pixelColor(105, 50), Qt::black));
    EXPECT_TRUE(near(page.pixelColor(115, 50), Qt::white));
    EXPECT_TRUE(near(page.pixelColor(125, 50), Qt::black));
    EXPECT_TRUE(near(page.pixelColor(150, 102), Qt::red));
    EXPECT_TRUE(near(page.pixelColor(150, 198), Qt::blue));
    EXPECT_TRUE(near(page.pixelColor(150, 150), QColor(128, 0, 128)));
    EXPECT_TRUE(near(page.pixelColor(330, 150), Qt::blue));
    EXPECT_TRUE(near(page.pixelColor(370, 150), Qt::white)) << "outside the clipping path";
    EXPECT_TRUE(near(page.pixelColor(460, 150), QColor(128, 0, 128), 60)) << "gradient fill restored";
    EXPECT_TRUE(near(page.pixelColor(125, 325), Qt::white)) << "clipped away by an empty path";
}

TEST_F(PdfLibraryTest, picturesAreReadByTheirContentsAndEmbeddedOnce)
{
    SKIP_WITHOUT_TOOL("pdfimages");
    SKIP_WITHOUT_TOOL("pdftoppm");
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    // Report pictures are BMP data whatever their name says.
    const QString bmpNamedJpg = dir.filePath("picture.jpg");
    ASSERT_TRUE(picture.save(bmpNamedJpg, "BMP"));
    writeFileBytes(dir.filePath("notes.png"), "not a picture");

    const int id = pdf.LoadImageFromFile(bmpNamedJpg);
    ASSERT_GE(id, 0);
    EXPECT_EQ(pdf.LoadImageFromFile(bmpNamedJpg), id);
    EXPECT_EQ(pdf.ImageWidth(id), 40);
    EXPECT_EQ(pdf.ImageHeight(id), 20);
    EXPECT_EQ(pdf.LoadImageFromFile(dir.filePath("missing.png")), -1);
    EXPECT_EQ(pdf.LoadImageFromFile(dir.filePath("notes.png")), -1);
    EXPECT_EQ(pdf.ImageWidth(-1), 0);

    pdf.DrawImage(id, 100, 100, 80, 40);
    pdf.DrawImage(id, 300, 100, 40, 20);
    const QString path = save();
    const QStringList images = PdfTools::images(path);
    ASSERT_FALSE(images.isEmpty());
    for (const QString& row : images)
        EXPECT_TRUE(row.contains(QRegularExpression(R"(\s40\s+20\s)"))) << row.toStdString();
    const QImage page = PdfTools::page(path, 1);
    EXPECT_TRUE(near(page.pixelColor(178, 138), Qt::red));
    EXPECT_TRUE(near(page.pixelColor(182, 120), Qt::white));
}

TEST_F(PdfLibraryTest, writingWhereAFolderStandsFailsWithAReason)
{
    const QString blocked = dir.filePath("report.pdf");
    ASSERT_TRUE(QDir().mkpath(blocked));
    QString error;
    EXPECT_FALSE(pdf.SaveToFile(blocked, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(blocked).isDir());
    EXPECT_FALSE(pdf.SaveToFile(dir.filePath("again.pdf"))) << "a document is written once";
}

// A photograph goes in as a JPEG, a plain drawing losslessly, and a picture with transparency with a mask that keeps
// what lies under it visible.
TEST_F(PdfLibraryTest, photographsAreEmbeddedAsJpegAndTransparentPicturesWithAMask)
{
    SKIP_WITHOUT_TOOL("pdfimages");
    SKIP_WITHOUT_TOOL("pdftoppm");
    QImage photo(200, 150, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb((x * 7 + y * 13) % 256, (x * x + y) % 256, (x * y) % 256));
    }
    QImage plain(200, 150, QImage::Format_RGB32);
    plain.fill(Qt::red);
    QImage halfTransparent(200, 150, QImage::Format_ARGB32);
    halfTransparent.fill(Qt::transparent);
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 100; ++x)
            halfTransparent.setPixel(x, y, qRgba(0, 0, 255, 255));
    }
    const std::pair<const char*, const QImage&> pictures[] = {
        {"photo.png", photo}, {"plain.png", plain}, {"mask.png", halfTransparent}};
    double y = 50;
    for (const auto& [file, picture] : pictures) {
        ASSERT_TRUE(picture.save(dir.filePath(file)));
        pdf.DrawImage(pdf.LoadImageFromFile(dir.filePath(file)), 50, y, 200, 150);
        y += 200;
    }
    const QString path = save();
    const QStringList rows = PdfTools::images(path);
    ASSERT_EQ(rows.size(), 4) << rows.join('\n').toStdString();
    // pdfimages lists the pictures as they are drawn, a mask right after its picture.
    const auto columns = [&](int row) { return rows[row].split(' ', Qt::SkipEmptyParts); };
    EXPECT_EQ(columns(0)[2], "image");
    EXPECT_EQ(columns(0)[8], "jpeg");
    EXPECT_EQ(columns(1)[8], "image");
    EXPECT_EQ(columns(3)[2], "smask");
    const QImage page = PdfTools::page(path, 1);
    EXPECT_TRUE(near(page.pixelColor(100, 500), Qt::blue));
    EXPECT_TRUE(near(page.pixelColor(200, 500), Qt::white)) << "the transparent half shows the page";
}

// Text in a face whose outlines the document cannot embed (not TrueType) is drawn as filled outlines where the
// text would stand, and no font is named for it.
TEST_F(PdfLibraryTest, textInAFaceThatCannotBeEmbeddedIsDrawnAsOutlines)
{
    SKIP_WITHOUT_TOOL("pdffonts");
    SKIP_WITHOUT_TOOL("pdftoppm");
    QString family;
    for (const QString& candidate : QFontDatabase::families()) {
        QFont font(candidate);
        font.setPixelSize(100);
        const QRawFont raw = QRawFont::fromFont(font);
        if (raw.familyName() == candidate && raw.fontTable("glyf").isEmpty() && !raw.fontTable("CFF ").isEmpty()) {
            family = candidate;
            break;
        }
    }
    if (family.isEmpty())
        GTEST_SKIP() << "no face with other than TrueType outlines is installed";
    pdf.SelectFont(pdf.AddTrueTypeFont(family));
    pdf.SetTextSize(24);
    pdf.DrawText(100, 100, QStringLiteral("Zażółć 1901"));
    pdf.SetTextAlign(PdfLibrary::AlignLeft);
    pdf.DrawTextBox(100, 200, 300, 100, QStringLiteral("Kowalski"));
    const QString path = save();

    const QString fonts = QString::fromUtf8(PdfTools::run("pdffonts", {path}));
    EXPECT_EQ(fonts.split('\n', Qt::SkipEmptyParts).size(), 2) << "only the table's heading: " << fonts.toStdString();
    const QImage page = PdfTools::page(path, 1);
    const QRect firstText = PdfTools::inkBounds(page, QRect(90, 70, 300, 40));
    const QRect secondText = PdfTools::inkBounds(page, QRect(90, 195, 300, 40));
    EXPECT_GT(firstText.width(), 100) << family.toStdString();
    EXPECT_NEAR(firstText.left(), 100, 3);
    EXPECT_GT(secondText.width(), 60);
}
