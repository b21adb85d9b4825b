// What the pictures that animate read from a GIF file without decoding it: its logical screen and its frames,
// found by one walk of the block structure that never reads past the data.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QVector>

// One animation frame: a graphic control extension directly followed by an image.
struct GifFrame
{
    // How the frame is taken away before the next one is drawn.
    enum Disposal { Unspecified = 0, Keep = 1, RestoreBackground = 2, RestorePrevious = 3 };

    int delay = 0; // hundredths of a second
    int image = 0; // index of its image among all images of the file
    quint16 left = 0;
    quint16 top = 0;
    quint16 width = 0;
    quint16 height = 0;
    bool transparent = false;
    int disposal = Unspecified; // a Disposal, or one of the values the format keeps for later (4..7)
};

// More than four bytes that begin "GIF8".
bool isGifData(const QByteArray& data);
// The logical screen's size; empty when the data is too short to hold it.
QSize gifLogicalScreen(const QByteArray& data);
// The frames of a GIF in file order; data that ends early ends the walk with the frames found so far. Empty for
// data that is no GIF.
QVector<GifFrame> scanGifFrames(const QByteArray& data);
