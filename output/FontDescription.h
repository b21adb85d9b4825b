// The one-line font description that report settings store, e.g. "Tahoma, 10pt, pogrubienie": the face, the size
// followed by "pt", then the style words of the current language. Read by the PDF layer and the font chooser.
#pragma once

#include <QString>

struct FontDescription
{
    // Items between commas. One item gives the face; the size and the styles are read only from two or more.
    int ItemCount = 0;
    QString Face;
    // Whether the second item names a size (it contains "pt"); Size is then its leading whole number, 0 when it
    // has none.
    bool SizeGiven = false;
    int Size = 0;
    // Looked for in the whole description, letter case as written: "bold" or "pogrubienie", "italic" or
    // "pochylenie", and the language's underline word.
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
};

FontDescription readFontDescription(const QString& description);

// The description of a face and the size text as typed, with the language's words of the chosen styles.
QString writeFontDescription(const QString& face, const QString& sizeText, bool bold, bool italic, bool underline);
