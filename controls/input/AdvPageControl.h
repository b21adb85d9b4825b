// The tabbed container: a row of tabs over a stack of pages, one page shown at a time. Pages keep their place in
// the page list while their tab may be hidden, so a page index and a tab index are two different counts. Every
// change of page the user asks for (mouse, arrow keys, wheel, Ctrl+Tab, accelerators) is first put to OnCanChange
// with the page that would really become active; code that calls SetActivePage is not asked.
#pragma once

#include "BandGradient.h"
#include "Canvas.h"
#include "GradientDirection.h"
#include "Graphics.h"
#include "ImageList.h"

#include <QPointer>
#include <QVector>
#include <QWidget>
#include <functional>
#include <optional>

class QStackedWidget;
class QTabBar;
class TAdvPageControl;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsClassic, tsDotNet, tsValdor };
// Where a tab's close button sits: before the caption or after it.
enum TClosePosition { cpLeft, cpRight };

// Copies of a bitmap area that leave out every pixel of the transparent colour: at its own size, or stretched from
// the source area to Width x Height.
void BlitTransparent(TCanvas& Canvas, const TBitmap& Bitmap, int X, int Y, int Width, int Height, int SrcX, int SrcY,
                     TColor TransparentColor);
void StretchBlitTransparent(TCanvas& Canvas, const TBitmap& Bitmap, int X, int Y, int Width, int Height, int SrcX,
                            int SrcY, int SrcWidth, int SrcHeight, TColor TransparentColor);
// A three-slice skin, Height (Width) long: the bitmap's first half, its two middle rows (columns) stretched, its second
// half. The colour of the bitmap's bottom-left pixel is transparent.
void PaintVerticalSlices(const TBitmap& Bitmap, TCanvas& Canvas, int X, int Y, int Height);
void PaintHorizontalSlices(const TBitmap& Bitmap, TCanvas& Canvas, int X, int Y, int Width);

// The page control's three tab margins; a change of one is reported before it is stored.
class TTabMargin
{
public:
    int GetLeftMargin() const { return margins[0]; }
    int GetTopMargin() const { return margins[1]; }
    int GetRightMargin() const { return margins[2]; }
    void SetLeftMargin(int Value) { SetMargin(0, Value); }
    void SetTopMargin(int Value) { SetMargin(1, Value); }
    void SetRightMargin(int Value) { SetMargin(2, Value); }
    // Index 0, 1, 2 for the left, top and right margin; any other index does nothing.
    void SetMargin(int Index, int Value);
    // Copies the three values without reporting a change.
    void Assign(const TTabMargin& Source);

    std::function<void(int NewValue, int OldValue, int Index)> OnMarginChange;

private:
    int margins[3] = {0, 0, 0};
};

class TAdvTabSheet : public QWidget
{
    Q_OBJECT
public:
    explicit TAdvTabSheet(QWidget* Owner = nullptr);
    ~TAdvTabSheet() override;

    TAdvPageControl* GetAdvPageControl() const { return pageControl; }
    // Leaves the current page control (if any) and joins Control as its last page; null leaves only.
    void SetAdvPageControl(TAdvPageControl* Control);

    QString GetCaption() const { return caption; }
    void SetCaption(const QString& Value);
    // The text that sizes an owner-drawn tab: the caption and one blank with a close button, else the caption
    // without its last two characters.
    QString GetTabText() const { return tabText; }

    // -1 without a page control; setting it moves the page (and its tab) within the page list.
    int GetPageIndex() const;
    void SetPageIndex(int Value);
    // -1 while the tab is not showing, else the place among the showing tabs.
    int GetTabIndex() const;
    bool GetTabShowing() const { return tabShowing; }

    bool GetTabVisible() const { return tabVisible; }
    void SetTabVisible(bool Value);
    bool GetTabEnable() const { return tabEnable; }
    // Refuses to disable the active page with "Can not disable active tab.".
    void SetTabEnable(bool Value);
    int GetImageIndex() const { return imageIndex; }
    // A negative index is stored as -1; the tab then shows the list's first image, as the native tabs did.
    void SetImageIndex(int Value);
    int GetNativeImageIndex() const { return nativeImageIndex; }
    bool GetShowClose() const { return showClose; }
    void SetShowClose(bool Value);
    bool GetHighlighted() const { return highlighted; }
    void SetHighlighted(bool Value);

    TColor GetColor() const { return color; }
    void SetColor(TColor Value);
    TColor GetColorTo() const { return colorTo; }
    void SetColorTo(TColor Value);
    TColor GetTextColor() const { return textColor; }
    void SetTextColor(TColor Value);
    TColor GetTabColor() const { return tabColor; }
    void SetTabColor(TColor Value);
    TColor GetTabColorTo() const { return tabColorTo; }
    void SetTabColorTo(TColor Value);
    TGradientDirection GetTabGradientDirection() const { return tabGradientDirection; }
    void SetTabGradientDirection(TGradientDirection Value);
    TGradientDirection GetHoverGradientDirection() const { return hoverGradientDirection; }
    void SetHoverGradientDirection(TGradientDirection Value) { hoverGradientDirection = Value; }

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnClose;
    std::function<void(QObject* Sender, bool& CanClose)> OnCanClose;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TAdvPageControl;

    void SetTabShowing(bool Value);
    void UpdateTabShowing();
    void repaintPageControl();

    TAdvPageControl* pageControl = nullptr;
    QString caption;
    QString tabText;
    TColor color = clBtnFace;
    TColor colorTo = clNone;
    TColor textColor = clBlack;
    TColor tabColor = clNone;
    TColor tabColorTo = clNone;
    TGradientDirection tabGradientDirection = gdVertical;
    TGradientDirection hoverGradientDirection = gdVertical;
    int imageIndex = 0;
    int nativeImageIndex = 0;
    bool showClose = false;
    bool tabVisible = true;
    bool tabShowing = false;
    bool highlighted = false;
    bool tabEnable = true;
};

// While TabBorder3D is False the control paints its tabs itself: coloured, gradient or skinned tabs in one of three
// styles, the active tab lowered and in ActiveFont, a hover look, close buttons, a focus frame and a frame round the
// page in the active page's colours. The tab row still lays the tabs out; each tab then takes the room of the tab
// margins (and of Images) as well. With TabBorder3D True the tab row draws its own tabs with Images as icons.
class TAdvPageControl : public QWidget
{
    Q_OBJECT
public:
    explicit TAdvPageControl(QWidget* Owner = nullptr);
    ~TAdvPageControl() override;

    // After the window is built: the tab margins take their room and the tabs their texts.
    void Loaded();

    int GetPageCount() const { return int(pages.size()); }
    // Raises the list's index error for an index out of range.
    TAdvTabSheet* GetPage(int Index) const;
    TAdvTabSheet* GetActivePage() const { return activePage; }
    // Makes one of this control's pages the active page (a page of another control is ignored); null shows none.
    void SetActivePage(TAdvTabSheet* Page);
    int GetActivePageIndex() const;
    // An index outside the page list clears the active page.
    void SetActivePageIndex(int Index);
    // The selected tab, -1 for none.
    int GetTabIndex() const;

    // The page index of the tab under a point of the control, -1 over no tab.
    int IndexOfTabAtEx(int X, int Y) const;
    // The rectangle of a page's tab, in the control's co-ordinates.
    TRect TabRectEx(int PageIndex) const;
    // The next page after CurPage (wrapping round), only pages with a visible tab when CheckTabVisible is set;
    // CurPage itself comes last, and null when there is none.
    TAdvTabSheet* FindNextPage(TAdvTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
    // Moves to the next or the previous selectable page, as Ctrl+Tab and Ctrl+Shift+Tab do.
    void SelectNextPage(bool GoForward);
    // Whether the page at a page index can take part: its Enabled state.
    virtual bool CanShowTab(int Index) const;

    // No painting at all from BeginUpdate to the matching EndUpdate.
    void BeginUpdate();
    void EndUpdate();

    bool GetTabBorder3D() const { return tabBorder3D; }
    void SetTabBorder3D(bool Value);
    TTabPosition GetTabPosition() const { return tabPosition; }
    void SetTabPosition(TTabPosition Value);
    // Accepted for the layouts; the tabs stay on one row.
    bool GetMultiLine() const { return multiLine; }
    void SetMultiLine(bool Value) { multiLine = Value; }
    // The height of every tab (its width at the left or right); 0 lets the text decide.
    int GetTabHeight() const { return tabHeight; }
    void SetTabHeight(int Value);
    TImageList* GetImages() const { return images; }
    void SetImages(TImageList* Value);
    TTabMargin& GetTabMargin() { return tabMargin; }
    // Copies the margins without reporting a change: their room follows at the next SetTabMargins.
    void SetTabMargin(const TTabMargin& Value) { tabMargin.Assign(Value); }
    // Gives the owner-drawn tabs the room of Images and the margins along the tab row.
    void SetTabMargins();
    int GetTabOverlap() const { return tabOverlap; }
    void SetTabOverlap(int Value);
    const TFont& GetActiveFont() const { return activeFont; }
    void SetActiveFont(const TFont& Value);

    TColor GetColor() const { return color; }
    void SetColor(TColor Value);
    TColor GetDefaultTextColor() const { return defaultTextColor; }
    void SetDefaultTextColor(TColor Value);
    TColor GetDefaultTabColor() const { return defaultTabColor; }
    void SetDefaultTabColor(TColor Value);
    TColor GetDefaultTabColorTo() const { return defaultTabColorTo; }
    void SetDefaultTabColorTo(TColor Value);
    TColor GetActiveColor() const { return activeColor; }
    void SetActiveColor(TColor Value);
    TColor GetActiveColorTo() const { return activeColorTo; }
    void SetActiveColorTo(TColor Value);
    TColor GetTabBackGroundColor() const { return tabBackGroundColor; }
    void SetTabBackGroundColor(TColor Value);
    TColor GetTabBorderColor() const { return tabBorderColor; }
    void SetTabBorderColor(TColor Value);
    bool GetTabSheet3D() const { return tabSheet3D; }
    void SetTabSheet3D(bool Value);
    TColor GetTabSheetBorderColor() const { return tabSheetBorderColor; }
    void SetTabSheetBorderColor(TColor Value);
    TColor GetTabHoverColor() const { return tabHoverColor; }
    void SetTabHoverColor(TColor Value) { tabHoverColor = Value; }
    TColor GetTabHoverColorTo() const { return tabHoverColorTo; }
    void SetTabHoverColorTo(TColor Value) { tabHoverColorTo = Value; }
    TColor GetTabHoverBorder() const { return tabHoverBorder; }
    void SetTabHoverBorder(TColor Value) { tabHoverBorder = Value; }
    // The skin of every tab and of the active one; the colour of a skin's bottom-left pixel is transparent.
    const TBitmap& GetTabBackGround() const { return tabBackGround; }
    void SetTabBackGround(const TBitmap& Value);
    const TBitmap& GetTabBackGroundActive() const { return tabBackGroundActive; }
    void SetTabBackGroundActive(const TBitmap& Value);
    bool GetTabSplitLine() const { return tabSplitLine; }
    // Refused with "TabSplitLine must be false when TabStyle is tsDotNet/tsValdor" under those styles.
    void SetTabSplitLine(bool Value);
    bool GetRoundEdges() const { return roundEdges; }
    void SetRoundEdges(bool Value);
    TTabStyle GetTabStyle() const { return tabStyle; }
    void SetTabStyle(TTabStyle Value);
    // How far the active tab's text and close button sit lower than the others'.
    int GetLowerActive() const { return lowerActive; }
    void SetLowerActive(int Value);
    bool GetShowFocus() const { return showFocus; }
    void SetShowFocus(bool Value) { showFocus = Value; }

    // Close buttons: a user picture (cut to 12 x 11) in place of the drawn box, and their place in the tab.
    const TBitmap& GetCloseGlyph() const { return closeGlyph; }
    void SetCloseGlyph(const TBitmap& Value);
    TClosePosition GetClosePosition() const { return closePosition; }
    void SetClosePosition(TClosePosition Value);
    // A closed page is destroyed, rather than kept for OpenClosedTab.
    bool GetFreeOnClose() const { return freeOnClose; }
    void SetFreeOnClose(bool Value) { freeOnClose = Value; }
    // The control is a dock site: a press on the close button closes at once. Docking itself is not offered.
    bool GetDockSite() const { return dockSite; }
    void SetDockSite(bool Value) { dockSite = Value; }
    // Whether a point of the control lies on the close button of a page's tab.
    bool IsOnButton(int PageIndex, int X, int Y) const;
    // Brings a closed page back by its object name, as the last page and not activated; false for a name no closed
    // page still alive carries.
    bool OpenClosedTab(const QString& Name);
    void OpenAllClosedTabs();

    QString GetVersion() const { return VersionNrText(GetVersionNr()); }
    void SetVersion(const QString&) {}
    quint32 GetVersionNr() const { return 0x01060000; }

    // The tab row, which lays the tabs out.
    QTabBar* TabBar() const;

    TNotifyEvent OnChange;
    std::function<void(QObject* Sender, int FromPage, int ToPage, bool& AllowChange)> OnCanChange;
    std::function<void(QObject* Sender, bool& AllowChange)> OnChanging;
    // Asked for every shown tab while the control paints its tabs; the tab's background, image and caption are
    // then left to the handler.
    std::function<void(QObject* Sender, int TabIndex, const TRect& Rect, bool Active)> OnDrawTab;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    friend class TAdvTabSheet;
    class TabRow;
    struct TabStrip;
    struct ClosedTab
    {
        QString name;
        QPointer<TAdvTabSheet> page;
    };

    // Called by the pages as they join, leave, show or hide their tab, or change their caption.
    void InsertPage(TAdvTabSheet* Page);
    void RemovePage(TAdvTabSheet* Page);
    void InsertTab(TAdvTabSheet* Page);
    void DeleteTab(TAdvTabSheet* Page, int TabIndex);
    void MoveTab(int CurIndex, int NewIndex);
    void UpdateTab(TAdvTabSheet* Page);
    void movePage(TAdvTabSheet* Page, int NewIndex);
    // What a page's tab says: its caption on a native tab, else the text that sizes it (widened for an active font
    // that is bold or italic).
    QString tabTextOf(const TAdvTabSheet* Page) const;
    void TabMarginChange(int NewValue, int OldValue, int Index);
    void addImagesRoom(const TImageList* list, int sign);
    bool horizontalTabs() const { return tabPosition == tpTop || tabPosition == tpBottom; }

    void ChangeActivePage(TAdvTabSheet* Page);
    void UpdateActivePage();
    // Selects the tab and makes its page the active page.
    void selectTab(int TabIndex);
    TAdvTabSheet* pageOfTab(int TabIndex) const;
    // The page the user asked for, after OnCanChange and OnChanging agreed; then OnChange.
    void requestPage(TAdvTabSheet* Page);
    // The page an arrow key or the wheel would select: the nearest enabled tab in that direction, no wrapping.
    TAdvTabSheet* neighbourTabPage(int step) const;
    bool isSelectable(const TAdvTabSheet* Page) const;
    void arrange();
    // The tabs were laid out anew: the tab row and the pages take their places again.
    void tabsChanged();

    // Painting (AdvPageControlPaint.cpp).
    void DrawAllTabs(TCanvas& Canvas);
    // One tab; the active one with a skin of its own only records where its text goes, for drawActiveSkinnedTab.
    void drawTab(TCanvas& Canvas, int PageIndex, const TabStrip& strip, std::optional<TPoint>& deferredText);
    void drawActiveSkinnedTab(TCanvas& Canvas, const TPoint& text);
    void fillTab(TCanvas& Canvas, const TRect& r, TColor from, TColor to, bool horizontal, bool active) const;
    TFont tabFont(bool active) const;
    // The page's image, at the left or right offset from the text on tabs at the sides; the text moves past it.
    void drawTabImage(TCanvas& Canvas, int imageIndex, int leftX, int rightX, int& textX, int& textY) const;
    void drawTabCaption(TCanvas& Canvas, const QString& caption, int textX, int textY, const TRect& r) const;
    TabStrip eraseTabs(TCanvas& Canvas) const;
    void drawPageFrame(TCanvas& Canvas, const TabStrip& strip) const;
    void drawFlatBorder(TCanvas& Canvas, const TabStrip& strip, bool frameDrawn) const;
    void drawRoundEdges(TCanvas& Canvas) const;
    void drawBaseline(TCanvas& Canvas, const TabStrip& strip, bool frameDrawn) const;
    void drawTabBorder(TCanvas& Canvas, int PageIndex, const TRect& r, bool Active, const TabStrip& strip) const;
    void paintSkin(const TBitmap& Skin, TCanvas& Canvas, int X, int Y, const TRect& r) const;
    void drawHoverFrame(TCanvas& Canvas) const;
    void DrawTabFocusFrame(TCanvas& Canvas, const TRect& r, bool Active, int Shorten) const;
    bool baselineJoinsTabs() const { return !tabSheet3D && !tabSplitLine; }

    // Close buttons and closed pages (AdvPageControlClose.cpp).
    void DrawCloseButton(TCanvas& Canvas, const TRect& TabRect, bool Active) const;
    void DrawHoverCloseButton(TCanvas& Canvas, const TRect& TabRect) const;
    void DrawDownCloseButton(TCanvas& Canvas, const TRect& TabRect) const;
    void DrawCloseGlyph(TCanvas& Canvas, const TPoint& Point) const;
    // The active tab's close button in the look the mouse gave it.
    void drawActiveCloseButton(TCanvas& Canvas, const TRect& TabRect) const;
    TPoint closeCell(const TRect& TabRect, int low, bool hotLook) const;
    int leftTabCloseEdge(const TRect& TabRect) const;
    void drawCloseBox(TCanvas& Canvas, const TPoint& cell, TColor fill, TColor frame, TColor cross) const;
    // Repaints the active tab's close button in its new look.
    void updateCloseButton();
    // Repaints a tab with its hover frame.
    void updateHoverArea(int index);
    // The active page, when the mouse may work its close button.
    TAdvTabSheet* closablePage() const;
    void closeActivePage();
    void pruneClosedTabs();
    void MouseDown(Qt::MouseButton Button, const QPoint& p);
    void MouseMove(const QPoint& p);
    void MouseUp(Qt::MouseButton Button, const QPoint& p);
    void CMMouseLeave();

    TabRow* tabBar;
    QStackedWidget* stack;
    QVector<TAdvTabSheet*> pages;
    TAdvTabSheet* activePage = nullptr;
    bool noTabSelected = false;
    int updateCount = 0;
    bool loaded = false;
    // The room every owner-drawn tab takes besides its text: the width along a row at the top or bottom, the height
    // along a column at the left or right.
    QSize marginRoom{1, 1};
    int hoverTabIndex = -1;
    // The active tab's close button shows its hot or its pressed look.
    bool closeHot = false;
    bool closeDown = false;
    QVector<ClosedTab> closedTabs;

    bool tabBorder3D = false;
    TTabPosition tabPosition = tpTop;
    bool multiLine = false;
    int tabHeight = 0;
    QPointer<TImageList> images;
    TTabMargin tabMargin;
    int tabOverlap = 0;
    TFont activeFont;
    TColor color = clBtnFace;
    TColor defaultTextColor = clBlack;
    TColor defaultTabColor = clBtnFace;
    TColor defaultTabColorTo = clNone;
    TColor activeColor = clBtnFace;
    TColor activeColorTo = clNone;
    TColor tabBackGroundColor = clBtnFace;
    TColor tabBorderColor = clGray;
    bool tabSheet3D = false;
    TColor tabSheetBorderColor = clGray;
    TColor tabHoverColor = clNone;
    TColor tabHoverColorTo = clNone;
    TColor tabHoverBorder = clNone;
    TBitmap tabBackGround;
    TBitmap tabBackGroundActive;
    bool tabSplitLine = false;
    bool roundEdges = false;
    TTabStyle tabStyle = tsClassic;
    int lowerActive = 2;
    bool showFocus = false;
    TBitmap closeGlyph;
    TClosePosition closePosition = cpLeft;
    bool freeOnClose = false;
    bool dockSite = false;
};
