// The language manager: every user-visible text is looked up here by key. The tables are built into the
// program (resources/lang) and loaded by the main window: messages first, then window captions.
#pragma once

#include "Toolkit.h"

#include <QHash>
#include <QString>
#include <QStringList>

class KX_LangManager
{
public:
    // Appends lines after one empty line; on a key present twice, the earlier line wins.
    void Load(const QStringList& lines);
    // The key's text with each stored "\r\n" turned into a line break, or the key itself when it has no entry.
    QString Get(const QString& key) const;

    QString FormatStr(const QString& key, const QString& text) const;
    QString FormatInt(const QString& key, int value) const;
    QString FormatStr2(const QString& key, const QString& text1, const QString& text2) const;
    QString FormatInt2(const QString& key, int value1, int value2) const;
    QString FormatStr3(const QString& key, const QString& text1, const QString& text2, const QString& text3) const;

    // The built-in tables, as lines ready for Load.
    static QStringList MessageTable();
    static QStringList CaptionTable();

private:
    TStringList lines;
    // Case-folded key -> index of the first line with that key, so a lookup need not scan the table.
    QHash<QString, int> firstLineOfKey;
};

// Fills the placeholders of format with args in order: "%s" and "%d" (also "%S" and "%D") each take the next
// argument as its plain text, a missing argument gives "", "%%" gives "%", and any other "%x" is copied as it
// stands. Table texts are never handed to a C formatting function.
QString FormatText(const QString& format, const QStringList& args);

extern KX_LangManager gLangM;
