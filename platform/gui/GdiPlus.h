// The GDI+ object model over QPainter, QPainterPath and QImage: graphics surfaces, pens, brushes, paths, regions,
// fonts, string formats and images with GDI+'s names, values and geometry.
//
// - No object throws. Each records failures as Status values: creation stores its status (Ok included), every
//   other call stores a status other than Ok and returns its own status, so a failure stays recorded until
//   GetLastStatus reads (and clears) it.
// - A wrapper whose creation failed, or that was made empty, has no native object; calls on it answer
//   InvalidParameter, as do drawing calls given a null or empty pen, brush, path, font or image.
// - Angles run clockwise on the screen, from the positive x axis, as in GDI+; y grows downward.
// - With smoothing mode AntiAlias or HighQuality, drawing is antialiased and pixel centres lie on whole
//   co-ordinates as in GDI+: a 1-pixel line along y = 2 covers exactly pixel row 2.
// - The path-gradient brush paints a radial gradient from its centre point to the farthest point of its path,
//   clipped to the path.
#pragma once

#include "Toolkit.h"

#include <QBrush>
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <QVector>
#include <memory>

class QIODevice;
class QPainter;
class TCanvas;

using ARGB = quint32;

struct TGPPoint
{
    qint32 X = 0;
    qint32 Y = 0;
};

struct TGPPointF
{
    float X = 0;
    float Y = 0;
};

struct TGPRect
{
    qint32 X = 0;
    qint32 Y = 0;
    qint32 Width = 0;
    qint32 Height = 0;
};

struct TGPRectF
{
    float X = 0;
    float Y = 0;
    float Width = 0;
    float Height = 0;
};

enum Status {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20
};

enum FillMode { FillModeAlternate = 0, FillModeWinding = 1 };
enum Unit {
    UnitWorld = 0,
    UnitDisplay = 1,
    UnitPixel = 2,
    UnitPoint = 3,
    UnitInch = 4,
    UnitDocument = 5,
    UnitMillimeter = 6
};
enum DashStyle {
    DashStyleSolid = 0,
    DashStyleDash = 1,
    DashStyleDot = 2,
    DashStyleDashDot = 3,
    DashStyleDashDotDot = 4,
    DashStyleCustom = 5
};
enum WrapMode {
    WrapModeTile = 0,
    WrapModeTileFlipX = 1,
    WrapModeTileFlipY = 2,
    WrapModeTileFlipXY = 3,
    WrapModeClamp = 4
};
enum LinearGradientMode {
    LinearGradientModeHorizontal = 0,
    LinearGradientModeVertical = 1,
    LinearGradientModeForwardDiagonal = 2,
    LinearGradientModeBackwardDiagonal = 3
};
enum CombineMode {
    CombineModeReplace = 0,
    CombineModeIntersect = 1,
    CombineModeUnion = 2,
    CombineModeXor = 3,
    CombineModeExclude = 4,
    CombineModeComplement = 5
};
enum TextRenderingHint {
    TextRenderingHintSystemDefault = 0,
    TextRenderingHintSingleBitPerPixelGridFit = 1,
    TextRenderingHintSingleBitPerPixel = 2,
    TextRenderingHintAntiAliasGridFit = 3,
    TextRenderingHintAntiAlias = 4,
    TextRenderingHintClearTypeGridFit = 5
};
enum SmoothingMode {
    SmoothingModeInvalid = -1,
    SmoothingModeDefault = 0,
    SmoothingModeHighSpeed = 1,
    SmoothingModeHighQuality = 2,
    SmoothingModeNone = 3,
    SmoothingModeAntiAlias = 4
};
enum CompositingQuality {
    CompositingQualityInvalid = -1,
    CompositingQualityDefault = 0,
    CompositingQualityHighSpeed = 1,
    CompositingQualityHighQuality = 2,
    CompositingQualityGammaCorrected = 3,
    CompositingQualityAssumeLinear = 4
};
enum StringAlignment { StringAlignmentNear = 0, StringAlignmentCenter = 1, StringAlignmentFar = 2 };
enum StringTrimming {
    StringTrimmingNone = 0,
    StringTrimmingCharacter = 1,
    StringTrimmingWord = 2,
    StringTrimmingEllipsisCharacter = 3,
    StringTrimmingEllipsisWord = 4,
    StringTrimmingEllipsisPath = 5
};
enum HotkeyPrefix { HotkeyPrefixNone = 0, HotkeyPrefixShow = 1, HotkeyPrefixHide = 2 };
enum FlushIntention { FlushIntentionFlush = 0, FlushIntentionSync = 1 };
enum DebugEventLevel { DebugEventLevelFatal = 0, DebugEventLevelWarning = 1 };
enum RotateFlipType {
    RotateNoneFlipNone = 0,
    Rotate90FlipNone = 1,
    Rotate180FlipNone = 2,
    Rotate270FlipNone = 3,
    RotateNoneFlipX = 4,
    Rotate90FlipX = 5,
    Rotate180FlipX = 6,
    Rotate270FlipX = 7
};
enum LineCap { LineCapFlat = 0, LineCapSquare = 1, LineCapRound = 2, LineCapTriangle = 3 };
// Style bits of TGPFont.
enum FontStyle {
    FontStyleRegular = 0,
    FontStyleBold = 1,
    FontStyleItalic = 2,
    FontStyleBoldItalic = 3,
    FontStyleUnderline = 4,
    FontStyleStrikeout = 8
};
// The string format flag the controls use; the others are accepted and ignored.
constexpr int StringFormatFlagsNoWrap = 0x1000;
using PixelFormat = int;
constexpr PixelFormat PixelFormat32bppARGB = 0x26200A;

// What TGPImage::GetFormat reports.
enum TGPImageFormat {
    ifUndefined = 0,
    ifMemoryBMP = 1,
    ifBMP = 2,
    ifEMF = 3,
    ifWMF = 4,
    ifJPEG = 5,
    ifPNG = 6,
    ifGIF = 7,
    ifTIFF = 8,
    ifEXIF = 9,
    ifIcon = 10
};

// An opaque GDI+ colour of a toolkit colour: system colours (top bit set) are resolved, the top byte of any other
// colour is dropped.
ARGB ColorToARGB(TColor color);
constexpr ARGB MakeColor(quint8 a, quint8 r, quint8 g, quint8 b)
{
    return ARGB(a) << 24 | ARGB(r) << 16 | ARGB(g) << 8 | ARGB(b);
}
constexpr ARGB MakeColor(quint8 r, quint8 g, quint8 b)
{
    return MakeColor(255, r, g, b);
}
constexpr quint8 GetAlpha(ARGB color)
{
    return quint8(color >> 24);
}
constexpr quint8 GetRed(ARGB color)
{
    return quint8(color >> 16);
}
constexpr quint8 GetGreen(ARGB color)
{
    return quint8(color >> 8);
}
constexpr quint8 GetBlue(ARGB color)
{
    return quint8(color);
}
inline TGPPoint MakePoint(qint32 x, qint32 y)
{
    return TGPPoint{x, y};
}
inline TGPPointF MakePoint(float x, float y)
{
    return TGPPointF{x, y};
}
inline TGPRectF MakeRect(float x, float y, float width, float height)
{
    return TGPRectF{x, y, width, height};
}
// The colour with its alpha.
QColor ArgbToQColor(ARGB color);

// The root of every GDI+ object: the status bookkeeping.
class TGdiplusBase
{
public:
    virtual ~TGdiplusBase() = default;
    // Records a status other than Ok and returns the status given.
    Status SetStatus(Status status);
    // The recorded status; reading it clears it to Ok.
    Status GetLastStatus();

protected:
    TGdiplusBase() = default;
    TGdiplusBase(const TGdiplusBase&) = delete;
    TGdiplusBase& operator=(const TGdiplusBase&) = delete;
    // What a creation call does: the status is stored whatever it is.
    void SetCreationStatus(Status status) { lastStatus = status; }

private:
    Status lastStatus = Ok;
};

class TGPPen : public TGdiplusBase
{
public:
    // A pen in world units; dash patterns scale with the width.
    TGPPen(ARGB color, float width = 1.0f);
    Status SetDashStyle(DashStyle style);
    DashStyle GetDashStyle();
    Status SetEndCap(LineCap cap);
    QPen ToQPen() const;

private:
    ARGB color;
    float width;
    DashStyle dashStyle = DashStyleSolid;
    LineCap endCap = LineCapFlat;
};

class TGPGraphicsPath;

class TGPBrush : public TGdiplusBase
{
public:
    // A brush with nothing to paint with.
    TGPBrush();
    bool IsEmpty() const { return !valid; }
    // The paint, and the area outside of which it paints nothing (empty: no limit).
    const QBrush& ToQBrush() const { return brush; }
    const QPainterPath& PaintArea() const { return paintArea; }

protected:
    explicit TGPBrush(bool valid);
    void SetQBrush(const QBrush& value, const QPainterPath& area = QPainterPath());

private:
    bool valid;
    QBrush brush;
    QPainterPath paintArea;
};

class TGPSolidBrush : public TGPBrush
{
public:
    // An empty brush.
    TGPSolidBrush();
    explicit TGPSolidBrush(ARGB color);
};

class TGPLinearGradientBrush : public TGPBrush
{
public:
    // An empty brush.
    TGPLinearGradientBrush();
    // Colour 1 at the start edge of the rectangle, colour 2 at the end edge, repeated beyond it.
    TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
    TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
};

class TGPPathGradientBrush : public TGPBrush
{
public:
    // Centre colour black, surround colour white, centre point the centroid of the path's points.
    explicit TGPPathGradientBrush(const TGPGraphicsPath* path);

    Status GetCenterColor(ARGB& color);
    Status SetCenterColor(ARGB color);
    int GetPointCount();
    // Takes up to GetPointCount colours; count comes back as the number taken.
    Status SetSurroundColors(const ARGB* colors, int& count);
    // Needs room for every surround colour; count comes back as the number written.
    Status GetSurroundColors(ARGB* colors, int& count);
    Status GetCenterPoint(TGPPointF& point);
    Status GetCenterPoint(TGPPoint& point);
    Status SetCenterPoint(const TGPPointF& point);
    Status SetCenterPoint(const TGPPoint& point);

private:
    void rebuild();

    QPainterPath path;
    int pointCount = 0;
    ARGB centerColor = MakeColor(0, 0, 0);
    QVector<ARGB> surroundColors{MakeColor(255, 255, 255)};
    QPointF centerPoint;
};

class TGPStringFormat : public TGdiplusBase
{
public:
    explicit TGPStringFormat(int formatFlags = 0, quint16 language = 0);
    Status SetAlignment(StringAlignment value);
    StringAlignment GetAlignment() const;
    Status SetLineAlignment(StringAlignment value);
    StringAlignment GetLineAlignment() const;
    Status SetTrimming(StringTrimming value);
    StringTrimming GetTrimming() const;
    Status SetHotkeyPrefix(HotkeyPrefix value);
    HotkeyPrefix GetHotkeyPrefix() const;
    int GetFormatFlags() const { return flags; }
    // Takes over the other format's settings; the status is recorded even when it is Ok.
    Status Assign(const TGPStringFormat* other);

private:
    int flags;
    StringAlignment alignment = StringAlignmentNear;
    StringAlignment lineAlignment = StringAlignmentNear;
    StringTrimming trimming = StringTrimmingCharacter;
    HotkeyPrefix hotkeyPrefix = HotkeyPrefixNone;
};

class TGPFontCollection : public TGdiplusBase
{};

class TGPFontFamily : public TGdiplusBase
{
public:
    // FontFamilyNotFound when no installed (or registered) font has the name.
    explicit TGPFontFamily(const QString& name, const TGPFontCollection* collection = nullptr);
    bool IsEmpty() const { return name.isEmpty(); }
    QString GetName() const { return name; }

private:
    QString name;
};

class TGPFont : public TGdiplusBase
{
public:
    // style: FontStyle bits; unit UnitPoint counts points at 96 dots per inch, the other units pixels.
    TGPFont(const TGPFontFamily* family, float emSize, int style = FontStyleRegular, Unit unit = UnitPoint);
    bool IsEmpty() const { return empty; }
    const QFont& ToQFont() const { return font; }

private:
    bool empty = true;
    QFont font;
};

class TGPGraphicsPath : public TGdiplusBase
{
public:
    explicit TGPGraphicsPath(FillMode fillMode = FillModeAlternate);

    // Segments added while a figure is open join it by a straight line from its last point.
    Status CloseFigure();
    Status AddLine(float x1, float y1, float x2, float y2);
    Status AddLine(const TGPPointF& from, const TGPPointF& to);
    Status AddLines(const TGPPoint* points, int count);
    Status AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    Status AddArc(const TGPRectF& rect, float startAngle, float sweepAngle);
    Status AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
    Status AddBezier(const TGPPoint& p1, const TGPPoint& p2, const TGPPoint& p3, const TGPPoint& p4);
    Status AddBezier(const TGPPointF& p1, const TGPPointF& p2, const TGPPointF& p3, const TGPPointF& p4);
    Status AddCurve(const TGPPointF* points, int count);
    Status AddCurve(const TGPPoint* points, int count);
    Status AddCurve(const TGPPoint* points, int count, float tension);
    // These make closed figures of their own.
    Status AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle);
    Status AddPie(const TGPRectF& rect, float startAngle, float sweepAngle);
    Status AddEllipse(float x, float y, float width, float height);
    Status AddEllipse(const TGPRectF& rect);
    Status AddPolygon(const TGPPointF* points, int count);
    Status AddPolygon(const TGPPoint* points, int count);

    int GetPointCount() const { return path.isEmpty() ? 0 : path.elementCount(); }
    const QPainterPath& ToQPainterPath() const { return path; }

private:
    void joinTo(const QPointF& point);
    Status addCurve(const QVector<QPointF>& points, float tension);

    QPainterPath path;
    bool figureOpen = false;
};

// Adds the closed outline of a rectangle with rounded corners of the radius: the top edge, then clockwise, each
// corner a quarter arc.
void AddRoundRectFigure(TGPGraphicsPath& path, float x, float y, float width, float height, float radius);

class TGPRegion : public TGdiplusBase
{
public:
    explicit TGPRegion(const TGPRectF& rect);
    explicit TGPRegion(const TGPGraphicsPath* path);
    Status Exclude(const TGPGraphicsPath* path);
    Status Union(const TGPRegion* region);
    const QPainterPath& ToQPainterPath() const { return area; }

private:
    QPainterPath area;
};

class TGPImage : public TGdiplusBase
{
public:
    // Reads a picture file; FileNotFound or UnknownImageFormat when there is none. Colour management is not
    // applied either way.
    explicit TGPImage(const QString& fileName, bool useEmbeddedColorManagement = false);
    // Reads a picture from the whole content of a stream (or of a byte array).
    explicit TGPImage(QIODevice* stream, bool useEmbeddedColorManagement = false);
    explicit TGPImage(const QByteArray& bytes, bool useEmbeddedColorManagement = false);
    // An image of pixels already decoded; its format reads as a bitmap made in memory unless told.
    explicit TGPImage(const QImage& pixels, TGPImageFormat format = ifMemoryBMP);

    bool IsEmpty() const { return image.isNull(); }
    TGPImageFormat GetFormat();
    quint32 GetWidth();
    quint32 GetHeight();
    float GetHorizontalResolution();
    float GetVerticalResolution();
    Status RotateFlip(RotateFlipType type);
    // A copy scaled to the size; null when this image is empty.
    std::unique_ptr<TGPImage> GetThumbnailImage(quint32 width, quint32 height);

    const QImage& ToQImage() const { return image; }
    // The pixels a graphics object draws on.
    QImage& Pixels() { return image; }

private:
    void load(const QByteArray& bytes);

    QImage image;
    TGPImageFormat format = ifUndefined;
};

class TGPBitmap : public TGPImage
{
public:
    explicit TGPBitmap(QIODevice* stream, bool useEmbeddedColorManagement = false);
    // A transparent bitmap of 32-bit pixels, whatever the pixel format asked for.
    TGPBitmap(int width, int height, PixelFormat format = PixelFormat32bppARGB);
    static std::unique_ptr<TGPBitmap> FromStream(QIODevice* stream, bool useEmbeddedColorManagement = false);

    Status GetPixel(int x, int y, ARGB& color);
    Status SetPixel(int x, int y, ARGB color);
    Status SetResolution(float dpiX, float dpiY);
};

class TGPGraphics : public TGdiplusBase
{
public:
    // Draws on the canvas's surface; the canvas's state (and clipping) comes back as it was.
    explicit TGPGraphics(TCanvas& canvas);
    // Draws on the image's pixels (a null image gives a graphics object without a surface, status Ok).
    explicit TGPGraphics(TGPImage* image);
    ~TGPGraphics() override;
    static std::unique_ptr<TGPGraphics> FromImage(TGPImage* image);

    void Flush(FlushIntention intention = FlushIntentionFlush);
    Status SetTextRenderingHint(TextRenderingHint hint);
    TextRenderingHint GetTextRenderingHint();
    Status SetSmoothingMode(SmoothingMode mode);
    // SmoothingModeInvalid (-1) without a surface.
    SmoothingMode GetSmoothingMode();
    Status SetCompositingQuality(CompositingQuality quality);
    CompositingQuality GetCompositingQuality();
    // Drawing is in pixels whatever the unit; the call only reports whether there is a surface.
    Status SetPageUnit(Unit unit);

    Status DrawPath(const TGPPen* pen, const TGPGraphicsPath* path);
    Status FillPath(const TGPBrush* brush, const TGPGraphicsPath* path);
    Status FillRectangle(const TGPBrush* brush, const TGPRectF& rect);
    Status FillRectangle(const TGPBrush* brush, float x, float y, float width, float height);
    Status DrawRectangle(const TGPPen* pen, const TGPRectF& rect);
    Status DrawRectangle(const TGPPen* pen, float x, float y, float width, float height);
    // length -1: the whole text. A layout rectangle without width or height does not limit the text.
    Status DrawString(const QString& text, int length, const TGPFont* font, const TGPRectF& layout,
                      const TGPStringFormat* format, const TGPBrush* brush);
    Status MeasureString(const QString& text, int length, const TGPFont* font, const TGPRectF& layout,
                         const TGPStringFormat* format, TGPRectF& bounding, int* codepointsFitted = nullptr,
                         int* linesFilled = nullptr);
    // At the image's own pixel size.
    Status DrawImage(TGPImage* image, int x, int y);
    Status DrawImageRect(TGPImage* image, int x, int y, int width, int height);
    Status DrawImage(TGPImage* image, const TGPRectF& destination);
    // The part (srcX, srcY, srcWidth, srcHeight) of the image, in pixels, stretched into the destination.
    Status DrawImage(TGPImage* image, const TGPRectF& destination, float srcX, float srcY, float srcWidth,
                     float srcHeight, Unit srcUnit);
    Status ExcludeClip(const TGPRectF& rect);
    Status ExcludeClip(const TGPRegion* region);
    Status SetClip(const TGPRegion* region, CombineMode mode = CombineModeReplace);
    Status ResetClip();

private:
    class Scope;
    Status combineClip(const QPainterPath& area, CombineMode mode);
    bool hasSurface() const { return painter != nullptr; }

    std::unique_ptr<QPainter> ownPainter;
    QPainter* painter = nullptr;
    QPainterPath clip; // empty: no clip of our own
    bool clipping = false;
    TextRenderingHint textRenderingHint = TextRenderingHintSystemDefault;
    SmoothingMode smoothingMode = SmoothingModeNone;
    CompositingQuality compositingQuality = CompositingQualityDefault;
};
