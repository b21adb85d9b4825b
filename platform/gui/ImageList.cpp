#include "ImageList.h"

#include "Canvas.h"

#include <QPainter>

namespace {

// The toolkit's disabled look: the picture in grey, half transparent.
QImage greyed(const QImage& image)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
        }
    }
    return result;
}

} // namespace

TImageList::TImageList(QObject* parent) : QObject(parent) {}

TImageList::TImageList(int width, int height, QObject* parent)
    : QObject(parent), width(qMax(1, width)), height(qMax(1, height))
{}

void TImageList::SetSize(int newWidth, int newHeight)
{
    newWidth = qMax(1, newWidth);
    newHeight = qMax(1, newHeight);
    if (newWidth == width && newHeight == height)
        return;
    width = newWidth;
    height = newHeight;
    images.clear();
    Q_EMIT Change();
}

int TImageList::addPieces(const QImage& image)
{
    if (image.isNull())
        return -1;
    const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int first = Count();
    const int pieces = qMax(1, source.width() / width);
    for (int i = 0; i < pieces; ++i) {
        QImage piece = source.copy(i * width, 0, qMin(width, source.width()), source.height());
        if (piece.size() != QSize(width, height))
            piece = piece.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        images.append(piece);
    }
    return first;
}

int TImageList::Add(const QImage& image)
{
    const int index = addPieces(image);
    if (index >= 0)
        Q_EMIT Change();
    return index;
}

int TImageList::AddMasked(const QImage& image, TColor maskColor)
{
    if (image.isNull())
        return -1;
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ToQColor(maskColor).rgb() & RGB_MASK;
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x) {
            if ((line[x] & RGB_MASK) == key)
                line[x] = 0;
        }
    }
    return Add(masked);
}

void TImageList::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    images.removeAt(index);
    Q_EMIT Change();
}

void TImageList::Clear()
{
    if (images.isEmpty())
        return;
    images.clear();
    Q_EMIT Change();
}

QImage TImageList::GetImage(int index) const
{
    if (index < 0 || index >= Count())
        return QImage();
    return images[index];
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    canvas.Painter().drawImage(x, y, enabled ? images[index] : greyed(images[index]));
}
