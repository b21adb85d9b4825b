// The panel that paints its own body: a solid colour, a banded gradient or a mirror gradient (two gradients in the
// two halves), a border with a soft shadow, bevels, a background picture and a markup text with links, a size grip
// and a status bar along the bottom. A caption bar along the top or the left edge, shaded or plain, carries a text
// with links and close and min/max buttons; collapsing leaves only the bar. A panel styler can hand the panel its
// whole look. The windows tint panels through SetColorTo (the sex of a person, for one).
#pragma once

#include "AdvImage.h"
#include "AdvPanelSettings.h"
#include "AnchorEvents.h"
#include "Canvas.h"
#include "Forms.h"
#include "ImageList.h"
#include "PictureContainer.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

// Scoped: the markup pictures have a placement of their own with the same names.
enum class TBackGroundPosition { bpTopLeft, bpTopRight, bpBottomLeft, bpBottomRight, bpTiled, bpStretched, bpCenter };

class TAdvPanelStyler;
class TCustomAdvPanel;

enum TPanelPositionLocation { clRegistry, clInifile };

// Where a panel keeps its place, size and collapsed state between runs: under [Section] of an INI file named by
// Key (with clRegistry, Key is a registry path that names the file).
class TPanelPosition
{
public:
    // Load once the panel is built, save when it is destroyed.
    bool GetSave() const { return save; }
    void SetSave(bool Value) { save = Value; }
    QString GetKey() const { return key; }
    void SetKey(const QString& Value) { key = Value; }
    QString GetSection() const { return section; }
    void SetSection(const QString& Value) { section = Value; }
    TPanelPositionLocation GetLocation() const { return location; }
    void SetLocation(TPanelPositionLocation Value) { location = Value; }
    void Assign(const TPanelPosition& Source);

private:
    bool save = false;
    QString key;
    QString section;
    TPanelPositionLocation location = clRegistry;
};

// Sizing the panel to its text, in the dimensions chosen.
class TAutoSize
{
public:
    explicit TAutoSize(TCustomAdvPanel* owner) : owner(owner) {}

    // Switching it on sizes the panel at once.
    bool GetEnabled() const { return enabled; }
    void SetEnabled(bool Value);
    bool GetHeight() const { return height; }
    void SetHeight(bool Value) { height = Value; }
    bool GetWidth() const { return width; }
    void SetWidth(bool Value) { width = Value; }
    void Assign(const TAutoSize& Source);

private:
    TCustomAdvPanel* owner;
    bool enabled = false;
    bool height = true;
    bool width = true;
};

class TCustomAdvPanel : public QWidget, public TAlignHost
{
    Q_OBJECT
public:
    explicit TCustomAdvPanel(QWidget* Owner = nullptr);
    ~TCustomAdvPanel() override;

    // Colour routines of the body. BlendColor mixes Percent of Color1 with the rest of Color2. DrawGradient paints
    // at most 32 bands, each overlapping the next by a pixel, so the end colour itself is never reached.
    // DrawMirrorGradient splits the rectangle in two halves with a gradient each.
    static TColor BlendColor(TColor Color1, TColor Color2, int Percent);
    static void DrawGradient(TCanvas& Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R,
                             bool Horizontal);
    static void DrawMirrorGradient(TCanvas& Canvas, const TRect& R, TColor FromColor, TColor ToColor, TColor MirrorFrom,
                                   TColor MirrorTo, TGradientDirection Direction, TColor FrameColor, bool Fill);

    TColor GetColor() const { return color; }
    void SetColor(TColor Value);
    TColor GetColorTo() const { return colorTo; }
    // Repaints only when the colour changes.
    void SetColorTo(TColor Value);
    TColor GetColorMirror() const { return colorMirror; }
    void SetColorMirror(TColor Value);
    TColor GetColorMirrorTo() const { return colorMirrorTo; }
    void SetColorMirrorTo(TColor Value);
    TGradientDirection GetGradientDirection() const { return gradientDirection; }
    void SetGradientDirection(TGradientDirection Value);

    TColor GetBorderColor() const { return borderColor; }
    void SetBorderColor(TColor Value);
    bool GetBorderShadow() const { return borderShadow; }
    void SetBorderShadow(bool Value);
    // The border line is drawn only while this is above 0; it also keeps the children that far inside.
    int GetBorderWidth() const { return borderWidth; }
    void SetBorderWidth(int Value);
    TBevelCut GetBevelInner() const { return bevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut GetBevelOuter() const { return bevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    int GetBevelWidth() const { return bevelWidth; }
    void SetBevelWidth(int Value);

    TAdvImage* GetBackground() { return &background; }
    // Copies the picture.
    void SetBackground(const TGraphic* Value);
    TBackGroundPosition GetBackgroundPosition() const { return backgroundPosition; }
    void SetBackgroundPosition(TBackGroundPosition Value);

    QString GetText() const { return text; }
    void SetText(const QString& Value);
    // The body text without its markup.
    QString GetRawText() const;
    TTextVAlignment GetTextVAlign() const { return textVAlign; }
    void SetTextVAlign(TTextVAlignment Value);
    int GetIndent() const { return indent; }
    void SetIndent(int Value);
    int GetTopIndent() const { return topIndent; }
    void SetTopIndent(int Value);
    int GetLineSpacing() const { return lineSpacing; }
    void SetLineSpacing(int Value);
    bool GetEllipsis() const { return ellipsis; }
    void SetEllipsis(bool Value);
    const TFont& GetFont() const { return font; }
    void SetFont(const TFont& Value);
    TColor GetURLColor() const { return urlColor; }
    void SetURLColor(TColor Value);
    TColor GetHoverColor() const { return hoverColor; }
    void SetHoverColor(TColor Value);
    TColor GetHoverFontColor() const { return hoverFontColor; }
    void SetHoverFontColor(TColor Value);
    TColor GetShadowColor() const { return shadowColor; }
    void SetShadowColor(TColor Value);
    int GetShadowOffset() const { return shadowOffset; }
    void SetShadowOffset(int Value);
    bool GetHover() const { return hover; }
    void SetHover(bool Value) { hover = Value; }
    bool GetAnchorHint() const { return anchorHint; }
    void SetAnchorHint(bool Value) { anchorHint = Value; }
    TImageList* GetImages() const { return images; }
    void SetImages(TImageList* Value);
    TPictureContainer* GetPictureContainer() const { return pictureContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    bool GetCanSize() const { return canSize; }
    void SetCanSize(bool Value);
    bool GetBuffered() const { return buffered; }
    void SetBuffered(bool Value) { buffered = Value; }

    // The border style is kept for the styles that set it; the panel's own border is BorderColor and BorderWidth.
    TBorderStyle GetBorderStyle() const { return borderStyle; }
    void SetBorderStyle(TBorderStyle Value) { borderStyle = Value; }
    bool GetShowHint() const { return showHint; }
    void SetShowHint(bool Value) { showHint = Value; }
    // The cursor, which links also give back when the pointer leaves them.
    void SetCursor(Qt::CursorShape Value);

    TPanelCaption& GetCaption() { return caption; }
    void SetCaption(const TPanelCaption& Value) { caption.Assign(Value); }
    TPanelStatusBar& GetStatusBar() { return statusBar; }
    void SetStatusBar(const TPanelStatusBar& Value) { statusBar.Assign(Value); }
    // True while the panel is collapsed to its caption bar. Collapsing keeps the expanded size as the full height
    // and, with CollapsSteps, shrinks the panel step by step, repainting and waiting CollapsDelay ms between steps.
    bool GetCollaps() const { return collaps; }
    void SetCollaps(bool Value);
    // The expanded height (the expanded width for a caption bar at the left).
    int GetFullHeight() const { return fullHeight; }
    // The size setters of the program: while the panel is expanded they also set the full height.
    void SetHeight(int Value);
    void SetWidth(int Value);
    // Hides every child control, or shows those that were not hidden already when they were hidden.
    void ShowHideChildren(bool Show);
    // The close button destroys the panel.
    bool GetFreeOnClose() const { return freeOnClose; }
    void SetFreeOnClose(bool Value) { freeOnClose = Value; }
    // The body's colour while the panel collapses and while it stays collapsed.
    TColor GetCollapsColor() const { return collapsColor; }
    void SetCollapsColor(TColor Value) { collapsColor = Value; }
    // Milliseconds per step of the collapse animation, and its steps (0: none).
    int GetCollapsDelay() const { return collapsDelay; }
    void SetCollapsDelay(int Value) { collapsDelay = Value; }
    int GetCollapsSteps() const { return collapsSteps; }
    void SetCollapsSteps(int Value) { collapsSteps = Value; }
    // Collapsing hides the child controls.
    bool GetAutoHideChildren() const { return autoHideChildren; }
    void SetAutoHideChildren(bool Value) { autoHideChildren = Value; }
    // Dragging by the caption bar, and the limits on moving and sizing.
    bool GetCanMove() const { return canMove; }
    void SetCanMove(bool Value) { canMove = Value; }
    bool GetFixedTop() const { return fixedTop; }
    void SetFixedTop(bool Value) { fixedTop = Value; }
    bool GetFixedLeft() const { return fixedLeft; }
    void SetFixedLeft(bool Value) { fixedLeft = Value; }
    bool GetFixedHeight() const { return fixedHeight; }
    void SetFixedHeight(bool Value) { fixedHeight = Value; }
    bool GetFixedWidth() const { return fixedWidth; }
    void SetFixedWidth(bool Value) { fixedWidth = Value; }
    bool GetShowMoveCursor() const { return showMoveCursor; }
    void SetShowMoveCursor(bool Value) { showMoveCursor = Value; }

    TPanelPosition& GetPosition() { return position; }
    void SetPosition(const TPanelPosition& Value) { position.Assign(Value); }
    // The place, size and collapsed state written to, and read from, the Position's store.
    void SavePosition();
    void LoadPosition();
    TAutoSize& GetAutoSize() { return autoSize; }
    void SetAutoSizeEx(const TAutoSize& Value) { autoSize.Assign(Value); }
    // Tells the panel group the panel sits in that it changed.
    void Synchronize();
    // The panel's place in its group's order.
    int GetIndex() const { return index; }
    void SetIndex(int Value) { index = Value; }

    // The styler whose settings the panel takes (not owned).
    TAdvPanelStyler* GetStyler() const;
    virtual void SetStyler(TAdvPanelStyler* Value);
    // Takes a styler's settings: the look and the behaviour, but not the text, hint, size, position or collapsed
    // state; the panel's own close and min/max buttons stay.
    virtual void AssignStyle(const TAdvPanelSettings& Settings);
    // AssignStyle, then the size and hint of the settings.
    void AssignSettings(const TAdvPanelSettings& Settings);
    // Renders the caption bar's shade picture for the bar's present size.
    virtual void ShadeHeader();
    const QImage& GetShadeBitmap() const { return shadeBitmap; }
    // The caption bar was shown or hidden.
    virtual void StateChange() {}
    // The caption bar and its buttons are drawn themed.
    bool DoVisualStyles() const;

    QString GetVersion() const { return VersionNrText(GetVersionNr()); }
    void SetVersion(const QString&) {}
    quint32 GetVersionNr() const { return 0x01070900; }

    // Copies another panel's settings, except its width, ellipsis, gradient direction, indents, line spacing,
    // buffering, border width and events. Raises "Invalid class typecast" for anything but a panel.
    void Assign(const QObject* Source);
    // After the window is built: the cursor set now is the one links give back when the pointer leaves them, and a
    // styler's settings are taken.
    void Loaded();
    void BeginUpdate();
    void EndUpdate();
    // With AutoSize on, sizes the panel to its text, the caption bar and the status bar.
    void DoAutoSize();
    // The target of the caption or body link under a client point (empty for none) and the link's rectangle.
    QString IsAnchor(int X, int Y, TRect& HoverRect);

    void AdjustClientRect(TRect& R) override;
    void AlignControls(QWidget* Control, TRect& R) override;

    TAnchorEvent OnAnchorClick;
    TAnchorEvent OnAnchorEnter;
    TAnchorEvent OnAnchorExit;
    std::function<void(QObject* Sender, QString& Anchor)> OnAnchorHint;
    std::function<void(QObject* Sender, TCanvas& ACanvas, const TRect& ARect)> OnPaint;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnMaximize;
    TNotifyEvent OnEndCollapsExpand;
    TNotifyEvent OnClose;
    TNotifyEvent OnCaptionClick;
    TNotifyEvent OnCaptionDBlClick;
    TNotifyEvent OnEndMoveSize;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct MarkupResult
    {
        bool onAnchor = false;
        QString anchor;
        int width = 0;
        int height = 0;
        int anchorNumber = -1;
        TRect hoverRect;
    };
    MarkupResult renderMarkup(TCanvas& canvas, const QString& markup, const TRect& rect, int x, int y, bool hitTest,
                              int hoverLink, int shadow, bool hoverEnabled, bool wordWrap, TColor linkColor,
                              TColor hoverBack, TColor hoverFont, bool measureOnly = false);
    void paintBody(TCanvas& canvas);
    void paintBackground(TCanvas& canvas, const TRect& r);
    void paintText(TCanvas& canvas, TRect r);
    void paintStatusBar(TCanvas& canvas);
    void paintSizeGrip(TCanvas& canvas);
    // AdvPanelCaption.cpp: the caption bar, its buttons and text, and the buttons under the mouse.
    void paintCaption(TCanvas& canvas);
    void DrawCaptionBkg(TCanvas& canvas, const TRect& R);
    void paintCaptionButtons(TCanvas& canvas, TRect& r);
    void paintCaptionText(TCanvas& canvas, TRect r);
    // The width of the caption's buttons and their boxes in the client rectangle (the min/max box after the close
    // button's).
    int captionButtonSize() const;
    TRect closeButtonBox() const;
    TRect minMaxButtonBox() const;
    // The client rectangle with the close button's place cut off at the buttons' end.
    TRect clientPastCloseButton() const;
    bool inCaptionZone(int x, int y) const;
    void captionMouseMove(const QString& anchor, const TRect& hoverRect);
    void bodyMouseMove(const QString& anchor, const TRect& hoverRect);
    void updateButtonHover(TPoint p);
    // The client rectangle inside the bevels, the border and the shadow, where texts are laid out and hit-tested.
    TRect textArea() const;

    // AdvPanelCollapse.cpp: collapsing, the caption's clicks, moving and sizing with the mouse, automatic size.
    void collapse();
    void expand();
    // One step of the animation: repaint, tell the group, wait. False when the panel was destroyed meanwhile.
    bool animationStep();
    void captionMouseUp(TPoint p);
    TRect captionBarArea() const;
    // What a press at p starts: a drag by the caption bar, or sizing at the right or bottom edge.
    enum class Drag { None, Move, SizeRight, SizeBottom, SizeBoth };
    Drag dragAt(TPoint p);
    void startDrag(Drag kind, const QPointF& globalPos);
    void dragTo(const QPointF& globalPos);
    void endDrag();
    void showDragCursor(TPoint p);
    // The text's height when it does not start at the top: measured without drawing.
    void alignVertically(TCanvas& canvas, TRect& r);
    bool captionAtTop() const { return caption.GetPosition() == TPanelCaption::cpTop; }
    void invalidateHover(const TRect& r);
    void enterAnchor(const QString& anchor, const TRect& hoverRect);
    void changed();

    TColor color = clBtnFace;
    TColor colorTo = clNone;
    TColor colorMirror = clNone;
    TColor colorMirrorTo = clNone;
    TGradientDirection gradientDirection = gdVertical;
    TColor borderColor = clBlack;
    bool borderShadow = false;
    int borderWidth = 0;
    TBevelCut bevelInner = bvNone;
    TBevelCut bevelOuter = bvRaised;
    int bevelWidth = 1;
    TAdvImage background;
    TBackGroundPosition backgroundPosition = TBackGroundPosition::bpTopLeft;
    QString text;
    TTextVAlignment textVAlign = tvaTop;
    int indent = 0;
    int topIndent = 0;
    int lineSpacing = 0;
    bool ellipsis = false;
    TFont font;
    TColor urlColor = clBlue;
    TColor hoverColor = clNone;
    TColor hoverFontColor = clNone;
    TColor shadowColor = clGray;
    int shadowOffset = 2;
    bool hover = false;
    bool anchorHint = false;
    QPointer<TImageList> images;
    QPointer<TPictureContainer> pictureContainer;
    bool canSize = false;
    bool buffered = true;
    TPanelCaption caption;
    TPanelStatusBar statusBar;
    std::unique_ptr<THTMLPictureCache> pictureCache;
    QImage shadeBitmap;
    TBorderStyle borderStyle = bsNone;
    bool showHint = false;
    bool collaps = false;
    TColor collapsColor = clGray;
    int collapsDelay = 20;
    int collapsSteps = 0;
    bool autoHideChildren = true;
    bool canMove = false;
    bool fixedTop = false;
    bool fixedLeft = false;
    bool fixedHeight = false;
    bool fixedWidth = false;
    bool showMoveCursor = false;
    QPointer<TAdvPanelStyler> styler;
    bool freeOnClose = false;
    int index = 0;
    TPanelPosition position;
    TAutoSize autoSize{this};
    int fullHeight = 0;
    // The panel's own colour while an animated collapse shows CollapsColor in its place.
    TColor savedColor = clBtnFace;
    bool collapsColorShown = false;
    bool collapsBusy = false;
    QList<QPointer<QWidget>> hiddenBefore;
    struct DragState
    {
        Drag kind = Drag::None;
        QPointF startMouse;
        QRect startGeometry;
        bool moved = false;
    } drag;
    bool dragCursorShown = false;

    int bodyHoverLink = -1;
    int previousBodyHoverLink = -1;
    int captionHoverLink = -1;
    QString lastAnchor;
    TRect bodyHoverRect;
    TRect captionHoverRect;
    bool closeHot = false;
    bool minMaxHot = false;
    QCursor defaultCursor;
};

class TAdvPanel : public TCustomAdvPanel
{
    Q_OBJECT
public:
    explicit TAdvPanel(QWidget* Owner = nullptr);
};
