// Times the person details report on all persons of a generated database of 10,000 persons in families of four
// (a couple with a marriage and two children; birth, death and burial facts; two attributes each), 1,000 of them
// with a photograph of a camera's size, and prints the time and the page count.
#include "AdvCombo.h"
#include "Bazadanych.h"
#include "BenchSupport.h"
#include "Fact.h"
#include "Miniaturyunit.h"
#include "Pdfmanager.h"
#include "Person.h"
#include "Picture.h"
#include "RaportOsobyUnit.h"
#include "Settings.h"
#include "Vh_langmanager.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int personCount = 10000;
constexpr int pictureEvery = 10;
constexpr int photoFiles = 20;
constexpr double goalMs = 30000;

void addFact(KV_Person* person, const char* type, const QString& date, const QString& place,
             KV_Person* partner = nullptr)
{
    auto* fact = new KV_Fact;
    fact->Type = QLatin1String(type);
    fact->Name = fact->GetTypeLabel();
    fact->Date.FromText(date);
    fact->Place = place;
    fact->PersonIDF = person->ID;
    if (partner)
        fact->PersonIDS = partner->ID;
    gDB.AddFact(fact);
}

// Photographs of 1600 x 1200 pixels, a few distinct files shared by the persons that have one.
QStringList writePhotos(const QString& folder)
{
    QStringList files;
    for (int i = 0; i < photoFiles; ++i) {
        QImage photo(1200, 1600, QImage::Format_RGB32);
        QPainter painter(&photo);
        painter.fillRect(photo.rect(), QColor(120 + i * 5, 100, 80));
        painter.fillRect(QRect(300, 300, 600, 900), QColor(230, 200, 170 - i * 3));
        painter.end();
        files << folder + QStringLiteral("/photo_%1.jpg").arg(i);
        photo.save(files.last(), "JPG");
    }
    return files;
}

void generate(const QStringList& photos)
{
    using namespace GeneratedGedcom;
    QList<KV_Person*> persons;
    for (int i = 0; i < personCount; ++i) {
        auto* person = new KV_Person;
        person->Forename = QString::fromUtf8(given[i % 8]);
        person->Surname = QString::fromUtf8(surnames[(i / 4) % 10]);
        person->Sex = i % 2 == 0 ? 1 : 0;
        gDB.AddPerson(person);
        persons.append(person);
        const QString place = QString::fromUtf8(places[i % 6]);
        addFact(person, "BIRT", QStringLiteral("%1-%2-%3").arg(1 + i % 28).arg(1 + i % 12).arg(1850 + i % 150), place);
        if (i % 3 == 0) {
            person->SetDead(true);
            addFact(person, "DEAT", QString::number(1950 + i % 70), place);
            addFact(person, "BURI", QString::number(1950 + i % 70), place);
        }
        person->InsertAttribute(-1, QStringLiteral("OCCU"), QStringLiteral("Zawód"), QStringLiteral("rolnik"), false);
        person->InsertAttribute(-1, QStringLiteral("ADDR"), QStringLiteral("Adres"),
                                QStringLiteral("ul. Długa %1\n%2").arg(i).arg(place), false);
        if (i % pictureEvery == 0) {
            auto* picture = new KV_Picture;
            picture->File = photos[(i / pictureEvery) % photos.size()];
            gDB.AddPictureToPerson(person->ID, picture);
        }
    }
    for (int f = 0; f + 3 < personCount; f += 4) {
        KV_Person* husband = persons[f];
        KV_Person* wife = persons[f + 1];
        husband->AddPartner(wife->ID);
        wife->AddPartner(husband->ID);
        addFact(husband, "MARR", QString::number(1870 + f % 100), QString::fromUtf8(places[f % 6]), wife);
        for (KV_Person* child : {persons[f + 2], persons[f + 3]}) {
            child->FID = husband->ID;
            child->MID = wife->ID;
            husband->AddChild(child->ID);
            wife->AddChild(child->ID);
        }
    }
}

int pageCount(const QString& pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    if (!info.waitForFinished(60000))
        return -1;
    static const QRegularExpression pages(QStringLiteral(R"(Pages:\s+(\d+))"));
    const QRegularExpressionMatch match = pages.match(QString::fromUtf8(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gLangM.Load(KX_LangManager::MessageTable());
    gSettings.Apply();
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::printf("no temporary folder\n");
        return 1;
    }
    gTempFolder = folder.path() + QStringLiteral("/temp/");
    gReportsFolder = folder.path() + QStringLiteral("/Raporty/");
    QDir().mkpath(gTempFolder);
    QDir().mkpath(gReportsFolder);
    gPDFManager.PageText1 = QStringLiteral("www.kronvel.example | v.1.0");
    gPDFManager.PageText2 = gLangM.Get(QStringLiteral("LABEL_STRONA:_#NR_STRONY#"));

    QElapsedTimer timer;
    timer.start();
    generate(writePhotos(folder.path()));
    report("persons generated", timer, gDB.GetPersonCount());

    TFormRaportOsoby dialog;
    dialog.AdvComboBoxFakty->SetItemIndex(TFormRaportOsoby::AllFacts);
    const QString pdf = gReportsFolder + QStringLiteral("RaportDane.pdf");
    timer.restart();
    const bool written = dialog.GenerateReport(pdf, 0, TFormRaportOsoby::AllPersons);
    const qint64 ms = timer.elapsed();
    std::printf("%-44s %8lld ms  (%d persons, %d with a picture, %d pages%s)  goal: under %.0f ms%s\n",
                "report on all persons", static_cast<long long>(ms), gDB.GetPersonCount(), gDB.GetPictureCount(),
                pageCount(pdf), written ? "" : ", NOT WRITTEN", goalMs, ms < goalMs ? "" : "  SLOWER THAN THE GOAL");
    std::printf("report images left in the temporary folder: %lld\n",
                static_cast<long long>(QDir(gTempFolder).entryList(QDir::Files).size()));
    return 0;
}
