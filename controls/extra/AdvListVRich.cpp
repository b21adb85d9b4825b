// Rich-text cells: moving a cell's RTF source into the rich edit and back, and painting it.
#include "AdvListV.h"

#include "RtfText.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextCursor>

namespace {

// The rich edit's text starts this far inside the cell, in pixels of a 96 dots-per-inch screen.
constexpr int RichTextInset = 2;
constexpr int ScreenDotsPerInch = 96;

} // namespace

TAdvRichEdit* TAdvListView::GetRichEdit()
{
    if (!richEdit) {
        richEdit = std::make_unique<TAdvRichEdit>();
        richEdit->Document().setDefaultFont(GetFont().ToQFont());
    }
    return richEdit.get();
}

void TAdvListView::ItemToRich(int ItemIndex, int SubItemIndex, TAdvRichEdit& RichEdit)
{
    if (!Items()[ItemIndex] || SubItemIndex < -1)
        return;
    const QString text = GetTextAtColRow(SubItemIndex + 1, ItemIndex);
    if (text.isEmpty())
        RichEdit.Clear();
    else
        RichEdit.LoadRTF(text);
}

void TAdvListView::RichToItem(int ItemIndex, int SubItemIndex, const TAdvRichEdit& RichEdit)
{
    if (SubItemIndex >= -1)
        SetTextAtColRow(SubItemIndex + 1, ItemIndex, RichEdit.SaveRTF());
}

void TAdvListView::RTFPaint(int ItemIndex, int SubItemIndex, TCanvas& Canvas, const TRect& Rect)
{
    const TListItem* item = Items()[ItemIndex];
    if (!item || SubItemIndex < -1)
        return;
    // Printing and previews paint on other devices, in the rich text's own colours.
    const bool onList = Canvas.Painter().device() == viewport();
    const bool selectedLook = item->GetSelected() && !selectionRTFKeep && onList;
    paintRichText(Canvas, GetTextAtColRow(SubItemIndex + 1, ItemIndex), Rect, selectedLook);
}

QTextDocument* TAdvListView::richDocument(const QString& rtf)
{
    const QFont font = GetFont().ToQFont();
    if (QTextDocument* cached = richDocuments.object(rtf); cached && cached->defaultFont() == font)
        return cached;
    auto* document = new QTextDocument;
    document->setDocumentMargin(0);
    document->setDefaultFont(font);
    ReadRtf(rtf, *document);
    richDocuments.insert(rtf, document);
    return document;
}

void TAdvListView::paintRichText(TCanvas& canvas, const QString& rtf, const TRect& rect, bool selectedLook)
{
    if (rect.IsEmpty())
        return;
    QTextDocument* document = richDocument(rtf);
    std::unique_ptr<QTextDocument> recoloured;
    if (selectedLook) {
        recoloured.reset(document->clone());
        QTextCursor all(recoloured.get());
        all.select(QTextCursor::Document);
        QTextCharFormat colour;
        colour.setForeground(ToQColor(selectionTextColor));
        all.mergeCharFormat(colour);
        document = recoloured.get();
    }

    QPainter& painter = canvas.Painter();
    // Laid out at the resolution of the device painted on, a printer's as well as the screen's.
    document->documentLayout()->setPaintDevice(painter.device());
    document->setTextWidth(rect.Width());
    const int inset = RichTextInset * painter.device()->logicalDpiX() / ScreenDotsPerInch;
    painter.save();
    painter.translate(rect.Left + inset, rect.Top + inset);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, 0, rect.Width(), rect.Height());
    context.palette.setColor(QPalette::Text, ToQColor(GetFont().Color));
    painter.setClipRect(context.clip, Qt::IntersectClip);
    document->documentLayout()->draw(&painter, context);
    painter.restore();
}

QString TAdvListView::richPlainText(int row, int subItem)
{
    TAdvRichEdit* edit = GetRichEdit();
    ItemToRich(row, subItem, *edit);
    return edit->GetText();
}
