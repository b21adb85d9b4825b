#include "PdfCharacterMaps.h"

#include <QByteArrayView>

namespace {

const QByteArrayView tab = "<0009>";
const QByteArrayView space = "<0020>";

// The next "<...>" token of a line from `at` on; `at` moves past it. Empty when the line holds no more.
QByteArrayView nextToken(const QByteArray& pdf, qsizetype& at, qsizetype end)
{
    const qsizetype open = pdf.indexOf('<', at);
    const qsizetype close = open < 0 ? -1 : pdf.indexOf('>', open);
    if (close < 0 || close >= end)
        return {};
    at = close + 1;
    return QByteArrayView(pdf).sliced(open, close + 1 - open);
}

// Replaces the tab among the code points of one map line: those after its glyph (bfchar), or after its first and
// last glyph (bfrange). A range of several glyphs mapped on from U+0009 is left alone: the code points of its
// later glyphs follow from that start.
void mendLine(QByteArray& pdf, qsizetype begin, qsizetype end, bool range)
{
    qsizetype targets = begin;
    const QByteArrayView first = nextToken(pdf, targets, end);
    const QByteArrayView last = range ? nextToken(pdf, targets, end) : first;
    if (last.isEmpty())
        return;
    const qsizetype array = pdf.indexOf('[', targets);
    if (first != last && !(array >= 0 && array < end))
        return;
    for (qsizetype at = pdf.indexOf(tab, targets); at >= 0 && at + tab.size() <= end; at = pdf.indexOf(tab, at + 1))
        pdf.replace(at, space.size(), space.data(), space.size());
}

void mendMap(QByteArray& pdf, qsizetype begin, qsizetype end)
{
    enum class Section { None, Char, Range } section = Section::None;
    for (qsizetype line = begin; line < end;) {
        qsizetype lineEnd = pdf.indexOf('\n', line);
        if (lineEnd < 0 || lineEnd > end)
            lineEnd = end;
        const QByteArrayView text = QByteArrayView(pdf).sliced(line, lineEnd - line).trimmed();
        if (text.endsWith("beginbfchar"))
            section = Section::Char;
        else if (text.endsWith("beginbfrange"))
            section = Section::Range;
        else if (text == "endbfchar" || text == "endbfrange")
            section = Section::None;
        else if (section != Section::None && text.startsWith('<'))
            mendLine(pdf, line, lineEnd, section == Section::Range);
        line = lineEnd + 1;
    }
}

} // namespace

void mendSpaceInCharacterMaps(QByteArray& pdf)
{
    for (qsizetype begin = pdf.indexOf("begincmap"); begin >= 0; begin = pdf.indexOf("begincmap", begin + 1)) {
        const qsizetype end = pdf.indexOf("endcmap", begin);
        if (end < 0)
            return;
        mendMap(pdf, begin, end);
    }
}
