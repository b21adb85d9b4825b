// Times the database core at the scale the program must hold: 100,000 persons with 300,000 facts built through
// the linked adds, their fact order rebuilt, their display names and date texts made, and everything freed.
#include "Bazadanych.h"
#include "Fact.h"
#include "Settings.h"
#include "Unitdata.h"

#include "BenchSupport.h"
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <vector>

namespace {

constexpr int personCount = 100000;

QString typedDate(int i)
{
    const QString day = QString::number(1 + i % 28);
    const QString month = QString::number(1 + i % 12);
    const QString year = QString::number(1800 + i % 200);
    switch (i % 5) {
    case 0:
        return day + u'-' + month + u'-' + year;
    case 1:
        return QStringLiteral("około ") + year;
    case 2:
        return month + u' ' + year;
    case 3:
        return QStringLiteral("przed ") + year;
    default:
        return QStringLiteral("od ") + year + QStringLiteral(" do ") + QString::number(1805 + i % 200);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    gSettings.Apply();
    QElapsedTimer timer;
    timer.start();

    std::vector<QString> texts;
    texts.reserve(3 * personCount);
    for (int i = 0; i < 3 * personCount; ++i)
        texts.push_back(typedDate(i));
    std::vector<RMData> dates(texts.size());
    timer.restart();
    for (size_t i = 0; i < texts.size(); ++i)
        dates[i].FromText(texts[i]);
    report("RMData::FromText", timer, int(texts.size()));

    std::vector<KV_Person*> persons;
    persons.reserve(personCount);
    for (int i = 0; i < personCount; ++i) {
        auto* person = new KV_Person;
        person->Forename = QStringLiteral("Jan");
        person->Surname = QStringLiteral("Nowak %1").arg(i % 5000);
        person->Sex = i % 3;
        person->Dead = i % 2;
        gDB.AddPerson(person);
        persons.push_back(person);
    }
    report("KV_DB::AddPerson", timer, personCount);

    const char* const types[] = {"BIRT", "DEAT", "EDUC"};
    for (int i = 0; i < 3 * personCount; ++i) {
        auto* fact = new KV_Fact;
        fact->Type = QString::fromLatin1(types[i % 3]);
        fact->Date = dates[i];
        fact->Place = QStringLiteral("Kraków");
        const int owner = i / 3;
        fact->PersonIDF = persons[owner]->ID;
        // Every tenth person's third fact is a marriage with the next person.
        if (i % 30 == 29 && owner + 1 < personCount) {
            fact->Type = QStringLiteral("MARR");
            fact->PersonIDS = persons[owner + 1]->ID;
        }
        gDB.AddFact(fact);
    }
    report("KV_DB::AddFact (ordered into persons)", timer, 3 * personCount);

    for (KV_Person* person : persons)
        person->SortFacts();
    report("KV_Person::SortFacts", timer, personCount);

    qsizetype length = 0;
    for (KV_Person* person : persons)
        length += person->GetDisplayName(DisplayNameMode::Plain, true, true).size();
    report("KV_Person::GetDisplayName with birth, death", timer, personCount);

    for (const RMData& date : dates)
        length += date.ToDisplayText(false, true).size() + date.ToStorageText().size();
    report("RMData display and stored texts", timer, int(dates.size()));

    int walked = 0;
    for (gDB.FirstPerson(false); !gDB.IsPersonCursorAtEnd(); gDB.NextPerson())
        walked += gDB.FindPerson(gDB.GetCursorPerson()->ID) != nullptr;
    report("person walk with a lookup each", timer, walked);

    gDB.Clear();
    report("KV_DB::Clear", timer, personCount);
    std::printf("(text length %lld)\n", static_cast<long long>(length));
    return 0;
}
