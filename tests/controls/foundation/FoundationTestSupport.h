// Helpers of the control foundation's tests: a registered font, small pictures, readable texts in messages.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFontDatabase>
#include <QImage>
#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// A font registered with the application from its file, so that sizes do not depend on the fonts installed.
inline QString registeredFamily()
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
        QFontDatabase::addApplicationFont("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf");
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QString() : families.first();
    }();
    return family;
}

inline QByteArray imageBytes(const QImage& image, const char* format = "PNG")
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

inline QByteArray pngBytes(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return imageBytes(image);
}
