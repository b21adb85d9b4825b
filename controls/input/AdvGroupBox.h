// A group box that draws its own frame and caption: no frame, a single line or a double (etched) one, square or
// rounded, with the caption (and an optional image) broken into the frame at one of six places, over the parent's
// background or its own colour. Its children are aligned inside the frame, below or above the caption.
#pragma once

#include "Canvas.h"
#include "Forms.h"
#include "ImageList.h"

#include <QPointer>
#include <QWidget>

class TAdvCustomGroupBox : public QWidget, public TAlignHost
{
    Q_OBJECT
public:
    enum TBorderStyle { bsNone, bsSingle, bsDouble };
    enum TCaptionPosition { cpTopLeft, cpTopRight, cpTopCenter, cpBottomLeft, cpBottomRight, cpBottomCenter };

    explicit TAdvCustomGroupBox(QWidget* Owner = nullptr);

    // Plain text; "&" marks the accelerator letter, as on any group box.
    QString GetCaption() const { return caption; }
    void SetCaption(const QString& Value);
    const TFont& GetFont() const { return font; }
    void SetFont(const TFont& Value);
    TColor GetColor() const { return color; }
    void SetColor(TColor Value);
    bool GetCtl3D() const { return ctl3D; }
    void SetCtl3D(bool Value);

    bool GetTransparent() const { return transparent; }
    void SetTransparent(bool Value);
    TColor GetBorderColor() const { return borderColor; }
    void SetBorderColor(TColor Value);
    TBorderStyle GetBorderStyle() const { return borderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TCaptionPosition GetCaptionPosition() const { return captionPosition; }
    void SetCaptionPosition(TCaptionPosition Value);
    bool GetRoundEdges() const { return roundEdges; }
    void SetRoundEdges(bool Value);
    TImageList* GetImages() const { return images; }
    // Taking the list away resets ImageIndex to -1.
    void SetImages(TImageList* Value);
    int GetImageIndex() const { return imageIndex; }
    void SetImageIndex(int Value);

    QString GetVersion() const { return VersionNrText(GetVersionNr()); }
    void SetVersion(const QString&) {}
    virtual quint32 GetVersionNr() const { return 0x01000001; }

    int GetBorderWidth() const;
    void GetCaptionRect(TRect& R) const;
    int GetCaptionHeight() const;
    void GetBorderRect(TRect& R) const;
    // The area in which the children are aligned: inside the frame, clear of the caption.
    void AdjustClientRect(TRect& R) override;
    // AdjustClientRect of the whole client rectangle.
    TRect GetClientRect();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool hasCaptionContent() const;
    bool hasImage() const;
    bool isTopPosition() const { return captionPosition <= cpTopCenter; }
    void drawFrame(TCanvas& canvas, const TRect& BR);
    void relayout();

    QString caption;
    TFont font;
    TColor color = clBtnFace;
    bool ctl3D = true;
    bool transparent = true;
    TColor borderColor = clSilver;
    QPointer<TImageList> images;
    int imageIndex = -1;
    TBorderStyle borderStyle = bsSingle;
    TCaptionPosition captionPosition = cpTopLeft;
    bool roundEdges = false;
};

class TAdvGroupBox : public TAdvCustomGroupBox
{
    Q_OBJECT
public:
    explicit TAdvGroupBox(QWidget* Owner = nullptr);
};
