#include "Rotate.h"

#include "Canvas.h"

#include <QCache>
#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <memory>

namespace {

constexpr TColor noColor = 0xFFFFFFFF;
const ARGB lightGrey = MakeColor(178, 178, 178);
const ARGB greyShadow = MakeColor(128, 178, 178, 178);
const ARGB opaqueWhite = MakeColor(255, 255, 255);
const ARGB whiteVeil = MakeColor(178, 255, 255, 255);

// Decoded pictures by path and modification time, weighed by their size: a list repaints its visible cells
// without decoding their files again, and a picture that changes on disk is read afresh.
QCache<QString, QImage>& pictureCache()
{
    static QCache<QString, QImage> cache(96 * 1024); // in kilobytes
    return cache;
}

// The decoded picture of a file; a null image when the file gives none.
QImage decodedPicture(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return QImage();
    const QString key = path + u'|' + QString::number(info.lastModified().toMSecsSinceEpoch());
    if (const QImage* cached = pictureCache().object(key))
        return *cached;
    QImageReader reader(path);
    QImage picture = reader.read();
    if (!picture.isNull())
        picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    pictureCache().insert(key, new QImage(picture), qMax<qsizetype>(1, picture.sizeInBytes() / 1024));
    return picture;
}

TGPRectF grown(const TGPRectF& rect, float by)
{
    return MakeRect(rect.X - by, rect.Y - by, rect.Width + 2 * by, rect.Height + 2 * by);
}

// The caller's graphics object, or one made on the canvas for the length of a call.
class GraphicsTarget
{
public:
    GraphicsTarget(TGPGraphics* given, TCanvas* canvas) : graphics(given)
    {
        if (graphics || !canvas)
            return;
        own = std::make_unique<TGPGraphics>(*canvas);
        own->SetSmoothingMode(SmoothingModeAntiAlias);
        own->SetPageUnit(UnitPixel);
        graphics = own.get();
    }
    TGPGraphics* operator->() const { return graphics; }
    explicit operator bool() const { return graphics != nullptr; }

private:
    std::unique_ptr<TGPGraphics> own;
    TGPGraphics* graphics;
};

} // namespace

ARGB ColorWithAlpha(TColor color, int alpha)
{
    const ARGB opaque = color == noColor ? opaqueWhite : ColorToARGB(color);
    return (opaque & 0x00FFFFFF) | ARGB(quint8(alpha)) << 24;
}

void DrawRoundedFrame(TGPGraphics* given, TCanvas* canvas, const TRect& rect, TColor color, int alpha)
{
    GraphicsTarget graphics(given, canvas);
    if (!graphics)
        return;
    TGPSolidBrush brush(ColorWithAlpha(color, alpha >= 0 ? alpha : 255));
    TGPPen pen(alpha < 0 ? ColorWithAlpha(color, 255) : lightGrey, alpha == -2 ? 2.0f : 1.0f);

    const int x = rect.Left + 2;
    const int y = rect.Top + 2;
    const int w = rect.Width() - 4;
    const int h = rect.Height() - 4;
    TGPGraphicsPath path(FillModeAlternate);
    AddRoundRectFigure(path, x, y, w, h, 5);

    if (alpha >= 0)
        graphics->FillPath(&brush, &path);
    graphics->DrawPath(&pen, &path);
}

bool DrawPictureInRect(TGPGraphics* given, TCanvas* canvas, const TRect& rect, int margin, bool shadow,
                       const QString& /*sourcePath*/, const QString& picturePath, TColor background, bool wholeImage,
                       TRect* imageSize, double* scaleOut, TPoint* offsetOut, bool highlight, bool alignTop,
                       bool framed, bool /*lastFlag*/)
{
    GraphicsTarget graphics(given, canvas);
    TGPImage image(decodedPicture(picturePath));
    int w = int(image.GetWidth());
    int h = int(image.GetHeight());
    if (w == 0)
        w = h = 0;
    if (imageSize)
        *imageSize = Rect(0, 0, w, h);
    if (!graphics)
        return false;

    TGPPen pen(lightGrey, 1.0f);
    TGPSolidBrush white(opaqueWhite);
    if (background != noColor) {
        TGPSolidBrush fill(ColorWithAlpha(background, 255));
        graphics->FillRectangle(&fill, rect.Left - 1, rect.Top - 1, rect.Width() + 1, rect.Height() + 1);
    }

    // A rectangle smaller than its margins leaves no inner area rather than a negative one.
    const int iw = qMax(0, rect.Width() - 2 * margin);
    const int ih = qMax(0, rect.Height() - 2 * margin);
    const int ox = (rect.Width() - iw) / 2;
    const int oy = (rect.Height() - ih) / 2;
    TGPSolidBrush grey(greyShadow);

    if (w == 0 || h == 0) {
        const TGPRectF box = MakeRect(rect.Left + ox, rect.Top + oy, iw, ih);
        graphics->FillRectangle(&grey, grown(box, 4));
        graphics->FillRectangle(&white, grown(box, 3));
        graphics->DrawRectangle(&pen, grown(box, 3));
        return false;
    }

    const double sx = double(iw) / w;
    const double sy = double(ih) / h;
    double scale = sx;
    int extraX = 0;
    int extraY = 0;
    if (sy < sx) {
        scale = sy;
        extraX = int((iw - w * scale) * 0.5);
    } else if (!alignTop) {
        extraY = int((ih - h * scale) * 0.5);
    }
    if (scaleOut)
        *scaleOut = scale;
    const int dw = int(w * scale);
    const int dh = int(h * scale);

    std::unique_ptr<TGPImage> thumbnail;
    if (!wholeImage && dw > 0 && dh > 0)
        thumbnail = image.GetThumbnailImage(quint32(dw), quint32(dh));

    const int px = ox + extraX;
    const int py = oy + extraY;
    if (offsetOut)
        *offsetOut = Point(px, py);
    const TGPRectF box = MakeRect(rect.Left + px, rect.Top + py, dw, dh);

    if (shadow) {
        if (thumbnail)
            graphics->FillRectangle(&grey, grown(box, 4));
        else
            graphics->FillRectangle(&grey, MakeRect(box.X + 8, box.Y + 8, box.Width, box.Height));
    }
    if (framed) {
        graphics->FillRectangle(&white, grown(box, 3));
        graphics->DrawRectangle(&pen, grown(box, 3));
    }
    if (thumbnail)
        graphics->DrawImage(thumbnail.get(), int(box.X), int(box.Y));
    else
        graphics->DrawImage(&image, box, 0, 0, w, h, UnitPixel);
    if (highlight) {
        TGPSolidBrush veil(whiteVeil);
        graphics->FillRectangle(&veil, box);
    }
    return true;
}
