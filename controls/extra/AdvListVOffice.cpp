// The list as office files: an .xlsx workbook written and read, a .docx document with one table written. Any
// current spreadsheet and word processor opens them; nothing runs but this program.
#include "AdvListV.h"
#include "AdvListVFileText.h"
#include "Vh_langmanager.h"
#include "WaitCursor.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <functional>
#include <optional>

#include <xlsxwriter.h>
#include <zip.h>

namespace {

// Beyond these a workbook is not a list anyone could look at: refused before memory runs out.
constexpr qint64 MaxSheetColumns = 16384;
constexpr qint64 MaxSheetRows = 1048576;
constexpr qint64 MaxSheetCells = 20000000;
// The most characters a workbook cell may hold.
constexpr qsizetype MaxSheetCellLength = 32767;
// A column's width in the document: twentieths of a point per pixel at 96 dots per inch.
constexpr int TwipsPerPixel = 15;

const QString WordNamespace = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString DocumentRelationNamespace =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");

// A zip archive open for reading, closed when it goes.
class ZipReader
{
public:
    explicit ZipReader(const QString& fileName)
    {
        int error = 0;
        archive = zip_open(QFile::encodeName(fileName).constData(), ZIP_RDONLY, &error);
    }
    ~ZipReader()
    {
        if (archive)
            zip_discard(archive);
    }
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    bool isOpen() const { return archive != nullptr; }
    bool contains(const QString& name) const { return zip_name_locate(archive, name.toUtf8().constData(), 0) >= 0; }
    // The member's bytes; nothing when it is missing or damaged.
    std::optional<QByteArray> read(const QString& name) const
    {
        zip_stat_t stat;
        zip_stat_init(&stat);
        const QByteArray utf8 = name.toUtf8();
        if (zip_stat(archive, utf8.constData(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
            return std::nullopt;
        zip_file_t* file = zip_fopen(archive, utf8.constData(), 0);
        if (!file)
            return std::nullopt;
        QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
        const zip_int64_t got = zip_fread(file, bytes.data(), stat.size);
        zip_fclose(file);
        if (got != zip_int64_t(stat.size))
            return std::nullopt;
        return bytes;
    }

private:
    zip_t* archive = nullptr;
};

// Bytes written to a scratch file by a library that only writes files, then put in place whole.
class ScratchFile
{
public:
    QString path() const { return folder.filePath(QStringLiteral("scratch")); }
    void moveTo(const QString& fileName) const
    {
        QFile file(path());
        if (!file.open(QIODevice::ReadOnly))
            throw EAdvListViewError(cannotCreateFileMessage(fileName));
        writeListFile(fileName, file.readAll());
    }

private:
    QTemporaryDir folder;
};

// "_xHHHH_" stands for a character XML cannot hold; "_x005F_" escapes a literal "_".
QString decodeSheetEscapes(const QString& text)
{
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    if (!text.contains(QStringLiteral("_x")))
        return text;
    QString result;
    qsizetype at = 0;
    for (auto it = escape.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(text).mid(at, match.capturedStart() - at);
        result += QChar(char16_t(match.captured(1).toUShort(nullptr, 16)));
        at = match.capturedEnd();
    }
    return result + text.mid(at);
}

// A text as a sheet holds it: a literal "_xHHHH_" gets its "_" escaped, so that it does not read back as the
// character it names.
QString encodeSheetEscapes(QString text)
{
    static const QRegularExpression escapeLike(QStringLiteral("_(x[0-9A-Fa-f]{4}_)"));
    return text.contains(QStringLiteral("_x")) ? text.replace(escapeLike, QStringLiteral("_x005F_\\1")) : text;
}

// The text of the string item the reader stands on (<si> or <is>): its own <t> and its runs' <t>, not the
// phonetic hints.
QString readStringItem(QXmlStreamReader& xml)
{
    const QString item = xml.name().toString();
    QString text;
    while (xml.readNextStartElement() || (xml.isEndElement() && xml.name() != item)) {
        if (xml.isEndElement())
            continue;
        if (xml.name() == u"t")
            text += xml.readElementText();
        else if (xml.name() == u"rPh")
            xml.skipCurrentElement();
    }
    return decodeSheetEscapes(text);
}

QStringList readSharedStrings(const QByteArray& bytes)
{
    QStringList strings;
    QXmlStreamReader xml(bytes);
    while (xml.readNextStartElement()) {
        if (xml.name() == u"sst")
            continue;
        if (xml.name() == u"si")
            strings.append(readStringItem(xml));
        else
            xml.skipCurrentElement();
    }
    return strings;
}

// Column and row, from 0, of a cell reference such as "AB12"; nothing when it is no reference.
std::optional<std::pair<qint64, qint64>> cellPosition(QStringView reference)
{
    qint64 column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i].isLetter() && column <= MaxSheetColumns; ++i)
        column = column * 26 + (reference[i].toUpper().unicode() - u'A' + 1);
    bool ok = false;
    const qint64 row = reference.mid(i).toLongLong(&ok);
    if (i == 0 || !ok || row < 1 || column > MaxSheetColumns || row > MaxSheetRows)
        return std::nullopt;
    return std::make_pair(column - 1, row - 1);
}

struct SheetCell
{
    qint64 column;
    qint64 row;
    QString text;
};

// Every cell that holds a value; false when the sheet is damaged.
bool readSheetCells(const QByteArray& bytes, const QStringList& sharedStrings, QVector<SheetCell>& cells)
{
    QXmlStreamReader xml(bytes);
    qint64 nextRow = 0;
    qint64 nextColumn = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"row") {
            bool ok = false;
            const qint64 row = xml.attributes().value(QStringLiteral("r")).toLongLong(&ok);
            nextRow = ok ? row - 1 : nextRow + 1;
            nextColumn = 0;
            continue;
        }
        if (xml.name() != u"c")
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        // A cell without its reference follows the one before it.
        std::optional<std::pair<qint64, qint64>> position = std::make_pair(nextColumn, nextRow);
        if (attributes.hasAttribute(QStringLiteral("r")))
            position = cellPosition(attributes.value(QStringLiteral("r")));
        if (!position)
            return false;
        nextColumn = position->first + 1;
        const QString type = attributes.value(QStringLiteral("t")).toString();
        QString value;
        bool hasValue = false;
        while (xml.readNextStartElement()) {
            if (xml.name() == u"v") {
                value = xml.readElementText();
                hasValue = true;
            } else if (xml.name() == u"is") {
                value = readStringItem(xml);
                hasValue = true;
            } else {
                xml.skipCurrentElement();
            }
        }
        if (!hasValue || type == u"e")
            continue;
        if (type == u"s") {
            bool ok = false;
            const int index = value.toInt(&ok);
            if (!ok || index < 0 || index >= sharedStrings.size())
                return false;
            value = sharedStrings[index];
        } else if (type == u"b") {
            value = value.trimmed() == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        } else if (type == u"str") {
            value = decodeSheetEscapes(value);
        }
        cells.append({position->first, position->second, value});
    }
    return !xml.hasError();
}

// The archive path of the workbook's first sheet, from the workbook and its relationships.
QString firstSheetPath(const ZipReader& zip)
{
    const std::optional<QByteArray> workbook = zip.read(QStringLiteral("xl/workbook.xml"));
    const std::optional<QByteArray> relations = zip.read(QStringLiteral("xl/_rels/workbook.xml.rels"));
    if (!workbook || !relations)
        return QString();
    QString relation;
    QXmlStreamReader xml(*workbook);
    while (!xml.atEnd() && relation.isEmpty())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"sheet")
            relation = xml.attributes().value(DocumentRelationNamespace, QStringLiteral("id")).toString();
    QXmlStreamReader rels(*relations);
    while (!rels.atEnd() && !relation.isEmpty()) {
        if (rels.readNext() != QXmlStreamReader::StartElement || rels.name() != u"Relationship" ||
            rels.attributes().value(QStringLiteral("Id")) != relation)
            continue;
        const QString target = rels.attributes().value(QStringLiteral("Target")).toString();
        return target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
    }
    return QString();
}

// False when the archive could not be written.
bool writeZip(const QString& path, const QVector<std::pair<QString, QByteArray>>& members)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    bool ok = true;
    for (const auto& [name, bytes] : members) {
        zip_source_t* source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!source || zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            ok = false;
            break;
        }
    }
    if (!ok || zip_close(archive) != 0) {
        zip_discard(archive);
        return false;
    }
    return true;
}

// The document part: one table of the items, each cell a paragraph aligned as its column.
QByteArray documentXml(TAdvListView& list, const std::function<QString(int, int)>& cellText)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeNamespace(WordNamespace, QStringLiteral("w"));
    xml.writeStartElement(WordNamespace, QStringLiteral("document"));
    xml.writeStartElement(WordNamespace, QStringLiteral("body"));
    xml.writeStartElement(WordNamespace, QStringLiteral("tbl"));
    xml.writeStartElement(WordNamespace, QStringLiteral("tblPr"));
    xml.writeStartElement(WordNamespace, QStringLiteral("tblBorders"));
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
        xml.writeEmptyElement(WordNamespace, QLatin1String(side));
        xml.writeAttribute(WordNamespace, QStringLiteral("val"), QStringLiteral("single"));
        xml.writeAttribute(WordNamespace, QStringLiteral("sz"), QStringLiteral("4"));
    }
    xml.writeEndElement(); // tblBorders
    xml.writeEndElement(); // tblPr
    const int columns = list.Columns().Count();
    xml.writeStartElement(WordNamespace, QStringLiteral("tblGrid"));
    for (int c = 0; c < columns; ++c) {
        xml.writeEmptyElement(WordNamespace, QStringLiteral("gridCol"));
        xml.writeAttribute(WordNamespace, QStringLiteral("w"),
                           QString::number(list.Columns()[c]->GetWidth() * TwipsPerPixel));
    }
    xml.writeEndElement(); // tblGrid
    for (int r = 0; r < list.Items().Count(); ++r) {
        xml.writeStartElement(WordNamespace, QStringLiteral("tr"));
        for (int c = 0; c < columns; ++c) {
            xml.writeStartElement(WordNamespace, QStringLiteral("tc"));
            xml.writeStartElement(WordNamespace, QStringLiteral("p"));
            const TAlignment alignment = list.Columns()[c]->GetAlignment();
            if (alignment != taLeftJustify) {
                xml.writeStartElement(WordNamespace, QStringLiteral("pPr"));
                xml.writeEmptyElement(WordNamespace, QStringLiteral("jc"));
                xml.writeAttribute(WordNamespace, QStringLiteral("val"),
                                   alignment == taRightJustify ? QStringLiteral("right") : QStringLiteral("center"));
                xml.writeEndElement(); // pPr
            }
            const QString text = cellText(r, c);
            if (!text.isEmpty()) {
                xml.writeStartElement(WordNamespace, QStringLiteral("r"));
                // Texts from elsewhere end their lines in LF or CR alone as well.
                static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
                const QStringList lines = text.split(lineBreak);
                for (int l = 0; l < lines.size(); ++l) {
                    if (l > 0)
                        xml.writeEmptyElement(WordNamespace, QStringLiteral("br"));
                    const QStringList pieces = lines[l].split(u'\t');
                    for (int p = 0; p < pieces.size(); ++p) {
                        if (p > 0)
                            xml.writeEmptyElement(WordNamespace, QStringLiteral("tab"));
                        if (pieces[p].isEmpty())
                            continue;
                        xml.writeStartElement(WordNamespace, QStringLiteral("t"));
                        xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
                        xml.writeCharacters(pieces[p]);
                        xml.writeEndElement();
                    }
                }
                xml.writeEndElement(); // r
            }
            xml.writeEndElement(); // p
            xml.writeEndElement(); // tc
        }
        xml.writeEndElement(); // tr
    }
    xml.writeEndElement(); // tbl
    // A document ends in a paragraph, not in a table.
    xml.writeEmptyElement(WordNamespace, QStringLiteral("p"));
    xml.writeEndElement(); // body
    xml.writeEndElement(); // document
    xml.writeEndDocument();
    return bytes;
}

const char ContentTypes[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/word/document.xml" )"
    R"(ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
    R"(</Types>)";
const char PackageRelationships[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" )"
    R"(Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" )"
    R"(Target="word/document.xml"/>)"
    R"(</Relationships>)";

} // namespace

void TAdvListView::LoadFromXLS(const QString& FileName)
{
    const TWaitCursorLok busy;
    const ZipReader zip(FileName);
    const QString sheetPath = zip.isOpen() ? firstSheetPath(zip) : QString();
    const std::optional<QByteArray> sheet = sheetPath.isEmpty() ? std::nullopt : zip.read(sheetPath);
    if (!sheet)
        throw EAdvListViewError(corruptFileMessage(FileName));
    QStringList sharedStrings;
    if (zip.contains(QStringLiteral("xl/sharedStrings.xml"))) {
        const std::optional<QByteArray> strings = zip.read(QStringLiteral("xl/sharedStrings.xml"));
        if (!strings)
            throw EAdvListViewError(corruptFileMessage(FileName));
        sharedStrings = readSharedStrings(*strings);
    }
    QVector<SheetCell> cells;
    if (!readSheetCells(*sheet, sharedStrings, cells))
        throw EAdvListViewError(corruptFileMessage(FileName));

    // Every cell from A1 to the last used one, wherever the used cells start.
    qint64 columns = 0;
    qint64 rows = 0;
    for (const SheetCell& cell : cells) {
        columns = qMax(columns, cell.column + 1);
        rows = qMax(rows, cell.row + 1);
    }
    if (columns * rows > MaxSheetCells)
        throw EAdvListViewError(corruptFileMessage(FileName));
    QVector<QStringList> grid(rows, QStringList(columns, QString()));
    for (const SheetCell& cell : cells)
        grid[cell.row][cell.column] = cell.text;

    BeginUpdate();
    Items().BeginUpdate();
    Items().Clear();
    Columns().Clear();
    for (qint64 c = 0; c < columns; ++c)
        Columns().Add();
    for (qint64 r = 0; r < rows; ++r) {
        const QStringList& line = grid[r];
        if (loadHeader && r == 0) {
            for (qint64 c = 0; c < columns; ++c)
                Columns()[int(c)]->SetCaption(line[c]);
            continue;
        }
        TListItem* item = Items().Add();
        item->SetCaption(line.value(0));
        item->SubItems().SetTexts(line.mid(1));
    }
    Items().EndUpdate();
    EndUpdate();
}

void TAdvListView::SaveToXLS(const QString& FileName, bool KeepMarkup)
{
    const int columns = Columns().Count();
    if (columns == 0 || Items().Count() == 0)
        return;
    const TWaitCursorLok busy;
    const ScratchFile scratch;
    lxw_workbook_options options{};
    // Shared strings keep a workbook of repeated texts small; constant memory would write inline strings only.
    options.constant_memory = LXW_FALSE;
    lxw_workbook* workbook = workbook_new_opt(QFile::encodeName(scratch.path()).constData(), &options);
    if (!workbook)
        throw EAdvListViewError(cannotCreateFileMessage(FileName));
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    bool written = sheet != nullptr;
    std::optional<std::pair<int, int>> tooLong; // row and column of a text no cell can hold
    for (int r = 0; written && r < Items().Count(); ++r)
        for (int c = 0; written && c < columns; ++c) {
            const QString text = preparedText(r, c, KeepMarkup);
            if (text.size() > MaxSheetCellLength) {
                tooLong = {r, c};
                written = false;
            } else if (!text.isEmpty()) {
                written =
                    worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c),
                                           encodeSheetEscapes(text).toUtf8().constData(), nullptr) == LXW_NO_ERROR;
            }
        }
    // The workbook is freed by closing it, written or not.
    const bool closed = workbook_close(workbook) == LXW_NO_ERROR;
    if (tooLong)
        throw EAdvListViewError(
            FormatText(gLangM.Get(QStringLiteral("ERROR_SHEET_CELL_TOO_LONG")),
                       {FileName, QString::number(tooLong->first + 1), QString::number(tooLong->second + 1),
                        QString::number(MaxSheetCellLength)}));
    if (!closed || !written)
        throw EAdvListViewError(cannotCreateFileMessage(FileName));
    scratch.moveTo(FileName);
}

void TAdvListView::SaveToDOC(const QString& FileName, bool KeepMarkup)
{
    if (Columns().Count() == 0 || Items().Count() == 0)
        return;
    const ScratchFile scratch;
    const QByteArray document =
        documentXml(*this, [&](int row, int column) { return preparedText(row, column, KeepMarkup); });
    if (!writeZip(scratch.path(), {{QStringLiteral("[Content_Types].xml"), QByteArray(ContentTypes)},
                                   {QStringLiteral("_rels/.rels"), QByteArray(PackageRelationships)},
                                   {QStringLiteral("word/document.xml"), document}}))
        throw EAdvListViewError(cannotCreateFileMessage(FileName));
    scratch.moveTo(FileName);
}
