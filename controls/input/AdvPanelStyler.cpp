#include "AdvPanelStyler.h"

#include "AdvPanel.h"

#include <optional>

namespace {

// Shade values every scheme with a shaded caption writes.
constexpr quint8 schemeShadeGrain = 32;
constexpr int schemeShadeLight = 255;
// The font colour of the 2007 schemes.
constexpr TColor office2007Text = 0x723708;

// A scheme's values; a value left out keeps what the settings had.
struct BodyScheme
{
    TColor color;
    TColor colorTo;
    TColor colorMirror;
    TColor colorMirrorTo;
    std::optional<TColor> fontColor;
    TBevelCut bevelOuter;
    TColor borderColor;
    bool borderShadow;
    TColor collapsColor;
};

struct CaptionScheme
{
    TColor color;
    TColor colorTo;
    TColor fontColor;
    TGradientDirection gradientDirection;
    TShadeType shadeType;
    std::optional<int> indent;
    std::optional<bool> visible;
    std::optional<int> height;
    bool shade; // writes ShadeGrain and ShadeLight
};

struct StatusBarScheme
{
    TColor color;
    TColor colorTo;
    std::optional<TGradientDirection> gradientDirection;
    TColor borderColor;
    TBorderStyle borderStyle;
    bool bevelInner;
    TColor fontColor;
};

struct Scheme
{
    TAdvPanelStyle style;
    BodyScheme body;
    CaptionScheme caption;
    StatusBarScheme statusBar;
};

constexpr std::nullopt_t keep = std::nullopt;

const Scheme schemes[] = {
    {psXP,
     {0xFFFFFF, 0xE3F0F2, clNone, clNone, keep, bvNone, 0x808080, true, clBtnFace},
     {clHighlight, 0xFF0000, clHighlightText, gdHorizontal, stNormal, 2, keep, 20, false},
     {0xE3F0F2, 0xFFFFFF, keep, 0xC0C0C0, bsSingle, false, 0x000000}},
    {psFlat,
     {clBtnFace, clNone, clNone, clNone, clWindowText, bvNone, 0x808080, false, clBtnFace},
     {clHighlight, clNone, clHighlightText, gdHorizontal, stNormal, 0, keep, 20, false},
     {clBtnFace, clNone, keep, 0xC0C0C0, bsSingle, false, 0x000000}},
    {psQRB,
     {0xFFFFFF, 0xE4E4E4, clNone, clNone, clWindowText, bvNone, 0x808080, true, clBtnFace},
     {0xFFFFFF, clNone, 0x000000, gdHorizontal, stRMetal, 4, true, 20, true},
     {0xDEDEDE, 0xA9A9A9, keep, 0xFFFFFF, bsSingle, false, 0x000000}},
    {psClassic,
     {clBtnFace, clNone, clNone, clNone, clWindowText, bvRaised, 0x808080, false, clBtnFace},
     {0xFFFFFF, clNone, 0x000000, gdHorizontal, stNormal, keep, false, keep, true},
     {clBtnFace, clNone, keep, clNone, bsNone, true, 0x000000}},
    {psOffice2003Blue,
     {0xFDEADA, 0xE4AE88, clNone, clNone, clWindowText, bvNone, 0x808080, false, clHighlight},
     {0xD68759, 0x933803, 0xFFFFFF, gdVertical, stNormal, keep, keep, keep, true},
     {0xE08F65, 0xF9DBC4, keep, clNone, bsSingle, false, 0xFFFFFF}},
    {psOffice2003Olive,
     {0xCFF0EA, 0x8CC0B1, clNone, clNone, clWindowText, bvNone, 0x808080, false, clHighlight},
     {0xC6EFE7, 0x94BDB5, 0x000000, gdVertical, stNormal, keep, keep, keep, true},
     {0x80B0A1, 0xD3E4E3, keep, clNone, bsSingle, false, 0x000000}},
    {psOffice2003Silver,
     {0xECE2E1, 0xB39698, clNone, clNone, clWindowText, bvNone, 0x808080, false, clHighlight},
     {0xEFE7E7, 0xAA8888, 0x000000, gdVertical, stNormal, keep, keep, keep, true},
     {0xBFA8A9, 0xDECFCF, keep, clNone, bsSingle, false, 0x000000}},
    {psOffice2003Classic,
     {0xFFFFFF, 0xE3F0F2, clNone, clNone, keep, bvNone, 0x808080, true, clBtnFace},
     {clHighlight, 0xFF0000, clHighlightText, gdHorizontal, stNormal, 2, keep, 20, false},
     {0xE3F0F2, 0xFFFFFF, keep, 0xC0C0C0, bsSingle, false, 0x000000}},
    {psOffice2007Luna,
     {0xFAF1E9, 0xEDD8C7, 0xEDD8C7, 0xFFF2E7, office2007Text, bvNone, 0xFFD2AF, false, clHighlight},
     {0xFFEFE3, 0xFFD2AF, 0x000000, gdVertical, stNormal, keep, keep, keep, true},
     {0xF7E3D3, 0xF5D0B3, gdVertical, 0xFFD2AF, bsSingle, false, office2007Text}},
    {psOffice2007Obsidian,
     {0xCFC6C1, 0xC5BBB4, 0xC5BBB4, 0xECECE5, office2007Text, bvNone, 0xFFD2AF, false, clHighlight},
     {0xB8B8B6, 0xA0A09E, 0xFFFFFF, gdVertical, stNormal, keep, keep, keep, true},
     {0xA19F9E, 0x534D4B, gdVertical, 0x000000, bsSingle, false, 0xFFFFFF}},
    {psWhidbey,
     {0xFFFFFF, 0xE3F0F2, clNone, clNone, keep, bvNone, 0x808080, true, clBtnFace},
     {0xF3F7F8, 0xACC3C3, 0x000000, gdVertical, stNormal, 2, keep, 20, false},
     {0xE3F0F2, 0xFFFFFF, keep, 0xC0C0C0, bsSingle, false, 0x000000}},
    {psWindowsXP,
     {clBtnFace, clNone, clNone, clNone, clWindowText, bvRaised, 0x808080, false, clBtnFace},
     {0xFFFFFF, clNone, clHighlightText, gdHorizontal, stNormal, keep, false, keep, true},
     {clBtnFace, clNone, keep, clNone, bsNone, true, 0x000000}},
    {psOffice2007Silver,
     {0xF9F5F3, 0xE7DCD5, 0xE7DCD5, 0xFBFAF0, office2007Text, bvNone, 0xFFD2AF, false, clHighlight},
     {0xF8F7F6, 0xE8E0DB, 0x000000, gdVertical, stNormal, keep, keep, keep, true},
     {0xFAEEEB, 0xE5DBD7, gdVertical, 0x000000, bsSingle, false, office2007Text}},
};

const Scheme* findScheme(TAdvPanelStyle style)
{
    for (const Scheme& scheme : schemes) {
        if (scheme.style == style)
            return &scheme;
    }
    return nullptr;
}

void writeBody(TAdvPanelSettings& settings, const BodyScheme& s)
{
    settings.SetColor(s.color);
    settings.SetColorTo(s.colorTo);
    settings.SetColorMirror(s.colorMirror);
    settings.SetColorMirrorTo(s.colorMirrorTo);
    if (s.fontColor) {
        TFont font = settings.GetFont();
        font.Color = *s.fontColor;
        settings.SetFont(font);
    }
    settings.SetBevelInner(bvNone);
    settings.SetBevelOuter(s.bevelOuter);
    settings.SetBorderStyle(bsNone);
    settings.SetBorderColor(s.borderColor);
    settings.SetBorderShadow(s.borderShadow);
    settings.SetCollapsColor(s.collapsColor);
}

void writeCaption(TPanelCaption& caption, const CaptionScheme& s)
{
    caption.SetColor(s.color);
    caption.SetColorTo(s.colorTo);
    TFont font = caption.GetFont();
    font.Color = s.fontColor;
    caption.SetFont(font);
    caption.SetGradientDirection(s.gradientDirection);
    caption.SetShadeType(s.shadeType);
    if (s.shade) {
        caption.SetShadeGrain(schemeShadeGrain);
        caption.SetShadeLight(schemeShadeLight);
    }
    if (s.indent)
        caption.SetIndent(*s.indent);
    if (s.visible)
        caption.SetVisible(*s.visible);
    if (s.height)
        caption.SetHeight(*s.height);
}

void writeStatusBar(TPanelStatusBar& statusBar, const StatusBarScheme& s)
{
    statusBar.SetColor(s.color);
    statusBar.SetColorTo(s.colorTo);
    if (s.gradientDirection)
        statusBar.SetGradientDirection(*s.gradientDirection);
    statusBar.SetBorderColor(s.borderColor);
    statusBar.SetBorderStyle(s.borderStyle);
    statusBar.SetBevelInner(s.bevelInner);
    TFont font = statusBar.GetFont();
    font.Color = s.fontColor;
    statusBar.SetFont(font);
}

} // namespace

TAdvPanelStyler::TAdvPanelStyler(QObject* owner) : QObject(owner)
{
    notifier = CreateThemeNotifier(owner, [this](QObject* sender) { ThemeChanged(sender); });
    settings.OnChange = [this](QObject*) { Changed(this); };
    SetStyle(psXP);
}

TAdvPanelStyler::~TAdvPanelStyler()
{
    delete notifier;
}

void TAdvPanelStyler::SetStyle(TAdvPanelStyle Value)
{
    style = Value;
    const Scheme* scheme = findScheme(Value);
    if (!scheme)
        return;
    settings.BeginUpdate();
    writeBody(settings, scheme->body);
    writeCaption(settings.GetCaption(), scheme->caption);
    writeStatusBar(settings.GetStatusBar(), scheme->statusBar);
    settings.EndUpdate();
}

void TAdvPanelStyler::SetComponentStyle(TQRBStyle AStyle)
{
    switch (AStyle) {
    case tsOffice2003Blue:
        SetStyle(psOffice2003Blue);
        break;
    case tsOffice2003Silver:
        SetStyle(psOffice2003Silver);
        break;
    case tsOffice2003Olive:
        SetStyle(psOffice2003Olive);
        break;
    case tsOffice2003Classic:
        SetStyle(psOffice2003Classic);
        break;
    case tsOffice2007Luna:
        SetStyle(psOffice2007Luna);
        break;
    case tsOffice2007Obsidian:
        SetStyle(psOffice2007Obsidian);
        break;
    case tsWindowsXP:
        SetStyle(psWindowsXP);
        break;
    case tsWhidbey:
        SetStyle(psWhidbey);
        break;
    case tsOffice2007Silver:
        SetStyle(psOffice2007Silver);
        break;
    case tsCustom:
        break;
    }
}

void TAdvPanelStyler::ThemeChanged(QObject*)
{
    if (autoThemeAdapt)
        SetStyle(psXP);
}

void TAdvPanelStyler::Loaded()
{
    ThemeChanged(this);
    Changed(this);
}

void TAdvPanelStyler::Changed(QObject*)
{
    for (const QPointer<QObject>& component : OwnedComponents(parent())) {
        auto* panel = qobject_cast<TCustomAdvPanel*>(component.data());
        if (panel && panel->GetStyler() == this)
            panel->AssignStyle(settings);
    }
}

void TAdvPanelStyler::Assign(QObject* Source)
{
    auto* source = qobject_cast<TAdvPanelStyler*>(Source);
    if (!source)
        return;
    autoThemeAdapt = source->autoThemeAdapt;
    settings.Assign(source->settings);
    comments = source->comments;
    SetStyle(source->style);
}

void TCustomAdvPanel::SetStyler(TAdvPanelStyler* Value)
{
    styler = Value;
    if (Value)
        AssignStyle(Value->GetSettings());
}

void TCustomAdvPanel::AssignStyle(const TAdvPanelSettings& Settings)
{
    anchorHint = Settings.GetAnchorHint();
    autoHideChildren = Settings.GetAutoHideChildren();
    SetBevelInner(Settings.GetBevelInner());
    SetBevelOuter(Settings.GetBevelOuter());
    SetBevelWidth(Settings.GetBevelWidth());
    SetBorderColor(Settings.GetBorderColor());
    SetBorderShadow(Settings.GetBorderShadow());
    SetBorderStyle(Settings.GetBorderStyle());
    SetBorderWidth(Settings.GetBorderWidth());
    canMove = Settings.GetCanMove();
    SetCanSize(Settings.GetCanSize());
    // The panel's own buttons stay whatever the settings say.
    const bool closeButton = caption.GetCloseButton();
    const bool minMaxButton = caption.GetMinMaxButton();
    caption.Assign(Settings.GetCaption());
    caption.SetCloseButton(closeButton);
    caption.SetMinMaxButton(minMaxButton);
    collapsColor = Settings.GetCollapsColor();
    collapsDelay = Settings.GetCollapsDelay();
    collapsSteps = Settings.GetCollapsSteps();
    SetColor(Settings.GetColor());
    SetColorTo(Settings.GetColorTo());
    SetColorMirror(Settings.GetColorMirror());
    SetColorMirrorTo(Settings.GetColorMirrorTo());
    SetCursor(Settings.GetCursor());
    SetFont(Settings.GetFont());
    fixedTop = Settings.GetFixedTop();
    fixedLeft = Settings.GetFixedLeft();
    fixedHeight = Settings.GetFixedHeight();
    fixedWidth = Settings.GetFixedWidth();
    hover = Settings.GetHover();
    SetHoverColor(Settings.GetHoverColor());
    SetHoverFontColor(Settings.GetHoverFontColor());
    SetIndent(Settings.GetIndent());
    SetShadowColor(Settings.GetShadowColor());
    SetShadowOffset(Settings.GetShadowOffset());
    showHint = Settings.GetShowHint();
    showMoveCursor = Settings.GetShowMoveCursor();
    statusBar.Assign(Settings.GetStatusBar());
    SetTextVAlign(Settings.GetTextVAlign());
    SetTopIndent(Settings.GetTopIndent());
    SetURLColor(Settings.GetURLColor());
}

void TCustomAdvPanel::AssignSettings(const TAdvPanelSettings& Settings)
{
    AssignStyle(Settings);
    resize(Settings.GetWidth(), Settings.GetHeight());
    setToolTip(Settings.GetHint());
}

TAdvPanelStyler* TCustomAdvPanel::GetStyler() const
{
    return styler;
}
