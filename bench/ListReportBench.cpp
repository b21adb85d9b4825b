// Times the list report over the object files benchmark's data folder of 100,000 persons: the CSV file and the
// PDF document of the first 10,000 persons as the person list's result, and of all 100,000, with the PDF's time per
// 1,000 rows at both sizes and against the CSV of the same rows.
//
//   bench_list_report          generate the folder with bench_object_files, measure, delete it
//   bench_list_report DIR      measure an existing data folder
#include "Bazadanych.h"
#include "BenchSupport.h"
#include "Pdfmanager.h"
#include "RaportListaUnit.h"
#include "Settings.h"
#include "Vh_langmanager.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int listSize = 10000;
constexpr double csvGoalMs = 2000; // the CSV of 100,000 persons
constexpr double pdfGoalMs = 3000; // the PDF of 100,000 persons
constexpr double pdfToCsvGoal = 3; // the PDF of 100,000 persons against the CSV of the same rows

void printResult(const char* what, qint64 ms, const QString& file, double goal)
{
    std::printf("%-44s %8lld ms  (%lld bytes)", what, static_cast<long long>(ms),
                static_cast<long long>(QFileInfo(file).size()));
    if (goal > 0)
        std::printf("  goal: under %.0f ms%s", goal, ms < goal ? "" : "  SLOWER THAN THE GOAL");
    std::printf("\n");
    std::fflush(stdout);
}

// The PDF of rows persons beside the CSV of the same rows (column set 2): the CSV builds the same cells, the floor
// under the PDF. Gives the PDF's milliseconds per 1,000 rows.
double printPdfAgainstCsv(int rows, qint64 pdfMs, qint64 csvMs, bool withGoals)
{
    const double perThousand = 1000.0 * double(pdfMs) / rows;
    const double ratio = double(pdfMs) / double(std::max<qint64>(csvMs, 1));
    std::printf("  PDF of %d rows: %.1f ms per 1,000 rows; PDF / CSV of the same rows %.2f (floor: the CSV, %lld ms)",
                rows, perThousand, ratio, static_cast<long long>(csvMs));
    if (withGoals) {
        std::printf("\n  goals: under %.0f ms (%s), PDF / CSV at most %.0f (%s)", pdfGoalMs,
                    pdfMs < pdfGoalMs ? "met" : "NOT MET", pdfToCsvGoal, ratio <= pdfToCsvGoal ? "met" : "NOT MET");
    }
    std::printf("\n");
    std::fflush(stdout);
    return perThousand;
}

// The person list's result: its first count persons, as a search would leave them.
void listFirstPersons(int count)
{
    gDB.WorkList.clear();
    for (const auto& entry : gDB.PersonMap) {
        if (gDB.WorkList.size() == count)
            break;
        gDB.WorkList.append(entry.second);
    }
    gDB.SortPersons(PersonSortKey::Surname, true, false);
}

int measure(const QString& folder)
{
    gLangM.Load(KX_LangManager::MessageTable());
    gSettings.Apply();
    gDB.DataFolder = folder + u'/';
    gDB.FileExtension = QStringLiteral(".kvfile");
    QElapsedTimer timer;
    timer.start();
    gDB.LoadAll(nullptr);
    report("data folder loaded", timer, gDB.GetPersonCount());
    if (gDB.GetPersonCount() == 0) {
        std::printf("no persons in %s: nothing to measure\n", qPrintable(folder));
        return 1;
    }

    QTemporaryDir reports;
    gReportsFolder = reports.path() + u'/';
    gPDFManager.PageText1 = QStringLiteral("www.kronvel.example | v.1.0");
    gPDFManager.PageText2 = gLangM.Get(QStringLiteral("LABEL_STRONA:_#NR_STRONY#"));
    TFormRaportLista dialog;
    const QString csv = gReportsFolder + QStringLiteral("Raport Lista.csv");
    const QString pdf = gReportsFolder + QStringLiteral("Raport Lista.pdf");
    const auto time = [&timer](auto work) {
        timer.restart();
        work();
        return timer.elapsed();
    };

    const auto csvAndPdf = [&](const char* csvWhat, const char* pdfWhat, qint64& csvMs, qint64& pdfMs) {
        csvMs = time([&] { dialog.WriteCsv(TFormRaportLista::CsvFile, 2, csv); });
        printResult(csvWhat, csvMs, csv, 0);
        pdfMs = time([&] { dialog.WritePdf(2, pdf, QStringLiteral("Lista osób"), true, 0); });
        printResult(pdfWhat, pdfMs, pdf, 0);
    };
    qint64 csvMs = 0;
    qint64 pdfMs = 0;

    listFirstPersons(listSize);
    dialog.Scope = TFormRaportLista::PersonsOfTheList;
    printResult("CSV of 10,000 persons, column set 3",
                time([&] { dialog.WriteCsv(TFormRaportLista::CsvFile, 3, csv); }), csv, 0);
    csvAndPdf("CSV of 10,000 persons, column set 2", "PDF of 10,000 persons, column set 2, shaded", csvMs, pdfMs);
    const double perThousandOfTen = printPdfAgainstCsv(listSize, pdfMs, csvMs, false);

    dialog.Scope = TFormRaportLista::AllPersons;
    printResult("CSV of 100,000 persons, column set 3",
                time([&] { dialog.WriteCsv(TFormRaportLista::CsvFile, 3, csv); }), csv, csvGoalMs);
    printResult("CSV Excel of 100,000 persons, column set 2",
                time([&] { dialog.WriteCsv(TFormRaportLista::CsvExcelFile, 2, csv); }), csv, csvGoalMs);
    csvAndPdf("CSV of 100,000 persons, column set 2", "PDF of 100,000 persons, column set 2, shaded", csvMs, pdfMs);
    const double perThousandOfAll = printPdfAgainstCsv(gDB.GetPersonCount(), pdfMs, csvMs, true);
    std::printf("  growth: ms per 1,000 rows at 100,000 / at 10,000 = %.2f (linear: 1.00)\n",
                perThousandOfAll / perThousandOfTen);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return measureDataFolder(app.arguments(), QStringLiteral(OBJECT_FILES_BENCH), measure);
}
