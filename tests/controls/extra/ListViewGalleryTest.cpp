// A list with every kind of cell, check boxes, images, a detail line and a wallpaper, written as a picture for a
// person to look at.
#include "AdvListV.h"
#include "ListViewTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QTest>

namespace {

QImage square(QColor color)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setBrush(color);
    painter.setPen(color.darker());
    painter.drawEllipse(1, 1, 13, 13);
    return image;
}

// A small triangle pointing up or down, for the sort indicator.
QImage arrow(bool up)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x40, 0x40, 0x40));
    const QPolygon triangle = up ? QPolygon({QPoint(4, 10), QPoint(12, 10), QPoint(8, 5)})
                                 : QPolygon({QPoint(4, 6), QPoint(12, 6), QPoint(8, 11)});
    painter.drawPolygon(triangle);
    return image;
}

QImage wallpaperTile()
{
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(QColor(0xF4, 0xF8, 0xFF));
    QPainter painter(&image);
    painter.setPen(QColor(0xDD, 0xE6, 0xF5));
    painter.drawLine(0, 23, 23, 0);
    return image;
}

} // namespace

TEST(ListViewGalleryTest, everyCellKindInOneList)
{
    TAdvListView list;
    list.resize(780, 300);
    list.Loaded();
    TImageList images;
    images.Add(square(QColor(0xE0, 0x40, 0x40)));
    images.Add(square(QColor(0x40, 0xA0, 0x40)));
    list.SetSmallImages(&images);
    list.SetSubImages(true);
    list.SetCheckboxes(true);
    list.SetGridLines(true);
    list.SetURLShow(true);
    list.SetItemHeight(36);
    list.GetDetailView().SetVisible(true);
    list.GetDetailView().SetColumn(3);
    list.GetDetailView().SetIndent(22);
    list.GetDetailView().SetSplitLine(true);
    TBitmap tile;
    tile.SetImage(wallpaperTile());
    list.SetWallpaper(&tile);
    list.SetHideSelection(false);

    TImageList arrows;
    arrows.Add(arrow(true));
    arrows.Add(arrow(false));
    list.SetHeaderImages(&arrows);
    list.SetHeaderOwnerDraw(true);
    list.SetHeaderHeight(20);
    list.SetHeaderColor(RGB(0xE8, 0xEE, 0xF8));
    const QStringList captions{u("Osoba"), u("Postęp"), u("Strona"), u("Uwagi"), u("<b>Opis</b>")};
    for (const QString& caption : captions) {
        TListColumn* column = list.Columns().Add();
        column->SetCaption(caption);
        column->SetWidth(150);
    }
    struct Row
    {
        const char* name;
        int progress;
        const char* link;
        const char* note;
        bool checked;
        const char* description;
    };
    const Row rows[] = {
        {"Jan Kowalski", 57, "http://www.example.com/rodzina", "ur. 1901 w <b>Krakowie</b>", true,
         "{\\rtf1{\\colortbl ;\\red0\\green128\\blue0;}{\\b Rolnik}, {\\i\\cf1 Wieś Zielona}}"},
        {"<i>Maria</i> Nowak", 100, "mailto:maria@example.com", "Zwykły tekst, a < b", false,
         "{\\rtf1 H{\\sub 2}O i m{\\super 2} \\u8364? \\'b3\\'f3d\\'9f}"},
        {"Józef Żółkiewski", 0, "bez linku", "<font color=\"clRed\">czerwona</font> uwaga", true,
         "{\\rtf1\\ul podkreślony}"},
        {"Zofia Wiśniewska", 33, "ftp://example.org", "długa uwaga, która się nie mieści w kolumnie", false, ""},
    };
    for (const Row& r : rows) {
        TListItem* item = list.Items().Add();
        item->SetCaption(u(r.name));
        item->SetChecked(r.checked);
        item->SetImageIndex(item->GetIndex() % 2);
        item->SubItems().Add(QString());
        item->SubItems().Add(u(r.link));
        item->SubItems().Add(u(r.note));
        item->SubItems().Add(u(r.description));
        list.SetProgress(item->GetIndex(), 1, r.progress);
    }
    list.SetSubItemImage(2, 2, 1);
    list.SetItemIndent(3, 0, 1);
    list.SetSortShow(true);
    list.SetSortColumn(0);
    list.Items()[1]->SetSelected(true);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));

    const QImage shot = list.grab().toImage();
    const QString path = QDir(testOutputFolder()).filePath(QStringLiteral("listview-gallery.png"));
    EXPECT_TRUE(shot.save(path));
}

TEST(ListViewGalleryTest, filterBarHighlightsAndAnEditor)
{
    TAdvListView list;
    list.resize(460, 200);
    list.SetFilterBar(true);
    list.Loaded();
    list.SetHideSelection(false);
    list.SetSubItemEdit(true);
    list.SetGridLines(true);
    list.SetItemHeight(20);
    for (const char* caption : {"Imię", "Nazwisko", "Miejscowość"}) {
        TListColumn* column = list.Columns().Add();
        column->SetCaption(u(caption));
        column->SetWidth(150);
    }
    const char* rows[][3] = {{"Jan", "Kowalski", "Kraków"},
                             {"Anna", "Kowalczyk", "Łódź"},
                             {"Józef", "Nowak", "Kowary"},
                             {"Zofia", "Wiśniewska", "Gdańsk"}};
    for (const auto& row : rows) {
        TListItem* item = list.Items().Add();
        item->SetCaption(u(row[0]));
        item->SubItems().Add(u(row[1]));
        item->SubItems().Add(u(row[2]));
    }
    list.SetFilter(1, 0, 0, u("kow"));
    list.HilightInList(u("kow"), false);
    list.MarkInItem(3, u("Gdańsk"), true);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    list.StartEdit(1, 2);
    QCoreApplication::processEvents();

    const QImage shot = list.grab().toImage();
    EXPECT_TRUE(shot.save(QDir(testOutputFolder()).filePath(QStringLiteral("listview-editing.png"))));
}
