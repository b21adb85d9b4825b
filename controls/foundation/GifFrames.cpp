#include "GifFrames.h"

namespace {

constexpr qsizetype logicalScreenEnd = 10; // signature, version, width and height
constexpr qsizetype headerSize = 13;       // ... and the rest of the logical screen descriptor
constexpr quint8 extensionIntroducer = 0x21;
constexpr quint8 graphicControlLabel = 0xF9;
constexpr quint8 graphicControlSize = 4;
constexpr quint8 imageSeparator = 0x2C;
constexpr qsizetype imageDescriptorSize = 10;

quint16 readWord(const QByteArray& data, qsizetype at)
{
    return quint16(quint8(data[at]) | (quint8(data[at + 1]) << 8));
}

// Bytes of the colour table announced by a packed field; none when its flag is clear.
qsizetype colorTableSize(quint8 packed)
{
    return (packed & 0x80) ? 3 * (qsizetype(1) << ((packed & 7) + 1)) : 0;
}

} // namespace

bool isGifData(const QByteArray& data)
{
    return data.size() > 4 && data.startsWith("GIF8");
}

QSize gifLogicalScreen(const QByteArray& data)
{
    if (data.size() < logicalScreenEnd)
        return QSize();
    return QSize(readWord(data, 6), readWord(data, 8));
}

QVector<GifFrame> scanGifFrames(const QByteArray& data)
{
    QVector<GifFrame> frames;
    const qsizetype size = data.size();
    if (size < headerSize || !isGifData(data))
        return frames;
    // Skips data sub-blocks up to their terminator; false when the data ends first.
    auto skipSubBlocks = [&](qsizetype& p) {
        while (p < size) {
            const quint8 length = quint8(data[p++]);
            if (length == 0)
                return true;
            p += length;
        }
        return false;
    };

    qsizetype p = headerSize + colorTableSize(quint8(data[10]));
    int image = 0;
    bool pendingControl = false; // the block before this one was a graphic control extension
    GifFrame pending;
    while (p < size) {
        const quint8 introducer = quint8(data[p]);
        if (introducer == extensionIntroducer) {
            if (p + 1 >= size)
                break;
            const bool control =
                quint8(data[p + 1]) == graphicControlLabel && p + 7 < size && quint8(data[p + 2]) == graphicControlSize;
            if (control) {
                const quint8 packed = quint8(data[p + 3]);
                pending = GifFrame{};
                pending.delay = readWord(data, p + 4);
                pending.transparent = packed & 1;
                pending.disposal = (packed >> 2) & 7;
            }
            p += 2;
            if (!skipSubBlocks(p))
                break;
            pendingControl = control;
        } else if (introducer == imageSeparator) {
            if (p + imageDescriptorSize > size)
                break;
            if (pendingControl) {
                pending.image = image;
                pending.left = readWord(data, p + 1);
                pending.top = readWord(data, p + 3);
                pending.width = readWord(data, p + 5);
                pending.height = readWord(data, p + 7);
                frames.append(pending);
            }
            pendingControl = false;
            ++image;
            p += imageDescriptorSize + colorTableSize(quint8(data[p + 9])) + 1; // + the LZW code size
            if (!skipSubBlocks(p))
                break;
        } else {
            break; // the trailer, or bytes that are no block
        }
    }
    return frames;
}
