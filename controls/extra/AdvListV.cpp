#include "AdvListV.h"

#include "HeaderFilterBar.h"
#include "ListViewHeader.h"

#include <QHeaderView>
#include <QPixmap>
#include <QScrollBar>
#include <QToolTip>
#include <array>

namespace {

const QString ProgressPrefix = QStringLiteral("{|");

// The list styles of the extended style set, in the order of TLVExtendedStyle.
constexpr std::array<unsigned, 8> ApiStyles = {
    LVS_EX_GRIDLINES,      LVS_EX_SUBITEMIMAGES, LVS_EX_CHECKBOXES,       LVS_EX_TRACKSELECT,
    LVS_EX_HEADERDRAGDROP, LVS_EX_FULLROWSELECT, LVS_EX_ONECLICKACTIVATE, LVS_EX_TWOCLICKACTIVATE,
};

constexpr unsigned AllApiStyles = LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_CHECKBOXES | LVS_EX_TRACKSELECT |
                                  LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE |
                                  LVS_EX_TWOCLICKACTIVATE;

} // namespace

TCellKind CellKindOf(const QString& text)
{
    if (text.startsWith(QLatin1String("{\\")))
        return TCellKind::RichText;
    if (text.startsWith(ProgressPrefix))
        return TCellKind::Progress;
    if (text.contains(QLatin1String("</")))
        return TCellKind::Markup;
    return TCellKind::Plain;
}

bool IsLinkText(const QString& text)
{
    return text.contains(QLatin1String("://")) || text.contains(QLatin1String("mailto:"));
}

int ProgressValue(const QString& text)
{
    if (!text.contains(ProgressPrefix))
        return 0;
    bool ok = false;
    const int value = QStringView(text).mid(ProgressPrefix.size()).toInt(&ok);
    return ok ? value : 0;
}

TAdvListView::TAdvListView(QWidget* Owner)
    : TListView(Owner), pictureCache(std::make_unique<THTMLPictureCache>()), headerView(new ListViewHeader(this))
{
    SetHeaderView(headerView);
    SetOwnerDraw(true);
    setMouseTracking(true);
    const auto repaint = [this](QObject*) { viewport()->update(); };
    detailView.OnChange = repaint;
    wallpaper.OnChange = [this](TGraphic*) { WallPaperChanged(); };
    columnSize.OnChange = [this](QObject*) { StretchRightColumn(); };
    connect(headerView, &QHeaderView::sectionResized, this, [this] {
        headerItemChanged();
        StretchRightColumn();
    });
    connect(headerView, &QHeaderView::sectionHandleDoubleClicked, this, [this] { headerItemChanged(); });
    connect(headerView, &QHeaderView::sectionCountChanged, this, [this](int, int count) {
        if (headerItems.size() > count)
            headerItems.resize(count);
        StretchRightColumn();
    });
    HeaderFilterBar* filters = headerView->filterBar();
    filters->setTimeout(filterTimeOut);
    filters->onChange = [this](int column) {
        if (OnFilterChange)
            OnFilterChange(this, column);
    };
    filters->onButtonClick = [this](int column) {
        if (OnFilterBtnClick)
            OnFilterBtnClick(this, column);
    };
    connect(&scrollTimer, &QTimer::timeout, this, &TAdvListView::ScrollTimerTick);
    connect(verticalScrollBar(), &QScrollBar::sliderMoved, this, &TAdvListView::showScrollHint);
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [] { QToolTip::hideText(); });
}

TAdvListView::~TAdvListView()
{
    SaveColumnSizes();
}

void TAdvListView::Loaded()
{
    loadedCursor = viewport()->cursor();
    SetViewStyle(vsReport);
    WallPaperChanged();
    SetHeaderHeight(headerHeight);
    for (int c = 0; c < Columns().Count(); ++c)
        UpdateHeaderOD(c);
    ShowFilter(filterBar);
}

QString TAdvListView::GetTextAtColRow(int ACol, int ARow) const
{
    if (ACol < 0)
        return QString();
    if (ARow < 0) {
        const TListColumn* column = Columns()[ACol];
        return column ? column->GetCaption() : QString();
    }
    const TListItem* item = Items()[ARow];
    if (!item)
        return QString();
    return ACol == 0 ? item->GetCaption() : item->SubItems().Get(ACol - 1);
}

void TAdvListView::SetTextAtColRow(int ACol, int ARow, const QString& Value)
{
    TListItem* item = Items()[ARow];
    if (!item || ACol < 0 || ACol >= Columns().Count())
        return;
    if (ACol == 0) {
        item->SetCaption(Value);
        return;
    }
    QStringList texts = item->SubItems().Texts();
    while (texts.size() < ACol)
        texts.append(QString());
    texts[ACol - 1] = Value;
    item->SubItems().SetTexts(texts);
}

void TAdvListView::SetProgress(int ItemIndex, int ColIndex, int Value)
{
    SetTextAtColRow(ColIndex, ItemIndex, ProgressPrefix + QString::number(Value));
}

int TAdvListView::GetProgress(int ItemIndex, int ColIndex) const
{
    return ProgressValue(GetTextAtColRow(ColIndex, ItemIndex));
}

void TAdvListView::SetSubItemImage(int ItemIndex, int SubItemIndex, int ImageIndex)
{
    TListItem* item = Items()[ItemIndex];
    const int column = SubItemIndex + 1;
    if (!item || column < 0 || column >= Columns().Count())
        return;
    if (column == 0)
        item->SetImageIndex(ImageIndex);
    else
        item->SetCellImage(column, ImageIndex);
}

int TAdvListView::GetSubItemImage(int ItemIndex, int SubItemIndex) const
{
    const TListItem* item = Items()[ItemIndex];
    const int column = SubItemIndex + 1;
    if (!GetSubImages() || !item || column < 0 || column >= Columns().Count())
        return -1;
    return column == 0 ? item->GetImageIndex() : item->GetCellImage(column);
}

void TAdvListView::SetItemIndent(int ItemIndex, int SubItemIndex, int Indent)
{
    TListItem* item = Items()[ItemIndex];
    if (item && SubItemIndex >= 0 && SubItemIndex < Columns().Count())
        item->SetIndent(SubItemIndex, Indent);
}

int TAdvListView::GetItemIndent(int ItemIndex, int SubItemIndex) const
{
    const TListItem* item = Items()[ItemIndex];
    if (!item || SubItemIndex < 0 || SubItemIndex >= Columns().Count())
        return 0;
    return item->GetIndent(SubItemIndex);
}

void TAdvListView::ClearInit(int RowCount, int ColCount)
{
    Items().BeginUpdate();
    Items().Clear();
    while (Columns().Count() < ColCount)
        Columns().Add();
    for (int c = 0; c < ColCount; ++c)
        Columns()[c]->SetCaption(QString());
    const QStringList emptyCells(qMax(0, ColCount), QString());
    for (int r = 0; r < RowCount; ++r) {
        TListItem* item = Items().Add();
        item->SetImageIndex(-1);
        item->SubItems().SetTexts(emptyCells);
        for (int column = 1; column <= ColCount; ++column)
            item->SetCellImage(column, -1);
    }
    Items().EndUpdate();
}

void TAdvListView::Clear()
{
    Items().Clear();
    Columns().Clear();
}

TRect TAdvListView::GetItemRect(int Item, int SubItem) const
{
    const TListItem* item = Items()[Item];
    if (!item || !Columns()[SubItem])
        return TRect{};
    return layoutCell(*item, SubItem, drawnCell(cellArea(drawnRowRect(RowRect(Item))), SubItem)).text;
}

bool TAdvListView::GetIndexAtPoint(int X, int Y, int& iItem, int& iSubItem) const
{
    int row = -1;
    int column = -1;
    if (!HitTest(Point(X, Y), row, column))
        return false;
    iItem = row;
    iSubItem = column;
    return true;
}

QString TAdvListView::GetTextAtPoint(int X, int Y) const
{
    int row = -1;
    int column = -1;
    if (!GetIndexAtPoint(X, Y, row, column))
        return QString();
    return GetTextAtColRow(column, row);
}

void TAdvListView::BeginUpdate()
{
    ++updateCount;
    setUpdatesEnabled(false);
}

void TAdvListView::EndUpdate()
{
    if (updateCount == 0)
        return;
    if (--updateCount > 0)
        return;
    SetHeaderOwnerDraw(headerOwnerDraw);
    setUpdatesEnabled(true);
}

TLVExtendedStyles TAdvListView::GetExtendedStyles() const
{
    TLVExtendedStyles styles = 0;
    for (std::size_t style = 0; style < ApiStyles.size(); ++style)
        if (GetExtendedStyle() & ApiStyles[style])
            styles |= 1u << style;
    return styles;
}

void TAdvListView::SetExtendedStyles(TLVExtendedStyles Value)
{
    unsigned flags = 0;
    for (std::size_t style = 0; style < ApiStyles.size(); ++style)
        if (Value & (1u << style))
            flags |= ApiStyles[style];
    SetExtendedStyle(AllApiStyles, flags);
}

void TAdvListView::SetExtendedViewStyle(unsigned Style, bool Enable)
{
    SetExtendedStyle(Style, Enable ? Style : 0);
}

QString TAdvListView::GetVersionString() const
{
    return GetVersion() + QStringLiteral(" Sep, 2008");
}

void TAdvListView::SetHoverTime(int Value)
{
    hoverTime = Value;
}

void TAdvListView::SetPictureContainer(TPictureContainer* Value)
{
    pictureContainer = Value;
    viewport()->update();
}

void TAdvListView::SetSelectionColor(TColor Value)
{
    selectionColor = Value;
    viewport()->update();
}

void TAdvListView::SetSelectionTextColor(TColor Value)
{
    selectionTextColor = Value;
    viewport()->update();
}

void TAdvListView::SetURLColor(TColor Value)
{
    urlColor = Value;
    viewport()->update();
}

void TAdvListView::SetURLShow(bool Value)
{
    urlShow = Value;
    viewport()->update();
}

void TAdvListView::SetURLFull(bool Value)
{
    urlFull = Value;
    viewport()->update();
}

void TAdvListView::SetVAlignment(TVAlignment Value)
{
    vAlignment = Value;
    viewport()->update();
}

void TAdvListView::SetWallpaper(const TBitmap* Value)
{
    wallpaper.Assign(Value);
    WallPaperChanged();
}

void TAdvListView::SetWordWrap(bool Value)
{
    wordWrap = Value;
    viewport()->update();
}

void TAdvListView::SetItemHeight(int Value)
{
    if (Value <= 0 || Value == itemHeight)
        return;
    itemHeight = Value;
    RowHeightChanged();
}

void TAdvListView::SelectionChanged(int) {}

void TAdvListView::LeftClickCell(int iItem, int iSubItem)
{
    if (OnLeftClickCell)
        OnLeftClickCell(this, iItem, iSubItem);
}

void TAdvListView::RightClickCell(int iItem, int iSubItem)
{
    if (OnRightClickCell)
        OnRightClickCell(this, iItem, iSubItem);
}

void TAdvListView::QueryDrawProp(int ItemIndex, int SubItemIndex, TOwnerDrawState AState, TBrush& ABrush, TFont& AFont,
                                 const QString& ItemText)
{
    if (OnDrawItemProp)
        OnDrawItemProp(this, ItemIndex, SubItemIndex, AState, ABrush, AFont, ItemText);
}

void TAdvListView::WallPaperChanged()
{
    SetBackgroundBrush(wallpaper.GetEmpty() ? QBrush() : QBrush(QPixmap::fromImage(wallpaper.Image())));
    viewport()->update();
}

void TAdvListView::RowsSelected(const QVector<int>& rows)
{
    for (const int row : rows)
        SelectionChanged(row);
}

void TAdvListView::resizeEvent(QResizeEvent* event)
{
    const int sorted = sortColumn;
    TListView::resizeEvent(event);
    SetSortImage(sorted);
    StretchRightColumn();
}

void TAdvListView::scrollContentsBy(int dx, int dy)
{
    TListView::scrollContentsBy(dx, dy);
    if (dx != 0)
        headerView->filterBar()->layout();
    // Qt moves the painted rows; a wallpaper is fixed to the rows' area, so everything is painted again.
    if (dy != 0 && !wallpaper.GetEmpty() && wallpaper.GetHeight() != itemHeight)
        viewport()->update();
}

int TAdvListView::columnWidth(int column) const
{
    return header()->sectionSize(column);
}
