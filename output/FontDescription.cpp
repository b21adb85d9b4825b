#include "FontDescription.h"

#include "Vh_langmanager.h"

#include <QStringList>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// Splits at every comma outside double quotes; a quoted item loses its quotes and reads "" as one quote.
// Blanks belong to the items.
QStringList splitAtCommas(const QString& text)
{
    QStringList items;
    if (text.isEmpty())
        return items;
    QString item;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"')
                item += c;
            else if (i + 1 < text.size() && text[i + 1] == u'"')
                item += text[++i];
            else
                quoted = false;
        } else if (c == u'"' && item.isEmpty()) {
            quoted = true;
        } else if (c == u',') {
            items.append(item);
            item.clear();
        } else {
            item += c;
        }
    }
    items.append(item);
    return items;
}

// The whole number a text begins with (blanks and a sign allowed before the digits), 0 when it begins with none.
int leadingWholeNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min<qint64>(value * 10 + (text[i].unicode() - u'0'), std::numeric_limits<int>::max());
    return int(negative ? -value : value);
}

} // namespace

FontDescription readFontDescription(const QString& description)
{
    FontDescription font;
    const QStringList items = splitAtCommas(description);
    font.ItemCount = int(items.size());
    if (items.isEmpty())
        return font;
    font.Face = items[0].trimmed();
    if (items.size() < 2)
        return font;
    const QString size = items[1].trimmed();
    font.SizeGiven = size.contains(QLatin1String("pt"));
    if (font.SizeGiven)
        font.Size = leadingWholeNumber(size);
    font.Bold = description.contains(QLatin1String("bold")) || description.contains(QLatin1String("pogrubienie"));
    font.Italic = description.contains(QLatin1String("italic")) || description.contains(QLatin1String("pochylenie"));
    const QString underline = gLangM.Get(QStringLiteral("LABEL_UNDERLINE"));
    font.Underline = !underline.isEmpty() && description.contains(underline);
    return font;
}

QString writeFontDescription(const QString& face, const QString& sizeText, bool bold, bool italic, bool underline)
{
    QString description = face + QLatin1String(", ") + sizeText + QLatin1String("pt");
    const std::pair<bool, const char*> styles[] = {
        {bold, "LABEL_BOLD"}, {italic, "LABEL_ITALIC"}, {underline, "LABEL_UNDERLINE"}};
    for (const auto& [chosen, key] : styles) {
        if (chosen)
            description += QLatin1String(", ") + gLangM.Get(QLatin1String(key));
    }
    return description;
}
