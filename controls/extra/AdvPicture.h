// A picture control that shows a picture file at one of eight places, shrunk or stretched to fit, and plays
// animated GIF files frame by frame: the picture (TIPicture), which keeps the file's bytes and decodes every frame
// once, and the control (TAdvPicture), which places it and runs the animation on a timer of its own.
#pragma once

#include "GifFrames.h"
#include "Graphics.h"

#include <QByteArray>
#include <QImage>
#include <QPointer>
#include <QVector>
#include <QWidget>
#include <functional>

class QTimer;

class TIPicture : public TGraphic
{
public:
    TIPicture() = default;

    // Swallows every error: a file that is missing or no picture leaves the picture empty.
    void LoadFromFile(const QString& fileName) override;
    // Bytes that are no picture raise an Exception ("Could not load image. Invalid format"), a picture format that
    // gives no image "Could not load image".
    void LoadFromStream(QIODevice* stream) override;
    void SaveToStream(QIODevice* stream) const override;
    // The bytes of a window layout: LoadFromStream keeping the frame, without events.
    void ReadData(QIODevice* stream) override;
    void WriteData(QIODevice* stream) const override { SaveToStream(stream); }
    // The program's resource of that name, when there is one; otherwise nothing happens.
    void LoadFromResourceName(const QString& name);
    // The program's resource of that number; a missing one raises an Exception.
    void LoadFromResourceID(int id);
    // "RES://" + a resource name or "FILE://" + a path (the prefix in any letter case); anything else is ignored.
    void LoadFromURL(const QString& url);
    // The last address LoadFromURL took.
    QString GetURL() const { return url; }

    // Copies another TIPicture's bytes (decoded afresh; its errors are raised). Null, or a picture without data,
    // empties this one and fires OnChange, then OnClear; any other graphic empties it without events.
    void Assign(const TGraphic* source) override;
    // The selected frame stretched into rect. A GIF frame comes composed onto the whole logical screen, so it is
    // drawn at the rectangle's corner, not moved again by the frame's own position.
    void Draw(TCanvas& canvas, const TRect& rect) override;
    // True without data, while the data does not decode, and for a frame that is not there.
    bool GetEmpty() const override;
    int GetWidth() const override;
    int GetHeight() const override;
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    // The size the picture takes: a GIF's logical screen when it has one, else the picture's size.
    int GetMaxWidth() const;
    int GetMaxHeight() const;

    bool GetStretch() const { return stretch; }
    void SetStretch(bool value) { stretch = value; }
    void SetPixelsPerInch(int x, int y);
    bool GetDoubleBuffered() const { return doubleBuffered; }
    void SetDoubleBuffered(bool value) { doubleBuffered = value; }
    TColor GetBackgroundColor() const { return backgroundColor; }
    void SetBackgroundColor(TColor value) { backgroundColor = value; }

    bool IsGIFFile() const;
    // Frames of a GIF (a graphic control extension directly followed by an image); -1 for data that is no GIF.
    int GetFrameCount() const;
    // Delay of frame n (counted from 1) in hundredths of a second; -1 for data that is no GIF or a frame that is
    // not there. Takes that frame's transparency and disposal as the ones last read.
    int GetFrameTime(int n);
    int GetFrame() const { return frame; }
    // Frame 0 is the file's first image, frame n the image of GIF frame n. Fires OnFrameChange when there is data.
    void SetFrame(int n);
    // Place and size of the selected frame inside the logical screen; 0 for frame 0.
    quint16 GetFrameLeft() const { return selectedFrame.left; }
    quint16 GetFrameTop() const { return selectedFrame.top; }
    quint16 GetFrameWidth() const { return selectedFrame.width; }
    quint16 GetFrameHeight() const { return selectedFrame.height; }
    // Of the frame whose delay was last read (GifFrame::Disposal).
    bool GetTransparent() const { return transparent; }
    int GetDisposal() const { return disposal; }

    std::function<void(TIPicture* sender)> OnFrameChange;
    // Fired when the picture was emptied or loaded from a file.
    std::function<void(TIPicture* sender)> OnClear;

private:
    // New data from a load: shown from its first frame.
    void takeData(const QByteArray& bytes);
    void setData(const QByteArray& bytes);
    // Decodes every image of the data and selects the frame; raises an Exception when no image decodes.
    void LoadPicture();
    void selectFrame();

    QByteArray data;
    bool empty = true;
    bool stretch = false;
    // Every image of the file in order, as decoded once; GIF frames come composed onto the logical screen.
    QVector<QImage> images;
    QVector<GifFrame> gifFrames;
    QImage current;
    int pixelsPerInchX = 96;
    int pixelsPerInchY = 96;
    QString url;
    int frame = 0;
    GifFrame selectedFrame;
    bool transparent = false;
    int disposal = GifFrame::Unspecified;
    QSize logicalScreen;
    bool doubleBuffered = false;
    TColor backgroundColor = clBlack;
};

class TAdvPicture : public QWidget
{
    Q_OBJECT
public:
    enum TPicturePosition {
        bpTopLeft,
        bpTopRight,
        bpBottomLeft,
        bpBottomRight,
        bpCenter,
        bpTiled,
        bpStretched,
        bpStretchedWithAspect
    };
    // smShrink makes a picture larger than the control smaller, keeping its aspect ratio.
    enum TStretchMode { smNever, smShrink };

    explicit TAdvPicture(QWidget* parent = nullptr);

    TIPicture* GetPicture() { return &picture; }
    // Copies the picture.
    void SetIPicture(const TIPicture* value);
    TPicturePosition GetPicturePosition() const { return picturePosition; }
    void SetPicturePosition(TPicturePosition value);
    TStretchMode GetStretchMode() const { return stretchMode; }
    void SetStretchMode(TStretchMode value);
    // Sizes the control to the picture whenever one is loaded.
    bool GetAutoSize() const { return autoSize; }
    void SetAutoSizeP(bool value);
    // Plays a GIF of more than one frame, each frame for its own delay, on a timer of 10 ms.
    bool GetAnimate() const { return animate; }
    void SetAnimate(bool value);
    bool GetDoubleBuffered() const { return picture.GetDoubleBuffered(); }
    void SetDoubleBuffered(bool value) { picture.SetDoubleBuffered(value); }
    TColor GetBackgroundColor() const { return picture.GetBackgroundColor(); }
    void SetBackgroundColor(TColor value) { picture.SetBackgroundColor(value); }

    QString GetVersion() const { return VersionNrText(GetVersionNr()); }
    void SetVersion(const QString&) {}
    quint32 GetVersionNr() const { return 0x01030102; }

    // Takes the resolution of the screen the control is on for the picture's size.
    void Loaded();
    // One tick of the animation: 10 ms, one hundredth of a second, the unit of GIF delays.
    void Timer();

    TNotifyEvent OnFrameChange;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Paint(TCanvas& canvas);
    void PictureChanged();
    void PictureCleared();
    void FrameChanged();

    bool animate = false;
    bool autoSize = false;
    TIPicture picture;
    TPicturePosition picturePosition = bpTopLeft;
    // A child of the control, so it ends with the control.
    QPointer<QTimer> timer;
    int tickCount = 0;
    int nextSwitchTick = 0;
    bool animated = false;
    TStretchMode stretchMode = smNever;
    bool clearing = false;
};
