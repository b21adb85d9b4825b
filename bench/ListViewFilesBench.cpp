// Times the list view's files on a 50,000-row list of 10 columns of plain text: CSV saved and loaded (goal under
// 2 s for both) and an .xlsx workbook saved and loaded (goal under 10 s for both). Each figure is printed beside
// its goal.
#include "AdvListV.h"
#include "BenchSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int RowCount = 50000;
constexpr int ColumnCount = 10;
constexpr qint64 CsvGoalMs = 2000;
constexpr qint64 WorkbookGoalMs = 10000;

void fill(TAdvListView& list)
{
    for (int c = 0; c < ColumnCount; ++c)
        list.Columns().Add()->SetWidth(110);
    list.Items().BeginUpdate();
    for (int r = 0; r < RowCount; ++r) {
        TListItem* item = list.Items().Add();
        item->SetCaption(QStringLiteral("Jan Kowalski %1").arg(r));
        QStringList subItems;
        for (int c = 1; c < ColumnCount; ++c)
            subItems.append(c % 2 ? QStringLiteral("Kraków, ul. Długa %1").arg(r % 500)
                                  : QString::number(1800 + r % 200));
        item->SubItems().SetTexts(subItems);
    }
    list.Items().EndUpdate();
}

// Saves and loads through the two calls, prints both times and their sum beside the goal; false when the loaded
// list lost rows.
bool roundTrip(const char* format, qint64 goalMs, const std::function<void()>& save, const std::function<void()>& load,
               const TAdvListView& loaded)
{
    QElapsedTimer timer;
    timer.start();
    save();
    const qint64 saveMs = timer.restart();
    load();
    const qint64 loadMs = timer.elapsed();
    std::printf("%-10s save %6lld ms  load %6lld ms  together %6lld ms  (goal under %lld ms)\n", format,
                static_cast<long long>(saveMs), static_cast<long long>(loadMs), static_cast<long long>(saveMs + loadMs),
                static_cast<long long>(goalMs));
    return loaded.Items().Count() == RowCount;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    TAdvListView list;
    fill(list);

    TAdvListView csv;
    const QString csvFile = folder.filePath(QStringLiteral("list.csv"));
    const bool csvWhole = roundTrip(
        "CSV", CsvGoalMs, [&] { list.SaveToCSV(csvFile, false, false); }, [&] { csv.LoadFromCSV(csvFile); }, csv);
    TAdvListView workbook;
    const QString workbookFile = folder.filePath(QStringLiteral("list.xlsx"));
    const bool workbookWhole = roundTrip(
        "workbook", WorkbookGoalMs, [&] { list.SaveToXLS(workbookFile, false); },
        [&] { workbook.LoadFromXLS(workbookFile); }, workbook);
    if (!csvWhole || !workbookWhole)
        std::printf("rows were lost\n");
    return csvWhole && workbookWhole ? 0 : 1;
}
