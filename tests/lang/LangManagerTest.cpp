#include "Vh_langmanager.h"

#include <gtest/gtest.h>

namespace {

KX_LangManager loadedManager()
{
    KX_LangManager m;
    m.Load(KX_LangManager::MessageTable());
    m.Load(KX_LangManager::CaptionTable());
    return m;
}

} // namespace

TEST(LangManagerTest, getFindsFirstKeyIgnoringCaseOrReturnsTheKey)
{
    const KX_LangManager m = loadedManager();
    struct Case
    {
        const char* key;
        const char* text;
    };
    const Case cases[] = {
        {"LABEL_UWAGA", "Uwaga"},
        {"label_uwaga", "Uwaga"},
        {"Uwaga", "Uwaga"},
        {"LABEL__(P._ZE_STRONY_OJCA)", " (p. ze strony ojca)"},
        {"LABEL_FAMILY", "Związek"},
        {"LABEL_%S", "%s"},
        // One blank more than the table key: no entry, the key comes back unchanged.
        {"LABEL_NIE_MOZNA_WYBRAC_OSOBY_DLA_KTOREJ_TWORZY_SIE_RELACJE. WYBIERZ_INNA_OSOBE.",
         "LABEL_NIE_MOZNA_WYBRAC_OSOBY_DLA_KTOREJ_TWORZY_SIE_RELACJE. WYBIERZ_INNA_OSOBE."},
        {"ERROR_DELETING_PICTURE_MISSING_PICTURE",
         "Wystąpił błąd podczas usuwania zdjęcia. Brak takiego zdjęcia w bazie danych."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(m.Get(QString::fromUtf8(c.key)), QString::fromUtf8(c.text)) << c.key;
}

TEST(LangManagerTest, storedLineBreaksBecomeRealOnes)
{
    const KX_LangManager m = loadedManager();
    EXPECT_EQ(m.Get("LABEL_NOWA_WERSJA"),
              QString::fromUtf8("Dostępna jest nowa wersja programu.\r\n\r\nCzy chcesz pobrać nową wersję programu? "));
    // A key without an entry keeps its escapes: it is shown as it was asked for.
    EXPECT_EQ(m.Get("NO_SUCH\\r\\nKEY"), "NO_SUCH\\r\\nKEY");
}

TEST(LangManagerTest, lookupBeforeLoadingReturnsTheKey)
{
    const KX_LangManager m;
    EXPECT_EQ(m.Get("LABEL_UWAGA"), "LABEL_UWAGA");
}

TEST(LangManagerTest, earlierLineWinsAndLoadsAppendAfterAnEmptyLine)
{
    KX_LangManager m;
    m.Load({"A=first", "B=x=y", "no equals sign"});
    m.Load({"a=second", "C=third\r\nD=fourth"});
    EXPECT_EQ(m.Get("A"), "first");
    EXPECT_EQ(m.Get("B"), "x=y");
    EXPECT_EQ(m.Get("C"), "third");
    EXPECT_EQ(m.Get("D"), "fourth");
    EXPECT_EQ(m.Get("no equals sign"), "no equals sign");
    EXPECT_EQ(m.Get(""), "");
}

TEST(LangManagerTest, formatVariantsFillArgumentsInOrder)
{
    const KX_LangManager m = loadedManager();
    EXPECT_EQ(m.FormatInt2("LABEL_WCZYTYWANIE_DANYCH_FAKTY", 2, 3), "Wczytywanie danych {fakty} 2 z 3");
    EXPECT_EQ(m.FormatStr("LABEL_%S", "abc"), "abc");
    EXPECT_EQ(m.FormatStr2("LABEL_LISTA_OSOB:_%S_Z_%S", "5", "12"), QString::fromUtf8("Liczba osób: 5 z 12"));
    EXPECT_EQ(m.FormatStr3("LABEL_CZY_CHCESZ_USUNAC_RELACJE,_ZE_[%S]_JEST_%S_[%S]?", "Jan", "synem", "Adam"),
              QString::fromUtf8("Czy chcesz usunąć relację, że [Jan] jest synem [Adam]?"));
    EXPECT_EQ(m.FormatInt("LABEL_BRAK_DANYCH_OSOBY_O_ID:_%D", -7), "Brak danych osoby o ID: -7");
}

TEST(FormatTextTest, placeholdersNeverMisbehave)
{
    struct Case
    {
        const char* format;
        QStringList args;
        const char* result;
    };
    const Case cases[] = {
        {"no conversions", {"x"}, "no conversions"},
        {"%s and %d", {"a", "b"}, "a and b"},
        {"%S/%D", {"a", "7"}, "a/7"},
        {"%d%%", {"50"}, "50%"},
        {"[%s] [%s]", {"only"}, "[only] []"},
        {"%s", {"a", "extra"}, "a"},
        {"%x %n %5s %", {"a"}, "%x %n %5s %"},
        {"%s", {"%s %d"}, "%s %d"},
        {"", {}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatText(c.format, c.args), c.result) << c.format;
}
