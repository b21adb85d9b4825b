#include "AdvListV.h"
#include "HTMLText.h"
#include "ListViewFixture.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <functional>

namespace {

QImage filled(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

// A cell drawn on its own the way the list should draw it, on the list's background.
QImage referenceCell(int width, int height, const std::function<void(TCanvas&)>& draw)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(ToQColor(clWindow));
    {
        TCanvas canvas(&image);
        draw(canvas);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage part(const QImage& image, const QRect& area)
{
    return image.copy(area).convertToFormat(QImage::Format_RGB32);
}

// A glyph of one colour; its bottom-left pixel is the transparent one.
TBitmap glyph(int width, int height, QColor color)
{
    QImage image = filled(width, height, color);
    image.setPixelColor(0, height - 1, Qt::white);
    TBitmap bitmap;
    bitmap.SetImage(image);
    return bitmap;
}

} // namespace

class AdvListVCellsTest : public ListViewFixture
{};

TEST_F(AdvListVCellsTest, textsByColumnAndRowStayInsideTheList)
{
    addColumns({100, 100, 100});
    list.Columns()[0]->SetCaption(u("Imię"));
    addRow({u("a"), u("b")});

    struct Read
    {
        int col;
        int row;
        const char* text;
    };
    const Read reads[] = {
        {0, 0, "a"}, {1, 0, "b"}, {2, 0, ""}, {3, 0, ""},   {0, -1, "Imię"},
        {5, -1, ""}, {-1, 0, ""}, {0, 1, ""}, {-1, -1, ""},
    };
    for (const Read& r : reads)
        EXPECT_EQ(list.GetTextAtColRow(r.col, r.row), u(r.text)) << r.col << "," << r.row;

    list.SetTextAtColRow(2, 0, u("c"));
    EXPECT_EQ(list.Items()[0]->SubItems().Texts(), QStringList({u("b"), u("c")}));
    addRow({u("d")});
    list.SetTextAtColRow(2, 1, u("e"));
    EXPECT_EQ(list.Items()[1]->SubItems().Texts(), QStringList({QString(), u("e")})) << "empty cells before it";
    list.SetTextAtColRow(0, 1, u("f"));
    EXPECT_EQ(list.Items()[1]->GetCaption(), u("f"));

    // Outside the columns or the rows nothing changes.
    for (const auto& [col, row] : {std::pair{3, 0}, {-1, 0}, {0, 2}, {0, -1}, {1, -3}})
        list.SetTextAtColRow(col, row, u("x"));
    EXPECT_EQ(list.Items()[0]->GetCaption(), u("a"));
    EXPECT_EQ(list.Items()[0]->SubItems().Count(), 2);
    EXPECT_EQ(list.Columns()[0]->GetCaption(), u("Imię"));
    EXPECT_EQ(list.Items().Count(), 2);
}

TEST_F(AdvListVCellsTest, progressCellsKeepTheirPercentage)
{
    addColumns({100, 100});
    addRow({u("a"), u("b")});
    list.SetProgress(0, 1, 57);
    EXPECT_EQ(list.GetTextAtColRow(1, 0), u("{|57"));
    EXPECT_EQ(list.GetProgress(0, 1), 57);
    EXPECT_EQ(list.GetProgress(0, 0), 0) << "no bar";
    EXPECT_EQ(list.GetProgress(3, 1), 0) << "no row";

    struct Case
    {
        const char* text;
        TCellKind kind;
        int value;
    };
    const Case cases[] = {
        {"{|57", TCellKind::Progress, 57},      {"{|-5", TCellKind::Progress, -5},
        {"{|abc", TCellKind::Progress, 0},      {"{|", TCellKind::Progress, 0},
        {"{\\rtf1 x}", TCellKind::RichText, 0}, {"see <b>this</b>", TCellKind::Markup, 0},
        {"a < b", TCellKind::Plain, 0},         {"http://example.com", TCellKind::Plain, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CellKindOf(u(c.text)), c.kind) << c.text;
        EXPECT_EQ(ProgressValue(u(c.text)), c.value) << c.text;
    }
}

TEST_F(AdvListVCellsTest, cellImagesAndIndentsByCell)
{
    addColumns({100, 100, 100});
    addRow({u("a"), u("b"), u("c")});
    list.SetSubItemImage(0, 1, 3);
    EXPECT_EQ(list.GetSubItemImage(0, 1), -1) << "read only with sub-item images on";
    list.SetSubImages(true);
    EXPECT_EQ(list.GetSubItemImage(0, 1), 3);
    EXPECT_EQ(list.GetSubItemImage(0, 0), -1);
    list.SetSubItemImage(0, -1, 2);
    EXPECT_EQ(list.Items()[0]->GetImageIndex(), 2) << "sub-item -1 is the row's own image";
    EXPECT_EQ(list.GetSubItemImage(0, -1), 2);

    list.SetSubItemImage(0, 2, 4);
    list.SetSubItemImage(1, 0, 4);
    list.SetSubItemImage(0, -2, 4);
    EXPECT_EQ(list.GetSubItemImage(0, 2), -1) << "beyond the columns";
    EXPECT_EQ(list.GetSubItemImage(1, 0), -1) << "beyond the rows";
    EXPECT_EQ(list.Items()[0]->GetImageIndex(), 2);

    list.SetItemIndent(0, 0, 2);
    list.SetItemIndent(0, 3, 5);
    EXPECT_EQ(list.GetItemIndent(0, 0), 2);
    EXPECT_EQ(list.GetItemIndent(0, 3), 0);
    EXPECT_EQ(list.GetItemIndent(4, 0), 0);
}

TEST_F(AdvListVCellsTest, clearInitMakesAnEmptyGrid)
{
    addColumns({50, 50});
    list.Columns()[0]->SetCaption(u("x"));
    list.Columns()[1]->SetCaption(u("y"));
    addRow({u("old")});
    list.SetSubImages(true);

    list.ClearInit(3, 4);
    ASSERT_EQ(list.Columns().Count(), 4);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(list.Columns()[c]->GetCaption(), QString()) << c;
    ASSERT_EQ(list.Items().Count(), 3);
    for (int r = 0; r < 3; ++r) {
        const TListItem* item = list.Items()[r];
        EXPECT_EQ(item->GetCaption(), QString());
        EXPECT_EQ(item->SubItems().Texts(), QStringList(4, QString())) << r;
        EXPECT_EQ(item->GetImageIndex(), -1);
        for (int s = -1; s < 3; ++s)
            EXPECT_EQ(list.GetSubItemImage(r, s), -1) << r << "," << s;
    }

    list.Columns()[2]->SetCaption(u("z"));
    list.ClearInit(1, 1);
    EXPECT_EQ(list.Columns().Count(), 4) << "columns are only added";
    EXPECT_EQ(list.Columns()[2]->GetCaption(), u("z")) << "only the first ColCount captions are cleared";
    EXPECT_EQ(list.Items().Count(), 1);

    list.Clear();
    EXPECT_EQ(list.Items().Count(), 0);
    EXPECT_EQ(list.Columns().Count(), 0);
}

TEST_F(AdvListVCellsTest, hitTestsFindRowAndColumn)
{
    addColumns({100, 120, 80});
    list.SetItemHeight(20);
    addRow({u("a"), u("b"), u("c")});
    addRow({u("d"), u("e")});

    struct Case
    {
        int x;
        int y;
        bool hit;
        int row;
        int column;
        const char* text;
    };
    const Case cases[] = {
        {10, 5, true, 0, 0, "a"},   {150, 5, true, 0, 1, "b"},    {250, 25, true, 1, 2, ""},
        {150, 25, true, 1, 1, "e"}, {10, 100, false, -1, -1, ""}, {350, 5, false, -1, -1, ""},
    };
    for (const Case& c : cases) {
        int row = -1;
        int column = -1;
        EXPECT_EQ(list.GetIndexAtPoint(c.x, c.y, row, column), c.hit) << c.x << "," << c.y;
        EXPECT_EQ(row, c.row) << c.x << "," << c.y;
        EXPECT_EQ(column, c.column) << c.x << "," << c.y;
        EXPECT_EQ(list.GetTextAtPoint(c.x, c.y), u(c.text)) << c.x << "," << c.y;
    }
    EXPECT_EQ(list.GetItemRect(1, 1), Rect(100, 20, 220, 40));
    EXPECT_EQ(list.GetItemRect(2, 1), TRect{});
    EXPECT_EQ(list.GetItemRect(0, 3), TRect{});
    EXPECT_EQ(list.GetVisibleItems(), list.viewport()->height() / 20);
}

TEST_F(AdvListVCellsTest, cellClicksReportRowAndColumn)
{
    addColumns({100, 100});
    addRow({u("a"), u("b")});
    QVector<QPair<int, int>> left;
    QVector<QPair<int, int>> right;
    list.OnLeftClickCell = [&](QObject*, int item, int subItem) { left.append({item, subItem}); };
    list.OnRightClickCell = [&](QObject*, int item, int subItem) { right.append({item, subItem}); };
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(150, 5));
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, QPoint(20, 5));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(20, 150));
    EXPECT_EQ(left, (QVector<QPair<int, int>>{{0, 1}, {-1, 0}}));
    EXPECT_EQ(right, (QVector<QPair<int, int>>{{0, 0}}));
}

TEST_F(AdvListVCellsTest, updatesNestAndStylesMapToTheList)
{
    list.BeginUpdate();
    list.BeginUpdate();
    list.EndUpdate();
    EXPECT_FALSE(list.updatesEnabled());
    list.EndUpdate();
    EXPECT_TRUE(list.updatesEnabled());
    list.EndUpdate();
    EXPECT_TRUE(list.updatesEnabled()) << "an extra EndUpdate changes nothing";

    list.SetExtendedStyles((1u << lvxGridLines) | (1u << lvxCheckboxes) | (1u << lvxHeaderDragDrop));
    EXPECT_TRUE(list.GetGridLines());
    EXPECT_TRUE(list.GetCheckboxes());
    EXPECT_TRUE(list.GetHeaderDragDrop());
    EXPECT_TRUE(list.header()->sectionsMovable());
    EXPECT_FALSE(list.GetRowSelect());
    list.SetExtendedViewStyle(LVS_EX_FULLROWSELECT, true);
    EXPECT_EQ(list.GetExtendedStyles(),
              (1u << lvxGridLines) | (1u << lvxCheckboxes) | (1u << lvxHeaderDragDrop) | (1u << lvxFullRowSelect));
    list.SetExtendedStyles(1u << lvxSubItemImages);
    EXPECT_TRUE(list.GetSubImages());
    EXPECT_FALSE(list.GetGridLines()) << "the set replaces every style";
}

TEST_F(AdvListVCellsTest, defaultsOfANewList)
{
    TAdvListView fresh;
    EXPECT_EQ(fresh.GetVersion(), u("1.6.3.6"));
    EXPECT_EQ(fresh.GetVersionString(), u("1.6.3.6 Sep, 2008"));
    fresh.SetVersion(u("9.9.9.9"));
    EXPECT_EQ(fresh.GetVersion(), u("1.6.3.6"));
    EXPECT_TRUE(fresh.GetOwnerDraw());
    EXPECT_EQ(fresh.GetItemHeight(), 13);
    EXPECT_EQ(fresh.GetHeaderHeight(), 13);
    EXPECT_EQ(fresh.GetHeaderColor(), clNone);
    EXPECT_EQ(fresh.GetSelectionColor(), clHighlight);
    EXPECT_EQ(fresh.GetSelectionTextColor(), clHighlightText);
    EXPECT_EQ(fresh.GetURLColor(), clBlue);
    EXPECT_FALSE(fresh.GetURLShow());
    EXPECT_EQ(fresh.GetVAlignment(), vtaCenter);
    EXPECT_EQ(fresh.GetSortDirection(), sdAscending);
    EXPECT_EQ(fresh.GetHoverTime(), -1);
    EXPECT_EQ(fresh.GetColumnIndex(), 0);
    EXPECT_EQ(fresh.GetDetailView().GetHeight(), 16);
    EXPECT_EQ(fresh.GetDetailView().GetFont().Color, clBlue);
    EXPECT_EQ(fresh.GetProgressSettings().GetColorFrom(), clSilver);
    EXPECT_EQ(fresh.GetProgressSettings().GetFontColorTo(), clGray);
    EXPECT_EQ(fresh.GetHTMLSettings().Width, 100);
    EXPECT_EQ(fresh.GetPrintSettings().DateFormat, u("dd/mm/yyyy"));
    EXPECT_FALSE(fresh.GetColumnSize().GetSave());

    fresh.SetItemHeight(0);
    fresh.SetItemHeight(-4);
    EXPECT_EQ(fresh.GetItemHeight(), 13);
    fresh.SetItemHeight(30);
    fresh.Columns().Add();
    fresh.Items().Add();
    EXPECT_EQ(fresh.RowRect(0).Height(), 30);

    fresh.GetDetailView().SetColumn(-1);
    fresh.GetDetailView().SetHeight(-1);
    EXPECT_EQ(fresh.GetDetailView().GetColumn(), 0);
    EXPECT_EQ(fresh.GetDetailView().GetHeight(), 16);
}

class AdvListVDrawTest : public ListViewFixture
{};

TEST_F(AdvListVDrawTest, percentageBarFillsItsShare)
{
    addColumns({104});
    list.SetItemHeight(24);
    addRow({u("{|57")});
    const QImage image = rows();
    EXPECT_EQ(list.GetProgress(0, 0), 57);
    EXPECT_EQ(pixelAt(image, 1, 1), clGray) << "the frame";
    // 57 % of the 100 pixels inside the frame, from x = 2.
    EXPECT_EQ(pixelAt(image, 58, 2), clSilver);
    EXPECT_EQ(pixelAt(image, 59, 2), clWhite);
    EXPECT_FALSE(inkBounds(image, clSilver, QRect(2, 2, 57, 20)).isEmpty()) << "the label \"57%\"";
}

TEST_F(AdvListVDrawTest, markupCellsGoToTheMarkupEngineAndOthersAreText)
{
    addColumns({200});
    list.SetItemHeight(20);
    addRow({u("see <b>this</b>")});
    addRow({u("a < b")});
    const QImage image = rows();

    const QImage markup = referenceCell(200, 20, [&](TCanvas& canvas) {
        canvas.Font = list.GetFont();
        QString anchor, plain, focused;
        int width = 0, height = 0, count = 0, number = -1;
        TRect hover;
        MarkupRender(&canvas, u("see <b>this</b>"), Rect(2, 0, 200, 20), nullptr, 0, 0, -1, -1, 1, false, false, false,
                     false, false, false, true, 1.0, clBlue, clNone, clNone, clGray, anchor, plain, focused, width,
                     height, count, number, hover, nullptr, nullptr, 0);
    });
    const auto plainText = [&](const QString& text) {
        return referenceCell(200, 20, [&](TCanvas& canvas) {
            canvas.Font = list.GetFont();
            TRect r = Rect(2, 0, 198, 20);
            canvas.DrawText(
                text, r, DT_NOPREFIX | DT_EXPANDTABS | DT_EDITCONTROL | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        });
    };
    EXPECT_EQ(part(image, QRect(0, 0, 200, 20)), markup);
    EXPECT_NE(part(image, QRect(0, 0, 200, 20)), plainText(u("see <b>this</b>")));
    EXPECT_EQ(part(image, QRect(0, 20, 200, 20)), plainText(u("a < b")));
}

TEST_F(AdvListVDrawTest, linksShowWithOrWithoutTheirScheme)
{
    struct Case
    {
        const char* cell;
        bool urlShow;
        bool urlFull;
        const char* shown;
        bool linkLook;
    };
    const Case cases[] = {
        {"http://www.example.com", true, false, "www.example.com", true},
        {"http://www.example.com", true, true, "http://www.example.com", true},
        {"mailto:jan@example.com", true, false, "jan@example.com", true},
        {"mailto:jan@example.com", true, true, "mailto:jan@example.com", true},
        {"http://www.example.com", false, false, "http://www.example.com", false},
        {"zwykły tekst", true, false, "zwykły tekst", false},
    };
    addColumns({250});
    list.SetItemHeight(20);
    addRow({});
    for (const Case& c : cases) {
        list.Items()[0]->SetCaption(u(c.cell));
        list.SetURLShow(c.urlShow);
        list.SetURLFull(c.urlFull);
        const QImage expected = referenceCell(250, 20, [&](TCanvas& canvas) {
            canvas.Font = list.GetFont();
            if (c.linkLook) {
                canvas.Font.Style |= fsUnderline;
                canvas.Font.Color = clBlue;
            }
            TRect r = Rect(2, 0, 248, 20);
            canvas.DrawText(u(c.shown), r,
                            DT_NOPREFIX | DT_EXPANDTABS | DT_EDITCONTROL | DT_VCENTER | DT_SINGLELINE |
                                DT_END_ELLIPSIS);
        });
        EXPECT_EQ(part(rows(), QRect(0, 0, 250, 20)), expected) << c.cell << " " << c.urlShow << c.urlFull;
    }
}

TEST_F(AdvListVDrawTest, gridLinesKeepCellsOnePixelInside)
{
    addColumns({100, 100});
    list.SetItemHeight(20);
    addRow({QString(), QString()});
    addRow({QString(), QString()});
    list.OnDrawItemProp = [](QObject*, int, int, TOwnerDrawState, TBrush& brush, TFont&, const QString&) {
        brush.Color = clYellow;
    };
    EXPECT_EQ(colourBounds(rows(), clYellow, QRect(0, 0, 100, 20)), QRect(0, 0, 100, 20));

    list.SetGridLines(true);
    const QImage image = rows();
    EXPECT_EQ(colourBounds(image, clYellow, QRect(0, 0, 100, 20)), QRect(1, 1, 98, 18));
    EXPECT_EQ(colourBounds(image, clYellow, QRect(100, 0, 100, 20)), QRect(101, 1, 98, 18));
    EXPECT_EQ(pixelAt(image, 100, 5), ColorToRGB(clWindow)) << "the background stops short of the next column";
    EXPECT_EQ(pixelAt(image, 99, 5), ColorToRGB(clBtnFace)) << "the grid line";
    EXPECT_EQ(pixelAt(image, 50, 19), ColorToRGB(clBtnFace));
}

TEST_F(AdvListVDrawTest, checkGlyphsMoveTheTextButNotTheImage)
{
    addColumns({200});
    list.SetItemHeight(30);
    list.SetCheckboxes(true);
    TImageList images;
    images.Add(filled(16, 16, Qt::red));
    list.SetSmallImages(&images);
    addRow({u("W")})->SetImageIndex(0);

    // Text ink right of the image, which ends 34 pixels from the column's edge.
    const auto textLeft = [&](const QImage& image) { return inkBounds(image, clWindow, QRect(34, 0, 166, 30)).left(); };
    const QImage flat = rows();
    EXPECT_EQ(colourBounds(flat, clRed, QRect(0, 0, 200, 30)).left(), 18);
    const TBitmap checked = glyph(20, 10, Qt::magenta);
    const TBitmap unchecked = glyph(20, 10, Qt::cyan);
    list.SetCheckTrueGlyph(&checked);
    list.SetCheckFalseGlyph(&unchecked);
    const QImage glyphs = rows();
    EXPECT_EQ(colourBounds(glyphs, clRed, QRect(0, 0, 200, 30)).left(), 18) << "the image stays";
    EXPECT_EQ(colourBounds(glyphs, clAqua, QRect(0, 0, 200, 30)), QRect(2, 10, 16, 10))
        << "the unchecked glyph, centred, under the image from 18 on";
    EXPECT_EQ(textLeft(glyphs) - textLeft(flat), 20 + 4 - 18) << "the text moves by the glyph's width and 4";

    list.Items()[0]->SetChecked(true);
    EXPECT_FALSE(colourBounds(rows(), clFuchsia, QRect(0, 0, 30, 30)).isEmpty());
}

TEST_F(AdvListVDrawTest, detailLineTakesTheBottomOfTheRow)
{
    addColumns({100, 100, 100});
    list.SetItemHeight(40);
    list.GetDetailView().SetVisible(true);
    list.GetDetailView().SetColumn(2);
    addRow({u("a"), u("b"), u("c")});
    addRow({u("d"), u("e")});
    settle();
    QStringList details;
    list.OnDrawDetailProp = [&](QObject*, int, TOwnerDrawState, TBrush& brush, TFont&, const QString& text) {
        details.append(text);
        brush.Color = clYellow;
    };
    const QImage image = paintOnce();
    EXPECT_EQ(details, QStringList({u("c"), QString()}));
    EXPECT_EQ(list.RowRect(0).Height(), 40);
    EXPECT_EQ(list.GetItemRect(0, 1), Rect(100, 0, 200, 24)) << "the cells take the top 40 - 16 pixels";
    EXPECT_EQ(colourBounds(image, clYellow, QRect(0, 0, 300, 40)), QRect(0, 24, 300, 16));
}

TEST_F(AdvListVDrawTest, wallpaperShowsBehindUnselectedRows)
{
    addColumns({100});
    list.SetItemHeight(20);
    addRow({});
    addRow({})->SetSelected(true);
    TBitmap tile;
    tile.SetImage(filled(8, 8, QColor(0, 160, 0)));
    list.SetWallpaper(&tile);
    const TColor green = RGB(0, 160, 0);
    const QImage image = rows();
    EXPECT_EQ(pixelAt(image, 50, 5), green);
    EXPECT_EQ(pixelAt(image, 50, 25), ColorToRGB(clHighlight));
    EXPECT_EQ(pixelAt(image, 50, 120), green) << "below the rows";
    EXPECT_EQ(pixelAt(image, 300, 5), green) << "right of the columns";

    const TBitmap none;
    list.SetWallpaper(&none);
    EXPECT_EQ(pixelAt(rows(), 50, 5), ColorToRGB(clWindow));
}

TEST_F(AdvListVDrawTest, selectionCoversTheCellsItShould)
{
    struct Case
    {
        const char* name;
        bool rowSelect;
        bool subItemSelect;
        bool subItemEdit;
        bool hideSelection;
        int currentColumn;
        QVector<bool> selectedCells;
    };
    const Case cases[] = {
        {"first cell", false, false, false, false, 0, {true, false, false}},
        {"whole row", true, false, false, false, 0, {true, true, true}},
        {"current cell", false, true, false, false, 2, {false, false, true}},
        {"edited cell and first", false, false, true, false, 1, {true, true, false}},
        {"hidden without focus", true, false, false, true, 0, {false, false, false}},
    };
    addColumns({100, 100, 100});
    list.SetItemHeight(20);
    addRow({QString(), QString(), QString()})->SetSelected(true);
    list.clearFocus();
    ASSERT_FALSE(list.hasFocus());
    for (const Case& c : cases) {
        list.SetRowSelect(c.rowSelect);
        list.SetSubItemSelect(c.subItemSelect);
        list.SetSubItemEdit(c.subItemEdit);
        list.SetHideSelection(c.hideSelection);
        list.SetColumnIndex(c.currentColumn);
        const QImage image = rows();
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(pixelAt(image, column * 100 + 50, 10) == ColorToRGB(clHighlight), c.selectedCells[column])
                << c.name << ", column " << column;
    }
}

TEST_F(AdvListVDrawTest, drawPropsNameTheCaptionWhereverItStands)
{
    addColumns({100, 100, 100});
    addRow({u("cap"), u("s1"), u("s2")});
    list.SetColumnOrder({1, 0, 2});
    settle();
    QVector<QPair<int, QString>> cells;
    list.OnDrawItemProp = [&](QObject*, int, int subItem, TOwnerDrawState, TBrush&, TFont&, const QString& text) {
        cells.append({subItem, text});
    };
    paintOnce();
    EXPECT_EQ(cells, (QVector<QPair<int, QString>>{{0, u("s1")}, {-1, u("cap")}, {1, u("s2")}}));
    EXPECT_EQ(list.GetColumnOrder(), (QVector<int>{1, 0, 2}));
}

TEST_F(AdvListVDrawTest, threeHundredColumnsDraw)
{
    for (int c = 0; c < 300; ++c)
        list.Columns().Add()->SetWidth(30);
    addRow({u("a")});
    list.OnDrawItemProp = [](QObject*, int, int subItem, TOwnerDrawState, TBrush& brush, TFont&, const QString&) {
        if (subItem == 298)
            brush.Color = clRed;
    };
    list.SetColumnOrder([] {
        QVector<int> order(300);
        for (int i = 0; i < 300; ++i)
            order[i] = 299 - i;
        return order;
    }());
    EXPECT_EQ(list.ColumnPosition(299), 0);
    const QRect red = colourBounds(rows(), clRed, QRect(0, 0, list.viewport()->width(), 13));
    EXPECT_EQ(red, QRect(0, 0, 30, 13)) << "the last column, moved to the front";

    list.SetColumnOrder([] {
        QVector<int> order(300);
        for (int i = 0; i < 300; ++i)
            order[i] = i;
        return order;
    }());
    list.horizontalScrollBar()->setValue(list.horizontalScrollBar()->maximum());
    const QImage image = rows();
    const QRect atEnd = colourBounds(image, clRed, QRect(0, 0, image.width(), 13));
    EXPECT_EQ(atEnd.width(), 30);
    EXPECT_EQ(atEnd.right(), image.width() - 1) << "the last column ends at the right edge";
}

TEST_F(AdvListVDrawTest, checkBoxClickTogglesWithoutSelecting)
{
    addColumns({100, 100});
    list.SetItemHeight(20);
    list.SetCheckboxes(true);
    TListItem* item = addRow({u("a"), u("b")});
    const TRect box = list.GetItemRect(0, 0);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(9, 10));
    EXPECT_TRUE(item->GetChecked());
    EXPECT_FALSE(item->GetSelected());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(box.Left + 10, 10));
    EXPECT_TRUE(item->GetChecked()) << "a click beside the box";
    EXPECT_TRUE(item->GetSelected());
}
