// Times the start page at the scale the program must hold: a database of 100,000 persons with birth and death
// facts, and a full build of the page (newest persons, anniversaries of today and tomorrow, a statistic and the
// totals) from the program's template into a temporary folder, once for each of the four statistics.
#include "Bazadanych.h"
#include "Clock.h"
#include "Fact.h"
#include "Person.h"
#include "Settings.h"
#include "StartPage.h"
#include "Vh_langmanager.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int personCount = 100000;

void addFact(KV_Person* person, const char* type, int day, int month, int year, const QString& place)
{
    auto* fact = new KV_Fact;
    fact->Type = QLatin1String(type);
    fact->Place = place;
    fact->Date.FromStorageText(QStringLiteral("#1%1%2%3")
                                   .arg(day, 2, 10, QLatin1Char('0'))
                                   .arg(month, 2, 10, QLatin1Char('0'))
                                   .arg(year, 4, 10, QLatin1Char('0')));
    gDB.AddFactToPerson(person->ID, fact);
}

void makePersons()
{
    const QStringList surnames = {"Nowak",       "Kowalski",  "Wiśniewski", "Wójcik",  "Kowalczyk", "Kamiński",
                                  "Lewandowski", "Zieliński", "Szymański",  "Woźniak", "Dąbrowski", "Kozłowski"};
    const QStringList forenames = {"Jan", "Anna", "Piotr", "Maria", "Andrzej", "Katarzyna", "Józef", "Zofia"};
    const QStringList places = {"Kraków", "Poznań", "Łódź", "Gdańsk", "Wrocław", "Lublin", "Toruń", "Zamość"};
    const QDateTime firstCreated(QDate(2015, 1, 1), QTime(8, 0));
    for (int i = 0; i < personCount; ++i) {
        auto* person = new KV_Person;
        person->Forename = forenames[i % forenames.size()];
        person->Surname = surnames[(i / 7) % surnames.size()] + (i % 97 == 0 ? QString::number(i) : QString());
        person->Sex = i % 3 == 2 ? 2 : i % 2;
        person->DateCreate = firstCreated.addSecs(qint64(i) * 997).toString(QStringLiteral("yyyy-MM-dd hh:mm"));
        gDB.AddPerson(person);
        addFact(person, "BIRT", 1 + i % 28, 1 + (i / 28) % 12, 1800 + i % 200, places[i % places.size()]);
        if (i % 3 == 0) {
            person->Dead = 1;
            addFact(person, "DEAT", 1 + (i / 3) % 28, 1 + i % 12, 1900 + i % 100, places[(i / 5) % places.size()]);
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    gLangM.Load(KX_LangManager::MessageTable());
    gSettings.Apply();
    gProductName = QStringLiteral("Kronvel");
    gProductVersion = QStringLiteral("1.2.2.0");
    gAppFolder = QStringLiteral(KRONVEL_SOURCE_DIR "/resources/");
    QTemporaryDir folder;
    gTempFolder = folder.path() + QStringLiteral("/temp/");
    QDir().mkpath(gTempFolder);
    Clock::setFixedNow(QDateTime(QDate(2024, 3, 14), QTime(12, 0)));

    QElapsedTimer timer;
    timer.start();
    makePersons();
    std::printf("%-44s %8lld ms  (%d persons)\n", "database made", static_cast<long long>(timer.elapsed()),
                gDB.GetPersonCount());

    for (int kind = 1; kind <= 4; ++kind) {
        gDB.SetChanged(true);
        timer.restart();
        const QString page = BuildStartPage(false, kind);
        const qint64 ms = timer.elapsed();
        std::printf("start page, statistic %d%-22s %8lld ms  (%lld bytes)%s\n", kind, "", static_cast<long long>(ms),
                    static_cast<long long>(QFileInfo(page).size()), ms < 1000 ? "" : "  SLOWER THAN 1 s");
    }
    return 0;
}
