// Pictures that a canvas can draw: the abstract graphic every picture class derives from, and the bitmap that
// holds its pixels in a QImage. Streams are QIODevices (a QBuffer stands in for a memory stream).
#pragma once

#include "Toolkit.h"

#include <QImage>
#include <functional>

class QIODevice;
class TCanvas;

// Where the program's named binary resources live: Qt resources under ":/res/", names in upper case, since
// resource names are looked up regardless of case.
QString ProgramResourcePath(const QString& name);

// A picture named by address: "RES://" + a resource name or "FILE://" + a path, the prefix in any letter case and
// the rest as written. Any other address is of kind Other, with nothing in rest.
struct PictureAddress
{
    enum Kind { Other, Resource, File };
    Kind kind = Other;
    QString rest;
};
PictureAddress ParsePictureAddress(const QString& address);

// Every byte of a stream from its start (from where it stands, for a sequential device that cannot go back).
QByteArray ReadWholeStream(QIODevice* stream);

class TGraphic
{
public:
    virtual ~TGraphic() = default;

    // Copies the picture of a graphic of a kind this class understands; what happens with any other kind is up to
    // the class.
    virtual void Assign(const TGraphic* source) = 0;
    // Draws the picture into the rectangle of the canvas (stretched or not, as the class decides).
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
    virtual bool GetEmpty() const = 0;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual void SetWidth(int value) = 0;
    virtual void SetHeight(int value) = 0;
    // A file that cannot be read leaves the graphic as the class decides; the base opens the file and reads it as a
    // stream.
    virtual void LoadFromFile(const QString& fileName);
    virtual void LoadFromStream(QIODevice* stream) = 0;
    virtual void SaveToStream(QIODevice* stream) const = 0;
    // The bytes a window layout stores for the graphic; by default the same as the stream form.
    virtual void ReadData(QIODevice* stream) { LoadFromStream(stream); }
    virtual void WriteData(QIODevice* stream) const { SaveToStream(stream); }

    std::function<void(TGraphic* sender)> OnChange;

protected:
    void Changed();
};

// Loads a graphic (through LoadFromStream) from the program's resource of that name; nothing happens when there is
// none.
void LoadFromProgramResource(TGraphic& graphic, const QString& name);
// The same for the resource of that number; a missing one raises an Exception.
void LoadFromProgramResourceID(TGraphic& graphic, int id);
// Loads the picture an address names: a resource by LoadFromProgramResource, a file by LoadFromFile. An address of
// neither kind, or with nothing after its prefix, loads nothing.
void LoadFromPictureAddress(TGraphic& graphic, const PictureAddress& address);

enum TTransparentMode { tmAuto, tmFixed };

// A bitmap of 32-bit pixels. To paint on it, open a canvas on Image() for the length of the drawing.
class TBitmap : public TGraphic
{
public:
    TBitmap() = default;
    TBitmap(int width, int height);

    QImage& Image() { return image; }
    const QImage& Image() const { return image; }
    void SetImage(const QImage& value);
    void SetSize(int width, int height);

    // A transparent bitmap leaves out every pixel of its transparent colour when it is drawn: with tmAuto that is
    // the colour of the bottom-left pixel, with tmFixed the colour set.
    void SetTransparent(bool value) { transparent = value; }
    void SetTransparentMode(TTransparentMode value) { transparentMode = value; }
    TColor GetTransparentColor() const;
    void SetTransparentColor(TColor value);
    // The picture as drawn: transparent pixels cleared when the bitmap is transparent.
    QImage DrawnImage() const;

    void Assign(const TGraphic* source) override;
    void Draw(TCanvas& canvas, const TRect& rect) override;
    bool GetEmpty() const override { return image.isNull(); }
    int GetWidth() const override { return image.width(); }
    int GetHeight() const override { return image.height(); }
    void SetWidth(int value) override { SetSize(value, GetHeight()); }
    void SetHeight(int value) override { SetSize(GetWidth(), value); }
    // Reads any picture format Qt decodes; bytes that are no picture leave an empty bitmap.
    void LoadFromStream(QIODevice* stream) override;
    // Writes the bitmap as a BMP file.
    void SaveToStream(QIODevice* stream) const override;

private:
    QImage image;
    bool transparent = false;
    TTransparentMode transparentMode = tmAuto;
    TColor transparentColor = clDefault;
};
