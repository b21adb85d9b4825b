// Helpers of the list view's tests: a default locale for one test, pixels of grabbed pictures.
#pragma once

#include "Canvas.h"
#include "TestSupport.h"

#include <QImage>
#include <QLocale>
#include <QString>

// Sets the default locale for one test and gives the previous one back.
class LocaleScope
{
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(saved); }

private:
    QLocale saved;
};

inline TColor pixelAt(const QImage& image, int x, int y)
{
    return FromQColor(image.pixelColor(x, y));
}

// The bounding box of the pixels of the colour inside the area.
inline QRect colourBounds(const QImage& image, TColor colour, const QRect& area)
{
    QRect bounds;
    const QColor wanted = ToQColor(colour);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == wanted)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The bounding box of the pixels inside the area that differ from the background colour.
inline QRect inkBounds(const QImage& image, TColor background, const QRect& area)
{
    QRect bounds;
    const QColor plain = ToQColor(background);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != plain)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}
