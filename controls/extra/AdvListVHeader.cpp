// The list view's header and columns: the header's looks and height, the items the list draws itself, the sort
// indicator, the header's notifications, and column widths and order.
#include "AdvListV.h"

#include "HTMLText.h"
#include "HeaderFilterBar.h"
#include "IniFile.h"
#include "ListViewHeader.h"

namespace {

// Room of an image or of the sort indicator in a header item.
constexpr int HeaderImageRoom = 16;
constexpr int IndicatorGap = 2;
// Room AutoSizeColumn adds to the widest cell, and a check box's.
constexpr int AutoSizeRoom = 10;
constexpr int CheckBoxWidth = 16;
// Markup is measured without a limit.
constexpr int Unlimited = 65535;

unsigned headerAlignment(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return HDF_RIGHT;
    case taCenter:
        return HDF_CENTER;
    case taLeftJustify:
        break;
    }
    return HDF_LEFT;
}

// Sets a flag for the length of a scope.
class FlagScope
{
public:
    explicit FlagScope(bool& flag) : flag(flag) { flag = true; }
    ~FlagScope() { flag = false; }

private:
    bool& flag;
};

} // namespace

TAdvListView::HeaderItem& TAdvListView::headerItem(int column)
{
    while (headerItems.size() <= column)
        headerItems.append(HeaderItem{defaultHeaderFormat(int(headerItems.size()))});
    return headerItems[column];
}

unsigned TAdvListView::defaultHeaderFormat(int column) const
{
    if (headerOwnerDraw)
        return HDF_OWNERDRAW;
    const TListColumn* c = Columns()[column];
    return HDF_STRING | (c ? headerAlignment(c->GetAlignment()) : HDF_LEFT);
}

void TAdvListView::SetHeaderColor(TColor Value)
{
    headerColor = Value;
    header()->viewport()->update();
}

void TAdvListView::SetHeaderHotTrack(bool Value)
{
    headerHotTrack = Value;
    header()->setAttribute(Qt::WA_Hover, Value);
}

void TAdvListView::SetHeaderFlatStyle(bool Value)
{
    headerFlatStyle = Value;
    header()->setSectionsClickable(!Value);
}

void TAdvListView::SetHeaderFont(const TFont& Value)
{
    headerFont = Value;
    headerFontChange();
}

void TAdvListView::headerFontChange()
{
    // A header the list draws takes its height from HeaderHeight and its font only when drawing.
    if (headerOwnerDraw)
        return;
    header()->setFont(headerFont.ToQFont());
    headerLayoutChanged();
}

void TAdvListView::SetHeaderImages(TImageList* Value)
{
    headerImages = Value;
    header()->viewport()->update();
}

void TAdvListView::SetHeaderHeight(int Value)
{
    headerHeight = Value;
    if (headerOwnerDraw) {
        setHeaderSize(Value);
        header()->viewport()->update();
    }
}

void TAdvListView::setHeaderSize(int)
{
    if (!headerOwnerDraw)
        return;
    headerLayoutChanged();
    viewport()->update();
}

void TAdvListView::headerLayoutChanged()
{
    header()->updateGeometry();
    updateGeometries();
}

void TAdvListView::SetHeaderOwnerDraw(bool Value)
{
    if (settingHeaderOwnerDraw || updateCount > 0)
        return;
    const FlagScope running(settingHeaderOwnerDraw);
    const bool switchingOff = headerOwnerDraw && !Value;
    headerOwnerDraw = Value;
    bool changed = false;
    for (int c = 0; c < Columns().Count(); ++c) {
        HeaderItem& item = headerItem(c);
        const unsigned format = defaultHeaderFormat(c);
        changed = changed || item.format != format;
        item.format = format;
        item.bitmap = nullptr;
    }
    if (switchingOff || !Value)
        headerFontChange();
    else if (changed)
        SetHeaderHeight(headerHeight);
    headerLayoutChanged();
    // The items' new formats lose the sort indicator; it comes back as after any change of an item.
    headerItemChanged();
}

void TAdvListView::UpdateHeaderOD(int Column)
{
    if (!Columns()[Column])
        return;
    HeaderItem& item = headerItem(Column);
    if (headerOwnerDraw) {
        item.format = HDF_OWNERDRAW;
    } else {
        item.format |= HDF_STRING;
        const bool sorted = sortShow && Column == sortColumn;
        if (headerImages && sorted)
            item.format |= HDF_IMAGE;
        else
            item.format &= ~HDF_IMAGE;
        // The sort indicator shows on the sorted column alone.
        if (!sorted)
            item.format &= ~HDF_BITMAP;
    }
    header()->viewport()->update();
}

void TAdvListView::UpdateAlignment(int Column)
{
    const TListColumn* column = Columns()[Column];
    if (!column)
        return;
    HeaderItem& item = headerItem(Column);
    item.format = headerOwnerDraw ? HDF_OWNERDRAW : HDF_STRING | headerAlignment(column->GetAlignment());
    header()->viewport()->update();
}

void TAdvListView::SetColumnImage(int Column, int ImageIndex)
{
    TListColumn* column = Columns()[Column];
    if (!column)
        return;
    HeaderItem& item = headerItem(Column);
    item.format = HDF_STRING | headerAlignment(column->GetAlignment());
    if (ImageIndex >= 0)
        item.format |= HDF_IMAGE | (sortIndicator == siRight ? HDF_BITMAP_ON_RIGHT : 0);
    column->SetImageIndex(ImageIndex);
    if (headerImages && ImageIndex >= 0 && ImageIndex < headerImages->Count())
        item.image = ImageIndex;
    UpdateHeaderOD(Column);
}

int TAdvListView::GetColumnImage(int Column) const
{
    const TListColumn* column = Columns()[Column];
    return column ? column->GetImageIndex() : -1;
}

void TAdvListView::SetSortImage(int Column)
{
    const TListColumn* column = Columns()[Column];
    if (!column)
        return;
    for (int c = 0; c < Columns().Count(); ++c)
        UpdateHeaderOD(c);
    if (!sortShow)
        return;
    const bool ascending = sortDirection == sdAscending;
    if (!sortUpGlyph.GetEmpty() && !sortDownGlyph.GetEmpty()) {
        HeaderItem& item = headerItem(Column);
        item.bitmap = ascending ? &sortUpGlyph : &sortDownGlyph;
        item.format = headerOwnerDraw ? HDF_OWNERDRAW
                                      : headerAlignment(column->GetAlignment()) | HDF_BITMAP | HDF_STRING |
                                            (sortIndicator == siRight ? HDF_BITMAP_ON_RIGHT : 0);
        header()->viewport()->update();
    } else if (headerImages) {
        SetColumnImage(Column, ascending ? 0 : 1);
    }
}

void TAdvListView::DrawHeaderItem(TCanvas& Canvas, int Item, TRect R)
{
    // Each item shows its own column's caption, wherever the column was dragged.
    const TListColumn* column = Columns()[Item];
    if (!column)
        return;
    Canvas.Brush = TBrush{headerColor == clNone ? clBtnFace : headerColor, bsSolid};
    Canvas.FillRect(R);
    Canvas.Pen = TPen{clGray, 1, psSolid};
    Canvas.MoveTo(R.Right - 1, R.Top);
    Canvas.LineTo(R.Right - 1, R.Bottom);
    R = Rect(R.Left + 2, R.Top + 1, R.Right - 2, R.Bottom - 1);

    const unsigned alignment = DrawTextAlignment(column->GetAlignment());
    if (headerImages && column->GetImageIndex() >= 0 && !sortShow) {
        headerImages->Draw(Canvas, R.Left, R.Top, column->GetImageIndex());
        R.Left += HeaderImageRoom;
    }
    const bool indicator = Item == sortColumn && sortColumn != -2 && sortShow;
    if (indicator) {
        if (sortIndicator == siLeft)
            R.Left += HeaderImageRoom;
        else
            R.Right -= HeaderImageRoom;
    }

    Canvas.Font = headerFont;
    Canvas.Brush.Style = bsClear;
    const QString caption = column->GetCaption();
    int captionWidth = 0;
    if (caption.contains(QLatin1String("</"))) {
        QString anchor;
        QString plain;
        int height = 0;
        MarkupRenderDefault(&Canvas, caption, R, GetSmallImages(), 0, 0, false, false, false, false, false, 1.0,
                            urlColor, anchor, plain, captionWidth, height);
    } else {
        const unsigned flags = caption.contains(u'\r') ? alignment : alignment | DT_SINGLELINE | DT_END_ELLIPSIS;
        TRect text = R;
        Canvas.DrawText(caption, text, flags);
        TRect measured = R;
        Canvas.DrawText(caption, measured, flags | DT_CALCRECT);
        captionWidth = measured.Width();
    }
    if (sortIndicator == siRight)
        R.Right = qMin(R.Left + captionWidth, R.Right);
    if (!indicator)
        return;

    if (sortIndicator == siLeft)
        R.Left -= HeaderImageRoom;
    else
        R.Left = R.Right;
    // The list's own header shows the other glyph than Qt's look does for the same direction.
    const bool ascending = sortDirection == sdAscending;
    if (!sortDownGlyph.GetEmpty() && !sortUpGlyph.GetEmpty()) {
        TBitmap& glyph = ascending ? sortDownGlyph : sortUpGlyph;
        const int offset =
            sortDownGlyph.GetHeight() < headerHeight ? (headerHeight - sortDownGlyph.GetHeight()) / 2 : 0;
        glyph.SetTransparentMode(tmAuto);
        glyph.SetTransparent(true);
        Canvas.Draw(R.Left, R.Top + offset, &glyph);
    } else if (headerImages) {
        const int offset = qMax(0, (headerHeight - headerImages->GetHeight()) / 2);
        headerImages->Draw(Canvas, R.Left, R.Top + offset, ascending ? 0 : 1);
    }
}

bool TAdvListView::columnTrackBegins(int column)
{
    bool allow = true;
    if (OnStartColumnTrack)
        OnStartColumnTrack(this, column, allow);
    tracking = allow;
    return allow;
}

void TAdvListView::columnTrackEnded(int column)
{
    tracking = false;
    if (OnEndColumnTrack)
        OnEndColumnTrack(this, column);
    SetSortImage(sortColumn);
    SetHeaderOwnerDraw(headerOwnerDraw);
    if (OnColumnSized)
        OnColumnSized(this, column);
    UpdateAlignment(column);
    // The new width is set last: the item changes once more.
    headerItemChanged();
}

void TAdvListView::headerItemChanged()
{
    if (tracking)
        return;
    const FlagScope changing(tracking);
    for (int c = 0; c < Columns().Count(); ++c)
        UpdateHeaderOD(c);
    if (detailView.GetVisible())
        viewport()->update();
    SetSortImage(sortColumn);
}

void TAdvListView::columnRightClicked(int column)
{
    if (OnColumnRClick)
        OnColumnRClick(this, column);
}

void TAdvListView::SetFilterBar(bool Value)
{
    if (filterBar == Value)
        return;
    filterBar = Value;
    ShowFilter(Value);
}

void TAdvListView::ShowFilter(bool Value)
{
    headerView->filterBar()->setShown(Value);
    headerLayoutChanged();
}

void TAdvListView::SetFilterTimeOut(int Value)
{
    filterTimeOut = Value;
    headerView->filterBar()->setTimeout(Value);
}

void TAdvListView::EditFilter(int Column)
{
    headerView->filterBar()->edit(Column);
}

QString TAdvListView::GetFilter(int Column, int FilterType) const
{
    return headerView->filterBar()->filter(Column, FilterType);
}

void TAdvListView::SetFilter(int Column, int FilterType, int Value, const QString& Text)
{
    headerView->filterBar()->setFilter(Column, FilterType, Value, Text);
}

bool TAdvListView::IsFilterTimerRunning() const
{
    return headerView->filterBar()->timerRunning();
}

void TAdvListView::FilterTimerTick()
{
    headerView->filterBar()->tick();
}

void TAdvListView::StretchRightColumn()
{
    const int count = Columns().Count();
    if (count == 0 || !columnSize.GetStretch() || stretching)
        return;
    const FlagScope running(stretching);
    const int clientWidth = viewport()->width();
    if (count == 1) {
        Columns()[0]->SetWidth(clientWidth);
        return;
    }
    int others = 0;
    for (int c = 0; c < count - 1; ++c)
        others += Columns()[c]->GetWidth();
    const int room = clientWidth - others;
    if (room > 0)
        Columns()[count - 1]->SetWidth(room - 1);
}

void TAdvListView::SetStretchColumn(bool Value)
{
    stretchColumn = Value;
    columnSize.SetStretch(Value);
}

void TAdvListView::AutoSizeColumn(int Column)
{
    if (Items().Count() == 0 || !Columns()[Column])
        return;
    TCanvas canvas;
    int widest = 0;
    for (int row = 0; row < Items().Count(); ++row) {
        const TListItem* item = Items()[row];
        QString text = GetTextAtColRow(Column, row);
        if (CellKindOf(text) == TCellKind::RichText)
            text = richPlainText(row, Column - 1);
        canvas.Font = GetFont();
        canvas.Brush = TBrush{GetColor(), bsSolid};
        QueryDrawProp(row, Column - 1, 0, canvas.Brush, canvas.Font, text);
        int width = 0;
        if (text.contains(QLatin1String("</"))) {
            QString anchor;
            QString plain;
            int height = 0;
            MarkupRenderDefault(&canvas, text, Rect(0, 0, Unlimited, Unlimited), GetSmallImages(), 0, 0, false, true,
                                false, false, false, 1.0, urlColor, anchor, plain, width, height);
        } else {
            width = canvas.TextWidth(text);
        }
        const int image = Column == 0 ? item->GetImageIndex() : GetSubItemImage(row, Column - 1);
        if (GetSmallImages() && image != -1)
            width += GetSmallImages()->GetWidth();
        if (Column == 0 && GetCheckboxes())
            width += CheckBoxWidth;
        widest = qMax(widest, width);
    }
    Columns()[Column]->SetWidth(widest + AutoSizeRoom);
}

void TAdvListView::AutoSizeColumns()
{
    BeginUpdate();
    for (int c = 0; c < Columns().Count(); ++c)
        AutoSizeColumn(c);
    EndUpdate();
}

void TAdvListView::LoadColumnSizes()
{
    if (!columnSize.GetSave() || columnSize.GetKey().isEmpty() || columnSize.GetSection().isEmpty())
        return;
    const TIniFile store(PersistenceFile(columnSize.GetKey(), columnSize.GetStorage() == stRegistry));
    for (int c = 0; c < Columns().Count(); ++c) {
        const int width = store.ReadInteger(columnSize.GetSection(), QStringLiteral("col%1").arg(c), -1);
        if (width != -1)
            Columns()[c]->SetWidth(width);
    }
}

void TAdvListView::SaveColumnSizes()
{
    if (!columnSize.GetSave() || columnSize.GetKey().isEmpty() || columnSize.GetSection().isEmpty())
        return;
    TIniFile store(PersistenceFile(columnSize.GetKey(), columnSize.GetStorage() == stRegistry));
    for (int c = 0; c < Columns().Count(); ++c)
        store.WriteInteger(columnSize.GetSection(), QStringLiteral("col%1").arg(c), Columns()[c]->GetWidth());
    store.UpdateFile();
}

int TAdvListView::IndexOfColumn(int Position) const
{
    const QVector<int> order = GetColumnOrder();
    return Position >= 0 && Position < order.size() ? order[Position] : -1;
}

void TAdvListView::SwapColumns(int PosA, int PosB)
{
    QVector<int> order = GetColumnOrder();
    if (PosA == PosB || PosA < 0 || PosB < 0 || PosA >= order.size() || PosB >= order.size())
        return;
    order.swapItemsAt(PosA, PosB);
    SetColumnOrder(order);
    viewport()->update();
}

void TAdvListView::MoveColumn(int FromPos, int ToPos)
{
    QVector<int> order = GetColumnOrder();
    if (FromPos == ToPos || FromPos < 0 || ToPos < 0 || FromPos >= order.size() || ToPos >= order.size())
        return;
    order.move(FromPos, ToPos);
    SetColumnOrder(order);
    viewport()->update();
}
