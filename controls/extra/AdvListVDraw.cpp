// How the list view draws a row: its cells in display order with their backgrounds, check boxes, images and
// content by kind, then the detail line, the focus frame and OnDrawItem.
#include "AdvListV.h"

#include "AlvUtil.h"
#include "HTMLText.h"

#include <QHeaderView>

namespace {

constexpr int IndentStep = 16;
constexpr int CheckBoxSide = 14;
constexpr int CheckBoxInset = 2;
// From the column's edge to the text with a flat check box, and from it to the caption's image.
constexpr int CheckBoxRoom = 18;
// Between a check glyph and what follows it.
constexpr int GlyphGap = 4;
constexpr int ImageInset = 2;
constexpr int ImageGap = 2;
// Image indexes that name a picture (the platform's largest image index).
constexpr int LastImageIndex = 65534;
constexpr int TextMargin = 2;
constexpr int MarkupInset = 2;
constexpr int MarkupShadowOffset = 1;

// The text without its scheme: everything through the first "://", then through the first "mailto:".
QString withoutScheme(QString text)
{
    for (const QLatin1String scheme : {QLatin1String("://"), QLatin1String("mailto:")}) {
        const qsizetype at = text.indexOf(scheme);
        if (at >= 0)
            text.remove(0, at + scheme.size());
    }
    return text;
}

// Where something of the given height goes in a cell, by the vertical alignment.
int alignedTop(const TRect& cell, int height, TVAlignment alignment)
{
    switch (alignment) {
    case vtaTop:
        return cell.Top;
    case vtaBottom:
        return cell.Bottom - height;
    case vtaCenter:
        break;
    }
    return cell.Height() > height ? cell.Top + (cell.Height() - height) / 2 : cell.Top;
}

} // namespace

void TAdvListView::DrawItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State)
{
    LVDrawItem(Canvas, Index, Rect, State);
}

TRect TAdvListView::cellArea(const TRect& rowRect) const
{
    TRect cells = rowRect;
    if (detailView.GetVisible())
        cells.Bottom = cells.Top + itemHeight - detailView.GetHeight();
    return cells;
}

bool TAdvListView::glyphsAssigned() const
{
    return !checkTrueGlyph.GetEmpty() && !checkFalseGlyph.GetEmpty();
}

TRect TAdvListView::checkBoxBounds(const TRect& cell) const
{
    const int width = glyphsAssigned() ? checkTrueGlyph.GetWidth() : CheckBoxSide;
    const int height = glyphsAssigned() ? checkTrueGlyph.GetHeight() : CheckBoxSide;
    const int left = cell.Left + CheckBoxInset;
    const int top = alignedTop(cell, height, vAlignment);
    return ::Rect(left, top, left + width, top + height);
}

TAdvListView::CellLayout TAdvListView::layoutCell(const TListItem& item, int column, const TRect& cell) const
{
    CellLayout layout;
    layout.cell = cell;
    layout.content = cell;
    // The check box and the indent belong to the caption's cell, wherever its column was dragged.
    const bool checkBox = GetCheckboxes() && column == 0;
    if (checkBox) {
        layout.checkBox = checkBoxBounds(cell);
        layout.content.Left += glyphsAssigned() ? checkTrueGlyph.GetWidth() + GlyphGap : CheckBoxRoom;
    }
    const int subItem = column - 1;
    TImageList* images = GetSmallImages();
    if (images && subItem < item.SubItems().Count()) {
        const int image = subItem < 0 ? item.GetImageIndex() : GetSubImages() ? item.GetCellImage(column) : -1;
        if (image >= 0 && image <= LastImageIndex) {
            layout.image = image;
            const int top =
                cell.Height() > images->GetHeight() ? alignedTop(cell, images->GetHeight(), vAlignment) : cell.Top;
            layout.imageAt = Point(cell.Left + (checkBox ? CheckBoxRoom : ImageInset), top);
            layout.content.Left += images->GetWidth() + ImageGap;
        }
    }
    layout.text = layout.content;
    if (column == 0)
        layout.text.Left += item.GetIndent(0) * IndentStep;
    return layout;
}

TRect TAdvListView::CheckBoxRect(int row) const
{
    if (!Items()[row] || !GetCheckboxes() || Columns().Count() == 0)
        return TRect{};
    return checkBoxBounds(drawnCell(cellArea(drawnRowRect(RowRect(row))), 0));
}

TRect TAdvListView::drawnRowRect(const TRect& rowRect) const
{
    if (!GetGridLines())
        return rowRect;
    return ::Rect(rowRect.Left + 1, rowRect.Top + 1, rowRect.Right - 1, rowRect.Bottom - 1);
}

TRect TAdvListView::drawnCell(const TRect& cells, int column) const
{
    const int left = cells.Left + header()->sectionPosition(column);
    return ::Rect(left, cells.Top, left + columnWidth(column), cells.Bottom);
}

bool TAdvListView::showsSelected(TOwnerDrawState state, int column) const
{
    if (!(state & odSelected))
        return false;
    const bool inSelection = ((subItemSelect || subItemEdit) && column == currentColumn) || GetRowSelect() ||
                             (column == 0 && !subItemSelect);
    return inSelection && (hasFocus() || !GetHideSelection());
}

unsigned TAdvListView::verticalTextFlag() const
{
    switch (vAlignment) {
    case vtaTop:
        return DT_TOP;
    case vtaBottom:
        return DT_BOTTOM;
    case vtaCenter:
        break;
    }
    return DT_VCENTER;
}

void TAdvListView::LVDrawItem(TCanvas& Canvas, int Index, TRect Rect, TOwnerDrawState State)
{
    const TListItem* item = Items()[Index];
    if (!item)
        return;
    const QVector<int> order = GetColumnOrder();
    Rect = drawnRowRect(Rect);
    TRect rowRect = Rect;
    const TFont savedFont = Canvas.Font;
    const TBrush savedBrush = Canvas.Brush;
    Rect = cellArea(Rect);

    for (const int column : order) {
        const int subItem = column - 1;
        QString text = subItem < 0 ? item->GetCaption() : item->SubItems().Get(subItem);

        Canvas.Font = GetFont();
        Canvas.Brush = TBrush{GetColor(), bsSolid};
        QueryDrawProp(Index, subItem, State, Canvas.Brush, Canvas.Font, text);
        const bool selected = showsSelected(State, column);
        if (selected) {
            Canvas.Brush.Color = selectionColor;
            Canvas.Font.Color = selectionTextColor;
        }

        const bool markup = text.contains(QLatin1String("</"));
        // A link in a cell that is not filled with the selection keeps the link colour, so that it stays legible.
        if (urlShow && !markup && IsLinkText(text) && !((State & odSelected) && GetRowSelect())) {
            Canvas.Font.Style |= fsUnderline;
            Canvas.Font.Color = selected ? selectionTextColor : urlColor;
        }
        if (urlShow && !urlFull && !markup)
            text = withoutScheme(text);

        const TRect cell = drawnCell(Rect, column);

        // Selected cells are filled; over a wallpaper the others let it show through.
        Canvas.Pen.Color = Canvas.Brush.Color;
        if (wallpaper.GetEmpty() || selected)
            Canvas.Rectangle(cell.Left, rowRect.Top, GetGridLines() ? cell.Right - 1 : cell.Right, rowRect.Bottom);
        Canvas.Brush.Style = bsClear;

        const CellLayout layout = layoutCell(*item, column, cell);
        if (!layout.checkBox.IsEmpty())
            drawCheckBox(Canvas, *item, layout.checkBox);
        if (layout.image >= 0)
            GetSmallImages()->Draw(Canvas, layout.imageAt.X, layout.imageAt.Y, layout.image);
        drawCellContent(Canvas, text, layout, Columns()[column]->GetAlignment(), selected);

        Canvas.Brush = savedBrush;
        Canvas.Font = savedFont;
    }

    const int lastRight = Rect.Left + header()->length();
    if (detailView.GetVisible()) {
        drawDetailLine(Canvas, Index, rowRect, lastRight, State);
        rowRect.Right = lastRight;
    }

    if ((State & odFocused) && (State & odSelected) && hasFocus()) {
        if (GetRowSelect())
            Canvas.DrawFocusRect(rowRect);
        else if (Columns()[currentColumn])
            Canvas.DrawFocusRect(drawnCell(Rect, currentColumn));
    }

    if (OnDrawItem) {
        TCanvas rowCanvas(Canvas.Painter());
        rowCanvas.Font = GetFont();
        rowCanvas.Brush.Color = GetColor();
        if (State & odSelected) {
            rowCanvas.Brush.Color = selectionColor;
            rowCanvas.Font.Color = selectionTextColor;
        }
        OnDrawItem(this, rowCanvas, Index, rowRect, State);
    }
}

void TAdvListView::drawCheckBox(TCanvas& canvas, const TListItem& item, const TRect& box)
{
    if (!glyphsAssigned()) {
        DrawFrameControl(canvas, box, DFC_BUTTON,
                         DFCS_BUTTONCHECK | DFCS_FLAT | (item.GetChecked() ? DFCS_CHECKED : 0));
        return;
    }
    TBitmap& glyph = item.GetChecked() ? checkTrueGlyph : checkFalseGlyph;
    glyph.SetTransparentMode(tmAuto);
    glyph.SetTransparent(true);
    canvas.Draw(box.Left, box.Top, &glyph);
}

void TAdvListView::drawCellContent(TCanvas& canvas, const QString& text, const CellLayout& layout, TAlignment alignment,
                                   bool selected)
{
    switch (CellKindOf(text)) {
    case TCellKind::Progress:
        DrawProgress(canvas, layout.content, progressSettings.GetColorFrom(), progressSettings.GetFontColorFrom(),
                     progressSettings.GetColorTo(), progressSettings.GetFontColorTo(), ProgressValue(text));
        break;
    case TCellKind::Markup:
        renderMarkup(canvas, text, markupRect(layout.text), MarkupPass::Paint);
        break;
    case TCellKind::RichText:
        // Only a cell filled with the selection's colour takes its text colour, so that the text stays legible.
        paintRichText(canvas, text, layout.content, selected && !selectionRTFKeep);
        break;
    case TCellKind::Plain:
        drawPlainText(canvas, text, layout.text, DrawTextAlignment(alignment));
        break;
    }
}

void TAdvListView::drawPlainText(TCanvas& canvas, const QString& text, TRect rect, unsigned alignmentFlags)
{
    rect.Left += TextMargin;
    rect.Right -= TextMargin;
    unsigned flags = DT_NOPREFIX | DT_EXPANDTABS | DT_EDITCONTROL | verticalTextFlag() | alignmentFlags;
    flags |= wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
    if (!text.contains(u'\r'))
        flags |= DT_END_ELLIPSIS;
    canvas.DrawText(text, rect, flags);
}

void TAdvListView::drawDetailLine(TCanvas& canvas, int row, const TRect& rowRect, int right, TOwnerDrawState state)
{
    const TListItem* item = Items()[row];
    canvas.Font = detailView.GetFont();
    if (state & odSelected)
        canvas.Font.Color = selectionTextColor;
    TRect d = ::Rect(rowRect.Left, rowRect.Top + itemHeight - detailView.GetHeight(), right, rowRect.Bottom);
    if (detailView.GetSplitLine()) {
        canvas.Pen.Color = clBlack;
        canvas.MoveTo(d.Left, d.Top);
        canvas.LineTo(d.Right, d.Top);
        ++d.Top;
    }
    d.Left += detailView.GetIndent();
    const int column = detailView.GetColumn();
    const QString text = column == 0 ? item->GetCaption() : item->SubItems().Get(column - 1);
    canvas.Brush = TBrush{GetColor(), bsSolid};
    if (OnDrawDetailProp)
        OnDrawDetailProp(this, row, state, canvas.Brush, canvas.Font, text);
    if (canvas.Brush.Color != GetColor()) {
        canvas.Pen.Color = canvas.Brush.Color;
        canvas.Rectangle(d);
    }
    canvas.Brush.Style = bsClear;
    if (CellKindOf(text) == TCellKind::Markup) {
        renderMarkup(canvas, text, d, MarkupPass::Paint);
    } else if (CellKindOf(text) == TCellKind::RichText) {
        RTFPaint(row, column - 1, canvas, d);
    } else {
        canvas.DrawText(text, d, DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK);
    }
}

TAdvListView::MarkupResult TAdvListView::renderMarkup(TCanvas& canvas, const QString& markup, const TRect& rect,
                                                      MarkupPass pass, const QPoint& point)
{
    MarkupResult result;
    QString plainText;
    QString focusedHref;
    int width = 0;
    int anchorCount = 0;
    int anchorNumber = -1;
    TRect hoverRect;
    result.onAnchor =
        MarkupRender(&canvas, markup, rect, GetSmallImages(), point.x(), point.y(), -1, -1, MarkupShadowOffset,
                     pass == MarkupPass::HitTest, pass == MarkupPass::Measure, false, false, false, false, true, 1.0,
                     urlColor, clNone, clNone, clGray, result.anchor, plainText, focusedHref, width, result.height,
                     anchorCount, anchorNumber, hoverRect, pictureCache.get(), pictureContainer, 0);
    return result;
}

TRect TAdvListView::markupRect(const TRect& textRect) const
{
    // Markup is laid out from the top of the cell, with a little room on the left.
    TRect r = textRect;
    r.Left += MarkupInset;
    return r;
}
