#include "Pdfmanager.h"
#include "PdfTools.h"
#include "TestSupport.h"
#include "Toolkit.h"
#include "Vh_langmanager.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString polish = QString::fromUtf8("ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ");

bool near(QColor actual, QColor expected, int tolerance = 40)
{
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

bool isWhite(QColor c)
{
    return near(c, Qt::white, 10);
}

// A fresh layer per test, set up the way the reports set it up: scale 1, footer texts as the main window sets them.
class PdfManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pdf.PageText1 = QStringLiteral("www.kronvel.pl | v.1.2.2.0");
        pdf.PageText2 = QStringLiteral("Strona: #NR_STRONY#");
        pdf.SetScale(1.0);
    }

    QString end(const char* name = "report.pdf")
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(pdf.EndDocument(path));
        return path;
    }

    QString picture(const char* name, int width, int height, QColor colour, const char* format = "PNG")
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }

    QTemporaryDir dir;
    PDFManager pdf;
};

} // namespace

TEST_F(PdfManagerTest, unitsAndTheA4PageReadBack)
{
    EXPECT_DOUBLE_EQ(pdf.CmToPt(2.54), 72.0);
    EXPECT_DOUBLE_EQ(pdf.MmToPt(25.4), 72.0);
    EXPECT_NEAR(pdf.CmToPt(21.0), 595.28, 0.01);
    pdf.BeginDocument(false);
    EXPECT_DOUBLE_EQ(pdf.PageWidthPt, 595);
    EXPECT_DOUBLE_EQ(pdf.PageHeightPt, 842);
    EXPECT_DOUBLE_EQ(pdf.BottomEdge(), 842 - pdf.CmToPt(1.5));
    EXPECT_DOUBLE_EQ(pdf.RightEdge(), 595 - pdf.CmToPt(1.5));
    pdf.EndDocument("");
}

TEST_F(PdfManagerTest, mirroredMarginsSwapOnEvenPagesAndAreReadOncePerDocument)
{
    pdf.MirrorMargins = true;
    pdf.MarginLeft = 2.0;
    pdf.MarginRight = 1.0;
    pdf.BeginDocument(false);
    EXPECT_DOUBLE_EQ(pdf.LeftEdge(), pdf.CmToPt(2.0));
    EXPECT_DOUBLE_EQ(pdf.RightMarginPt(), pdf.CmToPt(1.0));
    pdf.MarginLeft = 3.0;
    ASSERT_TRUE(pdf.BreakPageIfNeeded(pdf.PageHeightPt, 1, false));
    EXPECT_DOUBLE_EQ(pdf.LeftEdge(), pdf.CmToPt(1.0));
    EXPECT_DOUBLE_EQ(pdf.RightMarginPt(), pdf.CmToPt(2.0)) << "a margin changed mid-document waits for the next";
    pdf.EndDocument("");

    pdf.MirrorMargins = false;
    pdf.BeginDocument(false);
    EXPECT_DOUBLE_EQ(pdf.LeftEdge(), pdf.CmToPt(3.0));
    pdf.EndDocument("");
}

TEST_F(PdfManagerTest, pageBreaksHappenWhereBreakPageIfNeededSaysWithTheFooterNumbered)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    SKIP_WITHOUT_TOOL("pdfinfo");
    pdf.PageText2 = QStringLiteral("Strona: #NR_STRONY# z #NR_STRONY#");
    pdf.BeginDocument(true);
    const double bottom = pdf.PageHeightPt - pdf.CmToPt(pdf.MarginBottom);
    EXPECT_FALSE(pdf.BreakPageIfNeeded(0, bottom, true)) << "content ending exactly at the edge stays";
    EXPECT_TRUE(pdf.BreakPageIfNeeded(100, bottom - 99, true));
    EXPECT_FALSE(pdf.BreakPageIfNeeded(pdf.CmToPt(pdf.MarginTop), 100, true));
    EXPECT_TRUE(pdf.BreakPageIfNeeded(bottom, 0.01, false));
    const QString path = end();

    EXPECT_EQ(PdfTools::pageCount(path), 3);
    EXPECT_TRUE(PdfTools::text(path, 1).contains("Strona: 1 z 1"));
    EXPECT_TRUE(PdfTools::text(path, 2).contains("Strona: 2 z 2"));
    EXPECT_TRUE(PdfTools::text(path, 2).contains("www.kronvel.pl"));
    EXPECT_FALSE(PdfTools::text(path, 3).contains("Strona")) << "that break asked for no page texts";
}

TEST_F(PdfManagerTest, footerTextsSwapSidesOnEvenMirroredPagesAndTheSecondCanBeHidden)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    SKIP_WITHOUT_TOOL("pdftoppm");
    pdf.MirrorMargins = true;
    pdf.BeginDocument(true);
    pdf.BreakPageIfNeeded(pdf.PageHeightPt, 1, true);
    const double left = pdf.CmToPt(1.5);
    const double right = pdf.PageWidthPt - pdf.CmToPt(1.5);
    const QString path = end();

    const auto page1 = PdfTools::words(path, 1);
    EXPECT_NEAR(PdfTools::findWord(page1, "www.kronvel.pl").box.left(), left, 0.5);
    EXPECT_NEAR(PdfTools::findWord(page1, "1").box.right(), right, 0.5);
    const auto page2 = PdfTools::words(path, 2);
    EXPECT_NEAR(PdfTools::findWord(page2, "Strona:").box.left(), left, 0.5);
    EXPECT_NEAR(PdfTools::findWord(page2, "v.1.2.2.0").box.right(), right, 0.5);
    // The grey rule runs along the bottom content edge.
    const QImage image = PdfTools::page(path, 1);
    const int ruleY = qRound(pdf.PageHeightPt - pdf.CmToPt(1.5));
    EXPECT_TRUE(near(image.pixelColor(300, ruleY), QColor(128, 128, 128), 60));
    EXPECT_TRUE(isWhite(image.pixelColor(300, ruleY - 4)));

    pdf.ShowPageText2 = false;
    pdf.MirrorMargins = false;
    pdf.BeginDocument(true);
    const QString hidden = end("hidden.pdf");
    EXPECT_TRUE(PdfTools::text(hidden).contains("www.kronvel.pl"));
    EXPECT_FALSE(PdfTools::text(hidden).contains("Strona"));
}

TEST_F(PdfManagerTest, endDocumentReportsWhetherTheFileWasWritten)
{
    if (gLangM.Get("LABEL_BOLD") == "LABEL_BOLD")
        gLangM.Load(KX_LangManager::MessageTable());
    RecordingPrompter prompter;

    EXPECT_FALSE(pdf.EndDocument(dir.filePath("none.pdf"))) << "no document is open";
    pdf.BeginDocument(true);
    EXPECT_FALSE(pdf.EndDocument("")) << "an empty path discards the document";

    const QString path = dir.filePath("report.pdf");
    writeFileBytes(path, "old report");
    pdf.BeginDocument(true);
    EXPECT_TRUE(pdf.EndDocument(path));
    EXPECT_TRUE(readFileBytes(path).startsWith("%PDF"));
    EXPECT_TRUE(prompter.texts.isEmpty());

    const QString blocked = dir.filePath("blocked.pdf");
    ASSERT_TRUE(QDir().mkpath(blocked));
    pdf.BeginDocument(true);
    EXPECT_FALSE(pdf.EndDocument(blocked));
    ASSERT_EQ(prompter.texts.size(), 1);
    EXPECT_EQ(prompter.texts[0], QString::fromUtf8("Nie można zapisać pliku [%1]: Is a directory").arg(blocked));
    EXPECT_TRUE(QFileInfo(blocked).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"report.pdf"}));

    // The reports folder replaced by a file.
    const QString inFile = path + QStringLiteral("/raport.pdf");
    pdf.BeginDocument(true);
    EXPECT_FALSE(pdf.EndDocument(inFile));
    ASSERT_EQ(prompter.texts.size(), 2);
    EXPECT_EQ(prompter.texts[1], QString::fromUtf8("Nie można zapisać pliku [%1]: Not a directory").arg(inFile));
}

TEST_F(PdfManagerTest, scaleShrinksTheOpenDocumentOnlyAndMeasuresComeBackUnscaled)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    SKIP_WITHOUT_TOOL("pdftotext");
    // Before a document the value is only stored: the document still draws at full size.
    pdf.SetScale(0.5);
    EXPECT_EQ(pdf.Scale, 0.5);
    pdf.BeginDocument(false);
    pdf.DrawBox(100, 100, 100, 20, true, 0, false, 0, 0);
    const QImage full = PdfTools::page(end("full.pdf"), 1);
    EXPECT_FALSE(isWhite(full.pixelColor(195, 110)));

    pdf.SetScale(1.0);
    pdf.BeginDocument(false);
    const int font = pdf.SelectFontDescription("Tahoma", "", 0);
    const double width9 = pdf.TextWidth(polish, font, 9);
    const double line9 = pdf.LineHeight(font, 9);
    pdf.DrawPageTexts(1, 100, 500, 700);
    const auto fullFooter = PdfTools::findWord(PdfTools::words(end("footer.pdf"), 1), "Strona:").box;

    pdf.BeginDocument(false);
    pdf.SetScale(0.5);
    const int scaledFont = pdf.SelectFontDescription("Tahoma", "", 0);
    // Font sizes are used as given, and the tree already halves them: 4.5 pt text measures as 9 pt did.
    EXPECT_NEAR(pdf.TextWidth(polish, scaledFont, 4.5), width9, 0.05);
    EXPECT_NEAR(pdf.LineHeight(scaledFont, 4.5), line9, 0.05);
    EXPECT_NEAR(pdf.DrawTextBox(scaledFont, polish, 0, 100, 300, "", 4.5, 400, 100, false, 1, false), line9, 0.05);
    int lines = 0;
    EXPECT_NEAR(pdf.MeasureTextHeight(scaledFont, "a\nb", 400, "", 4.5, false, lines), 2 * line9, 0.1);
    EXPECT_EQ(lines, 2);
    pdf.DrawBox(100, 100, 100, 20, true, 0, false, 0, 0);
    pdf.DrawPageTexts(1, 100, 500, 700);
    const QString path = end("scaled.pdf");

    const QImage half = PdfTools::page(path, 1);
    EXPECT_FALSE(isWhite(half.pixelColor(51, 55)));
    EXPECT_FALSE(isWhite(half.pixelColor(99, 55)));
    EXPECT_TRUE(isWhite(half.pixelColor(101, 55))) << "a 100-unit box is 50 pt wide";
    const auto halfFooter = PdfTools::findWord(PdfTools::words(path, 1), "Strona:").box;
    EXPECT_NEAR(halfFooter.height(), fullFooter.height() / 2, 0.1) << "the footer is drawn at 4.5 pt";
    EXPECT_NEAR(halfFooter.left(), fullFooter.left() / 2, 0.5);
    EXPECT_NEAR(halfFooter.top(), fullFooter.top() / 2, 0.5);

    // The next document starts at scale 1 again.
    pdf.BeginDocument(false);
    pdf.DrawBox(100, 100, 100, 20, true, 0, false, 0, 0);
    EXPECT_FALSE(isWhite(PdfTools::page(end("again.pdf"), 1).pixelColor(195, 110)));
}

TEST_F(PdfManagerTest, fontsAreCachedByFaceAndStyleIgnoringCase)
{
    pdf.BeginDocument(false);
    const int bold = pdf.UseFont("", "Tahoma", true, false);
    EXPECT_EQ(pdf.UseFont("abc", "TAHOMA", true, false), bold);
    const int regular = pdf.UseFont("", "Tahoma", false, false);
    const int italic = pdf.UseFont("", "Tahoma", false, true);
    const int both = pdf.UseFont("", "Tahoma", true, true);
    EXPECT_NE(regular, bold);
    EXPECT_NE(italic, bold);
    EXPECT_NE(both, italic);
    EXPECT_EQ(pdf.SelectFontDescription("tahoma, 10pt, pogrubienie", "", 0), bold);
    EXPECT_GT(pdf.LineHeight(bold, 10), pdf.LineHeight(bold, 8));
    pdf.EndDocument("");
}

TEST_F(PdfManagerTest, fontCharactersCoverPolishInCodePointOrder)
{
    const QString characters = FontCharacters("Tahoma", true, false);
    for (const QChar c : polish)
        EXPECT_TRUE(characters.contains(c)) << QString(c).toStdString();
    EXPECT_TRUE(std::is_sorted(characters.begin(), characters.end()));
    EXPECT_FALSE(characters.contains(QChar(0x4E00)));
    EXPECT_FALSE(FontCharacters("Segoe Print", false, false).isEmpty());
}

TEST_F(PdfManagerTest, textBoxesShrinkToFitNoLowerThanFivePoints)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    pdf.BeginDocument(false);
    const int font = pdf.SelectFontDescription("Tahoma", "", 0);
    const double line12 = pdf.LineHeight(font, 12);
    const double line8 = pdf.LineHeight(font, 8);
    const QString shortText = QStringLiteral("Krótki");
    const QString longText = QStringLiteral("Bardzo długi tekst, który nie zmieści się w wąskiej ramce");
    const double longAt8 = pdf.TextWidth(longText, font, 8);
    int lines = 0;
    // Shrunk as far as it goes, the text still wraps in a narrow box.
    const double narrowAt5 = pdf.MeasureTextHeight(font, longText, 30, "", 5, false, lines);
    EXPECT_GT(lines, 1);

    EXPECT_DOUBLE_EQ(pdf.DrawTextBox(font, shortText, 0, 50, 50, "", 12, 200, 100, false, 1, true), line12);
    EXPECT_DOUBLE_EQ(pdf.DrawTextBox(font, longText, 0, 50, 100, "", 12, 30, 100, false, 1, true), narrowAt5);
    EXPECT_DOUBLE_EQ(pdf.DrawTextBox(font, longText, 0, 50, 150, "", 12, longAt8, 100, false, 1, true), line8);
    // A size with a fraction still stops at 5 pt.
    EXPECT_DOUBLE_EQ(pdf.DrawTextBox(font, longText, 0, 50, 200, "", 12.5, 30, 100, false, 1, true), narrowAt5);
    // Without shrinking the long text wraps, and the height covers every line drawn; a box lower than the text
    // shows what it holds, its first line at least.
    const double measured = pdf.MeasureTextHeight(font, longText, 150, "", 12, false, lines);
    EXPECT_GT(lines, 1);
    EXPECT_DOUBLE_EQ(pdf.DrawTextBox(font, longText, 0, 50, 250, "", 12, 150, measured, false, 0, false), measured);
    EXPECT_DOUBLE_EQ(pdf.DrawTextBox(font, longText, 0, 50, 320, "", 12, 150, 10, false, 0, false), line12);
    // An empty text is one blank line; the library's box draws nothing for it.
    EXPECT_DOUBLE_EQ(pdf.DrawTextBox(font, "", 0, 50, 400, "", 12, 150, 100, false, 1, false), line12);
    EXPECT_EQ(pdf.PutTextBox(50, 400, 150, 100, "", 1), 0);
    // A font chosen by face.
    lines = 0;
    EXPECT_GT(pdf.MeasureTextHeight(-1, polish, 500, "Tahoma", 10, true, lines), 0);
    EXPECT_EQ(lines, 1);
    EXPECT_DOUBLE_EQ(pdf.HalfHeightDifference(font, "", 12, 8), (line12 - line8) / 2);
    const QString path = end();

    const QString text = PdfTools::text(path);
    EXPECT_TRUE(text.contains(shortText));
    EXPECT_TRUE(text.contains(QStringLiteral("Bardzo długi tekst")));
}

TEST_F(PdfManagerTest, sizeZeroIsKeptButDrawnReadable)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    pdf.BeginDocument(false);
    const int font = pdf.SelectFontDescription("Tahoma, pt", "", 0);
    EXPECT_EQ(pdf.FontSize, 0);
    EXPECT_DOUBLE_EQ(pdf.LineHeight(font, 0), pdf.LineHeight(font, 5));
    EXPECT_GT(pdf.DrawTextBox(font, "Zero", 0, 50, 50, "", 0, 200, 100, false, 1, true), 0);
    pdf.DrawTextAt(font, 0, "Czytelny", 50, 100, 0);
    const QString text = PdfTools::text(end());
    EXPECT_TRUE(text.contains("Zero"));
    EXPECT_TRUE(text.contains("Czytelny"));
}

TEST_F(PdfManagerTest, textAtPutsTheTopOfTheLineAtY)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    SKIP_WITHOUT_TOOL("pdftoppm");
    pdf.BeginDocument(false);
    const int font = pdf.SelectFontDescription("Tahoma, 40pt", "", 0);
    // The accents of Polish capitals reach up to the top of the line, not above it.
    pdf.DrawTextAt(font, 40, QString::fromUtf8("ŚĆŹŃ"), 300, 100, 1);
    pdf.DrawTextAt(font, 20, "Lewo", 50, 300, 0);
    const QString path = end();
    const auto words = PdfTools::words(path, 1);
    EXPECT_NEAR(PdfTools::findWord(words, QString::fromUtf8("ŚĆŹŃ")).box.center().x(), 300, 0.5);
    EXPECT_NEAR(PdfTools::findWord(words, "Lewo").box.left(), 50, 0.5);
    const QRect ink = PdfTools::inkBounds(PdfTools::page(path, 1), QRect(200, 80, 200, 100));
    EXPECT_GE(ink.top(), 99);
    EXPECT_LE(ink.top(), 104);
    EXPECT_LT(ink.bottom(), 100 + pdf.LineHeight(font, 40));
}

TEST_F(PdfManagerTest, ensureRoomForTextBreaksThePageOnlyWhenTheTextWouldCrossTheBottom)
{
    SKIP_WITHOUT_TOOL("pdfinfo");
    pdf.BeginDocument(true);
    const int font = pdf.SelectFontDescription("Tahoma", "", 0);
    const double top = pdf.CmToPt(pdf.MarginTop);
    const double line = pdf.LineHeight(font, 10);
    const double bottom = pdf.BottomEdge();
    EXPECT_EQ(
        pdf.EnsureRoomForText(bottom - line - pdf.MmToPt(2), top, "Notatka", 300, font, 10, false, true, false, 2),
        bottom - line - pdf.MmToPt(2));
    EXPECT_EQ(pdf.EnsureRoomForText(bottom - line, top, "Notatka\r\ndruga linia", 300, font, 10, false, true, false, 0),
              top);
    EXPECT_EQ(PdfTools::pageCount(end()), 2);
}

TEST_F(PdfManagerTest, colourRecordsResolveWhiteAndSystemColours)
{
    const PDFColor white(-1);
    EXPECT_EQ(white.R, 255);
    EXPECT_EQ(white.G, 255);
    EXPECT_EQ(white.B, 255);
    EXPECT_EQ(white.Color, -1);
    PDFColor set(0x112233);
    set.Set(-1);
    EXPECT_EQ(set.Color, 0);
    const PDFColor plain(0x332211);
    EXPECT_EQ(plain.R, 0x11);
    EXPECT_EQ(plain.G, 0x22);
    EXPECT_EQ(plain.B, 0x33);
    const PDFColor system{int(clBtnFace)};
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(system.R, GetRValue(face));
    EXPECT_EQ(system.B, GetBValue(face));
    EXPECT_EQ(system.Color, int(clBtnFace));
    EXPECT_DOUBLE_EQ(PDFManager::ColorComponent(255), 1.0);
}

TEST_F(PdfManagerTest, linesBracketsBoxesAndGradientsComeOut)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    pdf.BeginDocument(false);
    // A dashed 2 pt line: dashes and gaps of 4 pt.
    pdf.DrawLine(100, 50, 300, 50, 0, false, 2);
    // Left behind solid: the next plain line has no gaps.
    pdf.DrawLineMm(100, 70, 300, 70, 0, 0.5, false, 0);
    pdf.DrawHairline(100, 90, 300, 90, 0, false);
    // A bracket joining a box at x 200 to children at x 120 and 280, its bar at y 150.
    pdf.DrawBracket(120, 280, 200, 150, 20, true, 0x0000FF, true, 2);
    pdf.DrawBox(100, 200, 50, 50, false, 0x0000FF, false, 0, 1);
    pdf.DrawBox(200, 200, 50, 50, true, 0xFF0000, true, 0x000000, 1);
    pdf.DrawGradientBox(100, 300, 100, 100, 0x0000FF, 0xFFFFFF, 1);
    pdf.DrawGradientBox(300, 300, 100, 100, 0xFF0000, 0x00FF00, 2);
    const QImage page = PdfTools::page(end(), 1);

    EXPECT_FALSE(isWhite(page.pixelColor(102, 50)));
    EXPECT_TRUE(isWhite(page.pixelColor(106, 50)));
    EXPECT_FALSE(isWhite(page.pixelColor(110, 50)));
    for (int x = 102; x < 120; x += 2)
        EXPECT_FALSE(isWhite(page.pixelColor(x, 70))) << x;
    EXPECT_FALSE(isWhite(page.pixelColor(101, 90)));

    const QColor red(255, 0, 0);
    EXPECT_TRUE(near(page.pixelColor(120, 168), red)) << "the left end turns down";
    EXPECT_TRUE(near(page.pixelColor(160, 150), red)) << "the bar";
    EXPECT_TRUE(near(page.pixelColor(200, 131), red)) << "the notch points up at the box";
    EXPECT_TRUE(near(page.pixelColor(280, 168), red)) << "the right end turns down";
    EXPECT_TRUE(isWhite(page.pixelColor(200, 150))) << "the bar opens under the notch";

    EXPECT_TRUE(isWhite(page.pixelColor(125, 225))) << "neither fill nor border draws nothing";
    EXPECT_TRUE(isWhite(page.pixelColor(100, 225)));
    EXPECT_TRUE(near(page.pixelColor(225, 225), QColor(0, 0, 255)));
    EXPECT_TRUE(near(page.pixelColor(200, 225), Qt::black));

    EXPECT_TRUE(near(page.pixelColor(150, 302), Qt::white));
    EXPECT_TRUE(near(page.pixelColor(150, 398), red));
    EXPECT_TRUE(near(page.pixelColor(302, 350), QColor(0, 255, 0)));
    EXPECT_TRUE(near(page.pixelColor(398, 350), QColor(0, 0, 255)));
}

TEST_F(PdfManagerTest, fittedPicturesKeepTheirShapeAndNeverGrowPastOnePointPerPixel)
{
    const QString tall = picture("tall.png", 100, 200, Qt::red);
    const QString small = picture("small.bmp", 20, 10, Qt::red, "BMP");
    struct Case
    {
        QString file;
        double w;
        double h;
        int hAlign;
        int vAlign;
        int shape;
        bool framed;
        double drawnWidth;
    };
    const Case cases[] = {
        {tall, 200, 100, 1, 0, 0, false, 50},   {tall, 200, 100, 0, 0, 1, false, 50},
        {tall, 200, 100, -1, 0, 0, false, 200}, {tall, 200, 100, 1, 0, 1, true, 54},
        {tall, 200, 100, 5, 0, 0, false, 200},  {small, 200, 100, 1, 1, 2, false, 20},
        {small, 200, 100, 2, 2, 3, true, 24},   {tall, 0, 100, 1, 0, 1, true, 0},
        {tall, 200, 0, 1, 0, 1, true, 0},       {dir.filePath("missing.png"), 200, 100, 1, 0, 1, true, 0},
    };
    pdf.BeginDocument(false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString() + " " + std::to_string(c.hAlign));
        EXPECT_DOUBLE_EQ(
            pdf.DrawPictureFitted(c.file, 50, 50, c.w, c.h, 1.0, c.hAlign, c.vAlign, c.shape, c.framed, 0x808080, -1),
            c.drawnWidth);
    }
    EXPECT_EQ(pdf.DrawImageFile(dir.filePath("missing.png"), 0, 0, 10, 10), 0);
    pdf.EndDocument("");
}

TEST_F(PdfManagerTest, fittedPicturesAreCentredAtTheTopClippedAndFramed)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    SKIP_WITHOUT_TOOL("pdfimages");
    const QString tall = picture("tall.png", 100, 200, Qt::red);
    // Report pictures are BMP data behind a ".jpg" name.
    const QString wide = picture("wide.jpg", 200, 100, Qt::blue, "BMP");
    pdf.BeginDocument(false);
    // The tall picture in a wide box: 50 x 100, centred across, touching the top.
    pdf.DrawPictureFitted(tall, 100, 100, 200, 100, 1.0, 1, 0, 0, false, 0, -1);
    // An octagon clip cuts the corners of a framed picture.
    pdf.DrawPictureFitted(wide, 100, 300, 200, 100, 1.0, 1, 0, 3, true, 0x808080, -1);
    pdf.DrawImageFile(wide, 100, 500, 50, 50);
    const QString path = end();

    const QImage page = PdfTools::page(path, 1);
    EXPECT_TRUE(near(page.pixelColor(200, 102), Qt::red));
    EXPECT_TRUE(near(page.pixelColor(177, 198), Qt::red));
    EXPECT_TRUE(isWhite(page.pixelColor(172, 150)));
    EXPECT_TRUE(isWhite(page.pixelColor(228, 150)));
    EXPECT_TRUE(near(page.pixelColor(200, 350), Qt::blue));
    EXPECT_TRUE(isWhite(page.pixelColor(99, 299))) << "the octagon cuts the corner";
    EXPECT_TRUE(near(page.pixelColor(125, 525), Qt::blue));
    EXPECT_EQ(PdfTools::images(path).size(), 3);
}
