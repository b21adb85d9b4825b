#include "AdvPageControl.h"

#include "ImageList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QShortcutEvent>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QWheelEvent>

namespace {

// Room between the frame round the pages and the pages themselves.
constexpr int PageInset = 4;

// The first control of a page that takes the focus by Tab, in tab order.
QWidget* firstFocusable(QWidget* container)
{
    for (QWidget* w = container->nextInFocusChain(); w && w != container; w = w->nextInFocusChain()) {
        if (container->isAncestorOf(w) && w->isEnabled() && w->isVisibleTo(container) &&
            (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
            return w;
    }
    return nullptr;
}

} // namespace

// The tab row lays the tabs out and finds the tab under a point. While the page control paints its tabs itself, the
// row paints nothing, and every tab takes the room of the margins and images as well, as the tabs of the platform
// took the room of an image list.
class TAdvPageControl::TabRow : public QTabBar
{
public:
    explicit TabRow(TAdvPageControl* control) : QTabBar(control), control(control) {}

    // Lays the tabs out again: setting the icon size marks the layout as out of date.
    void relayout() { setIconSize(iconSize()); }

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        const bool horizontal = control->horizontalTabs();
        if (!control->tabBorder3D) {
            if (horizontal)
                size.rwidth() += control->marginRoom.width();
            else
                size.rheight() += control->marginRoom.height();
        }
        if (control->tabHeight > 0) {
            if (horizontal)
                size.setHeight(control->tabHeight);
            else
                size.setWidth(control->tabHeight);
        }
        return size;
    }

    void paintEvent(QPaintEvent* event) override
    {
        if (control->tabBorder3D)
            QTabBar::paintEvent(event);
    }

private:
    TAdvPageControl* control;
};

void TTabMargin::SetMargin(int Index, int Value)
{
    if (Index < 0 || Index > 2 || margins[Index] == Value)
        return;
    if (OnMarginChange)
        OnMarginChange(Value, margins[Index], Index);
    margins[Index] = Value;
}

void TTabMargin::Assign(const TTabMargin& Source)
{
    std::copy(std::begin(Source.margins), std::end(Source.margins), std::begin(margins));
}

// ---------------------------------------------------------------------------------------------------------------
// TAdvTabSheet

TAdvTabSheet::TAdvTabSheet(QWidget* Owner) : QWidget(Owner)
{
    hide();
}

TAdvTabSheet::~TAdvTabSheet()
{
    if (pageControl)
        pageControl->RemovePage(this);
}

void TAdvTabSheet::SetAdvPageControl(TAdvPageControl* Control)
{
    if (Control == pageControl)
        return;
    if (pageControl)
        pageControl->RemovePage(this);
    if (!Control) {
        setParent(nullptr);
        return;
    }
    Control->stack->addWidget(this);
    Control->InsertPage(this);
    // A page takes the control's defaults for the colours it leaves unset.
    if (textColor == clBlack)
        textColor = Control->GetDefaultTextColor();
    if (tabColor == clNone)
        tabColor = Control->GetDefaultTabColor();
    if (tabColorTo == clNone)
        tabColorTo = Control->GetDefaultTabColorTo();
}

void TAdvTabSheet::SetCaption(const QString& Value)
{
    // An owner-drawn tab is sized by this text: a close button needs about three characters more room.
    tabText = showClose ? Value + u' ' : Value.left(qMax(0, int(Value.size()) - 2));
    caption = Value;
    if (pageControl)
        pageControl->UpdateTab(this);
}

int TAdvTabSheet::GetPageIndex() const
{
    return pageControl ? int(pageControl->pages.indexOf(const_cast<TAdvTabSheet*>(this))) : -1;
}

void TAdvTabSheet::SetPageIndex(int Value)
{
    if (!pageControl)
        return;
    const int last = pageControl->GetPageCount() - 1;
    if (Value > last)
        throw EListError(QStringLiteral("%1 is an invalid PageIndex value.  PageIndex must be between 0 and %2")
                             .arg(Value)
                             .arg(last));
    pageControl->movePage(this, Value);
}

int TAdvTabSheet::GetTabIndex() const
{
    if (!tabShowing)
        return -1;
    int index = 0;
    for (const TAdvTabSheet* page : pageControl->pages) {
        if (page == this)
            break;
        if (page->tabShowing)
            ++index;
    }
    return index;
}

void TAdvTabSheet::SetTabShowing(bool Value)
{
    if (Value == tabShowing)
        return;
    if (Value) {
        tabShowing = true;
        pageControl->InsertTab(this);
    } else {
        const int index = GetTabIndex();
        tabShowing = false;
        pageControl->DeleteTab(this, index);
    }
}

void TAdvTabSheet::UpdateTabShowing()
{
    SetTabShowing(pageControl && tabVisible);
}

void TAdvTabSheet::SetTabVisible(bool Value)
{
    if (Value == tabVisible)
        return;
    tabVisible = Value;
    UpdateTabShowing();
    if (pageControl)
        pageControl->UpdateTab(this);
}

void TAdvTabSheet::SetTabEnable(bool Value)
{
    if (Value == tabEnable)
        return;
    if (pageControl && !Value && pageControl->GetActivePage() == this)
        throw Exception(QStringLiteral("Can not disable active tab."));
    tabEnable = Value;
    if (pageControl)
        pageControl->UpdateTab(this);
}

void TAdvTabSheet::SetImageIndex(int Value)
{
    imageIndex = Value < 0 ? -1 : Value;
    nativeImageIndex = Value < 0 ? 0 : Value;
    SetCaption(GetCaption());
}

void TAdvTabSheet::SetShowClose(bool Value)
{
    showClose = Value;
    SetCaption(GetCaption());
    repaintPageControl();
}

void TAdvTabSheet::SetHighlighted(bool Value)
{
    highlighted = Value;
    repaintPageControl();
}

void TAdvTabSheet::SetColor(TColor Value)
{
    color = Value;
    update();
    repaintPageControl();
}

void TAdvTabSheet::SetColorTo(TColor Value)
{
    colorTo = Value;
    update();
    repaintPageControl();
}

void TAdvTabSheet::SetTextColor(TColor Value)
{
    textColor = Value;
    repaintPageControl();
}

void TAdvTabSheet::SetTabColor(TColor Value)
{
    tabColor = Value;
    repaintPageControl();
}

void TAdvTabSheet::SetTabColorTo(TColor Value)
{
    tabColorTo = Value;
    repaintPageControl();
}

void TAdvTabSheet::SetTabGradientDirection(TGradientDirection Value)
{
    if (Value == tabGradientDirection)
        return;
    tabGradientDirection = Value;
    repaintPageControl();
}

void TAdvTabSheet::repaintPageControl()
{
    if (pageControl)
        pageControl->update();
}

void TAdvTabSheet::paintEvent(QPaintEvent*)
{
    TCanvas canvas(this);
    const TRect client = FromQRect(rect());
    canvas.Brush.Color = color;
    canvas.FillRect(client);
    if (colorTo != clNone)
        PaintBandGradient(canvas, color, colorTo, 64, client, false);
}

void TAdvTabSheet::showEvent(QShowEvent*)
{
    if (OnShow)
        OnShow(this);
}

void TAdvTabSheet::hideEvent(QHideEvent*)
{
    if (OnHide)
        OnHide(this);
}

void TAdvTabSheet::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        repaintPageControl();
    QWidget::changeEvent(event);
}

// ---------------------------------------------------------------------------------------------------------------
// TAdvPageControl

TAdvPageControl::TAdvPageControl(QWidget* Owner)
    : QWidget(Owner), tabBar(new TabRow(this)), stack(new QStackedWidget(this))
{
    tabBar->setDrawBase(false);
    tabBar->setExpanding(false);
    tabBar->setUsesScrollButtons(true);
    tabBar->setMouseTracking(true);
    setMouseTracking(true);
    // Every change of page the user makes is put to the veto first, so the tab row never selects on its own.
    tabBar->installEventFilter(this);
    tabMargin.OnMarginChange = [this](int NewValue, int OldValue, int Index) {
        TabMarginChange(NewValue, OldValue, Index);
    };
    arrange();
}

TAdvPageControl::~TAdvPageControl()
{
    // The pages die with this control as its children; they must not call back into it on the way.
    for (TAdvTabSheet* page : std::as_const(pages))
        page->pageControl = nullptr;
}

void TAdvPageControl::Loaded()
{
    SetTabMargins();
    loaded = true;
    for (int i = GetPageCount() - 1; i >= 0; --i)
        UpdateTab(pages[i]);
    update();
}

QTabBar* TAdvPageControl::TabBar() const
{
    return tabBar;
}

TAdvTabSheet* TAdvPageControl::GetPage(int Index) const
{
    if (Index < 0 || Index >= GetPageCount())
        throw EListError::OutOfBounds(Index);
    return pages[Index];
}

int TAdvPageControl::GetActivePageIndex() const
{
    return activePage ? activePage->GetPageIndex() : -1;
}

void TAdvPageControl::SetActivePageIndex(int Index)
{
    SetActivePage(Index >= 0 && Index < GetPageCount() ? pages[Index] : nullptr);
}

int TAdvPageControl::GetTabIndex() const
{
    return noTabSelected || tabBar->count() == 0 ? -1 : tabBar->currentIndex();
}

void TAdvPageControl::SetActivePage(TAdvTabSheet* Page)
{
    if (Page && Page->pageControl != this)
        return;
    ChangeActivePage(Page);
    if (!Page) {
        noTabSelected = true;
        activePage = nullptr;
    } else if (Page == activePage) {
        const int tab = Page->GetTabIndex();
        noTabSelected = tab < 0;
        if (tab >= 0)
            tabBar->setCurrentIndex(tab);
    }
}

void TAdvPageControl::ChangeActivePage(TAdvTabSheet* Page)
{
    if (!Page || Page == activePage || !Page->tabEnable)
        return;
    QWidget* focus = QApplication::focusWidget();
    const bool focusOnOldPage = activePage && focus && activePage->isAncestorOf(focus);
    // The new page shows before the old one hides, so nothing blinks through in between.
    Page->raise();
    Page->show();
    stack->setCurrentWidget(Page);
    TAdvTabSheet* old = activePage;
    activePage = Page;
    // An active font of another width resizes both tabs.
    if (old)
        UpdateTab(old);
    UpdateTab(Page);
    // Whoever was working on the old page goes on with the first control of the new one.
    if (focusOnOldPage) {
        if (QWidget* first = firstFocusable(Page))
            first->setFocus(Qt::OtherFocusReason);
        else
            tabBar->setFocus(Qt::OtherFocusReason);
    }
}

void TAdvPageControl::UpdateActivePage()
{
    const int tab = GetTabIndex();
    SetActivePage(tab < 0 ? nullptr : pageOfTab(tab));
}

void TAdvPageControl::selectTab(int TabIndex)
{
    noTabSelected = false;
    tabBar->setCurrentIndex(TabIndex);
    UpdateActivePage();
}

TAdvTabSheet* TAdvPageControl::pageOfTab(int TabIndex) const
{
    int index = 0;
    for (TAdvTabSheet* page : pages) {
        if (!page->tabShowing)
            continue;
        if (index == TabIndex)
            return page;
        ++index;
    }
    return nullptr;
}

int TAdvPageControl::IndexOfTabAtEx(int X, int Y) const
{
    const TAdvTabSheet* page = pageOfTab(tabBar->tabAt(tabBar->mapFrom(this, QPoint(X, Y))));
    return page ? page->GetPageIndex() : -1;
}

TRect TAdvPageControl::TabRectEx(int PageIndex) const
{
    int tab = PageIndex;
    for (int i = 0; i < PageIndex && i < GetPageCount(); ++i) {
        if (!pages[i]->tabVisible)
            --tab;
    }
    return FromQRect(tabBar->tabRect(tab).translated(tabBar->pos()));
}

TAdvTabSheet* TAdvPageControl::FindNextPage(TAdvTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const
{
    const int count = GetPageCount();
    if (count == 0)
        return nullptr;
    int start = int(pages.indexOf(CurPage));
    if (start < 0)
        start = GoForward ? count - 1 : 0;
    int i = start;
    do {
        i = GoForward ? (i + 1) % count : (i + count - 1) % count;
        if (!CheckTabVisible || pages[i]->tabVisible)
            return pages[i];
    } while (i != start);
    return nullptr;
}

bool TAdvPageControl::isSelectable(const TAdvTabSheet* Page) const
{
    return Page && Page->tabShowing && Page->tabEnable;
}

void TAdvPageControl::SelectNextPage(bool GoForward)
{
    // Only a page that can really become active is offered: hidden and disabled tabs are passed over.
    TAdvTabSheet* page = activePage;
    for (int i = 0; i < GetPageCount(); ++i) {
        page = FindNextPage(page, GoForward, true);
        if (!page || isSelectable(page))
            break;
    }
    if (isSelectable(page))
        requestPage(page);
}

TAdvTabSheet* TAdvPageControl::neighbourTabPage(int step) const
{
    for (int tab = tabBar->currentIndex() + step; tab >= 0 && tab < tabBar->count(); tab += step) {
        if (tabBar->isTabEnabled(tab))
            return pageOfTab(tab);
    }
    return nullptr;
}

void TAdvPageControl::requestPage(TAdvTabSheet* Page)
{
    if (Page == activePage || !isSelectable(Page))
        return;
    bool allowChange = true;
    if (OnCanChange)
        OnCanChange(this, GetActivePageIndex(), Page->GetPageIndex(), allowChange);
    if (allowChange && OnChanging)
        OnChanging(this, allowChange);
    if (!allowChange)
        return;
    selectTab(Page->GetTabIndex());
    if (OnChange)
        OnChange(this);
    update();
}

bool TAdvPageControl::CanShowTab(int Index) const
{
    return GetPage(Index)->isEnabled();
}

void TAdvPageControl::InsertPage(TAdvTabSheet* Page)
{
    pages.append(Page);
    Page->pageControl = this;
    Page->UpdateTabShowing();
}

void TAdvPageControl::RemovePage(TAdvTabSheet* Page)
{
    TAdvTabSheet* next = FindNextPage(Page, true, true);
    Page->SetTabShowing(false);
    Page->pageControl = nullptr;
    pages.removeOne(Page);
    stack->removeWidget(Page);
    if (activePage == Page) {
        SetActivePage(next == Page ? nullptr : next);
        // A next page that cannot become active must not leave the removed page active.
        if (activePage == Page)
            SetActivePage(nullptr);
    }
}

void TAdvPageControl::InsertTab(TAdvTabSheet* Page)
{
    const int tab = Page->GetTabIndex();
    if (tabBar->count() == 0)
        noTabSelected = false;
    tabBar->insertTab(tab, Page->caption);
    UpdateTab(Page);
    arrange();
    UpdateActivePage();
}

void TAdvPageControl::DeleteTab(TAdvTabSheet* Page, int TabIndex)
{
    tabBar->removeTab(TabIndex);
    if (Page == activePage) {
        const int tab = qMin(TabIndex, tabBar->count() - 1);
        noTabSelected = tab < 0;
        if (tab >= 0)
            tabBar->setCurrentIndex(tab);
    }
    arrange();
    UpdateActivePage();
}

void TAdvPageControl::MoveTab(int CurIndex, int NewIndex)
{
    tabBar->moveTab(CurIndex, NewIndex);
}

void TAdvPageControl::movePage(TAdvTabSheet* Page, int NewIndex)
{
    if (NewIndex < 0)
        throw EListError::OutOfBounds(NewIndex);
    const int oldTab = Page->GetTabIndex();
    pages.move(pages.indexOf(Page), NewIndex);
    if (oldTab >= 0)
        MoveTab(oldTab, Page->GetTabIndex());
}

QString TAdvPageControl::tabTextOf(const TAdvTabSheet* Page) const
{
    if (tabBorder3D)
        return Page->caption;
    if (Page != activePage || !(activeFont.Style & (fsBold | fsItalic)))
        return Page->tabText;
    // Blanks in the control's font make up for the width the active font adds.
    TCanvas canvas;
    canvas.Font = activeFont;
    const int wide = canvas.TextWidth(Page->tabText);
    canvas.Font = TFont::FromQFont(font());
    const int extra = wide - canvas.TextWidth(Page->tabText);
    QString text = Page->tabText;
    if (canvas.TextWidth(QStringLiteral(" ")) <= 0)
        return text;
    for (QString blanks; canvas.TextWidth(blanks) < extra; blanks += u' ')
        text += u' ';
    return text;
}

void TAdvPageControl::UpdateTab(TAdvTabSheet* Page)
{
    const int tab = Page->GetTabIndex();
    if (tab < 0)
        return;
    // A native tab shows the caption; an owner-drawn one is only sized by its text. The tab row takes the
    // accelerator from either.
    tabBar->setTabText(tab, tabTextOf(Page));
    tabBar->setTabEnabled(tab, Page->tabEnable);
    QIcon icon;
    if (tabBorder3D && images)
        icon = QIcon(QPixmap::fromImage(images->GetImage(Page->nativeImageIndex)));
    tabBar->setTabIcon(tab, icon);
    arrange();
}

void TAdvPageControl::BeginUpdate()
{
    if (!isVisible())
        return;
    ++updateCount;
    setUpdatesEnabled(false);
}

void TAdvPageControl::EndUpdate()
{
    if (!isVisible())
        return;
    if (updateCount > 0)
        --updateCount;
    if (updateCount == 0) {
        setUpdatesEnabled(true);
        update();
    }
}

void TAdvPageControl::SetTabBorder3D(bool Value)
{
    if (Value == tabBorder3D)
        return;
    tabBorder3D = Value;
    for (int i = GetPageCount() - 1; i >= 0; --i)
        UpdateTab(pages[i]);
    tabsChanged();
}

void TAdvPageControl::SetTabPosition(TTabPosition Value)
{
    if (Value == tabPosition)
        return;
    // The images' room moves from the tabs' width to their height, or back.
    addImagesRoom(images, -1);
    tabPosition = Value;
    static constexpr QTabBar::Shape shapes[] = {QTabBar::RoundedNorth, QTabBar::RoundedSouth, QTabBar::RoundedWest,
                                                QTabBar::RoundedEast};
    tabBar->setShape(shapes[Value]);
    addImagesRoom(images, 1);
    SetTabMargins();
}

void TAdvPageControl::SetTabHeight(int Value)
{
    if (Value == tabHeight)
        return;
    tabHeight = Value;
    tabsChanged();
}

void TAdvPageControl::SetImages(TImageList* Value)
{
    if (Value == images)
        return;
    if (images)
        disconnect(images, nullptr, this, nullptr);
    addImagesRoom(images, -1);
    images = Value;
    addImagesRoom(images, 1);
    if (images)
        connect(images, &TImageList::Change, this, [this] {
            for (TAdvTabSheet* page : std::as_const(pages))
                UpdateTab(page);
        });
    for (TAdvTabSheet* page : std::as_const(pages))
        UpdateTab(page);
    tabsChanged();
}

void TAdvPageControl::addImagesRoom(const TImageList* list, int sign)
{
    if (!list)
        return;
    if (horizontalTabs())
        marginRoom.rwidth() += sign * list->GetWidth();
    else
        marginRoom.rheight() += sign * list->GetHeight();
}

void TAdvPageControl::SetTabMargins()
{
    if (horizontalTabs()) {
        const int imagesWidth = images ? images->GetWidth() : 0;
        marginRoom.setWidth(imagesWidth + tabMargin.GetLeftMargin() + tabMargin.GetRightMargin());
    } else {
        const int imagesHeight = images ? images->GetHeight() : 0;
        marginRoom.setHeight(imagesHeight + tabMargin.GetTopMargin() + tabMargin.GetRightMargin());
    }
    tabsChanged();
}

void TAdvPageControl::TabMarginChange(int NewValue, int OldValue, int Index)
{
    // Until the window is built the margins take their room all at once, in Loaded.
    if (loaded) {
        const bool horizontal = horizontalTabs();
        const int imagesWidth = images ? images->GetWidth() : 0;
        const int imagesHeight = images ? images->GetHeight() : 0;
        if (Index == 0 && horizontal)
            marginRoom.setWidth(imagesWidth + tabMargin.GetRightMargin() + NewValue);
        else if (Index == 1 && !horizontal)
            marginRoom.setHeight(imagesHeight + tabMargin.GetRightMargin() + NewValue);
        else if (Index == 2 && horizontal)
            marginRoom.rwidth() += NewValue - OldValue;
        else if (Index == 2)
            marginRoom.rheight() += NewValue - OldValue;
        tabsChanged();
    }
    update();
}

void TAdvPageControl::tabsChanged()
{
    tabBar->relayout();
    arrange();
    update();
}

void TAdvPageControl::SetTabOverlap(int Value)
{
    tabOverlap = qBound(0, Value, 15);
    update();
}

void TAdvPageControl::SetActiveFont(const TFont& Value)
{
    activeFont = Value;
    if (activePage)
        UpdateTab(activePage);
    update();
}

void TAdvPageControl::SetColor(TColor Value)
{
    color = Value;
    update();
}

void TAdvPageControl::SetDefaultTextColor(TColor Value)
{
    for (TAdvTabSheet* page : std::as_const(pages)) {
        if (page->textColor == defaultTextColor)
            page->textColor = Value;
    }
    defaultTextColor = Value;
    update();
}

void TAdvPageControl::SetDefaultTabColor(TColor Value)
{
    for (TAdvTabSheet* page : std::as_const(pages)) {
        if (page->tabColor == defaultTabColor)
            page->tabColor = Value;
    }
    defaultTabColor = Value;
    update();
}

void TAdvPageControl::SetDefaultTabColorTo(TColor Value)
{
    for (TAdvTabSheet* page : std::as_const(pages)) {
        if (page->tabColorTo == defaultTabColorTo)
            page->tabColorTo = Value;
    }
    defaultTabColorTo = Value;
    update();
}

void TAdvPageControl::SetActiveColor(TColor Value)
{
    activeColor = Value;
    update();
}

void TAdvPageControl::SetActiveColorTo(TColor Value)
{
    activeColorTo = Value;
    update();
}

void TAdvPageControl::SetTabBackGroundColor(TColor Value)
{
    if (Value == tabBackGroundColor)
        return;
    tabBackGroundColor = Value;
    update();
}

void TAdvPageControl::SetTabBorderColor(TColor Value)
{
    tabBorderColor = Value;
    update();
}

void TAdvPageControl::SetTabSheet3D(bool Value)
{
    if (Value == tabSheet3D)
        return;
    tabSheet3D = Value;
    update();
}

void TAdvPageControl::SetTabSheetBorderColor(TColor Value)
{
    if (Value == tabSheetBorderColor)
        return;
    tabSheetBorderColor = Value;
    update();
}

void TAdvPageControl::SetTabBackGround(const TBitmap& Value)
{
    tabBackGround.Assign(&Value);
    update();
}

void TAdvPageControl::SetTabBackGroundActive(const TBitmap& Value)
{
    tabBackGroundActive.Assign(&Value);
    update();
}

void TAdvPageControl::SetTabSplitLine(bool Value)
{
    if (Value == tabSplitLine)
        return;
    if (Value && tabStyle != tsClassic)
        throw Exception(QStringLiteral("TabSplitLine must be false when TabStyle is tsDotNet/tsValdor"));
    tabSplitLine = Value;
    update();
}

void TAdvPageControl::SetRoundEdges(bool Value)
{
    if (Value == roundEdges)
        return;
    roundEdges = Value;
    update();
}

void TAdvPageControl::SetTabStyle(TTabStyle Value)
{
    if (Value == tabStyle)
        return;
    tabStyle = Value;
    update();
}

void TAdvPageControl::SetLowerActive(int Value)
{
    if (Value == lowerActive)
        return;
    lowerActive = Value;
    update();
}

void TAdvPageControl::SetCloseGlyph(const TBitmap& Value)
{
    closeGlyph.Assign(&Value);
    update();
}

void TAdvPageControl::SetClosePosition(TClosePosition Value)
{
    if (Value == closePosition)
        return;
    closePosition = Value;
    update();
}

bool TAdvPageControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != tabBar)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        const int tab = tabBar->tabAt(at);
        if (mouse->button() == Qt::LeftButton && tab >= 0) {
            if (tabBar->focusPolicy() & Qt::ClickFocus)
                tabBar->setFocus(Qt::MouseFocusReason);
            requestPage(pageOfTab(tab));
        }
        // The buttons are the control's alone: passed on, they would come back to it a second time.
        MouseDown(mouse->button(), tabBar->mapTo(this, at));
        return true;
    }
    case QEvent::MouseMove:
        MouseMove(tabBar->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint()));
        return false;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        MouseUp(mouse->button(), tabBar->mapTo(this, mouse->position().toPoint()));
        return true;
    }
    case QEvent::Leave:
        CMMouseLeave();
        return false;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Left && key->key() != Qt::Key_Right) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        const bool towardsStart = key->key() == (tabBar->isRightToLeft() ? Qt::Key_Right : Qt::Key_Left);
        requestPage(neighbourTabPage(towardsStart ? -1 : 1));
        return true;
    }
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        // A touch pad with pixel precision scrolls the tab row instead of changing the page.
        if (wheel->device() && wheel->device()->capabilities().testFlag(QInputDevice::Capability::PixelScroll))
            return false;
        const QPoint angle = wheel->angleDelta();
        const int delta = qAbs(angle.y()) > qAbs(angle.x()) ? angle.y() : angle.x();
        if (delta != 0)
            requestPage(neighbourTabPage(delta > 0 ? -1 : 1));
        return true;
    }
    case QEvent::Shortcut: {
        // The tab row registers the accelerators of the captions it shows; the page is chosen here.
        const QKeySequence key = static_cast<QShortcutEvent*>(event)->key();
        for (int i = 0; i < GetPageCount(); ++i) {
            TAdvTabSheet* page = pages[i];
            if (page->tabShowing && CanShowTab(i) && QKeySequence::mnemonic(page->caption) == key) {
                requestPage(page);
                break;
            }
        }
        return true;
    }
    default:
        return false;
    }
}

void TAdvPageControl::keyPressEvent(QKeyEvent* event)
{
    const bool tabKey = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tabKey && (event->modifiers() & Qt::ControlModifier)) {
        const bool backwards = event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        SelectNextPage(!backwards);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TAdvPageControl::resizeEvent(QResizeEvent*)
{
    arrange();
}

void TAdvPageControl::mousePressEvent(QMouseEvent* event)
{
    MouseDown(event->button(), event->position().toPoint());
}

void TAdvPageControl::mouseMoveEvent(QMouseEvent* event)
{
    MouseMove(event->position().toPoint());
}

void TAdvPageControl::mouseReleaseEvent(QMouseEvent* event)
{
    MouseUp(event->button(), event->position().toPoint());
}

void TAdvPageControl::leaveEvent(QEvent*)
{
    CMMouseLeave();
}

void TAdvPageControl::arrange()
{
    const QSize hint = tabBar->sizeHint();
    // Native tabs overlap the frame round the page as the style wants; owner-drawn ones keep two pixels from the
    // outer edge, room for their borders and hover frame, and meet the frame.
    const int overlap = tabBorder3D ? style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this) : 0;
    const int edge = tabBorder3D ? 0 : 2;
    const int h = hint.height() + edge;
    const int w = hint.width() + edge;
    const QRect all = rect();
    QRect body;
    switch (tabPosition) {
    case tpTop:
        tabBar->setGeometry(2, edge, qMax(0, all.width() - 4), hint.height());
        body = all.adjusted(0, h - overlap, 0, 0);
        break;
    case tpBottom:
        tabBar->setGeometry(2, all.height() - h, qMax(0, all.width() - 4), hint.height());
        body = all.adjusted(0, 0, 0, overlap - h);
        break;
    case tpLeft:
        tabBar->setGeometry(edge, 2, hint.width(), qMax(0, all.height() - 4));
        body = all.adjusted(w - overlap, 0, 0, 0);
        break;
    case tpRight:
        tabBar->setGeometry(all.width() - w, 2, hint.width(), qMax(0, all.height() - 4));
        body = all.adjusted(0, 0, overlap - w, 0);
        break;
    }
    stack->setGeometry(body.adjusted(PageInset, PageInset, -PageInset, -PageInset));
}

void TAdvPageControl::paintEvent(QPaintEvent*)
{
    TCanvas canvas(this);
    if (!tabBorder3D) {
        // The control's own colour stands in for the native painting under the owner drawing.
        canvas.Brush.Color = color;
        canvas.FillRect(FromQRect(rect()));
        canvas.Font = TFont::FromQFont(font());
        DrawAllTabs(canvas);
        return;
    }
    canvas.Brush.Color = tabBackGroundColor;
    canvas.FillRect(FromQRect(rect()));

    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = stack->geometry().adjusted(-PageInset, -PageInset, PageInset, PageInset);
    frame.shape = tabBar->shape();
    frame.tabBarSize = tabBar->size();
    frame.tabBarRect = tabBar->geometry();
    if (tabBar->currentIndex() >= 0)
        frame.selectedTabRect = tabBar->tabRect(tabBar->currentIndex()).translated(tabBar->pos());
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &canvas.Painter(), this);
}
