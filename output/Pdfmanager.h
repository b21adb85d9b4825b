// The drawing layer through which every PDF report (family tree, person details, person list) is written: one
// document at a time, with page geometry, page breaks, a footer on every page, fonts from font descriptions,
// measured and wrapped text, lines, boxes, gradients, shape paths and pictures. Coordinates are points with the
// origin at the page's top-left corner and y growing downward, unless a parameter is in centimetres or millimetres.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class PdfLibrary;
struct PdfRgb;

// A 0x00BBGGRR colour as the PDF library takes it: -1 is white, system colours are resolved to their RGB.
struct PDFColor
{
    explicit PDFColor(int colour);
    void Set(int colour);

    int R = 0;
    int G = 0;
    int B = 0;
    int Color = 0;
};

// Every character the installed face covers in the given style, in code-point order. A face that is not
// installed gives the characters of the face that stands in for it.
QString FontCharacters(const QString& face, bool bold, bool italic);

// Tells the user that the report file at path could not be written, and the system's reason.
void ReportUnwritableFile(const QString& path, const QString& reason);

class PDFManager
{
public:
    PDFManager();
    ~PDFManager();
    PDFManager(const PDFManager&) = delete;
    PDFManager& operator=(const PDFManager&) = delete;

    // Documents and pages.

    // Starts a new document on its first page; font ids of an earlier document are void. pageTexts draws the
    // first page's footer.
    void BeginDocument(bool pageTexts);
    // Positions, lengths, line widths, dashes and text-box sizes drawn from now on are multiplied by scale; font
    // sizes are used as given, and every measure comes back divided by scale. Before a document is begun it only
    // stores the value: each document starts at scale 1.
    void SetScale(double scale);
    // Writes the document to path (replacing a file there atomically) and ends it. An empty path discards it.
    // True when the file was written; when it could not be, the user is told and the old file stays.
    bool EndDocument(const QString& path);
    // Gives the current page the size PageWidthCm x PageHeightCm and reads it back into PageWidthPt, PageHeightPt.
    void SetupPage();
    // Starts a new page (with its footer when pageTexts) when content of the needed height at y would cross the
    // bottom margin; true when it did. The last argument is not used.
    bool BreakPageIfNeeded(double y, double needed, bool pageTexts, bool spare = false);
    // The footer of the current page above y (the bottom content edge): PageText1 and PageText2 with
    // "#NR_STRONY#" replaced by pageNo, and a grey rule from left to right.
    void DrawPageTexts(int pageNo, double left, double right, double y);
    double CmToPt(double cm) const;
    double MmToPt(double mm) const;
    // The content edges of the current page; with MirrorMargins even pages swap the left and right margins.
    // The margins are read once per document, at the first of these calls.
    double LeftEdge();
    double RightMarginPt();
    double RightEdge();
    double BottomEdge() const;

    // Text and fonts. A font id of -1 chooses the font by face and bold flag where a face is given.

    // Fills FontFace, FontSize, FontBold and FontItalic from a font description ("Tahoma, 10pt, pogrubienie").
    bool ParseFontDescription(const QString& description);
    // Finds or adds the font of the face and style and makes it current. The glyphs drawn are embedded, so the
    // subset of characters to embed needs no work of its own.
    int UseFont(const QString& subset, const QString& face, bool bold, bool italic);
    // The font of a description at its size, with the text colour set.
    int SelectFontDescription(const QString& description, const QString& subset, int colour);
    double LineHeight(int font, double size);
    // Width of the text's widest line.
    double TextWidth(const QString& text, int font, double size);
    // Number of lines the text wraps into at width, times the line height.
    double WrappedTextHeight(int font, double size, const QString& text, double width);
    double MeasureTextHeight(int font, const QString& text, double width, const QString& face, double size, bool bold,
                             int& lines);
    // The lines the text wraps into at width: drawn one box each, or several together, they read as the whole.
    QStringList WrapText(int font, double size, const QString& text, double width);
    // Half the difference of the line heights at the two sizes; the text is not used.
    double HalfHeightDifference(int font, const QString& text, double size1, double size2);
    // Draws text wrapped to width at (x, y) with the alignment (0 left, 1 centre, 2 right); an empty text is drawn
    // as one blank line. shrinkToFit lowers the size 1 pt at a time, down to 5 pt at the least, until the widest
    // line fits. Returns the height used. Text that the height cannot hold is cut as PutTextBox cuts it; boxOption
    // is kept for the callers' sake.
    double DrawTextBox(int font, const QString& text, int align, double x, double y, const QString& face, double size,
                       double width, double height, bool bold, int boxOption, bool shrinkToFit);
    // Draws text wrapped to width in the current font, size and alignment, as many lines as height holds (the first
    // one at least), the last of them ended by "…" when text is left over; returns the number of lines drawn, 0
    // without drawing for an empty text.
    int PutTextBox(double x, double y, double width, double height, const QString& text, int boxOption);
    // One line whose top is at y; x is its left end, centre or right end as align says.
    void DrawTextAt(int font, double size, const QString& text, double x, double y, int align);
    // The y to draw the text at: y, or yTop on a new page when the text's wrapped height plus the spacing does not
    // fit above the bottom margin. font must be a real id.
    double EnsureRoomForText(double y, double yTop, const QString& text, double width, int font, double size, bool bold,
                             bool pageTexts, bool spare, double spacingMm);

    // Colours, lines, shapes and pictures. Colours are 0x00BBGGRR values; -1 is white.

    static double ColorComponent(int component);
    void SetTextColor(int colour);
    void SetLineColor(int colour);
    void SetFillColor(int colour);
    // Dashes of twice the width unless solid; leaves the width set and the line solid.
    void DrawLine(double x1, double y1, double x2, double y2, int colour, bool solid, double widthPt);
    // 1/6 mm wide, dashes of 2/3 mm unless solid; leaves a solid line 0.5 mm wide.
    void DrawHairline(double x1, double y1, double x2, double y2, int colour, bool solid);
    // widthMm wide, dashes of dashPt when dashed; leaves the line as drawn.
    void DrawLineMm(double x1, double y1, double x2, double y2, int colour, double widthMm, bool dashed, double dashPt);
    // A horizontal bar at y from xLeft to xRight whose ends curve (radius r) towards larger y when notchUp, and
    // whose pointed notch at xNotch points the other way.
    void DrawBracket(double xLeft, double xRight, double xNotch, double y, double r, bool notchUp, int colour,
                     bool solid, double widthPt);
    // Nothing is drawn, and nothing changes, with neither fill nor border.
    void DrawBox(double x, double y, double w, double h, bool fill, int fillColour, bool border, int borderColour,
                 double borderMm);
    void DrawBoxCorners(double x1, double y1, double x2, double y2, bool fill, int fillColour, bool border,
                        int borderColour, double borderMm);
    // A box filled from colourB to colourA: top to bottom with direction 1, left to right otherwise.
    void DrawGradientBox(double x, double y, double w, double h, int colourA, int colourB, int direction);
    // Adds a closed shape centred at (cx, cy) to the current path: 1 rectangle, 2 ellipse, 3 cut-corner rectangle.
    void AddShapePath(double cx, double cy, double w, double h, int shape);
    // Draws the picture stretched into the box; 0 when the file cannot be loaded.
    double DrawImageFile(const QString& file, double x, double y, double w, double h);
    // Draws the picture fitted into the box (never above one point per pixel), aligned (0 left/top, 1 centre,
    // 2 right/bottom, -1 filling the axis), clipped to the shape and, when framed, on a framed background.
    // Returns the width of the drawn area, or 0 when nothing was drawn.
    double DrawPictureFitted(const QString& file, double x, double y, double w, double h, double scale, int hAlign,
                             int vAlign, int shape, bool framed, int lineColour, int fillColour);

    double MarginBottom = 1.5;
    double MarginTop = 1.5;
    double MarginLeft = 1.5;
    double MarginRight = 1.5;
    bool MirrorMargins = false;
    double PageWidthPt = 0;
    double PageHeightPt = 0;
    double PageWidthCm = 21.0;
    double PageHeightCm = 29.7;
    QString FontFace = QStringLiteral("Tahoma");
    double FontSize = 10;
    bool FontBold = false;
    bool FontItalic = false;
    QString PageText1;
    QString PageText2;
    bool ShowPageText2 = true;
    double Scale = 0;

private:
    PdfLibrary& document();
    PdfRgb rgb(int colour) const;
    void setTextSize(double size);
    void selectFont(int font, const QString& text, const QString& face, bool bold);
    void computeMargins();

    std::unique_ptr<PdfLibrary> library;
    double pointsPerInch = 72.0;
    // Case-folded font key -> font id of the current document.
    QHash<QString, int> fontCache;
    int gradientCounter = 1;
    double leftMarginPt = -1;
    double rightMarginPt = -1;
    int pageTextFont = -1;
};

extern PDFManager gPDFManager;
