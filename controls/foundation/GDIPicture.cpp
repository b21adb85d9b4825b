#include "GDIPicture.h"

#include "Canvas.h"
#include "GdiPlus.h"

#include <QBuffer>
#include <QFile>

void TGDIPPicture::Assign(const TGraphic* source)
{
    empty = true;
    if (!source) {
        bytes.clear();
        Changed();
        if (OnClear)
            OnClear(this);
        return;
    }
    if (const auto* picture = dynamic_cast<const TGDIPPicture*>(source)) {
        bytes = picture->bytes;
        empty = bytes.isEmpty();
        Changed();
    } else if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        bitmap->SaveToStream(&buffer);
        bytes = buffer.data();
        empty = false;
        Changed();
    }
    GetImageSizes();
}

void TGDIPPicture::Draw(TCanvas& canvas, const TRect& rect)
{
    if (empty || bytes.isEmpty())
        return;
    TGPImage image(bytes);
    if (image.GetFormat() == ifBMP) {
        TBitmap bitmap;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        bitmap.LoadFromStream(&buffer);
        bitmap.SetTransparentMode(tmAuto);
        bitmap.SetTransparent(true);
        canvas.Draw(rect.Left, rect.Top, &bitmap);
        return;
    }
    width = int(image.GetWidth());
    height = int(image.GetHeight());
    TGPGraphics graphics(canvas);
    graphics.DrawImageRect(&image, rect.Left, rect.Top, rect.Width(), rect.Height());
}

bool TGDIPPicture::GetImageSizes()
{
    if (empty || bytes.isEmpty())
        return false;
    TGPImage image(bytes);
    width = int(image.GetWidth());
    height = int(image.GetHeight());
    return true;
}

void TGDIPPicture::LoadFromFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        empty = true;
        return;
    }
    bytes = file.readAll();
    empty = false;
    if (OnClear)
        OnClear(this);
    GetImageSizes();
    Changed();
}

void TGDIPPicture::LoadFromStream(QIODevice* stream)
{
    if (!stream)
        return;
    bytes = ReadWholeStream(stream);
    empty = false;
    GetImageSizes();
    Changed();
}

void TGDIPPicture::ReadData(QIODevice* stream)
{
    if (!stream)
        return;
    bytes = ReadWholeStream(stream);
    empty = false;
}

void TGDIPPicture::SaveToStream(QIODevice* stream) const
{
    if (stream)
        stream->write(bytes);
}

void TGDIPPicture::LoadFromResourceName(const QString& name)
{
    LoadFromProgramResource(*this, name);
}

void TGDIPPicture::LoadFromResourceID(int id)
{
    LoadFromProgramResourceID(*this, id);
}

void TGDIPPicture::LoadFromURL(const QString& address)
{
    LoadFromPictureAddress(*this, ParsePictureAddress(address));
}
