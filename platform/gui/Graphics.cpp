#include "Graphics.h"

#include "Canvas.h"

#include <QFile>
#include <QIODevice>
#include <QPainter>

QString ProgramResourcePath(const QString& name)
{
    return QStringLiteral(":/res/") + name.toUpper();
}

PictureAddress ParsePictureAddress(const QString& address)
{
    static const QLatin1String resourcePrefix("RES://");
    static const QLatin1String filePrefix("FILE://");
    if (address.startsWith(resourcePrefix, Qt::CaseInsensitive))
        return {PictureAddress::Resource, address.mid(resourcePrefix.size())};
    if (address.startsWith(filePrefix, Qt::CaseInsensitive))
        return {PictureAddress::File, address.mid(filePrefix.size())};
    return {};
}

QByteArray ReadWholeStream(QIODevice* stream)
{
    if (!stream->isSequential())
        stream->seek(0);
    return stream->readAll();
}

void TGraphic::LoadFromFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    LoadFromStream(&file);
}

void TGraphic::Changed()
{
    if (OnChange)
        OnChange(this);
}

void LoadFromProgramResource(TGraphic& graphic, const QString& name)
{
    QFile resource(ProgramResourcePath(name));
    if (resource.open(QIODevice::ReadOnly))
        graphic.LoadFromStream(&resource);
}

void LoadFromProgramResourceID(TGraphic& graphic, int id)
{
    QFile resource(ProgramResourcePath(QString::number(id)));
    if (!resource.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Resource %1 not found").arg(id));
    graphic.LoadFromStream(&resource);
}

void LoadFromPictureAddress(TGraphic& graphic, const PictureAddress& address)
{
    if (address.rest.isEmpty())
        return;
    if (address.kind == PictureAddress::Resource)
        LoadFromProgramResource(graphic, address.rest);
    else if (address.kind == PictureAddress::File)
        graphic.LoadFromFile(address.rest);
}

TBitmap::TBitmap(int width, int height)
{
    SetSize(width, height);
}

void TBitmap::SetImage(const QImage& value)
{
    image = value.isNull() ? QImage() : value.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Changed();
}

void TBitmap::SetSize(int width, int height)
{
    width = qMax(0, width);
    height = qMax(0, height);
    if (width == image.width() && height == image.height())
        return;
    QImage resized;
    if (width > 0 && height > 0) {
        // A new bitmap is white; a resized one keeps what it had at its top-left corner.
        resized = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        resized.fill(Qt::white);
        if (!image.isNull()) {
            QPainter painter(&resized);
            painter.drawImage(0, 0, image);
        }
    }
    image = resized;
    Changed();
}

TColor TBitmap::GetTransparentColor() const
{
    if (transparentMode == tmFixed)
        return transparentColor;
    if (image.isNull())
        return clDefault;
    return FromQColor(image.pixelColor(0, image.height() - 1));
}

void TBitmap::SetTransparentColor(TColor value)
{
    transparentColor = value;
    transparentMode = tmFixed;
}

QImage TBitmap::DrawnImage() const
{
    if (!transparent || image.isNull())
        return image;
    const QRgb key = ToQColor(GetTransparentColor()).rgb() & RGB_MASK;
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if ((line[x] & RGB_MASK) == key)
                line[x] = 0;
        }
    }
    return result;
}

void TBitmap::Assign(const TGraphic* source)
{
    if (!source) {
        image = QImage();
        Changed();
        return;
    }
    const auto* other = dynamic_cast<const TBitmap*>(source);
    if (!other)
        return;
    image = other->image;
    transparent = other->transparent;
    transparentMode = other->transparentMode;
    transparentColor = other->transparentColor;
    Changed();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect)
{
    if (image.isNull())
        return;
    canvas.Painter().drawImage(ToQRect(rect), DrawnImage());
}

void TBitmap::LoadFromStream(QIODevice* stream)
{
    if (!stream)
        return;
    const QImage decoded = QImage::fromData(stream->readAll());
    image = decoded.isNull() ? QImage() : decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Changed();
}

void TBitmap::SaveToStream(QIODevice* stream) const
{
    if (!stream || image.isNull())
        return;
    image.save(stream, "BMP");
}
