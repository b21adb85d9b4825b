// Rich text as list cells hold it (RTF source) read into a QTextDocument and written back. What cells use is
// understood: bold, italic, underline, strike-through, font size, fonts, text and highlight colours from the
// colour table, subscript and superscript, paragraphs, line breaks and tabs, characters as \'hh (Windows-1250) or
// \uN. Other destinations ({\*...}, the style sheet, pictures) are skipped; unknown words are ignored.
#pragma once

#include <QString>

class QTextDocument;

// Replaces the document's content; text without a font size or font keeps the document's default font.
void ReadRtf(const QString& rtf, QTextDocument& document);
// Every character comes back: those Windows-1250 lacks are written as \uN.
QString WriteRtf(const QTextDocument& document);
