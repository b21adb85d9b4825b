// One PDF document drawn in memory: pages, fonts, text, lines, paths, gradients and pictures. Units are points
// with the origin at the page's top-left corner and y growing downward. Fonts are embedded as subsets of the
// glyphs drawn, with a map back to the characters, so the text of a report can be searched and copied.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

// A colour with components from 0 to 1.
struct PdfRgb
{
    double R = 0;
    double G = 0;
    double B = 0;
};

class PdfLibrary
{
public:
    enum class Paint { Outline, Fill, FillAndOutline };
    enum Alignment { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };

    PdfLibrary();
    ~PdfLibrary();
    PdfLibrary(const PdfLibrary&) = delete;
    PdfLibrary& operator=(const PdfLibrary&) = delete;

    // Ends the document and writes it to path with an atomic replace; error (when given) receives the reason of a
    // failure. Nothing can be drawn afterwards.
    bool SaveToFile(const QString& path, QString* error = nullptr);

    // Size of the current page, and of the pages added after it.
    void SetPageSize(double width, double height);
    // The page size as written into the document (whole points).
    double PageWidth() const;
    double PageHeight() const;
    // Positions, lengths, line widths, dashes and text-box sizes given from now on are multiplied by scale; font
    // sizes are used as given; measures come back divided by scale, in the units the caller draws in. A value
    // that is not positive is ignored.
    void SetScale(double scale);
    // Appends a page, which becomes the current one.
    void NewPage();
    // 1-based number of the current page; also the number of pages.
    int PageNumber() const;

    // Adds a font by name: a face, or a face followed by " [Bold]", " [Italic]" or " [BoldItalic]". Faces that
    // are not installed are drawn with the substitute face. Returns the font's id, valid in this document.
    int AddTrueTypeFont(const QString& name);
    // Makes the font current; an unknown id keeps the current font.
    void SelectFont(int id);
    // Font size in points; a size that is not positive is ignored.
    void SetTextSize(double size);
    // Measures of the current font and size: the distance between two lines of a text box, the distance from
    // the top of a line to its baseline, the width of the widest line, and the number of lines a text takes
    // in a box of the given width. Line breaks (CR LF, LF, CR) always break lines; an empty text is one line.
    double TextHeight() const;
    double TextAscent() const;
    double TextWidth(const QString& text) const;
    int WrappedLineCount(const QString& text, double width) const;
    // The lines the text wraps into at the width, each as its own text: a box of the same width shows each of
    // them as one line, so a text too long for one page can be drawn a part per page.
    QStringList WrappedLines(const QString& text, double width) const;

    // Alignment of text boxes and lines (AlignLeft, AlignCentre or AlignRight).
    void SetTextAlign(int align);
    // Draws text wrapped into lines of the given width, the first line's top at y, as many lines as the height
    // holds (the first line at least); when text is left over, the last line drawn ends in "…". A box measured
    // with WrappedLineCount holds exactly what is drawn. Returns the number of lines drawn.
    int DrawTextBox(double x, double y, double width, double height, const QString& text);
    // Draws text with its first baseline at y; x is the left end, the centre or the right end of each line,
    // as the alignment says.
    void DrawText(double x, double baselineY, const QString& text);

    void SetLineColor(const PdfRgb& colour);
    void SetTextColor(const PdfRgb& colour);
    // Fills with a plain colour from now on.
    void SetFillColor(const PdfRgb& colour);
    void SetLineWidth(double width);
    // Dashed lines of dash-long strokes and gap-long spaces; (0, 0) draws solid lines.
    void SetLineDash(double dash, double gap);

    void DrawLine(double x1, double y1, double x2, double y2);
    void DrawBox(double x, double y, double width, double height, Paint paint);

    // The current path, which drawing or clipping uses up.
    void StartPath(double x, double y);
    void AddLineToPath(double x, double y);
    void AddCurveToPath(double c1x, double c1y, double c2x, double c2y, double x, double y);
    void AddBoxToPath(double x, double y, double width, double height);
    void ClosePath();
    void DrawPath(Paint paint);
    // Saves the drawing state (colours, line, font, clipping) until the matching RestoreState.
    void SaveState();
    // Limits drawing to the inside of the current path until the state is restored.
    void SetClippingPath();
    void RestoreState();

    // Defines a linear gradient from colour1 at (x1, y1) to colour2 at (x2, y2); a name defined again is
    // replaced. Returns true when the gradient can be used.
    bool NewLinearGradient(const QString& name, double x1, double y1, const PdfRgb& colour1, double x2, double y2,
                           const PdfRgb& colour2);
    // Fills with the named gradient from now on; an unknown name keeps the fill.
    void SetFillGradient(const QString& name);

    // Loads a picture, whatever its file name says its format is. Returns its id, or -1 when the file cannot be
    // read as a picture. Loading the same path again gives the same id, so the picture is embedded once.
    int LoadImageFromFile(const QString& path);
    // Size in pixels of a loaded picture; 0 for an unknown id.
    int ImageWidth(int id) const;
    int ImageHeight(int id) const;
    // Draws a loaded picture stretched into the box.
    void DrawImage(int id, double x, double y, double width, double height);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
