// Helpers of the control foundation's tests: a registered font, small pictures, readable texts in messages.
#pragma once

#include "GifWriter.h"
#include "TestSupport.h"

#include <QByteArray>
#include <QColor>
#include <QFontDatabase>
#include <QImage>
#include <QString>

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

inline QByteArray pngBytes(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return imageBytes(image);
}

// Three frames of a tenth of a second each: red over the screen, green at (2, 2), blue at (0, 0).
inline QByteArray threeFrames()
{
    GifWriter gif;
    gif.frame(10, 0, 0, 4, 4, 1);
    gif.frame(10, 2, 2, 2, 2, 2);
    gif.frame(10, 0, 0, 1, 1, 3);
    return gif.finish();
}
