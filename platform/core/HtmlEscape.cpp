#include "HtmlEscape.h"

QString htmlEscape(const QString& text)
{
    QString result;
    result.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            result += QLatin1String("&amp;");
            break;
        case u'<':
            result += QLatin1String("&lt;");
            break;
        case u'>':
            result += QLatin1String("&gt;");
            break;
        case u'"':
            result += QLatin1String("&quot;");
            break;
        case u'\'':
            result += QLatin1String("&#39;");
            break;
        default:
            result += c;
        }
    }
    return result;
}

QString jsString(const QString& text)
{
    QString result = QStringLiteral("\"");
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // Quotes, the backslash and everything that could end a script element or an attribute go as escapes;
        // so do line breaks, which may not stand inside a literal.
        if (u < 0x20 || u == u'"' || u == u'\'' || u == u'\\' || u == u'<' || u == u'>' || u == u'&' || u == 0x2028 ||
            u == 0x2029)
            result += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
        else
            result += c;
    }
    return result + u'"';
}
