#include "GdiPlus.h"

#include "Canvas.h"
#include "Graphics.h"

#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>

namespace {

QRectF toQRectF(const TGPRectF& rect)
{
    return QRectF(rect.X, rect.Y, rect.Width, rect.Height);
}

QPainterPath rectanglePath(const QRectF& rect)
{
    QPainterPath path;
    path.addRect(rect);
    return path;
}

// Far enough to stand for "everywhere" in clipping arithmetic.
QPainterPath everywhere()
{
    return rectanglePath(QRectF(-1e7, -1e7, 2e7, 2e7));
}

// The point at an angle on the ellipse of a rectangle, angles clockwise on the screen as in GDI+.
QPointF arcStart(const QRectF& rect, float startAngle)
{
    QPainterPath probe;
    probe.arcMoveTo(rect, -startAngle);
    return probe.currentPosition();
}

TGPImageFormat formatOf(const QByteArray& readerFormat)
{
    if (readerFormat == "bmp")
        return ifBMP;
    if (readerFormat == "png")
        return ifPNG;
    if (readerFormat == "jpeg" || readerFormat == "jpg")
        return ifJPEG;
    if (readerFormat == "gif")
        return ifGIF;
    if (readerFormat == "tif" || readerFormat == "tiff")
        return ifTIFF;
    if (readerFormat == "ico")
        return ifIcon;
    return ifUndefined;
}

int textFlags(const TGPStringFormat* format)
{
    if (!format)
        return Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const TGPStringFormat* f = format;
    int flags = 0;
    switch (f->GetAlignment()) {
    case StringAlignmentCenter:
        flags |= Qt::AlignHCenter;
        break;
    case StringAlignmentFar:
        flags |= Qt::AlignRight;
        break;
    default:
        flags |= Qt::AlignLeft;
        break;
    }
    switch (f->GetLineAlignment()) {
    case StringAlignmentCenter:
        flags |= Qt::AlignVCenter;
        break;
    case StringAlignmentFar:
        flags |= Qt::AlignBottom;
        break;
    default:
        flags |= Qt::AlignTop;
        break;
    }
    if (!(f->GetFormatFlags() & StringFormatFlagsNoWrap))
        flags |= Qt::TextWordWrap;
    if (f->GetHotkeyPrefix() == HotkeyPrefixShow)
        flags |= Qt::TextShowMnemonic;
    else if (f->GetHotkeyPrefix() == HotkeyPrefixHide)
        flags |= Qt::TextHideMnemonic;
    return flags;
}

// A layout rectangle without width or height does not limit the text.
QRectF layoutRect(const TGPRectF& layout)
{
    if (layout.Width <= 0 || layout.Height <= 0)
        return QRectF(layout.X, layout.Y, 1e6, 1e6);
    return toQRectF(layout);
}

} // namespace

ARGB ColorToARGB(TColor color)
{
    const TColor rgb = (color & 0x80000000) ? ColorToRGB(color) : (color & 0x00FFFFFF);
    return MakeColor(255, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QColor ArgbToQColor(ARGB color)
{
    return QColor(GetRed(color), GetGreen(color), GetBlue(color), GetAlpha(color));
}

Status TGdiplusBase::SetStatus(Status status)
{
    if (status != Ok)
        lastStatus = status;
    return status;
}

Status TGdiplusBase::GetLastStatus()
{
    const Status status = lastStatus;
    lastStatus = Ok;
    return status;
}

// Pen ------------------------------------------------------------------------------------------------------------

TGPPen::TGPPen(ARGB color, float width) : color(color), width(width)
{
    SetCreationStatus(width < 0 ? InvalidParameter : Ok);
}

Status TGPPen::SetDashStyle(DashStyle style)
{
    if (style < DashStyleSolid || style > DashStyleCustom)
        return SetStatus(InvalidParameter);
    dashStyle = style;
    return Ok;
}

DashStyle TGPPen::GetDashStyle()
{
    return dashStyle;
}

Status TGPPen::SetEndCap(LineCap cap)
{
    endCap = cap;
    return Ok;
}

QPen TGPPen::ToQPen() const
{
    QPen pen(QBrush(ArgbToQColor(color)), width);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(endCap == LineCapRound ? Qt::RoundCap : endCap == LineCapSquare ? Qt::SquareCap : Qt::FlatCap);
    // Dash lengths in pen widths.
    switch (dashStyle) {
    case DashStyleDash:
        pen.setDashPattern({3, 1});
        break;
    case DashStyleDot:
        pen.setDashPattern({1, 1});
        break;
    case DashStyleDashDot:
        pen.setDashPattern({3, 1, 1, 1});
        break;
    case DashStyleDashDotDot:
        pen.setDashPattern({3, 1, 1, 1, 1, 1});
        break;
    default:
        break;
    }
    return pen;
}

// Brushes --------------------------------------------------------------------------------------------------------

TGPBrush::TGPBrush() : valid(false)
{
    SetCreationStatus(NotImplemented);
}

TGPBrush::TGPBrush(bool valid) : valid(valid) {}

void TGPBrush::SetQBrush(const QBrush& value, const QPainterPath& area)
{
    brush = value;
    paintArea = area;
    valid = true;
}

TGPSolidBrush::TGPSolidBrush() : TGPBrush(false) {}

TGPSolidBrush::TGPSolidBrush(ARGB color) : TGPBrush(true)
{
    SetQBrush(QBrush(ArgbToQColor(color)));
}

TGPLinearGradientBrush::TGPLinearGradientBrush() : TGPBrush(false) {}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, LinearGradientMode mode)
    : TGPBrush(false)
{
    if (rect.Width == 0 || rect.Height == 0) {
        SetCreationStatus(OutOfMemory);
        return;
    }
    const QRectF r = toQRectF(rect);
    QLinearGradient gradient;
    switch (mode) {
    case LinearGradientModeVertical:
        gradient = QLinearGradient(r.topLeft(), r.bottomLeft());
        break;
    case LinearGradientModeForwardDiagonal:
        gradient = QLinearGradient(r.topLeft(), r.bottomRight());
        break;
    case LinearGradientModeBackwardDiagonal:
        gradient = QLinearGradient(r.topRight(), r.bottomLeft());
        break;
    default:
        gradient = QLinearGradient(r.topLeft(), r.topRight());
        break;
    }
    gradient.setColorAt(0, ArgbToQColor(color1));
    gradient.setColorAt(1, ArgbToQColor(color2));
    gradient.setSpread(QGradient::RepeatSpread);
    SetQBrush(QBrush(gradient));
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2, LinearGradientMode mode)
    : TGPLinearGradientBrush(TGPRectF{float(rect.X), float(rect.Y), float(rect.Width), float(rect.Height)}, color1,
                             color2, mode)
{}

TGPPathGradientBrush::TGPPathGradientBrush(const TGPGraphicsPath* source) : TGPBrush(false)
{
    if (!source) {
        SetCreationStatus(InvalidParameter);
        return;
    }
    path = source->ToQPainterPath();
    pointCount = source->GetPointCount();
    if (pointCount > 0) {
        QPointF sum;
        for (int i = 0; i < pointCount; ++i)
            sum += QPointF(path.elementAt(i));
        centerPoint = sum / pointCount;
    }
    rebuild();
}

void TGPPathGradientBrush::rebuild()
{
    qreal radius = 1;
    for (int i = 0; i < pointCount; ++i)
        radius = qMax(radius, QLineF(centerPoint, QPointF(path.elementAt(i))).length());
    QRadialGradient gradient(centerPoint, radius);
    gradient.setColorAt(0, ArgbToQColor(centerColor));
    gradient.setColorAt(1, ArgbToQColor(surroundColors.constFirst()));
    SetQBrush(QBrush(gradient), path);
}

Status TGPPathGradientBrush::GetCenterColor(ARGB& color)
{
    if (IsEmpty())
        return SetStatus(InvalidParameter);
    color = centerColor;
    return Ok;
}

Status TGPPathGradientBrush::SetCenterColor(ARGB color)
{
    if (IsEmpty())
        return SetStatus(InvalidParameter);
    centerColor = color;
    rebuild();
    return Ok;
}

int TGPPathGradientBrush::GetPointCount()
{
    if (IsEmpty()) {
        SetStatus(InvalidParameter);
        return 0;
    }
    return pointCount;
}

Status TGPPathGradientBrush::SetSurroundColors(const ARGB* colors, int& count)
{
    if (!colors || IsEmpty())
        return SetStatus(InvalidParameter);
    const int points = GetPointCount();
    if (count <= 0 || count > points || points <= 0)
        return SetStatus(InvalidParameter);
    surroundColors = QVector<ARGB>(colors, colors + count);
    rebuild();
    return Ok;
}

Status TGPPathGradientBrush::GetSurroundColors(ARGB* colors, int& count)
{
    if (!colors || IsEmpty())
        return SetStatus(InvalidParameter);
    const int available = int(surroundColors.size());
    if (count < available || available <= 0)
        return SetStatus(InsufficientBuffer);
    std::copy(surroundColors.cbegin(), surroundColors.cend(), colors);
    count = available;
    return Ok;
}

Status TGPPathGradientBrush::GetCenterPoint(TGPPointF& point)
{
    if (IsEmpty())
        return SetStatus(InvalidParameter);
    point = TGPPointF{float(centerPoint.x()), float(centerPoint.y())};
    return Ok;
}

Status TGPPathGradientBrush::GetCenterPoint(TGPPoint& point)
{
    if (IsEmpty())
        return SetStatus(InvalidParameter);
    point = TGPPoint{qint32(std::lround(centerPoint.x())), qint32(std::lround(centerPoint.y()))};
    return Ok;
}

Status TGPPathGradientBrush::SetCenterPoint(const TGPPointF& point)
{
    if (IsEmpty())
        return SetStatus(InvalidParameter);
    centerPoint = QPointF(point.X, point.Y);
    rebuild();
    return Ok;
}

Status TGPPathGradientBrush::SetCenterPoint(const TGPPoint& point)
{
    return SetCenterPoint(TGPPointF{float(point.X), float(point.Y)});
}

// Text -----------------------------------------------------------------------------------------------------------

TGPStringFormat::TGPStringFormat(int formatFlags, quint16) : flags(formatFlags) {}

Status TGPStringFormat::SetAlignment(StringAlignment value)
{
    alignment = value;
    return Ok;
}

StringAlignment TGPStringFormat::GetAlignment() const
{
    return alignment;
}

Status TGPStringFormat::SetLineAlignment(StringAlignment value)
{
    lineAlignment = value;
    return Ok;
}

StringAlignment TGPStringFormat::GetLineAlignment() const
{
    return lineAlignment;
}

Status TGPStringFormat::SetTrimming(StringTrimming value)
{
    trimming = value;
    return Ok;
}

StringTrimming TGPStringFormat::GetTrimming() const
{
    return trimming;
}

Status TGPStringFormat::SetHotkeyPrefix(HotkeyPrefix value)
{
    hotkeyPrefix = value;
    return Ok;
}

HotkeyPrefix TGPStringFormat::GetHotkeyPrefix() const
{
    return hotkeyPrefix;
}

Status TGPStringFormat::Assign(const TGPStringFormat* other)
{
    Q_ASSERT(other);
    if (!other)
        return SetStatus(InvalidParameter);
    flags = other->flags;
    alignment = other->alignment;
    lineAlignment = other->lineAlignment;
    trimming = other->trimming;
    hotkeyPrefix = other->hotkeyPrefix;
    SetCreationStatus(Ok);
    return Ok;
}

TGPFontFamily::TGPFontFamily(const QString& familyName, const TGPFontCollection*)
{
    const QStringList families = QFontDatabase::families();
    const auto found = std::find_if(families.cbegin(), families.cend(), [&](const QString& family) {
        return family.compare(familyName, Qt::CaseInsensitive) == 0;
    });
    if (familyName.isEmpty() || found == families.cend()) {
        SetCreationStatus(FontFamilyNotFound);
        return;
    }
    name = *found;
}

TGPFont::TGPFont(const TGPFontFamily* family, float emSize, int style, Unit unit)
{
    if (!family || family->IsEmpty() || emSize <= 0) {
        SetCreationStatus(InvalidParameter);
        return;
    }
    double pixels = emSize;
    switch (unit) {
    case UnitPoint:
        pixels = emSize * 96.0 / 72.0;
        break;
    case UnitInch:
        pixels = emSize * 96.0;
        break;
    case UnitDocument:
        pixels = emSize * 96.0 / 300.0;
        break;
    case UnitMillimeter:
        pixels = emSize * 96.0 / 25.4;
        break;
    default:
        break;
    }
    font = QFont(family->GetName());
    font.setPixelSize(qMax(1, int(std::lround(pixels))));
    font.setBold(style & FontStyleBold);
    font.setItalic(style & FontStyleItalic);
    font.setUnderline(style & FontStyleUnderline);
    font.setStrikeOut(style & FontStyleStrikeout);
    empty = false;
}

// Paths and regions ----------------------------------------------------------------------------------------------

TGPGraphicsPath::TGPGraphicsPath(FillMode fillMode)
{
    path.setFillRule(fillMode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
}

void TGPGraphicsPath::joinTo(const QPointF& point)
{
    if (figureOpen)
        path.lineTo(point);
    else
        path.moveTo(point);
    figureOpen = true;
}

Status TGPGraphicsPath::CloseFigure()
{
    if (figureOpen)
        path.closeSubpath();
    figureOpen = false;
    return Ok;
}

Status TGPGraphicsPath::AddLine(float x1, float y1, float x2, float y2)
{
    joinTo(QPointF(x1, y1));
    path.lineTo(x2, y2);
    return Ok;
}

Status TGPGraphicsPath::AddLine(const TGPPointF& from, const TGPPointF& to)
{
    return AddLine(from.X, from.Y, to.X, to.Y);
}

Status TGPGraphicsPath::AddLines(const TGPPoint* points, int count)
{
    if (!points || count < 1)
        return SetStatus(InvalidParameter);
    joinTo(QPointF(points[0].X, points[0].Y));
    for (int i = 1; i < count; ++i)
        path.lineTo(points[i].X, points[i].Y);
    return Ok;
}

Status TGPGraphicsPath::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle)
{
    if (width <= 0 || height <= 0)
        return SetStatus(InvalidParameter);
    const QRectF rect(x, y, width, height);
    joinTo(arcStart(rect, startAngle));
    path.arcTo(rect, -startAngle, -sweepAngle);
    return Ok;
}

Status TGPGraphicsPath::AddArc(const TGPRectF& rect, float startAngle, float sweepAngle)
{
    return AddArc(rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}

Status TGPGraphicsPath::AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4)
{
    joinTo(QPointF(x1, y1));
    path.cubicTo(x2, y2, x3, y3, x4, y4);
    return Ok;
}

Status TGPGraphicsPath::AddBezier(const TGPPoint& p1, const TGPPoint& p2, const TGPPoint& p3, const TGPPoint& p4)
{
    return AddBezier(p1.X, p1.Y, p2.X, p2.Y, p3.X, p3.Y, p4.X, p4.Y);
}

Status TGPGraphicsPath::AddBezier(const TGPPointF& p1, const TGPPointF& p2, const TGPPointF& p3, const TGPPointF& p4)
{
    return AddBezier(p1.X, p1.Y, p2.X, p2.Y, p3.X, p3.Y, p4.X, p4.Y);
}

Status TGPGraphicsPath::addCurve(const QVector<QPointF>& points, float tension)
{
    if (points.size() < 2)
        return SetStatus(InvalidParameter);
    // A cardinal spline through the points, each segment as a Bezier curve.
    joinTo(points[0]);
    const qsizetype n = points.size();
    for (qsizetype i = 0; i + 1 < n; ++i) {
        const QPointF& previous = points[qMax<qsizetype>(0, i - 1)];
        const QPointF& from = points[i];
        const QPointF& to = points[i + 1];
        const QPointF& next = points[qMin(n - 1, i + 2)];
        path.cubicTo(from + (to - previous) * (tension / 3.0), to - (next - from) * (tension / 3.0), to);
    }
    return Ok;
}

Status TGPGraphicsPath::AddCurve(const TGPPointF* points, int count)
{
    if (!points)
        return SetStatus(InvalidParameter);
    QVector<QPointF> list;
    for (int i = 0; i < count; ++i)
        list.append(QPointF(points[i].X, points[i].Y));
    return addCurve(list, 0.5f);
}

Status TGPGraphicsPath::AddCurve(const TGPPoint* points, int count)
{
    return AddCurve(points, count, 0.5f);
}

Status TGPGraphicsPath::AddCurve(const TGPPoint* points, int count, float tension)
{
    if (!points)
        return SetStatus(InvalidParameter);
    QVector<QPointF> list;
    for (int i = 0; i < count; ++i)
        list.append(QPointF(points[i].X, points[i].Y));
    return addCurve(list, tension);
}

Status TGPGraphicsPath::AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle)
{
    if (width <= 0 || height <= 0)
        return SetStatus(InvalidParameter);
    const QRectF rect(x, y, width, height);
    CloseFigure();
    path.moveTo(rect.center());
    path.arcTo(rect, -startAngle, -sweepAngle);
    path.closeSubpath();
    return Ok;
}

Status TGPGraphicsPath::AddPie(const TGPRectF& rect, float startAngle, float sweepAngle)
{
    return AddPie(rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}

Status TGPGraphicsPath::AddEllipse(float x, float y, float width, float height)
{
    if (width <= 0 || height <= 0)
        return SetStatus(InvalidParameter);
    const QRectF rect(x, y, width, height);
    CloseFigure();
    // Clockwise from 0 degrees, as GDI+ draws it.
    path.arcMoveTo(rect, 0);
    path.arcTo(rect, 0, -360);
    path.closeSubpath();
    return Ok;
}

Status TGPGraphicsPath::AddEllipse(const TGPRectF& rect)
{
    return AddEllipse(rect.X, rect.Y, rect.Width, rect.Height);
}

Status TGPGraphicsPath::AddPolygon(const TGPPointF* points, int count)
{
    if (!points || count < 2)
        return SetStatus(InvalidParameter);
    CloseFigure();
    path.moveTo(points[0].X, points[0].Y);
    for (int i = 1; i < count; ++i)
        path.lineTo(points[i].X, points[i].Y);
    path.closeSubpath();
    return Ok;
}

Status TGPGraphicsPath::AddPolygon(const TGPPoint* points, int count)
{
    if (!points || count < 2)
        return SetStatus(InvalidParameter);
    QVector<TGPPointF> list;
    for (int i = 0; i < count; ++i)
        list.append(TGPPointF{float(points[i].X), float(points[i].Y)});
    return AddPolygon(list.constData(), count);
}

void AddRoundRectFigure(TGPGraphicsPath& path, float x, float y, float width, float height, float radius)
{
    const float d = 2 * radius;
    path.AddLine(x + radius, y, x + width - d, y);
    path.AddArc(x + width - d, y, d, d, 270, 90);
    path.AddLine(x + width, y + radius, x + width, y + height - d);
    path.AddArc(x + width - d, y + height - d, d, d, 0, 90);
    path.AddLine(x + width - d, y + height, x + radius, y + height);
    path.AddArc(x, y + height - d, d, d, 90, 90);
    path.AddLine(x, y + height - d, x, y + radius);
    path.AddArc(x, y, d, d, 180, 90);
    path.CloseFigure();
}

TGPRegion::TGPRegion(const TGPRectF& rect)
{
    area.addRect(toQRectF(rect));
}

TGPRegion::TGPRegion(const TGPGraphicsPath* path)
{
    if (!path) {
        SetCreationStatus(InvalidParameter);
        return;
    }
    area = path->ToQPainterPath();
}

Status TGPRegion::Exclude(const TGPGraphicsPath* path)
{
    if (!path)
        return SetStatus(InvalidParameter);
    area = area.subtracted(path->ToQPainterPath());
    return Ok;
}

Status TGPRegion::Union(const TGPRegion* region)
{
    if (!region)
        return SetStatus(InvalidParameter);
    area = area.united(region->area);
    return Ok;
}

// Images ---------------------------------------------------------------------------------------------------------

TGPImage::TGPImage(const QString& fileName, bool)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        SetCreationStatus(FileNotFound);
        return;
    }
    load(file.readAll());
}

TGPImage::TGPImage(QIODevice* stream, bool)
{
    if (!stream) {
        SetCreationStatus(InvalidParameter);
        return;
    }
    load(ReadWholeStream(stream));
}

TGPImage::TGPImage(const QByteArray& bytes, bool)
{
    load(bytes);
}

TGPImage::TGPImage(const QImage& pixels, TGPImageFormat format) : image(pixels), format(format)
{
    SetCreationStatus(pixels.isNull() ? InvalidParameter : Ok);
}

void TGPImage::load(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray readerFormat = reader.format();
    const QImage decoded = reader.read();
    if (decoded.isNull()) {
        SetCreationStatus(UnknownImageFormat);
        return;
    }
    image = decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    format = formatOf(readerFormat);
    SetCreationStatus(Ok);
}

TGPImageFormat TGPImage::GetFormat()
{
    return image.isNull() ? ifUndefined : format;
}

quint32 TGPImage::GetWidth()
{
    if (image.isNull()) {
        SetStatus(InvalidParameter);
        return 0;
    }
    return quint32(image.width());
}

quint32 TGPImage::GetHeight()
{
    if (image.isNull()) {
        SetStatus(InvalidParameter);
        return 0;
    }
    return quint32(image.height());
}

float TGPImage::GetHorizontalResolution()
{
    if (image.isNull()) {
        SetStatus(InvalidParameter);
        return 0;
    }
    return float(image.dotsPerMeterX() * 0.0254);
}

float TGPImage::GetVerticalResolution()
{
    if (image.isNull()) {
        SetStatus(InvalidParameter);
        return 0;
    }
    return float(image.dotsPerMeterY() * 0.0254);
}

Status TGPImage::RotateFlip(RotateFlipType type)
{
    if (image.isNull())
        return SetStatus(InvalidParameter);
    // The rotation (clockwise, in quarter turns) comes first, then the horizontal flip.
    const int quarters = type % 4;
    if (quarters > 0)
        image = image.transformed(QTransform().rotate(90.0 * quarters));
    if (type >= RotateNoneFlipX)
        image = image.mirrored(true, false);
    return Ok;
}

std::unique_ptr<TGPImage> TGPImage::GetThumbnailImage(quint32 width, quint32 height)
{
    if (image.isNull() || width == 0 || height == 0) {
        SetStatus(InvalidParameter);
        return nullptr;
    }
    const QImage scaled = image.scaled(int(width), int(height), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return std::make_unique<TGPImage>(scaled);
}

TGPBitmap::TGPBitmap(QIODevice* stream, bool useEmbeddedColorManagement) : TGPImage(stream, useEmbeddedColorManagement)
{}

TGPBitmap::TGPBitmap(int width, int height, PixelFormat)
    : TGPImage(width > 0 && height > 0 ? QImage(width, height, QImage::Format_ARGB32_Premultiplied) : QImage(),
               ifMemoryBMP)
{
    Pixels().fill(Qt::transparent);
}

std::unique_ptr<TGPBitmap> TGPBitmap::FromStream(QIODevice* stream, bool useEmbeddedColorManagement)
{
    return std::make_unique<TGPBitmap>(stream, useEmbeddedColorManagement);
}

Status TGPBitmap::GetPixel(int x, int y, ARGB& color)
{
    if (!ToQImage().valid(x, y))
        return SetStatus(InvalidParameter);
    color = ToQImage().pixelColor(x, y).rgba();
    return Ok;
}

Status TGPBitmap::SetPixel(int x, int y, ARGB color)
{
    if (!ToQImage().valid(x, y))
        return SetStatus(InvalidParameter);
    Pixels().setPixelColor(x, y, ArgbToQColor(color));
    return Ok;
}

Status TGPBitmap::SetResolution(float dpiX, float dpiY)
{
    if (IsEmpty() || dpiX <= 0 || dpiY <= 0)
        return SetStatus(InvalidParameter);
    Pixels().setDotsPerMeterX(int(std::lround(dpiX / 0.0254)));
    Pixels().setDotsPerMeterY(int(std::lround(dpiY / 0.0254)));
    return Ok;
}

// Graphics -------------------------------------------------------------------------------------------------------

// The painter's settings for one drawing call. Vector drawing under antialiasing moves by half a pixel, because
// GDI+ puts pixel centres on whole co-ordinates where Qt puts them on halves.
class TGPGraphics::Scope
{
public:
    Scope(const TGPGraphics& graphics, bool vector) : painter(*graphics.painter)
    {
        painter.save();
        const bool smooth =
            graphics.smoothingMode == SmoothingModeAntiAlias || graphics.smoothingMode == SmoothingModeHighQuality;
        painter.setRenderHint(QPainter::Antialiasing, smooth);
        painter.setRenderHint(QPainter::TextAntialiasing,
                              graphics.textRenderingHint != TextRenderingHintSingleBitPerPixel &&
                                  graphics.textRenderingHint != TextRenderingHintSingleBitPerPixelGridFit);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        if (smooth && vector)
            painter.translate(0.5, 0.5);
    }
    ~Scope() { painter.restore(); }

private:
    QPainter& painter;
};

TGPGraphics::TGPGraphics(TCanvas& canvas) : painter(&canvas.Painter())
{
    painter->save();
}

TGPGraphics::TGPGraphics(TGPImage* image)
{
    if (!image)
        return;
    if (image->IsEmpty()) {
        SetCreationStatus(InvalidParameter);
        return;
    }
    ownPainter = std::make_unique<QPainter>(&image->Pixels());
    painter = ownPainter.get();
    painter->save();
}

TGPGraphics::~TGPGraphics()
{
    if (painter)
        painter->restore();
}

std::unique_ptr<TGPGraphics> TGPGraphics::FromImage(TGPImage* image)
{
    return std::make_unique<TGPGraphics>(image);
}

void TGPGraphics::Flush(FlushIntention) {}

Status TGPGraphics::SetTextRenderingHint(TextRenderingHint hint)
{
    if (!hasSurface())
        return SetStatus(InvalidParameter);
    textRenderingHint = hint;
    return Ok;
}

TextRenderingHint TGPGraphics::GetTextRenderingHint()
{
    if (!hasSurface())
        SetStatus(InvalidParameter);
    return textRenderingHint;
}

Status TGPGraphics::SetSmoothingMode(SmoothingMode mode)
{
    if (!hasSurface() || mode == SmoothingModeInvalid)
        return SetStatus(InvalidParameter);
    smoothingMode = mode;
    return Ok;
}

SmoothingMode TGPGraphics::GetSmoothingMode()
{
    if (!hasSurface()) {
        SetStatus(InvalidParameter);
        return SmoothingModeInvalid;
    }
    return smoothingMode;
}

Status TGPGraphics::SetCompositingQuality(CompositingQuality quality)
{
    if (!hasSurface())
        return SetStatus(InvalidParameter);
    compositingQuality = quality;
    return Ok;
}

CompositingQuality TGPGraphics::GetCompositingQuality()
{
    if (!hasSurface()) {
        SetStatus(InvalidParameter);
        return CompositingQualityInvalid;
    }
    return compositingQuality;
}

Status TGPGraphics::SetPageUnit(Unit unit)
{
    if (!hasSurface())
        return SetStatus(InvalidParameter);
    return Ok;
}

Status TGPGraphics::DrawPath(const TGPPen* pen, const TGPGraphicsPath* path)
{
    if (!hasSurface() || !pen || !path)
        return SetStatus(InvalidParameter);
    Scope scope(*this, true);
    painter->strokePath(path->ToQPainterPath(), pen->ToQPen());
    return Ok;
}

Status TGPGraphics::FillPath(const TGPBrush* brush, const TGPGraphicsPath* path)
{
    if (!hasSurface() || !brush || brush->IsEmpty() || !path)
        return SetStatus(InvalidParameter);
    Scope scope(*this, true);
    QPainterPath area = path->ToQPainterPath();
    if (!brush->PaintArea().isEmpty())
        area = area.intersected(brush->PaintArea());
    painter->fillPath(area, brush->ToQBrush());
    return Ok;
}

Status TGPGraphics::FillRectangle(const TGPBrush* brush, const TGPRectF& rect)
{
    if (!hasSurface() || !brush || brush->IsEmpty())
        return SetStatus(InvalidParameter);
    Scope scope(*this, true);
    QPainterPath area = rectanglePath(toQRectF(rect));
    if (!brush->PaintArea().isEmpty())
        area = area.intersected(brush->PaintArea());
    painter->fillPath(area, brush->ToQBrush());
    return Ok;
}

Status TGPGraphics::FillRectangle(const TGPBrush* brush, float x, float y, float width, float height)
{
    return FillRectangle(brush, TGPRectF{x, y, width, height});
}

Status TGPGraphics::DrawRectangle(const TGPPen* pen, const TGPRectF& rect)
{
    if (!hasSurface() || !pen)
        return SetStatus(InvalidParameter);
    Scope scope(*this, true);
    painter->setPen(pen->ToQPen());
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(toQRectF(rect));
    return Ok;
}

Status TGPGraphics::DrawRectangle(const TGPPen* pen, float x, float y, float width, float height)
{
    return DrawRectangle(pen, TGPRectF{x, y, width, height});
}

Status TGPGraphics::DrawString(const QString& text, int length, const TGPFont* font, const TGPRectF& layout,
                               const TGPStringFormat* format, const TGPBrush* brush)
{
    if (!hasSurface() || !font || font->IsEmpty() || !brush || brush->IsEmpty())
        return SetStatus(InvalidParameter);
    QString shown = length < 0 ? text : text.left(length);
    const QRectF rect = layoutRect(layout);
    const int flags = textFlags(format);
    if (format && !(flags & Qt::TextWordWrap)) {
        const StringTrimming trimming = format->GetTrimming();
        if (trimming == StringTrimmingEllipsisCharacter || trimming == StringTrimmingEllipsisWord ||
            trimming == StringTrimmingEllipsisPath) {
            const QFontMetricsF metrics(font->ToQFont());
            shown = metrics.elidedText(shown, trimming == StringTrimmingEllipsisPath ? Qt::ElideMiddle : Qt::ElideRight,
                                       rect.width(), flags);
        }
    }
    Scope scope(*this, false);
    painter->setFont(font->ToQFont());
    painter->setPen(QPen(brush->ToQBrush(), 0));
    painter->drawText(rect, flags, shown);
    return Ok;
}

Status TGPGraphics::MeasureString(const QString& text, int length, const TGPFont* font, const TGPRectF& layout,
                                  const TGPStringFormat* format, TGPRectF& bounding, int* codepointsFitted,
                                  int* linesFilled)
{
    if (!font || font->IsEmpty())
        return SetStatus(InvalidParameter);
    const QString measured = length < 0 ? text : text.left(length);
    const QFontMetricsF metrics(font->ToQFont());
    const QRectF box = metrics.boundingRect(layoutRect(layout), textFlags(format), measured);
    bounding = TGPRectF{float(box.x()), float(box.y()), float(box.width()), float(box.height())};
    if (codepointsFitted)
        *codepointsFitted = int(measured.size());
    if (linesFilled)
        *linesFilled = measured.isEmpty() ? 0 : qMax(1, int(std::lround(box.height() / metrics.lineSpacing())));
    return Ok;
}

Status TGPGraphics::DrawImage(TGPImage* image, int x, int y)
{
    if (!hasSurface() || !image || image->IsEmpty())
        return SetStatus(InvalidParameter);
    Scope scope(*this, false);
    painter->drawImage(QPointF(x, y), image->ToQImage());
    return Ok;
}

Status TGPGraphics::DrawImageRect(TGPImage* image, int x, int y, int width, int height)
{
    return DrawImage(image, TGPRectF{float(x), float(y), float(width), float(height)});
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPRectF& destination)
{
    if (!hasSurface() || !image || image->IsEmpty())
        return SetStatus(InvalidParameter);
    Scope scope(*this, false);
    painter->drawImage(toQRectF(destination), image->ToQImage());
    return Ok;
}

Status TGPGraphics::DrawImage(TGPImage* image, const TGPRectF& destination, float srcX, float srcY, float srcWidth,
                              float srcHeight, Unit srcUnit)
{
    if (!hasSurface() || !image || image->IsEmpty() || srcUnit != UnitPixel)
        return SetStatus(InvalidParameter);
    Scope scope(*this, false);
    painter->drawImage(toQRectF(destination), image->ToQImage(), QRectF(srcX, srcY, srcWidth, srcHeight));
    return Ok;
}

Status TGPGraphics::combineClip(const QPainterPath& area, CombineMode mode)
{
    if (!hasSurface())
        return SetStatus(InvalidParameter);
    const QPainterPath current = clipping ? clip : everywhere();
    switch (mode) {
    case CombineModeReplace:
        clip = area;
        break;
    case CombineModeIntersect:
        clip = current.intersected(area);
        break;
    case CombineModeUnion:
        clip = current.united(area);
        break;
    case CombineModeXor:
        clip = current.united(area).subtracted(current.intersected(area));
        break;
    case CombineModeExclude:
        clip = current.subtracted(area);
        break;
    case CombineModeComplement:
        clip = area.subtracted(current);
        break;
    }
    clipping = true;
    // The surface's own clipping (a canvas's) stays in force under ours: it was saved with the painter's state
    // when this object was made.
    painter->restore();
    painter->save();
    painter->setClipPath(clip, Qt::IntersectClip);
    return Ok;
}

Status TGPGraphics::ExcludeClip(const TGPRectF& rect)
{
    return combineClip(rectanglePath(toQRectF(rect)), CombineModeExclude);
}

Status TGPGraphics::ExcludeClip(const TGPRegion* region)
{
    if (!region)
        return SetStatus(InvalidParameter);
    return combineClip(region->ToQPainterPath(), CombineModeExclude);
}

Status TGPGraphics::SetClip(const TGPRegion* region, CombineMode mode)
{
    if (!region)
        return SetStatus(InvalidParameter);
    return combineClip(region->ToQPainterPath(), mode);
}

Status TGPGraphics::ResetClip()
{
    if (!hasSurface())
        return SetStatus(InvalidParameter);
    clipping = false;
    clip = QPainterPath();
    painter->restore();
    painter->save();
    return Ok;
}
