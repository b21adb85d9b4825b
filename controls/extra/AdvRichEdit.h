// The rich edit the list view renders and converts rich-text cells with: a document, a selection in it and the few
// formatting operations cells need. It never shows on screen.
#pragma once

#include "Toolkit.h"

#include <QTextDocument>

class TAdvRichEdit
{
public:
    TAdvRichEdit();

    QTextDocument& Document() { return document; }
    const QTextDocument& Document() const { return document; }
    void Clear();
    // Replaces the content with the RTF source; SaveRTF writes it back.
    void LoadRTF(const QString& rtf);
    QString SaveRTF() const;
    // The text without formatting, paragraphs ending in CR LF but the last.
    QString GetText() const;

    int GetSelStart() const { return selStart; }
    void SetSelStart(int Value);
    int GetSelLength() const { return selLength; }
    void SetSelLength(int Value);
    void SelectAll();
    // The colour of the selected characters.
    void SetSelColor(TColor Value);
    // Raises (Offset above 0) or lowers (below 0) the selected characters; 0 puts them back on the line.
    void SelFormat(int Offset);
    void SelNormal() { SelFormat(0); }
    void SelSubscript() { SelFormat(-40); }
    void SelSuperscript() { SelFormat(40); }

private:
    // The selection as a cursor on the document, kept inside it.
    QTextCursor selection();

    QTextDocument document;
    int selStart = 0;
    int selLength = 0;
};
