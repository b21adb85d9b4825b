// The list as an HTML table and as fixed-column plain text, both in the "ANSI" code page.
#include "AdvListV.h"
#include "AdvListVFileText.h"
#include "CodePage.h"
#include "HTMLText.h"
#include "HtmlEscape.h"
#include "UrlOpener.h"
#include "WaitCursor.h"

#include <QFile>
#include <QRegularExpression>

namespace {

// The brush and font colour handed to OnDrawItemProp: a colour the handler never sets, so a change shows.
constexpr TColor ColorUnchanged = 0x7FFFFFFF;
// How much of a link's address an anchor shows.
constexpr int MaxShownLink = 255;
const QString WebSchemeEnd = QStringLiteral("://");
const QString MailScheme = QStringLiteral("mailto:");

QString quoted(const QString& text)
{
    return u'"' + text + u'"';
}

// RRGGBB of the colour a system colour stands for.
QString htmlColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QStringLiteral("#%1%2%3")
        .arg(rgb & 0xFF, 2, 16, QChar(u'0'))
        .arg((rgb >> 8) & 0xFF, 2, 16, QChar(u'0'))
        .arg((rgb >> 16) & 0xFF, 2, 16, QChar(u'0'))
        .toUpper();
}

QString alignAttribute(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return QStringLiteral(" align=\"right\"");
    case taCenter:
        return QStringLiteral(" align=\"center\"");
    default:
        return QString();
    }
}

// An anchor for a text that is one address the link policy lets the desktop open; empty for any other text.
QString linkAnchor(const QString& text, bool showFull)
{
    static const QRegularExpression notInAddress(QStringLiteral("[\\s<>\"]"));
    const bool web = text.contains(WebSchemeEnd);
    const bool mail = text.startsWith(MailScheme, Qt::CaseInsensitive);
    if ((!web && !mail) || text.contains(notInAddress) || !isAllowedLink(text))
        return QString();
    const QString shown = showFull ? text
                          : web    ? text.mid(text.indexOf(WebSchemeEnd) + WebSchemeEnd.size())
                                   : text.mid(MailScheme.size());
    return QStringLiteral("<A HREF=") + quoted(htmlEscape(text)) + u'>' + htmlEscape(shown.left(MaxShownLink)) +
           QStringLiteral("</A>");
}

// Characters the code page lacks as character references, so the page loses none of them.
QString forCodePage(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char32_t code = text.at(i).isHighSurrogate() && i + 1 < text.size()
                                  ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                                  : text.at(i).unicode();
        const qsizetype length = code > 0xFFFF ? 2 : 1;
        const QStringView ch = QStringView(text).mid(i, length);
        if (code >= 0x80 && encodeCodePage(ch, CodePage::Windows1250) == "?")
            result += QStringLiteral("&#%1;").arg(quint32(code));
        else
            result += ch;
        i += length - 1;
    }
    return result;
}

// A header or footer file's lines, read before anything is written so that a missing one leaves no output.
QStringList frameLines(const QString& fileName, const char* message)
{
    if (fileName.isEmpty())
        return {};
    if (!QFile::exists(fileName))
        throw Exception(QString::fromLatin1(message) + fileName);
    try {
        return readListFileLines(fileName);
    } catch (const EAdvListViewError&) {
        throw Exception(QString::fromLatin1(message) + fileName);
    }
}

QString alignedText(const QString& text, TAlignment alignment, int width)
{
    QString result = text;
    if (alignment == taRightJustify)
        result = result.rightJustified(width, u' ');
    else if (alignment == taCenter)
        while (result.size() < width)
            result = u' ' + result + u' ';
    return result;
}

} // namespace

QString TAdvListView::htmlCell(int row, int column, bool keepMarkup)
{
    const QString raw = GetTextAtColRow(column, row);
    const bool rich = CellKindOf(raw) == TCellKind::RichText;
    const QString text = rich ? richPlainText(row, column - 1) : keepMarkup ? raw : MarkupToPlainText(raw);
    QString html = urlShow ? linkAnchor(text, urlFull) : QString();
    if (html.isEmpty())
        html = keepMarkup && !rich ? text : htmlEscape(text);
    if (column == 0 && html.isEmpty())
        html = QStringLiteral("<br>");

    const TAlignment alignment = Columns()[column]->GetAlignment();
    QString attributes = column == 0 || !html.isEmpty() ? alignAttribute(alignment) : QString();
    TBrush brush;
    brush.Color = ColorUnchanged;
    TFont font;
    font.Color = ColorUnchanged;
    font.Style = 0;
    QueryDrawProp(row, column - 1, 0, brush, font, column == 0 ? raw : html);
    if (html.isEmpty())
        html = QStringLiteral("<BR>");

    QString open;
    QString close;
    if (htmlSettings.SaveColor && brush.Color != ColorUnchanged)
        attributes += QStringLiteral(" BGCOLOR=") + quoted(htmlColor(brush.Color));
    if (htmlSettings.SaveColor && font.Color != ColorUnchanged) {
        open = QStringLiteral("<font color=") + quoted(htmlColor(font.Color)) + u'>';
        close = QStringLiteral("</font>");
    }
    if (htmlSettings.SaveFonts) {
        const std::pair<TFontStyle, const char*> styles[] = {{fsBold, "B"}, {fsItalic, "I"}, {fsUnderline, "U"}};
        for (const auto& [style, tag] : styles) {
            if (font.Style & style) {
                open += u'<' + QLatin1String(tag) + u'>';
                close.prepend(QStringLiteral("</") + QLatin1String(tag) + u'>');
            }
        }
    }
    return QStringLiteral("<td nowrap") + attributes + u'>' + open + html + close + QStringLiteral("</td>");
}

void TAdvListView::SaveToHTML(const QString& FileName, bool KeepMarkup)
{
    const int columns = Columns().Count();
    if (columns == 0 || Items().Count() == 0)
        return;
    const THTMLSettings& settings = htmlSettings;
    QStringList lines = frameLines(settings.HeaderFile, "Cannot open header file ");
    const QStringList footer = frameLines(settings.FooterFile, "Cannot open footer file ");

    QStringList table;
    if (!settings.PrefixTag.isEmpty())
        table.append(settings.PrefixTag);
    table.append(QStringLiteral("<table border=%1 cellspacing=%2 width=%3>")
                     .arg(quoted(QString::number(settings.BorderSize)), quoted(QString::number(settings.CellSpacing)),
                          quoted(QString::number(settings.Width) + u'%')));
    table.append(QStringLiteral("<tr>"));
    const QString headerBackground =
        settings.SaveColor ? QStringLiteral(" BGCOLOR=") + quoted(htmlColor(clActiveBorder)) : QString();
    for (int column = 0; column < columns; ++column) {
        const QString caption = GetTextAtColRow(column, -1);
        QString html = KeepMarkup ? caption : htmlEscape(MarkupToPlainText(caption));
        if (html.isEmpty())
            html = QStringLiteral("<BR>");
        table.append(QStringLiteral("<td nowrap") + alignAttribute(Columns()[column]->GetAlignment()) +
                     headerBackground + QStringLiteral("><B>") + html + QStringLiteral("</B></td>"));
    }
    table.append(QStringLiteral("</tr>"));
    for (int row = 0; row < Items().Count(); ++row) {
        table.append(QStringLiteral("<tr>"));
        // A row without sub-items is one cell wide.
        const int cells = Items()[row]->SubItems().Count() > 0 ? columns : 1;
        for (int column = 0; column < cells; ++column)
            table.append(htmlCell(row, column, KeepMarkup));
        table.append(QStringLiteral("</tr>"));
    }
    table.append(QStringLiteral("</table><p>"));
    if (!settings.SuffixTag.isEmpty())
        table.append(settings.SuffixTag);
    for (const QString& line : std::as_const(table))
        lines.append(forCodePage(line));
    writeListFile(FileName, encodeListLines(lines + footer, false));
}

void TAdvListView::SaveToAscii(const QString& FileName, bool KeepMarkup)
{
    const TWaitCursorLok busy;
    const int columns = Columns().Count();
    QVector<int> widths(columns, 0);
    for (int row = 0; row < Items().Count(); ++row)
        for (int column = 0; column < columns; ++column)
            widths[column] = qMax(widths[column], int(preparedText(row, column, KeepMarkup).size()));

    QStringList lines;
    for (int row = 0; row < Items().Count(); ++row) {
        QString line;
        QStringList continuation;
        int start = 0;
        for (int column = 0; column < columns; ++column) {
            const TAlignment alignment = Columns()[column]->GetAlignment();
            const int width = widths[column];
            const QStringList parts = preparedText(row, column, KeepMarkup).split(QStringLiteral("\r\n"));
            for (int k = 1; k < parts.size(); ++k) {
                if (continuation.size() < k)
                    continuation.append(QString());
                QString& further = continuation[k - 1];
                further = further.leftJustified(start, u' ') + alignedText(parts[k], alignment, width);
            }
            const QString cell = alignedText(parts[0], alignment, width);
            line += cell;
            if (cell.size() <= width)
                line += QString(width - cell.size() + 1, u' ');
            start += width + 1;
        }
        lines.append(line);
        lines += continuation;
    }
    try {
        writeListFile(FileName, encodeListLines(lines, false));
    } catch (const EAdvListViewError& e) {
        throw Exception(e.Message());
    }
}
