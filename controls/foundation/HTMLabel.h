// A label that shows markup: styles, colours, pictures and clickable anchors over a plain, gradient or line
// background with optional bevels and border. Web and mail anchors open through the platform's link policy; any
// other anchor is reported to the owner. It can size itself to its text, show hover effects and hints, print itself
// onto another canvas and highlight search matches.
#pragma once

#include "Canvas.h"
#include "Forms.h"
#include "HeldPainting.h"
#include "ImageList.h"
#include "PictureContainer.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QHelpEvent;

enum TAutoSizeType { asVertical, asHorizontal, asBoth };
enum TGradientType { gtFullHorizontal, gtFullVertical, gtBottomLine, gtCenterLine, gtTopLine };
enum TVAlignment { tvaTop, tvaCenter, tvaBottom };

// The dimensions a markup control that sizes itself to its text may change: an alignment that fixes a dimension
// keeps it.
struct AutoSizeDirections
{
    bool horizontal = false;
    bool vertical = false;
};
AutoSizeDirections autoSizeDirections(const QWidget* control, TAutoSizeType type);

class THTMLabel : public QWidget
{
    Q_OBJECT
public:
    explicit THTMLabel(QWidget* parent = nullptr);

    // The markup; line breaks in it are dropped, as the lines of the text are one markup text.
    QString GetHTMLText() const { return htmlText; }
    void SetHTMLText(const QString& value);
    // The displayed markup, and its plain text.
    virtual QString GetDisplText() const { return htmlText; }
    QString GetText() const;

    TFont GetFont() const { return font; }
    void SetFont(const TFont& value);
    TColor GetColor() const { return color; }
    void SetColor(TColor value);
    TColor GetColorTo() const { return colorTo; }
    void SetColorTo(TColor value);
    TGradientType GetGradientType() const { return gradientType; }
    void SetGradientType(TGradientType value);
    bool GetTransparent() const { return transparent; }
    void SetTransparent(bool value);
    TBevelCut GetBevelInner() const { return bevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut GetBevelOuter() const { return bevelOuter; }
    void SetBevelOuter(TBevelCut value);
    int GetBevelWidth() const { return bevelWidth; }
    void SetBevelWidth(int value);
    int GetBorderWidth() const { return borderWidth; }
    void SetBorderWidth(int value);
    TBorderStyle GetBorderStyle() const { return borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TColor GetBorderColor() const { return borderColor; }
    void SetBorderColor(TColor value);

    bool GetAutoSizing() const { return autoSizing; }
    void SetAutoSizing(bool value);
    TAutoSizeType GetAutoSizeType() const { return autoSizeType; }
    void SetAutoSizeType(TAutoSizeType value);
    TVAlignment GetVAlignment() const { return vAlignment; }
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
    void SetHoverColor(TColor value);
    TColor GetHoverFontColor() const { return hoverFontColor; }
    void SetHoverFontColor(TColor value);
    TColor GetShadowColor() const { return shadowColor; }
    void SetShadowColor(TColor value);
    int GetShadowOffset() const { return shadowOffset; }
    void SetShadowOffset(int value);

    bool GetAnchorHint() const { return anchorHint; }
    void SetAnchorHint(bool value) { anchorHint = value; }
    bool GetHintShowFull() const { return hintShowFull; }
    void SetHintShowFull(bool value) { hintShowFull = value; }
    bool GetHTMLHint() const { return htmlHint; }
    void SetHTMLHint(bool value) { htmlHint = value; }

    TImageList* GetImages() const { return images; }
    void SetImages(TImageList* value);
    TPictureContainer* GetPictureContainer() const { return pictureContainer; }
    void SetPictureContainer(TPictureContainer* value);

    // The target of the anchor at the client point, or empty; hoverRect is the anchor's rectangle on its line.
    QString IsAnchor(int x, int y, TRect& hoverRect);
    // The laid-out size of the text, unlimited or within a width.
    QSize GetSize();
    QSize GetSizeWithMaxWidth(int maxWidth);
    // Draws the text onto another canvas (a printer's) with that canvas's font.
    void HTMLPrint(TCanvas& canvas, const TRect& rect);

    // Painting shows nothing new until the outermost EndUpdate.
    void BeginUpdate() { painting.Hold(); }
    void EndUpdate();

    // Search matches marked in the text: highlighted, or underlined with a red zig-zag.
    void HilightText(const QString& text, bool caseSensitive);
    void MarkText(const QString& text, bool caseSensitive);
    void UnHilightText();
    void UnMarkText();

    std::function<void(THTMLabel* sender, const QString& anchor)> OnAnchorClick;
    std::function<void(THTMLabel* sender, const QString& anchor)> OnAnchorEnter;
    std::function<void(THTMLabel* sender, const QString& anchor)> OnAnchorExit;
    std::function<void(THTMLabel* sender, QString& anchor)> OnAnchorHint;
    std::function<void(THTMLabel* sender)> OnMouseEnter;
    std::function<void(THTMLabel* sender)> OnMouseLeave;

protected:
    // What one engine call of the label varies; the rest comes from the label's properties.
    struct MarkupCall
    {
        TPoint point;
        int hoverNumber = -1;
        int shadowOffset = 2;
        bool hitTestOnly = false;
        bool measureOnly = false;
        bool scaleImages = false;
        bool hoverEnabled = false;
        TColor urlColor = clBlue;
        TColor hoverColor = clNone;
        TColor hoverFontColor = clNone;
        TColor shadowColor = clGray;
    };
    struct MarkupResult
    {
        bool onAnchor = false;
        QString anchor;
        int width = 0;
        int height = 0;
        int anchorNumber = -1;
        TRect hoverRect;
    };
    // Every engine use of the label goes through here.
    virtual MarkupResult HTMLPaint(TCanvas& canvas, const QString& markup, const TRect& bounds, const MarkupCall& call);
    // The label's own colours, hover state and shadow.
    MarkupCall propertyCall() const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Paint(TCanvas& canvas);
    void paintBackground(TCanvas& canvas);
    void paintFrame(TCanvas& canvas);
    TRect textRect() const;
    void placeVertically(TCanvas& canvas, const QString& markup, TRect& rect, TPoint point, int hoverNumber);
    void updateAutoSize();
    void HTMLChanged();
    void changed();
    void HoverInvalidate(const TRect& rect);
    void showHint(QHelpEvent* event);

    QString htmlText;
    TFont font;
    TColor color = clBtnFace;
    TColor colorTo = clNone;
    TGradientType gradientType = gtFullHorizontal;
    bool transparent = false;
    TBevelCut bevelInner = bvNone;
    TBevelCut bevelOuter = bvNone;
    int bevelWidth = 1;
    int borderWidth = 0;
    TBorderStyle borderStyle = bsNone;
    TColor borderColor = clBlack;
    bool autoSizing = false;
    TAutoSizeType autoSizeType = asVertical;
    TVAlignment vAlignment = tvaTop;
    bool ellipsis = false;
    TColor urlColor = clBlue;
    bool hover = false;
    TColor hoverColor = clNone;
    TColor hoverFontColor = clNone;
    TColor shadowColor = clGray;
    int shadowOffset = 2;
    bool anchorHint = false;
    bool hintShowFull = false;
    bool htmlHint = false;
    QPointer<TImageList> images;
    QPointer<TPictureContainer> pictureContainer;
    QMetaObject::Connection imagesChange;

    THTMLPictureCache pictureCache;
    HeldPainting painting;
    int hoverAnchor = -1;
    int lastHoverAnchor = -1;
    QString lastAnchor;
    TRect keptHoverRect = Rect(-1, -1, -1, -1);
    bool handCursor = false;
};
