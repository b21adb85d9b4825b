// The page control's own tab painting: the strip behind the tabs, the frame round the page in the active page's
// colours, the flat border and its rounded corners, the tabs in their three styles with gradients or skins, images,
// captions (turned a quarter at the left and right), the hover frame and the focus frame; and the transparent bitmap
// copies that the skins are drawn with. Each line below runs from its first point up to, not including, its last.
#include "AdvPageControl.h"

#include "EditLook.h"

#include <QTabBar>
#include <optional>

namespace {

// Skins and the gradients of tabs and the page frame.
constexpr int TabGradientBands = 16;

void line(TCanvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

TBitmap transparentPart(const TBitmap& bitmap, int x, int y, int width, int height, TColor transparentColor)
{
    TBitmap part;
    part.SetImage(bitmap.Image().copy(x, y, width, height));
    part.SetTransparentMode(tmFixed);
    part.SetTransparentColor(transparentColor);
    part.SetTransparent(true);
    return part;
}

TColor bottomLeftColor(const TBitmap& bitmap)
{
    return FromQColor(bitmap.Image().pixelColor(0, bitmap.GetHeight() - 1));
}

} // namespace

void BlitTransparent(TCanvas& Canvas, const TBitmap& Bitmap, int X, int Y, int Width, int Height, int SrcX, int SrcY,
                     TColor TransparentColor)
{
    StretchBlitTransparent(Canvas, Bitmap, X, Y, Width, Height, SrcX, SrcY, Width, Height, TransparentColor);
}

void StretchBlitTransparent(TCanvas& Canvas, const TBitmap& Bitmap, int X, int Y, int Width, int Height, int SrcX,
                            int SrcY, int SrcWidth, int SrcHeight, TColor TransparentColor)
{
    if (Width <= 0 || Height <= 0 || SrcWidth <= 0 || SrcHeight <= 0 || Bitmap.GetEmpty())
        return;
    TBitmap part = transparentPart(Bitmap, SrcX, SrcY, SrcWidth, SrcHeight, TransparentColor);
    Canvas.StretchDraw(Rect(X, Y, X + Width, Y + Height), &part);
}

void PaintVerticalSlices(const TBitmap& Bitmap, TCanvas& Canvas, int X, int Y, int Height)
{
    const int w = Bitmap.GetWidth();
    const int h = Bitmap.GetHeight();
    if (h == 0)
        return;
    const TColor transparent = bottomLeftColor(Bitmap);
    const int half = h / 2;
    BlitTransparent(Canvas, Bitmap, X, Y, w, half, 0, 0, transparent);
    StretchBlitTransparent(Canvas, Bitmap, X, Y + half, w, Height - h, 0, half - 1, w, 2, transparent);
    BlitTransparent(Canvas, Bitmap, X, Y + half + Height - h, w, half, 0, half, transparent);
}

void PaintHorizontalSlices(const TBitmap& Bitmap, TCanvas& Canvas, int X, int Y, int Width)
{
    const int w = Bitmap.GetWidth();
    const int h = Bitmap.GetHeight();
    if (w == 0)
        return;
    const TColor transparent = bottomLeftColor(Bitmap);
    const int half = w / 2;
    BlitTransparent(Canvas, Bitmap, X, Y, half, h, 0, 0, transparent);
    StretchBlitTransparent(Canvas, Bitmap, X + half, Y, Width - w, h, half - 1, 0, 2, h, transparent);
    BlitTransparent(Canvas, Bitmap, X + half + Width - w, Y, half, h, half, 0, transparent);
}

// The extents of the shown tabs: the largest bottom, the smallest top and left, the largest right.
struct TAdvPageControl::TabStrip
{
    int maxBottom = 0;
    int minTop = 0;
    int minLeft = 0;
    int maxRight = 0;
    bool anyTab = false;
};

void TAdvPageControl::DrawAllTabs(TCanvas& Canvas)
{
    if (updateCount > 0)
        return;
    const int W = width();
    const int H = height();
    TabStrip strip = eraseTabs(Canvas);
    if (!strip.anyTab) {
        if (tabPosition == tpTop)
            strip.maxBottom = 2;
        else if (tabPosition == tpBottom)
            strip.minTop = H - 2;
        else if (tabPosition == tpLeft)
            strip.maxRight = 2;
        else
            strip.minLeft = W - 2;
    }
    // The edge under the scroll arrows of a single row.
    if (!multiLine && tabPosition == tpTop) {
        Canvas.Pen = TPen{clWhite};
        line(Canvas, qMax(W - 35, strip.maxRight), strip.maxBottom, W, strip.maxBottom);
    } else if (!multiLine && tabPosition == tpBottom) {
        Canvas.Pen = TPen{cl3DDkShadow};
        line(Canvas, qMax(W - 35, strip.maxRight), strip.minTop - 1, W, strip.minTop - 1);
    }

    Canvas.Brush = TBrush{tabBackGroundColor, bsSolid};
    switch (tabPosition) {
    case tpTop:
        Canvas.FillRect(Rect(0, 0, W, strip.maxBottom));
        break;
    case tpBottom:
        Canvas.FillRect(Rect(0, strip.minTop, W, H));
        break;
    case tpLeft:
        Canvas.FillRect(Rect(0, 0, strip.maxRight, H));
        break;
    case tpRight:
        Canvas.FillRect(Rect(strip.minLeft, 0, W, H));
        break;
    }

    const bool frameDrawn = activePage && !(activePage->color == clNone && activePage->colorTo == clNone);
    if (frameDrawn)
        drawPageFrame(Canvas, strip);
    if (!tabSheet3D) {
        drawFlatBorder(Canvas, strip, frameDrawn);
        if (roundEdges)
            drawRoundEdges(Canvas);
    }
    if (baselineJoinsTabs() && GetPageCount() > 0 && strip.anyTab)
        drawBaseline(Canvas, strip, frameDrawn);

    // The active tab's own skin goes over its neighbours, once all other tabs are painted.
    std::optional<TPoint> deferredText;
    for (int P = GetPageCount() - 1; P >= 0; --P) {
        if (pages[P]->tabVisible)
            drawTab(Canvas, P, strip, deferredText);
    }
    if (deferredText && !OnDrawTab)
        drawActiveSkinnedTab(Canvas, *deferredText);
    drawHoverFrame(Canvas);
}

void TAdvPageControl::drawTab(TCanvas& Canvas, int P, const TabStrip& strip, std::optional<TPoint>& deferredText)
{
    const TAdvTabSheet* page = pages[P];
    const TRect tab = TabRectEx(P);
    TRect r = tab;
    const bool isActive = P == GetActivePageIndex();
    if (OnDrawTab)
        OnDrawTab(this, P, tab, isActive);

    TColor from = page->tabColor;
    TColor to = page->tabColorTo;
    TGradientDirection direction = page->tabGradientDirection;
    if (isActive && activeColor != clNone) {
        from = activeColor;
        to = activeColorTo;
    } else if (P == hoverTabIndex && (tabHoverColor != clNone || tabHoverColorTo != clNone)) {
        from = tabHoverColor;
        to = tabHoverColorTo;
        direction = page->hoverGradientDirection;
    }
    Canvas.Brush = TBrush{from, bsSolid};

    const bool closeFirst = page->showClose && closePosition == cpLeft;
    int textX = r.Left + 4 + (closeFirst ? 14 : 0);
    int textY = r.Top + 1 + (isActive ? lowerActive : 0);
    if (tabPosition == tpBottom) {
        textY = isActive ? r.Top + lowerActive + 1 : r.Top;
    } else if (tabPosition == tpLeft) {
        textX = r.Left + 1 + (isActive ? lowerActive : 0);
        textY = r.Bottom - 4 - (closeFirst ? 13 : 0);
    } else if (tabPosition == tpRight) {
        textX = r.Right - 1 - (isActive ? lowerActive : 0);
        textY = r.Top + 4 + (closeFirst ? 13 : 0);
    }

    bool deferred = false;
    if (!tabBackGround.GetEmpty()) {
        if (tabPosition == tpBottom) {
            textY += 3;
        } else if (tabPosition == tpLeft) {
            textX -= 2;
            textY -= 3;
        } else if (tabPosition == tpRight) {
            textX -= tabHeight / 3;
            textY -= 3;
        }
        if (!OnDrawTab) {
            deferred = isActive && !tabBackGroundActive.GetEmpty();
            static constexpr int dx[] = {-1, -2, 0, -1};
            static constexpr int dy[] = {-2, -1, 0, -2};
            if (!deferred)
                paintSkin(tabBackGround, Canvas, r.Left + dx[tabPosition], r.Top + dy[tabPosition], r);
        }
    } else {
        if (tabPosition == tpTop)
            r.Top -= 1;
        else if (tabPosition == tpBottom)
            r.Bottom += 1;
        else if (tabPosition == tpLeft)
            r.Left -= 1;
        if (!OnDrawTab)
            fillTab(Canvas, r, from, to, direction == gdHorizontal, isActive);
        if (tabPosition == tpRight)
            r.Right += 1;
        Canvas.Brush.Style = bsClear;
        drawTabBorder(Canvas, P, r, isActive, strip);
        if (tabStyle == tsClassic && !isActive && tabPosition == tpBottom)
            textY += 2;
    }

    const bool sideways = !horizontalTabs();
    if (sideways)
        Canvas.Font = tabFont(isActive);
    textX += tabMargin.GetLeftMargin();
    if (tabPosition == tpLeft) {
        textY -= tabMargin.GetTopMargin();
        if (!tabBackGroundActive.GetEmpty())
            textY += tabOverlap + 3;
    } else {
        textY += tabMargin.GetTopMargin();
    }
    if (deferred) {
        deferredText = Point(textX, textY);
        return;
    }

    if (page->showClose) {
        if (isActive)
            drawActiveCloseButton(Canvas, tab);
        else
            DrawCloseButton(Canvas, tab, false);
    }
    if (!OnDrawTab)
        drawTabImage(Canvas, page->imageIndex, 1, -18, textX, textY);
    if (!sideways)
        Canvas.Font = isActive ? activeFont : TFont::FromQFont(font());
    if (!isActive)
        Canvas.Font.Color = page->textColor;
    if (!page->tabEnable)
        Canvas.Font.Color = clGray;
    if (!page->isEnabled())
        Canvas.Font.Color = clGrayText;
    if (!OnDrawTab)
        drawTabCaption(Canvas, page->caption, textX, textY, r);
    Canvas.Font = TFont::FromQFont(font());
    DrawTabFocusFrame(Canvas, r, isActive, 0);
}

void TAdvPageControl::fillTab(TCanvas& Canvas, const TRect& r, TColor from, TColor to, bool horizontal,
                              bool active) const
{
    if (to == clNone) {
        Canvas.FillRect(r);
        return;
    }
    // The bands leave out the tab's last row or column toward its border.
    TRect band = r;
    if (tabPosition == tpTop) {
        band.Bottom -= 1;
        band.Right -= horizontal ? 1 : 0;
    } else if (tabPosition == tpBottom) {
        (horizontal ? band.Right : band.Bottom) -= 1;
    } else if (tabPosition == tpLeft) {
        band.Right -= 1;
        band.Bottom -= horizontal ? 0 : 1;
    } else if (!active && !horizontal) {
        band.Bottom -= 1;
    }
    PaintBandGradient(Canvas, from, to, TabGradientBands, band, horizontal);
}

TFont TAdvPageControl::tabFont(bool active) const
{
    // Tabs at the left read upward, those at the right downward.
    TFont turned = active ? activeFont : TFont::FromQFont(font());
    turned.Orientation = tabPosition == tpLeft ? 900 : -900;
    return turned;
}

void TAdvPageControl::drawTabImage(TCanvas& Canvas, int imageIndex, int leftX, int rightX, int& textX, int& textY) const
{
    if (!images || imageIndex < 0)
        return;
    switch (tabPosition) {
    case tpLeft:
        images->Draw(Canvas, textX + leftX, textY - 14, imageIndex, true);
        textY -= images->GetHeight();
        break;
    case tpRight:
        images->Draw(Canvas, textX + rightX, textY, imageIndex, true);
        textY += images->GetHeight();
        break;
    default:
        images->Draw(Canvas, textX - 2, textY, imageIndex, true);
        textX += images->GetWidth();
        break;
    }
}

void TAdvPageControl::drawTabCaption(TCanvas& Canvas, const QString& caption, int textX, int textY,
                                     const TRect& r) const
{
    Canvas.Brush.Style = bsClear;
    if (!horizontalTabs()) {
        Canvas.TextOut(textX, textY, caption);
        return;
    }
    TRect textRect = Rect(textX, textY, r.Right, r.Bottom);
    Canvas.DrawText(caption, textRect, DT_SINGLELINE | DT_NOCLIP);
}

void TAdvPageControl::drawActiveSkinnedTab(TCanvas& Canvas, const TPoint& text)
{
    const TRect r = TabRectEx(GetActivePageIndex());
    const TAdvTabSheet* page = activePage;
    // The active skin is drawn over the other tabs' skin and cut to its size.
    TBitmap skin;
    skin.Assign(&tabBackGround);
    {
        TBitmap activeSkin;
        activeSkin.Assign(&tabBackGroundActive);
        TCanvas skinCanvas(&skin.Image());
        skinCanvas.Draw(0, 0, &activeSkin);
    }
    static constexpr int dxLowered[] = {-2, -2, 1, -3};
    static constexpr int dyLowered[] = {-1, -3, 0, -2};
    static constexpr int dxLevel[] = {-2, -2, 0, -1};
    static constexpr int dyLevel[] = {-2, -1, 0, -2};
    const bool lowered = lowerActive > 0;
    paintSkin(skin, Canvas, r.Left + (lowered ? dxLowered : dxLevel)[tabPosition],
              r.Top + (lowered ? dyLowered : dyLevel)[tabPosition], r);
    int textX = text.X;
    int textY = text.Y;
    if (page->showClose)
        drawActiveCloseButton(Canvas, r);
    drawTabImage(Canvas, page->imageIndex, 0, -14, textX, textY);
    Canvas.Font = horizontalTabs() ? activeFont : tabFont(true);
    if (!page->isEnabled())
        Canvas.Font.Color = clGrayText;
    drawTabCaption(Canvas, page->caption, textX, tabPosition == tpBottom ? textY - 2 : textY, r);
    Canvas.Font = TFont::FromQFont(font());
    DrawTabFocusFrame(Canvas, r, true, tabOverlap);
}

TAdvPageControl::TabStrip TAdvPageControl::eraseTabs(TCanvas& Canvas) const
{
    TabStrip strip;
    strip.minTop = TabRectEx(0).Top;
    strip.minLeft = width();
    Canvas.Brush = TBrush{ParentBrushColor(*this), bsSolid};
    for (int P = GetPageCount() - 1; P >= 0; --P) {
        if (!pages[P]->tabVisible)
            continue;
        TRect r = TabRectEx(P);
        strip.anyTab = true;
        strip.maxBottom = qMax(strip.maxBottom, r.Bottom);
        strip.minTop = qMin(strip.minTop, r.Top);
        strip.minLeft = qMin(strip.minLeft, r.Left);
        strip.maxRight = qMax(strip.maxRight, r.Right);
        r.Right += 2;
        switch (tabPosition) {
        case tpTop:
            r.Left -= 2;
            r.Top -= 2;
            break;
        case tpBottom:
            r.Left -= 2;
            r.Bottom += 2;
            break;
        case tpLeft:
            r = Rect(r.Left - 2, r.Top - 2, r.Right - 2, r.Bottom + 2);
            break;
        case tpRight:
            r.Top -= 2;
            r.Bottom += 2;
            break;
        }
        Canvas.FillRect(r);
    }
    return strip;
}

void TAdvPageControl::drawPageFrame(TCanvas& Canvas, const TabStrip& strip) const
{
    const int W = width();
    const int H = height();
    const int D = tabSheet3D ? 1 : 0;
    const int bottom = strip.maxBottom;
    const int top = strip.minTop;
    const int right = strip.maxRight;
    const int left = strip.minLeft;
    // Four strips along the page area's edges.
    QRegion clip;
    const auto add = [&](int l, int t, int r, int b) { clip += ToQRect(Rect(l, t, r, b)); };
    TRect edgeFill;
    switch (tabPosition) {
    case tpTop:
        add(1, bottom + D, W - 1, bottom + 4);
        add(1, H - 4, W - 1, H - 1);
        add(1, bottom + D, 4, H - 1);
        add(W - 4, bottom + D, W - 1, H - 1);
        edgeFill = Rect(1, bottom + 1, W - 1, bottom + 4);
        break;
    case tpBottom:
        add(1, top - 4, W - 1, top - D);
        add(1, 1, W - 1, 4);
        add(1, 1, 4, top - D);
        add(W - 4, 1, W - 1, top - D);
        edgeFill = Rect(1, 1, W - 1, 4);
        break;
    case tpLeft:
        add(right + D, 1, right + 4, H - 1);
        add(W - 4, 1, W - 1, H - 1);
        add(right + D, 1, W - 1, 4);
        add(right + D, H - 4, W - 1, H - 1);
        edgeFill = Rect(right + D, 1, W - 1, 4);
        break;
    case tpRight:
        add(left - 4, 1, left - D, H - 2);
        add(1, 1, 4, H - 2);
        add(1, 1, left - D, 4);
        add(1, H - 4, left - D, H - 1);
        edgeFill = Rect(1, 1, left - D, 4);
        break;
    }
    const TColor pageColor = activePage->color;
    Canvas.SetClipRegion(clip);
    Canvas.Brush = TBrush{pageColor, bsSolid};
    Canvas.Pen = TPen{pageColor};
    if (activePage->colorTo == clNone) {
        Canvas.Rectangle(FromQRect(rect()));
    } else {
        PaintBandGradient(Canvas, pageColor, activePage->colorTo, TabGradientBands, FromQRect(rect()), false);
        Canvas.Brush = TBrush{pageColor, bsSolid};
        Canvas.Pen = TPen{pageColor};
        Canvas.Rectangle(edgeFill);
    }
    Canvas.ResetClip();
}

void TAdvPageControl::drawFlatBorder(TCanvas& Canvas, const TabStrip& strip, bool frameDrawn) const
{
    const int W = width();
    const int H = height();
    const int bottom = strip.maxBottom;
    const int top = strip.minTop;
    const int right = strip.maxRight;
    const int left = strip.minLeft;
    Canvas.Pen = TPen{tabSheetBorderColor};
    switch (tabPosition) {
    case tpTop:
        line(Canvas, 0, bottom, 0, H);
        line(Canvas, 0, H - 1, W, H - 1);
        line(Canvas, W - 1, H - 2, W - 1, bottom);
        line(Canvas, 0, bottom, W, bottom);
        Canvas.Pen = TPen{color};
        if (!frameDrawn) {
            line(Canvas, 1, H - 2, W - 1, H - 2);
            line(Canvas, W - 2, H - 2, W - 2, bottom);
        }
        break;
    case tpBottom:
        line(Canvas, 0, 0, 0, top);
        line(Canvas, 0, top - 1, W, top - 1);
        line(Canvas, W - 1, top - 1, W - 1, 0);
        line(Canvas, 0, 0, W, 0);
        Canvas.Pen = TPen{color};
        if (!frameDrawn) {
            line(Canvas, 1, top - 2, W - 1, top - 2);
            line(Canvas, W - 2, top - 2, W - 2, 0);
        }
        break;
    case tpLeft:
        line(Canvas, right, 0, right, H);
        line(Canvas, right, H - 2, W - 2, H - 2);
        line(Canvas, W - 2, H, W - 2, 0);
        line(Canvas, W - 2, 0, right, 0);
        Canvas.Pen = TPen{color};
        line(Canvas, right, H - 1, W - 1, H - 1);
        line(Canvas, W - 1, H - 1, W - 1, -1);
        break;
    case tpRight:
        line(Canvas, 0, 0, 0, H);
        line(Canvas, 0, H - 2, left, H - 2);
        line(Canvas, left - 1, H, left - 1, 0);
        line(Canvas, left - 1, 0, 0, 0);
        Canvas.Pen = TPen{color};
        line(Canvas, 0, H - 1, left, H - 1);
        if (!frameDrawn)
            line(Canvas, left - 2, H - 3, left - 2, 0);
        break;
    }
}

void TAdvPageControl::drawRoundEdges(TCanvas& Canvas) const
{
    const int W = width();
    const int H = height();
    // The two outer corners of the page away from the tabs: cut in the control's colour, then rounded in the
    // border colour.
    Canvas.Pen = TPen{color};
    switch (tabPosition) {
    case tpTop:
        Canvas.Polyline({Point(0, H - 4), Point(0, H - 1), Point(4, H - 1)});
        Canvas.Polyline({Point(W - 4, H - 1), Point(W - 1, H - 1), Point(W - 1, H - 5)});
        Canvas.Pen = TPen{tabSheetBorderColor};
        line(Canvas, 1, H - 4, 1, H - 2);
        line(Canvas, 2, H - 2, 4, H - 2);
        line(Canvas, W - 4, H - 2, W - 2, H - 2);
        line(Canvas, W - 2, H - 3, W - 2, H - 5);
        break;
    case tpBottom:
        Canvas.Polyline({Point(0, 3), Point(0, 0), Point(5, 0)});
        Canvas.Polyline({Point(W - 1, 3), Point(W - 1, 0), Point(W - 5, 0)});
        Canvas.Pen = TPen{tabSheetBorderColor};
        line(Canvas, 1, 3, 1, 1);
        line(Canvas, 2, 1, 5, 1);
        line(Canvas, W - 2, 3, W - 2, 1);
        line(Canvas, W - 3, 1, W - 5, 1);
        break;
    case tpLeft:
        Canvas.Polyline({Point(W - 5, H - 2), Point(W - 2, H - 2), Point(W - 2, H - 6)});
        Canvas.Polyline({Point(W - 2, 3), Point(W - 2, 0), Point(W - 6, 0)});
        Canvas.Pen = TPen{tabSheetBorderColor};
        line(Canvas, W - 5, H - 3, W - 3, H - 3);
        line(Canvas, W - 3, H - 4, W - 3, H - 6);
        line(Canvas, W - 3, 3, W - 3, 1);
        line(Canvas, W - 4, 1, W - 6, 1);
        break;
    case tpRight:
        Canvas.Polyline({Point(0, 3), Point(0, 0), Point(5, 0)});
        Canvas.Polyline({Point(0, H - 5), Point(0, H - 2), Point(4, H - 2)});
        Canvas.Pen = TPen{tabSheetBorderColor};
        line(Canvas, 1, 3, 1, 1);
        line(Canvas, 2, 1, 5, 1);
        line(Canvas, 1, H - 5, 1, H - 3);
        line(Canvas, 2, H - 3, 4, H - 3);
        break;
    }
}

void TAdvPageControl::drawBaseline(TCanvas& Canvas, const TabStrip& strip, bool frameDrawn) const
{
    TColor pen = color;
    if (frameDrawn) {
        pen = activePage->color;
        if (tabPosition == tpBottom && activePage->colorTo != clNone)
            pen = activePage->colorTo;
    }
    Canvas.Pen = TPen{pen};
    switch (tabPosition) {
    case tpTop:
        line(Canvas, 3, strip.maxBottom, strip.maxRight + tabOverlap, strip.maxBottom);
        break;
    case tpBottom:
        line(Canvas, 2, strip.minTop - 1, strip.maxRight + tabOverlap, strip.minTop - 1);
        break;
    case tpLeft: {
        const int longer = tabStyle == tsClassic && !tabBackGround.GetEmpty() ? 2 : 0;
        line(Canvas, strip.maxRight, 2, strip.maxRight, strip.maxBottom + tabOverlap + longer);
        break;
    }
    case tpRight:
        line(Canvas, strip.minLeft - 1, strip.maxBottom - 1 + tabOverlap, strip.minLeft - 1, 2);
        break;
    }
}

void TAdvPageControl::drawTabBorder(TCanvas& Canvas, int PageIndex, const TRect& r, bool Active,
                                    const TabStrip& strip) const
{
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    const auto path = [&](std::initializer_list<TPoint> points) { Canvas.Polyline(QVector<TPoint>(points)); };
    Canvas.Pen = TPen{tabBorderColor};
    if (tabStyle == tsClassic) {
        if (Active) {
            switch (tabPosition) {
            case tpTop:
                path({Point(L, B - 1), Point(L, T), Point(R, T), Point(R, B)});
                break;
            case tpBottom:
                path({Point(L, T), Point(L, B), Point(R, B), Point(R, T - 1)});
                break;
            case tpLeft:
                path({Point(R - 1, T), Point(L, T), Point(L, B), Point(R, B)});
                break;
            case tpRight:
                path({Point(L, T), Point(R - 1, T), Point(R - 1, B), Point(L - 1, B)});
                break;
            }
            return;
        }
        // e: a pixel more, unless the tab ends near the control's far edge; x: over the baseline for the row next
        // to the page.
        const int e = (horizontalTabs() ? R > width() - 5 : B > height() - 5) ? 0 : 1;
        bool nearest = false;
        if (tabPosition == tpTop)
            nearest = B >= strip.maxBottom;
        else if (tabPosition == tpBottom)
            nearest = T <= strip.minTop;
        else if (tabPosition == tpLeft)
            nearest = R >= strip.maxRight;
        else
            nearest = L <= strip.minLeft;
        const int x = baselineJoinsTabs() && nearest ? 1 : 0;
        switch (tabPosition) {
        case tpTop:
            Canvas.Rectangle(L, T, R + e, B + x);
            break;
        case tpBottom:
            Canvas.Rectangle(L, T - x, R + e, B);
            break;
        case tpLeft:
            Canvas.Rectangle(L, T, R + x, B + e);
            break;
        case tpRight:
            Canvas.Rectangle(L - x, T, R, B + e);
            break;
        }
        return;
    }

    if (Active) {
        if (tabStyle == tsDotNet) {
            switch (tabPosition) {
            case tpTop:
                path({Point(L, B), Point(L, T), Point(R, T), Point(R, B)});
                break;
            case tpBottom:
                path({Point(L, T - 1), Point(L, B), Point(R, B), Point(R, T - 1)});
                break;
            case tpLeft:
                path({Point(R, T), Point(L, T), Point(L, B), Point(R, B)});
                break;
            case tpRight:
                path({Point(L - 1, T), Point(R - 1, T), Point(R - 1, B), Point(L - 1, B)});
                break;
            }
        } else {
            switch (tabPosition) {
            case tpTop:
                line(Canvas, L, B, L, T);
                line(Canvas, R, T, R, B);
                break;
            case tpBottom:
                line(Canvas, L, T - 1, L, B);
                line(Canvas, R, B - 1, R, T - 1);
                break;
            case tpLeft:
                line(Canvas, R, T, L, T);
                line(Canvas, L, B, R, B);
                break;
            case tpRight:
                line(Canvas, L - 1, T, R - 1, T);
                line(Canvas, R - 1, B, L - 1, B);
                break;
            }
        }
        return;
    }

    // An inactive tab: the edge toward the page, and a separator unless the active tab follows.
    switch (tabPosition) {
    case tpTop:
        line(Canvas, L, B, R, B);
        break;
    case tpBottom:
        line(Canvas, L, T - 1, R, T - 1);
        break;
    case tpLeft:
        line(Canvas, R, T, R, B);
        break;
    case tpRight:
        line(Canvas, L - 1, T, L - 1, B);
        break;
    }
    const bool lastOfRow = horizontalTabs() ? R > strip.maxRight - 3 : B > strip.maxBottom - 3;
    const TAdvTabSheet* next = FindNextPage(pages[PageIndex], true, true);
    if (next == activePage && !lastOfRow)
        return;
    if (tabStyle == tsValdor) {
        if (tabPosition == tpTop)
            line(Canvas, R - 2, B, R - 2, T);
        else if (tabPosition == tpBottom)
            line(Canvas, R - 2, B - 1, R - 2, T - 1);
        else
            line(Canvas, L, B - 2, R, B - 2);
        return;
    }
    Canvas.Pen = TPen{activeColor};
    if (horizontalTabs()) {
        line(Canvas, R - 2, B - 3, R - 2, T + 2);
        line(Canvas, R - 3, B - 3, R - 3, T + 2);
    } else {
        line(Canvas, L + 2, B - 2, R - 2, B - 2);
        line(Canvas, L + 2, B - 3, R - 2, B - 3);
    }
}

void TAdvPageControl::paintSkin(const TBitmap& Skin, TCanvas& Canvas, int X, int Y, const TRect& r) const
{
    if (horizontalTabs())
        PaintHorizontalSlices(Skin, Canvas, X, Y, r.Width() + 2 + tabOverlap);
    else
        PaintVerticalSlices(Skin, Canvas, X, Y, r.Height() + 3 + tabOverlap);
}

void TAdvPageControl::drawHoverFrame(TCanvas& Canvas) const
{
    if (hoverTabIndex < 0 || tabHoverBorder == clNone || hoverTabIndex >= GetPageCount() ||
        pages[hoverTabIndex] == activePage)
        return;
    const TRect r = TabRectEx(hoverTabIndex);
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    const int right = R > width() - 5 ? R - 1 : R;
    const int bottom = B > height() - 5 ? B - 1 : B;
    Canvas.Pen = TPen{tabHoverBorder};
    switch (tabPosition) {
    case tpTop:
        Canvas.Polyline({Point(L, B - 2), Point(L, T - 1), Point(right, T - 1), Point(right, B - 1)});
        break;
    case tpBottom:
        Canvas.Polyline({Point(L, T + 1), Point(L, B), Point(right, B), Point(right, T)});
        break;
    case tpLeft:
        Canvas.Polyline({Point(R - 1, T), Point(L - 1, T), Point(L - 1, bottom), Point(R, bottom)});
        break;
    case tpRight:
        Canvas.Polyline({Point(L + 1, T), Point(R, T), Point(R, bottom), Point(L, bottom)});
        break;
    }
}

void TAdvPageControl::DrawTabFocusFrame(TCanvas& Canvas, const TRect& r, bool Active, int Shorten) const
{
    if (!showFocus || !Active || !(hasFocus() || TabBar()->hasFocus()))
        return;
    Canvas.Brush.Style = bsClear;
    Canvas.Pen = TPen{clBlack, 1, psDot};
    if (horizontalTabs())
        Canvas.Rectangle(r.Left + 5, r.Top + 3, r.Right - 5 - Shorten, r.Bottom - 3);
    else
        Canvas.Rectangle(r.Left + 5, r.Top + 3, r.Right - 5, r.Bottom - 3 - Shorten);
    Canvas.Pen.Style = psSolid;
}
