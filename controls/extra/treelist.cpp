#include "treelist.h"

#include "Forms.h"
#include "ImageList.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr int DefaultHeaderTop = 16;
// The header reaches 2 pixels down over the tree.
constexpr int HeaderOverlap = 2;
// A press this near a section's right border sizes the section.
constexpr int SizingZone = 3;
constexpr int LinedSpacing = 4;
constexpr int PlainSpacing = 2;
constexpr int ImageGap = 2;
constexpr int CaptionInset = 2;

// The parts of a text at every occurrence of the separator; an empty separator splits nothing.
QStringList partsOf(const QString& text, const QString& separator)
{
    if (separator.isEmpty())
        return {text};
    return text.split(separator);
}

} // namespace

// ---- Columns --------------------------------------------------------------------------------------------------

TColumnItem::TColumnItem(TColumnCollection* collection) : collection(collection)
{
    if (TTreeList* tree = collection->GetOwner())
        font = TFont::FromQFont(tree->font());
}

template <typename T>
void TColumnItem::change(T& field, const T& value)
{
    field = value;
    collection->Update();
}

void TColumnItem::SetAlignment(TAlignment value)
{
    change(alignment, value);
}
void TColumnItem::SetFont(const TFont& value)
{
    change(font, value);
}
void TColumnItem::SetHeader(const QString& value)
{
    change(header, value);
}
void TColumnItem::SetHeaderAlign(TAlignment value)
{
    change(headerAlign, value);
}
void TColumnItem::SetHeaderImage(int value)
{
    change(headerImage, value);
}
void TColumnItem::SetImage(bool value)
{
    change(image, value);
}
void TColumnItem::SetWidth(int value)
{
    change(width, value);
}

void TColumnItem::Assign(const TColumnItem& source)
{
    width = source.width;
    alignment = source.alignment;
    header = source.header;
    headerAlign = source.headerAlign;
    font = source.font;
    image = source.image;
    collection->Update();
}

TColumnItem* TColumnCollection::Add()
{
    return Insert(Count());
}

TColumnItem* TColumnCollection::Insert(int index)
{
    index = qBound(0, index, Count());
    auto* item = new TColumnItem(this);
    items.insert(items.begin() + index, std::unique_ptr<TColumnItem>(item));
    Update();
    return item;
}

TColumnItem* TColumnCollection::GetItem(int index) const
{
    return index >= 0 && index < Count() ? items[size_t(index)].get() : nullptr;
}

void TColumnCollection::Clear()
{
    items.clear();
    Update();
}

void TColumnCollection::Assign(const TColumnCollection& source)
{
    items.clear();
    for (int i = 0; i < source.Count(); ++i) {
        auto* item = new TColumnItem(this);
        items.emplace_back(item);
        item->Assign(*source.GetItem(i));
        item->SetHeaderImage(source.GetItem(i)->GetHeaderImage());
    }
    Update();
}

void TColumnCollection::Update()
{
    if (owner)
        owner->UpdateColumns();
}

// ---- Header ---------------------------------------------------------------------------------------------------

TTLHeader::TTLHeader(TTreeList* tree, QWidget* parent) : QWidget(parent), tree(tree)
{
    setMouseTracking(true);
}

void TTLHeader::ClearSections()
{
    sections.clear();
    update();
}

void TTLHeader::AddSection(const QString& caption, int width)
{
    sections.push_back({caption, width});
    update();
}

int TTLHeader::GetSectionWidth(int index) const
{
    return index >= 0 && index < SectionCount() ? sections[size_t(index)].width : 0;
}

void TTLHeader::SetSectionWidth(int index, int width)
{
    if (index < 0 || index >= SectionCount())
        return;
    sections[size_t(index)].width = width;
    update();
}

QRect TTLHeader::SectionRect(int index) const
{
    int left = -offset;
    for (int i = 0; i < index && i < SectionCount(); ++i)
        left += sections[size_t(i)].width;
    return QRect(left, 0, GetSectionWidth(index), height());
}

int TTLHeader::SectionAt(int x) const
{
    // Sections are counted while their right borders stay left of the point.
    int passed = 0;
    int sum = -offset;
    while (sum < x && passed < SectionCount())
        sum += sections[size_t(passed++)].width;
    return passed - 1;
}

int TTLHeader::SizingBorderAt(int x) const
{
    if (!allowResize)
        return -1;
    int border = -offset;
    for (int i = 0; i + 1 < SectionCount(); ++i) {
        border += sections[size_t(i)].width;
        if (qAbs(border - x) <= SizingZone)
            return i;
    }
    return -1;
}

void TTLHeader::SetColor(TColor value)
{
    color = value;
    update();
}

void TTLHeader::SetBorderStyle(TBorderStyle value)
{
    borderStyle = value;
    update();
}

void TTLHeader::SetOffset(int value)
{
    if (value == offset)
        return;
    offset = value;
    update();
}

void TTLHeader::paintEvent(QPaintEvent*)
{
    TCanvas canvas(this);
    canvas.Font = TFont::FromQFont(font());
    canvas.Brush.Color = color;
    const int right = width();
    TRect cell = Rect(-offset, 0, -offset, height());
    unsigned alignment = DT_RIGHT;
    const int count = SectionCount();
    if (count == 0) {
        TRect whole = Rect(0, 0, right, height());
        canvas.FillRect(whole);
        DrawEdge(canvas, whole, BDR_RAISEDINNER, BF_RECT);
        return;
    }
    for (int i = 0; i < count && cell.Right < right; ++i) {
        if (const TColumnItem* column = tree->GetColumns().GetItem(i))
            alignment = DrawTextAlignment(column->GetHeaderAlign());
        cell.Left = cell.Right;
        cell.Right = cell.Left + sections[size_t(i)].width;
        if (right - cell.Right < 2 || i == count - 1)
            cell.Right = right;
        canvas.Brush.Color = color;
        canvas.FillRect(cell);
        TRect inner = Rect(cell.Left + CaptionInset, cell.Top + CaptionInset, cell.Right - CaptionInset,
                           cell.Bottom - CaptionInset);
        const TColumnItem* column = tree->GetColumns().GetItem(i);
        if (TImageList* images = tree->GetImages(); images && column && column->GetHeaderImage() >= 0) {
            images->Draw(canvas, inner.Left, inner.Top, column->GetHeaderImage());
            inner.Left += images->GetWidth() + ImageGap;
        }
        canvas.Brush.Style = bsClear;
        canvas.DrawText(sections[size_t(i)].caption, inner, alignment | DT_NOPREFIX | DT_END_ELLIPSIS);
        canvas.Brush.Style = bsSolid;
        TRect edge = cell;
        DrawEdge(canvas, edge, BDR_RAISEDINNER, BF_RECT);
    }
}

void TTLHeader::mousePressEvent(QMouseEvent* event)
{
    const int x = event->position().toPoint().x();
    if (event->button() == Qt::LeftButton) {
        sizing = SizingBorderAt(x);
        if (sizing >= 0) {
            sizingStartX = x;
            sizingStartWidth = GetSectionWidth(sizing);
            return;
        }
        if (OnClick)
            OnClick(this, SectionAt(x));
    } else if (event->button() == Qt::RightButton && OnRightClick) {
        OnRightClick(this, SectionAt(x));
    }
}

void TTLHeader::mouseMoveEvent(QMouseEvent* event)
{
    const int x = event->position().toPoint().x();
    if (sizing >= 0) {
        const int width = qMax(0, sizingStartWidth + x - sizingStartX);
        SetSectionWidth(sizing, width);
        if (OnSectionSized)
            OnSectionSized(this, sizing, width);
        return;
    }
    setCursor(SizingBorderAt(x) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TTLHeader::mouseReleaseEvent(QMouseEvent*)
{
    sizing = -1;
}

// ---- Header settings ------------------------------------------------------------------------------------------

void THeaderSettings::SetAllowResize(bool value)
{
    if (TTLHeader* header = owner->GetHeader())
        header->SetAllowResize(value);
    allowResize = value;
}

TColor THeaderSettings::GetColor() const
{
    const TTLHeader* header = owner->GetHeader();
    return header ? header->GetColor() : clBtnFace;
}

void THeaderSettings::SetColor(TColor value)
{
    if (TTLHeader* header = owner->GetHeader())
        header->SetColor(value);
}

bool THeaderSettings::GetFlat() const
{
    const TTLHeader* header = owner->GetHeader();
    return header && header->GetBorderStyle() == bsNone;
}

void THeaderSettings::SetFlat(bool value)
{
    if (TTLHeader* header = owner->GetHeader())
        header->SetBorderStyle(value ? bsNone : bsSingle);
}

void THeaderSettings::SetFont(const TFont& value)
{
    font = value;
    if (TTLHeader* header = owner->GetHeader())
        header->setFont(font.ToQFont());
}

void THeaderSettings::SetHeight(int value)
{
    height = value;
    if (TTLHeader* header = owner->GetHeader())
        header->resize(header->width(), value);
    owner->placeHeader();
}

void THeaderSettings::SetVisible(bool value)
{
    visible = value;
    if (TTLHeader* header = owner->GetHeader())
        header->setVisible(value && !owner->isHidden());
    owner->placeHeader();
}

// ---- Tree list ------------------------------------------------------------------------------------------------

TTreeList::TTreeList(QWidget* parent)
    : TTreeView(parent)
    , columns(std::make_unique<TColumnCollection>(this))
    , headerSettings(std::make_unique<THeaderSettings>(this))
{
    createHeader();
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (headerControl)
            headerControl->SetOffset(value);
    });
}

TTreeList::~TTreeList()
{
    delete headerControl;
}

void TTreeList::createHeader()
{
    if (headerControl || !parentWidget())
        return;
    headerControl = new TTLHeader(this, parentWidget());
    headerControl->setGeometry(x(), y() - DefaultHeaderTop, width(), headerSettings->GetHeight());
    placeHeader();
    headerControl->SetBorderStyle(bsSingle);
    headerControl->OnSectionSized = [this](QObject* sender, int section, int width) {
        SectionSize(sender, section, width);
    };
    headerControl->OnClick = [this](QObject* sender, int section) { HeaderClick(sender, section); };
    headerControl->OnRightClick = [this](QObject* sender, int section) { HeaderRightClick(sender, section); };
    headerControl->setVisible(headerSettings->GetVisible() && !isHidden());
    UpdateColumns();
}

void TTreeList::changeEvent(QEvent* event)
{
    TTreeView::changeEvent(event);
    if (event->type() == QEvent::ParentChange)
        createHeader();
}

void TTreeList::Loaded()
{
    UpdateColumns();
    if (headerControl) {
        headerControl->setFont(headerSettings->GetFont().ToQFont());
        headerControl->SetAllowResize(headerSettings->GetAllowResize());
    }
}

void TTreeList::setVisible(bool visible)
{
    TTreeView::setVisible(visible);
    if (headerControl)
        headerControl->setVisible(visible && headerSettings->GetVisible());
}

void TTreeList::UpdateColumns()
{
    updateScrollWidth();
    if (!headerControl)
        return;
    headerControl->ClearSections();
    const bool flat = headerSettings->GetFlat();
    for (int i = 0; i < columns->Count(); ++i) {
        const TColumnItem* column = columns->GetItem(i);
        int width = column->GetWidth();
        // The first section lines up with the tree's border, which the header may or may not have.
        if (i == 0 && frameShape() == QFrame::NoFrame && !flat)
            --width;
        else if (i == 0 && flat && frameShape() != QFrame::NoFrame)
            ++width;
        headerControl->AddSection(column->GetHeader(), width);
    }
    viewport()->update();
}

void TTreeList::updateScrollWidth()
{
    int total = 0;
    for (int i = 0; i < columns->Count(); ++i)
        total += columns->GetItem(i)->GetWidth();
    header()->setStretchLastSection(false);
    header()->resizeSection(0, qMax(total, 1));
}

bool TTreeList::GetColImage(int i) const
{
    const TColumnItem* column = columns->GetItem(i);
    return column && column->GetImage();
}

int TTreeList::GetColWidth(int i) const
{
    const TColumnItem* column = columns->GetItem(i);
    return column ? column->GetWidth() : width();
}

TFont TTreeList::GetColFont(int i) const
{
    const TColumnItem* column = columns->GetItem(i);
    return column ? column->GetFont() : TFont::FromQFont(font());
}

unsigned TTreeList::GetAlignment(int i) const
{
    const TColumnItem* column = columns->GetItem(i);
    return column ? DrawTextAlignment(column->GetAlignment()) : DT_LEFT;
}

QString TTreeList::GetNodeColumn(const TTreeNode* Node, int Column) const
{
    if (!Node || Column < 0)
        return QString();
    return partsOf(Node->GetText(), separator).value(Column);
}

void TTreeList::SetNodeColumn(TTreeNode* Node, int Column, const QString& Value)
{
    if (!Node || Column < 0)
        return;
    QString text = Node->GetText();
    if (separator.isEmpty()) {
        if (Column == 0)
            Node->SetText(Value);
        return;
    }
    // Enough separators for every column.
    QString rest = text;
    for (int i = 0; i < columns->Count(); ++i) {
        const qsizetype at = rest.indexOf(separator);
        if (at < 0) {
            text += separator;
            rest.clear();
        } else {
            rest = rest.mid(at + separator.size());
        }
    }
    qsizetype start = 0;
    for (int i = 0; i < Column; ++i) {
        const qsizetype at = text.indexOf(separator, start);
        if (at < 0) {
            Node->SetText(text);
            return;
        }
        start = at + separator.size();
    }
    const qsizetype end = text.indexOf(separator, start);
    const QString after = end < 0 ? QString() : text.mid(end);
    Node->SetText(text.left(start) + Value + after);
}

void TTreeList::SetBounds(int Left, int Top, int Width, int Height)
{
    setGeometry(Left, Top, Width, Height);
    placeHeader();
}

void TTreeList::placeHeader()
{
    const bool showsHeader = headerControl && headerSettings->GetVisible();
    const int h = showsHeader ? headerSettings->GetHeight() : HeaderOverlap;
    const QRect bounds = geometry();
    const TAlign align = GetAlign(this);
    if (align == alTop || align == alClient) {
        // The bounds the alignment gives hold both: the rows start below the header, which overlaps them by 2.
        setViewportMargins(0, h - HeaderOverlap, 0, 0);
        if (showsHeader)
            headerControl->setGeometry(bounds.left(), bounds.top(), bounds.width(), headerSettings->GetHeight());
    } else {
        setViewportMargins(0, 0, 0, 0);
        if (showsHeader)
            headerControl->setGeometry(bounds.left(), bounds.top() - (headerSettings->GetHeight() - HeaderOverlap),
                                       bounds.width(), headerSettings->GetHeight());
    }
    if (showsHeader)
        headerControl->raise();
}

void TTreeList::resizeEvent(QResizeEvent* event)
{
    TTreeView::resizeEvent(event);
    placeHeader();
}

void TTreeList::moveEvent(QMoveEvent* event)
{
    TTreeView::moveEvent(event);
    placeHeader();
}

TRect TTreeList::GetClientRect() const
{
    const QRect client = viewport()->rect();
    return Rect(client.left(), client.top(), client.right() + 1, client.bottom() + 1 + headerSettings->GetHeight());
}

void TTreeList::SetColumnLines(bool value)
{
    if (value == columnLines)
        return;
    columnLines = value;
    columnSpacing = value ? LinedSpacing : PlainSpacing;
    viewport()->update();
}

void TTreeList::SetSeparator(const QString& value)
{
    separator = value;
    viewport()->update();
}

int TTreeList::minimumFirstColumn() const
{
    return GetIndent() + (GetImages() ? GetImages()->GetWidth() : 0);
}

void TTreeList::SectionSize(QObject*, int Section, int Width)
{
    if (Section == 0 && Width < minimumFirstColumn()) {
        Width = minimumFirstColumn();
        if (headerControl)
            headerControl->SetSectionWidth(0, Width);
    }
    if (TColumnItem* column = columns->GetItem(Section))
        column->SetWidthQuietly(Width);
    updateScrollWidth();
    viewport()->update();
    if (OnHeaderSizeChanged && headerControl)
        OnHeaderSizeChanged(this, Section);
}

void TTreeList::HeaderClick(QObject*, int Section)
{
    if (OnHeaderClick)
        OnHeaderClick(this, Section);
}

void TTreeList::HeaderRightClick(QObject*, int Section)
{
    if (OnHeaderRightClick)
        OnHeaderRightClick(this, Section);
}

std::vector<TTreeList::PartPlace> TTreeList::LayoutParts(const TTreeNode* node, const QRect& row, int textHeight) const
{
    std::vector<PartPlace> places;
    const int rowLeft = row.left();
    int x = rowLeft + (node->GetLevel() + 1) * GetIndent();
    TImageList* images = GetImages();
    const bool hasImage = node->ImageIndex >= 0 || node->SelectedIndex >= 0;
    if (images && GetColImage(0) && hasImage)
        x += images->GetWidth();
    TRect r = Rect(x, row.top(), row.right() + 1, row.bottom() + 1);
    if (row.height() > textHeight)
        r.Top += (row.height() - textHeight) / 2;
    const QStringList parts = partsOf(node->GetText(), separator);
    for (int i = 0; i < parts.size(); ++i) {
        r.Right = i == 0 ? rowLeft + GetColWidth(0) : r.Left + GetColWidth(i);
        // The last part of a text with more parts than columns takes the rest of the row.
        if (i >= columns->Count())
            r.Right = row.right() + 1;
        r.Right -= columnSpacing;
        TRect text = r;
        if (i > 0 && images && GetColImage(i) && node->ImageIndex >= 0)
            text.Left += images->GetWidth() + ImageGap;
        else if (i == 0 && images && GetColImage(0))
            text.Left += ImageGap;
        places.push_back({parts[i], text, i});
        r.Right += columnSpacing;
        r.Left = r.Right;
    }
    return places;
}

void TTreeList::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const TTreeNode* node = NodeFromIndex(index);
    if (!node)
        return;
    const int scroll = horizontalScrollBar()->value();
    const QRect row(-scroll, option.rect.top(), qMax(viewport()->width() + scroll, GetColWidth(0)),
                    option.rect.height());
    // The tree's own lines and buttons stay inside the first column.
    painter->save();
    painter->setClipRect(QRect(row.left(), row.top(), GetColWidth(0) - 1, row.height()));
    drawBranches(painter, QRect(row.left(), row.top(), (node->GetLevel() + 1) * GetIndent(), row.height()), index);
    painter->restore();

    TCanvas canvas(*painter);
    canvas.Font = GetColFont(0);
    const int textHeight = canvas.TextHeight(QStringLiteral("gh"));
    int x = row.left() + (node->GetLevel() + 1) * GetIndent();
    TImageList* images = GetImages();
    const bool selected = node->GetSelected();
    if (images && GetColImage(0) && (node->ImageIndex >= 0 || node->SelectedIndex >= 0)) {
        canvas.Brush.Color = GetColor();
        canvas.FillRect(Rect(x, row.top(), x + images->GetWidth(), row.bottom() + 1));
        if (GetColWidth(0) > x + images->GetWidth()) {
            const int image = selected && node->SelectedIndex >= 0 ? node->SelectedIndex : node->ImageIndex;
            images->Draw(canvas, x, row.top(), image);
            if (node->OverlayIndex >= 0)
                images->Draw(canvas, x, row.top(), node->OverlayIndex);
        }
        x += images->GetWidth();
    }
    const TRect area = Rect(x, row.top(), row.right() + 1, row.bottom() + 1);
    canvas.Brush.Color = selected ? clHighlight : GetColor();
    canvas.FillRect(area);
    if (selected && hasFocus() && currentItem() == node)
        canvas.DrawFocusRect(area);

    canvas.Brush.Style = bsClear;
    for (PartPlace& place : LayoutParts(node, row, textHeight)) {
        canvas.Font = GetColFont(place.column);
        if (selected)
            canvas.Font.Color = clHighlightText;
        if (place.column > 0 && images && GetColImage(place.column) && node->ImageIndex >= 0 &&
            GetColWidth(place.column) > images->GetWidth())
            images->Draw(canvas, place.rect.Left - images->GetWidth() - ImageGap, row.top(), node->ImageIndex);
        canvas.DrawText(place.text, place.rect, GetAlignment(place.column) | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    canvas.Brush.Style = bsSolid;
}

void TTreeList::paintEvent(QPaintEvent* event)
{
    TTreeView::paintEvent(event);
    if (!columnLines)
        return;
    QPainter painter(viewport());
    painter.setPen(ToQColor(clSilver));
    const int scroll = horizontalScrollBar()->value();
    int sum = 0;
    for (int i = 0; i + 1 < columns->Count(); ++i) {
        sum += columns->GetItem(i)->GetWidth();
        const int x = sum - scroll - 2;
        painter.drawLine(x, 0, x, height());
    }
}

void TTreeList::scrollContentsBy(int dx, int dy)
{
    TTreeView::scrollContentsBy(dx, dy);
    // The columns are drawn from the row's left edge: a sideways scroll repaints them all.
    if (dx != 0)
        viewport()->update();
}
