// The settings objects of the panel: its caption bar, its status bar, and the whole set of panel settings that a
// panel styler hands to its panels. Each notifies its owner of changes through its events.
#pragma once

#include "AdvPanelShade.h"
#include "Canvas.h"
#include "Forms.h"
#include "GradientDirection.h"
#include "Graphics.h"
#include "HTMLabel.h"

#include <QString>

// The panel places its text as the markup labels do.
using TTextVAlignment = TVAlignment;

enum TCaptionButtonPosition { cbpRight, cbpLeft };
enum TCaptionShape { csRectangle, csRounded, csSemiRounded };

// The caption bar: along the top, or turned along the left edge, with a text, a close button and a min/max button,
// over a plain or gradient colour, the themed window caption, a picture or a shade picture.
class TPanelCaption
{
public:
    enum TCaptionPosition { cpTop, cpLeft };

    TPanelCaption();

    // The picture of the bitmap shade types.
    const TBitmap& GetBackground() const { return background; }
    void SetBackground(const TBitmap& Value);
    // Where the buttons sit: the right end of a top bar (the top end of a left bar), or the other end.
    TCaptionButtonPosition GetButtonPosition() const { return buttonPosition; }
    void SetButtonPosition(TCaptionButtonPosition Value);
    // The bar's colour and the base colour of the shades.
    TColor GetColor() const { return color; }
    void SetColor(TColor Value);
    // The end colour of a plain bar's gradient; clNone for none.
    TColor GetColorTo() const { return colorTo; }
    void SetColorTo(TColor Value);
    // A plain bar's colour while the panel is collapsed.
    TColor GetCloseColor() const { return closeColor; }
    void SetCloseColor(TColor Value);
    bool GetCloseButton() const { return closeButton; }
    void SetCloseButton(bool Value);
    TColor GetCloseButtonColor() const { return closeButtonColor; }
    void SetCloseButtonColor(TColor Value);
    // The cross's colour under the mouse; clNone: the button does not follow the mouse.
    TColor GetCloseButtonHoverColor() const { return closeButtonHoverColor; }
    void SetCloseButtonHoverColor(TColor Value) { closeButtonHoverColor = Value; }
    // The close button's pictures while collapsed and expanded, used only when both are set.
    const TBitmap& GetCloseMinGlyph() const { return closeMinGlyph; }
    void SetCloseMinGlyph(const TBitmap& Value);
    const TBitmap& GetCloseMaxGlyph() const { return closeMaxGlyph; }
    void SetCloseMaxGlyph(const TBitmap& Value);
    // No 3-D edge around a rectangular shaded bar.
    bool GetFlat() const { return flat; }
    void SetFlat(bool Value);
    const TFont& GetFont() const { return font; }
    void SetFont(const TFont& Value);
    TGradientDirection GetGradientDirection() const { return gradientDirection; }
    void SetGradientDirection(TGradientDirection Value);
    // The bar's height, its width when it is at the left.
    int GetHeight() const { return height; }
    void SetHeight(int Value);
    // The text's indent along the bar and across it.
    int GetIndent() const { return indent; }
    void SetIndent(int Value);
    int GetTopIndent() const { return topIndent; }
    void SetTopIndent(int Value);
    // The min/max button's pictures while collapsed and expanded.
    const TBitmap& GetMaxGlyph() const { return maxGlyph; }
    void SetMaxGlyph(const TBitmap& Value) { maxGlyph.Assign(&Value); }
    const TBitmap& GetMinGlyph() const { return minGlyph; }
    void SetMinGlyph(const TBitmap& Value) { minGlyph.Assign(&Value); }
    bool GetMinMaxButton() const { return minMaxButton; }
    void SetMinMaxButton(bool Value);
    TColor GetMinMaxButtonColor() const { return minMaxButtonColor; }
    void SetMinMaxButtonColor(TColor Value);
    TColor GetMinMaxButtonHoverColor() const { return minMaxButtonHoverColor; }
    void SetMinMaxButtonHoverColor(TColor Value) { minMaxButtonHoverColor = Value; }
    // A click on the bar collapses or expands the panel.
    bool GetMinMaxCaption() const { return minMaxCaption; }
    void SetMinMaxCaption(bool Value);
    TCaptionPosition GetPosition() const { return position; }
    void SetPosition(TCaptionPosition Value);
    // Lightness of the shades: below 200 it is stored as 200; above 255 it shades as 255.
    int GetShadeLight() const { return shadeLight; }
    void SetShadeLight(int Value);
    // The noise amplitude of stNoise.
    quint8 GetShadeGrain() const { return shadeGrain; }
    void SetShadeGrain(quint8 Value);
    TShadeType GetShadeType() const { return shadeType; }
    void SetShadeType(TShadeType Value);
    TCaptionShape GetShape() const { return shape; }
    void SetShape(TCaptionShape Value);
    // Markup on a top bar, plain text on a left bar.
    QString GetText() const { return text; }
    void SetText(const QString& Value);
    bool GetVisible() const { return visible; }
    void SetVisible(bool Value);

    // Copies the look: everything but the text, visibility, position, top indent and MinMaxCaption.
    void Assign(const TPanelCaption& Source);

    TNotifyEvent OnChange;
    TNotifyEvent OnStateChange;
    TNotifyEvent OnShadeChange;
    TNotifyEvent OnPositionChange;

private:
    void Changed();
    void ShadeChanged();
    void StateChanged();
    template <class T>
    void change(T& field, const T& value);

    TBitmap background;
    TCaptionButtonPosition buttonPosition = cbpRight;
    TColor color = clHighlight;
    TColor colorTo = clNone;
    TColor closeColor = clBtnFace;
    bool closeButton = false;
    TColor closeButtonColor = clWhite;
    TColor closeButtonHoverColor = clNone;
    TBitmap closeMinGlyph;
    TBitmap closeMaxGlyph;
    bool flat = false;
    TFont font;
    TGradientDirection gradientDirection = gdHorizontal;
    int height = 20;
    int indent = 0;
    int topIndent = 0;
    TBitmap maxGlyph;
    TBitmap minGlyph;
    bool minMaxButton = false;
    TColor minMaxButtonColor = clWhite;
    TColor minMaxButtonHoverColor = clNone;
    bool minMaxCaption = false;
    TCaptionPosition position = cpTop;
    int shadeLight = 200;
    quint8 shadeGrain = 32;
    TShadeType shadeType = stNormal;
    TCaptionShape shape = csRectangle;
    QString text;
    bool visible = false;
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

// One complete set of panel settings, as a panel styler keeps it for its panels. Changes notify through OnChange,
// once per outermost BeginUpdate ... EndUpdate; a change of the caption notifies too, one of the status bar does not.
class TAdvPanelSettings
{
public:
    TAdvPanelSettings();

    void BeginUpdate() { ++updateCount; }
    void EndUpdate();
    // Copies every value, the caption and the status bar through their own Assign.
    void Assign(const TAdvPanelSettings& Source);

    bool GetAnchorHint() const { return anchorHint; }
    void SetAnchorHint(bool Value) { set(anchorHint, Value); }
    bool GetAutoHideChildren() const { return autoHideChildren; }
    void SetAutoHideChildren(bool Value) { set(autoHideChildren, Value); }
    TBevelCut GetBevelInner() const { return bevelInner; }
    void SetBevelInner(TBevelCut Value) { set(bevelInner, Value); }
    TBevelCut GetBevelOuter() const { return bevelOuter; }
    void SetBevelOuter(TBevelCut Value) { set(bevelOuter, Value); }
    int GetBevelWidth() const { return bevelWidth; }
    void SetBevelWidth(int Value) { set(bevelWidth, Value); }
    TColor GetBorderColor() const { return borderColor; }
    void SetBorderColor(TColor Value) { set(borderColor, Value); }
    bool GetBorderShadow() const { return borderShadow; }
    void SetBorderShadow(bool Value) { set(borderShadow, Value); }
    TBorderStyle GetBorderStyle() const { return borderStyle; }
    void SetBorderStyle(TBorderStyle Value) { set(borderStyle, Value); }
    int GetBorderWidth() const { return borderWidth; }
    void SetBorderWidth(int Value) { set(borderWidth, Value); }
    bool GetCanMove() const { return canMove; }
    void SetCanMove(bool Value) { set(canMove, Value); }
    bool GetCanSize() const { return canSize; }
    void SetCanSize(bool Value) { set(canSize, Value); }
    TPanelCaption& GetCaption() { return caption; }
    const TPanelCaption& GetCaption() const { return caption; }
    // Copies the caption's look.
    void SetCaption(const TPanelCaption& Value) { caption.Assign(Value); }
    bool GetCollaps() const { return collaps; }
    void SetCollaps(bool Value) { set(collaps, Value); }
    TColor GetCollapsColor() const { return collapsColor; }
    void SetCollapsColor(TColor Value) { set(collapsColor, Value); }
    int GetCollapsDelay() const { return collapsDelay; }
    void SetCollapsDelay(int Value) { set(collapsDelay, Value); }
    int GetCollapsSteps() const { return collapsSteps; }
    void SetCollapsSteps(int Value) { set(collapsSteps, Value); }
    TColor GetColor() const { return color; }
    void SetColor(TColor Value) { color = Value; }
    TColor GetColorTo() const { return colorTo; }
    void SetColorTo(TColor Value) { setChanged(colorTo, Value); }
    TColor GetColorMirror() const { return colorMirror; }
    void SetColorMirror(TColor Value) { setChanged(colorMirror, Value); }
    TColor GetColorMirrorTo() const { return colorMirrorTo; }
    void SetColorMirrorTo(TColor Value) { setChanged(colorMirrorTo, Value); }
    Qt::CursorShape GetCursor() const { return cursor; }
    void SetCursor(Qt::CursorShape Value) { set(cursor, Value); }
    const TFont& GetFont() const { return font; }
    void SetFont(const TFont& Value) { set(font, Value); }
    bool GetFixedTop() const { return fixedTop; }
    void SetFixedTop(bool Value) { fixedTop = Value; }
    bool GetFixedLeft() const { return fixedLeft; }
    void SetFixedLeft(bool Value) { fixedLeft = Value; }
    bool GetFixedHeight() const { return fixedHeight; }
    void SetFixedHeight(bool Value) { fixedHeight = Value; }
    bool GetFixedWidth() const { return fixedWidth; }
    void SetFixedWidth(bool Value) { fixedWidth = Value; }
    int GetHeight() const { return height; }
    void SetHeight(int Value) { height = Value; }
    QString GetHint() const { return hint; }
    void SetHint(const QString& Value) { hint = Value; }
    bool GetHover() const { return hover; }
    void SetHover(bool Value) { set(hover, Value); }
    TColor GetHoverColor() const { return hoverColor; }
    void SetHoverColor(TColor Value) { set(hoverColor, Value); }
    TColor GetHoverFontColor() const { return hoverFontColor; }
    void SetHoverFontColor(TColor Value) { set(hoverFontColor, Value); }
    int GetIndent() const { return indent; }
    void SetIndent(int Value) { set(indent, Value); }
    TColor GetShadowColor() const { return shadowColor; }
    void SetShadowColor(TColor Value) { shadowColor = Value; }
    int GetShadowOffset() const { return shadowOffset; }
    void SetShadowOffset(int Value) { shadowOffset = Value; }
    bool GetShowHint() const { return showHint; }
    void SetShowHint(bool Value) { showHint = Value; }
    bool GetShowMoveCursor() const { return showMoveCursor; }
    void SetShowMoveCursor(bool Value) { showMoveCursor = Value; }
    TPanelStatusBar& GetStatusBar() { return statusBar; }
    const TPanelStatusBar& GetStatusBar() const { return statusBar; }
    // Copies the status bar's look.
    void SetStatusBar(const TPanelStatusBar& Value);
    QString GetText() const { return text; }
    void SetText(const QString& Value) { set(text, Value); }
    TTextVAlignment GetTextVAlign() const { return textVAlign; }
    void SetTextVAlign(TTextVAlignment Value) { set(textVAlign, Value); }
    int GetTopIndent() const { return topIndent; }
    void SetTopIndent(int Value) { set(topIndent, Value); }
    TColor GetURLColor() const { return urlColor; }
    void SetURLColor(TColor Value) { set(urlColor, Value); }
    int GetWidth() const { return width; }
    void SetWidth(int Value) { width = Value; }

    TNotifyEvent OnChange;

private:
    void Changed();
    template <class T>
    void set(T& field, const T& value)
    {
        field = value;
        Changed();
    }
    template <class T>
    void setChanged(T& field, const T& value)
    {
        if (field != value)
            set(field, value);
    }

    int updateCount = 0;
    bool anchorHint = false;
    bool autoHideChildren = true;
    TBevelCut bevelInner = bvNone;
    TBevelCut bevelOuter = bvNone;
    int bevelWidth = 1;
    TColor borderColor = clBlack;
    bool borderShadow = false;
    TBorderStyle borderStyle = bsSingle;
    int borderWidth = 0;
    bool canMove = false;
    bool canSize = false;
    TPanelCaption caption;
    bool collaps = false;
    TColor collapsColor = clBtnFace;
    int collapsDelay = 0;
    int collapsSteps = 0;
    TColor color = clBtnFace;
    TColor colorTo = clNone;
    TColor colorMirror = clNone;
    TColor colorMirrorTo = clNone;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    TFont font;
    bool fixedTop = false;
    bool fixedLeft = false;
    bool fixedHeight = false;
    bool fixedWidth = false;
    int height = 120;
    QString hint;
    bool hover = false;
    TColor hoverColor = clNone;
    TColor hoverFontColor = clNone;
    int indent = 0;
    TColor shadowColor = clBlack;
    int shadowOffset = 0;
    bool showHint = false;
    bool showMoveCursor = false;
    TPanelStatusBar statusBar;
    QString text;
    TTextVAlignment textVAlign = tvaTop;
    int topIndent = 0;
    TColor urlColor = clBlue;
    int width = 0;
};
