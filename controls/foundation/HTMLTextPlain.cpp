// Text services on markup that do not draw: plain text, and marking search matches with a tag.
#include "HTMLText.h"

#include <QList>

namespace {

// Counts visible characters the way the search helpers do: a "<" opens a tag up to the next ">", and a "<"
// without ">" hides everything after it.
class VisibleWalk
{
public:
    // Call for every character of the markup in order; true when the character is visible.
    bool visit(QChar c)
    {
        if (c == u'<')
            inTag = true;
        const bool visible = !inTag;
        if (c == u'>')
            inTag = false;
        return visible;
    }

private:
    bool inTag = false;
};

struct Insertion
{
    int visible; // 1-based visible character the tag goes in front of
    QString tag;
};

} // namespace

QString MarkupToPlainText(const QString& markup)
{
    const QStringView text(markup);
    QString plain;
    plain.reserve(text.size());
    qsizetype noHiddenEndAfter = -1; // once no "</z>" follows a position, none follows any later one
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] != u'<') {
            plain += text[i++];
            continue;
        }
        const qsizetype close = text.indexOf(u'>', i);
        if (close < 0) {
            plain += text.mid(i);
            break;
        }
        const QStringView tag = text.mid(i, close - i + 1);
        if (tag.compare(QLatin1String("<BR>"), Qt::CaseInsensitive) == 0 ||
            tag.compare(QLatin1String("<HR>"), Qt::CaseInsensitive) == 0) {
            plain += QLatin1String("\r\n");
        } else if (tag.compare(QLatin1String("<Z>"), Qt::CaseInsensitive) == 0 && noHiddenEndAfter < 0) {
            const qsizetype end = text.indexOf(QLatin1String("</Z>"), close, Qt::CaseInsensitive);
            if (end >= 0) {
                i = end + 4;
                continue;
            }
            noHiddenEndAfter = close;
        }
        i = close + 1;
    }
    return plain;
}

QString MarkupRemoveTags(const QString& markup)
{
    QString visible;
    visible.reserve(markup.size());
    VisibleWalk walk;
    for (const QChar c : markup) {
        if (walk.visit(c))
            visible += c;
    }
    return visible;
}

int MarkupPosOfVisibleChar(const QString& markup, int n)
{
    bool inTag = false;
    int next = 1;
    for (qsizetype i = 0; i < markup.size(); ++i) {
        const QChar c = markup[i];
        if (c == u'<')
            inTag = true;
        if (next == n)
            return int(i) + 1;
        if (!inTag)
            ++next;
        if (c == u'>')
            inTag = false;
    }
    return next == n ? int(markup.size()) + 1 : 0;
}

int MarkupFindNextMatch(const QString& search, const QString& visible, int offset, int& position, bool caseSensitive)
{
    position = 0;
    if (search.isEmpty() || offset < 0)
        return 0;
    const qsizetype p = visible.indexOf(search, offset, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    if (p >= 0)
        position = int(p) + 1;
    return position;
}

QString MarkupWrapMatches(const QString& markup, const QString& search, const QString& tag, bool caseSensitive)
{
    if (search.isEmpty())
        return markup;
    const QString visible = MarkupRemoveTags(markup);
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QString open = u'<' + tag + u'>';
    const QString close = QLatin1String("</") + tag + u'>';

    // In visible order; where one match ends right at the next, its closing tag comes first, so the two stay
    // apart instead of nesting.
    QList<Insertion> insertions;
    for (qsizetype p = visible.indexOf(search, 0, cs); p >= 0; p = visible.indexOf(search, p + search.size(), cs)) {
        insertions.append({int(p) + 1, open});
        insertions.append({int(p + search.size()) + 1, close});
    }

    // Each tag goes in front of the tags that directly precede its character, as MarkupPosOfVisibleChar places it.
    QString wrapped;
    wrapped.reserve(markup.size() + insertions.size() * close.size());
    qsizetype next = 0;
    int nextVisible = 1;
    VisibleWalk walk;
    for (const QChar c : markup) {
        while (next < insertions.size() && insertions[next].visible == nextVisible)
            wrapped += insertions[next++].tag;
        if (walk.visit(c))
            ++nextVisible;
        wrapped += c;
    }
    while (next < insertions.size() && insertions[next].visible == nextVisible)
        wrapped += insertions[next++].tag;
    return wrapped;
}

QString MarkupUnwrapTag(const QString& markup, const QString& tag)
{
    // Removing one occurrence can join text into a new one ("<h<hi>i>"); trimming the tail of the result as it
    // grows removes those as well. Opening tags go first, then closing ones.
    auto removeAll = [](const QString& text, const QString& unwanted) {
        QString result;
        result.reserve(text.size());
        for (const QChar c : text) {
            result += c;
            if (c == u'>' && result.size() >= unwanted.size() &&
                QStringView(result).right(unwanted.size()).compare(unwanted, Qt::CaseInsensitive) == 0)
                result.chop(unwanted.size());
        }
        return result;
    };
    const QString withoutOpen = removeAll(markup, u'<' + tag + u'>');
    return removeAll(withoutOpen, QLatin1String("</") + tag + u'>');
}
