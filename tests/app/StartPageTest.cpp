#include "StartPage.h"
#include "Clock.h"
#include "FileError.h"
#include "FileSystem.h"
#include "Search.h"
#include "StartPageFixture.h"
#include "Statistics.h"
#include "TestSupport.h"
#include "Toolkit.h"

#include <QFileInfo>

namespace {

const QString familyPictureStart = QStringLiteral("<img src=\"data:image/jpg;base64,iVBORw0KGgo");

class StartPageTest : public StartPageFixture
{
protected:
    void TearDown() override
    {
        Clock::setFixedNow(QDateTime());
        StartPageFixture::TearDown();
    }

    static QString pictureOf(const QString& cell)
    {
        const qsizetype start = cell.indexOf(QStringLiteral("base64,")) + 7;
        return cell.mid(start, cell.indexOf(u'"', start) - start);
    }
};

TEST_F(StartPageTest, daysAheadTexts)
{
    EXPECT_EQ(GetDaysAheadText(0), "dzisiaj");
    EXPECT_EQ(GetDaysAheadText(1), "jutro");
    EXPECT_EQ(GetDaysAheadText(2), "za dwa dni");
    EXPECT_EQ(GetDaysAheadText(5), "za 5 dni");
}

TEST_F(StartPageTest, footerAndTemplateFolder)
{
    EXPECT_EQ(StartPageFooter(), "<p><a target=\"_blank\" href=\"https://www.varnhold.example/kronvel/\">Kronvel</a> "
                                 "v. 1.2.2.0</p>");
    gAppFolder = QStringLiteral("/opt/Kronvel 1/ą#/");
    EXPECT_EQ(TemplateFolderText(), "file:///opt/Kronvel%201/%C4%85%23/TEMPLATE/");
}

TEST_F(StartPageTest, recentRowsShowTheSixNewestWithEscapedNames)
{
    for (int i = 1; i <= 9; ++i)
        addPerson(QStringLiteral("Osoba%1").arg(i), QStringLiteral("Nowak"), 1,
                  QStringLiteral("2024-01-0%1 10:00").arg(i));
    KV_Person* newest = addPerson(QStringLiteral("<b>Jan</b>"), QStringLiteral("Kowalski & syn"), 1,
                                  QStringLiteral("2024-02-01 08:15"));

    const QString rows = RecentPersonRows(PersonsNewestFirst());
    const QString firstRow = QStringLiteral("<tr><td class =\"row_first\"><a href=\"person_edit_") + newest->ID +
                             QStringLiteral("\">&lt;b&gt;Jan&lt;/b&gt; Kowalski &amp; syn</a><BR><small>Data: "
                                            "2024-02-01 08:15</small><td  class =\"row_first\" width=\"30px\">"
                                            "<a href=\"person_form_") +
                             newest->ID + QStringLiteral("\">") + familyPictureStart;
    EXPECT_TRUE(rows.startsWith(firstRow)) << rows.left(400).toStdString();
    EXPECT_EQ(rows.count(QStringLiteral("<tr>")), 6);
    EXPECT_EQ(rows.count(QStringLiteral("row_first")), 2) << "the first row's two cells only";
    for (int i = 5; i <= 9; ++i)
        EXPECT_TRUE(rows.contains(QStringLiteral(">Osoba%1 Nowak<").arg(i))) << i;
    EXPECT_FALSE(rows.contains(QStringLiteral(">Osoba4 Nowak<")));
    EXPECT_FALSE(rows.contains(QStringLiteral("<b>")));
}

TEST_F(StartPageTest, anniversariesOfTodayAndTomorrowAcrossTheYearEnd)
{
    Clock::setFixedNow(QDateTime(QDate(2024, 12, 31), QTime(15, 45)));
    KV_Person* today = addPerson("Anna", "Nowak", 0, "2020-01-01 10:00", "31.12.1950");
    KV_Person* tomorrow = addPerson("Jan", "Nowak", 1, "2020-01-02 10:00", "01.01.1960");
    addPerson("Ewa", "Nowak", 0, "2020-01-03 10:00", "02.01.1970");
    KV_Person* diedToday = addPerson("Piotr", "Nowak", 1, "2020-01-04 10:00", "15.06.1930", "31.12.2000");
    KV_Person* deadBornToday = addPerson("Maria", "Nowak", 0, "2020-01-05 10:00", "31.12.1940", "10.03.1990");

    struct Expected
    {
        int kind;
        int daysAhead;
        int years;
        KV_Person* person;
    };
    const auto check = [](const QList<RoczniceItem>& items, const QList<Expected>& expected) {
        ASSERT_EQ(items.size(), expected.size());
        for (qsizetype i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i].Kind, expected[i].kind) << i;
            EXPECT_EQ(items[i].DaysAhead, expected[i].daysAhead) << i;
            EXPECT_EQ(items[i].Years, expected[i].years) << i;
            EXPECT_EQ(items[i].PersonID, expected[i].person->ID) << i;
            EXPECT_EQ(items[i].DisplayName, expected[i].person->GetDisplayName(DisplayNameMode::Plain, true, true))
                << i;
        }
    };
    check(CollectAnniversaries(PersonsNewestFirst(), Clock::today()),
          {{1, 0, 74, today}, {2, 0, 24, diedToday}, {1, 1, 65, tomorrow}});
    gSettings.BirthdayForAlive = false;
    check(CollectAnniversaries(PersonsNewestFirst(), Clock::today()),
          {{1, 0, 84, deadBornToday}, {1, 0, 74, today}, {2, 0, 24, diedToday}, {1, 1, 65, tomorrow}});

    const QString rows = AnniversaryRows(CollectAnniversaries(PersonsNewestFirst(), Clock::today()));
    const QString firstRowStart =
        QStringLiteral("<tr><td  class =\"anniversaries_row row_first\" style=\"text-align:right;width:30px\">"
                       "<img src=\"data:image/jpg;base64,");
    const QString firstRowRest = QStringLiteral("\"></td><td  class =\"anniversaries_row row_first\" "
                                                "style=\"text-align:right;width:90px\">dzisiaj</td>"
                                                "<td  class =\"anniversaries_row row_first\" "
                                                "style=\"text-align:right;width:100px\">84 rocznica urodzin</td>"
                                                "<td  class =\"anniversaries_row row_first\"><a href=\"person_edit_") +
                                 deadBornToday->ID + QStringLiteral("\">") +
                                 deadBornToday->GetDisplayName(DisplayNameMode::Plain, true, true) +
                                 QStringLiteral("</a></td>");
    EXPECT_TRUE(rows.startsWith(firstRowStart)) << rows.left(300).toStdString();
    EXPECT_TRUE(rows.contains(firstRowRest)) << rows.toStdString();
    EXPECT_TRUE(rows.contains(QStringLiteral(">jutro</td>")));
    EXPECT_TRUE(rows.contains(QStringLiteral(">24 rocznica śmierci</td>")));
    EXPECT_EQ(rows.count(QStringLiteral("row_first")), 5);
    EXPECT_EQ(rows.count(QStringLiteral("<tr>")), 4);
}

TEST_F(StartPageTest, leapDayBirthdayFallsOnTheLastDayOfFebruary)
{
    Clock::setFixedNow(QDateTime(QDate(2023, 2, 28), QTime(8, 0)));
    addPerson("Anna", "Nowak", 0, "2020-01-01 10:00", "29.02.2000");
    const QList<RoczniceItem> items = CollectAnniversaries(PersonsNewestFirst(), Clock::today());
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].DaysAhead, 0);
    EXPECT_EQ(items[0].Years, 23);
}

TEST_F(StartPageTest, statisticMenuOffersTheOtherThree)
{
    const QString menuStart = QStringLiteral(
        "<div class=\"dropdown\" style=\"text-align:center\"><a style=\"cursor: pointer;\" id=\"dropdownMenuButton\" "
        "data-toggle=\"dropdown\" aria-haspopup=\"true\" aria-expanded=\"false\">");
    const QString menu = StatisticMenu(1);
    EXPECT_TRUE(menu.startsWith(menuStart + QStringLiteral("Najczęściej występujące nazwiska <img src=\"")));
    EXPECT_TRUE(menu.endsWith(QStringLiteral(
        "\"></a><div class=\"dropdown-menu\" style=\"text-transform: none;\" aria-labelledby=\"dropdownMenuButton\">"
        "<a class=\"dropdown-item\" href=\"stat_firstname\">Najczęściej występujące imiona</a>"
        "<a class=\"dropdown-item\" href=\"stat_birth_place\">Najczęściej występujące miejsca urodzenia</a>"
        "<a class=\"dropdown-item\" href=\"stat_death_place\">Najczęściej występujące miejsca śmierci</a>"
        "</div></div>")))
        << menu.toStdString();

    const QString third = StatisticMenu(3);
    EXPECT_TRUE(third.startsWith(menuStart + QStringLiteral("Najczęściej występujące miejsca urodzenia <img")));
    const qsizetype firstName = third.indexOf(QStringLiteral("stat_firstname"));
    const qsizetype surname = third.indexOf(QStringLiteral("stat_surname"));
    const qsizetype deathPlace = third.indexOf(QStringLiteral("stat_death_place"));
    EXPECT_TRUE(firstName > 0 && firstName < surname && surname < deathPlace);
    EXPECT_FALSE(third.contains(QStringLiteral("stat_birth_place")));
}

TEST_F(StartPageTest, statisticsTablesWithBarsAndSeparators)
{
    KV_Statistics statistics;
    statistics.RowLabels = {"Kowalski", "", "<Nowak>", "", "Wiśniewski"};
    statistics.RowValues = {3, -1, 2, -1, 0};
    const QString separator = QStringLiteral("<tr class=\"stat_empty_row\"><td colspan=\"3\"><div "
                                             "class=\"stat_empty_row_value\"></div></td></tr>");
    const auto bar = [](int nr, int width) {
        return QStringLiteral(
                   "<div class=\"stat_bar\" nr=\"%1\" maxW=\"%2\" onMouseOver=\"this.style.backgroundColor = "
                   "getColor(1,%1);\" onMouseOut=\"this.style.backgroundColor = getColor(3,%1);\" "
                   "style=\"background-color:red;width:0%;height:30%\">&nbsp;</div>")
            .arg(nr)
            .arg(width);
    };
    const QString top =
        QStringLiteral("<table class=\"stat_table\"><tr class=\"stat_row\"><td class=\"stat_label stat_row\">Kowalski"
                       "</td><td class=\"stat_graph stat_row\">") +
        bar(0, 100) + QStringLiteral("</td><td class=\"stat_value stat_row\">3</td></tr>") + separator +
        QStringLiteral("<tr class=\"stat_row\"><td class=\"stat_label stat_row\">&lt;Nowak&gt;</td>"
                       "<td class=\"stat_graph stat_row\">") +
        bar(1, 66) + QStringLiteral("</td><td class=\"stat_value stat_row\">2</td></tr>") + separator +
        QStringLiteral("<tr class=\"stat_row\"><td class=\"stat_label stat_row\">Wiśniewski</td>"
                       "<td class=\"stat_graph stat_row\"></td><td class=\"stat_value stat_row\">0</td></tr>"
                       "</table>");
    EXPECT_EQ(StatisticsTable(statistics, 3, true), top);

    QString totals = top;
    totals.replace(QStringLiteral("&lt;Nowak&gt;"), QStringLiteral("<Nowak>"));
    totals.replace(QStringLiteral("</div></td><td class=\"stat_value"), QStringLiteral("</div><td class=\"stat_value"));
    totals.replace(QStringLiteral("stat_row\"></td><td class=\"stat_value"),
                   QStringLiteral("stat_row\"><td class=\"stat_value"));
    EXPECT_EQ(StatisticsTable(statistics, 3, false), totals);
    EXPECT_TRUE(StatisticsTable(statistics, 0, false).contains(QStringLiteral("maxW=\"0\"")));
}

TEST_F(StartPageTest, placeholdersAreFilledEverywhereInTheirOrder)
{
    Clock::setFixedNow(QDateTime(QDate(2024, 5, 17), QTime(9, 0)));
    addPerson("Anna", "Nowak", 0, "2024-01-01 10:00", "17.05.1980");
    addPerson("Jan", "<#FOOTER#>", 1, "2024-01-02 10:00");
    const QString templateText = QStringLiteral("<#FOOTER#>|<#PATH#>|<#LAST_ADD_PERSONS#>|<#ANNIVERSARIES_BIRTH#>|"
                                                "<#ANNIVERSARIES_DEATH_HIDE#>|<#ANNIVERSARIES_BIRTH_HIDE#>|"
                                                "<#STAT3_TITLE#>|<#LAST_ADD_PERSONS#>|<#UNKNOWN#>");
    EXPECT_EQ(StartPageText(templateText, false, 1),
              StartPageFooter() + u'|' + TemplateFolderText() +
                  QStringLiteral("|Ostatnio dodane osoby|Najbliższe rocznice|display:none||Statystyka ogólna|"
                                 "Ostatnio dodane osoby|<#UNKNOWN#>"));
    const QString page = StartPageText(QStringLiteral("<#LAST_PERSONS#>"), false, 1);
    EXPECT_TRUE(page.contains(QStringLiteral("&lt;#FOOTER#&gt;"))) << "a name is never taken for a placeholder";

    gDB.Clear();
    addPerson("Jan", "Nowak", 1, "2024-01-02 10:00", "01.01.1980");
    EXPECT_EQ(StartPageText(QStringLiteral("<#ANNIVERSARIES_BIRTH_HIDE#>|<#ANNIVERSARIES_BIRTH_LIST#>"), false, 1),
              "display:none|");
    EXPECT_EQ(StartPageText(QStringLiteral("<#FOOTER#><#PATH#><#LAST_PERSONS#><#STAT1_DATA#>"), true, 1),
              StartPageFooter() + TemplateFolderText() + QStringLiteral("<#LAST_PERSONS#><#STAT1_DATA#>"));
}

TEST_F(StartPageTest, programTemplatesLeaveNoPlaceholderBehind)
{
    Clock::setFixedNow(QDateTime(QDate(2024, 5, 17), QTime(9, 0)));
    addPerson("Anna", "Nowak", 0, "2024-01-01 10:00", "17.05.1980");
    for (const char* name : {"index.html", "index_empty.html"}) {
        const QByteArray bytes = readFileBytes(gAppFolder + "TEMPLATE/" + name);
        ASSERT_FALSE(bytes.isEmpty()) << name;
        const QString page = StartPageText(QString::fromUtf8(bytes), QLatin1String(name) == "index_empty.html", 2);
        EXPECT_FALSE(page.contains(QStringLiteral("<#"))) << name;
        EXPECT_TRUE(page.contains(TemplateFolderText() + QStringLiteral("include/start.css"))) << name;
    }
}

TEST_F(StartPageTest, buildsOnlyWhenThePageIsNoLongerCurrent)
{
    const QString output = gTempFolder + QStringLiteral("index.html");
    const auto written = [&] { return QString::fromUtf8(readFileBytes(output)); };

    gDB.SetChanged(false);
    EXPECT_EQ(BuildStartPage(false, 1), output);
    EXPECT_TRUE(written().contains(QStringLiteral("welcome"))) << "no person: the welcome page";
    EXPECT_FALSE(gDB.IsChanged()) << "a welcome build leaves the flag alone";

    addPerson("Anna", "Nowak", 0, "2024-01-01 10:00");
    gDB.SetChanged(true);
    EXPECT_EQ(BuildStartPage(false, 1), output);
    EXPECT_TRUE(written().contains(QStringLiteral("Anna Nowak")));
    EXPECT_FALSE(gDB.IsChanged());

    QFile::remove(output);
    EXPECT_EQ(BuildStartPage(false, 1), QString()) << "nothing changed";
    EXPECT_FALSE(QFileInfo::exists(output));

    EXPECT_EQ(BuildStartPage(true, 1), output);
    EXPECT_TRUE(written().contains(QStringLiteral("welcome"))) << "forced: the welcome page";
    EXPECT_FALSE(gDB.IsChanged());
}

TEST_F(StartPageTest, writtenPageIsUtf8WithMarkAndCrLfLines)
{
    addPerson("Żaneta", "Łęcka", 0, "2024-01-01 10:00");
    gAppFolder = folder.path() + QStringLiteral("/program/");
    QDir().mkpath(gAppFolder + "TEMPLATE");
    writeFileBytes(gAppFolder + "TEMPLATE/index.html", "\xEF\xBB\xBFline 1\nline 2\r\n<#LAST_PERSONS#>");
    // The page is written only after a change; a test before this one may have written it already.
    gDB.SetChanged(true);
    const QByteArray bytes = readFileBytes(BuildStartPage(false, 1));
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBFline 1\r\nline 2\r\n<tr>"));
    EXPECT_TRUE(bytes.endsWith("</tr>\r\n"));
    EXPECT_TRUE(QString::fromUtf8(bytes).contains(QStringLiteral("Żaneta Łęcka")));
}

TEST_F(StartPageTest, buildLeavesThePersonListsAndTheirOrderAlone)
{
    KV_Person* a = addPerson("Anna", "Nowak", 0, "2024-01-01 10:00");
    KV_Person* b = addPerson("Jan", "Kowalski", 1, "2024-01-02 10:00");
    gDB.WorkList = {b};
    gDB.ResultList = {a};
    gSortKey = 2;
    gSortAscending = true;
    gDB.SetChanged(true);
    ASSERT_FALSE(BuildStartPage(false, 1).isEmpty());
    EXPECT_EQ(gDB.WorkList, QList<KV_Person*>{b});
    EXPECT_EQ(gDB.ResultList, QList<KV_Person*>{a});
    EXPECT_EQ(gSortKey, 2);
    EXPECT_TRUE(gSortAscending);
}

TEST_F(StartPageTest, unreadableTemplateOrOutputRaisesAndChangesNothing)
{
    addPerson("Anna", "Nowak", 0, "2024-01-01 10:00");
    gDB.SetChanged(true);
    const QString programFolder = gAppFolder;
    gAppFolder = folder.path() + QStringLiteral("/missing/");
    EXPECT_THROW(BuildStartPage(false, 1), FileError);
    EXPECT_TRUE(gDB.IsChanged());
    EXPECT_FALSE(QFileInfo::exists(gTempFolder + "index.html"));

    gAppFolder = programFolder;
    QDir().mkpath(gTempFolder + "index.html");
    try {
        BuildStartPage(false, 1);
        ADD_FAILURE() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.operation(), FileError::Operation::Write);
        EXPECT_EQ(error.path(), gTempFolder + "index.html");
        EXPECT_EQ(error.reason(), gTempFolder + "index.html: Is a directory");
    }
    EXPECT_TRUE(gDB.IsChanged());
}

} // namespace
