// Times the list view's painting: a screenful of a 50,000-row list of 10 columns, a third of the cells plain text,
// a third markup and a third percentage bars, painted at the top, in the middle and at the end of the list; the goal
// is under 30 ms a paint. Then sorting the 50,000 rows by a column of numbers that OnGetFormat declares numeric;
// the goal is under 1 s. Filling the list is timed too.
#include "AdvListV.h"
#include "BenchSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScrollBar>
#include <cstdio>

namespace {

constexpr int RowCount = 50000;
constexpr int ColumnCount = 10;
constexpr int PaintsPerPlace = 20;
constexpr int NumberColumn = 4;

QString cell(int row, int column)
{
    switch ((row + column) % 3) {
    case 0:
        return QStringLiteral("Jan Kowalski %1").arg(row);
    case 1:
        return QStringLiteral("ur. <b>%1</b> w <font color=\"clRed\">Krakowie</font>").arg(1800 + row % 200);
    default:
        return QStringLiteral("{|%1").arg(row % 101);
    }
}

void fill(TAdvListView& list)
{
    for (int c = 0; c < ColumnCount; ++c)
        list.Columns().Add()->SetWidth(110);
    list.Items().BeginUpdate();
    for (int r = 0; r < RowCount; ++r) {
        TListItem* item = list.Items().Add();
        item->SetCaption(cell(r, 0));
        QStringList subItems;
        for (int c = 1; c < ColumnCount; ++c)
            subItems.append(cell(r, c));
        item->SubItems().SetTexts(subItems);
    }
    list.Items().EndUpdate();
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    TAdvListView list;
    list.resize(1024, 768);
    list.Loaded();
    list.SetItemHeight(18);
    QElapsedTimer timer;
    timer.start();
    fill(list);
    report("filling 50,000 rows of 10 cells", timer, RowCount);
    list.show();
    QCoreApplication::processEvents();
    QImage target(list.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    list.viewport()->render(&target);
    report("first paint (lays the rows out)", timer, 1);

    for (const double place : {0.0, 0.5, 1.0}) {
        QScrollBar* bar = list.verticalScrollBar();
        bar->setValue(int(bar->maximum() * place));
        QCoreApplication::processEvents();
        timer.restart();
        for (int i = 0; i < PaintsPerPlace; ++i)
            list.viewport()->render(&target);
        const double perPaint = double(timer.elapsed()) / PaintsPerPlace;
        std::printf("%-44s %8.1f ms a paint (%d rows visible)\n",
                    qPrintable(QStringLiteral("screenful at %1 %").arg(int(place * 100))), perPaint,
                    list.GetVisibleItems());
    }

    // A column of numbers in scrambled order, with thousands and decimals.
    for (int r = 0; r < RowCount; ++r)
        list.SetTextAtColRow(NumberColumn, r, QString::number((r * 7919) % RowCount * 3.25, 'f', 2));
    list.OnGetFormat = [](QObject*, int, TSortStyle& style, QString&, QString&) { style = ssNumeric; };
    timer.restart();
    list.SetSortColumn(NumberColumn);
    report("sorting 50,000 rows by numbers", timer, RowCount);
    return 0;
}
