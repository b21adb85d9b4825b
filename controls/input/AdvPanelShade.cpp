#include "AdvPanelShade.h"

#include "Random.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {

// Brushed metal is drawn with this many streaks before the light falls over it.
constexpr int metalStreaks = 251;
constexpr int metalStreakDarkness = 40;

// A cubic curve through -127 ... 128 that keeps the sign, for the bumps.
int cube(int a)
{
    return (a * a * a / 128) / 128;
}

class Shader
{
public:
    Shader(TColor color, int shadeLight, int width, int height)
        : image(width, height, QImage::Format_RGB32), w(width), h(height), sl(std::min(shadeLight, 255) & 0xFF)
    {
        const TColor rgb = ColorToRGB(color);
        r = GetRValue(rgb);
        g = GetGValue(rgb);
        b = GetBValue(rgb);
        image.fill(Qt::white);
    }

    // The colour at lightness l: each channel scaled by l / 255 (l may leave 0 ... 255; the low byte is kept).
    QRgb shade(int l) const { return qRgb((r * l / 255) & 0xFF, (g * l / 255) & 0xFF, (b * l / 255) & 0xFF); }

    void put(int x, int y, QRgb c)
    {
        if (x >= 0 && x < w && y >= 0 && y < h)
            reinterpret_cast<QRgb*>(image.scanLine(y))[x] = c;
    }
    int blueAt(int x, int y) const { return qBlue(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]); }

    void fillRow(int y, QRgb c)
    {
        for (int x = 0; x < w; ++x)
            put(x, y, c);
    }
    void fillColumn(int x, QRgb c)
    {
        for (int y = 0; y < h; ++y)
            put(x, y, c);
    }

    void noise(int grain);
    void diagonal();
    void horizontal(bool inverted);
    void vertical(bool inverted);
    void horizontalBump();
    void verticalBump();
    void softBump();
    void hardBump();
    void metal(bool leftLeaning);
    void radial(bool lightCentre);

    QImage image;
    int w;
    int h;
    int sl;
    int r = 0;
    int g = 0;
    int b = 0;
    RandomNumbers random;
};

void Shader::noise(int grain)
{
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            put(x, y, shade(sl - (random.Random(grain) + 128) / 2));
    }
}

void Shader::diagonal()
{
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            put(x, y, shade(sl - (sl - blueAt(x, y) + 129 * x / w + 129 * y / h) / 2));
    }
}

// Darker to the left, by up to 123 levels.
void Shader::horizontal(bool inverted)
{
    for (int x = 0; x <= w; ++x) {
        const int t = (w - x) * 239 / w + 8;
        fillColumn(inverted ? w - x : x, shade(sl - t / 2));
    }
}

// Darker to the bottom, by up to 61 levels.
void Shader::vertical(bool inverted)
{
    for (int y = 0; y <= h; ++y) {
        const int t = 239 * y / h + 8;
        fillRow(inverted ? h - y : y, shade(sl - t / 4));
    }
}

void Shader::horizontalBump()
{
    for (int x = 0; x < w; ++x) {
        const int c = cube(255 * (w - x) / w - 127) * 120 / 128 + 128;
        fillColumn(x, shade(sl - c / 2));
    }
}

void Shader::verticalBump()
{
    for (int y = 0; y < h; ++y) {
        const int c = cube(255 * y / h - 127) * 120 / 128 + 128;
        fillRow(y, shade(sl - c / 2));
    }
}

void Shader::softBump()
{
    for (int y = 0; y < h; ++y) {
        const int a = cube(255 * y / h - 127);
        for (int x = 0; x < w; ++x) {
            const int c = std::clamp((a + cube(255 * (w - x) / w - 127)) * 120 / 128 + 128, 8, 247);
            put(x, y, shade(sl - c / 2));
        }
    }
}

// Rows shaded like a bump, then both ends rounded. A bar too small to round keeps its rows.
void Shader::hardBump()
{
    for (int y = 0; y < h; ++y) {
        const int c = cube(255 * y / h - 127) * 112 / 128 + 128;
        fillRow(y, shade(sl - c / 2));
    }
    const int bw = std::min(w / 6, 16);
    const qint64 h4 = qint64(h) * h / 4;
    if (bw == 0 || h4 == 0)
        return;
    for (int y = 0; y < h; ++y) {
        const qint64 dy = y - h / 2;
        const int lim = int(dy * dy * bw / h4) + (w / 2 - bw);
        for (int x = 0; x < w; ++x) {
            const int dx = x - w / 2;
            if (dx > lim)
                put(x, y, shade(sl - ((w - x) * 128 / bw + 8) / 2));
            else if (dx + lim < 0)
                put(x, y, shade(sl - (247 - x * 128 / bw) / 2));
        }
    }
}

// Random streaks leaning left or right, then light falling from the top-left corner.
void Shader::metal(bool leftLeaning)
{
    for (int streak = 0; streak < metalStreaks; ++streak) {
        const int x0 = random.Random(w);
        const int y0 = random.Random(h);
        const int length = random.Random(std::min(w, h) / 2);
        const QRgb c = shade(sl - random.Random(metalStreakDarkness));
        const auto putInside = [&](int x, int y) {
            if (x > 0 && x < w && y > 0 && y < h)
                put(x, y, c);
        };
        for (int i = 0; i < length; ++i) {
            if (leftLeaning) {
                putInside(x0 + i, y0 + i);
                putInside(x0 - i, y0 - i);
            } else {
                putInside(x0 - i, y0 + i);
                putInside(x0 + i, y0 - i);
            }
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            put(x, y, shade(sl - (sl - blueAt(x, y) + 120 * x / w + 120 * y / h) / 2));
    }
}

// Light or dark in the centre, fading with the distance from it; the four quarters mirror each other.
void Shader::radial(bool lightCentre)
{
    const double rmax = std::nearbyint(std::sqrt(double(w) * w + double(h) * h));
    for (int x = 0; x <= w / 2; ++x) {
        for (int y = 0; y <= h / 2; ++y) {
            const double d = std::nearbyint(std::hypot(x - w / 2, y - h / 2));
            const int l = int(std::nearbyint((lightCentre ? rmax - d : d) / rmax * sl));
            const QRgb c = shade(l);
            put(x, y, c);
            put(w - x, h - y, c);
            put(w - x, y, c);
            put(x, h - y, c);
        }
    }
}

} // namespace

QImage RenderShade(TShadeType type, TColor color, int shadeLight, int grain, int width, int height)
{
    if (width <= 0 || height <= 0)
        return QImage();
    Shader s(color, shadeLight, width, height);
    switch (type) {
    case stNoise:
        s.noise(grain);
        break;
    case stDiagShade:
        s.diagonal();
        break;
    case stHShade:
    case stHShadeInv:
        s.horizontal(type == stHShadeInv);
        break;
    case stVShade:
    case stVShadeInv:
        s.vertical(type == stVShadeInv);
        break;
    case stHBump:
        s.horizontalBump();
        break;
    case stVBump:
        s.verticalBump();
        break;
    case stSoftBump:
        s.softBump();
        break;
    case stHardBump:
        s.hardBump();
        break;
    case stLMetal:
    case stRMetal:
        s.metal(type == stLMetal);
        break;
    case stIRadial:
    case stORadial:
        s.radial(type == stIRadial);
        break;
    default:
        s.image.fill(s.shade(255));
        break;
    }
    return s.image;
}
