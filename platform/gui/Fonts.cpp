#include "Fonts.h"

#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QRawFont>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace Fonts {

namespace {

const QString wineFontFolder = QStringLiteral("/usr/share/wine/fonts/");

// Faces named by stored font descriptions and window layouts that a Linux machine does not have under these names.
const char* const substitutedFaces[] = {"Tahoma", "Segoe Print", "Wingdings"};

} // namespace

QString substituteFamily()
{
    return QStringLiteral("DejaVu Sans");
}

void registerApplicationFonts()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    // Not tahomabd.ttf: its outlines are of regular weight (only its small bitmaps are bold), so bold text drawn
    // with it looks like spaced-out regular text. Bold Tahoma is emboldened from the regular face instead.
    for (const char* file : {"tahoma.ttf", "wingding.ttf"}) {
        const QString path = wineFontFolder + QLatin1String(file);
        if (QFileInfo::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
    // Widgets ask for these faces by name; without the substitution the font matcher would pick any face.
    for (const char* face : substitutedFaces) {
        if (!QFontDatabase::hasFamily(QLatin1String(face)))
            QFont::insertSubstitution(QLatin1String(face), substituteFamily());
    }
}

QString familyFor(const QString& face)
{
    registerApplicationFonts();
    const QString name = face.trimmed();
    if (!name.isEmpty() && QFontDatabase::hasFamily(name))
        return name;
    return substituteFamily();
}

LineExtents lineExtents(const QFont& font)
{
    // usWinAscent and usWinDescent of the OS/2 table. The face may ask for its typographic extents instead, which
    // for the Tahoma-compatible face are a quarter smaller and let accents reach into the line above.
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.fontTable("OS/2");
    const double unitsPerEm = raw.unitsPerEm();
    if (os2.size() >= 78 && unitsPerEm > 0) {
        const auto* data = reinterpret_cast<const uchar*>(os2.constData());
        const double ascent = qFromBigEndian<quint16>(data + 74) / unitsPerEm;
        const double descent = qFromBigEndian<quint16>(data + 76) / unitsPerEm;
        if (ascent + descent > 0)
            return {ascent, descent};
    }
    constexpr int size = 1000;
    QFont sized(font);
    sized.setPixelSize(size);
    const QFontMetricsF metrics(sized);
    return {metrics.ascent() / size, metrics.descent() / size};
}

int lineHeight(const QFont& font)
{
    const LineExtents extents = lineExtents(font);
    const double em = QRawFont::fromFont(font).pixelSize();
    return std::max(int(std::ceil((extents.ascent + extents.descent) * em)), QFontMetrics(font).height());
}

int centredLineHeight(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const double accentsAbove =
        std::max(0.0, lineExtents(font).ascent * QRawFont::fromFont(font).pixelSize() - metrics.ascent());
    return int(std::ceil(metrics.height() + 2 * accentsAbove));
}

} // namespace Fonts
