#include "AdvPicture.h"

#include "Canvas.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPaintEvent>
#include <QTimer>
#include <cmath>

namespace {

// One hundredth of a second: the unit of GIF delays, so that one tick counts one unit.
constexpr int animationTick = 10;
// Every image is kept decoded, and a GIF's come each at the size of its logical screen: a few kilobytes of
// one-pixel frames on a large screen would otherwise take gigabytes. A picture needing more is refused.
constexpr qint64 maxDecodedBytes = qint64(256) * 1024 * 1024;

} // namespace

void TIPicture::LoadFromFile(const QString& fileName)
{
    try {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly))
            throw Exception(QStringLiteral("Cannot open file \"%1\"").arg(fileName));
        takeData(file.readAll());
        if (OnClear)
            OnClear(this);
        Changed();
    } catch (const std::exception&) {
        setData(QByteArray());
        empty = true;
    }
}

void TIPicture::LoadFromStream(QIODevice* stream)
{
    if (!stream)
        return;
    takeData(ReadWholeStream(stream));
    Changed();
}

void TIPicture::SaveToStream(QIODevice* stream) const
{
    if (stream)
        stream->write(data);
}

void TIPicture::ReadData(QIODevice* stream)
{
    if (!stream)
        return;
    setData(ReadWholeStream(stream));
    empty = false;
    LoadPicture();
}

void TIPicture::LoadFromResourceName(const QString& name)
{
    LoadFromProgramResource(*this, name);
}

void TIPicture::LoadFromResourceID(int id)
{
    LoadFromProgramResourceID(*this, id);
}

void TIPicture::LoadFromURL(const QString& address)
{
    const PictureAddress parsed = ParsePictureAddress(address);
    if (parsed.kind == PictureAddress::Other)
        return;
    url = address;
    LoadFromPictureAddress(*this, parsed);
}

void TIPicture::Assign(const TGraphic* source)
{
    const auto* other = dynamic_cast<const TIPicture*>(source);
    const bool copies = other && !other->data.isEmpty();
    setData(copies ? other->data : QByteArray());
    empty = !copies;
    if (copies) {
        LoadPicture();
        Changed();
    } else if (!source || other) {
        Changed();
        if (OnClear)
            OnClear(this);
    }
}

void TIPicture::Draw(TCanvas& canvas, const TRect& rect)
{
    if (GetEmpty())
        return;
    QPainter& painter = canvas.Painter();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Double-buffered, the picture's transparent parts show its background colour instead of what lies below.
    if (doubleBuffered)
        painter.fillRect(ToQRect(rect), ToQColor(backgroundColor));
    painter.drawImage(ToQRect(rect), current);
    painter.restore();
}

bool TIPicture::GetEmpty() const
{
    return empty || current.isNull();
}

int TIPicture::GetWidth() const
{
    return current.isNull() ? 0 : MulDiv(current.width(), pixelsPerInchX, 96);
}

int TIPicture::GetHeight() const
{
    return current.isNull() ? 0 : MulDiv(current.height(), pixelsPerInchY, 96);
}

int TIPicture::GetMaxWidth() const
{
    if (current.isNull())
        return 0;
    return logicalScreen.width() > 0 ? logicalScreen.width() : GetWidth();
}

int TIPicture::GetMaxHeight() const
{
    if (current.isNull())
        return 0;
    return logicalScreen.height() > 0 ? logicalScreen.height() : GetHeight();
}

void TIPicture::SetPixelsPerInch(int x, int y)
{
    pixelsPerInchX = x;
    pixelsPerInchY = y;
}

bool TIPicture::IsGIFFile() const
{
    return isGifData(data);
}

int TIPicture::GetFrameCount() const
{
    return IsGIFFile() ? int(gifFrames.size()) : -1;
}

int TIPicture::GetFrameTime(int n)
{
    if (!IsGIFFile() || n < 1 || n > gifFrames.size())
        return -1;
    const GifFrame& asked = gifFrames[n - 1];
    transparent = asked.transparent;
    disposal = asked.disposal;
    return asked.delay;
}

void TIPicture::SetFrame(int n)
{
    frame = n;
    if (data.isEmpty())
        return;
    selectFrame();
    if (OnFrameChange)
        OnFrameChange(this);
}

void TIPicture::takeData(const QByteArray& bytes)
{
    setData(bytes);
    empty = false;
    frame = 1;
    LoadPicture();
}

// Everything read from the former data goes with it.
void TIPicture::setData(const QByteArray& bytes)
{
    data = bytes;
    gifFrames = scanGifFrames(data);
    logicalScreen = gifFrames.isEmpty() ? QSize() : gifLogicalScreen(data);
    images.clear();
    current = QImage();
    selectedFrame = GifFrame{};
    transparent = false;
    disposal = GifFrame::Unspecified;
}

void TIPicture::LoadPicture()
{
    images.clear();
    current = QImage();
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!reader.canRead())
        throw Exception(QStringLiteral("Could not load image. Invalid format"));
    // A GIF's frames tell before any decoding that its screens, four bytes a pixel, would not fit.
    const qint64 screenBytes = qint64(logicalScreen.width()) * logicalScreen.height() * 4;
    if (!gifFrames.isEmpty() && screenBytes * (gifFrames.last().image + 1) > maxDecodedBytes)
        throw Exception(QStringLiteral("Could not load image"));
    // A GIF's images come one after the other, each composed onto the logical screen by the reader; a cut-off
    // image ends the list.
    qint64 decodedBytes = 0;
    for (QImage image = reader.read(); !image.isNull(); image = reader.read()) {
        decodedBytes += image.sizeInBytes();
        if (decodedBytes > maxDecodedBytes) {
            images.clear();
            throw Exception(QStringLiteral("Could not load image"));
        }
        images.append(image);
    }
    if (images.isEmpty())
        throw Exception(QStringLiteral("Could not load image"));
    selectFrame();
}

void TIPicture::selectFrame()
{
    selectedFrame = GifFrame{};
    int image = 0;
    if (frame >= 1 && !gifFrames.isEmpty()) {
        if (frame <= gifFrames.size()) {
            selectedFrame = gifFrames[frame - 1];
            image = selectedFrame.image;
        } else {
            image = -1; // no such frame: nothing to show
        }
    }
    current = image >= 0 ? images.value(image) : QImage();
}

TAdvPicture::TAdvPicture(QWidget* parent) : QWidget(parent)
{
    resize(100, 100);
    picture.OnChange = [this](TGraphic*) { PictureChanged(); };
    picture.OnFrameChange = [this](TIPicture*) { FrameChanged(); };
    picture.OnClear = [this](TIPicture*) { PictureCleared(); };
}

void TAdvPicture::SetIPicture(const TIPicture* value)
{
    picture.Assign(value);
    update();
}

void TAdvPicture::SetPicturePosition(TPicturePosition value)
{
    if (value == picturePosition)
        return;
    picturePosition = value;
    update();
}

void TAdvPicture::SetStretchMode(TStretchMode value)
{
    if (value == stretchMode)
        return;
    stretchMode = value;
    update();
}

void TAdvPicture::SetAutoSizeP(bool value)
{
    autoSize = value;
    if (autoSize && !picture.GetEmpty())
        resize(picture.GetWidth(), picture.GetHeight());
}

void TAdvPicture::SetAnimate(bool value)
{
    if (value == animate)
        return;
    animate = value;
    if (!animate) {
        delete timer;
        return;
    }
    tickCount = 0;
    nextSwitchTick = 0;
    timer = new QTimer(this);
    timer->setInterval(animationTick);
    connect(timer, &QTimer::timeout, this, &TAdvPicture::Timer);
    timer->start();
}

void TAdvPicture::Loaded()
{
    picture.SetPixelsPerInch(logicalDpiX(), logicalDpiY());
    if (!picture.GetEmpty())
        animated = picture.IsGIFFile() && picture.GetFrameCount() > 1;
}

void TAdvPicture::Timer()
{
    if (!animated)
        return;
    // At or after the switch tick, so that a frame without delay is shown for one tick and left.
    if (tickCount >= nextSwitchTick) {
        const int frame = picture.GetFrame();
        picture.SetFrame(frame >= 0 && frame < picture.GetFrameCount() ? frame + 1 : 1);
        nextSwitchTick += picture.GetFrameTime(picture.GetFrame());
    }
    ++tickCount;
}

void TAdvPicture::PictureChanged()
{
    const bool loaded = !picture.GetEmpty();
    if (autoSize && loaded)
        SetAutoSizeP(true);
    animated = loaded && picture.IsGIFFile() && picture.GetFrameCount() > 1;
    if (loaded)
        picture.SetFrame(0);
}

void TAdvPicture::PictureCleared()
{
    clearing = true;
    repaint();
    clearing = false;
}

// The disposal read last is the one of the frame just left: a frame that restores the background has the
// parent's background painted under the control before the new frame.
void TAdvPicture::FrameChanged()
{
    if (picture.GetDisposal() == GifFrame::RestoreBackground)
        update();
    else
        repaint();
    if (OnFrameChange)
        OnFrameChange(this);
}

void TAdvPicture::paintEvent(QPaintEvent*)
{
    TCanvas canvas(this);
    Paint(canvas);
}

void TAdvPicture::Paint(TCanvas& canvas)
{
    const int W = width();
    const int H = height();
    if (clearing || picture.GetEmpty() || W <= 0 || H <= 0)
        return;
    const int mw = picture.GetMaxWidth();
    const int mh = picture.GetMaxHeight();
    switch (picturePosition) {
    case bpTiled:
        if (mw <= 0 || mh <= 0)
            return;
        for (int y = 0; y < H; y += mh) {
            for (int x = 0; x < W; x += mw)
                canvas.Draw(x, y, &picture);
        }
        return;
    case bpStretched:
        if (mh <= 0)
            return;
        canvas.StretchDraw(Rect(0, -1, W, H + int(std::nearbyint(double(H) / mh)) + 1), &picture);
        return;
    case bpStretchedWithAspect: {
        if (mw <= 0 || mh <= 0)
            return;
        const double rx = double(mw) / W;
        const double ry = double(mh) / H;
        canvas.StretchDraw(rx > ry ? Rect(0, 0, W, int(mh / rx)) : Rect(0, 0, int(mw / ry), H), &picture);
        return;
    }
    default:
        break;
    }

    // The size that fits the control, aspect kept, for smShrink; smNever places the picture at its own size.
    int w = mw;
    int h = mh;
    const double rx = double(mw) / W;
    const double ry = double(mh) / H;
    if (stretchMode == smShrink && (rx > 1 || ry > 1)) {
        if (rx > ry) {
            w = W;
            h = int(mh / rx);
        } else {
            w = int(mw / ry);
            h = H;
        }
    }
    const int freeWidth = qMax(0, W - w);
    const int freeHeight = qMax(0, H - h);
    int x = 0;
    int y = 0;
    switch (picturePosition) {
    case bpTopRight:
        x = freeWidth;
        break;
    case bpBottomLeft:
        y = freeHeight;
        break;
    case bpBottomRight:
        x = freeWidth;
        y = freeHeight;
        break;
    case bpCenter:
        x = freeWidth / 2;
        y = freeHeight / 2;
        break;
    default:
        break;
    }
    if (stretchMode == smShrink)
        canvas.StretchDraw(Rect(x, y, x + w, y + h), &picture);
    else
        canvas.Draw(x, y, &picture);
}
