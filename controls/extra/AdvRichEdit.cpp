#include "AdvRichEdit.h"

#include "Canvas.h"
#include "RtfText.h"

#include <QTextCursor>

TAdvRichEdit::TAdvRichEdit()
{
    // Text is laid out from the rectangle's edge, as the rich edit's formatting did.
    document.setDocumentMargin(0);
}

void TAdvRichEdit::Clear()
{
    document.clear();
    selStart = 0;
    selLength = 0;
}

void TAdvRichEdit::LoadRTF(const QString& rtf)
{
    ReadRtf(rtf, document);
    selStart = 0;
    selLength = 0;
}

QString TAdvRichEdit::SaveRTF() const
{
    return WriteRtf(document);
}

QString TAdvRichEdit::GetText() const
{
    // The raw text keeps no-break spaces; paragraphs and line breaks are separator characters in it.
    QString text = document.toRawText();
    text.replace(QChar(QChar::ParagraphSeparator), QStringLiteral("\r\n"));
    text.replace(QChar(QChar::LineSeparator), QStringLiteral("\r\n"));
    return text;
}

void TAdvRichEdit::SetSelStart(int Value)
{
    selStart = qMax(0, Value);
    selLength = 0;
}

void TAdvRichEdit::SetSelLength(int Value)
{
    selLength = qMax(0, Value);
}

void TAdvRichEdit::SelectAll()
{
    selStart = 0;
    selLength = document.characterCount();
}

void TAdvRichEdit::SetSelColor(TColor Value)
{
    QTextCharFormat f;
    f.setForeground(ToQColor(Value));
    selection().mergeCharFormat(f);
}

void TAdvRichEdit::SelFormat(int Offset)
{
    QTextCharFormat f;
    f.setVerticalAlignment(Offset > 0   ? QTextCharFormat::AlignSuperScript
                           : Offset < 0 ? QTextCharFormat::AlignSubScript
                                        : QTextCharFormat::AlignNormal);
    selection().mergeCharFormat(f);
}

QTextCursor TAdvRichEdit::selection()
{
    // The document's last position is its closing paragraph mark, which no selection takes.
    const int last = qMax(0, document.characterCount() - 1);
    QTextCursor cursor(&document);
    cursor.setPosition(qMin(selStart, last));
    cursor.setPosition(qMin(selStart + selLength, last), QTextCursor::KeepAnchor);
    return cursor;
}
