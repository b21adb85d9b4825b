// The toolkit's image list: equally sized pictures drawn by index. Controls keep a QPointer to a list they do not
// own (so a deleted list is forgotten) and listen to Change to repaint when its pictures change.
#pragma once

#include "Toolkit.h"

#include <QImage>
#include <QObject>
#include <QVector>

class TCanvas;

class TImageList : public QObject
{
    Q_OBJECT
public:
    explicit TImageList(QObject* parent = nullptr);
    TImageList(int width, int height, QObject* parent = nullptr);

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    // A new size empties the list.
    void SetWidth(int value) { SetSize(value, height); }
    void SetHeight(int value) { SetSize(width, value); }
    void SetSize(int newWidth, int newHeight);
    int Count() const { return int(images.size()); }

    // A picture wider than the list is cut into as many images as fit side by side, as the toolkit does with
    // strips of glyphs; each image is scaled to the list's size when its height differs. Returns the index of the
    // first image added, -1 when none was.
    int Add(const QImage& image);
    // The same, with every pixel of the mask colour made transparent.
    int AddMasked(const QImage& image, TColor maskColor);
    void Delete(int index);
    void Clear();
    // The picture at the index, of the list's size; a null image for an index out of range.
    QImage GetImage(int index) const;

    // Draws the picture at (x, y); a disabled one is drawn greyed. An index out of range draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

Q_SIGNALS:
    // After every change of the pictures or of the size.
    void Change();

private:
    int addPieces(const QImage& image);

    int width = 16;
    int height = 16;
    QVector<QImage> images;
};
