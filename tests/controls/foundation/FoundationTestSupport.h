// Helpers of the control foundation's tests: a registered font, small pictures, readable texts in messages.
#pragma once

#include "TestSupport.h"

#include <QByteArray>
#include <QColor>
#include <QFontDatabase>
#include <QImage>
#include <QString>
#include <vector>

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

// A GIF built byte by byte: a 4 x 4 logical screen with four colours (white, red, green, blue) and frames of one
// colour each, every frame after a graphic control extension.
class GifWriter
{
public:
    GifWriter()
    {
        bytes.append("GIF89a");
        word(4);
        word(4);
        bytes.append(char(0x81)); // global colour table of 4 entries
        bytes.append(char(0));
        bytes.append(char(0));
        for (QRgb c : {qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)}) {
            bytes.append(char(qRed(c)));
            bytes.append(char(qGreen(c)));
            bytes.append(char(qBlue(c)));
        }
    }

    void frame(int delay, int left, int top, int width, int height, int colour)
    {
        bytes.append("\x21\xF9\x04", 3);
        bytes.append(char(0x04)); // keep the frame in place
        word(delay);
        bytes.append(char(0));
        bytes.append(char(0));
        image(left, top, width, height, colour);
    }

    void image(int left, int top, int width, int height, int colour)
    {
        bytes.append(char(0x2C));
        word(left);
        word(top);
        word(width);
        word(height);
        bytes.append(char(0));
        bytes.append(char(2)); // LZW minimum code size
        // Three-bit codes; a clear code before every pair of pixels keeps the code size from growing.
        std::vector<int> codes;
        for (int i = 0; i < width * height; ++i) {
            if (i % 2 == 0)
                codes.push_back(4);
            codes.push_back(colour);
        }
        codes.push_back(5);
        QByteArray packed;
        int bits = 0;
        int value = 0;
        for (int code : codes) {
            value |= code << bits;
            bits += 3;
            while (bits >= 8) {
                packed.append(char(value & 0xFF));
                value >>= 8;
                bits -= 8;
            }
        }
        if (bits > 0)
            packed.append(char(value & 0xFF));
        bytes.append(char(packed.size()));
        bytes.append(packed);
        bytes.append(char(0));
    }

    QByteArray finish()
    {
        bytes.append(char(0x3B));
        return bytes;
    }

private:
    void word(int v)
    {
        bytes.append(char(v & 0xFF));
        bytes.append(char((v >> 8) & 0xFF));
    }

    QByteArray bytes;
};

// Three frames of a tenth of a second each: red over the screen, green at (2, 2), blue at (0, 0).
inline QByteArray threeFrames()
{
    GifWriter gif;
    gif.frame(10, 0, 0, 4, 4, 1);
    gif.frame(10, 2, 2, 2, 2, 2);
    gif.frame(10, 0, 0, 1, 1, 3);
    return gif.finish();
}
