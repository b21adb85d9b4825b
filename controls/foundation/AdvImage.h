// A picture that keeps the bytes of an image file and decodes them once, when they arrive. The panel's background
// picture is one; canvases draw it stretched into a rectangle.
#pragma once

#include "Graphics.h"

#include <QByteArray>
#include <QImage>

class TAdvImage : public TGraphic
{
public:
    TAdvImage() = default;

    // From a loaded TAdvImage (its bytes, decoded again); null empties the data and fires OnChange. Anything else,
    // an empty TAdvImage included, leaves the image reading empty with its former bytes, and fires nothing.
    void Assign(const TGraphic* source) override;
    void Draw(TCanvas& canvas, const TRect& rect) override;
    bool GetEmpty() const override { return empty; }
    // Pixels at 96 per inch of the decoded picture's physical size; 0 without a decoded picture.
    int GetWidth() const override;
    int GetHeight() const override;
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    // A file that is missing or no picture leaves the image empty, without an error.
    void LoadFromFile(const QString& fileName) override;
    // Bytes that are no picture raise an Exception ("Could not load image. Invalid format"); the image then reads
    // as loaded but has no decoded picture.
    void LoadFromStream(QIODevice* stream) override;
    void SaveToStream(QIODevice* stream) const override;
    // LoadFromStream without the event.
    void ReadData(QIODevice* stream) override;
    void WriteData(QIODevice* stream) const override { SaveToStream(stream); }

    // Decodes the data; raises an Exception when it is no picture.
    void LoadPicture();
    // The program's resource of that name or number; a missing one raises an Exception.
    void LoadFromResourceName(const QString& name);
    void LoadFromResourceID(int id);

    const QByteArray& Bytes() const { return data; }

private:
    void loadResource(const QString& name);

    QByteArray data;
    bool empty = true;
    QImage picture;
    // The decoded picture's size in hundredths of a millimetre, and the pixels per inch it is shown at.
    int himetricWidth = 0;
    int himetricHeight = 0;
    int pixelsPerInchX = 96;
    int pixelsPerInchY = 96;
};
