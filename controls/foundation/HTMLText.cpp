// The markup engine's entry and its line layout: runs of text between tags, wrapping, painting and hit-testing
// of runs. The tags are in HTMLTextTags.cpp, the pictures in HTMLTextPictures.cpp.
#include "HTMLText.h"
#include "HTMLTextRender.h"

#include <algorithm>
#include <cmath>

namespace markup {

namespace {

constexpr int maxPosition = 32767;
constexpr int maxPictureSize = 4096;

} // namespace

int scaleFrom96(int size, int dotsPerInch)
{
    return int((qint64(size) * dotsPerInch + 48) / 96);
}

int clampPosition(int value)
{
    return std::clamp(value, -maxPosition, maxPosition);
}

int clampPictureSize(int value)
{
    return std::clamp(value, 0, maxPictureSize);
}

Renderer::Renderer(const RenderCall& call) : call(call), canvas(call.canvas) {}

bool Renderer::run()
{
    baseFont = measureFont = drawFont = canvas.Font;
    initialBrush = canvas.Brush;
    setBrushColor(clNone);
    call.anchorCount = 0;
    call.markupHeight = 0;
    call.markupWidth = 0;
    call.plainText.clear();
    call.focusedHref.clear();
    call.anchorNumberAtPoint = -1;

    textFlags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS;
    // A spaced "&" is meant as text: then no "&" underlines the letter after it.
    prefixes = !call.markup.contains(QLatin1String(" & "));
    if (!prefixes)
        textFlags |= DT_NOPREFIX;
    if (!call.wordWrap)
        textFlags |= DT_END_ELLIPSIS;
    text = MarkupLineBreaksToTags(MarkupUnwrapHashTag(call.markup), true);

    bool result = false;
    int top = call.bounds.Top;
    qsizetype pos = 0;
    while (pos < text.size()) {
        canvas.Font = measureFont;
        m = Metrics{};
        m.height = m.baseHeight = textHeight();
        subscript = superscript = false;
        const Snapshot start = snapshot();
        const qsizetype lineStart = pos;

        const TRect lineRect = Rect(call.bounds.Left + 1, top, call.bounds.Right, call.bounds.Bottom);
        Line measuring{Pass::Measure, lineRect, lineRect};
        qsizetype markupEnd = pos;
        layoutLine(measuring, pos, text.size(), markupEnd);
        measureFont = canvas.Font;
        m.height += call.lineSpacing;

        if (!call.measureOnly) {
            restore(start);
            canvas.Font = drawFont;
            const TRect drawRect = alignedRect(lineRect, top);
            Line drawing{call.hitTestOnly ? Pass::HitTest : Pass::Paint, drawRect, drawRect};
            qsizetype replay = lineStart;
            qsizetype replayEnd = lineStart;
            layoutLine(drawing, replay, markupEnd, replayEnd);
            const int textBottom = drawRect.Bottom - m.textOffset;
            if ((drawing.textHit && call.pointY > textBottom - textHeight() && call.pointY < textBottom) ||
                drawing.pictureHit)
                result = true;
            drawFont = canvas.Font;
        }
        carriedOffset = ofsOffset;

        const int advance = m.height + m.subDepth + m.supHeight;
        top += advance;
        call.markupHeight += advance;
        if (!call.measureOnly && top + m.baseHeight > call.bounds.Bottom)
            break;
        if (pos == lineStart)
            break; // nothing could be laid out: never loop on the same text
    }

    if (call.markupHeight == 0)
        call.markupHeight = textHeight();
    canvas.Brush = initialBrush;
    canvas.Font = baseFont;
    return result;
}

Renderer::Snapshot Renderer::snapshot() const
{
    return Snapshot{inAnchor, href,   call.anchorCount, listLevel,  pictureCounter,
                    hidden,   shadow, subscript,        superscript};
}

void Renderer::restore(const Snapshot& s)
{
    inAnchor = s.inAnchor;
    href = s.href;
    call.anchorCount = s.anchorCount;
    listLevel = s.listLevel;
    pictureCounter = s.pictureCounter;
    hidden = s.hidden;
    shadow = s.shadow;
    subscript = s.subscript;
    superscript = s.superscript;
}

TRect Renderer::alignedRect(const TRect& lineRect, int top) const
{
    TRect r = lineRect;
    if (alignment == 1) {
        if (call.bounds.Right - m.width > r.Left)
            r.Left = call.bounds.Right - m.width;
    } else if (alignment == 2) {
        const int free = r.Right - r.Left - m.width;
        if (free > 0)
            r.Left += free / 2;
    }
    r.Left += indent;
    r.Bottom = top + m.height + m.subDepth + m.supHeight;
    return r;
}

void Renderer::layoutLine(Line& line, qsizetype& pos, qsizetype limit, qsizetype& markupEnd)
{
    m.width = 0;
    line.rect.Bottom -= m.subDepth; // room for subscripts below the base line
    line.work = line.rect;
    if (line.painting()) {
        line.work.Left += carriedOffset;
        if (paragraphFill && canvas.Brush.Style != bsClear) {
            canvas.Pen.Color = canvas.Brush.Color;
            canvas.FillRect(Rect(call.bounds.Left, line.rect.Top, call.bounds.Right, line.rect.Top + m.height));
        }
    }
    if (inAnchor) {
        // An anchor from an earlier line starts at this line's left edge.
        anchorStartWidth = 0;
        anchorStartTop = line.rect.Top;
    }

    markupEnd = pos;
    while (pos < limit && !line.done && !line.full) {
        const qsizetype runEnd = cutRun(pos, limit);
        if (runEnd > pos) {
            if (!takeRun(line, QStringView(text).mid(pos, runEnd - pos)))
                break;
            pos = markupEnd = runEnd;
            continue;
        }
        // A tag.
        if (limit - pos <= 2) {
            pos = limit;
            break;
        }
        const Tag tag(QStringView(text).mid(pos, limit - pos));
        handleTag(tag, line);
        if (line.full)
            break; // the tag starts the next line
        if (!tag.isClosed()) {
            pos = limit; // a tag without ">" ends the text
            break;
        }
        pos = markupEnd = pos + tag.text().size();
    }
    endLine(line);
}

qsizetype Renderer::cutRun(qsizetype pos, qsizetype limit) const
{
    for (qsizetype i = pos; i < limit; ++i) {
        const QChar c = text[i];
        if (c == u'<')
            return i;
        if (call.wordWrap && c == u' ')
            return i + 1;
    }
    return limit;
}

// Lays out one run; false when it does not fit and starts the next line.
bool Renderer::takeRun(Line& line, QStringView written)
{
    const DecodedRun run = decodeRun(written, prefixes);
    const FontFigures& font = fontFigures();
    const int h = canvas.Font.Orientation == 0 ? font.height : turnedRunHeight(run.drawn);
    if (subscript && m.subDepth < h / 4)
        m.subDepth = h / 4;
    if (superscript && m.supHeight < h / 4)
        m.supHeight = h / 4;
    m.height = std::max(m.height, h);
    if (hidden) {
        if (line.measuring())
            call.plainText += run.visible;
        return true;
    }

    const int w = line.painting() ? paintRun(line, run) : measureRun(line, run);
    if (line.measuring()) {
        const int available = line.rect.Width() - carriedOffset;
        // An over-long run stays on the line whatever it already holds; text glued to the run before it (a word
        // split by tags) is never moved apart from it.
        const bool fits = m.width < available || w >= available;
        const bool glued = !line.textEmpty && !line.textEndsWithSpace;
        if (!run.visible.isEmpty()) {
            line.textEmpty = false;
            line.textEndsWithSpace = run.visible.endsWith(u' ');
        }
        if (call.wordWrap && !fits && !glued) {
            m.width -= w;
            line.done = true;
            return false;
        }
        // Only a run that stays on the line counts, so that a run moved to the next line is not told twice.
        call.plainText += run.visible;
    }
    line.trailingSpace = run.visible.endsWith(u' ') && !run.entityReplaced ? font.spaceWidth : 0;
    return true;
}

int Renderer::measureRun(Line& line, const DecodedRun& run)
{
    TRect r = line.rect;
    canvas.DrawText(boundedForEllipsis(run.drawn, r.Width()), r, textFlags | DT_CALCRECT);
    const int w = r.Width();
    m.width += w;
    const int x = call.pointX - line.rect.Left;
    if (inAnchor && x >= m.width - w && x <= m.width) {
        line.textHit = true;
        if (call.pointY > line.rect.Top) {
            call.anchorAtPoint = href;
            pointInAnchor = true;
        }
    }
    return w;
}

int Renderer::paintRun(Line& line, const DecodedRun& run)
{
    TRect& work = line.work;
    work.Bottom = line.rect.Bottom - m.textOffset;
    if (superscript)
        work.Bottom -= m.supHeight;
    if (subscript)
        work.Bottom += m.subDepth;
    const QString drawn = boundedForEllipsis(run.drawn, work.Width());
    if (shadow) {
        const TColor color = canvas.Font.Color;
        canvas.Font.Color = call.shadowColor;
        TRect s = work;
        s.Left += call.shadowOffset;
        s.Right += call.shadowOffset;
        s.Top += call.shadowOffset;
        s.Bottom += call.shadowOffset;
        canvas.DrawText(drawn, s, textFlags);
        canvas.Font.Color = color;
    }
    TRect r = work;
    canvas.DrawText(drawn, r, textFlags);
    TRect extent = work;
    canvas.DrawText(drawn, extent, textFlags | DT_CALCRECT);
    const int w = extent.Width();
    m.width += w;
    if (inAnchor && call.anchorCount - 1 == call.focusIndex)
        call.focusedHref = href;
    if (errorUnderline)
        drawErrorUnderline(work.Left, work.Left + w, line.rect.Bottom);
    work.Left += w;
    work.Bottom = line.rect.Bottom;
    return w;
}

// An ellipsis keeps only what fits the width, so a long run is cut to a part that still overflows it before the
// text routine shortens it character by character. A prefix twice as wide as the width still overflows after
// "&&" pairs have turned into single characters.
QString Renderer::boundedForEllipsis(const QString& drawn, int width) const
{
    constexpr qsizetype shortRun = 64;
    if (!(textFlags & DT_END_ELLIPSIS) || drawn.size() <= shortRun)
        return drawn;
    for (qsizetype n = shortRun; n < drawn.size(); n *= 2) {
        const QString head = drawn.left(n);
        if (canvas.TextWidth(head) > 2 * std::max(width, 0) + 1)
            return head;
    }
    return drawn;
}

// A red zig-zag whose phase follows x, so that neighbouring runs join into one wave.
void Renderer::drawErrorUnderline(int left, int right, int bottom)
{
    int x = left - left % 2;
    int phase = x % 4 == 0 ? 2 : 0;
    canvas.Pen.Color = clRed;
    canvas.Pen.Width = 1;
    canvas.MoveTo(x, bottom + phase - 1);
    while (x < right) {
        phase = 2 - phase;
        canvas.LineTo(x + 2, bottom + phase - 1);
        x += 2;
    }
}

void Renderer::endLine(Line& line)
{
    m.width -= line.trailingSpace;
    if (m.width > call.markupWidth)
        call.markupWidth = m.width + 2;
    if (line.painting() && inAnchor && call.anchorCount - 1 == call.focusIndex) {
        // The part of a focused anchor on this line gets its own rectangle; the next part starts a new one.
        focusRect.Right = line.work.Left + 1;
        focusRect.Bottom = line.work.Bottom;
        focusRect.Left -= 1;
        canvas.DrawFocusRect(focusRect);
        focusRect.Left = line.rect.Left + 1;
        focusRect.Top = focusRect.Bottom;
    }
}

TColor Renderer::brushColor() const
{
    return canvas.Brush.Style == bsClear ? clNone : canvas.Brush.Color;
}

// clNone stands for a clear brush: text on it is drawn transparently.
void Renderer::setBrushColor(TColor color)
{
    if (color == clNone) {
        canvas.Brush.Style = bsClear;
        return;
    }
    canvas.Brush.Color = color;
    canvas.Brush.Style = bsSolid;
}

void Renderer::setStyle(int style, bool on)
{
    canvas.Font.Style = on ? (canvas.Font.Style | style) : (canvas.Font.Style & ~style);
}

// A turned run stands as tall as its turned box, which its text decides.
int Renderer::turnedRunHeight(const QString& drawn)
{
    TRect box = Rect(0, 0, 0, 0);
    canvas.DrawText(drawn, box, (textFlags & ~DT_END_ELLIPSIS) | DT_CALCRECT);
    return box.Height();
}

int Renderer::textHeight() const
{
    return canvas.TextHeight(QStringLiteral("gh"));
}

// Runs are many and fonts change only at tags: the figures of one font are measured once.
const Renderer::FontFigures& Renderer::fontFigures()
{
    if (!figures || !(figures->font == canvas.Font))
        figures = FontFigures{canvas.Font, canvas.TextHeight(QString()), canvas.TextWidth(QStringLiteral(" "))};
    return *figures;
}

} // namespace markup

bool MarkupRender(TCanvas* Canvas, const QString& Markup, const TRect& Bounds, TImageList* Images, int PointX,
                  int PointY, int FocusIndex, int HoverNumber, int ShadowOffset, bool HitTestOnly, bool MeasureOnly,
                  bool ScaleImages, bool KeepColors, bool BlinkVisible, bool HoverEnabled, bool WordWrap,
                  double ScaleFactor, TColor URLColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor,
                  QString& AnchorAtPoint, QString& PlainText, QString& FocusedHref, int& MarkupWidth, int& MarkupHeight,
                  int& AnchorCount, int& AnchorNumberAtPoint, TRect& HoverRect, THTMLPictureCache* PictureCache,
                  TPictureContainer* PictureContainer, int LineSpacing)
{
    const markup::RenderCall call{
        *Canvas,       Markup,       Bounds,           Images,      PointX,       PointY,         FocusIndex,
        HoverNumber,   ShadowOffset, HitTestOnly,      MeasureOnly, ScaleImages,  KeepColors,     BlinkVisible,
        HoverEnabled,  WordWrap,     ScaleFactor,      URLColor,    HoverColor,   HoverFontColor, ShadowColor,
        AnchorAtPoint, PlainText,    FocusedHref,      MarkupWidth, MarkupHeight, AnchorCount,    AnchorNumberAtPoint,
        HoverRect,     PictureCache, PictureContainer, LineSpacing};
    return markup::Renderer(call).run();
}

bool MarkupRenderDefault(TCanvas* Canvas, const QString& Markup, const TRect& Bounds, TImageList* Images, int PointX,
                         int PointY, bool HitTestOnly, bool MeasureOnly, bool ScaleImages, bool KeepColors,
                         bool BlinkVisible, double ScaleFactor, TColor URLColor, QString& AnchorAtPoint,
                         QString& PlainText, int& MarkupWidth, int& MarkupHeight)
{
    QString focusedHref;
    int anchorCount = 0;
    int anchorNumberAtPoint = -1;
    TRect hoverRect;
    return MarkupRender(Canvas, Markup, Bounds, Images, PointX, PointY, -1, -1, 1, HitTestOnly, MeasureOnly,
                        ScaleImages, KeepColors, BlinkVisible, false, false, ScaleFactor, URLColor, clNone, clNone,
                        clGray, AnchorAtPoint, PlainText, focusedHref, MarkupWidth, MarkupHeight, anchorCount,
                        anchorNumberAtPoint, hoverRect, nullptr, nullptr, 0);
}
