// The panel that paints its own body: a solid colour, a banded gradient or a mirror gradient (two gradients in the
// two halves), a border with a soft shadow, bevels, a background picture and a markup text with links, a size grip
// and a status bar along the bottom. The windows tint panels through SetColorTo (the sex of a person, for one).
// The caption bar is kept as settings only for now: it stays hidden and takes no room.
#pragma once

#include "AdvImage.h"
#include "AnchorEvents.h"
#include "Canvas.h"
#include "Forms.h"
#include "GradientDirection.h"
#include "HTMLabel.h"
#include "ImageList.h"
#include "PictureContainer.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

// Scoped: the markup pictures have a placement of their own with the same names.
enum class TBackGroundPosition { bpTopLeft, bpTopRight, bpBottomLeft, bpBottomRight, bpTiled, bpStretched, bpCenter };
// The panel places its text as the markup labels do.
using TTextVAlignment = TVAlignment;

// The settings of the panel's caption bar. Only what the body needs is here yet: whether the bar shows (it does not
// until the bar is drawn), where it sits, its height, its text and font.
class TPanelCaption
{
public:
    enum TCaptionPosition { cpTop, cpLeft };

    TPanelCaption();

    bool GetVisible() const { return visible; }
    void SetVisible(bool Value);
    TCaptionPosition GetPosition() const { return position; }
    void SetPosition(TCaptionPosition Value);
    int GetHeight() const { return height; }
    void SetHeight(int Value);
    QString GetText() const { return text; }
    void SetText(const QString& Value);
    const TFont& GetFont() const { return font; }
    void SetFont(const TFont& Value);
    int GetIndent() const { return indent; }
    void SetIndent(int Value);
    int GetTopIndent() const { return topIndent; }
    void SetTopIndent(int Value);

    // Copies the look (font and height); the text, visibility, position and top indent stay.
    void Assign(const TPanelCaption& Source);

    TNotifyEvent OnChange;
    TNotifyEvent OnStateChange;
    TNotifyEvent OnPositionChange;

private:
    void Changed();

    bool visible = false;
    TCaptionPosition position = cpTop;
    int height = 20;
    QString text;
    TFont font;
    int indent = 0;
    int topIndent = 0;
};

// The strip along the bottom of the panel (along the right edge when the caption bar is at the left).
class TPanelStatusBar
{
public:
    TPanelStatusBar();

    bool GetBevelInner() const { return bevelInner; }
    void SetBevelInner(bool Value);
    TColor GetBorderColor() const { return borderColor; }
    void SetBorderColor(TColor Value);
    TBorderStyle GetBorderStyle() const { return borderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    int GetImageIndex() const { return imageIndex; }
    void SetImageIndex(int Value);
    const TFont& GetFont() const { return font; }
    void SetFont(const TFont& Value);
    // Markup while the caption bar is at the top, plain text otherwise.
    QString GetText() const { return text; }
    void SetText(const QString& Value);
    TColor GetColor() const { return color; }
    void SetColor(TColor Value);
    TColor GetColorTo() const { return colorTo; }
    void SetColorTo(TColor Value);
    TGradientDirection GetGradientDirection() const { return gradientDirection; }
    void SetGradientDirection(TGradientDirection Value);
    int GetHeight() const { return height; }
    void SetHeight(int Value);
    bool GetVisible() const { return visible; }
    void SetVisible(bool Value);

    // Copies the colours, gradient, border and font; visibility, height, text, image and bevel stay.
    void Assign(const TPanelStatusBar& Source);

    TNotifyEvent OnChange;

private:
    void Changed();
    template <class T>
    void change(T& field, const T& value);

    bool bevelInner = false;
    TColor borderColor = clBlack;
    TBorderStyle borderStyle = bsNone;
    int imageIndex = -1;
    TFont font;
    QString text;
    TColor color = clBtnFace;
    TColor colorTo = clNone;
    TGradientDirection gradientDirection = gdHorizontal;
    int height = 18;
    bool visible = false;
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

    TPanelCaption& GetCaption() { return caption; }
    void SetCaption(const TPanelCaption& Value) { caption.Assign(Value); }
    TPanelStatusBar& GetStatusBar() { return statusBar; }
    void SetStatusBar(const TPanelStatusBar& Value) { statusBar.Assign(Value); }

    QString GetVersion() const { return VersionNrText(GetVersionNr()); }
    void SetVersion(const QString&) {}
    quint32 GetVersionNr() const { return 0x01070900; }

    // Copies another panel's settings, except its width, ellipsis, gradient direction, indents, line spacing,
    // buffering, border width and events. Raises "Invalid class typecast" for anything but a panel.
    void Assign(const QObject* Source);
    // After the window is built: the cursor set now is the one links give back when the pointer leaves them.
    void Loaded();
    void BeginUpdate();
    void EndUpdate();
    // Sizing to the text comes with the caption bar; until then the panel keeps its size.
    void DoAutoSize() {}
    // The target of the body link under a client point (empty for none) and the link's rectangle.
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

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
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
                              TColor hoverBack, TColor hoverFont);
    void paintBody(TCanvas& canvas);
    void paintBackground(TCanvas& canvas, const TRect& r);
    void paintText(TCanvas& canvas, TRect r);
    void paintStatusBar(TCanvas& canvas);
    void paintSizeGrip(TCanvas& canvas);
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

    int bodyHoverLink = -1;
    int previousBodyHoverLink = -1;
    int captionHoverLink = -1;
    QString lastAnchor;
    TRect bodyHoverRect;
    QCursor defaultCursor;
};

class TAdvPanel : public TCustomAdvPanel
{
    Q_OBJECT
public:
    explicit TAdvPanel(QWidget* Owner = nullptr);
};
