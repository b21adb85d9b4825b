// Close buttons on the tabs, the mouse that works the active tab's button and the hover look of the tabs, and the
// pages closed with the buttons, which can be opened again by name.
#include "AdvPageControl.h"

#include <QRegion>

namespace {

// The box lies 2 pixels into its cell and is 12 x 11 pixels, its frame included.
constexpr int BoxInset = 2;
constexpr int BoxRight = 14;
constexpr int BoxBottom = 13;

} // namespace

int TAdvPageControl::leftTabCloseEdge(const TRect& TabRect) const
{
    int edge = closePosition == cpLeft ? TabRect.Bottom - tabMargin.GetTopMargin()
                                       : TabRect.Top + tabMargin.GetRightMargin() + 13;
    if (!tabBackGroundActive.GetEmpty())
        edge += tabOverlap;
    return edge;
}

TPoint TAdvPageControl::closeCell(const TRect& TabRect, int low, bool hotLook) const
{
    const int left = TabRect.Left + tabMargin.GetLeftMargin();
    const int top = TabRect.Top + tabMargin.GetTopMargin();
    switch (tabPosition) {
    case tpTop:
    case tpBottom:
        if (closePosition == cpLeft)
            return Point(left, top + low);
        return Point(TabRect.Right - tabMargin.GetRightMargin() - 14, top + low);
    case tpRight: {
        const int x = hotLook ? left : left + 2 - low;
        return Point(x, closePosition == cpLeft ? top : TabRect.Bottom - tabMargin.GetRightMargin() - 13);
    }
    case tpLeft:
        break;
    }
    return Point(left + low, leftTabCloseEdge(TabRect) - 15);
}

void TAdvPageControl::drawCloseBox(TCanvas& Canvas, const TPoint& cell, TColor fill, TColor frame, TColor cross) const
{
    const int x = cell.X;
    const int y = cell.Y;
    if (!closeGlyph.GetEmpty()) {
        DrawCloseGlyph(Canvas, Point(x + BoxInset, y + BoxInset));
        return;
    }
    Canvas.Brush = TBrush{fill, bsSolid};
    Canvas.Pen = TPen{frame};
    Canvas.Rectangle(x + BoxInset, y + BoxInset, x + BoxRight, y + BoxBottom);
    Canvas.Pen = TPen{cross};
    Canvas.MoveTo(x + 5, y + 9);
    Canvas.LineTo(x + 11, y + 4);
    Canvas.MoveTo(x + 6, y + 9);
    Canvas.LineTo(x + 10, y + 4);
    Canvas.MoveTo(x + 5, y + 5);
    Canvas.LineTo(x + 11, y + 10);
    Canvas.MoveTo(x + 6, y + 5);
    Canvas.LineTo(x + 10, y + 10);
}

void TAdvPageControl::DrawCloseButton(TCanvas& Canvas, const TRect& TabRect, bool Active) const
{
    drawCloseBox(Canvas, closeCell(TabRect, Active ? lowerActive : 0, false), clWhite, clGray, clBlack);
}

void TAdvPageControl::DrawHoverCloseButton(TCanvas& Canvas, const TRect& TabRect) const
{
    drawCloseBox(Canvas, closeCell(TabRect, lowerActive, true), clWhite, clBlack, clGray);
}

void TAdvPageControl::DrawDownCloseButton(TCanvas& Canvas, const TRect& TabRect) const
{
    drawCloseBox(Canvas, closeCell(TabRect, lowerActive, false), clSilver, clBlack, clBlack);
}

void TAdvPageControl::drawActiveCloseButton(TCanvas& Canvas, const TRect& TabRect) const
{
    if (closeDown)
        DrawDownCloseButton(Canvas, TabRect);
    else if (closeHot)
        DrawHoverCloseButton(Canvas, TabRect);
    else
        DrawCloseButton(Canvas, TabRect, true);
}

void TAdvPageControl::DrawCloseGlyph(TCanvas& Canvas, const TPoint& Point) const
{
    if (closeGlyph.GetEmpty())
        return;
    const bool clipped = Canvas.HasClip();
    const QRegion saved = Canvas.GetClipRegion();
    Canvas.IntersectClipRect(Rect(Point.X, Point.Y, Point.X + BoxRight - BoxInset, Point.Y + BoxBottom - BoxInset));
    TBitmap glyph;
    glyph.Assign(&closeGlyph);
    glyph.SetTransparentMode(tmAuto);
    glyph.SetTransparent(true);
    Canvas.Draw(Point.X, Point.Y, &glyph);
    if (clipped)
        Canvas.SetClipRegion(saved);
    else
        Canvas.ResetClip();
}

bool TAdvPageControl::IsOnButton(int PageIndex, int X, int Y) const
{
    if (PageIndex < 0 || PageIndex >= GetPageCount())
        return false;
    const TRect tab = TabRectEx(PageIndex);
    const int left = tab.Left + tabMargin.GetLeftMargin();
    const int top = tab.Top + tabMargin.GetTopMargin();
    const int right = tab.Right - tabMargin.GetRightMargin();
    TRect hit;
    if (tabPosition == tpLeft) {
        const int x = tabBackGroundActive.GetEmpty() ? left : left + 2;
        const int edge = leftTabCloseEdge(tab);
        hit = Rect(x + 2, edge - 13, x + 14, edge - 2);
    } else if (closePosition == cpLeft) {
        hit = Rect(left + 2, top + 2, left + 14, top + 13);
    } else if (tabPosition == tpRight) {
        const int bottom = tab.Bottom - tabMargin.GetRightMargin();
        hit = Rect(left, bottom - 13, left + 14, bottom);
    } else {
        hit = Rect(right - 14, top, right, top + 13);
    }
    return hit.Contains(Point(X, Y));
}

void TAdvPageControl::updateCloseButton()
{
    const int active = GetActivePageIndex();
    if (active < 0)
        return;
    const TRect tab = TabRectEx(active);
    QRegion area;
    for (const bool hotLook : {false, true}) {
        const TPoint cell = closeCell(tab, lowerActive, hotLook);
        area += QRect(cell.X + BoxInset, cell.Y + BoxInset, BoxRight - BoxInset, BoxBottom - BoxInset);
    }
    update(area);
}

TAdvTabSheet* TAdvPageControl::closablePage() const
{
    return !tabBorder3D && activePage && activePage->showClose ? activePage : nullptr;
}

// The hover frame runs one pixel outside the tab on some sides, so that pixel is repainted with the tab.
void TAdvPageControl::updateHoverArea(int index)
{
    update(ToQRect(TabRectEx(index)).adjusted(-1, -1, 1, 1));
}

void TAdvPageControl::MouseDown(Qt::MouseButton Button, const QPoint& p)
{
    if (!closablePage() || !IsOnButton(GetActivePageIndex(), p.x(), p.y()))
        return;
    if (dockSite) {
        closeActivePage();
        return;
    }
    closeDown = true;
    updateCloseButton();
}

void TAdvPageControl::MouseMove(const QPoint& p)
{
    if (tabBorder3D || tabHoverColor == clNone)
        return;
    if (tabBackGround.GetEmpty()) {
        const int index = IndexOfTabAtEx(p.x(), p.y());
        if (index != hoverTabIndex) {
            if (hoverTabIndex >= 0 && hoverTabIndex < GetPageCount())
                updateHoverArea(hoverTabIndex);
            hoverTabIndex = index;
            if (index >= 0)
                updateHoverArea(index);
        }
    }
    if (!closablePage())
        return;
    const bool onButton = IsOnButton(GetActivePageIndex(), p.x(), p.y());
    if (closeHot != onButton) {
        // Leaving the button takes the pressed look with it.
        closeHot = onButton;
        closeDown = false;
        updateCloseButton();
    }
}

void TAdvPageControl::MouseUp(Qt::MouseButton Button, const QPoint& p)
{
    if (closeDown) {
        closeDown = false;
        updateCloseButton();
    }
    if (Button == Qt::LeftButton && closablePage() && IsOnButton(GetActivePageIndex(), p.x(), p.y()))
        closeActivePage();
}

void TAdvPageControl::CMMouseLeave()
{
    if (tabBackGround.GetEmpty() && hoverTabIndex >= 0 && hoverTabIndex < GetPageCount())
        updateHoverArea(hoverTabIndex);
    hoverTabIndex = -1;
    // The button is not hot with the mouse gone.
    if (closeHot || closeDown) {
        closeHot = false;
        closeDown = false;
        updateCloseButton();
    }
}

void TAdvPageControl::closeActivePage()
{
    QPointer<TAdvTabSheet> page = activePage;
    TAdvTabSheet* next = FindNextPage(page, true, true);
    bool canClose = true;
    if (page->OnCanClose)
        page->OnCanClose(page, canClose);
    if (!canClose || !page)
        return;
    if (page->OnClose)
        page->OnClose(page);
    if (!page)
        return;
    closeHot = false;
    closeDown = false;
    SetActivePage(next);
    if (OnChange)
        OnChange(this);
    update();
    if (freeOnClose) {
        delete page.data();
    } else if (page->pageControl == this) {
        // The page leaves the control but lives on, hidden, with the window it was on.
        closedTabs.append({page->objectName(), page});
        QWidget* keeper = window();
        page->SetAdvPageControl(nullptr);
        page->setParent(keeper);
        page->hide();
    }
    update();
}

void TAdvPageControl::pruneClosedTabs()
{
    closedTabs.removeIf([](const ClosedTab& entry) { return entry.page.isNull(); });
}

bool TAdvPageControl::OpenClosedTab(const QString& Name)
{
    pruneClosedTabs();
    for (const ClosedTab& entry : std::as_const(closedTabs)) {
        if (entry.name.compare(Name, Qt::CaseInsensitive) == 0) {
            entry.page->SetAdvPageControl(this);
            return true;
        }
    }
    return false;
}

void TAdvPageControl::OpenAllClosedTabs()
{
    pruneClosedTabs();
    for (const ClosedTab& entry : std::as_const(closedTabs))
        entry.page->SetAdvPageControl(this);
}
