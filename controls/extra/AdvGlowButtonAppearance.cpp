#include "AdvGlowButton.h"

namespace {

// The normal colours and border of a scheme.
struct SchemeColors
{
    TColor color, colorTo, colorMirror, colorMirrorTo, border;
};

// The hot, down and checked looks a scheme loads with its normal colours.
enum class SchemeSet { A, B, X };

struct Scheme
{
    TQRBStyle style;
    SchemeColors normal;
    SchemeSet set;
};

const Scheme schemes[] = {
    {tsOffice2003Blue, {0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0, 0xE0B99B}, SchemeSet::A},
    {tsOffice2003Silver, {0xE6E9E2, 0xE6D8D8, 0xE6E9E2, 0xC8B2B3, 0x927476}, SchemeSet::A},
    {tsOffice2003Olive, {0xCFF0EA, 0xCFF0EA, 0xCFF0EA, 0x8CC0B1, 0x8CC0B1}, SchemeSet::A},
    {tsOffice2003Classic, {0xFFFFFF, 0xC9D1D5, 0xFFFFFF, 0xC9D1D5, 0x000000}, SchemeSet::A},
    {tsOffice2007Luna, {0xEEDBC8, 0xF6DDC9, 0xEDD4C0, 0xF7E1D0, 0xE0B99B}, SchemeSet::B},
    {tsOffice2007Obsidian, {0xDFDED6, 0xE4E2DB, 0xD7D5CE, 0xE7E5E0, 0xC0BCB2}, SchemeSet::B},
    {tsWindowsXP, {0xFFFFFF, 0xB9D8DC, 0xB9D8DC, 0xB9D8DC, 0xB9D8DC}, SchemeSet::X},
    {tsWhidbey, {0xFFFFFF, 0xDFEDF0, 0xDFEDF0, 0xDFEDF0, 0x99A8AC}, SchemeSet::A},
    {tsOffice2007Silver, {0xF3F3F1, 0xF5F5F3, 0xEEEAE7, 0xF8F7F6, 0xCCCAC9}, SchemeSet::B},
};

} // namespace

TGlowButtonAppearance::TGlowButtonAppearance()
{
    normal = {0xFFFFFF, 0xFFFFFF, 0xC0C0C0, 0xFFFFFF, 0xC0C0C0, ggVertical, ggVertical};
    hot = {0xF5F0E1, 0xF9D2B2, 0xF5C8AD, 0xFFF8F4, 0xFF0000, ggRadial, ggRadial};
    // The down and checked looks are the hot one with less red and green, the disabled look the normal one a
    // little darker.
    auto darkened = [](const TGlowLook& from, int red, int green, int blue, TColor border, TGDIPGradient gradient,
                       TGDIPGradient gradientMirror) {
        return TGlowLook{DarkenColorRGB(from.Color, red, green, blue),
                         DarkenColorRGB(from.ColorTo, red, green, blue),
                         DarkenColorRGB(from.ColorMirror, red, green, blue),
                         DarkenColorRGB(from.ColorMirrorTo, red, green, blue),
                         border,
                         gradient,
                         gradientMirror};
    };
    down = darkened(hot, -10, -10, 0, 0x800000, ggRadial, ggRadial);
    checked = darkened(hot, -10, -10, 0, 0xFF0000, ggRadial, ggVertical);
    disabled = darkened(normal, -5, -5, -5, 0x808080, ggRadial, ggRadial);
}

void TGlowButtonAppearance::Assign(const TGlowButtonAppearance& source)
{
    TGlowLook TGlowButtonAppearance::*const looks[] = {&TGlowButtonAppearance::normal, &TGlowButtonAppearance::hot,
                                                       &TGlowButtonAppearance::down, &TGlowButtonAppearance::checked,
                                                       &TGlowButtonAppearance::disabled};
    for (auto look : looks) {
        const TGlowLook& from = source.*look;
        TGlowLook& to = this->*look;
        set(to.Color, from.Color);
        set(to.ColorTo, from.ColorTo);
        set(to.ColorMirror, from.ColorMirror);
        set(to.ColorMirrorTo, from.ColorMirrorTo);
    }
    for (auto look : looks)
        set((this->*look).BorderColor, (source.*look).BorderColor);
    for (auto look : looks) {
        set((this->*look).Gradient, (source.*look).Gradient);
        set((this->*look).GradientMirror, (source.*look).GradientMirror);
    }
    set(systemFont, source.systemFont);
}

void TGlowButtonAppearance::LoadScheme(TQRBStyle style)
{
    const auto scheme =
        std::find_if(std::begin(schemes), std::end(schemes), [style](const Scheme& s) { return s.style == style; });
    if (scheme == std::end(schemes))
        return;
    const SchemeColors& c = scheme->normal;
    SetColor(c.color);
    SetColorTo(c.colorTo);
    SetColorMirror(c.colorMirror);
    SetColorMirrorTo(c.colorMirrorTo);
    SetBorderColor(c.border);
    SetGradient(ggVertical);
    SetGradientMirror(ggVertical);

    for (TGlowLook* look : {&hot, &down, &checked}) {
        set(look->Gradient, ggVertical);
        set(look->GradientMirror, ggVertical);
    }
    if (scheme->set == SchemeSet::X) {
        auto plain = [this](TGlowLook& look, TColor color, TColor border) {
            set(look.Color, color);
            set(look.ColorTo, color);
            set(look.ColorMirror, color);
            set(look.ColorMirrorTo, color);
            set(look.BorderColor, border);
        };
        plain(hot, 0xEFD3C6, clHighlight);
        plain(down, 0xB59284, clHighlight);
        plain(checked, 0xB9D8DC, clBlack);
        return;
    }
    auto colours = [this](TGlowLook& look, TColor color, TColor colorTo, TColor mirror, TColor mirrorTo) {
        set(look.Color, color);
        set(look.ColorTo, colorTo);
        set(look.ColorMirror, mirror);
        set(look.ColorMirrorTo, mirrorTo);
    };
    colours(hot, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF);
    SetBorderColorHot(0x99CEDB);
    colours(down, 0x76AFF1, 0x4190F3, 0x0E72F1, 0x4C9FFD);
    SetBorderColorDown(0x45667B);
    colours(checked, 0xB5DBFB, 0x78C7FE, 0x9FEBFD, 0x56B4FE);
    if (scheme->set == SchemeSet::B)
        SetBorderColorChecked(0x45667B);
}
