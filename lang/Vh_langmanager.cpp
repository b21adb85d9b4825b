#include "Vh_langmanager.h"

#include <QFile>

KX_LangManager gLangM;

namespace {

QStringList resourceLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    TStringList list;
    list.SetText(QString::fromUtf8(file.readAll()));
    return list.ToStringList();
}

} // namespace

void KX_LangManager::Load(const QStringList& newLines)
{
    // The table is kept as one text that is split again after each load: the added text may itself hold
    // line breaks, and the empty line that separates the loads stays where it was.
    QString text = lines.GetText() + QStringLiteral("\r\n");
    for (const QString& line : newLines)
        text += line + QStringLiteral("\r\n");
    lines.SetText(text);

    firstLineOfKey.clear();
    for (int i = 0; i < lines.Count(); ++i) {
        const QString& line = lines[i];
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString key = line.left(eq).toCaseFolded();
        if (!firstLineOfKey.contains(key))
            firstLineOfKey.insert(key, i);
    }
}

QString KX_LangManager::Get(const QString& key) const
{
    const auto found = firstLineOfKey.constFind(key.toCaseFolded());
    if (found == firstLineOfKey.constEnd())
        return key;
    const QString& line = lines[found.value()];
    QString value = line.mid(line.indexOf(u'=') + 1);
    value.replace(QStringLiteral("\\r\\n"), QStringLiteral("\r\n"));
    return value;
}

QString KX_LangManager::FormatStr(const QString& key, const QString& text) const
{
    return FormatText(Get(key), {text});
}

QString KX_LangManager::FormatInt(const QString& key, int value) const
{
    return FormatText(Get(key), {QString::number(value)});
}

QString KX_LangManager::FormatStr2(const QString& key, const QString& text1, const QString& text2) const
{
    return FormatText(Get(key), {text1, text2});
}

QString KX_LangManager::FormatInt2(const QString& key, int value1, int value2) const
{
    return FormatText(Get(key), {QString::number(value1), QString::number(value2)});
}

QString KX_LangManager::FormatStr3(const QString& key, const QString& text1, const QString& text2,
                                   const QString& text3) const
{
    return FormatText(Get(key), {text1, text2, text3});
}

QStringList KX_LangManager::MessageTable()
{
    return resourceLines(QStringLiteral(":/lang/messages_pl.txt"));
}

QStringList KX_LangManager::CaptionTable()
{
    return resourceLines(QStringLiteral(":/lang/captions_pl.txt"));
}

QString FormatText(const QString& format, const QStringList& args)
{
    QString result;
    result.reserve(format.size());
    qsizetype next = 0;
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = format[i];
        if (c != u'%' || i + 1 == n) {
            result += c;
            continue;
        }
        const QChar kind = format[i + 1];
        if (kind == u'%') {
            result += u'%';
            ++i;
        } else if (kind == u's' || kind == u'S' || kind == u'd' || kind == u'D') {
            if (next < args.size())
                result += args[next];
            ++next;
            ++i;
        } else {
            result += c;
        }
    }
    return result;
}
