// A static text that shows markup and takes the keyboard focus: the arrow keys move the focus between its anchors
// and Enter or Space follows the focused one, text can blink, GIF pictures animate, a mini scroll bar of two small
// arrows scrolls text taller than the control, a disabled control shows its text embossed, and the control can
// size itself to its text. Web and mail anchors open through the platform's link policy; any other anchor is
// reported to the owner.
#pragma once

#include "Canvas.h"
#include "Forms.h"
#include "HTMLabel.h"
#include "HeldPainting.h"
#include "ImageList.h"
#include "PictureContainer.h"

#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

class QHelpEvent;

class THTMLStaticText : public QWidget
{
    Q_OBJECT
public:
    explicit THTMLStaticText(QWidget* parent = nullptr);

    // The markup: the lines are joined without separator for display.
    QStringList GetHTMLText() const { return htmlText; }
    void SetHTMLText(const QStringList& value);
    virtual QString GetDisplText() const { return htmlText.join(QString()); }
    // The displayed text without tags.
    QString GetText() const;

    TFont GetFont() const { return font; }
    void SetFont(const TFont& value);
    TColor GetColor() const { return color; }
    void SetColor(TColor value);
    bool GetTabStop() const { return focusPolicy() == Qt::StrongFocus; }
    void SetTabStop(bool value) { setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus); }

    TBevelCut GetBevelInner() const { return bevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut GetBevelOuter() const { return bevelOuter; }
    void SetBevelOuter(TBevelCut value);
    int GetBevelWidth() const { return bevelWidth; }
    void SetBevelWidth(int value);
    // The frame in Color between the bevels, and the width of the single border.
    int GetBorderWidth() const { return borderWidth; }
    void SetBorderWidth(int value);
    TBorderStyle GetBorderStyle() const { return borderStyle; }
    void SetBorderStyle(TBorderStyle value);

    bool GetAutoSizing() const { return autoSizing; }
    void SetAutoSizing(bool value);
    TAutoSizeType GetAutoSizeType() const { return autoSizeType; }
    void SetAutoSizeType(TAutoSizeType value);
    TVAlignment GetVAlignment() const { return vAlignment; }
    // Any placement but tvaTop switches MiniScroll off.
    void SetVAlignment(TVAlignment value);
    // Lines are cut with an end ellipsis instead of wrapping.
    bool GetEllipsis() const { return ellipsis; }
    void SetEllipsis(bool value);

    TColor GetURLColor() const { return urlColor; }
    void SetURLColor(TColor value);
    // Anchors take the hover style only under the mouse.
    bool GetHover() const { return hover; }
    void SetHover(bool value);
    TColor GetHoverColor() const { return hoverColor; }
    void SetHoverColor(TColor value) { hoverColor = value; }
    TColor GetHoverFontColor() const { return hoverFontColor; }
    void SetHoverFontColor(TColor value) { hoverFontColor = value; }
    TColor GetShadowColor() const { return shadowColor; }
    void SetShadowColor(TColor value);
    int GetShadowOffset() const { return shadowOffset; }
    void SetShadowOffset(int value);
    bool GetAnchorHint() const { return anchorHint; }
    void SetAnchorHint(bool value) { anchorHint = value; }

    // Blinking text and picture animation run on a 100 ms timer, which runs exactly while EnableBlink, AutoScroll or
    // MiniScroll is on.
    bool GetEnableBlink() const { return enableBlink; }
    void SetEnableBlink(bool value);
    // The mini scroll arrows scroll while the mouse rests on them, not only while a button is held.
    bool GetAutoScroll() const { return autoScroll; }
    void SetAutoScroll(bool value);
    // Two 10-pixel arrows at the right scroll a text taller than the control by 4 pixels a step; switching it on
    // places the text at the top.
    bool GetMiniScroll() const { return miniScroll; }
    void SetMiniScroll(bool value);
    // Pixels the text is moved up under MiniScroll.
    int GetVOffset() const { return scrollOffset; }
    void SetVOffset(int value);

    TImageList* GetImages() const { return images; }
    void SetImages(TImageList* value);
    TPictureContainer* GetPictureContainer() const { return pictureContainer; }
    void SetPictureContainer(TPictureContainer* value);

    QString GetVersion() const;
    void SetVersion(const QString&) {}
    static quint32 GetVersionNr();

    // The target of the anchor at the client point, or empty; hoverRect is the anchor's rectangle on its line.
    QString IsAnchor(int x, int y, TRect& hoverRect);
    // The 0-based anchor with the keyboard focus, -1 for none.
    int GetFocusAnchor() const { return focusAnchor; }
    bool IsTimerRunning() const { return timer.isActive(); }
    // One 100 ms tick of the timer: animation, scrolling while an arrow is held, blinking.
    void TimerTick();

    // Painting shows nothing new until the outermost EndUpdate.
    void BeginUpdate() { painting.Hold(); }
    void EndUpdate();
    void Doit() { update(); }
    // Runs the switches once the control is built: the timer follows EnableBlink, AutoScroll and MiniScroll.
    void Loaded();

    // Search matches marked in the text: highlighted, or underlined with a red zig-zag.
    void HilightText(const QString& text, bool caseSensitive);
    void MarkText(const QString& text, bool caseSensitive);
    void UnHilightText();
    void UnMarkText();

    std::function<void(THTMLStaticText* sender, const QString& anchor)> OnAnchorClick;
    std::function<void(THTMLStaticText* sender, const QString& anchor)> OnAnchorEnter;
    std::function<void(THTMLStaticText* sender, const QString& anchor)> OnAnchorExit;
    std::function<void(THTMLStaticText* sender, const QString& anchor)> OnAnchorKeypress;
    std::function<void(THTMLStaticText* sender)> OnMouseEnter;
    std::function<void(THTMLStaticText* sender)> OnMouseLeave;
    // After AutoSizing changed the control's size.
    std::function<void(THTMLStaticText* sender, int newWidth, int newHeight)> OnNewSize;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Where the text goes and where the arrows sit, for painting, hit testing and the arrow zones alike.
    struct Layout
    {
        TRect text;
        TRect arrowBox;
        bool upArrow = false;
        bool downArrow = false;
    };
    // What one engine call varies; the rest comes from the control's properties.
    struct EngineCall
    {
        TPoint point;
        int focusIndex = -1;
        int hoverNumber = -1;
        bool hitTestOnly = false;
        bool measureOnly = false;
        bool blinkVisible = false;
        bool withImages = true;
        TColor urlColor = clBlue;
        TColor hoverColor = clNone;
        TColor hoverFontColor = clNone;
    };
    struct EngineResult
    {
        bool onAnchor = false;
        QString anchor;
        QString focusedHref;
        int width = 0;
        int height = 0;
        int anchorCount = 0;
        int anchorNumber = -1;
        TRect hoverRect;
    };
    // The mini scroll arrows' boxes are this many pixels square; a step scrolls this many pixels.
    static constexpr int miniScrollArrow = 10;
    static constexpr int miniScrollStep = 4;

    EngineResult render(TCanvas& canvas, const TRect& bounds, const EngineCall& call);
    EngineCall stateCall() const;

    void Paint(TCanvas& canvas);
    void paintFrame(TCanvas& canvas);
    TRect innerRect() const;
    Layout layout(TCanvas& canvas, const EngineCall& base);
    Layout currentLayout();
    void placeVertically(TCanvas& canvas, TRect& rect, const EngineCall& base);
    // The anchor count and the focused anchor's target, as painting with the keyboard focus finds them.
    EngineResult anchorState();

    void changed();
    void HTMLChanged();
    void updateAutoSize();
    void updateTimer();
    void followAnchor(const QString& anchor, const std::function<void(THTMLStaticText*, const QString&)>& other);
    void moveFocusAnchor(bool forward);
    void scrollAtArrow(const Layout& l, TPoint p);
    void showHint(QHelpEvent* event);
    void setHandCursor(bool on);
    void enterAnchor(const QString& anchor, const TRect& rect);

    QStringList htmlText;
    TFont font;
    TColor color = clBtnFace;
    TBevelCut bevelInner = bvNone;
    TBevelCut bevelOuter = bvNone;
    int bevelWidth = 1;
    int borderWidth = 0;
    TBorderStyle borderStyle = bsNone;
    bool autoSizing = false;
    TAutoSizeType autoSizeType = asVertical;
    TVAlignment vAlignment = tvaTop;
    bool ellipsis = false;
    TColor urlColor = clBlue;
    bool hover = false;
    TColor hoverColor = clNone;
    TColor hoverFontColor = clNone;
    TColor shadowColor = clGray;
    int shadowOffset = 1;
    bool anchorHint = false;
    bool enableBlink = false;
    bool autoScroll = false;
    bool miniScroll = false;
    QPointer<TImageList> images;
    QPointer<TPictureContainer> pictureContainer;
    QMetaObject::Connection imagesChange;

    THTMLPictureCache pictureCache;
    QTimer timer;
    HeldPainting painting;
    bool blinkVisible = true;
    int tickCount = 0;
    int focusAnchor = -1;
    int hoverAnchor = -1;
    int lastHoverAnchor = 0;
    QString lastAnchor;
    TRect keptHoverRect;
    int scrollOffset = 0;
    bool buttonDown = false;
    bool handCursor = false;
    // Where the mouse is over the control; none once it has left.
    std::optional<TPoint> mousePos;
};
