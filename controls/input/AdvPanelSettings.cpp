// The caption-bar, status-bar and panel settings objects.
#include "AdvPanelSettings.h"

namespace {

// Shade lightness below this is raised to it.
constexpr int minShadeLight = 200;

} // namespace

TPanelCaption::TPanelCaption()
{
    font.Color = clHighlightText;
}

void TPanelCaption::Changed()
{
    if (OnChange)
        OnChange(nullptr);
}

void TPanelCaption::ShadeChanged()
{
    if (OnShadeChange)
        OnShadeChange(nullptr);
    Changed();
}

void TPanelCaption::StateChanged()
{
    if (OnStateChange)
        OnStateChange(nullptr);
}

template <class T>
void TPanelCaption::change(T& field, const T& value)
{
    if (field == value)
        return;
    field = value;
    Changed();
}

void TPanelCaption::SetBackground(const TBitmap& Value)
{
    background.Assign(&Value);
    ShadeChanged();
}

void TPanelCaption::SetButtonPosition(TCaptionButtonPosition Value)
{
    change(buttonPosition, Value);
}

void TPanelCaption::SetColor(TColor Value)
{
    if (Value == color)
        return;
    color = Value;
    ShadeChanged();
}

void TPanelCaption::SetColorTo(TColor Value)
{
    colorTo = Value;
    Changed();
}

void TPanelCaption::SetCloseColor(TColor Value)
{
    change(closeColor, Value);
}

void TPanelCaption::SetCloseButton(bool Value)
{
    change(closeButton, Value);
}

void TPanelCaption::SetCloseButtonColor(TColor Value)
{
    change(closeButtonColor, Value);
}

void TPanelCaption::SetCloseMinGlyph(const TBitmap& Value)
{
    closeMinGlyph.Assign(&Value);
    Changed();
}

void TPanelCaption::SetCloseMaxGlyph(const TBitmap& Value)
{
    closeMaxGlyph.Assign(&Value);
    Changed();
}

void TPanelCaption::SetFlat(bool Value)
{
    flat = Value;
    ShadeChanged();
}

void TPanelCaption::SetFont(const TFont& Value)
{
    font = Value;
    Changed();
}

void TPanelCaption::SetGradientDirection(TGradientDirection Value)
{
    gradientDirection = Value;
    Changed();
}

void TPanelCaption::SetHeight(int Value)
{
    change(height, Value);
}

void TPanelCaption::SetIndent(int Value)
{
    change(indent, Value);
}

void TPanelCaption::SetTopIndent(int Value)
{
    change(topIndent, Value);
}

void TPanelCaption::SetMinMaxButton(bool Value)
{
    change(minMaxButton, Value);
}

void TPanelCaption::SetMinMaxButtonColor(TColor Value)
{
    change(minMaxButtonColor, Value);
}

void TPanelCaption::SetMinMaxCaption(bool Value)
{
    minMaxCaption = Value;
}

void TPanelCaption::SetPosition(TCaptionPosition Value)
{
    if (Value == position)
        return;
    position = Value;
    if (OnPositionChange)
        OnPositionChange(nullptr);
}

void TPanelCaption::SetShadeLight(int Value)
{
    shadeLight = qMax(Value, minShadeLight);
    ShadeChanged();
}

void TPanelCaption::SetShadeGrain(quint8 Value)
{
    shadeGrain = Value;
    ShadeChanged();
}

void TPanelCaption::SetShadeType(TShadeType Value)
{
    shadeType = Value;
    ShadeChanged();
}

void TPanelCaption::SetShape(TCaptionShape Value)
{
    shape = Value;
    ShadeChanged();
}

void TPanelCaption::SetText(const QString& Value)
{
    text = Value;
    Changed();
}

void TPanelCaption::SetVisible(bool Value)
{
    visible = Value;
    Changed();
    StateChanged();
}

void TPanelCaption::Assign(const TPanelCaption& Source)
{
    SetBackground(Source.background);
    buttonPosition = Source.buttonPosition;
    SetColor(Source.color);
    SetColorTo(Source.colorTo);
    SetCloseColor(Source.closeColor);
    SetCloseButton(Source.closeButton);
    SetCloseButtonColor(Source.closeButtonColor);
    closeButtonHoverColor = Source.closeButtonHoverColor;
    SetCloseMinGlyph(Source.closeMinGlyph);
    SetCloseMaxGlyph(Source.closeMaxGlyph);
    SetFlat(Source.flat);
    SetFont(Source.font);
    SetHeight(Source.height);
    SetIndent(Source.indent);
    SetMaxGlyph(Source.maxGlyph);
    SetMinGlyph(Source.minGlyph);
    SetMinMaxButton(Source.minMaxButton);
    SetMinMaxButtonColor(Source.minMaxButtonColor);
    minMaxButtonHoverColor = Source.minMaxButtonHoverColor;
    SetShadeLight(Source.shadeLight);
    SetShadeGrain(Source.shadeGrain);
    SetShadeType(Source.shadeType);
    SetShape(Source.shape);
    SetGradientDirection(Source.gradientDirection);
}

TPanelStatusBar::TPanelStatusBar() = default;

void TPanelStatusBar::Changed()
{
    if (OnChange)
        OnChange(nullptr);
}

template <class T>
void TPanelStatusBar::change(T& field, const T& value)
{
    if (field == value)
        return;
    field = value;
    Changed();
}

void TPanelStatusBar::SetBevelInner(bool Value)
{
    change(bevelInner, Value);
}

void TPanelStatusBar::SetBorderColor(TColor Value)
{
    change(borderColor, Value);
}

void TPanelStatusBar::SetBorderStyle(TBorderStyle Value)
{
    change(borderStyle, Value);
}

void TPanelStatusBar::SetImageIndex(int Value)
{
    change(imageIndex, Value);
}

void TPanelStatusBar::SetFont(const TFont& Value)
{
    font = Value;
    Changed();
}

void TPanelStatusBar::SetText(const QString& Value)
{
    change(text, Value);
}

void TPanelStatusBar::SetColor(TColor Value)
{
    change(color, Value);
}

void TPanelStatusBar::SetColorTo(TColor Value)
{
    change(colorTo, Value);
}

void TPanelStatusBar::SetGradientDirection(TGradientDirection Value)
{
    change(gradientDirection, Value);
}

void TPanelStatusBar::SetHeight(int Value)
{
    change(height, Value);
}

void TPanelStatusBar::SetVisible(bool Value)
{
    change(visible, Value);
}

void TPanelStatusBar::Assign(const TPanelStatusBar& Source)
{
    SetColor(Source.color);
    SetColorTo(Source.colorTo);
    SetGradientDirection(Source.gradientDirection);
    SetBorderStyle(Source.borderStyle);
    SetBorderColor(Source.borderColor);
    SetFont(Source.font);
}

TAdvPanelSettings::TAdvPanelSettings()
{
    caption.OnChange = [this](QObject*) { Changed(); };
}

void TAdvPanelSettings::Changed()
{
    if (updateCount == 0 && OnChange)
        OnChange(nullptr);
}

void TAdvPanelSettings::EndUpdate()
{
    if (updateCount <= 0)
        return;
    if (--updateCount == 0)
        Changed();
}

void TAdvPanelSettings::SetStatusBar(const TPanelStatusBar& Value)
{
    statusBar.Assign(Value);
    Changed();
}

// One notification for the whole copy.
void TAdvPanelSettings::Assign(const TAdvPanelSettings& Source)
{
    BeginUpdate();
    anchorHint = Source.anchorHint;
    autoHideChildren = Source.autoHideChildren;
    bevelInner = Source.bevelInner;
    bevelOuter = Source.bevelOuter;
    bevelWidth = Source.bevelWidth;
    borderColor = Source.borderColor;
    borderShadow = Source.borderShadow;
    borderStyle = Source.borderStyle;
    borderWidth = Source.borderWidth;
    canMove = Source.canMove;
    canSize = Source.canSize;
    caption.Assign(Source.caption);
    collaps = Source.collaps;
    collapsColor = Source.collapsColor;
    collapsDelay = Source.collapsDelay;
    collapsSteps = Source.collapsSteps;
    color = Source.color;
    colorTo = Source.colorTo;
    colorMirror = Source.colorMirror;
    colorMirrorTo = Source.colorMirrorTo;
    cursor = Source.cursor;
    font = Source.font;
    fixedTop = Source.fixedTop;
    fixedLeft = Source.fixedLeft;
    fixedHeight = Source.fixedHeight;
    fixedWidth = Source.fixedWidth;
    height = Source.height;
    hint = Source.hint;
    hover = Source.hover;
    hoverColor = Source.hoverColor;
    hoverFontColor = Source.hoverFontColor;
    indent = Source.indent;
    shadowColor = Source.shadowColor;
    shadowOffset = Source.shadowOffset;
    showHint = Source.showHint;
    showMoveCursor = Source.showMoveCursor;
    statusBar.Assign(Source.statusBar);
    text = Source.text;
    textVAlign = Source.textVAlign;
    topIndent = Source.topIndent;
    urlColor = Source.urlColor;
    width = Source.width;
    EndUpdate();
}
