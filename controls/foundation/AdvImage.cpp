#include "AdvImage.h"

#include "Canvas.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cmath>

void TAdvImage::LoadPicture()
{
    picture = QImage();
    himetricWidth = himetricHeight = 0;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QImage decoded = reader.read();
    if (decoded.isNull())
        throw Exception(QStringLiteral("Could not load image. Invalid format"));
    picture = decoded;
    // A picture's physical size follows from its own resolution; pictures without one count as 96 per inch.
    const double dpiX = decoded.dotsPerMeterX() > 0 ? decoded.dotsPerMeterX() * 0.0254 : 96.0;
    const double dpiY = decoded.dotsPerMeterY() > 0 ? decoded.dotsPerMeterY() * 0.0254 : 96.0;
    himetricWidth = int(std::lround(decoded.width() * 2540.0 / dpiX));
    himetricHeight = int(std::lround(decoded.height() * 2540.0 / dpiY));
}

int TAdvImage::GetWidth() const
{
    return picture.isNull() ? 0 : MulDiv(himetricWidth, pixelsPerInchX, 2540);
}

int TAdvImage::GetHeight() const
{
    return picture.isNull() ? 0 : MulDiv(himetricHeight, pixelsPerInchY, 2540);
}

void TAdvImage::Draw(TCanvas& canvas, const TRect& rect)
{
    if (empty || picture.isNull())
        return;
    canvas.Painter().save();
    canvas.Painter().setRenderHint(QPainter::SmoothPixmapTransform);
    canvas.Painter().drawImage(ToQRect(rect), picture);
    canvas.Painter().restore();
}

void TAdvImage::Assign(const TGraphic* source)
{
    empty = true;
    picture = QImage();
    if (!source) {
        data.clear();
        Changed();
        return;
    }
    const auto* other = dynamic_cast<const TAdvImage*>(source);
    if (!other || other->empty)
        return;
    data = other->data;
    empty = false;
    LoadPicture();
    Changed();
}

void TAdvImage::LoadFromFile(const QString& fileName)
{
    try {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly))
            throw Exception(QStringLiteral("Cannot open file \"%1\"").arg(fileName));
        data = file.readAll();
        empty = false;
        LoadPicture();
        Changed();
    } catch (const Exception&) {
        empty = true;
    }
}

void TAdvImage::LoadFromStream(QIODevice* stream)
{
    if (!stream)
        return;
    ReadData(stream);
    Changed();
}

void TAdvImage::ReadData(QIODevice* stream)
{
    if (!stream)
        return;
    data = ReadWholeStream(stream);
    empty = false;
    LoadPicture();
}

void TAdvImage::SaveToStream(QIODevice* stream) const
{
    if (stream)
        stream->write(data);
}

void TAdvImage::loadResource(const QString& name)
{
    QFile resource(ProgramResourcePath(name));
    if (!resource.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Resource %1 not found").arg(name));
    LoadFromStream(&resource);
}

void TAdvImage::LoadFromResourceName(const QString& name)
{
    loadResource(name);
}

void TAdvImage::LoadFromResourceID(int id)
{
    loadResource(QString::number(id));
}
