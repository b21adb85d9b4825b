// Pictures in markup: the IMG tag, the BODY background, the picture sources (image lists, file icons, the
// picture container and the picture cache) and the two-colour gradient.
#include "HTMLText.h"
#include "HTMLTextRender.h"
#include "ImageList.h"
#include "PictureContainer.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace markup {

namespace {

// A file's icon ("SSYS:"/"LSYS:" sources): a number picks one of the desktop's standard icons; a file or folder
// name gives its own icon, or that of its kind when it does not exist.
QIcon fileIcon(const QString& name)
{
    QFileIconProvider provider;
    bool isNumber = false;
    const int number = name.isEmpty() ? 0 : name.toInt(&isNumber);
    if (name.isEmpty() || isNumber) {
        if (number < QAbstractFileIconProvider::Computer || number > QAbstractFileIconProvider::File)
            return QIcon();
        return provider.icon(QAbstractFileIconProvider::IconType(number));
    }
    return provider.icon(QFileInfo(name));
}

} // namespace

PictureSource Renderer::resolvePicture(const QString& source) const
{
    PictureSource result;
    if (source.contains(QLatin1String("IDX:"), Qt::CaseInsensitive)) {
        const int index = MarkupParseInt(QStringView(source).mid(4));
        if (call.images && index >= 0 && index < call.images->Count()) {
            result.kind = PictureSource::ListImage;
            result.index = index;
        }
    }
    const bool small = source.contains(QLatin1String("SSYS:"), Qt::CaseInsensitive);
    if (small || source.contains(QLatin1String("LSYS:"), Qt::CaseInsensitive)) {
        const QIcon icon = fileIcon(source.mid(5));
        if (!icon.isNull()) {
            result.kind = PictureSource::ShellIcon;
            result.icon = icon;
            result.iconSize = small ? QSize(16, 16) : QSize(32, 32);
        }
    }
    THTMLPicture* picture = nullptr;
    if (!source.contains(u':') && call.pictureContainer)
        picture = call.pictureContainer->FindPicture(source);
    if (source.contains(QLatin1String("://")) && call.pictureCache) {
        picture = call.pictureCache->FindPicture(source);
        if (!picture) {
            // Loaded once; the cache keeps it for the next paint.
            THTMLPicture* added = call.pictureCache->AddPicture();
            added->SetAsyncDownload(false);
            added->LoadFromURL(source);
            picture = call.pictureCache->FindPicture(source);
        }
    }
    if (picture && !picture->GetEmpty()) {
        picture->GetFrameCount(); // counted now, so that the picture can be animated
        result.kind = PictureSource::Picture;
        result.picture = picture;
    }
    return result;
}

// The room a picture takes: WIDTH and HEIGHT when both are given, else its own size for the canvas's resolution.
QSize Renderer::layoutSize(const PictureSource& picture, int width, int height) const
{
    const QPaintDevice* device = canvas.Painter().device();
    const int dpiX = device->logicalDpiX();
    const int dpiY = device->logicalDpiY();
    switch (picture.kind) {
    case PictureSource::ListImage:
        return QSize(scaleFrom96(call.images->GetWidth(), dpiX), scaleFrom96(call.images->GetHeight(), dpiY));
    case PictureSource::ShellIcon:
        return QSize(scaleFrom96(picture.iconSize.width(), dpiX), scaleFrom96(picture.iconSize.height(), dpiY));
    case PictureSource::Picture:
        if (width > 0 && height > 0)
            return QSize(width, height);
        return QSize(clampPictureSize(scaleFrom96(picture.picture->GetMaxWidth(), dpiX)),
                     clampPictureSize(scaleFrom96(picture.picture->GetMaxHeight(), dpiY)));
    case PictureSource::None:
        break;
    }
    return QSize();
}

void Renderer::drawPicture(const PictureSource& picture, int x, int y, int width, int height)
{
    const auto scaled = [&](QSize size) {
        return QRect(x, y, int(std::lround(size.width() * call.scaleFactor)),
                     int(std::lround(size.height() * call.scaleFactor)));
    };
    switch (picture.kind) {
    case PictureSource::ListImage:
        if (call.scaleImages) {
            const QSize size(call.images->GetWidth(), call.images->GetHeight());
            canvas.Painter().drawImage(scaled(size), call.images->GetImage(picture.index));
        } else {
            call.images->Draw(canvas, x, y, picture.index);
        }
        break;
    case PictureSource::ShellIcon: {
        const QRect target = call.scaleImages ? scaled(picture.iconSize) : QRect(QPoint(x, y), picture.iconSize);
        canvas.Painter().drawPixmap(target, picture.icon.pixmap(picture.iconSize));
        break;
    }
    case PictureSource::Picture:
        // A GIF frame comes composed onto the whole picture: it is drawn at the picture's origin.
        if (width > 0 && height > 0) {
            picture.picture->SetStretch(true);
            canvas.StretchDraw(Rect(x, y, x + width, y + height), picture.picture);
        } else {
            canvas.Draw(x, y, picture.picture);
        }
        break;
    case PictureSource::None:
        break;
    }
}

void Renderer::image(const Tag& tag, Line& line)
{
    const int number = ++pictureCounter;
    // ALT names the picture shown while the point is over it.
    const QString source =
        tag.hasAttribute(u"ALT") && number == pictureUnderPoint ? tag.quotedValue(u"ALT") : tag.quotedValue(u"SRC");
    const int width = clampPictureSize(MarkupParseInt(tag.quotedValue(u"WIDTH")));
    const int height = clampPictureSize(MarkupParseInt(tag.quotedValue(u"HEIGHT")));
    const PictureSource picture = resolvePicture(source);
    const QSize size = layoutSize(picture, width, height);
    if (line.painting())
        drawPicture(picture, line.work.Left, line.rect.Top, width, height);

    const int x = call.pointX - line.rect.Left;
    if (inAnchor && x > m.width && x < m.width + size.width() && call.pointY > line.rect.Top &&
        call.pointY < line.rect.Top + size.height()) {
        line.pictureHit = true;
        call.anchorAtPoint = href;
        pictureUnderPoint = number;
    }

    // A picture that does not fit the rest of the line starts the next one, unless it is too wide for any line.
    if (line.measuring() && m.width + size.width() > line.rect.Width() && size.width() < line.rect.Width()) {
        line.full = true;
        return;
    }
    m.width += size.width();
    line.work.Left += size.width();
    m.height = std::max(m.height, size.height());

    const QString align = tag.quotedValue(u"ALIGN");
    const int gh = textHeight();
    if (align.startsWith(QLatin1String("TOP"), Qt::CaseInsensitive)) {
        m.textOffset = std::max(0, m.height - gh);
    } else if (align.startsWith(QLatin1String("MIDDLE"), Qt::CaseInsensitive)) {
        m.textOffset = std::max(0, (m.height - gh) / 2);
    } else if (align.startsWith(QLatin1String("WRAP"), Qt::CaseInsensitive)) {
        m.height = gh; // the following lines flow beside the picture
        m.textOffset = 0;
    }
}

void Renderer::body(const Tag& tag, Line& line)
{
    if (!line.painting() || call.keepColors)
        return;
    if (tag.hasAttribute(u"BACKGROUND"))
        bodyPicture(tag.quotedValue(u"BACKGROUND"), Corner::Tiled, line);
    if (tag.hasAttribute(u"BGTOPLEFT"))
        bodyPicture(tag.quotedValue(u"BGTOPLEFT"), Corner::TopLeft, line);
    if (tag.hasAttribute(u"BGTOPRIGHT"))
        bodyPicture(tag.quotedValue(u"BGTOPRIGHT"), Corner::TopRight, line);
    if (!tag.hasAttribute(u"BGCOLOR"))
        return;
    const QString from = tag.quotedValue(u"BGCOLOR");
    const TColor color = from.isEmpty() ? clNone : colorFromValue(from);
    if (!tag.hasAttribute(u"BGCOLORTO")) {
        fontSavedBrush = brushColor();
        setBrushColor(color);
        if (color != clNone) {
            canvas.FillRect(Rect(call.bounds.Left - 2, call.bounds.Top, call.bounds.Right, call.bounds.Bottom));
        }
        return;
    }
    const QString to = tag.quotedValue(u"BGCOLORTO");
    const QString direction = tag.hasAttribute(u"DIR") ? tag.quotedValue(u"DIR") : QStringLiteral("H");
    const TColor pen = canvas.Pen.Color;
    MarkupFillGradient(&canvas, color, to.isEmpty() ? clNone : colorFromValue(to), clNone, 64, call.bounds,
                       direction.compare(QLatin1String("H"), Qt::CaseInsensitive) == 0);
    canvas.Pen.Color = pen;
    setBrushColor(clNone);
}

void Renderer::bodyPicture(const QString& source, Corner corner, const Line& line)
{
    const PictureSource picture = resolvePicture(source);
    if (picture.kind == PictureSource::None)
        return;
    if (picture.kind != PictureSource::Picture) {
        // Image-list pictures and icons go once where the text is, without clipping.
        int x = line.work.Left;
        if (corner == Corner::TopRight)
            x = line.work.Right - layoutSize(picture, 0, 0).width();
        drawPicture(picture, x, line.rect.Top, 0, 0);
        return;
    }
    THTMLPicture* p = picture.picture;
    const int pw = p->GetWidth();
    const int ph = p->GetHeight();
    if (pw <= 0 || ph <= 0)
        return;
    const TRect& bounds = call.bounds;
    // The caller's own clipping is kept: the pictures are clipped to the bounds inside it.
    QPainter& painter = canvas.Painter();
    painter.save();
    canvas.IntersectClipRect(bounds);
    switch (corner) {
    case Corner::Tiled:
        for (int y = bounds.Top; y < bounds.Bottom; y += ph) {
            for (int x = bounds.Left; x < bounds.Right; x += pw)
                canvas.Draw(x, y, p);
        }
        break;
    case Corner::TopLeft:
        canvas.Draw(bounds.Left, bounds.Top, p);
        break;
    case Corner::TopRight:
        canvas.Draw(bounds.Right - pw, bounds.Top, p);
        break;
    }
    painter.restore();
}

} // namespace markup

void MarkupFillGradient(TCanvas* canvas, TColor colorFrom, TColor colorTo, TColor frameColor, int bandCount,
                        const TRect& rect, bool horizontal)
{
    const int bands = std::max(bandCount, 1);
    const TColor from = ColorToRGB(colorFrom);
    const TColor to = ColorToRGB(colorTo);
    const double step = (horizontal ? rect.Width() : rect.Height()) / double(bands);
    const double deltaRed = (GetRValue(to) - GetRValue(from)) / double(bands);
    const double deltaGreen = (GetGValue(to) - GetGValue(from)) / double(bands);
    const double deltaBlue = (GetBValue(to) - GetBValue(from)) / double(bands);
    // Rounding halves to even; each band reaches one pixel into the next so that no gap shows.
    const auto round = [](double v) { return int(std::nearbyint(v)); };
    for (int i = 0; i < bands; ++i) {
        const TColor color = RGB(GetRValue(from) + round(i * deltaRed), GetGValue(from) + round(i * deltaGreen),
                                 GetBValue(from) + round(i * deltaBlue));
        canvas->Pen.Color = color;
        canvas->Brush.Color = color;
        canvas->Brush.Style = bsSolid;
        const int p = round(i * step);
        if (horizontal) {
            const int left = rect.Left + p;
            canvas->FillRect(Rect(left, rect.Top, std::min(left + int(step) + 1, rect.Right), rect.Bottom));
        } else {
            const int top = rect.Top + p;
            canvas->FillRect(Rect(rect.Left, top, rect.Right, std::min(top + int(step) + 1, rect.Bottom)));
        }
    }
    if (frameColor != clNone) {
        canvas->Brush.Style = bsClear;
        canvas->Pen.Color = frameColor;
        canvas->Rectangle(rect);
    }
}
