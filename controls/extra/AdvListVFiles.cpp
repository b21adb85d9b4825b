// The list in data files: XML, the list's own cell file and stream, and CSV.
#include "AdvListV.h"
#include "AdvListVFileText.h"
#include "AlvUtil.h"
#include "HTMLText.h"

#include <QIODevice>
#include <QRegularExpression>

namespace {

const QString LineEnd = QStringLiteral("\r\n");
constexpr QChar Quote = u'"';
constexpr QChar DefaultDelimiter = u',';
// The separators CSV detection tries, in the order a tie is settled.
const QString CandidateDelimiters = QStringLiteral(",;#\t|");
// Beyond these a cell file's counts are damage, not a list: nothing could show that many.
constexpr qint64 MaxFileColumns = 65535;
constexpr qint64 MaxFileRows = 10000000;
constexpr qint64 MaxFileCells = 20000000;
// Empty rows take no line, so a few bytes of counts could promise a grid that costs gigabytes to build. Up to
// this many rows are taken on the counts alone; beyond it the file must have a line for every row it promises.
constexpr qint64 RowsWithoutLines = 100000;
const QString WidthPrefix = QStringLiteral("cw");

// The leading integer of a field, 0 when it starts with none.
qint64 leadingNumber(const QString& field)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[-+]?\\d{1,18}"));
    const QRegularExpressionMatch match = number.match(field);
    return match.hasMatch() ? match.captured().trimmed().toLongLong() : 0;
}

// An XML element name: a letter, "_" or ":" first, then also digits, "-" and ".".
bool isXmlName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^[\\p{L}_:][\\p{L}\\p{N}\\p{M}_:.\\-]*$"));
    return pattern.match(name).hasMatch();
}

QString xmlEscape(QString text)
{
    return text.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"));
}

QString csvField(const QString& text, QChar delimiter)
{
    if (!text.contains(delimiter) && !text.contains(Quote) && !text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    QString doubled = text;
    doubled.replace(Quote, QStringLiteral("\"\""));
    return Quote + doubled + Quote;
}

// One CSV record's fields, read from position at in text; at is left after the record's line end. A quoted
// field runs to its closing quote, across line ends, and "" inside it is one quote; without a closing quote it
// takes the rest of its line. lastQuoted says whether the last field was quoted.
QStringList readCsvRecord(const QString& text, qsizetype& at, QChar delimiter, bool& lastQuoted)
{
    QStringList fields;
    const auto atLineEnd = [&](qsizetype i) { return i >= text.size() || text[i] == u'\r' || text[i] == u'\n'; };
    for (;;) {
        QString field;
        lastQuoted = at < text.size() && text[at] == Quote;
        if (lastQuoted) {
            // Pairs of quotes inside stand for one; the first quote without a partner closes the field.
            qsizetype close = at + 1;
            while (close < text.size()) {
                if (text[close] == Quote) {
                    if (close + 1 < text.size() && text[close + 1] == Quote) {
                        close += 2;
                        continue;
                    }
                    break;
                }
                ++close;
            }
            if (close < text.size()) {
                field = text.mid(at + 1, close - at - 1);
                field.replace(QStringLiteral("\"\""), QString(Quote));
                at = close + 1;
            } else {
                qsizetype end = at + 1;
                while (!atLineEnd(end))
                    ++end;
                field = text.mid(at + 1, end - at - 1);
                at = end;
            }
            // Text between the closing quote and the separator belongs to the field.
            while (!atLineEnd(at) && text[at] != delimiter)
                field += text[at++];
        } else {
            while (!atLineEnd(at) && text[at] != delimiter)
                field += text[at++];
        }
        fields.append(field);
        if (at < text.size() && text[at] == delimiter) {
            ++at;
            continue;
        }
        if (at < text.size() && text[at] == u'\r')
            ++at;
        if (at < text.size() && text[at] == u'\n')
            ++at;
        return fields;
    }
}

QChar detectDelimiter(const QString& text)
{
    TStringList lines;
    lines.SetText(text);
    const QString first = lines.Count() > 0 ? lines[0] : QString();
    const QString second = lines.Count() > 1 ? lines[1] : QString();
    QChar found;
    int best = 0;
    for (const QChar candidate : CandidateDelimiters) {
        const int count = NumSingleChar(candidate, first);
        if (count == NumSingleChar(candidate, second) && count > best) {
            best = count;
            found = candidate;
        }
    }
    return found;
}

// Whether counts read from a cell file or stream of lineCount lines describe a grid worth building.
bool plausibleGrid(qint64 columns, qint64 rows, qsizetype lineCount)
{
    if (columns <= 0 || rows <= 0 || columns > MaxFileColumns || rows > MaxFileRows)
        return false;
    return columns * rows <= MaxFileCells && (rows <= RowsWithoutLines || rows < lineCount);
}

} // namespace

QString TAdvListView::preparedText(int row, int column, bool keepMarkup) const
{
    const QString text = GetTextAtColRow(column, row);
    return keepMarkup ? text : MarkupToPlainText(text);
}

void TAdvListView::SaveToXML(const QString& FileName, const QString& ListTag, const QString& RecordTag,
                             const QStringList& FieldTags, bool KeepMarkup)
{
    const int columns = Columns().Count();
    QStringList fieldTags;
    for (int i = 0; i < columns; ++i)
        fieldTags.append(i < FieldTags.size() ? FieldTags[i] : QStringLiteral("FIELD%1").arg(i));
    // A tag that is no XML name would make a file no reader takes.
    if (!isXmlName(ListTag) || !isXmlName(RecordTag) || !std::all_of(fieldTags.cbegin(), fieldTags.cend(), isXmlName))
        throw EAdvListViewError(cannotCreateFileMessage(FileName));

    QString text = QStringLiteral("<?xml version=\"1.0\"?>") + LineEnd;
    text += u'<' + ListTag + u'>' + LineEnd;
    for (int row = 0; row < Items().Count(); ++row) {
        text += u'<' + RecordTag + u'>' + LineEnd;
        for (int column = 0; column < columns; ++column) {
            const QString& tag = fieldTags[column];
            text += u'<' + tag + u'>' + xmlEscape(preparedText(row, column, KeepMarkup)) + QStringLiteral("</") + tag +
                    u'>' + LineEnd;
        }
        text += QStringLiteral("</") + RecordTag + u'>' + LineEnd;
    }
    text += QStringLiteral("</") + ListTag + u'>' + LineEnd;
    writeListFile(FileName, text.toUtf8());
}

void TAdvListView::SaveToFile(const QString& FileName, bool KeepMarkup, bool Unicode)
{
    const int columns = Columns().Count();
    const int rows = Items().Count();
    QStringList lines{QStringLiteral("%1,%2").arg(columns).arg(rows)};
    for (int i = 0; i < columns; ++i)
        lines.append(QStringLiteral("cw %1,%2").arg(i).arg(Columns()[i]->GetWidth()));
    int rowOffset = 0;
    if (saveHeader) {
        rowOffset = 1;
        for (int i = 0; i < columns; ++i) {
            const QString caption = preparedText(-1, i, KeepMarkup);
            if (!caption.isEmpty())
                lines.append(QStringLiteral("%1,0,").arg(i) + LfToFile(caption));
        }
    }
    // The detail line's text is held one column past the last.
    const int cellColumns = columns + (detailView.GetVisible() ? 1 : 0);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cellColumns; ++c) {
            const QString text = preparedText(r, c, KeepMarkup);
            if (text.isEmpty())
                continue;
            const int image = c == 0 ? Items()[r]->GetImageIndex() : GetSubItemImage(r, c - 1);
            lines.append(QStringLiteral("%1,%2,%3,").arg(c).arg(r + rowOffset).arg(image) + LfToFile(text));
        }
    }
    writeListFile(FileName, encodeListLines(lines, Unicode));
}

void TAdvListView::LoadFromFile(const QString& FileName)
{
    const QStringList lines = readListFileLines(FileName);
    const QString counts = lines.value(0);
    const qint64 columns = leadingNumber(counts.section(u',', 0, 0));
    const qint64 rows = leadingNumber(counts.section(u',', 1));
    if (counts.isEmpty() || !plausibleGrid(columns, rows, lines.size()))
        throw EAdvListViewError(corruptFileMessage(FileName));

    struct Cell
    {
        int column;
        int row;
        int image;
        QString text;
    };
    // Every line is checked before the list changes, so a damaged file leaves it as it was.
    QVector<QPair<int, int>> widths;
    QVector<Cell> cells;
    const int rowOffset = loadHeader ? 1 : 0;
    // The detail line's text may follow the last column.
    const qint64 cellColumns = columns + 1;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.startsWith(WidthPrefix)) {
            const qint64 column = leadingNumber(line.mid(3).section(u',', 0, 0));
            if (column >= 0 && column < columns)
                widths.append({int(column), int(leadingNumber(line.section(u',', 1)))});
            continue;
        }
        const qint64 column = leadingNumber(line.section(u',', 0, 0));
        const qint64 row = leadingNumber(line.section(u',', 1, 1));
        if (column < 0 || column >= cellColumns || row < 0 || row - rowOffset >= rows)
            throw EAdvListViewError(corruptFileMessage(FileName));
        const bool header = loadHeader && row == 0;
        // A caption line has no image field: the caption is everything after its second comma.
        const int textField = header ? 2 : 3;
        const int image = header ? -1 : int(leadingNumber(line.section(u',', 2, 2)));
        cells.append({int(column), int(row) - rowOffset, image, FileToLf(line.section(u',', textField), true)});
    }

    BeginUpdate();
    ClearInit(int(rows), int(columns));
    for (const auto& [column, width] : widths)
        Columns()[column]->SetWidth(width);
    for (const Cell& cell : cells) {
        if (cell.image >= 0 && !GetSubImages())
            SetSubImages(true);
        if (cell.row < 0) {
            if (cell.column < columns)
                Columns()[cell.column]->SetCaption(cell.text);
            continue;
        }
        TListItem* item = Items()[cell.row];
        if (cell.column == 0) {
            item->SetCaption(cell.text);
            item->SetImageIndex(cell.image);
        } else {
            SetTextAtColRow(cell.column, cell.row, cell.text);
            SetSubItemImage(cell.row, cell.column - 1, cell.image);
        }
    }
    EndUpdate();
}

void TAdvListView::SaveToStream(QIODevice& Stream, bool KeepMarkup)
{
    const int columns = Columns().Count();
    const int rows = Items().Count();
    QString text = QStringLiteral("%1,%2").arg(columns).arg(rows + 1) + LineEnd;
    // Row 0 holds the captions, row i the cells of item i-1.
    for (int i = 0; i <= rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            const QString cell = preparedText(i - 1, j, KeepMarkup);
            if (!cell.isEmpty())
                text += QStringLiteral("%1,%2,").arg(j).arg(i) + LfToFile(cell) + LineEnd;
        }
    }
    Stream.write(utf16le(text));
}

void TAdvListView::LoadFromStream(QIODevice& Stream)
{
    Stream.seek(0);
    const QStringList lines = fromUtf16le(Stream.readAll()).split(LineEnd);
    const QString counts = lines.value(0);
    if (counts.isEmpty())
        return;
    const auto strictNumber = [](const QString& field) {
        bool ok = false;
        const qint64 value = field.toLongLong(&ok);
        if (!ok)
            throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(field));
        return value;
    };
    const qint64 columns = strictNumber(counts.section(u',', 0, 0));
    const qint64 rows = strictNumber(counts.section(u',', 1));
    if (columns == 0 || rows == 0)
        return;
    if (!plausibleGrid(columns, rows, lines.size()))
        throw EAdvListViewError(corruptFileMessage(QString()).trimmed());

    struct Cell
    {
        int column;
        int row;
        QString text;
    };
    QVector<Cell> cells;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.isEmpty())
            continue;
        const qint64 column = leadingNumber(line.section(u',', 0, 0));
        const qint64 row = leadingNumber(line.section(u',', 1, 1));
        if (column < 0 || column >= columns || row < 0 || row >= rows)
            throw EAdvListViewError(corruptFileMessage(QString()).trimmed());
        cells.append({int(column), int(row), FileToLf(line.section(u',', 2), true)});
    }

    BeginUpdate();
    ClearInit(int(rows) - 1, int(columns));
    for (const Cell& cell : cells) {
        if (cell.row == 0)
            Columns()[cell.column]->SetCaption(cell.text);
        else
            SetTextAtColRow(cell.column, cell.row - 1, cell.text);
    }
    EndUpdate();
}

void TAdvListView::SaveToCSV(const QString& FileName, bool KeepMarkup, bool Unicode)
{
    const int columns = Columns().Count();
    if (columns == 0 || Items().Count() == 0)
        return;
    const QChar delimiter = Delimiter.isNull() ? DefaultDelimiter : Delimiter;
    QStringList lines;
    if (saveHeader) {
        QStringList captions;
        for (int i = 0; i < columns; ++i)
            captions.append(csvField(preparedText(-1, i, KeepMarkup), delimiter));
        lines.append(captions.join(delimiter));
    }
    for (int row = 0; row < Items().Count(); ++row) {
        const TListItem* item = Items()[row];
        // One field per column, and the detail line's text held past the last column as one more.
        const int fields = qMax(columns, item->SubItems().Count() + 1);
        QStringList line;
        for (int column = 0; column < fields; ++column)
            line.append(csvField(preparedText(row, column, KeepMarkup), delimiter));
        lines.append(line.join(delimiter));
    }
    writeListFile(FileName, encodeListLines(lines, Unicode));
}

void TAdvListView::InputFromCSV(const QString& FileName, bool Insert)
{
    const QString text = readListFileText(FileName);
    if (Delimiter.isNull())
        Delimiter = detectDelimiter(text);
    const QChar delimiter = Delimiter.isNull() ? DefaultDelimiter : Delimiter;

    BeginUpdate();
    Items().BeginUpdate();
    qsizetype at = 0;
    bool header = loadHeader && !Insert;
    if (header)
        Clear();
    while (at < text.size()) {
        bool lastQuoted = false;
        QStringList fields = readCsvRecord(text, at, delimiter, lastQuoted);
        // A line ending in a separator has no last field; a quoted empty one is a field.
        if (fields.size() > 1 && fields.last().isEmpty() && !lastQuoted)
            fields.removeLast();
        while (Columns().Count() < fields.size())
            Columns().Add();
        if (header) {
            for (int i = 0; i < fields.size(); ++i)
                Columns()[i]->SetCaption(fields[i]);
            header = false;
            continue;
        }
        TListItem* item = Items().Add();
        item->SetImageIndex(-1);
        item->SetCaption(fields.value(0));
        item->SubItems().SetTexts(fields.mid(1));
    }
    Items().EndUpdate();
    EndUpdate();
}
