// A picture that keeps the exact bytes of an image file and decodes them afresh each time it is drawn or
// measured: bitmaps are drawn unscaled and transparent (the colour of their bottom-left pixel left out), every
// other format stretched into the target rectangle with its own transparency. The glow button's pictures and the
// picture of an office hint are of this class.
#pragma once

#include "Graphics.h"

#include <QByteArray>

class TGDIPPicture : public TGraphic
{
public:
    TGDIPPicture() = default;

    // From another TGDIPPicture (its bytes) or a TBitmap (saved as a BMP file); null empties the picture and fires
    // OnChange, then OnClear. Any other graphic copies nothing and leaves the picture reading empty.
    void Assign(const TGraphic* source) override;
    void Draw(TCanvas& canvas, const TRect& rect) override;
    bool GetEmpty() const override { return empty; }
    // The size last measured from a decode; 0 until then.
    int GetWidth() const override { return width; }
    int GetHeight() const override { return height; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    // A file that cannot be read leaves the picture empty, without an error.
    void LoadFromFile(const QString& fileName) override;
    void LoadFromStream(QIODevice* stream) override;
    void SaveToStream(QIODevice* stream) const override;
    // The bytes alone: no measuring, no event.
    void ReadData(QIODevice* stream) override;
    void WriteData(QIODevice* stream) const override { SaveToStream(stream); }

    // Measures the picture by decoding it; false for an empty picture. Bytes that are no picture measure 0 by 0.
    bool GetImageSizes();
    // The program's resource of that name, when there is one; otherwise nothing happens.
    void LoadFromResourceName(const QString& name);
    // The program's resource of that number; a missing one raises an Exception.
    void LoadFromResourceID(int id);
    // "RES://" + a resource name or "FILE://" + a path (the prefix in any letter case); anything else, or a prefix
    // alone, does nothing. Nothing is fetched from a network.
    void LoadFromURL(const QString& address);

    const QByteArray& Bytes() const { return bytes; }

    std::function<void(TGDIPPicture* picture)> OnClear;

private:
    QByteArray bytes;
    bool empty = true;
    int width = 0;
    int height = 0;
};
