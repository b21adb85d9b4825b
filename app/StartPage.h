// The start page of the main window: the persons added last, the birth and death anniversaries of today and
// tomorrow, the statistic the user chose and the totals, filled into the program's HTML template and written
// into the temporary folder for the browser. Everything from the data or the language texts goes into the page
// HTML-escaped.
#pragma once

#include <QDate>
#include <QList>
#include <QString>

class KV_Person;
class KV_Statistics;

// One anniversary on the page.
struct RoczniceItem
{
    // 1 birth, 2 death.
    int Kind = 1;
    // 0 today, 1 tomorrow.
    int DaysAhead = 0;
    // The anniversary's year less the year of the date.
    int Years = 0;
    QString PersonID;
    QString DisplayName;
};

// "dzisiaj", "jutro", "za dwa dni", then "za n dni".
QString GetDaysAheadText(int days);

// The template folder as an encoded file URL ending with "/": the page reaches its style sheets, scripts and
// pictures through it.
QString TemplateFolderText();
QString StartPageFooter();
QString EditLink(const QString& id, const QString& name);
QString FamilyViewCell(const QString& rowClass, const QString& id);

// Every person of gDB, newest first by creation time (equal times in ID order), in a list of the page's own:
// the person list's lists and its sort order stay as they are.
QList<KV_Person*> PersonsNewestFirst();
// The rows of the six newest persons.
QString RecentPersonRows(const QList<KV_Person*>& newestFirst);
// The anniversaries of today and tomorrow of the persons' first birth and death facts, nearest first, then the
// older anniversary first; equal ones keep the persons' order.
QList<RoczniceItem> CollectAnniversaries(const QList<KV_Person*>& persons, const QDate& today);
QString AnniversaryRows(const QList<RoczniceItem>& items);
// The title of the statistic shown, with the menu of the three others.
QString StatisticMenu(int statisticKind);
// A table of the rows the statistics builder left; a full bar stands for largest. The top list's labels are data
// and go in escaped, and each bar's cell is closed; the totals' labels are markup made by the statistics, and
// the next cell closes each bar's cell.
QString StatisticsTable(const KV_Statistics& statistics, int largest, bool topList);

// The page made of the template's text. A welcome page fills only the footer and the template folder; a full
// page also reads gDB (whose statistics it gathers), gSettings and the clock.
QString StartPageText(const QString& templateText, bool welcome, int statisticKind);

// Writes the page into gTempFolder + "index.html" unless the page shown is still current: the welcome page
// when forced or when there is no person, else the full page when the data changed since the last full build
// (which clears gDB's changed flag). Returns the file written, or "" when nothing needed doing. A template that
// cannot be read or a page that cannot be written raises the toolkit's Exception, with nothing changed.
QString BuildStartPage(bool forced, int statisticKind);
