#include "AdvEdit.h"
#include "InputTestSupport.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString programIniFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + u'/' +
           QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QStringLiteral(".ini");
}

std::unique_ptr<TAdvEdit> persistentEdit(const char* name)
{
    auto edit = std::make_unique<TAdvEdit>();
    edit->setObjectName(QString::fromLatin1(name));
    edit->GetPersistence().SetEnable(true);
    return edit;
}

QVector<int> numbers(const TRangeList& list)
{
    QVector<int> result;
    for (int i = 0; i < list.Count(); ++i)
        result.append(list[i]);
    return result;
}

} // namespace

TEST(AdvEditPersistTest, theTextIsKeptInTheProgramsIniFileUnderTheEditsName)
{
    QFile::remove(programIniFile());
    {
        auto edit = persistentEdit("Nazwisko");
        edit->SetPrefix(QStringLiteral("$"));
        edit->SetText(QStringLiteral("Kowalski"));
    }
    QSettings stored(programIniFile(), QSettings::IniFormat);
    EXPECT_EQ(stored.value(QStringLiteral("Nazwisko/Nazwisko")).toString(), QStringLiteral("$Kowalski"));

    auto again = persistentEdit("Nazwisko");
    again->Loaded();
    EXPECT_EQ(again->text(), QStringLiteral("$Kowalski"));

    // "@" stands for no entry.
    stored.setValue(QStringLiteral("Nazwisko/Nazwisko"), QStringLiteral("@"));
    stored.sync();
    auto absent = persistentEdit("Nazwisko");
    absent->SetTextDirect(QStringLiteral("bez zmian"));
    absent->Loaded();
    EXPECT_EQ(absent->text(), QStringLiteral("bez zmian"));
    absent->GetPersistence().SetEnable(false);
}

TEST(AdvEditPersistTest, historyAndItsValuesAreStoredAndReadBack)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("historia.ini"));
    {
        auto edit = persistentEdit("Miejsce");
        edit->GetPersistence().SetKey(file);
        edit->GetPersistence().SetSection(QStringLiteral("Osoba"));
        TLookupSettings& lookup = edit->GetLookup();
        lookup.SetEnabled(true);
        lookup.SetHistory(true);
        for (const char* place : {"Kraków", "Łódź", "Gdańsk"})
            lookup.GetDisplayList().Add(QString::fromUtf8(place));
        for (const char* code : {"KR", "LD", "GD"})
            lookup.GetValueList().Add(QString::fromUtf8(code));
    }
    QSettings stored(file, QSettings::IniFormat);
    stored.beginGroup(QStringLiteral("Osoba"));
    EXPECT_EQ(stored.value(QStringLiteral("LOOKUPCOUNT")).toInt(), 3);
    EXPECT_EQ(stored.value(QStringLiteral("LOOKUPDISPL2")).toString(), QStringLiteral("Łódź"));
    EXPECT_EQ(stored.value(QStringLiteral("LOOKUPVAL3")).toString(), QStringLiteral("GD"));

    auto edit = persistentEdit("Miejsce");
    edit->GetPersistence().SetKey(file);
    edit->GetPersistence().SetSection(QStringLiteral("Osoba"));
    edit->GetLookup().SetEnabled(true);
    edit->GetLookup().SetHistory(true);
    edit->Loaded();
    EXPECT_EQ(edit->GetLookup().GetDisplayList().ToStringList(),
              (QStringList{QStringLiteral("Kraków"), QStringLiteral("Łódź"), QStringLiteral("Gdańsk")}));
    EXPECT_EQ(edit->GetLookup().GetValueList().Count(), 3);
    edit->GetPersistence().SetEnable(false);
}

TEST(AdvEditPersistTest, aStoredCountIsBoundedAndPasswordsAreNeverStored)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("haslo.ini"));
    {
        QSettings damaged(file, QSettings::IniFormat);
        damaged.setValue(QStringLiteral("Haslo/LOOKUPCOUNT"), 2000000000);
        damaged.setValue(QStringLiteral("Haslo/LOOKUPDISPL1"), QStringLiteral("a"));
        damaged.setValue(QStringLiteral("Haslo/Haslo"), QStringLiteral("stare"));
    }
    {
        auto edit = persistentEdit("Haslo");
        edit->GetPersistence().SetKey(file);
        edit->GetLookup().SetEnabled(true);
        edit->GetLookup().SetHistory(true);
        edit->SetEditType(etPassword);
        edit->Loaded();
        EXPECT_EQ(edit->GetLookup().GetDisplayList().Count(), 1);
        EXPECT_EQ(edit->text(), QString());
        edit->SetText(QStringLiteral("tajne"));
    }
    EXPECT_FALSE(QString::fromUtf8(readFileBytes(file)).contains(QStringLiteral("tajne")));
    EXPECT_FALSE(QString::fromUtf8(readFileBytes(file)).contains(QStringLiteral("stare")));
}

TEST(AdvEditPersistTest, aFileThatCannotBeWrittenLosesNothingElse)
{
    QTemporaryDir folder;
    const QString blocked = folder.filePath(QStringLiteral("zajete.ini"));
    QDir().mkpath(blocked);
    {
        auto edit = persistentEdit("Imie");
        edit->GetPersistence().SetKey(blocked);
        edit->SetText(QStringLiteral("Jan"));
    }
    EXPECT_TRUE(QFileInfo(blocked).isDir());
}

TEST(AdvEditPersistTest, rangeTextsBecomeListsAndBack)
{
    struct Case
    {
        const char* text;
        QVector<int> numbers;
        bool ok;
    };
    const Case cases[] = {
        {"1-3,7;9", {1, 2, 3, 7, 9}, true},
        {"5-2", {}, true},
        {"1,x,3", {1, 3}, false},
        {"3,3,1-3", {3, 1, 2}, true},
        {"1-", {}, false},
        // Far more numbers than any list of pages or persons: refused, nothing added.
        {"1-2000000000", {}, false},
        {"7,1-2000000000", {7}, false},
    };
    TRangeList list;
    for (const Case& c : cases) {
        EXPECT_EQ(list.StrToList(QString::fromLatin1(c.text)), c.ok) << c.text;
        EXPECT_EQ(numbers(list), c.numbers) << c.text;
    }
    EXPECT_TRUE(list.StrToList(QStringLiteral("1-100000")));
    EXPECT_EQ(list.Count(), TRangeList::MaxRangeSpan);

    list.Clear();
    for (int n : {9, 1, 2, 3, 7})
        list.Add(n);
    list.Add(2);
    EXPECT_EQ(list.Count(), 5);
    EXPECT_TRUE(list.InList(7));
    TAdvEdit edit;
    edit.SetEditType(etRange);
    edit.ListToRangeStr(list);
    EXPECT_EQ(edit.text(), QStringLiteral("1-3,7,9"));
    TRangeList back;
    EXPECT_TRUE(edit.RangeStrToList(back));
    EXPECT_EQ(numbers(back), (QVector<int>{1, 2, 3, 7, 9}));

    TRangeList empty;
    edit.ListToRangeStr(empty);
    EXPECT_EQ(edit.text(), QString());
}
