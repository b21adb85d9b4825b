// The mouse over the list: the current cell and check boxes on a press, dragging rows to new places, the hand over
// links and the anchors' enter and exit, link clicks, cell hints and the hint of the scroll thumb.
#include "AdvListV.h"

#include "HTMLText.h"
#include "UrlOpener.h"

#include <QCursor>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QUrl>

namespace {

constexpr int RearrangeScrollInterval = 300;
// Markup hints are measured in a rectangle this large.
constexpr int HintMeasureExtent = 1000;
// The scroll hint stands this far right of the mouse.
constexpr int ScrollHintGap = 10;
const QPoint NoHintCell(-1, -1);

// A cell's text goes to the desktop only when it is one address, all of it, that the link policy allows.
bool isOneAllowedUrl(const QString& text)
{
    if (text.isEmpty() || std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); }))
        return false;
    return QUrl(text, QUrl::StrictMode).isValid() && isAllowedLink(text);
}

} // namespace

void TAdvListView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        TListView::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    lastMousePoint = p;
    if (!IsEditing()) {
        int row = -1;
        int column = 0;
        if (!GetIndexAtPoint(p.x(), p.y(), row, column)) {
            TListView::mousePressEvent(event);
            return;
        }
        currentRow = row;
        currentColumn = column;
    }
    TListItem* item = Items()[currentRow];
    const bool wasChecked = item && item->GetChecked();
    if (reArrangeItems && item) {
        rearrangeSource = currentRow;
        scrollTimer.start(RearrangeScrollInterval);
    }
    if (!subItemEdit && !subItemSelect)
        currentColumn = 0;
    if (item && GetCheckboxes() && GetOwnerDraw() && onCheckBox(currentRow, p)) {
        // A click on the check box changes it and nothing else.
        item->SetChecked(!item->GetChecked());
        if (OnCheckboxClick)
            OnCheckboxClick(this, currentRow, item->GetChecked());
        event->accept();
        return;
    }
    TListView::mousePressEvent(event);
    if (item && item->GetChecked() != wasChecked && OnCheckboxClick)
        OnCheckboxClick(this, item->GetIndex(), item->GetChecked());
    if (subItemEdit || subItemSelect) {
        GetIndexAtPoint(p.x(), p.y(), currentRow, currentColumn);
        FocusRepaint();
    }
}

void TAdvListView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    lastMousePoint = p;
    int row = -1;
    int column = 0;
    const bool onCell = GetIndexAtPoint(p.x(), p.y(), row, column);
    const QString text = onCell ? GetTextAtColRow(column, row) : QString();
    const bool markup = CellKindOf(text) == TCellKind::Markup;
    bool onLink = false;
    if (urlShow && rearrangeSource < 0 && !markup && IsLinkText(text) && !onCheckBox(row, p))
        onLink = true;
    if (markup) {
        const QString anchor = anchorAt(row, column, p);
        if (!anchor.isEmpty()) {
            onLink = true;
            if (!inAnchor && anchor != lastAnchor) {
                if (OnAnchorEnter)
                    OnAnchorEnter(this, anchor);
                lastAnchor = anchor;
                inAnchor = true;
            }
        }
    }
    if (inAnchor && !onLink) {
        const QString left = lastAnchor;
        lastAnchor.clear();
        inAnchor = false;
        if (OnAnchorExit)
            OnAnchorExit(this, left);
    }
    if (rearrangeSource >= 0)
        viewport()->setCursor(Qt::DragMoveCursor);
    else if (onLink)
        viewport()->setCursor(Qt::PointingHandCursor);
    else
        viewport()->setCursor(loadedCursor);
    if (hintCell != NoHintCell && hintCell != QPoint(column, row)) {
        QToolTip::hideText();
        hintCell = NoHintCell;
    }
    TListView::mouseMoveEvent(event);
}

void TAdvListView::mouseReleaseEvent(QMouseEvent* event)
{
    TListView::mouseReleaseEvent(event);
    const QPoint p = event->position().toPoint();
    int row = -1;
    int column = 0;
    const bool onCell = GetIndexAtPoint(p.x(), p.y(), row, column);
    if (event->button() == Qt::RightButton) {
        RightClickCell(row, column);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    LeftClickCell(row, column);
    if (rearrangeSource >= 0)
        endRearrange(p);
    if (!onCell)
        return;
    const QString text = GetTextAtColRow(column, row);
    if (CellKindOf(text) == TCellKind::Markup) {
        const QString anchor = anchorAt(row, column, p);
        if (anchor.contains(QLatin1String("://")))
            linkClicked(row, anchor);
        else if (!anchor.isEmpty() && OnAnchorClick)
            OnAnchorClick(this, anchor);
    } else if (urlShow && IsLinkText(text) && !onCheckBox(row, p)) {
        linkClicked(currentRow, text);
    }
}

bool TAdvListView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Leave)
        dropRearrange();
    if (event->type() == QEvent::ToolTip && autoHint)
        return showCellHint(static_cast<QHelpEvent*>(event)->pos());
    return TListView::viewportEvent(event);
}

bool TAdvListView::onCheckBox(int row, const QPoint& point) const
{
    return GetCheckboxes() && CheckBoxRect(row).Contains(Point(point.x(), point.y()));
}

QString TAdvListView::anchorAt(int row, int column, const QPoint& point)
{
    const QString text = GetTextAtColRow(column, row);
    if (CellKindOf(text) != TCellKind::Markup)
        return QString();
    TCanvas canvas;
    canvas.Font = GetFont();
    const MarkupResult hit =
        renderMarkup(canvas, text, markupRect(GetItemRect(row, column)), MarkupPass::HitTest, point);
    return hit.onAnchor ? hit.anchor : QString();
}

void TAdvListView::linkClicked(int row, const QString& target)
{
    bool handled = false;
    if (OnURLClick)
        OnURLClick(this, row, target, handled);
    if (!handled && isOneAllowedUrl(target))
        openLink(target);
}

void TAdvListView::endRearrange(const QPoint& point)
{
    const int source = rearrangeSource;
    dropRearrange();
    int target = -1;
    int column = 0;
    if (!GetIndexAtPoint(point.x(), point.y(), target, column))
        target = -1;
    MoveItem(source, target);
    if (OnRearrange)
        OnRearrange(this, source, target);
}

void TAdvListView::dropRearrange()
{
    rearrangeSource = -1;
    scrollTimer.stop();
}

QString TAdvListView::cellHint(int row, int column)
{
    QString text = GetTextAtColRow(column, row);
    if (OnInfoTip)
        OnInfoTip(this, Items()[row], text);
    if (text.isEmpty())
        return text;
    TBrush brush;
    TFont font = GetFont();
    QueryDrawProp(row, column - 1, 0, brush, font, text);
    switch (CellKindOf(text)) {
    case TCellKind::RichText:
        return richPlainText(row, column - 1);
    case TCellKind::Markup:
        if (!htmlHint) {
            TCanvas canvas;
            canvas.Font = font;
            QString anchor;
            QString plain;
            int width = 0;
            int height = 0;
            MarkupRenderDefault(&canvas, text, Rect(0, 0, HintMeasureExtent, HintMeasureExtent), GetSmallImages(), 0, 0,
                                false, true, false, false, false, 1.0, urlColor, anchor, plain, width, height);
            return plain;
        }
        break;
    case TCellKind::Progress:
    case TCellKind::Plain:
        break;
    }
    return text;
}

bool TAdvListView::showCellHint(const QPoint& point)
{
    int row = -1;
    int column = 0;
    if (!GetIndexAtPoint(point.x(), point.y(), row, column))
        return true;
    const QString hint = cellHint(row, column);
    if (hint.isEmpty())
        return true;
    // The hint covers the cell's text, from the control's edge for the caption.
    const TRect cell = GetItemRect(row, column);
    const QPoint at(column == 0 ? 0 : cell.Left, cell.Top);
    hintCell = QPoint(column, row);
    QToolTip::showText(viewport()->mapToGlobal(at), hint, viewport());
    return true;
}

void TAdvListView::showScrollHint(int value)
{
    if (!scrollHint)
        return;
    const int row = verticalScrollMode() == ScrollPerItem ? value : value / qMax(1, RowHeight());
    if (const TListItem* item = Items()[row])
        QToolTip::showText(QCursor::pos() + QPoint(ScrollHintGap, 0), item->GetCaption(), this);
}
