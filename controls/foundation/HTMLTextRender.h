// One call of the markup engine: the layout of lines and runs (HTMLText.cpp), the tags (HTMLTextTags.cpp) and the
// pictures (HTMLTextPictures.cpp). Internal to the engine; controls use HTMLText.h.
#pragma once

#include "Canvas.h"
#include "HTMLTextSyntax.h"

#include <QIcon>
#include <QSize>
#include <QString>
#include <optional>

class TImageList;
class THTMLPicture;
class THTMLPictureCache;
class TPictureContainer;

namespace markup {

// The arguments of MarkupRender, outputs by reference.
struct RenderCall
{
    TCanvas& canvas;
    const QString& markup;
    TRect bounds;
    TImageList* images;
    int pointX;
    int pointY;
    int focusIndex;
    int hoverNumber;
    int shadowOffset;
    bool hitTestOnly;
    bool measureOnly;
    bool scaleImages;
    bool keepColors;
    bool blinkVisible;
    bool hoverEnabled;
    bool wordWrap;
    double scaleFactor;
    TColor urlColor;
    TColor hoverColor;
    TColor hoverFontColor;
    TColor shadowColor;
    QString& anchorAtPoint;
    QString& plainText;
    QString& focusedHref;
    int& markupWidth;
    int& markupHeight;
    int& anchorCount;
    int& anchorNumberAtPoint;
    TRect& hoverRect;
    THTMLPictureCache* pictureCache;
    TPictureContainer* pictureContainer;
    int lineSpacing;
};

// Where a picture source leads.
struct PictureSource
{
    enum Kind { None, ListImage, ShellIcon, Picture };
    Kind kind = None;
    int index = -1;                  // ListImage
    QIcon icon;                      // ShellIcon
    QSize iconSize;                  // ShellIcon, unscaled
    THTMLPicture* picture = nullptr; // Picture: not empty
};

class Renderer
{
public:
    explicit Renderer(const RenderCall& call);
    bool run();

private:
    // The measuring pass decides what goes on a line; the drawing pass replays it painting or hit-testing.
    enum class Pass { Measure, Paint, HitTest };

    struct Line
    {
        Pass pass;
        TRect rect;             // the line rectangle
        TRect work;             // its left edge is the current x
        bool done = false;      // a breaking tag, or a run that does not fit
        bool full = false;      // the current tag starts the next line
        bool firstItem = false; // an LI is already on this line
        bool textEmpty = true;
        bool textEndsWithSpace = false;
        int trailingSpace = 0;
        bool textHit = false;
        bool pictureHit = false;

        bool measuring() const { return pass == Pass::Measure; }
        bool painting() const { return pass == Pass::Paint; }
    };

    // Metrics of the line being laid out; reset for every line.
    struct Metrics
    {
        int height = 0;
        int baseHeight = 0;
        int subDepth = 0;
        int supHeight = 0;
        int textOffset = 0;
        int width = 0;
    };

    struct FontFigures
    {
        TFont font;
        int height; // of any text in the font
        int spaceWidth;
    };

    // What both passes of a line start from.
    struct Snapshot
    {
        bool inAnchor;
        QString href;
        int anchorCount;
        int listLevel;
        int pictureCounter;
        bool hidden;
        bool shadow;
        bool subscript;
        bool superscript;
    };

    // HTMLText.cpp
    Snapshot snapshot() const;
    void restore(const Snapshot& s);
    TRect alignedRect(const TRect& lineRect, int top) const;
    void layoutLine(Line& line, qsizetype& pos, qsizetype limit, qsizetype& markupEnd);
    qsizetype cutRun(qsizetype pos, qsizetype limit) const;
    bool takeRun(Line& line, QStringView written);
    int measureRun(Line& line, const DecodedRun& run);
    int paintRun(Line& line, const DecodedRun& run);
    QString boundedForEllipsis(const QString& drawn, int width) const;
    void drawErrorUnderline(int left, int right, int bottom);
    void endLine(Line& line);
    TColor brushColor() const;
    void setBrushColor(TColor color);
    void setStyle(int style, bool on);
    int turnedRunHeight(const QString& drawn);
    int textHeight() const;
    const FontFigures& fontFigures();

    // HTMLTextTags.cpp
    void handleTag(const Tag& tag, Line& line);
    void openTag(const Tag& tag, Line& line);
    void closeTag(const Tag& tag, Line& line);
    void anchorStart(const Tag& tag, Line& line);
    void anchorEnd(Line& line);
    void fontStart(const Tag& tag, Line& line);
    void fontEnd(Line& line);
    void highlight(Line& line, bool on);
    void horizontalRule(Line& line);
    void indentPosition(const Tag& tag, Line& line);
    void offset(const Tag& tag, Line& line);
    void listItem(Line& line);
    void paragraphStart(const Tag& tag, Line& line);
    void paragraphEnd(Line& line);
    void rotate(const Tag& tag);

    // HTMLTextPictures.cpp
    void image(const Tag& tag, Line& line);
    void body(const Tag& tag, Line& line);
    enum class Corner { Tiled, TopLeft, TopRight };
    void bodyPicture(const QString& source, Corner corner, const Line& line);
    PictureSource resolvePicture(const QString& source) const;
    QSize layoutSize(const PictureSource& picture, int width, int height) const;
    void drawPicture(const PictureSource& picture, int x, int y, int width, int height);

    const RenderCall& call;
    TCanvas& canvas;
    QString text; // the markup with placeholders unwrapped and line breaks as BR tags

    TFont baseFont;
    TFont measureFont;
    TFont drawFont;
    TBrush initialBrush;
    unsigned textFlags = 0;
    bool prefixes = true;

    bool inAnchor = false;
    QString href;
    bool pointInAnchor = false;
    int anchorStartWidth = 0;
    int anchorStartTop = 0;
    int listLevel = 0;
    int pictureCounter = 0;
    int pictureUnderPoint = -1;
    bool hidden = false;
    bool shadow = false;
    bool subscript = false;
    bool superscript = false;
    bool errorUnderline = false;
    bool paragraphFill = false;
    TColor fontSavedBrush = clNone;
    TColor highlightSavedFont = clNone;
    TColor highlightSavedBrush = clNone;
    TColor anchorSavedBrush = clNone;
    TColor anchorSavedFont = clNone;
    TColor paragraphSavedBrush = clNone;
    TRect focusRect;
    int alignment = 0; // 0 left, 1 right, 2 centre
    int indent = 0;
    int carriedOffset = 0;
    int ofsOffset = 0;
    std::optional<int> orientationBeforeRotation;
    Metrics m;
    std::optional<FontFigures> figures;
};

// Picture sizes are given for 96 dots per inch.
int scaleFrom96(int size, int dotsPerInch);
// Positions and sizes written in markup are kept within reach so that sums of them cannot overflow.
int clampPosition(int value);
int clampPictureSize(int value);

} // namespace markup
