#include "PictureContainer.h"

#include "Canvas.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPaintEvent>
#include <QVector>

namespace {

// The image at index of the data (a GIF frame comes composed onto the logical screen); null when it does not
// decode.
QImage decodeImage(const QByteArray& data, int index)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage image;
    for (int i = 0; i <= index; ++i) {
        if (!reader.read(&image))
            return QImage();
    }
    return image;
}

} // namespace

THTMLPicture::THTMLPicture() = default;

void THTMLPicture::LoadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setData(QByteArray());
        empty = true;
        decoded = QImage();
        return;
    }
    LoadFromStream(&file);
}

void THTMLPicture::LoadFromStream(QIODevice* stream)
{
    if (!stream)
        return;
    setData(ReadWholeStream(stream));
    empty = false;
    decode();
    Changed();
}

void THTMLPicture::SaveToStream(QIODevice* stream) const
{
    if (stream)
        stream->write(data);
}

void THTMLPicture::LoadFromResourceName(const QString& name)
{
    QFile resource(QStringLiteral(":/") + name);
    if (resource.open(QIODevice::ReadOnly))
        LoadFromStream(&resource);
}

void THTMLPicture::LoadFromURL(const QString& url)
{
    const PictureAddress address = ParsePictureAddress(url);
    if (address.kind != PictureAddress::Other) {
        sourceKey = url;
        if (address.rest.isEmpty())
            return;
        if (address.kind == PictureAddress::Resource)
            LoadFromResourceName(address.rest);
        else
            LoadFromFile(address.rest);
    } else if (!asyncDownload) {
        downloadURL = url;
        sourceKey = url;
    } else if (!downloadStarted) {
        // Pictures of other addresses are never fetched; the address is kept and later attempts do nothing.
        downloadURL = url;
        downloadStarted = true;
    }
}

void THTMLPicture::Assign(const TGraphic* source)
{
    const auto* picture = dynamic_cast<const THTMLPicture*>(source);
    setData(picture ? picture->data : QByteArray());
    empty = true;
    decoded = QImage();
    if (!picture)
        return;
    stretch = picture->stretch;
    frame = picture->frame;
    sourceKey = picture->sourceKey;
    empty = false;
    decode();
    Changed();
}

void THTMLPicture::Draw(TCanvas& canvas, const TRect& rect)
{
    if (GetEmpty())
        return;
    QPainter& painter = canvas.Painter();
    if (stretch) {
        painter.drawImage(ToQRect(rect), decoded);
        return;
    }
    const QPaintDevice* device = painter.device();
    const int width = MulDiv(decoded.width(), device->logicalDpiX(), 96);
    const int height = MulDiv(decoded.height(), device->logicalDpiY(), 96);
    painter.drawImage(QRect(rect.Left, rect.Top, width, height), decoded);
}

bool THTMLPicture::GetEmpty() const
{
    return empty || decoded.isNull();
}

int THTMLPicture::GetWidth() const
{
    return decoded.isNull() ? 0 : MulDiv(decoded.width(), pixelsPerInchX, 96);
}

int THTMLPicture::GetHeight() const
{
    return decoded.isNull() ? 0 : MulDiv(decoded.height(), pixelsPerInchY, 96);
}

int THTMLPicture::GetMaxWidth() const
{
    if (decoded.isNull())
        return 0;
    return screenWidth != 0 ? screenWidth : GetWidth();
}

int THTMLPicture::GetMaxHeight() const
{
    if (decoded.isNull())
        return 0;
    return screenHeight != 0 ? screenHeight : GetHeight();
}

void THTMLPicture::SetPixelsPerInch(int x, int y)
{
    pixelsPerInchX = x;
    pixelsPerInchY = y;
}

bool THTMLPicture::IsGIFFile() const
{
    return isGifData(data);
}

int THTMLPicture::GetFrameCount()
{
    if (frameCount != -1)
        return frameCount;
    if (!IsGIFFile())
        return -1;
    frameCount = int(gifFrames.size());
    return frameCount;
}

int THTMLPicture::GetFrameTime(int n) const
{
    if (!IsGIFFile())
        return -1;
    return n >= 1 && n <= gifFrames.size() ? gifFrames[n - 1].delay : -1;
}

void THTMLPicture::SetFrame(int n)
{
    frame = n;
    if (data.isEmpty())
        return;
    decode();
    if (OnFrameChange)
        OnFrameChange(this);
}

void THTMLPicture::FrameNext()
{
    SetFrame(frame >= GetFrameCount() ? 1 : frame + 1);
}

void THTMLPicture::FramePrev()
{
    SetFrame(frame < 2 ? GetFrameCount() : frame - 1);
}

bool THTMLPicture::Step()
{
    if (frameCount < 2 || GetEmpty())
        return false;
    if (frameEndTime == -1)
        frameEndTime = GetFrameTime(frame);
    bool changed = false;
    if (tickCount * 10 >= frameEndTime) {
        frame = frame >= frameCount ? 1 : frame + 1;
        decode();
        frameEndTime += GetFrameTime(frame);
        changed = true;
    }
    ++tickCount;
    return changed;
}

// New data starts at its first frame, counted afresh: frame state kept from other data would show frames that
// are not there.
void THTMLPicture::setData(const QByteArray& bytes)
{
    data = bytes;
    gifFrames = scanGifFrames(data);
    resetFrames();
}

void THTMLPicture::resetFrames()
{
    frame = 1;
    frameCount = -1;
    frameEndTime = -1;
    tickCount = -1;
}

void THTMLPicture::decode()
{
    frameLeft = frameTop = 0;
    screenWidth = screenHeight = 0;
    int image = 0;
    if (IsGIFFile() && GetFrameCount() > 0) {
        const QVector<GifFrame>& frames = gifFrames;
        const QSize screen = gifLogicalScreen(data);
        screenWidth = quint16(screen.width());
        screenHeight = quint16(screen.height());
        if (frame >= 1 && frame <= frames.size()) {
            frameLeft = frames[frame - 1].left;
            frameTop = frames[frame - 1].top;
        }
        if (frame > frames.size())
            image = -1; // no such frame: nothing to show
        else if (frame > 1)
            image = frames[frame - 1].image;
    }
    decoded = image < 0 ? QImage() : decodeImage(data, image);
}

THTMLPicture* THTMLPictureCache::AddPicture()
{
    pictures.push_back(std::make_unique<THTMLPicture>());
    return pictures.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const QString& key) const
{
    for (const auto& picture : pictures) {
        if (picture->GetSourceKey() == key)
            return picture.get();
    }
    return nullptr;
}

bool THTMLPictureCache::Animate()
{
    bool changed = false;
    for (const auto& picture : pictures)
        changed = picture->Step() || changed;
    return changed;
}

void TPictureItem::Assign(const TPictureItem& source)
{
    Name = source.Name;
    Tag = source.Tag;
    picture.Assign(&source.picture);
}

TPictureItem* TPictureCollection::Add()
{
    items.push_back(std::make_unique<TPictureItem>());
    return items.back().get();
}

TPictureItem* TPictureCollection::Insert(int index)
{
    const auto at = items.begin() + std::clamp<qsizetype>(index, 0, qsizetype(items.size()));
    return items.insert(at, std::make_unique<TPictureItem>())->get();
}

void TPictureCollection::Assign(const TPictureCollection& source)
{
    if (&source == this)
        return;
    items.clear();
    for (const auto& item : source.items)
        Add()->Assign(*item);
}

bool TPictureCollection::Animate()
{
    bool changed = false;
    for (const auto& item : items)
        changed = item->GetPicture()->Step() || changed;
    return changed;
}

TPictureContainer::TPictureContainer(QObject* parent) : QObject(parent) {}

THTMLPicture* TPictureContainer::FindPicture(const QString& name)
{
    for (int i = 0; i < items.Count(); ++i) {
        TPictureItem* item = items.GetItem(i);
        if (item->Name.compare(name, Qt::CaseInsensitive) == 0)
            return item->GetPicture();
    }
    return nullptr;
}

THTMLImage::THTMLImage(QWidget* parent) : QWidget(parent)
{
    resize(100, 100);
    picture.OnChange = [this](TGraphic*) { update(); };
}

void THTMLImage::SetHTMLPicture(const THTMLPicture* value)
{
    picture.Assign(value);
    update();
}

void THTMLImage::SetPicturePosition(TPicturePosition value)
{
    if (value == picturePosition)
        return;
    picturePosition = value;
    update();
}

void THTMLImage::Loaded()
{
    picture.SetPixelsPerInch(logicalDpiX(), logicalDpiY());
}

void THTMLImage::paintEvent(QPaintEvent*)
{
    TCanvas canvas(this);
    Paint(canvas);
}

void THTMLImage::Paint(TCanvas& canvas)
{
    if (picture.GetEmpty())
        return;
    const int pw = picture.GetWidth();
    const int ph = picture.GetHeight();
    const int w = width();
    const int h = height();
    const int right = qMax(0, w - pw);
    const int bottom = qMax(0, h - ph);
    switch (picturePosition) {
    case bpTopLeft:
        canvas.Draw(0, 0, &picture);
        break;
    case bpTopRight:
        canvas.Draw(right, 0, &picture);
        break;
    case bpBottomLeft:
        canvas.Draw(0, bottom, &picture);
        break;
    case bpBottomRight:
        canvas.Draw(right, bottom, &picture);
        break;
    case bpCenter:
        canvas.Draw(right / 2, bottom / 2, &picture);
        break;
    case bpTiled:
        if (pw <= 0 || ph <= 0)
            break;
        for (int y = 0; y < h; y += ph) {
            for (int x = 0; x < w; x += pw)
                canvas.Draw(x, y, &picture);
        }
        break;
    case bpStretched: {
        const bool natural = !picture.GetStretch();
        picture.SetStretch(true);
        canvas.StretchDraw(Rect(0, 0, w, h), &picture);
        picture.SetStretch(!natural);
        break;
    }
    }
}
