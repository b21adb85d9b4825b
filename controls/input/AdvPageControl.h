// The tabbed container: a row of tabs over a stack of pages, one page shown at a time. Pages keep their place in
// the page list while their tab may be hidden, so a page index and a tab index are two different counts. Every
// change of page the user asks for (mouse, arrow keys, wheel, Ctrl+Tab, accelerators) is first put to OnCanChange
// with the page that would really become active; code that calls SetActivePage is not asked.
#pragma once

#include "Canvas.h"
#include "GradientDirection.h"
#include "ImageList.h"

#include <QPointer>
#include <QVector>
#include <QWidget>
#include <functional>

class QStackedWidget;
class QTabBar;
class TAdvPageControl;

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

// Fills the rectangle with Steps bands of colour from FromColor to ToColor (left to right when Horizontal, else
// top to bottom). Each band reaches one pixel into the next, so no seam shows; the last band never takes ToColor.
void PaintBandGradient(TCanvas& Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& Rect,
                       bool Horizontal);

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

class TAdvPageControl : public QWidget
{
    Q_OBJECT
public:
    explicit TAdvPageControl(QWidget* Owner = nullptr);
    ~TAdvPageControl() override;

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

    void BeginUpdate();
    void EndUpdate();

    bool GetTabBorder3D() const { return tabBorder3D; }
    void SetTabBorder3D(bool Value);
    TTabPosition GetTabPosition() const { return tabPosition; }
    void SetTabPosition(TTabPosition Value);
    // Accepted for the layouts; the tabs stay on one row.
    bool GetMultiLine() const { return multiLine; }
    void SetMultiLine(bool Value) { multiLine = Value; }
    TImageList* GetImages() const { return images; }
    void SetImages(TImageList* Value);
    TTabMargin& GetTabMargin() { return tabMargin; }
    void SetTabMargin(const TTabMargin& Value) { tabMargin.Assign(Value); }
    int GetTabOverlap() const { return tabOverlap; }
    void SetTabOverlap(int Value);
    const TFont& GetActiveFont() const { return activeFont; }
    void SetActiveFont(const TFont& Value);

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

    QString GetVersion() const { return VersionNrText(GetVersionNr()); }
    void SetVersion(const QString&) {}
    quint32 GetVersionNr() const { return 0x01060000; }

    // The tab row, for tests and for the later owner drawing.
    QTabBar* TabBar() const { return tabBar; }

    TNotifyEvent OnChange;
    std::function<void(QObject* Sender, int FromPage, int ToPage, bool& AllowChange)> OnCanChange;
    std::function<void(QObject* Sender, bool& AllowChange)> OnChanging;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend class TAdvTabSheet;

    // Called by the pages as they join, leave, show or hide their tab, or change their caption.
    void InsertPage(TAdvTabSheet* Page);
    void RemovePage(TAdvTabSheet* Page);
    void InsertTab(TAdvTabSheet* Page);
    void DeleteTab(TAdvTabSheet* Page, int TabIndex);
    void MoveTab(int CurIndex, int NewIndex);
    void UpdateTab(TAdvTabSheet* Page);
    void movePage(TAdvTabSheet* Page, int NewIndex);

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

    QTabBar* tabBar;
    QStackedWidget* stack;
    QVector<TAdvTabSheet*> pages;
    TAdvTabSheet* activePage = nullptr;
    bool noTabSelected = false;
    int updateCount = 0;

    bool tabBorder3D = false;
    TTabPosition tabPosition = tpTop;
    bool multiLine = false;
    QPointer<TImageList> images;
    TTabMargin tabMargin;
    int tabOverlap = 0;
    TFont activeFont;
    TColor defaultTextColor = clBlack;
    TColor defaultTabColor = clBtnFace;
    TColor defaultTabColorTo = clNone;
    TColor activeColor = clBtnFace;
    TColor activeColorTo = clNone;
    TColor tabBackGroundColor = clBtnFace;
};
