// The list report's table: its rows and columns, and writing them as CSV or drawing them as a PDF document.
#include "RaportListaUnit.h"

#include "Bazadanych.h"
#include "CodePage.h"
#include "FileSystem.h"
#include "Pdfmanager.h"
#include "Person.h"
#include "Unitdata.h"
#include "Vh_langmanager.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The width of the name column is what the page leaves of its width.
constexpr double restOfPage = -1;

struct ColumnSet
{
    std::vector<const char*> headerKeys;
    std::vector<double> widthsCm;
    // Columns whose data cells are right-aligned: the row number and the dates.
    std::vector<int> rightAligned;
};

const ColumnSet* columnSet(int number)
{
    static const ColumnSet sets[] = {
        {{"LABEL_LP", "LABEL_NAZWISKO_I_IMIE", "LABEL_DATA_URODZENIA", "LABEL_DATA_SMIERCI"},
         {1.2, restOfPage, 4.0, 4.0},
         {0, 2, 3}},
        {{"LABEL_LP", "LABEL_NAZWISKO_I_IMIE", "LABEL_DATA_I_MIEJSCE_URODZENIA", "LABEL_DATA_I_MIEJSCE_SMIERCI"},
         {1.2, restOfPage, 5.2, 5.2},
         {0, 2, 3}},
        {{"LABEL_LP", "LABEL_NAZWISKO", "LABEL_IMIE", "LABEL_RODOWE", "LABEL_DATA_URODZENIA", "LABEL_MIEJSCE_URODZENIA",
          "LABEL_DATA_SMIERCI", "LABEL_MIEJSCE_SMIERCI"},
         {1.2, restOfPage, 3.5, 3.5, 3.5, 3.5, 3.5, 3.5},
         {0, 4, 6}},
    };
    return number >= 1 && number <= 3 ? &sets[number - 1] : nullptr;
}

// The column set drawn across a landscape page.
constexpr int wideColumnSet = 3;
// The column set that shows places beside the dates.
constexpr int columnSetWithPlaces = 2;

// Margin choices of "Marginesy".
constexpr int evenMargins = 0;
constexpr int mirroredMargins = 2;

constexpr double bodyFontSize = 10;
constexpr double titleFontSize = bodyFontSize + 2;
constexpr double titleBoxHeight = 100;
// The space under the title, in cell insets.
constexpr int titleSpacingInsets = 10;
constexpr double smallestRowHeightCm = 0.6;
constexpr int evenRowShade = 0xE4E4E4;
constexpr int ruleColour = 0x808080;
// Text-box options of the PDF layer.
constexpr int cellBoxOption = 0;
constexpr int titleBoxOption = 1;

const QByteArray utf8ByteOrderMark("\xEF\xBB\xBF");

} // namespace

bool TFormRaportLista::BuildRow(int index, KV_Person* person, int columnSet)
{
    const ColumnSet* columns = ::columnSet(columnSet);
    if (!columns)
        return false;
    RowCells.clear();
    const int count = int(columns->headerKeys.size());
    if (index == HeaderRow) {
        for (int c = 0; c < count; ++c) {
            RowCells << gLangM.Get(QLatin1String(columns->headerKeys[size_t(c)]));
            ColumnAligns[c] = AlignCentre;
        }
        return true;
    }

    const bool withPlaces = columnSet == columnSetWithPlaces;
    const QString birth = person->GetBirthText(withPlaces, false, false, QString());
    // A dead person without a date of death shows "+", a living one nothing.
    const QString death = person->GetDeathText(withPlaces, false, QStringLiteral("+"));
    RowCells << QString::number(index + 1);
    if (columnSet == wideColumnSet) {
        // The two texts above leave the places of birth and death in the person.
        RowCells << person->Surname << person->Forename << person->Familyname << birth << person->BirthPlace << death
                 << person->DeathPlace;
    } else {
        RowCells << person->GetNameByLayout(2, true, false) << birth << death;
    }
    for (int c = 0; c < count; ++c)
        ColumnAligns[c] = AlignLeft;
    for (const int c : columns->rightAligned)
        ColumnAligns[c] = AlignRight;
    return true;
}

void TFormRaportLista::SetColumnWidths(int columnSet)
{
    const ColumnSet* columns = ::columnSet(columnSet);
    if (!columns)
        return;
    const PDFManager& pdf = gPDFManager;
    double fixedCm = 0;
    for (const double width : columns->widthsCm) {
        if (width != restOfPage)
            fixedCm += width;
    }
    const double restCm = pdf.PageWidthCm - (pdf.MarginLeft + pdf.MarginRight + fixedCm);
    ColumnCount = int(columns->widthsCm.size());
    for (int c = 0; c < ColumnCount; ++c) {
        const double width = columns->widthsCm[size_t(c)];
        ColumnWidths[c] = pdf.CmToPt(width == restOfPage ? restCm : width);
    }
}

double TFormRaportLista::RowHeight(int font, double size)
{
    PDFManager& pdf = gPDFManager;
    double height = std::floor(pdf.CmToPt(smallestRowHeightCm));
    for (int c = 0; c < ColumnCount && c < RowCells.size(); ++c) {
        int lines = 0;
        const double needed =
            pdf.MeasureTextHeight(font, RowCells[c], ColumnWidths[c] - 2 * CellInset, QString(), size, false, lines) +
            2 * CellInset;
        if (needed > height)
            height = std::floor(needed);
    }
    return height;
}

QString TFormRaportLista::csvLine(QChar separator) const
{
    const QString quote = QStringLiteral("\"");
    const QString doubledQuote = QStringLiteral("\"\"");
    QString line;
    for (qsizetype c = 0; c < RowCells.size(); ++c) {
        if (c > 0)
            line += separator;
        // A quote inside a cell is doubled, so it cannot end the cell early and shift the columns after it.
        line += quote + QString(RowCells[c]).replace(quote, doubledQuote) + quote;
    }
    return line + QStringLiteral("\r\n");
}

QList<KV_Person*> TFormRaportLista::csvPersons() const
{
    QList<KV_Person*> persons;
    if (Scope == AllPersons) {
        for (gDB.FirstPerson(false); !gDB.IsPersonCursorAtEnd(); gDB.NextPerson())
            persons.append(gDB.GetCursorPerson());
    } else {
        const int count = gDB.GetResultCount();
        persons.reserve(count);
        for (int i = 0; i < count; ++i)
            persons.append(gDB.GetResultPerson(i));
    }
    return persons;
}

bool TFormRaportLista::WriteCsv(int format, int columnSet, const QString& path)
{
    // Other programs read the dates of a list: they carry no " r.", whatever way the writing ends.
    const bool yearSuffix = gDateYearSuffix;
    gDateYearSuffix = false;
    const auto restoreYearSuffix = qScopeGuard([yearSuffix] { gDateYearSuffix = yearSuffix; });

    const QChar separator = format == CsvFile ? u',' : u';';
    if (!BuildRow(HeaderRow, nullptr, columnSet))
        return false;
    QString text = csvLine(separator);
    const QList<KV_Person*> persons = csvPersons();
    for (int i = 0; i < persons.size(); ++i) {
        BuildRow(i, persons[i], columnSet);
        text += csvLine(separator);
    }
    const QByteArray bytes =
        format == CsvFile ? utf8ByteOrderMark + text.toUtf8() : encodeCodePage(text, CodePage::Windows1250);
    QString reason;
    if (FileSystem::atomicWrite(path, bytes, &reason))
        return true;
    ReportUnwritableFile(path, reason);
    return false;
}

void TFormRaportLista::drawRows(std::vector<TableRow>& rows)
{
    if (rows.empty())
        return;
    PDFManager& pdf = gPDFManager;
    const double left = pdf.LeftEdge();
    const double right = pdf.RightEdge();
    // The shading first, so that the rules and the cells' texts come over it.
    for (const TableRow& row : rows) {
        if (row.shaded)
            pdf.DrawBox(left, row.y, right - left, row.height, true, evenRowShade, false, 0, 0);
    }
    const auto rule = [&pdf](double x1, double y1, double x2, double y2) {
        pdf.DrawHairline(x1, y1, x2, y2, ruleColour, true);
    };
    // The rows of a page follow each other without gaps: a column's rules run from the first row to the last.
    const double top = rows.front().y;
    const double bottom = rows.back().y + rows.back().height;
    rule(left, top, right, top);
    for (const TableRow& row : rows)
        rule(left, row.y + row.height, right, row.y + row.height);
    double columnEdge = left;
    rule(columnEdge, top, columnEdge, bottom);
    for (int c = 0; c < ColumnCount; ++c) {
        columnEdge += ColumnWidths[c];
        rule(columnEdge, top, columnEdge, bottom);
    }
    for (const TableRow& row : rows) {
        double x = left;
        for (int c = 0; c < ColumnCount; ++c) {
            const double width = ColumnWidths[c];
            pdf.DrawTextBox(row.font, row.cells[c], row.aligns[c], x + CellInset, row.y, QString(), bodyFontSize,
                            width - 2 * CellInset, row.height, false, cellBoxOption, false);
            x += width;
        }
    }
    rows.clear();
}

bool TFormRaportLista::WritePdf(int columnSet, const QString& path, const QString& title, bool shadeEvenRows,
                                int margins)
{
    if (!::columnSet(columnSet))
        return false;
    PDFManager& pdf = gPDFManager;
    const bool landscape = columnSet == wideColumnSet;
    pdf.PageWidthCm = landscape ? 29.7 : 21.0;
    pdf.PageHeightCm = landscape ? 21.0 : 29.7;
    pdf.MarginLeft = margins == evenMargins ? 1.5 : 2.0;
    pdf.MarginRight = margins == evenMargins ? 1.5 : 1.0;
    pdf.MirrorMargins = margins == mirroredMargins;
    pdf.SetScale(1.0);
    pdf.ShowPageText2 = true;
    pdf.BeginDocument(true);

    CellInset = pdf.MmToPt(1);
    const double top = pdf.CmToPt(pdf.MarginTop);
    BuildRow(HeaderRow, nullptr, columnSet);
    // The layer embeds the glyphs it draws, so no character set is named here.
    const int bodyFont = pdf.SelectFontDescription(QStringLiteral("Tahoma"), QString(), 0);
    const int boldFont = pdf.SelectFontDescription(QStringLiteral("Tahoma, bold"), QString(), 0);

    double y = top;
    const double contentWidth = pdf.CmToPt(pdf.PageWidthCm - pdf.MarginLeft - pdf.MarginRight);
    if (!title.isEmpty()) {
        y += pdf.DrawTextBox(boldFont, title, AlignCentre, pdf.LeftEdge() + CellInset, y, QString(), titleFontSize,
                             contentWidth - 2 * CellInset, titleBoxHeight, true, titleBoxOption, false) +
             titleSpacingInsets * CellInset;
    }

    SetColumnWidths(columnSet);
    gDB.SortByName(Scope != AllPersons);
    std::vector<TableRow> pageRows;
    for (int index = HeaderRow; index < gDB.GetReportCount(); ++index) {
        if (index != HeaderRow)
            BuildRow(index, gDB.GetReportPerson(index), columnSet);
        // The header is measured in the body font, though drawn in bold. A row taller than a page is cut to the page,
        // its cells ending in "…".
        const double height = std::min(RowHeight(bodyFont, bodyFontSize), pdf.BottomEdge() - top);
        // The rows of a page are drawn once it is full, before the next one begins.
        if (y + height > pdf.BottomEdge())
            drawRows(pageRows);
        if (pdf.BreakPageIfNeeded(y, height, true))
            y = top;
        TableRow& row = pageRows.emplace_back();
        row.cells = RowCells;
        std::copy_n(ColumnAligns, ColumnCount, row.aligns);
        row.font = index == HeaderRow ? boldFont : bodyFont;
        // Every second person's row is shaded.
        row.shaded = shadeEvenRows && index % 2 == 1;
        row.y = y;
        row.height = height;
        y += height;
    }
    drawRows(pageRows);
    return pdf.EndDocument(path);
}
