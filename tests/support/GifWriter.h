// GIF files built byte by byte for the tests of the pictures that animate: a 4 x 4 logical screen (or any size)
// with four colours (white, red, green, blue) and images of one colour each.
#pragma once

#include <QByteArray>
#include <QRgb>
#include <vector>

class GifWriter
{
public:
    enum Colour { White, Red, Green, Blue };

    explicit GifWriter(int width = 4, int height = 4)
    {
        bytes.append("GIF89a");
        word(width);
        word(height);
        bytes.append(char(0x81)); // global colour table of 4 entries
        bytes.append(char(0));
        bytes.append(char(0));
        for (QRgb c : {qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)}) {
            bytes.append(char(qRed(c)));
            bytes.append(char(qGreen(c)));
            bytes.append(char(qBlue(c)));
        }
    }

    // An image after a graphic control extension with the delay (hundredths of a second), the disposal method and,
    // when transparentColour is not -1, that colour index transparent.
    void frame(int delay, int left, int top, int width, int height, int colour, int disposal = 1,
               int transparentColour = -1)
    {
        bytes.append("\x21\xF9\x04", 3);
        bytes.append(char((disposal << 2) | (transparentColour >= 0 ? 1 : 0)));
        word(delay);
        bytes.append(char(transparentColour >= 0 ? transparentColour : 0));
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
        // Sub-blocks of at most 255 bytes.
        for (qsizetype at = 0; at < packed.size(); at += 255) {
            const QByteArray block = packed.mid(at, 255);
            bytes.append(char(block.size()));
            bytes.append(block);
        }
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
