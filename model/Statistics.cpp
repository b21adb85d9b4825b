#include "Statistics.h"

#include "Bazadanych.h"
#include "Fact.h"
#include "Settings.h"
#include "Vh_langmanager.h"

#include <QHash>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

QString subLabel(const char* key)
{
    return QStringLiteral("<span class=\"sublabel\">") + gLangM.Get(QLatin1String(key)) + QStringLiteral(":</span>");
}

QString placeOf(const KV_Person* person, const char* type)
{
    const KV_Fact* fact = person->FindFactByType(QLatin1String(type));
    return fact ? fact->Place : QString();
}

} // namespace

void KV_Statistics::Reset()
{
    CountAll = 0;
    CountMen = 0;
    CountWomen = 0;
    CountLiving = 0;
    CountDead = 0;
    Frequencies.clear();
}

void KV_Statistics::appendRow(const QString& label, int value)
{
    RowLabels.append(label);
    RowValues.append(value);
}

int KV_Statistics::BuildTopList(int n)
{
    RowLabels.clear();
    RowValues.clear();
    std::vector<std::pair<QString, int>> pairs(Frequencies.begin(), Frequencies.end());
    // The map holds the keys in text order already, so a stable sort by count keeps equal counts in that order.
    std::stable_sort(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    const int taken = std::clamp(n, 0, int(pairs.size()));
    for (int i = 0; i < taken; ++i) {
        if (i > 0)
            appendRow(QString(), -1);
        appendRow(pairs[i].first, pairs[i].second);
    }
    return taken > 0 ? pairs.front().second : 0;
}

int KV_Statistics::BuildSummaryRows()
{
    RowLabels.clear();
    RowValues.clear();
    appendRow(gLangM.Get(QStringLiteral("LABEL_WSZYSTKIE_OSOBY")), CountAll);
    appendRow(QString(), -1);
    appendRow(subLabel("LABEL_KOBIETY"), CountWomen);
    appendRow(subLabel("LABEL_MEZCZYZNI"), CountMen);
    appendRow(subLabel("LABEL_BEZ_OKRESLONEJ_PLCI"), CountAll - CountWomen - CountMen);
    appendRow(QString(), -1);
    appendRow(subLabel("LABEL_ZYJACE"), CountLiving);
    appendRow(subLabel("LABEL_ZMARLE"), CountDead);
    return CountAll;
}

void KV_DB::GatherStatistics(int kind)
{
    Statistics.Reset();
    // Persons are counted by their own name or place first: many share one, and its key is then made once.
    QHash<QString, int> counts;
    for (const auto& [id, person] : PersonMap) {
        ++Statistics.CountAll;
        if (person->IsMale())
            ++Statistics.CountMen;
        else if (person->IsFemale())
            ++Statistics.CountWomen;
        if (person->IsDead())
            ++Statistics.CountDead;
        else
            ++Statistics.CountLiving;

        QString value;
        switch (kind) {
        case 2:
            value = person->Forename;
            break;
        case 3:
            value = placeOf(person, "BIRT");
            break;
        case 4:
            if (person->IsDead())
                value = placeOf(person, "DEAT");
            break;
        default:
            value = person->Surname;
            break;
        }
        ++counts[value];
    }
    for (auto count = counts.cbegin(); count != counts.cend(); ++count) {
        const QString key = kind == 2 || kind == 3 || kind == 4 ? count.key() : GetSurnameStatisticsKey(count.key());
        // A person without the name or place asked for is not one of a group.
        if (!key.isEmpty())
            Statistics.Frequencies[key] += count.value();
    }
}

QString KV_DB::GetSurnameStatisticsKey(const QString& surname) const
{
    if (!gSettings.MergeSurnameForms || surname.size() <= 3)
        return surname;
    for (const char16_t* suffix :
         {u"ska", u"SKA", u"cka", u"CKA", u"dzka", u"DZKA", u"ski", u"SKI", u"cki", u"CKI", u"dzki", u"DZKI"}) {
        const QStringView ending(suffix);
        if (!surname.endsWith(ending))
            continue;
        // Both forms share one key: the male form, "/" and the female suffix (Kowalski/ska).
        const char16_t last = ending.back().unicode();
        QString male = surname;
        if (last == u'a' || last == u'A')
            male.back() = last == u'a' ? u'i' : u'I';
        QString femaleSuffix = ending.toString();
        if (last == u'i' || last == u'I')
            femaleSuffix.back() = last == u'i' ? u'a' : u'A';
        return male + u'/' + femaleSuffix;
    }
    return surname;
}
