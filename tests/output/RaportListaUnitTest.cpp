#include "RaportListaUnit.h"
#include "ReportWindows.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvOfficeButtons.h"
#include "CodePage.h"
#include "PdfTools.h"
#include "Pdfmanager.h"
#include "TestSupport.h"
#include "Unitdata.h"

#include "TreeTestSupport.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

// Reads CSV text back the way a spreadsheet does: a cell in quotes may hold the separator and doubled quotes.
QList<QStringList> readCsv(const QString& text, QChar separator)
{
    QList<QStringList> rows;
    for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        QStringList cells;
        QString cell;
        bool quoted = false;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line[i];
            if (quoted && c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
                cell += c;
                ++i;
            } else if (c == u'"') {
                quoted = !quoted;
            } else if (c == separator && !quoted) {
                cells << cell;
                cell.clear();
            } else {
                cell += c;
            }
        }
        rows << (cells << cell);
    }
    return rows;
}

// A data folder with its reports folder, the dialog, and the message boxes and the desktop answered by the test.
class ListReportTest : public TreeFolderFixture
{
protected:
    void SetUp() override
    {
        TreeFolderFixture::SetUp();
        gPDFManager.PageText1 = QStringLiteral("www.kronvel.example | v.1.0");
        gPDFManager.PageText2 = QStringLiteral("Strona: #NR_STRONY#");
    }
    void TearDown() override
    {
        // The page settings the report leaves behind go back to a fresh program's.
        const PDFManager fresh;
        gPDFManager.PageWidthCm = fresh.PageWidthCm;
        gPDFManager.PageHeightCm = fresh.PageHeightCm;
        gPDFManager.MarginLeft = fresh.MarginLeft;
        gPDFManager.MarginRight = fresh.MarginRight;
        gPDFManager.MirrorMargins = fresh.MirrorMargins;
        gPDFManager.PageText1.clear();
        gPDFManager.PageText2.clear();
        TreeFolderFixture::TearDown();
    }

    // Three persons: a dead one with dates and places, a living one and a dead one without a date of death.
    void addFamily()
    {
        michal = addPerson(u("Michał"), u("Łoś"));
        addFact(michal, "BIRT", "12-05-1901", u("Kraków"));
        addFact(michal, "DEAT", "3-02-1950", u("Łódź"));
        michal->SetDead(true);
        anna = addPerson("Anna", "Nowak", 0);
        anna->Familyname = "Kowalska";
        addFact(anna, "BIRT", "1930", u("Poznań"));
        jan = addPerson("Jan", "Adamski");
        jan->SetDead(true);
    }
    // The person list's search: everyone (an empty text) or the persons matching the text, sorted by surname.
    static void search(const QString& text = QString())
    {
        gDB.SearchPersons(text, 0, 0, 0, 0);
        gDB.SortPersons(PersonSortKey::Surname, true, false);
    }
    // Generates through "F3 - Generuj" with the format, column set and scope chosen in the dialog.
    void generate(int format, int columnSet, int scope = TFormRaportLista::PersonsOfTheList)
    {
        dialog.AdvComboBoxTyp->SetItemIndex(format);
        TAdvOfficeRadioButton* sets[] = {dialog.ZakresPDF1, dialog.ZakresPDF2, dialog.ZakresPDF3};
        sets[columnSet - 1]->SetChecked(true);
        dialog.AdvComboBoxZakresDanych->SetItemIndex(scope);
        dialog.ButtonZapiszClick();
    }
    QString csvPath() const { return gReportsFolder + "Raport Lista.csv"; }
    QString pdfPath() const { return gReportsFolder + "Raport Lista.pdf"; }
    QString csvText() const
    {
        const QByteArray bytes = readFileBytes(csvPath());
        return bytes.startsWith("\xEF\xBB\xBF") ? QString::fromUtf8(bytes.mid(3)) : QString::fromLatin1(bytes);
    }
    // The number and the surname of each row, from the PDF's text, in reading order.
    static QStringList pdfRows(const QString& pdf)
    {
        static const QRegularExpression row(QStringLiteral("^(\\d+) (\\p{L}+)(,| |$)"));
        QStringList rows;
        for (const QString& line : PdfTools::text(pdf).split(u'\n')) {
            const QRegularExpressionMatch match = row.match(line.simplified());
            if (match.hasMatch())
                rows << match.captured(1) + u' ' + match.captured(2);
        }
        return rows;
    }

    RecordingPrompter prompter;
    RecordingOpener opener;
    TFormRaportLista dialog;
    KV_Person* michal = nullptr;
    KV_Person* anna = nullptr;
    KV_Person* jan = nullptr;
};

} // namespace

TEST_F(ListReportTest, csvFormatsHaveTheirEncodingSeparatorAndCellsPerColumnSet)
{
    addFamily();
    search();
    struct Case
    {
        int format;
        int columnSet;
        int cellsPerLine;
    };
    const Case cases[] = {
        {TFormRaportLista::CsvFile, 1, 4},      {TFormRaportLista::CsvFile, 2, 4},
        {TFormRaportLista::CsvFile, 3, 8},      {TFormRaportLista::CsvExcelFile, 1, 4},
        {TFormRaportLista::CsvExcelFile, 2, 4}, {TFormRaportLista::CsvExcelFile, 3, 8},
    };
    for (const Case& c : cases) {
        generate(c.format, c.columnSet);
        const QByteArray bytes = readFileBytes(csvPath());
        const bool utf8 = c.format == TFormRaportLista::CsvFile;
        const char separator = utf8 ? ',' : ';';
        EXPECT_EQ(bytes.startsWith("\xEF\xBB\xBF"), utf8) << c.format;
        EXPECT_EQ(bytes.count("\r\n"), 4) << c.format;
        EXPECT_EQ(bytes.count('\n'), 4) << "no line ends in a bare LF";
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        // Every cell is quoted and the cells are joined by the separator.
        for (const QByteArray& line : bytes.mid(utf8 ? 3 : 0).split('\n')) {
            if (line.isEmpty())
                continue;
            EXPECT_EQ(line.count('"'), 2 * c.cellsPerLine) << line.constData();
            EXPECT_EQ(line.count(QByteArray("\"") + separator + '"'), c.cellsPerLine - 1) << line.constData();
        }
        // "ł" is one byte in Windows-1250.
        EXPECT_TRUE(bytes.contains(utf8 ? "Micha\xC5\x82" : "Micha\xB3")) << c.format;
        EXPECT_EQ(opener.opened, QStringList{QUrl::fromLocalFile(csvPath()).toString()});
        opener.opened.clear();
    }
    EXPECT_TRUE(prompter.texts.isEmpty());

    // The cells, read back, in the person list's order.
    generate(TFormRaportLista::CsvFile, 3);
    const QList<QStringList> rows = readCsv(csvText(), u',');
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], QStringList({"Lp", "Nazwisko", u("Imię"), "Rodowe", "Data urodzenia", "Miejsce urodzenia",
                                    u("Data śmierci"), u("Miejsce śmierci")}));
    EXPECT_EQ(rows[1], QStringList({"1", "Adamski", "Jan", "", "", "", "+", ""}));
    EXPECT_EQ(rows[2],
              QStringList({"2", u("Łoś"), u("Michał"), "", "12-05-1901", u("Kraków"), "03-02-1950", u("Łódź")}));
    EXPECT_EQ(rows[3], QStringList({"3", "Nowak", "Anna", "Kowalska", "1930", u("Poznań"), "", ""}));

    generate(TFormRaportLista::CsvExcelFile, 2);
    const QList<QStringList> withPlaces =
        readCsv(decodeCodePage(readFileBytes(csvPath()), CodePage::Windows1250), u';');
    ASSERT_EQ(withPlaces.size(), 4);
    EXPECT_EQ(withPlaces[0],
              QStringList({"Lp", u("Nazwisko i imię"), "Data i miejsce urodzenia", u("Data i miejsce śmierci")}));
    EXPECT_EQ(withPlaces[2], QStringList({"2", u("Łoś, Michał"), u("12-05-1901 Kraków"), u("03-02-1950 Łódź")}));
}

TEST_F(ListReportTest, aQuoteInANameStaysInsideItsCell)
{
    addFamily();
    anna->Surname = u("No\"wak");
    anna->Familyname = u("\"Kowalska\"");
    search();
    for (const int format : {TFormRaportLista::CsvFile, TFormRaportLista::CsvExcelFile}) {
        generate(format, 3);
        const QChar separator = format == TFormRaportLista::CsvFile ? u',' : u';';
        const QString text = format == TFormRaportLista::CsvFile
                                 ? csvText()
                                 : decodeCodePage(readFileBytes(csvPath()), CodePage::Windows1250);
        const QList<QStringList> rows = readCsv(text, separator);
        ASSERT_EQ(rows.size(), 4);
        EXPECT_EQ(rows[3].size(), 8);
        EXPECT_EQ(rows[3][1], u("No\"wak"));
        EXPECT_EQ(rows[3][3], u("\"Kowalska\""));
        EXPECT_EQ(rows[3][4], "1930");
        EXPECT_TRUE(text.contains(u("\"No\"\"wak\"")));
    }
}

TEST_F(ListReportTest, csvDatesCarryNoYearSuffixAndTheSettingComesBackAfterAFailedWrite)
{
    addFamily();
    search();
    ASSERT_TRUE(gDateYearSuffix);
    EXPECT_EQ(michal->GetBirthText(false, false, false, QString()), u("12-05-1901\u00A0r."));

    generate(TFormRaportLista::CsvFile, 1);
    EXPECT_FALSE(csvText().contains(u("r.")));
    EXPECT_TRUE(csvText().contains("\"12-05-1901\""));
    EXPECT_TRUE(gDateYearSuffix);

    // The file's name taken by a folder: the user is told, nothing is opened, the setting is back.
    ASSERT_TRUE(QFile::remove(csvPath()));
    ASSERT_TRUE(QDir().mkpath(csvPath()));
    opener.opened.clear();
    generate(TFormRaportLista::CsvExcelFile, 1);
    EXPECT_EQ(prompter.texts, QStringList{u("Nie można zapisać pliku [%1]: Is a directory").arg(csvPath())});
    EXPECT_TRUE(opener.opened.isEmpty());
    EXPECT_TRUE(gDateYearSuffix);

    // Off stays off.
    gDateYearSuffix = false;
    generate(TFormRaportLista::CsvExcelFile, 1);
    EXPECT_FALSE(gDateYearSuffix);
    gDateYearSuffix = true;
}

TEST_F(ListReportTest, anEmptyListGivesTheHeaderLineAndAPdfWithTheTitleAndTheHeaderRow)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    addFamily();
    search(u("Zzz"));
    ASSERT_EQ(gDB.GetResultCount(), 0);
    generate(TFormRaportLista::CsvFile, 1);
    EXPECT_EQ(readFileBytes(csvPath()),
              QByteArray("\xEF\xBB\xBF\"Lp\",\"Nazwisko i imię\",\"Data urodzenia\",\"Data śmierci\"\r\n"));

    dialog.AdvComboBoxTytul->SetText(u("Pusta lista"));
    generate(TFormRaportLista::PdfFile, 1);
    const QString text = PdfTools::text(pdfPath()).simplified();
    for (const char* shown : {"Pusta lista", "Lp", "Nazwisko i imię", "Data urodzenia", "Data śmierci", "Strona: 1"})
        EXPECT_TRUE(text.contains(u(shown))) << shown;
    EXPECT_TRUE(pdfRows(pdfPath()).isEmpty());
    // The header row stands under the title.
    const QVector<PdfTools::Word> words = PdfTools::words(pdfPath(), 1);
    EXPECT_GT(PdfTools::findWord(words, "Lp").box.top(), PdfTools::findWord(words, "Pusta").box.bottom());
    EXPECT_EQ(PdfTools::pageCount(pdfPath()), 1);
}

TEST_F(ListReportTest, pdfPagesByColumnSetAndRowsInNameOrder)
{
    SKIP_WITHOUT_TOOL("pdfinfo");
    addFamily();
    addPerson(u("Żaneta"), u("Ćwik"), 0);
    search();
    struct Case
    {
        int columnSet;
        double width;
        double height;
    };
    // The PDF writer keeps page sizes in whole points.
    const Case cases[] = {{1, 595.28, 841.89}, {2, 595.28, 841.89}, {3, 841.89, 595.28}};
    static const QRegularExpression pageSize(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"));
    for (const Case& c : cases) {
        generate(TFormRaportLista::PdfFile, c.columnSet);
        const QRegularExpressionMatch size = pageSize.match(QString::fromUtf8(PdfTools::run("pdfinfo", {pdfPath()})));
        ASSERT_TRUE(size.hasMatch());
        EXPECT_NEAR(size.captured(1).toDouble(), c.width, 0.5) << c.columnSet;
        EXPECT_NEAR(size.captured(2).toDouble(), c.height, 0.5) << c.columnSet;
        EXPECT_EQ(pdfRows(pdfPath()), QStringList({"1 Adamski", u("2 Ćwik"), u("3 Łoś"), "4 Nowak"})) << c.columnSet;
    }
    EXPECT_TRUE(prompter.texts.isEmpty());
    EXPECT_EQ(opener.opened.size(), 3);
}

TEST_F(ListReportTest, aRowTallerThanAPageIsCutToThePage)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    addFamily();
    addPerson(QString(20000, u'W'), "Kowal");
    search();
    generate(TFormRaportLista::PdfFile, 1);
    const double bottom = 841.89 - gPDFManager.CmToPt(1.5);
    QString name;
    for (int page = 1; page <= PdfTools::pageCount(pdfPath()); ++page) {
        for (const PdfTools::Word& word : PdfTools::words(pdfPath(), page)) {
            if (word.text.startsWith("WWW")) {
                EXPECT_LE(word.box.bottom(), bottom + 0.5) << page;
                name += word.text;
            }
        }
    }
    EXPECT_TRUE(name.endsWith(QChar(0x2026)));
    EXPECT_GT(name.size(), 1000);
    // The rows after it go on on the next page.
    EXPECT_EQ(pdfRows(pdfPath()), QStringList({"1 Adamski", "2 Kowal", u("3 Łoś"), "4 Nowak"}));
    EXPECT_EQ(PdfTools::pageCount(pdfPath()), 3);
}

TEST_F(ListReportTest, theListScopeReportsTheLastSearchAlsoAfterAReportOnEveryone)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    addFamily();
    search(u("N"));
    ASSERT_EQ(gDB.GetResultCount(), 1);
    generate(TFormRaportLista::PdfFile, 1, TFormRaportLista::AllPersons);
    EXPECT_EQ(pdfRows(pdfPath()), QStringList({"1 Adamski", u("2 Łoś"), "3 Nowak"}));
    generate(TFormRaportLista::CsvFile, 1, TFormRaportLista::AllPersons);
    EXPECT_EQ(readCsv(csvText(), u',').size(), 4);

    generate(TFormRaportLista::PdfFile, 1, TFormRaportLista::PersonsOfTheList);
    EXPECT_EQ(pdfRows(pdfPath()), QStringList({"1 Nowak"}));
    generate(TFormRaportLista::CsvFile, 1, TFormRaportLista::PersonsOfTheList);
    const QList<QStringList> rows = readCsv(csvText(), u',');
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1][1], u("Nowak, Anna z d. Kowalska"));
}

TEST_F(ListReportTest, shadingFillsEverySecondRow)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    for (int i = 0; i < 6; ++i)
        addPerson(QString("Osoba%1").arg(i), QString("Nazwisko%1").arg(i));
    search();
    const QColor shade(0xE4, 0xE4, 0xE4);
    for (const bool shaded : {true, false}) {
        dialog.AdvOfficeCheckBoxInnyKolor->SetChecked(shaded);
        generate(TFormRaportLista::PdfFile, 1);
        const QVector<PdfTools::Word> words = PdfTools::words(pdfPath(), 1);
        const QImage page = PdfTools::page(pdfPath(), 1);
        for (int row = 1; row <= 6; ++row) {
            const PdfTools::Word number = PdfTools::findWord(words, QString::number(row));
            ASSERT_FALSE(number.box.isEmpty()) << row;
            // The left part of the number's cell is empty: the number stands at its right.
            const QColor colour = page.pixelColor(int(gPDFManager.CmToPt(1.5)) + 4, int(number.box.center().y()));
            EXPECT_EQ(colour, shaded && row % 2 == 0 ? shade : QColor(Qt::white)) << row << " shaded " << shaded;
        }
    }
}

// Every cell is framed: the table's outer rules run from the header down to the last row, a rule lies between each
// two rows, and nothing is drawn under the last one.
TEST_F(ListReportTest, rulesFrameEveryCellAndEndAtTheLastRow)
{
    SKIP_WITHOUT_TOOL("pdftoppm");
    for (int i = 0; i < 6; ++i)
        addPerson(QString("Osoba%1").arg(i), QString("Nazwisko%1").arg(i));
    search();
    dialog.AdvOfficeCheckBoxInnyKolor->SetChecked(false);
    generate(TFormRaportLista::PdfFile, 1);
    const QVector<PdfTools::Word> words = PdfTools::words(pdfPath(), 1);
    constexpr int scale = 2; // pixels per point: a hairline is thinner than a point
    const QImage page = PdfTools::page(pdfPath(), 1, 72 * scale);
    // Whether a rule passes within a pixel of the point (in points).
    const auto ruled = [&](double x, double y) {
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                if (qGray(page.pixel(int(x * scale) + dx, int(y * scale) + dy)) < 230)
                    return true;
            }
        }
        return false;
    };
    // Whether a rule crosses the vertical line at x somewhere between y1 and y2 (in points).
    const auto ruledBetween = [&](double x, double y1, double y2) {
        for (int y = int(y1 * scale); y < int(y2 * scale); ++y) {
            if (qGray(page.pixel(int(x * scale), y)) < 230)
                return true;
        }
        return false;
    };
    const double left = gPDFManager.CmToPt(1.5);
    const double right = gPDFManager.CmToPt(gPDFManager.PageWidthCm - 1.5);
    const PdfTools::Word header = PdfTools::findWord(words, "Lp");
    ASSERT_FALSE(header.box.isEmpty());
    QVector<double> rowMiddles{header.box.center().y()};
    for (int row = 1; row <= 6; ++row) {
        const PdfTools::Word number = PdfTools::findWord(words, QString::number(row));
        ASSERT_FALSE(number.box.isEmpty()) << row;
        rowMiddles << number.box.center().y();
    }
    for (qsizetype i = 0; i < rowMiddles.size(); ++i) {
        EXPECT_TRUE(ruled(left, rowMiddles[i])) << "left rule at row " << i;
        EXPECT_TRUE(ruled(right, rowMiddles[i])) << "right rule at row " << i;
        // The last column is empty in every row but the header, whose text stands in its middle.
        if (i > 0) {
            EXPECT_TRUE(ruledBetween(right - 5, rowMiddles[i - 1], rowMiddles[i])) << "above row " << i;
        }
    }
    const double rowHeight = rowMiddles[6] - rowMiddles[5];
    const double underTheTable = rowMiddles[6] + rowHeight;
    EXPECT_FALSE(ruled(left, underTheTable));
    EXPECT_FALSE(ruled(right, underTheTable));
}

TEST_F(ListReportTest, mirroredMarginsMoveTheTableOnEvenPages)
{
    SKIP_WITHOUT_TOOL("pdftotext");
    for (int i = 0; i < 60; ++i)
        addPerson(QString("Osoba%1").arg(i, 2, 10, QChar('0')), QString("Nazwisko%1").arg(i, 2, 10, QChar('0')));
    search();
    // The name column starts 1.2 cm and one inset right of the left margin.
    const auto nameLeft = [](double marginCm) { return gPDFManager.CmToPt(marginCm + 1.2) + gPDFManager.MmToPt(1); };
    struct Case
    {
        int margins;
        double page1;
        double page2;
    };
    const Case cases[] = {{0, 1.5, 1.5}, {1, 2.0, 2.0}, {2, 2.0, 1.0}};
    for (const Case& c : cases) {
        dialog.AdvComboBoxMarginesy->SetItemIndex(c.margins);
        generate(TFormRaportLista::PdfFile, 1);
        ASSERT_EQ(PdfTools::pageCount(pdfPath()), 2);
        const PdfTools::Word first = PdfTools::findWord(PdfTools::words(pdfPath(), 1), "Nazwisko00,");
        const PdfTools::Word second = PdfTools::findWord(PdfTools::words(pdfPath(), 2), "Nazwisko59,");
        EXPECT_NEAR(first.box.left(), nameLeft(c.page1), 0.5) << c.margins;
        EXPECT_NEAR(second.box.left(), nameLeft(c.page2), 0.5) << c.margins;
        // Page 2 repeats neither the title nor the header, and carries its page text.
        EXPECT_TRUE(PdfTools::text(pdfPath(), 2).contains("Strona: 2"));
    }
}

TEST_F(ListReportTest, aPdfThatCannotBeWrittenIsReportedAndNotOpened)
{
    addFamily();
    search();
    QDir().mkpath(pdfPath());
    generate(TFormRaportLista::PdfFile, 1);
    EXPECT_EQ(prompter.texts, QStringList{u("Nie można zapisać pliku [%1]: Is a directory").arg(pdfPath())});
    EXPECT_TRUE(opener.opened.isEmpty());
}

TEST_F(ListReportTest, theReportFunctionOpensTheDialogModallyAndItKeepsItsChoices)
{
    addFamily();
    search();
    TForm caller;
    caller.show();
    caller.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&caller));

    dialog.AdvComboBoxTytul->SetText("Lista");
    bool seen = false;
    whenShownModal(&dialog, [&] {
        seen = dialog.IsModal();
        // The first showing puts the window a fifth of the screen down and the focus into the title.
        EXPECT_EQ(dialog.y(), int(0.2 * dialog.screen()->geometry().height()));
        EXPECT_TRUE(dialog.AdvComboBoxTytul->hasFocus());
        EXPECT_FALSE(dialog.AdvOfficeCheckBoxInnyKolor->isHidden());
        EXPECT_FALSE(dialog.AdvComboBoxMarginesy->isHidden());
        dialog.ZakresPDF3->SetChecked(true);
        dialog.AdvComboBoxTyp->SetItemIndex(TFormRaportLista::CsvExcelFile);
        dialog.AdvComboBoxTypChange();
        EXPECT_TRUE(dialog.AdvOfficeCheckBoxInnyKolor->isHidden());
        EXPECT_TRUE(dialog.AdvComboBoxMarginesy->isHidden());
        // F3 generates and the dialog stays open.
        QTest::keyClick(dialog.AdvComboBoxTytul, Qt::Key_F3);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(opener.opened, QStringList{QUrl::fromLocalFile(csvPath()).toString()});
        QTest::keyClick(dialog.AdvComboBoxTytul, Qt::Key_Escape);
    });
    OpenListReport();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(readCsv(decodeCodePage(readFileBytes(csvPath()), CodePage::Windows1250), u';')[0].size(), 8);

    // The next showing keeps the choices; "Zamknij" closes it.
    whenShownModal(&dialog, [&] {
        EXPECT_EQ(dialog.AdvComboBoxTytul->GetText(), "Lista");
        EXPECT_TRUE(dialog.ZakresPDF3->GetChecked());
        EXPECT_EQ(dialog.AdvComboBoxTyp->GetItemIndex(), TFormRaportLista::CsvExcelFile);
        EXPECT_TRUE(dialog.AdvComboBoxMarginesy->isHidden());
        dialog.Button2->click();
    });
    OpenListReport();
    EXPECT_EQ(dialog.GetModalResult(), mrClose);
}

TEST_F(ListReportTest, screenshotOfTheDialogAndAPage)
{
    addFamily();
    search();
    dialog.AdvComboBoxTytul->SetText(u("Lista osób rodziny Łosiów"));
    dialog.FormActivate();
    ASSERT_TRUE(dialog.grab().save(testOutputFolder() + "/RaportLista.png"));
    if (PdfTools::available("pdftoppm")) {
        generate(TFormRaportLista::PdfFile, 2);
        ASSERT_TRUE(PdfTools::page(pdfPath(), 1, 100).save(testOutputFolder() + "/RaportLista-page.png"));
    }
}
