#include "AdvListV.h"
#include "Clock.h"
#include "ListViewFixture.h"
#include "PdfTools.h"
#include "Printers.h"
#include "TestSupport.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

// Prints each document into a PDF file on A4 with 10 mm margins.
class PdfPrinters : public Printers
{
public:
    explicit PdfPrinters(const QString& file) : file(file) { setPrinters(this); }
    ~PdfPrinters() override { setPrinters(nullptr); }
    std::unique_ptr<QPrinter> DefaultPrinter() override
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(file);
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        return printer;
    }
    QString file;
};

class NoPrinters : public Printers
{
public:
    NoPrinters() { setPrinters(this); }
    ~NoPrinters() override { setPrinters(nullptr); }
    std::unique_ptr<QPrinter> DefaultPrinter() override { return nullptr; }
};

class AdvListVPrintTest : public ListViewFixture
{
protected:
    void SetUp() override
    {
        ListViewFixture::SetUp();
        ASSERT_TRUE(folder.isValid());
    }
    void TearDown() override { Clock::setFixedNow(QDateTime()); }

    // Columns captioned "<prefix>0", "<prefix>1"... and rows of cells "r<row>c<column>".
    void table(int columns, int rows, const QString& prefix = "Kol")
    {
        for (int c = 0; c < columns; ++c) {
            TListColumn* column = list.Columns().Add();
            column->SetWidth(60);
            column->SetCaption(prefix + QString::number(c));
        }
        for (int r = 0; r < rows; ++r) {
            QStringList cells;
            for (int c = 0; c < columns; ++c)
                cells << QStringLiteral("r%1c%2").arg(r).arg(c);
            addRow(cells);
        }
    }
    // Prints the list and answers the PDF file.
    QString print(const char* name)
    {
        const QString file = folder.filePath(QLatin1String(name) + QLatin1String(".pdf"));
        PdfPrinters pdf(file);
        list.Print();
        return file;
    }
    // The printed widths of the columns after a preview on a page 1323 units wide.
    QVector<int> previewWidths()
    {
        QImage image(500, 700, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        list.Preview(painter, Rect(0, 0, 500, 700));
        QVector<int> widths;
        for (int c = 0; c < list.Columns().Count(); ++c)
            widths << list.GetPrintColWidth(c);
        return widths;
    }

    QTemporaryDir folder;
};

TEST_F(AdvListVPrintTest, aWideTablePrintsInBandsEachWithItsCaptions)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    // Two columns of 90 mm fit the 190 mm of an A4 page: six make three bands.
    table(6, 5);
    list.GetPrintSettings().UseFixedWidth = true;
    list.GetPrintSettings().FixedWidth = 900;
    const QString pdf = print("bands");
    ASSERT_EQ(PdfTools::pageCount(pdf), 3);
    for (int band = 0; band < 3; ++band) {
        const QString text = PdfTools::text(pdf, band + 1);
        SCOPED_TRACE(text.toStdString());
        for (int c = 0; c < 6; ++c) {
            const bool inBand = c / 2 == band;
            EXPECT_EQ(text.contains(QStringLiteral("Kol%1").arg(c)), inBand) << c;
            EXPECT_EQ(text.contains(QStringLiteral("r4c%1").arg(c)), inBand) << c;
        }
    }
    EXPECT_EQ(list.GetPrintColWidth(5), 900);
    EXPECT_EQ(list.GetPrintColOffset(4), 0);
    EXPECT_EQ(list.GetPrintColOffset(5), 900);
    EXPECT_EQ(list.GetPrintColWidth(6), 0);
    EXPECT_EQ(list.GetPrintColWidth(-1), 0);
}

TEST_F(AdvListVPrintTest, captionsRepeatOnEveryPageOnlyWhenAsked)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    table(1, 150, "Nagłówek");
    for (const bool repeat : {false, true}) {
        SCOPED_TRACE(repeat ? "RepeatHeaders" : "once");
        list.GetPrintSettings().RepeatHeaders = repeat;
        const QString pdf = print(repeat ? "repeat" : "once");
        const int pages = PdfTools::pageCount(pdf);
        ASSERT_GE(pages, 3);
        for (int page = 1; page <= pages; ++page)
            EXPECT_EQ(PdfTools::text(pdf, page).contains("Nagłówek0"), repeat || page == 1) << page;
        EXPECT_TRUE(PdfTools::text(pdf, pages).contains("r149c0"));
    }
}

TEST_F(AdvListVPrintTest, fittingToThePage)
{
    struct Case
    {
        const char* what;
        TFitToPage fit;
        bool wide;
        // Compared with the widths of fpNever: 0 the same, 1 wider, -1 narrower.
        int change;
    };
    const Case cases[] = {
        {"fpShrink leaves a narrow table", fpShrink, false, 0}, {"fpShrink narrows a wide table", fpShrink, true, -1},
        {"fpGrow widens a narrow table", fpGrow, false, 1},     {"fpGrow leaves a wide table", fpGrow, true, 0},
        {"fpAlways widens a narrow table", fpAlways, false, 1}, {"fpAlways narrows a wide table", fpAlways, true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        list.Clear();
        table(c.wide ? 40 : 2, 3);
        TPrintsettings& ps = list.GetPrintSettings();
        ps.FitToPage = fpNever;
        const QVector<int> natural = previewWidths();
        ps.FitToPage = c.fit;
        const QVector<int> fitted = previewWidths();
        int total = 0;
        for (int i = 0; i < fitted.size(); ++i) {
            EXPECT_EQ(fitted[i] > natural[i], c.change > 0) << i;
            EXPECT_EQ(fitted[i] < natural[i], c.change < 0) << i;
            total += fitted[i] + 20;
        }
        // A scaled table fills the 1323 units of the page less the truncation.
        if (c.change != 0) {
            EXPECT_NEAR(total, 1323, fitted.size());
        }
    }

    // Nothing to scale but spacing: the table prints unscaled.
    list.Clear();
    table(3, 2);
    TPrintsettings& ps = list.GetPrintSettings();
    ps.UseFixedWidth = true;
    ps.FixedWidth = 0;
    ps.FitToPage = fpAlways;
    EXPECT_EQ(previewWidths(), QVector<int>(3, 0));
}

TEST_F(AdvListVPrintTest, wideTablesSplitOrShrinkOnPaper)
{
    SKIP_WITHOUT_TOOL("pdfinfo");
    table(12, 3);
    TPrintsettings& ps = list.GetPrintSettings();
    ps.UseFixedWidth = true;
    ps.FixedWidth = 400;
    ps.FitToPage = fpGrow;
    EXPECT_EQ(PdfTools::pageCount(print("grow")), 3) << "four columns of 40 mm to a page";
    ps.FitToPage = fpAlways;
    EXPECT_EQ(PdfTools::pageCount(print("always")), 1);
}

TEST_F(AdvListVPrintTest, headerAndFooterLines)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    Clock::setFixedNow(QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
    table(2, 120);
    TPrintsettings& ps = list.GetPrintSettings();
    ps.Time = ppTopLeft;
    ps.Date = ppTopLeft;
    ps.DateFormat = "yyyy-mm-dd";
    ps.PageNr = ppBottomCenter;
    ps.PagePrefix = "Page";
    ps.Title = ppTopRight;
    ps.TitleText = "Lista osób";
    const QString pdf = print("lines");
    ASSERT_GE(PdfTools::pageCount(pdf), 2);
    const QVector<PdfTools::Word> first = PdfTools::words(pdf, 1);
    const PdfTools::Word date = PdfTools::findWord(first, "2024-03-05");
    const PdfTools::Word time = PdfTools::findWord(first, "14:07");
    ASSERT_FALSE(date.box.isEmpty());
    ASSERT_FALSE(time.box.isEmpty());
    EXPECT_LT(date.box.right(), time.box.left()) << "the later item in front";
    EXPECT_NEAR(date.box.top(), time.box.top(), 1);
    EXPECT_GT(PdfTools::findWord(first, "osób").box.left(), 400) << "the title at the right";
    EXPECT_TRUE(PdfTools::text(pdf, 1).contains("Page 1"));
    EXPECT_TRUE(PdfTools::text(pdf, 2).contains("Page 2"));

    // No row reaches down to the footer line on any page.
    for (int page = 1; page <= PdfTools::pageCount(pdf); ++page) {
        const QVector<PdfTools::Word> words = PdfTools::words(pdf, page);
        const PdfTools::Word footer = PdfTools::findWord(words, "Page");
        ASSERT_FALSE(footer.box.isEmpty()) << page;
        for (const PdfTools::Word& word : words) {
            if (word.text.startsWith('r')) {
                EXPECT_LT(word.box.bottom(), footer.box.top()) << word.text.toStdString() << " on page " << page;
            }
        }
    }
}

TEST_F(AdvListVPrintTest, doubleBordersAreOneMillimetreWide)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    table(2, 3);
    TPrintsettings& ps = list.GetPrintSettings();
    ps.LeftSize = 100;
    const auto lineWidth = [&](TPrintBorders borders) {
        ps.Borders = borders;
        // At 254 dots per inch a pixel is a tenth of a millimetre; the page starts at its 10 mm margin. The
        // first column's line stands at 10 mm from there, left of its caption.
        const QImage page = PdfTools::page(print("borders"), 1, 254);
        const int y = 100 + 20;
        int width = 0;
        for (int x = 100 + 100 - 20; x < 100 + 100 + 12; ++x)
            width += page.pixelColor(x, y).lightness() < 128;
        return width;
    };
    const int single = lineWidth(pbSingle);
    const int doubled = lineWidth(pbDouble);
    EXPECT_NEAR(single, 2, 1);
    EXPECT_NEAR(doubled, 10, 1);
}

TEST_F(AdvListVPrintTest, everyColumnOfAWideListPrints)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    table(300, 2, "C");
    const QString pdf = print("columns");
    const QString text = PdfTools::text(pdf);
    for (int c : {0, 150, 255, 256, 299})
        EXPECT_TRUE(text.contains(QStringLiteral("r1c%1").arg(c))) << c;
    EXPECT_GT(list.GetPrintColWidth(299), 0);
    EXPECT_GT(list.GetPrintColOffset(299), 0);
    EXPECT_EQ(list.GetPrintColWidth(300), 0);
    EXPECT_EQ(list.GetPrintColOffset(301), 0);
}

TEST_F(AdvListVPrintTest, previewLaysOutAPageOfThePaintersSizeAndDrawsItsFirstPage)
{
    table(3, 200);
    list.Items()[0]->SubItems().Put(0, "<b>pogrubione</b> i <i>pochyłe</i>");
    TPrintsettings& ps = list.GetPrintSettings();
    ps.Borders = pbSingle;
    ps.PageNr = ppBottomCenter;
    ps.PagePrefix = "Strona";
    QVector<QPair<int, int>> pages;
    list.OnPrintPage = [&](QObject*, TCanvas&, int number, int width, int height) {
        pages.append({width, height});
        EXPECT_EQ(number, 0);
    };
    int rowsAsked = 0;
    list.OnPrintNewPage = [&](QObject*, int, bool&) { ++rowsAsked; };
    QImage image(500, 700, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        list.Preview(painter, Rect(0, 0, 500, 700));
    }
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0], qMakePair(1323, -1852));
    EXPECT_GT(rowsAsked, 10);
    EXPECT_LT(rowsAsked, 200);
    image.save(testOutputFolder() + "/list-view-preview.png");

    NoPrinters none;
    EXPECT_THROW(list.Print(), EPrinter);
}

} // namespace
