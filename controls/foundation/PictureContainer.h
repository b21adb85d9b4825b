// The pictures that markup shows through its IMG tag: a picture that keeps the raw bytes of its file and steps
// through the frames of an animated GIF, the per-control cache of pictures loaded by URL, the container of named
// pictures, and a control that shows one picture.
#pragma once

#include "GifFrames.h"
#include "Graphics.h"

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>
#include <QVector>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class THTMLPicture : public TGraphic
{
public:
    THTMLPicture();

    // Loading replaces the data; bytes that do not decode leave a picture that counts as empty.
    void LoadFromFile(const QString& path) override;
    void LoadFromStream(QIODevice* stream) override;
    void SaveToStream(QIODevice* stream) const override;
    // A picture built into the program (a Qt resource path without the ":/").
    void LoadFromResourceName(const QString& name);
    // "RES://" + resource name or "FILE://" + path (prefixes in any case); any other address is only recorded,
    // nothing is fetched.
    void LoadFromURL(const QString& url);

    // Copies another THTMLPicture (data, frame, stretch, source key); any other source leaves the picture empty.
    void Assign(const TGraphic* source) override;
    // Stretched into rect, or at its natural size at rect's top-left corner. A GIF frame comes composed onto the
    // whole logical screen, so it is drawn at the picture's origin.
    void Draw(TCanvas& canvas, const TRect& rect) override;
    // True until data is loaded, and while the data does not decode.
    bool GetEmpty() const override;
    int GetWidth() const override;
    int GetHeight() const override;
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    // The size the picture takes in a layout: a GIF's logical screen when it has one, else the picture's size.
    int GetMaxWidth() const;
    int GetMaxHeight() const;

    bool GetStretch() const { return stretch; }
    void SetStretch(bool value) { stretch = value; }
    void SetPixelsPerInch(int x, int y);

    bool IsGIFFile() const;
    // Frames of a GIF (graphic control extension directly followed by an image); -1 for data that is no GIF.
    // Counted once and kept.
    int GetFrameCount();
    // Delay of frame n (1-based) in hundredths of a second; -1 for data that is no GIF or a frame that is not there.
    int GetFrameTime(int n) const;
    int GetFrame() const { return frame; }
    void SetFrame(int n);
    void FrameNext();
    void FramePrev();
    // Position of the selected frame inside the GIF's logical screen.
    quint16 GetFrameLeft() const { return frameLeft; }
    quint16 GetFrameTop() const { return frameTop; }
    // One animation tick of 100 ms: true when the shown frame changed. Needs the frame count to be made first.
    bool Step();

    QString GetSourceKey() const { return sourceKey; }
    QString GetDownloadURL() const { return downloadURL; }
    bool GetAsyncDownload() const { return asyncDownload; }
    void SetAsyncDownload(bool value) { asyncDownload = value; }

    std::function<void(THTMLPicture* sender)> OnFrameChange;

private:
    void setData(const QByteArray& bytes);
    void resetFrames();
    void decode();

    QByteArray data;
    QVector<GifFrame> gifFrames;
    bool empty = true;
    bool stretch = false;
    QImage decoded;
    int pixelsPerInchX = 96;
    int pixelsPerInchY = 96;
    QString downloadURL;
    QString sourceKey;
    bool asyncDownload = true;
    bool downloadStarted = false;
    int frame = 1;
    int frameCount = -1;
    quint16 frameLeft = 0;
    quint16 frameTop = 0;
    quint16 screenWidth = 0;
    quint16 screenHeight = 0;
    int frameEndTime = -1;
    int tickCount = -1;
};

// The pictures one control loaded by URL, found again by the URL exactly as written. Owns them.
class THTMLPictureCache
{
public:
    THTMLPicture* AddPicture();
    THTMLPicture* FindPicture(const QString& key) const;
    int Count() const { return int(pictures.size()); }
    THTMLPicture* GetPicture(int i) const { return pictures[size_t(i)].get(); }
    void ClearPictures() { pictures.clear(); }
    // Steps every picture; true when any of them shows another frame.
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> pictures;
};

class TPictureItem
{
public:
    THTMLPicture* GetPicture() { return &picture; }
    // Copies the picture.
    void SetPicture(const THTMLPicture* value) { picture.Assign(value); }
    void Assign(const TPictureItem& source);

    QString Name;
    int Tag = 0;

private:
    THTMLPicture picture;
};

class TPictureCollection
{
public:
    TPictureItem* Add();
    TPictureItem* Insert(int index);
    int Count() const { return int(items.size()); }
    TPictureItem* GetItem(int i) const { return items[size_t(i)].get(); }
    // Copies source into item i.
    void SetItem(int i, const TPictureItem& source) { items[size_t(i)]->Assign(source); }
    void Assign(const TPictureCollection& source);
    bool Animate();

private:
    std::vector<std::unique_ptr<TPictureItem>> items;
};

// Named pictures for markup: an IMG source without ":" is looked up here. Controls keep a QPointer to it.
class TPictureContainer : public QObject
{
    Q_OBJECT
public:
    explicit TPictureContainer(QObject* parent = nullptr);

    TPictureCollection& GetItems() { return items; }
    void SetItems(const TPictureCollection& value) { items.Assign(value); }
    // The first item whose name equals name ignoring case.
    virtual THTMLPicture* FindPicture(const QString& name);

private:
    TPictureCollection items;
};

enum TPicturePosition { bpTopLeft, bpTopRight, bpBottomLeft, bpBottomRight, bpCenter, bpTiled, bpStretched };

// Shows one picture at one of seven positions.
class THTMLImage : public QWidget
{
    Q_OBJECT
public:
    explicit THTMLImage(QWidget* parent = nullptr);

    THTMLPicture* GetHTMLPicture() { return &picture; }
    // Copies the picture.
    void SetHTMLPicture(const THTMLPicture* value);
    TPicturePosition GetPicturePosition() const { return picturePosition; }
    void SetPicturePosition(TPicturePosition value);
    // Takes the resolution of the screen the control is on for the picture's size.
    void Loaded();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Paint(TCanvas& canvas);

    THTMLPicture picture;
    TPicturePosition picturePosition = bpTopLeft;
};
