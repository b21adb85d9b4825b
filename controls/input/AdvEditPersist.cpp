// The edit's text and lookup history kept between runs in an INI file, and the range list of the range edit.
#include "AdvEdit.h"

#include "IniFile.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>

namespace {

// History beyond this many entries is neither read nor written: a damaged file cannot make an edit load without end.
constexpr int maxLookupHistory = 1000;

const QString absentText = QStringLiteral("@");

QString numbered(const char* name, int i)
{
    return QLatin1String(name) + QString::number(i);
}

} // namespace

QString TAdvEdit::persistenceFile() const
{
    const QString key = persistence.GetKey();
    if (key.isEmpty())
        return PersistenceFile(
            QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QStringLiteral(".ini"), false);
    return PersistenceFile(key, persistence.GetLocation() == plRegistry);
}

QString TAdvEdit::persistenceSection() const
{
    return persistence.GetSection().isEmpty() ? objectName() : persistence.GetSection();
}

void TAdvEdit::LoadPersist()
{
    if (!persistence.GetEnable() || objectName().isEmpty())
        return;
    QSettings store(persistenceFile(), QSettings::IniFormat);
    store.beginGroup(persistenceSection());
    if (lookup.GetEnabled() && lookup.GetHistory()) {
        const int count = qBound(0, store.value(QStringLiteral("LOOKUPCOUNT"), 0).toInt(), maxLookupHistory);
        for (int i = 1; i <= count; ++i) {
            const QString value = store.value(numbered("LOOKUPVAL", i)).toString();
            if (!value.isEmpty())
                lookup.GetValueList().Add(value);
            const QString display = store.value(numbered("LOOKUPDISPL", i)).toString();
            if (!display.isEmpty())
                lookup.GetDisplayList().Add(display);
        }
    }
    if (editType == etPassword)
        return;
    const QString stored = store.value(objectName(), absentText).toString();
    if (stored != absentText)
        setText(stored);
}

void TAdvEdit::SavePersist()
{
    if (!persistence.GetEnable() || objectName().isEmpty())
        return;
    QSettings store(persistenceFile(), QSettings::IniFormat);
    store.beginGroup(persistenceSection());
    // A password never reaches a file.
    if (editType == etPassword)
        store.remove(objectName());
    else
        store.setValue(objectName(), text());
    if (lookup.GetEnabled() && lookup.GetHistory()) {
        const TStringList& display = lookup.GetDisplayList();
        const TStringList& values = lookup.GetValueList();
        const int count = qMin(display.Count(), maxLookupHistory);
        store.setValue(QStringLiteral("LOOKUPCOUNT"), count);
        for (int i = 1; i <= count; ++i) {
            store.setValue(numbered("LOOKUPDISPL", i), display[i - 1]);
            if (i - 1 < values.Count())
                store.setValue(numbered("LOOKUPVAL", i), values[i - 1]);
        }
    }
    store.endGroup();
    // A file that cannot be written loses only this edit's entries; nothing else is at stake when a window closes.
    store.sync();
}

void TAdvEdit::ListToRangeStr(TRangeList& list)
{
    list.Sort();
    QStringList runs;
    int i = 0;
    while (i < list.Count()) {
        int j = i;
        while (j + 1 < list.Count() && qint64(list[j + 1]) == qint64(list[j]) + 1)
            ++j;
        runs.append(i == j ? QString::number(list[i]) : QString::number(list[i]) + u'-' + QString::number(list[j]));
        i = j + 1;
    }
    setText(runs.join(u','));
}

void TRangeList::Clear()
{
    items.clear();
    members.clear();
}

void TRangeList::Sort()
{
    std::sort(items.begin(), items.end());
}

void TRangeList::SetInteger(int index, int value)
{
    members.remove(items.at(index));
    items[index] = value;
    members.insert(value);
}

void TRangeList::Delete(int index)
{
    members.remove(items.at(index));
    items.removeAt(index);
}

int TRangeList::Add(int n)
{
    if (members.contains(n))
        return int(items.indexOf(n)) + 1;
    items.append(n);
    members.insert(n);
    return int(items.size()) - 1;
}

int TRangeList::AddMultiple(int first, int count)
{
    int result = count;
    for (int i = 0; i < count; ++i)
        result = Add(first + i);
    return result;
}

void TRangeList::Show() const
{
    for (const int n : items)
        qDebug().noquote() << n;
}

bool TRangeList::StrToList(const QString& text)
{
    Clear();
    bool result = true;
    QString rest = text;
    while (!rest.isEmpty()) {
        const qsizetype comma = rest.indexOf(u',');
        const qsizetype semicolon = rest.indexOf(u';');
        const qsizetype separator = comma < 0 ? semicolon : (semicolon < 0 ? comma : qMin(comma, semicolon));
        const QString part = separator < 0 ? rest : rest.left(separator);
        rest = separator < 0 ? QString() : rest.mid(separator + 1);
        const qsizetype dash = part.indexOf(u'-');
        if (dash < 0) {
            bool ok = false;
            const int n = part.toInt(&ok);
            if (ok)
                Add(n);
            else
                result = false;
            continue;
        }
        bool firstOk = false;
        bool lastOk = false;
        const int first = part.left(dash).toInt(&firstOk);
        const int last = part.mid(dash + 1).toInt(&lastOk);
        if (!firstOk || !lastOk || qint64(last) - first + 1 > MaxRangeSpan) {
            result = false;
            continue;
        }
        for (qint64 n = first; n <= last; ++n)
            Add(int(n));
    }
    return result;
}
