#include "ListView.h"

#include "Fonts.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <algorithm>
#include <utility>

namespace {

constexpr int DefaultColumnWidth = 50;
constexpr int CheckBoxSide = 14;
constexpr int CheckBoxInset = 2;
// Room around the text of a row of the font's height.
constexpr int RowTextRoom = 2;
// The grid between rows and columns.
constexpr TColor GridLineColor = clBtnFace;

// Every row is as high as the list says.
class RowDelegate : public QStyledItemDelegate
{
public:
    explicit RowDelegate(TListView* view) : QStyledItemDelegate(view), view(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), view->RowHeight());
    }

private:
    TListView* view;
};

// Whether order holds every index below count once.
bool isOrderOf(const QVector<int>& order, int count)
{
    if (order.size() != count)
        return false;
    QVector<bool> seen(count, false);
    for (const int i : order) {
        if (i < 0 || i >= count || seen[i])
            return false;
        seen[i] = true;
    }
    return true;
}

// The in-place editor: Return keeps the text, Esc drops it, leaving it keeps it.
class CellEditor : public QPlainTextEdit
{
public:
    CellEditor(QWidget* parent, std::function<void(bool keep)> finish) : QPlainTextEdit(parent), finish(finish)
    {
        setFrameShape(QFrame::Box);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setLineWrapMode(NoWrap);
        document()->setDocumentMargin(1);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier)
            finish(true);
        else if (event->key() == Qt::Key_Escape)
            finish(false);
        else
            QPlainTextEdit::keyPressEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        QPlainTextEdit::focusOutEvent(event);
        // A menu opened over the editor takes the focus only for a moment.
        if (event->reason() != Qt::PopupFocusReason)
            finish(true);
    }

private:
    std::function<void(bool)> finish;
};

} // namespace

// The rows and columns as Qt's views see them. The lists change their content and tell the views through the
// model's notifications.
class ListViewModel : public QAbstractTableModel
{
public:
    explicit ListViewModel(TListView* view) : QAbstractTableModel(view), view(view) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : view->Items().Count();
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : view->Columns().Count();
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const TListItem* item = view->Items()[index.row()];
        if (!item)
            return QVariant();
        const int column = index.column();
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return column == 0 ? item->GetCaption() : item->SubItems().Get(column - 1);
        case Qt::CheckStateRole:
            if (column == 0 && view->GetCheckboxes())
                return item->GetChecked() ? Qt::Checked : Qt::Unchecked;
            break;
        case Qt::DecorationRole:
            if (view->GetSmallImages()) {
                const int image = column == 0                                       ? item->GetImageIndex()
                                  : view->GetExtendedStyle() & LVS_EX_SUBITEMIMAGES ? item->GetCellImage(column)
                                                                                    : -1;
                if (image >= 0)
                    return view->GetSmallImages()->GetImage(image);
            }
            break;
        case Qt::TextAlignmentRole:
            if (const TListColumn* c = view->Columns()[column])
                return QVariant::fromValue(QtAlignment(c->GetAlignment()));
            break;
        default:
            break;
        }
        return QVariant();
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        TListItem* item = view->Items()[index.row()];
        if (!item || role != Qt::CheckStateRole)
            return false;
        item->SetChecked(value.value<Qt::CheckState>() == Qt::Checked);
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        // A list that draws itself takes the clicks on its check boxes itself.
        if (index.column() == 0 && view->GetCheckboxes() && !view->GetOwnerDraw())
            f |= Qt::ItemIsUserCheckable;
        return f;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        const TListColumn* column = orientation == Qt::Horizontal ? view->Columns()[section] : nullptr;
        if (!column)
            return QVariant();
        if (role == Qt::DisplayRole)
            return column->GetCaption();
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(QtAlignment(column->GetAlignment()));
        return QVariant();
    }

private:
    friend class TListItems;
    friend class TListColumns;
    friend class TListColumn;
    TListView* view;
};

// TListSubItems

QString TListSubItems::Get(int index) const
{
    return index >= 0 && index < Count() ? texts[index] : QString();
}

void TListSubItems::Put(int index, const QString& text)
{
    if (index < 0 || index >= Count() || texts[index] == text)
        return;
    texts[index] = text;
    owner->changed();
}

int TListSubItems::Add(const QString& text)
{
    texts.append(text);
    owner->changed();
    return Count() - 1;
}

void TListSubItems::SetTexts(const QStringList& value)
{
    texts = value;
    owner->changed();
}

// TListItem

TListItem::TListItem() = default;

void TListItem::SetCaption(const QString& value)
{
    if (caption == value)
        return;
    caption = value;
    changed();
}

void TListItem::SetChecked(bool value)
{
    if (checked == value)
        return;
    checked = value;
    changed();
}

void TListItem::SetImageIndex(int value)
{
    if (imageIndex == value)
        return;
    imageIndex = value;
    changed();
}

int TListItem::GetIndent(int column) const
{
    return column >= 0 && column < indents.size() ? indents[column] : 0;
}

void TListItem::SetIndent(int column, int steps)
{
    if (column < 0 || GetIndent(column) == steps)
        return;
    if (column >= indents.size())
        indents.resize(column + 1, 0);
    indents[column] = steps;
    changed();
}

int TListItem::GetCellImage(int column) const
{
    return column >= 1 && column < cellImages.size() ? cellImages[column] : -1;
}

void TListItem::SetCellImage(int column, int imageIndex)
{
    if (column < 1 || GetCellImage(column) == imageIndex)
        return;
    if (column >= cellImages.size())
        cellImages.resize(column + 1, -1);
    cellImages[column] = imageIndex;
    changed();
}

TListView* TListItem::GetListView() const
{
    return owner ? owner->owner : nullptr;
}

bool TListItem::GetSelected() const
{
    const TListView* view = GetListView();
    return view && view->selectionModel()->isSelected(view->rowIndex(index));
}

void TListItem::SetSelected(bool value)
{
    TListView* view = GetListView();
    if (!view || GetSelected() == value)
        return;
    const auto command = value ? QItemSelectionModel::Select : QItemSelectionModel::Deselect;
    view->selectionModel()->select(view->rowIndex(index), command | QItemSelectionModel::Rows);
}

bool TListItem::GetFocused() const
{
    const TListView* view = GetListView();
    return view && view->currentIndex().isValid() && view->currentIndex().row() == index;
}

void TListItem::SetFocused(bool value)
{
    TListView* view = GetListView();
    if (!view || GetFocused() == value)
        return;
    view->selectionModel()->setCurrentIndex(value ? view->rowIndex(index) : QModelIndex(),
                                            QItemSelectionModel::NoUpdate);
}

void TListItem::MakeVisible()
{
    if (TListView* view = GetListView())
        view->scrollTo(view->rowIndex(index));
}

void TListItem::Assign(const TListItem& source)
{
    if (&source == this)
        return;
    caption = source.caption;
    subItems.texts = source.subItems.texts;
    imageIndex = source.imageIndex;
    indents = source.indents;
    cellImages = source.cellImages;
    changed();
}

void TListItem::changed()
{
    if (owner && owner->updateCount == 0)
        owner->owner->repaintRow(index);
}

// TListItems

TListItem* TListItems::GetItem(int index) const
{
    return index >= 0 && index < Count() ? items[index].get() : nullptr;
}

TListItem* TListItems::Add()
{
    return Insert(Count());
}

TListItem* TListItems::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    ListViewModel* model = owner->model;
    model->beginInsertRows(QModelIndex(), index, index);
    auto item = std::make_unique<TListItem>();
    item->owner = this;
    TListItem* added = item.get();
    items.insert(items.begin() + index, std::move(item));
    renumberFrom(index);
    model->endInsertRows();
    return added;
}

void TListItems::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    ListViewModel* model = owner->model;
    model->beginRemoveRows(QModelIndex(), index, index);
    items.erase(items.begin() + index);
    renumberFrom(index);
    model->endRemoveRows();
}

void TListItems::DeleteIf(const std::function<bool(const TListItem&)>& predicate)
{
    std::vector<std::unique_ptr<TListItem>> kept;
    kept.reserve(items.size());
    QVector<TListItem*> selectedKept;
    TListItem* focused = owner->ItemFocused();
    for (std::unique_ptr<TListItem>& item : items) {
        if (predicate(*item))
            continue;
        if (item->GetSelected())
            selectedKept.append(item.get());
        kept.push_back(std::move(item));
    }
    if (kept.size() == items.size()) {
        items = std::move(kept);
        return;
    }
    // Rows that do not follow each other cannot leave a Qt model in one notification: the model starts again,
    // and the rows kept get back their selection and focus.
    ListViewModel* model = owner->model;
    const bool focusedKept =
        focused && std::any_of(kept.begin(), kept.end(), [&](const auto& i) { return i.get() == focused; });
    model->beginResetModel();
    items = std::move(kept);
    renumberFrom(0);
    model->endResetModel();
    QItemSelection selection;
    for (const TListItem* item : selectedKept)
        selection.select(owner->rowIndex(item->index), owner->rowIndex(item->index));
    owner->selectionModel()->select(selection, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (focusedKept)
        focused->SetFocused(true);
}

void TListItems::Clear()
{
    if (items.empty())
        return;
    ListViewModel* model = owner->model;
    model->beginResetModel();
    items.clear();
    model->endResetModel();
}

void TListItems::Reorder(const QVector<int>& order)
{
    if (!isOrderOf(order, Count()))
        return;
    ListViewModel* model = owner->model;
    Q_EMIT model->layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<std::unique_ptr<TListItem>> reordered(items.size());
    QVector<int> newRow(Count());
    for (int i = 0; i < Count(); ++i) {
        reordered[i] = std::move(items[order[i]]);
        newRow[order[i]] = i;
    }
    items = std::move(reordered);
    renumberFrom(0);
    // The selection and the current row are kept as persistent indexes: they move with their rows.
    const QModelIndexList before = model->persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(model->index(newRow[index.row()], index.column()));
    model->changePersistentIndexList(before, after);
    Q_EMIT model->layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TListItems::BeginUpdate()
{
    ++updateCount;
}

void TListItems::EndUpdate()
{
    if (updateCount == 0)
        return;
    if (--updateCount == 0)
        owner->repaintAll();
}

void TListItems::renumberFrom(int index)
{
    for (int i = index; i < Count(); ++i)
        items[i]->index = i;
}

// TListColumn

void TListColumn::SetCaption(const QString& value)
{
    if (caption == value)
        return;
    caption = value;
    Q_EMIT owner->model->headerDataChanged(Qt::Horizontal, index, index);
}

int TListColumn::GetWidth() const
{
    return owner->header()->sectionSize(index);
}

void TListColumn::SetWidth(int value)
{
    owner->header()->resizeSection(index, qMax(0, value));
}

void TListColumn::SetAlignment(TAlignment value)
{
    if (alignment == value)
        return;
    alignment = value;
    Q_EMIT owner->model->headerDataChanged(Qt::Horizontal, index, index);
    owner->repaintAll();
}

void TListColumn::SetImageIndex(int value)
{
    if (imageIndex == value)
        return;
    imageIndex = value;
    Q_EMIT owner->model->headerDataChanged(Qt::Horizontal, index, index);
}

// TListColumns

TListColumn* TListColumns::GetItem(int index) const
{
    return index >= 0 && index < Count() ? columns[index].get() : nullptr;
}

TListColumn* TListColumns::Add()
{
    const int index = Count();
    ListViewModel* model = owner->model;
    model->beginInsertColumns(QModelIndex(), index, index);
    columns.push_back(std::unique_ptr<TListColumn>(new TListColumn(owner, index)));
    model->endInsertColumns();
    owner->header()->resizeSection(index, DefaultColumnWidth);
    return columns.back().get();
}

void TListColumns::Clear()
{
    if (columns.empty())
        return;
    ListViewModel* model = owner->model;
    model->beginRemoveColumns(QModelIndex(), 0, Count() - 1);
    columns.clear();
    model->endRemoveColumns();
}

// TListView

TListView::TListView(QWidget* parent)
    : QTreeView(parent), items(new TListItems(this)), columns(new TListColumns(this)), model(new ListViewModel(this))
{
    setModel(model);
    setItemDelegate(new RowDelegate(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setHorizontalScrollMode(ScrollPerPixel);
    configureHeader();
    QTreeView::setFont(font.ToQFont());
    applyPalette();
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection&) { selectionChangedRows(selected); });
}

TListView::~TListView()
{
    // An edit running while the list goes is dropped, as closing it would.
    delete std::exchange(editor, nullptr);
}

void TListView::configureHeader()
{
    // The items are buttons the user clicks (Qt's view makes them so only while it sorts itself).
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(extendedStyle & LVS_EX_HEADERDRAGDROP);
    header()->setMinimumSectionSize(0);
    header()->setDefaultSectionSize(DefaultColumnWidth);
    header()->setVisible(viewStyle == vsReport);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (TListColumn* c = (*columns)[column])
            ColClick(c);
    });
}

void TListView::SetHeaderView(QHeaderView* view)
{
    setHeader(view);
    configureHeader();
}

void TListView::ColClick(TListColumn* Column)
{
    if (OnColumnClick)
        OnColumnClick(this, Column);
}

QVector<int> TListView::GetColumnOrder() const
{
    QVector<int> order(columns->Count());
    for (int position = 0; position < order.size(); ++position)
        order[position] = header()->logicalIndex(position);
    return order;
}

void TListView::SetColumnOrder(const QVector<int>& order)
{
    if (!isOrderOf(order, columns->Count()))
        return;
    for (int position = 0; position < order.size(); ++position)
        header()->moveSection(header()->visualIndex(order[position]), position);
}

int TListView::ColumnPosition(int column) const
{
    return column >= 0 && column < columns->Count() ? header()->visualIndex(column) : -1;
}

void TListView::SetCheckboxes(bool value)
{
    SetExtendedStyle(LVS_EX_CHECKBOXES, value ? LVS_EX_CHECKBOXES : 0);
}

void TListView::SetGridLines(bool value)
{
    SetExtendedStyle(LVS_EX_GRIDLINES, value ? LVS_EX_GRIDLINES : 0);
}

void TListView::SetRowSelect(bool value)
{
    SetExtendedStyle(LVS_EX_FULLROWSELECT, value ? LVS_EX_FULLROWSELECT : 0);
}

void TListView::SetExtendedStyle(unsigned mask, unsigned value)
{
    const unsigned style = (extendedStyle & ~mask) | (value & mask);
    if (style == extendedStyle)
        return;
    extendedStyle = style;
    header()->setSectionsMovable(style & LVS_EX_HEADERDRAGDROP);
    repaintAll();
}

void TListView::SetHideSelection(bool value)
{
    if (hideSelection == value)
        return;
    hideSelection = value;
    repaintAll();
}

void TListView::SetMultiSelect(bool value)
{
    setSelectionMode(value ? ExtendedSelection : SingleSelection);
}

void TListView::SetOwnerDraw(bool value)
{
    if (ownerDraw == value)
        return;
    ownerDraw = value;
    repaintAll();
}

void TListView::SetViewStyle(TViewStyle value)
{
    viewStyle = value;
    header()->setVisible(value == vsReport);
}

void TListView::SetSmallImages(TImageList* value)
{
    if (smallImages == value)
        return;
    if (smallImages)
        disconnect(smallImages, nullptr, this, nullptr);
    smallImages = value;
    if (value)
        connect(value, &TImageList::Change, this, &TListView::RowHeightChanged);
    RowHeightChanged();
}

void TListView::SetColor(TColor value)
{
    if (color == value)
        return;
    color = value;
    applyPalette();
}

void TListView::SetFont(const TFont& value)
{
    if (font == value)
        return;
    font = value;
    QTreeView::setFont(font.ToQFont());
    applyPalette();
    RowHeightChanged();
}

TListItem* TListView::Selected() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return nullptr;
    const auto first = std::min_element(rows.begin(), rows.end(),
                                        [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    return (*items)[first->row()];
}

TListItem* TListView::ItemFocused() const
{
    return currentIndex().isValid() ? (*items)[currentIndex().row()] : nullptr;
}

TListItem* TListView::GetItemAt(int x, int y) const
{
    int row = -1;
    int column = -1;
    return HitTest(Point(x, y), row, column) ? (*items)[row] : nullptr;
}

bool TListView::HitTest(const TPoint& point, int& row, int& column) const
{
    const QModelIndex index = indexAt(QPoint(point.X, point.Y));
    if (!index.isValid())
        return false;
    row = index.row();
    column = index.column();
    return true;
}

int TListView::VisibleRowCount() const
{
    return viewport()->height() / qMax(1, RowHeight());
}

TRect TListView::RowRect(int row) const
{
    if (row < 0 || row >= items->Count() || columns->Count() == 0)
        return TRect{};
    const QRect cell = visualRect(rowIndex(row));
    if (cell.isEmpty())
        return TRect{};
    const int left = -header()->offset();
    return Rect(left, cell.top(), left + header()->length(), cell.top() + cell.height());
}

TRect TListView::CellRect(int row, int column) const
{
    if (column < 0 || column >= columns->Count())
        return TRect{};
    TRect r = RowRect(row);
    if (r.IsEmpty())
        return TRect{};
    r.Left = header()->sectionViewportPosition(column);
    r.Right = r.Left + header()->sectionSize(column);
    return r;
}

int TListView::RowHeight() const
{
    if (cachedRowHeight < 0)
        cachedRowHeight = const_cast<TListView*>(this)->ItemRowHeight();
    return cachedRowHeight;
}

void TListView::DrawItem(TCanvas&, int, const TRect&, TOwnerDrawState) {}

bool TListView::EditCaption(int row)
{
    if (!(*items)[row])
        return false;
    EndEdit(true);
    if (!BeginLabelEdit(row))
        return false;
    editRow = row;
    editor = new CellEditor(viewport(), [this](bool keep) { EndEdit(keep); });
    // The editor shows line breaks as lines; the list keeps them as CR LF.
    editor->setPlainText(QString(LabelEditText(row)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    editor->selectAll();
    editor->setGeometry(ToQRect(LabelEditRect(row)));
    editor->show();
    editor->setFocus();
    return true;
}

void TListView::EndEdit(bool keep)
{
    if (!editor)
        return;
    QPlainTextEdit* closing = editor;
    const int row = editRow;
    editor = nullptr;
    editRow = -1;
    const QString text = closing->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
    closing->hide();
    closing->deleteLater();
    if (keep && (*items)[row])
        EndLabelEdit(row, text);
    setFocus();
}

bool TListView::BeginLabelEdit(int row)
{
    bool allow = true;
    if (OnEditing)
        OnEditing(this, (*items)[row], allow);
    return allow;
}

QString TListView::LabelEditText(int row) const
{
    return (*items)[row]->GetCaption();
}

TRect TListView::LabelEditRect(int row) const
{
    return CellRect(row, 0);
}

void TListView::EndLabelEdit(int row, const QString& text)
{
    QString s = text;
    TListItem* item = (*items)[row];
    if (OnEdited)
        OnEdited(this, item, s);
    item->SetCaption(s);
}

TRect TListView::CheckBoxRect(int row) const
{
    const TRect cell = CellRect(row, 0);
    if (cell.IsEmpty())
        return TRect{};
    const int top = cell.Top + (cell.Height() - CheckBoxSide) / 2;
    return Rect(cell.Left + CheckBoxInset, top, cell.Left + CheckBoxInset + CheckBoxSide, top + CheckBoxSide);
}

int TListView::ItemRowHeight() const
{
    const int textHeight = Fonts::centredLineHeight(font.ToQFont()) + RowTextRoom;
    return smallImages ? qMax(textHeight, smallImages->GetHeight()) : textHeight;
}

void TListView::RowHeightChanged()
{
    cachedRowHeight = -1;
    scheduleDelayedItemsLayout();
    viewport()->update();
}

void TListView::SetBackgroundBrush(const QBrush& brush)
{
    backgroundBrush = brush;
    applyPalette();
}

void TListView::RowsSelected(const QVector<int>&) {}

void TListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!ownerDraw) {
        QTreeView::drawRow(painter, option, index);
        return;
    }
    const int row = index.row();
    const int left = -header()->offset();
    const TRect rect = Rect(left, option.rect.top(), left + header()->length(), option.rect.bottom() + 1);
    TOwnerDrawState state = 0;
    if (selectionModel()->isSelected(index))
        state |= odSelected;
    if (currentIndex().isValid() && currentIndex().row() == row)
        state |= odFocused;
    painter->save();
    painter->setClipRect(QRect(0, rect.Top, viewport()->width(), rect.Height()), Qt::IntersectClip);
    TCanvas canvas(*painter);
    // Painting is const in Qt's views; the owner's drawing may fire its events.
    const_cast<TListView*>(this)->DrawItem(canvas, row, rect, state);
    painter->restore();
}

void TListView::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
    if (!GetGridLines() || columns->Count() == 0)
        return;
    QPainter painter(viewport());
    paintGridLines(painter, event->rect());
}

void TListView::paintGridLines(QPainter& painter, const QRect& area)
{
    const QColor lineColor = ToQColor(GridLineColor);
    const int height = qMax(1, RowHeight());
    // Lines along the bottom of every row place, below the last row too, as far as the columns reach.
    const int right = header()->length() - header()->offset();
    const int firstTop = items->Count() > 0 ? RowRect(0).Top : 0;
    const int skipped = qMax(0, (area.top() - firstTop) / height);
    for (int y = firstTop + skipped * height + height - 1; y <= area.bottom(); y += height)
        painter.fillRect(QRect(0, y, right, 1), lineColor);
    for (int position = 0; position < columns->Count(); ++position) {
        const int column = header()->logicalIndex(position);
        const int x = header()->sectionViewportPosition(column) + header()->sectionSize(column) - 1;
        painter.fillRect(QRect(x, area.top(), 1, area.height()), lineColor);
    }
}

void TListView::mousePressEvent(QMouseEvent* event)
{
    if (ownerDraw && GetCheckboxes() && event->button() == Qt::LeftButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        const QPoint p = event->position().toPoint();
        if (index.isValid() && CheckBoxRect(index.row()).Contains(Point(p.x(), p.y()))) {
            toggleCheckBox(index.row());
            event->accept();
            return;
        }
    }
    QTreeView::mousePressEvent(event);
}

void TListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && GetCheckboxes() && currentIndex().isValid()) {
        toggleCheckBox(currentIndex().row());
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F2 && !readOnly && currentIndex().isValid()) {
        EditCaption(currentIndex().row());
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void TListView::focusInEvent(QFocusEvent* event)
{
    QTreeView::focusInEvent(event);
    // Selected rows look different without the focus.
    repaintAll();
}

void TListView::focusOutEvent(QFocusEvent* event)
{
    QTreeView::focusOutEvent(event);
    repaintAll();
}

void TListView::repaintRow(int row)
{
    if (!viewport()->isVisible())
        return;
    const TRect r = RowRect(row);
    if (!r.IsEmpty())
        viewport()->update(QRect(0, r.Top, viewport()->width(), r.Height()));
}

void TListView::repaintAll()
{
    viewport()->update();
}

QModelIndex TListView::rowIndex(int row) const
{
    return model->index(row, 0);
}

void TListView::toggleCheckBox(int row)
{
    if (TListItem* item = (*items)[row])
        item->SetChecked(!item->GetChecked());
}

void TListView::applyPalette()
{
    QPalette p = palette();
    p.setBrush(QPalette::Base, backgroundBrush.style() != Qt::NoBrush ? backgroundBrush : QBrush(ToQColor(color)));
    p.setColor(QPalette::Text, ToQColor(font.Color));
    setPalette(p);
}

void TListView::selectionChangedRows(const QItemSelection& selected)
{
    QVector<int> rows;
    for (const QItemSelectionRange& range : selected)
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    if (!rows.isEmpty())
        RowsSelected(rows);
}
