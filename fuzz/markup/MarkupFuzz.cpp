// The markup engine on arbitrary markup: measured with and without word wrap, painted, hit-tested on its own text,
// turned into plain text and highlighted. Highlighting and taking the highlight off again gives the markup back.
#include "Canvas.h"
#include "FuzzSupport.h"
#include "HTMLText.h"
#include "ImageList.h"
#include "PictureContainer.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

namespace {

struct Rendered
{
    bool hit = false;
    int width = 0;
    int height = 0;
};

// The canvas, list images and named pictures that markup may point at; no picture cache, so that an address
// in an IMG tag is never fetched.
struct Surface
{
    QImage image{240, 160, QImage::Format_ARGB32_Premultiplied};
    TCanvas canvas{&image};
    TImageList images{16, 16};
    TPictureContainer container;

    Surface()
    {
        canvas.Font.Name = QStringLiteral("DejaVu Sans");
        canvas.Font.SetSize(10);
        images.Add(QImage(16, 16, QImage::Format_ARGB32));
        QImage picture(20, 30, QImage::Format_ARGB32);
        picture.fill(Qt::green);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        buffer.close();
        buffer.open(QIODevice::ReadOnly);
        container.GetItems().Add()->Name = QStringLiteral("obraz");
        container.GetItems().GetItem(0)->GetPicture()->LoadFromStream(&buffer);
    }

    Rendered render(const QString& markup, bool hitTest, bool measure, bool wordWrap, TPoint point = {-1, -1})
    {
        Rendered r;
        QString anchor, plain, focused;
        int anchors = 0, number = -1;
        TRect hoverRect;
        r.hit = MarkupRender(&canvas, markup, Rect(0, 0, 240, 160), &images, point.X, point.Y, 0, 1, 1, hitTest,
                             measure, false, false, true, true, wordWrap, 1.0, clBlue, clRed, clWhite, clGray, anchor,
                             plain, focused, r.width, r.height, anchors, number, hoverRect, nullptr, &container, 0);
        return r;
    }
};

void checkHighlight(const QString& markup, const QString& visible)
{
    const QString tag = QStringLiteral("hi");
    // Taking the highlight off removes every tag of its name, so only markup without one comes back whole.
    if (markup.contains(QStringLiteral("<hi>"), Qt::CaseInsensitive) ||
        markup.contains(QStringLiteral("</hi>"), Qt::CaseInsensitive))
        return;
    for (const QString& search : {visible.left(1), visible.mid(visible.size() / 2, 3)}) {
        if (search.isEmpty())
            continue;
        for (const bool caseSensitive : {false, true}) {
            const QString highlighted = MarkupWrapMatches(markup, search, tag, caseSensitive);
            const QString back = MarkupUnwrapTag(highlighted, tag);
            FUZZ_CHECK(back == markup, markup + QStringLiteral("\n-> ") + highlighted + QStringLiteral("\n-> ") + back);
            int position = 0;
            MarkupFindNextMatch(search, visible, 0, position, caseSensitive);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    startApplication<QGuiApplication>("fuzz_markup");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Surface surface;
    const QString markup = inputText(data, size);

    const Rendered wrapped = surface.render(markup, false, true, true);
    surface.render(markup, false, true, false);
    surface.render(markup, false, false, true);
    surface.render(markup, true, false, true, {wrapped.width / 2, wrapped.height / 2});
    surface.render(markup, true, false, false, {5, 5});

    MarkupToPlainText(markup);
    const QString visible = MarkupRemoveTags(markup);
    const int length = int(visible.size());
    for (const int n : {1, length / 2, length, length + 1}) {
        const int position = MarkupPosOfVisibleChar(markup, n);
        FUZZ_CHECK(position >= 0 && position <= markup.size() + 1, QString::number(position));
    }
    checkHighlight(markup, visible);
    return 0;
}
