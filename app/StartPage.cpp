#include "StartPage.h"

#include "Bazadanych.h"
#include "Clock.h"
#include "Fact.h"
#include "HtmlEscape.h"
#include "OrderedWork.h"
#include "PageFile.h"
#include "Person.h"
#include "Settings.h"
#include "Statistics.h"
#include "Toolkit.h"
#include "Unitdata.h"
#include "Vh_langmanager.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The page's pictures, PNG files as base64 text.
const char familyViewPicture[] = // 21 x 18, a small family tree
    "iVBORw0KGgoAAAANSUhEUgAAABUAAAASCAYAAAC0EpUuAAAAU0lEQVR42mNgwAOioqL+48IM5AKQ5v/PpmHgEWQo1cMUGVRUVFDHIIoNBWmiF"
    "JPsErLkqWoooZglSx5EbL/9H46xaSIk///IETgeNfQ/bSJqyAAA/KCHz3W/4AEAAAAASUVORK5CYII=";
const char birthPicture[] = // 24 x 24, a birthday cake with one candle
    "iVBORw0KGgoAAAANSUhEUgAAABgAAAAYCAYAAADgdz34AAAAeklEQVR42mNgIAH8n8bwn4FWAGT4/2c2/2lmCc0toHkQgS0AApoZfkfDBmT+f"
    "xA9agHtLKhw0/iPC4MMhmF86kAYp+HUAlgtgVswbR+qajL4uC0AKaYCxmnBvqYAquCBs4D2kTwaBwNuATUx3OBVq1b9pyWmqSUM9AAApsll1AxR8X"
    "sAAAAASUVORK5CYII=";
const char deathPicture[] = // 18 x 26, a gravestone with a cross
    "iVBORw0KGgoAAAANSUhEUgAAABIAAAAaCAYAAAC6nQw6AAAAZklEQVR42u3TwQkAIAhAUQdzCM/N1C6OWBAECVpGEgQJ/9hDhACMIaKiBd4ZHzGzy"
    "A1agAWayArQQDeCiK0jqCN3odVtZpDANGjcROs+5L2RwD50Bm39tw+9CkUEKWOJqG0VgkRNBYMpGVL4pHd2AAAAAElFTkSuQmCC";
const char menuPicture[] = // 15 x 15, a downward triangle
    "iVBORw0KGgoAAAANSUhEUgAAAA8AAAAPCAYAAAA71pVKAAAAJklEQVR42mNgGKHAzc3tP6mYbAPIdgHZXiA7DMgORLJjgWEUoAAAJVBZArkEQq"
    "AAAAAASUVORK5CYII=";

// The media type says jpg, as the page has always said, although the data is PNG.
QString imageSource(const char* base64)
{
    return QStringLiteral("<img src=\"data:image/jpg;base64,") + QLatin1String(base64) + u'"';
}

QString text(const char* key)
{
    return htmlEscape(gLangM.Get(QLatin1String(key)));
}

QString personName(const KV_Person* person)
{
    return person->GetDisplayName(DisplayNameMode::Plain, true, true);
}

struct StatisticChoice
{
    int kind;
    const char* link;
    const char* key;
};

// In the order the menu offers them.
const StatisticChoice statisticChoices[] = {
    {2, "stat_firstname", "LABEL_NAJCZESCIEJ_WYSTEPUJACE_IMIONA"},
    {1, "stat_surname", "LABEL_NAJCZESCIEJ_WYSTEPUJACE_NAZWISKA"},
    {3, "stat_birth_place", "LABEL_NAJCZESCIEJ_WYSTEPUJACE_MIEJSCA_URODZENIA"},
    {4, "stat_death_place", "LABEL_NAJCZESCIEJ_WYSTEPUJACE_MIEJSCA_SMIERCI"},
};

QString statisticBar(int nr, int width)
{
    const QString n = QString::number(nr);
    return QStringLiteral("<div class=\"stat_bar\" nr=\"") + n + QStringLiteral("\" maxW=\"") + QString::number(width) +
           QStringLiteral("\" onMouseOver=\"this.style.backgroundColor = getColor(1,") + n +
           QStringLiteral(");\" onMouseOut=\"this.style.backgroundColor = getColor(3,") + n +
           QStringLiteral(");\" style=\"background-color:red;width:0%;height:30%\">&nbsp;</div>");
}

// An anniversary found, before the person's name is made.
struct AnniversaryFound
{
    const KV_Person* person;
    int kind;
    int daysAhead;
    int years;
};

void findAnniversary(const KV_Person* person, const KV_Fact* fact, int kind, double today,
                     std::vector<AnniversaryFound>& found)
{
    if (!fact || !fact->Date.HasFullDate())
        return;
    double day = 0;
    int years = 0;
    if (fact->Date.FindAnniversary(today - 1, today + 1, day, years))
        found.push_back({person, kind, int(day - today), years});
}

// The anniversaries of the person's first birth fact (when asked for) and first death fact. Both are found in one
// walk over the person's facts, each of which costs a look-up.
void findAnniversaries(const KV_Person* person, bool withBirth, double today, std::vector<AnniversaryFound>& found)
{
    const KV_Fact* birth = nullptr;
    const KV_Fact* death = nullptr;
    for (const QString& id : person->Facts) {
        const KV_Fact* fact = person->LookupFact(id);
        if (!fact)
            continue;
        if (withBirth && !birth && fact->Type == QLatin1String("BIRT"))
            birth = fact;
        else if (!death && fact->Type == QLatin1String("DEAT"))
            death = fact;
        if ((birth || !withBirth) && death)
            break;
    }
    findAnniversary(person, birth, 1, today, found);
    findAnniversary(person, death, 2, today, found);
}

// Calls work(chunk, first, end) for the consecutive ranges [first, end) of perChunk items that make up [0, count),
// on worker threads, and take(chunk) on this thread for each chunk in turn once its work is done.
template <typename Work, typename Take>
void inChunks(qsizetype count, qsizetype perChunk, const Work& work, const Take& take)
{
    const int chunks = int((count + perChunk - 1) / perChunk);
    OrderedWork::run(
        chunks, chunks,
        [&](int chunk) {
            const qsizetype first = chunk * perChunk;
            work(chunk, first, std::min(count, first + perChunk));
        },
        take);
}

} // namespace

QString GetDaysAheadText(int days)
{
    switch (days) {
    case 0:
        return gLangM.Get(QStringLiteral("LABEL_DZISIAJ"));
    case 1:
        return gLangM.Get(QStringLiteral("LABEL_JUTRO"));
    case 2:
        return gLangM.Get(QStringLiteral("LABEL_ZA_DWA_DNI"));
    default:
        return gLangM.FormatStr(QStringLiteral("LABEL_ZA_%S_DNI"), QString::number(days));
    }
}

QString TemplateFolderText()
{
    return fileUrlText(gAppFolder + QStringLiteral("TEMPLATE/"));
}

QString StartPageFooter()
{
    return QStringLiteral("<p><a target=\"_blank\" href=\"") + htmlEscape(gWebAddress) + QStringLiteral("\">") +
           htmlEscape(gProductName) + QStringLiteral("</a> v. ") + htmlEscape(gProductVersion) + QStringLiteral("</p>");
}

QString EditLink(const QString& id, const QString& name)
{
    return QStringLiteral("<a href=\"person_edit_") + htmlEscape(id) + QStringLiteral("\">") + htmlEscape(name) +
           QStringLiteral("</a>");
}

QString FamilyViewCell(const QString& rowClass, const QString& id)
{
    return QStringLiteral("<td ") + rowClass + QStringLiteral(" width=\"30px\"><a href=\"person_form_") +
           htmlEscape(id) + QStringLiteral("\">") + imageSource(familyViewPicture) + QStringLiteral("></a></td>");
}

QList<KV_Person*> PersonsNewestFirst()
{
    struct Entry
    {
        double created;
        KV_Person* person;
    };
    std::vector<Entry> entries;
    entries.reserve(gDB.PersonMap.size());
    for (const auto& [id, person] : gDB.PersonMap)
        entries.push_back({0, person});
    // Reading every person's creation time waits on memory more than it computes: it is spread over threads.
    inChunks(
        qsizetype(entries.size()), 8192,
        [&entries](int, qsizetype first, qsizetype end) {
            for (qsizetype i = first; i < end; ++i)
                entries[size_t(i)].created = ParseCreationTime(entries[size_t(i)].person->DateCreate);
        },
        [](int) {});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.created > b.created; });
    QList<KV_Person*> persons;
    persons.reserve(qsizetype(entries.size()));
    for (const Entry& entry : entries)
        persons.append(entry.person);
    return persons;
}

QString RecentPersonRows(const QList<KV_Person*>& newestFirst)
{
    QString rows;
    const qsizetype count = std::min<qsizetype>(newestFirst.size(), 6);
    for (qsizetype k = 0; k < count; ++k) {
        const KV_Person* person = newestFirst[k];
        const QString rowClass = k == 0 ? QStringLiteral(" class =\"row_first\"") : QString();
        rows += QStringLiteral("<tr><td") + rowClass + u'>' + EditLink(person->ID, personName(person)) +
                QStringLiteral("<BR><small>") + text("LABEL_DATA") + QStringLiteral(": ") +
                htmlEscape(person->DateCreate) + QStringLiteral("</small>") + FamilyViewCell(rowClass, person->ID) +
                QStringLiteral("</tr>");
    }
    return rows;
}

QList<RoczniceItem> CollectAnniversaries(const QList<KV_Person*>& persons, const QDate& today)
{
    const double day = ToCalendarValue(today);
    const bool livingOnlyBirthdays = gSettings.BirthdayForAlive;
    // Every person's facts are looked up, the page's costliest step on a large database: the persons are searched
    // on worker threads, and the few found are named here, in the persons' order.
    constexpr qsizetype personsPerChunk = 4096;
    std::vector<std::vector<AnniversaryFound>> found(size_t((persons.size() + personsPerChunk - 1) / personsPerChunk));
    QList<RoczniceItem> items;
    inChunks(
        persons.size(), personsPerChunk,
        [&](int chunk, qsizetype first, qsizetype end) {
            for (qsizetype i = first; i < end; ++i) {
                if (const KV_Person* person = persons[i])
                    findAnniversaries(person, !person->IsDead() || !livingOnlyBirthdays, day, found[size_t(chunk)]);
            }
        },
        [&](int chunk) {
            for (const AnniversaryFound& anniversary : found[size_t(chunk)])
                items.append({anniversary.kind, anniversary.daysAhead, anniversary.years, anniversary.person->ID,
                              personName(anniversary.person)});
        });
    std::stable_sort(items.begin(), items.end(), [](const RoczniceItem& a, const RoczniceItem& b) {
        return a.DaysAhead < b.DaysAhead || (a.DaysAhead == b.DaysAhead && a.Years > b.Years);
    });
    return items;
}

QString AnniversaryRows(const QList<RoczniceItem>& items)
{
    QString rows;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const RoczniceItem& item = items[i];
        const QString rowClass = i == 0 ? QStringLiteral(" class =\"anniversaries_row row_first\"")
                                        : QStringLiteral(" class =\"anniversaries_row\"");
        rows += QStringLiteral("<tr><td ") + rowClass + QStringLiteral(" style=\"text-align:right;width:30px\">") +
                imageSource(item.Kind == 1 ? birthPicture : deathPicture) + QStringLiteral("></td><td ") + rowClass +
                QStringLiteral(" style=\"text-align:right;width:90px\">") +
                htmlEscape(GetDaysAheadText(item.DaysAhead)) + QStringLiteral("</td><td ") + rowClass +
                QStringLiteral(" style=\"text-align:right;width:100px\">") + QString::number(item.Years) + u' ' +
                text(item.Kind == 1 ? "LABEL_ROCZNICA_URODZIN" : "LABEL_ROCZNICA_SMIERCI") +
                QStringLiteral("</td><td ") + rowClass + u'>' + EditLink(item.PersonID, item.DisplayName) +
                QStringLiteral("</td>") + FamilyViewCell(rowClass, item.PersonID) + QStringLiteral("</tr>");
    }
    return rows;
}

QString StatisticMenu(int statisticKind)
{
    QString title;
    QString items;
    for (const StatisticChoice& choice : statisticChoices) {
        if (choice.kind == statisticKind)
            title = text(choice.key);
        else
            items += QStringLiteral("<a class=\"dropdown-item\" href=\"") + QLatin1String(choice.link) +
                     QStringLiteral("\">") + text(choice.key) + QStringLiteral("</a>");
    }
    return QStringLiteral("<div class=\"dropdown\" style=\"text-align:center\">"
                          "<a style=\"cursor: pointer;\" id=\"dropdownMenuButton\" data-toggle=\"dropdown\" "
                          "aria-haspopup=\"true\" aria-expanded=\"false\">") +
           title + u' ' + imageSource(menuPicture) +
           QStringLiteral("></a><div class=\"dropdown-menu\" style=\"text-transform: none;\" "
                          "aria-labelledby=\"dropdownMenuButton\">") +
           items + QStringLiteral("</div></div>");
}

QString StatisticsTable(const KV_Statistics& statistics, int largest, bool topList)
{
    QString table = QStringLiteral("<table class=\"stat_table\">");
    int nr = 0;
    for (qsizetype i = 0; i < statistics.RowValues.size(); ++i) {
        const int value = statistics.RowValues[i];
        if (value == -1) {
            table += QStringLiteral("<tr class=\"stat_empty_row\"><td colspan=\"3\">"
                                    "<div class=\"stat_empty_row_value\"></div></td></tr>");
            continue;
        }
        // The top list's labels are surnames, forenames and places; the totals' labels are the statistics'
        // own markup around translated words.
        const QString label = statistics.RowLabels.value(i);
        table += QStringLiteral("<tr class=\"stat_row\"><td class=\"stat_label stat_row\">") +
                 (topList ? htmlEscape(label) : label) + QStringLiteral("</td><td class=\"stat_graph stat_row\">");
        if (value != 0)
            table += statisticBar(nr, largest == 0 ? 0 : int(std::trunc(double(value) / largest * 100)));
        if (topList)
            table += QStringLiteral("</td>");
        table += QStringLiteral("<td class=\"stat_value stat_row\">") + QString::number(value) +
                 QStringLiteral("</td></tr>");
        ++nr;
    }
    return table + QStringLiteral("</table>");
}

QString StartPageText(const QString& templateText, bool welcome, int statisticKind)
{
    QString page = templateText;
    page.replace(QStringLiteral("<#FOOTER#>"), StartPageFooter());
    page.replace(QStringLiteral("<#PATH#>"), TemplateFolderText());
    if (welcome)
        return page;

    const QList<KV_Person*> persons = PersonsNewestFirst();
    const QList<RoczniceItem> anniversaries = CollectAnniversaries(persons, Clock::today());
    page.replace(QStringLiteral("<#LAST_PERSONS#>"), RecentPersonRows(persons));
    page.replace(QStringLiteral("<#LAST_ADD_PERSONS#>"), text("LABEL_OSTATNIO_DODANE_OSOBY"));
    gDB.GatherStatistics(statisticKind);
    page.replace(QStringLiteral("<#STAT2_TITLE#>"), StatisticMenu(statisticKind));
    page.replace(QStringLiteral("<#ANNIVERSARIES_BIRTH#>"), text("LABEL_NAJBLIZSZE_ROCZNICE"));
    page.replace(QStringLiteral("<#ANNIVERSARIES_BIRTH_LIST#>"), AnniversaryRows(anniversaries));
    page.replace(QStringLiteral("<#ANNIVERSARIES_DEATH_HIDE#>"), QStringLiteral("display:none"));
    page.replace(QStringLiteral("<#ANNIVERSARIES_BIRTH_HIDE#>"),
                 anniversaries.isEmpty() ? QStringLiteral("display:none") : QString());
    const int largestCount = gDB.Statistics.BuildTopList(6);
    page.replace(QStringLiteral("<#STAT1_DATA#>"), StatisticsTable(gDB.Statistics, largestCount, true));
    const int all = gDB.Statistics.BuildSummaryRows();
    page.replace(QStringLiteral("<#STAT3_TITLE#>"), text("LABEL_STATYSTYKA_OGOLNA"));
    page.replace(QStringLiteral("<#STAT3_DATA#>"), StatisticsTable(gDB.Statistics, all, false));
    return page;
}

QString BuildStartPage(bool forced, int statisticKind)
{
    const bool welcome = forced || gDB.GetPersonCount() == 0;
    if (!welcome && !gDB.IsChanged())
        return QString();
    const QString templatePath =
        gAppFolder + (welcome ? QStringLiteral("TEMPLATE/index_empty.html") : QStringLiteral("TEMPLATE/index.html"));
    const QString output = gTempFolder + QStringLiteral("index.html");
    writePageFile(output, StartPageText(readPageTemplate(templatePath), welcome, statisticKind));
    if (!welcome)
        gDB.SetChanged(false);
    return output;
}
