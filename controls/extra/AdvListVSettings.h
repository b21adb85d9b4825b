// The settings objects of the list view: the detail line under each row, the colours of percentage bars, the HTML
// export, the print layout and the column widths. Each belongs to one list view; those that change its look tell
// it through OnChange.
#pragma once

#include "Canvas.h"

#include <QString>

// The second line of a row: the text of one column in a font of its own.
class TDetails
{
public:
    TDetails();

    bool GetVisible() const { return visible; }
    void SetVisible(bool Value);
    // The column whose text the line shows; negative values are ignored.
    int GetColumn() const { return column; }
    void SetColumn(int Value);
    const TFont& GetFont() const { return font; }
    void SetFont(const TFont& Value);
    // Pixels of the row's height that the line takes; negative values are ignored.
    int GetHeight() const { return height; }
    void SetHeight(int Value);
    int GetIndent() const { return indent; }
    void SetIndent(int Value);
    // A black line between the cells and the detail line.
    bool GetSplitLine() const { return splitLine; }
    void SetSplitLine(bool Value);

    TNotifyEvent OnChange;

private:
    template <class T>
    void change(T& field, const T& value);

    bool visible = false;
    int column = 0;
    TFont font;
    int height = 16;
    int indent = 0;
    bool splitLine = false;
};

// The colours of a percentage bar: the filled part and its label, the rest and its label.
class TProgressSettings
{
public:
    TColor GetColorFrom() const { return colorFrom; }
    void SetColorFrom(TColor Value);
    TColor GetFontColorFrom() const { return fontColorFrom; }
    void SetFontColorFrom(TColor Value);
    TColor GetColorTo() const { return colorTo; }
    void SetColorTo(TColor Value);
    TColor GetFontColorTo() const { return fontColorTo; }
    void SetFontColorTo(TColor Value);
    void Assign(const TProgressSettings& Source);

    TNotifyEvent OnChange;

private:
    void set(TColor& field, TColor value);

    TColor colorFrom = clSilver;
    TColor fontColorFrom = clBlack;
    TColor colorTo = clWhite;
    TColor fontColorTo = clGray;
};

// How the list is written as an HTML table.
struct THTMLSettings
{
    int BorderSize = 1;
    int CellSpacing = 0;
    bool SaveColor = true;
    bool SaveFonts = true;
    QString FooterFile;
    QString HeaderFile;
    QString TableStyle;
    QString PrefixTag;
    QString SuffixTag;
    int Width = 100;
};

enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders { pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal };
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
enum TPrinterOrientation { poPortrait, poLandscape };

// How the list is laid out on paper; lengths in tenths of a millimetre.
struct TPrintsettings
{
    TPrintPosition Time = ppNone;
    TPrintPosition Date = ppNone;
    QString DateFormat = QStringLiteral("dd/mm/yyyy");
    TPrintPosition PageNr = ppNone;
    QString PagePrefix;
    QString PageSuffix;
    QString PageNumSep = QStringLiteral("/");
    TPrintPosition Title = ppNone;
    QString TitleText;
    TFont Font;
    TFont HeaderFont;
    TFont FooterFont;
    TPrintBorders Borders = pbNoborder;
    TPenStyle BorderStyle = psSolid;
    bool Centered = false;
    bool RepeatHeaders = false;
    int HeaderSize = 0;
    int FooterSize = 0;
    int LeftSize = 0;
    int RightSize = 0;
    int ColumnSpacing = 0;
    int RowSpacing = 0;
    TPrinterOrientation Orientation = poPortrait;
    bool UseFixedWidth = false;
    int FixedWidth = 0;
    bool UseFixedHeight = false;
    int FixedHeight = 0;
    TFitToPage FitToPage = fpNever;
    QString JobName;
};

enum TSizeStorage { stInifile, stRegistry };

// Where the column widths are kept between runs, and whether the last column stretches to the list's width.
class TColumnSize
{
public:
    bool GetSave() const { return save; }
    void SetSave(bool Value) { save = Value; }
    QString GetKey() const { return key; }
    void SetKey(const QString& Value) { key = Value; }
    QString GetSection() const { return section; }
    void SetSection(const QString& Value) { section = Value; }
    bool GetStretch() const { return stretch; }
    void SetStretch(bool Value);
    TSizeStorage GetStorage() const { return storage; }
    void SetStorage(TSizeStorage Value) { storage = Value; }

    // After Stretch changed.
    TNotifyEvent OnChange;

private:
    bool save = false;
    QString key;
    QString section;
    bool stretch = false;
    TSizeStorage storage = stInifile;
};
