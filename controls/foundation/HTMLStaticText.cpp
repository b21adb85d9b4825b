// The static text's properties, its painting, its size and its timer. Keys and the mouse: HTMLStaticTextInput.cpp.
#include "HTMLStaticText.h"

#include "HTMLText.h"

#include <QEvent>

namespace {

constexpr int timerInterval = 100; // ms
// Blinking text changes every fifth tick.
constexpr int blinkTicks = 5;
// Room the engine's layout leaves around an auto-sized text.
constexpr int autoSizeMargin = 6;
// An edge moved this far out never limits the text.
constexpr int unlimited = 65535;
constexpr quint32 versionNr = 0x01020001;

void shrink(TRect& r, int by)
{
    r.Left += by;
    r.Top += by;
    r.Right -= by;
    r.Bottom -= by;
}

void offsetRect(TRect& r, int dx, int dy)
{
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

} // namespace

THTMLStaticText::THTMLStaticText(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    resize(100, 20);
    timer.setInterval(timerInterval);
    connect(&timer, &QTimer::timeout, this, &THTMLStaticText::TimerTick);
}

void THTMLStaticText::SetHTMLText(const QStringList& value)
{
    if (value == htmlText)
        return;
    htmlText = value;
    HTMLChanged();
}

QString THTMLStaticText::GetText() const
{
    return MarkupToPlainText(GetDisplText());
}

// The anchors of a new text are other ones; the pictures loaded so far stay cached.
void THTMLStaticText::HTMLChanged()
{
    focusAnchor = -1;
    hoverAnchor = -1;
    changed();
}

void THTMLStaticText::changed()
{
    updateAutoSize();
    update();
}

void THTMLStaticText::SetFont(const TFont& value)
{
    font = value;
    changed();
}

void THTMLStaticText::SetColor(TColor value)
{
    color = value;
    update();
}

void THTMLStaticText::SetBevelInner(TBevelCut value)
{
    bevelInner = value;
    changed();
}

void THTMLStaticText::SetBevelOuter(TBevelCut value)
{
    bevelOuter = value;
    changed();
}

void THTMLStaticText::SetBevelWidth(int value)
{
    bevelWidth = value;
    changed();
}

void THTMLStaticText::SetBorderWidth(int value)
{
    borderWidth = value;
    changed();
}

void THTMLStaticText::SetBorderStyle(TBorderStyle value)
{
    borderStyle = value;
    changed();
}

void THTMLStaticText::SetAutoSizing(bool value)
{
    autoSizing = value;
    changed();
}

void THTMLStaticText::SetAutoSizeType(TAutoSizeType value)
{
    autoSizeType = value;
    changed();
}

void THTMLStaticText::SetVAlignment(TVAlignment value)
{
    if (value == vAlignment)
        return;
    vAlignment = value;
    // Only a text placed at the top scrolls; the offset stays for when it is switched on again.
    if (value != tvaTop)
        miniScroll = false;
    updateTimer();
    update();
}

void THTMLStaticText::SetEllipsis(bool value)
{
    if (value == ellipsis)
        return;
    ellipsis = value;
    changed();
}

void THTMLStaticText::SetURLColor(TColor value)
{
    if (value == urlColor)
        return;
    urlColor = value;
    update();
}

void THTMLStaticText::SetHover(bool value)
{
    if (value == hover)
        return;
    hover = value;
    update();
}

void THTMLStaticText::SetShadowColor(TColor value)
{
    shadowColor = value;
    update();
}

void THTMLStaticText::SetShadowOffset(int value)
{
    shadowOffset = value;
    update();
}

void THTMLStaticText::SetEnableBlink(bool value)
{
    enableBlink = value;
    updateTimer();
}

void THTMLStaticText::SetAutoScroll(bool value)
{
    autoScroll = value;
    updateTimer();
}

void THTMLStaticText::SetMiniScroll(bool value)
{
    if (value == miniScroll)
        return;
    if (value)
        vAlignment = tvaTop;
    else
        scrollOffset = 0;
    miniScroll = value;
    updateTimer();
    update();
}

void THTMLStaticText::SetVOffset(int value)
{
    if (!miniScroll)
        return;
    if (value < 0) {
        scrollOffset = 0;
        return;
    }
    scrollOffset = value;
    update();
}

// The timer runs exactly while one of its switches is on. Blinking text that stops blinking stays visible.
void THTMLStaticText::updateTimer()
{
    const bool wanted = enableBlink || autoScroll || miniScroll;
    if (wanted && !timer.isActive()) {
        timer.start();
    } else if (!wanted && timer.isActive()) {
        timer.stop();
        blinkVisible = true;
        update();
    }
}

void THTMLStaticText::Loaded()
{
    updateTimer();
}

void THTMLStaticText::SetImages(TImageList* value)
{
    disconnect(imagesChange);
    images = value;
    if (value)
        imagesChange = connect(value, &TImageList::Change, this, &THTMLStaticText::changed);
    changed();
}

void THTMLStaticText::SetPictureContainer(TPictureContainer* value)
{
    pictureContainer = value;
    changed();
}

QString THTMLStaticText::GetVersion() const
{
    return VersionNrText(GetVersionNr());
}

quint32 THTMLStaticText::GetVersionNr()
{
    return versionNr;
}

void THTMLStaticText::EndUpdate()
{
    if (painting.Release())
        update();
}

namespace {

// The markup as one text of CR LF separated lines, and back.
QString joinedLines(const QStringList& lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

QStringList splitLines(const QString& text)
{
    TStringList list;
    list.SetText(text);
    return list.ToStringList();
}

} // namespace

void THTMLStaticText::HilightText(const QString& text, bool caseSensitive)
{
    SetHTMLText(splitLines(MarkupWrapMatches(joinedLines(htmlText), text, QStringLiteral("hi"), caseSensitive)));
}

void THTMLStaticText::MarkText(const QString& text, bool caseSensitive)
{
    SetHTMLText(splitLines(MarkupWrapMatches(joinedLines(htmlText), text, QStringLiteral("e"), caseSensitive)));
}

void THTMLStaticText::UnHilightText()
{
    SetHTMLText(splitLines(MarkupUnwrapTag(joinedLines(htmlText), QStringLiteral("hi"))));
}

void THTMLStaticText::UnMarkText()
{
    SetHTMLText(splitLines(MarkupUnwrapTag(joinedLines(htmlText), QStringLiteral("e"))));
}

THTMLStaticText::EngineResult THTMLStaticText::render(TCanvas& canvas, const TRect& bounds, const EngineCall& call)
{
    EngineResult r;
    QString plainText;
    r.onAnchor =
        MarkupRender(&canvas, GetDisplText(), bounds, call.withImages ? images.data() : nullptr, call.point.X,
                     call.point.Y, call.focusIndex, call.hoverNumber, shadowOffset, call.hitTestOnly, call.measureOnly,
                     false, false, call.blinkVisible, hover, !ellipsis, 1.0, call.urlColor, call.hoverColor,
                     call.hoverFontColor, shadowColor, r.anchor, plainText, r.focusedHref, r.width, r.height,
                     r.anchorCount, r.anchorNumber, r.hoverRect, &pictureCache, pictureContainer, 0);
    return r;
}

// The control as it is now: mouse, hover, blink phase and colours.
THTMLStaticText::EngineCall THTMLStaticText::stateCall() const
{
    EngineCall call;
    call.point = mousePos.value_or(TPoint{-1, -1});
    call.focusIndex = hasFocus() ? focusAnchor : -1;
    call.hoverNumber = hoverAnchor;
    call.blinkVisible = blinkVisible;
    call.urlColor = urlColor;
    call.hoverColor = hoverColor;
    call.hoverFontColor = hoverFontColor;
    return call;
}

// The client rectangle inside the bevels and the single border.
TRect THTMLStaticText::innerRect() const
{
    TRect r = Rect(0, 0, width(), height());
    const bool bevelled = bevelOuter != bvNone || bevelInner != bvNone;
    if (bevelled || borderStyle != bsNone)
        shrink(r, bevelWidth);
    if (bevelled)
        shrink(r, bevelWidth);
    if (borderStyle == bsSingle)
        shrink(r, borderWidth);
    return r;
}

// The text rectangle, which under MiniScroll moves up by the scroll offset and leaves the arrows' column free.
// An arrow shows while there is text below the control or the text is scrolled.
THTMLStaticText::Layout THTMLStaticText::layout(TCanvas& canvas, const EngineCall& base)
{
    Layout l;
    l.text = l.arrowBox = innerRect();
    if (!miniScroll)
        return l;
    l.text.Top -= scrollOffset;
    l.text.Right -= miniScrollArrow;
    EngineCall measuring = base;
    measuring.hitTestOnly = measuring.measureOnly = true;
    const EngineResult measured = render(canvas, l.text, measuring);
    l.downArrow = measured.height >= height() + scrollOffset;
    l.upArrow = scrollOffset > 0;
    return l;
}

THTMLStaticText::Layout THTMLStaticText::currentLayout()
{
    TCanvas canvas;
    canvas.Font = font;
    return layout(canvas, stateCall());
}

// A shorter text sits in the middle or at the bottom; a taller one starts higher by half its excess.
void THTMLStaticText::placeVertically(TCanvas& canvas, TRect& rect, const EngineCall& base)
{
    if (vAlignment == tvaTop)
        return;
    EngineCall measuring = base;
    measuring.hitTestOnly = true;
    measuring.measureOnly = false;
    const EngineResult measured = render(canvas, rect, measuring);
    if (measured.height >= height())
        return;
    if (vAlignment == tvaCenter)
        rect.Top += (rect.Bottom - rect.Top - measured.height) / 2;
    else
        rect.Top = rect.Bottom - measured.height;
}

// The control's size follows its text: measured on a measuring canvas, never while painting.
void THTMLStaticText::updateAutoSize()
{
    if (!autoSizing)
        return;
    const AutoSizeDirections grows = autoSizeDirections(this, autoSizeType);
    if (!grows.horizontal && !grows.vertical)
        return;
    TCanvas canvas;
    canvas.Font = font;
    EngineCall call = stateCall();
    Layout l = layout(canvas, call);
    if (grows.horizontal)
        l.text.Right += unlimited;
    if (grows.vertical)
        l.text.Bottom += unlimited;
    call.measureOnly = true;
    const EngineResult measured = render(canvas, l.text, call);
    QSize size = this->size();
    if (grows.horizontal)
        size.setWidth(measured.width + autoSizeMargin);
    if (grows.vertical)
        size.setHeight(measured.height + autoSizeMargin);
    if (size == this->size())
        return;
    resize(size);
    if (OnNewSize)
        OnNewSize(this, width(), height());
}

void THTMLStaticText::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateAutoSize();
}

void THTMLStaticText::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

void THTMLStaticText::paintEvent(QPaintEvent*)
{
    painting.paint(this, [this](TCanvas& canvas) { Paint(canvas); });
}

void THTMLStaticText::Paint(TCanvas& canvas)
{
    canvas.Font = font;
    paintFrame(canvas);
    const EngineCall call = stateCall();
    Layout l = layout(canvas, call);
    if (l.downArrow)
        DrawFrameControl(canvas,
                         Rect(l.arrowBox.Right - miniScrollArrow, l.arrowBox.Bottom - miniScrollArrow, l.arrowBox.Right,
                              l.arrowBox.Bottom),
                         DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_FLAT);
    if (l.upArrow)
        DrawFrameControl(canvas,
                         Rect(l.arrowBox.Right - miniScrollArrow, l.arrowBox.Top, l.arrowBox.Right,
                              l.arrowBox.Top + miniScrollArrow),
                         DFC_SCROLL, DFCS_SCROLLUP | DFCS_FLAT);
    if (autoSizing) {
        const AutoSizeDirections grows = autoSizeDirections(this, autoSizeType);
        if (grows.horizontal)
            l.text.Right += unlimited;
        if (grows.vertical)
            l.text.Bottom += unlimited;
    }
    placeVertically(canvas, l.text, call);

    canvas.SetClipRect(l.text);
    if (isEnabled()) {
        render(canvas, l.text, call);
    } else {
        // Embossed: the text in white one pixel down and right, then in grey at its place.
        EngineCall embossed = call;
        embossed.point = TPoint{0, 0};
        embossed.hoverColor = embossed.hoverFontColor = clNone;
        TRect shifted = l.text;
        offsetRect(shifted, 1, 1);
        canvas.Font.Color = clWhite;
        embossed.withImages = false;
        embossed.urlColor = clWhite;
        render(canvas, shifted, embossed);
        canvas.Font.Color = clGray;
        embossed.withImages = true;
        embossed.urlColor = clGray;
        render(canvas, l.text, embossed);
        canvas.Font.Color = font.Color;
    }
    canvas.ResetClip();
}

// Bevels with the frame in Color between them, the single border and the background.
void THTMLStaticText::paintFrame(TCanvas& canvas)
{
    const TRect client = Rect(0, 0, width(), height());
    TRect r = client;
    const auto bevel = [&](TBevelCut cut) {
        if (cut == bvLowered)
            Frame3D(canvas, r, clBtnShadow, clBtnHighlight, bevelWidth);
        else
            Frame3D(canvas, r, clBtnHighlight, clBtnShadow, bevelWidth);
    };
    if (bevelOuter != bvNone)
        bevel(bevelOuter);
    Frame3D(canvas, r, color, color, borderWidth);
    if (bevelInner != bvNone)
        bevel(bevelInner);
    canvas.Pen = TPen{color, 1, psSolid};
    canvas.Brush = TBrush{color, bsSolid};
    if (borderStyle == bsSingle && borderWidth > 0) {
        canvas.Pen = TPen{clBlack, borderWidth, psSolid};
        canvas.Rectangle(r);
    }
    TRect background = client;
    if (bevelOuter != bvNone || bevelInner != bvNone || borderStyle != bsNone)
        shrink(background, bevelWidth);
    canvas.Rectangle(background);
}

THTMLStaticText::EngineResult THTMLStaticText::anchorState()
{
    TCanvas canvas;
    canvas.Font = font;
    EngineCall call = stateCall();
    call.focusIndex = focusAnchor;
    Layout l = layout(canvas, call);
    placeVertically(canvas, l.text, call);
    return render(canvas, l.text, call);
}

// Every tick steps the pictures; while an arrow is held (or, with AutoScroll, rested on) the text scrolls; every
// fifth tick blinking text changes its phase.
void THTMLStaticText::TimerTick()
{
    if (!enableBlink && !autoScroll && !miniScroll)
        return;
    ++tickCount;
    const bool cached = pictureCache.Animate();
    const bool contained = pictureContainer && pictureContainer->GetItems().Animate();
    if (cached || contained)
        update();
    if (miniScroll) {
        const Layout l = currentLayout();
        if (l.upArrow || l.downArrow) {
            if (!autoScroll && !buttonDown)
                return;
            if (mousePos && Rect(0, 0, width(), height()).Contains(*mousePos))
                scrollAtArrow(l, *mousePos);
        }
    }
    if (tickCount % blinkTicks == 0 && GetDisplText().toUpper().contains(QLatin1String("<BLINK"))) {
        blinkVisible = !blinkVisible;
        update();
    }
}

// A point on a shown arrow scrolls the text one step that way.
void THTMLStaticText::scrollAtArrow(const Layout& l, TPoint p)
{
    const bool inColumn = p.X > l.arrowBox.Right - miniScrollArrow;
    if (l.upArrow && inColumn && p.Y < l.arrowBox.Top + miniScrollArrow)
        SetVOffset(scrollOffset - miniScrollStep);
    else if (l.downArrow && inColumn && p.Y > l.arrowBox.Bottom - miniScrollArrow)
        SetVOffset(scrollOffset + miniScrollStep);
}
