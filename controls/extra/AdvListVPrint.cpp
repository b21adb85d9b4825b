// Printing of the list view: its rows as a table on paper, in bands of the columns that fit a page, with caption
// rows, grid lines and page header and footer lines; and the first page of that table as a preview on any painter.
// The layout is worked out in tenths of a millimetre with y growing upward, as a printed page is measured.
#include "AdvListV.h"
#include "HTMLText.h"
#include "LoMetricCanvas.h"
#include "Printers.h"

#include "Clock.h"

#include <QDateTime>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <cmath>

namespace {

constexpr int ScreenDotsPerInch = 96;
// Every column gets this much room beyond its own spacing, unless all columns have one fixed width.
constexpr int BaseColumnSpacing = 20;
// Right-hand header and footer texts keep this far from the right margin.
constexpr int RightTextGap = 20;
constexpr int CheckBoxPixels = 16;
constexpr int ThinPen = 2;
constexpr int DoublePen = 10;
// Markup is measured in a box this big, in screen pixels.
constexpr int MarkupMeasureBox = 1000;

bool atTop(TPrintPosition position)
{
    return position == ppTopLeft || position == ppTopRight || position == ppTopCenter;
}

bool atBottom(TPrintPosition position)
{
    return position == ppBottomLeft || position == ppBottomRight || position == ppBottomCenter;
}

// The toolkit's date format ("dd/mm/yyyy", with "nn" for minutes and "mm" for months) in Qt's terms.
QString qtDateFormat(const QString& format)
{
    QString qt = format;
    qt.replace(QLatin1String("mm"), QLatin1String("MM"));
    qt.replace(QLatin1String("nn"), QLatin1String("mm"));
    return qt;
}

} // namespace

// What one print run works with: the page, the measures of the fonts and the columns, and where it stands.
struct TAdvListView::PrintRun
{
    PrintRun(QPainter& painter, double dpiX, double dpiY, const QPoint& origin)
        : canvas(painter), page(canvas, dpiX, dpiY, origin)
    {}

    TCanvas canvas;
    LoMetricCanvas page;
    bool preview = false;
    int checkBoxWidth = 0;
    int headerTextHeight = 0;
    int footerTextHeight = 0;
    int spacing = 0;
    int letterWidth = 0;
    int pageWidth = 0;
    // Negative: the page's bottom edge.
    int pageHeight = 0;
    int columnSpacing = 0;
    int headerHeight = 0;
    int footerHeight = 0;
    int firstColumn = 0;
    int lastColumn = 0;
    int pagesDone = 0;
    // The top of the next row.
    int y = 0;
    // A preview shows the first page only.
    bool finished = false;
};

void TAdvListView::Print()
{
    std::unique_ptr<QPrinter> printer = printers().DefaultPrinter();
    if (!printer)
        throw EPrinter(QStringLiteral("There is no default printer currently selected"));
    printer->setPageOrientation(printSettings.Orientation == poLandscape ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait);
    printer->setDocName(printSettings.JobName);
    QPainter painter;
    if (!painter.begin(printer.get()))
        throw EPrinter(QStringLiteral("Printer is not currently printing"));
    BuildPage(painter, false);
    painter.end();
}

void TAdvListView::Preview(QPainter& Painter, const TRect& Rect)
{
    previewRect = Rect;
    BuildPage(Painter, true);
}

int TAdvListView::GetPrintColWidth(int Column) const
{
    return Column >= 0 && Column < printColWidths.size() ? printColWidths[Column] : 0;
}

int TAdvListView::GetPrintColOffset(int Column) const
{
    return Column >= 0 && Column < printColOffsets.size() ? printColOffsets[Column] : 0;
}

void TAdvListView::BuildPage(QPainter& Painter, bool Preview)
{
    QPaintDevice* device = Painter.device();
    const double dpiX = device->logicalDpiX();
    const double dpiY = device->logicalDpiY();
    const QPoint origin = Preview ? QPoint(previewRect.Left, previewRect.Top) : QPoint();
    PrintRun run(Painter, dpiX, dpiY, origin);
    run.preview = Preview;
    const TPrintsettings& ps = printSettings;
    LoMetricCanvas& page = run.page;

    if (GetCheckboxes())
        run.checkBoxWidth = page.FromDeviceWidth(int(std::lround(CheckBoxPixels * dpiX / ScreenDotsPerInch)));
    page.SetPen(clBlack, ps.BorderStyle, ps.Borders == pbDouble ? DoublePen : ThinPen);
    page.SetFont(ps.HeaderFont);
    run.headerTextHeight = page.TextHeight(QStringLiteral("gh"));
    page.SetFont(ps.FooterFont);
    run.footerTextHeight = page.TextHeight(QStringLiteral("gh"));
    page.SetFont(ps.Font);
    run.spacing = page.TextHeight(QStringLiteral("gh")) / 8;
    run.letterWidth = page.TextWidth(QStringLiteral("a"));

    if (Preview) {
        run.pageWidth = int(std::lround(254.0 / dpiX * previewRect.Width()));
        run.pageHeight = -int(std::lround(254.0 / dpiY * previewRect.Height()));
    } else {
        run.pageWidth = page.FromDeviceWidth(device->width());
        run.pageHeight = -page.FromDeviceHeight(device->height());
    }
    run.columnSpacing = ps.UseFixedWidth ? 0 : ps.ColumnSpacing + BaseColumnSpacing;

    measurePrintColumns(run);
    const int columns = int(printColWidths.size());
    printColOffsets.fill(0, columns + 1);

    const bool anyTop = atTop(ps.Time) || atTop(ps.Date) || atTop(ps.PageNr) || atTop(ps.Title);
    const bool anyBottom = atBottom(ps.Time) || atBottom(ps.Date) || atBottom(ps.PageNr) || atBottom(ps.Title);
    run.headerHeight = ps.HeaderSize + (anyTop ? run.spacing + run.headerTextHeight : 0);
    run.footerHeight = ps.FooterSize + run.spacing + run.footerTextHeight;
    if (anyBottom)
        run.footerHeight += run.spacing + run.footerTextHeight;

    if (OnPrintPage)
        OnPrintPage(this, run.canvas, 0, run.pageWidth, run.pageHeight);
    for (run.firstColumn = 0; run.firstColumn < columns && !run.finished; run.firstColumn = run.lastColumn + 1) {
        placePrintBand(run);
        printBand(run);
        if (run.lastColumn + 1 < columns && !run.finished) {
            if (Preview)
                break;
            startNewPrintPage(run);
        }
    }
}

void TAdvListView::measurePrintColumns(PrintRun& run)
{
    const TPrintsettings& ps = printSettings;
    const int columns = Columns().Count();
    printColWidths.fill(0, columns);
    for (int row = -1; row < Items().Count(); ++row) {
        for (int column = 0; column < columns; ++column) {
            const int width =
                ps.UseFixedWidth ? ps.FixedWidth : measurePrintCell(run, column, row).width() + run.letterWidth;
            printColWidths[column] = qMax(printColWidths[column], width);
        }
    }
    const auto total = [&] {
        int sum = 0;
        for (int width : std::as_const(printColWidths))
            sum += width + run.columnSpacing;
        return sum;
    };

    if (ps.FitToPage != fpNever) {
        const int spacings = columns * run.columnSpacing;
        const int printed = total() - spacings;
        // A table with nothing to print but its spacing has nothing to scale.
        double scale = printed > 0 ? double(run.pageWidth - ps.RightSize - ps.LeftSize - spacings) / printed : 1.0;
        switch (ps.FitToPage) {
        case fpGrow:
            scale = qMax(scale, 1.0);
            break;
        case fpShrink:
            scale = qMin(scale, 1.0);
            break;
        case fpCustom: {
            bool allow = scale != 1.0;
            if (OnFitToPage)
                OnFitToPage(this, scale, allow);
            if (!allow)
                scale = 1.0;
            break;
        }
        default:
            break;
        }
        if (scale != 1.0) {
            for (int& width : printColWidths)
                width = int(width * scale);
        }
    }
    if (OnPrintSetColumnWidth) {
        for (int column = 0; column < columns; ++column)
            OnPrintSetColumnWidth(this, column, printColWidths[column]);
    }
}

QSize TAdvListView::measurePrintCell(PrintRun& run, int column, int row)
{
    const TPrintsettings& ps = printSettings;
    LoMetricCanvas& page = run.page;
    QString text = GetTextAtColRow(column, row);
    switch (CellKindOf(text)) {
    case TCellKind::Markup: {
        // The engine lays the markup out in screen pixels at the print font's size.
        TCanvas screen;
        screen.Font = ps.Font;
        QString anchor, plain, focused;
        int width = 0, height = 0, anchors = 0, anchorNumber = -1;
        TRect hover;
        MarkupRender(&screen, text, Rect(0, 0, MarkupMeasureBox, MarkupMeasureBox), GetSmallImages(), -1, -1, -1, -1, 0,
                     false, true, false, false, false, false, true, 1.0, urlColor, clNone, clNone, clGray, anchor,
                     plain, focused, width, height, anchors, anchorNumber, hover, pictureCache.get(), pictureContainer,
                     0);
        const double toUnits = 254.0 / ScreenDotsPerInch;
        return QSize(int(std::lround(width * toUnits)), int(std::lround(height * toUnits)));
    }
    case TCellKind::RichText:
        text = row >= 0 ? richPlainText(row, column - 1) : text;
        break;
    default:
        break;
    }
    TBrush brush;
    TFont font = ps.Font;
    QueryDrawProp(row, column - 1, 0, brush, font, text);
    page.SetFont(font);
    const int width = page.TextWidth(text) + (column == 0 ? run.checkBoxWidth : 0);
    return QSize(width, MapFontHeight(font.GetSize()));
}

int TAdvListView::printRowHeight(PrintRun& run, int row)
{
    if (printSettings.UseFixedHeight)
        return printSettings.FixedHeight;
    int height = 0;
    for (int column = 0; column < Columns().Count(); ++column)
        height = qMax(height, measurePrintCell(run, column, row).height());
    return height;
}

void TAdvListView::placePrintBand(PrintRun& run)
{
    const TPrintsettings& ps = printSettings;
    const int columns = int(printColWidths.size());
    const int room = run.pageWidth - ps.RightSize;
    int used = 0;
    run.lastColumn = run.firstColumn;
    for (int column = run.firstColumn; column < columns; ++column) {
        used += printColWidths[column] + run.columnSpacing;
        if (used > room && column > run.firstColumn)
            break;
        run.lastColumn = column;
    }
    int offset = ps.Centered ? 0 : ps.LeftSize;
    for (int column = run.firstColumn; column <= run.lastColumn + 1; ++column) {
        printColOffsets[column] = offset;
        if (column < columns)
            offset += printColWidths[column] + run.columnSpacing;
    }
    const int bandWidth = printColOffsets[run.lastColumn + 1] - printColOffsets[run.firstColumn];
    if (ps.Centered && bandWidth < run.pageWidth) {
        for (int column = run.firstColumn; column <= run.lastColumn + 1; ++column)
            printColOffsets[column] += (run.pageWidth - bandWidth) / 2;
    }
}

void TAdvListView::printBand(PrintRun& run)
{
    const TPrintsettings& ps = printSettings;
    const int rows = Items().Count();
    int onPage = 0;
    int bandPages = 0;
    for (int row = -1; row < rows; ++row) {
        if (onPage == 0) {
            run.y = -run.headerHeight;
            printPageLines(run);
            if (row >= 0 && bandPages > 0 && ps.RepeatHeaders)
                printRow(run, -1);
        }
        printRow(run, row);
        ++onPage;
        bool newPage = false;
        if (OnPrintNewPage)
            OnPrintNewPage(this, row + 1, newPage);
        if (row + 1 >= rows)
            break;
        // A page ends before a row that, printed, would reach into the footer.
        const int next = printRowHeight(run, row + 1);
        const int printedNext = next + next / 8 + 2 * run.spacing;
        if (newPage || run.y - printedNext < run.pageHeight + run.footerHeight) {
            printGridLines(run);
            onPage = 0;
            ++bandPages;
            if (run.preview) {
                run.finished = true;
                return;
            }
            startNewPrintPage(run);
        }
    }
    printGridLines(run);
    if (run.preview)
        run.finished = true;
}

void TAdvListView::startNewPrintPage(PrintRun& run)
{
    if (auto* paged = dynamic_cast<QPagedPaintDevice*>(run.canvas.Painter().device()); paged && !paged->newPage())
        throw EPrinter(QStringLiteral("Printer is not currently printing"));
    if (OnPrintPage)
        OnPrintPage(this, run.canvas, run.pagesDone + 1, run.pageWidth, run.pageHeight);
    ++run.pagesDone;
}

void TAdvListView::printRow(PrintRun& run, int row)
{
    const TPrintsettings& ps = printSettings;
    LoMetricCanvas& page = run.page;
    TCanvas& canvas = run.canvas;
    const int measured = printRowHeight(run, row);
    const int h = measured + measured / 8;
    const int top = run.y;
    const int bottom = top - h - 2 * run.spacing;
    const TListItem* item = row >= 0 ? Items()[row] : nullptr;

    for (int column = run.firstColumn; column <= run.lastColumn; ++column) {
        const QString text = GetTextAtColRow(column, row);
        TBrush brush;
        TFont font = ps.Font;
        QueryDrawProp(row, column - 1, 0, brush, font, text);
        canvas.Brush = brush;
        page.SetFont(font);
        canvas.Font.Color = font.Color;
        TRect cell = Rect(printColOffsets[column], top, printColOffsets[column + 1], bottom);
        switch (CellKindOf(text)) {
        case TCellKind::RichText:
            RTFPaint(row, column - 1, canvas, page.ToDevice(cell));
            break;
        case TCellKind::Markup:
            printMarkup(run, text, font, page.ToDevice(cell));
            break;
        default: {
            const int textTop = top - run.spacing;
            if (column == 0 && item && GetCheckboxes()) {
                const TRect box = Rect(cell.Left, textTop, cell.Left + run.checkBoxWidth, textTop - run.checkBoxWidth);
                DrawFrameControl(canvas, page.ToDevice(box), DFC_BUTTON,
                                 DFCS_BUTTONCHECK | DFCS_FLAT | (item->GetChecked() ? DFCS_CHECKED : 0));
                cell.Left += run.checkBoxWidth;
            }
            const TListColumn* header = Columns()[column];
            const TAlignment alignment = header ? header->GetAlignment() : taLeftJustify;
            const int width = page.TextWidth(text);
            int x = cell.Left + run.letterWidth;
            if (alignment == taRightJustify)
                x = cell.Right - run.letterWidth - width;
            else if (alignment == taCenter)
                x = cell.Left + (cell.Right - cell.Left - width) / 2;
            page.TextRect(cell, x, textTop, text);
            break;
        }
        }
    }
    if (ps.Borders == pbSingle || ps.Borders == pbDouble || ps.Borders == pbHorizontal) {
        page.SetPen(clBlack, ps.BorderStyle, ps.Borders == pbDouble ? DoublePen : ThinPen);
        page.Line(printColOffsets[run.firstColumn], top, printColOffsets[run.lastColumn + 1], top);
    }
    run.y = bottom;
}

void TAdvListView::printMarkup(PrintRun& run, const QString& markup, const TFont& font, const TRect& deviceCell)
{
    // The engine lays markup out in screen pixels: the painter is scaled so that they come out at print size.
    QPainter& painter = run.canvas.Painter();
    const double scale = run.page.DpiX() / ScreenDotsPerInch;
    painter.save();
    painter.scale(scale, scale);
    {
        TCanvas screen(painter);
        screen.Font = font;
        const TRect r = Rect(int(deviceCell.Left / scale), int(deviceCell.Top / scale), int(deviceCell.Right / scale),
                             int(deviceCell.Bottom / scale));
        renderMarkup(screen, markup, markupRect(r), MarkupPass::Paint);
    }
    painter.restore();
}

void TAdvListView::printGridLines(PrintRun& run)
{
    const TPrintsettings& ps = printSettings;
    LoMetricCanvas& page = run.page;
    page.SetPen(clBlack, ps.BorderStyle, ps.Borders == pbDouble ? DoublePen : ThinPen);
    const int bottom = run.y + run.spacing / 2;
    const int left = printColOffsets[run.firstColumn];
    const int right = printColOffsets[run.lastColumn + 1];
    if (ps.Borders == pbSingle || ps.Borders == pbDouble || ps.Borders == pbHorizontal)
        page.Line(left, bottom, right, bottom);
    if (ps.Borders == pbSingle || ps.Borders == pbDouble || ps.Borders == pbVertical) {
        for (int column = run.firstColumn; column <= run.lastColumn + 1; ++column)
            page.Line(printColOffsets[column], -run.headerHeight, printColOffsets[column], bottom);
    }
}

void TAdvListView::printPageLines(PrintRun& run)
{
    const TPrintsettings& ps = printSettings;
    LoMetricCanvas& page = run.page;
    // One text per position, from ppTopLeft to ppBottomCenter.
    QString texts[7];
    const QDateTime now = Clock::now();
    const auto join = [&texts](TPrintPosition position, const QString& item) {
        if (position == ppNone)
            return;
        QString& text = texts[position];
        text = position == ppTopLeft || position == ppBottomLeft ? item + u' ' + text : text + u' ' + item;
    };
    join(ps.Time, now.toString(QStringLiteral("hh:mm")));
    join(ps.Date, now.toString(qtDateFormat(ps.DateFormat)));
    join(ps.PageNr, ps.PagePrefix + u' ' + QString::number(run.pagesDone + 1) + u' ' + ps.PageSuffix);
    join(ps.Title, ps.TitleText);

    run.canvas.Brush.Style = bsClear;
    for (int position = ppTopLeft; position <= ppBottomCenter; ++position) {
        const QString& text = texts[position];
        if (text.isEmpty())
            continue;
        const bool top = atTop(TPrintPosition(position));
        page.SetFont(top ? ps.HeaderFont : ps.FooterFont);
        const int y = top ? -ps.HeaderSize : run.pageHeight + run.footerTextHeight + run.spacing + ps.FooterSize;
        const int width = page.TextWidth(text);
        int x = ps.LeftSize;
        if (position == ppTopRight || position == ppBottomRight)
            x = run.pageWidth - width - ps.RightSize - RightTextGap;
        else if (position == ppTopCenter || position == ppBottomCenter)
            x = (run.pageWidth - width) / 2;
        page.TextOut(x, y, text);
    }
    run.canvas.Brush.Style = bsSolid;
}
