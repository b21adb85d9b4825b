// The panel styler: the values its schemes write, custom and partial schemes, the library's schemes, the panels that
// take its settings, copies between stylers and settings, and theme changes.
#include "AdvPanelStyler.h"
#include "AdvPanel.h"
#include "InputTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>

namespace {

void themeChange(QWidget& window)
{
    for (TThemeNotifierWindow* notifier : window.findChildren<TThemeNotifierWindow*>()) {
        QEvent event(QEvent::ThemeChange);
        QApplication::sendEvent(notifier, &event);
    }
}

} // namespace

TEST(AdvPanelStylerTest, qrbSchemeWritesTheValuesTheLayoutsStore)
{
    TAdvPanelStyler styler;
    styler.SetStyle(psQRB);
    const TAdvPanelSettings& s = styler.GetSettings();
    EXPECT_EQ(s.GetColor(), TColor(0xFFFFFF));
    EXPECT_EQ(s.GetColorTo(), TColor(0xE4E4E4));
    EXPECT_EQ(s.GetColorMirror(), clNone);
    EXPECT_EQ(s.GetFont().Color, clWindowText);
    EXPECT_EQ(s.GetBevelInner(), bvNone);
    EXPECT_EQ(s.GetBevelOuter(), bvNone);
    EXPECT_EQ(s.GetBorderStyle(), bsNone);
    EXPECT_EQ(s.GetBorderColor(), TColor(0x808080));
    EXPECT_TRUE(s.GetBorderShadow());
    EXPECT_EQ(s.GetCollapsColor(), clBtnFace);

    const TPanelCaption& c = s.GetCaption();
    EXPECT_EQ(c.GetColor(), TColor(0xFFFFFF));
    EXPECT_EQ(c.GetColorTo(), clNone);
    EXPECT_EQ(c.GetFont().Color, TColor(0x000000));
    EXPECT_EQ(c.GetGradientDirection(), gdHorizontal);
    EXPECT_EQ(c.GetShadeType(), stRMetal);
    EXPECT_EQ(c.GetShadeLight(), 255);
    EXPECT_EQ(c.GetShadeGrain(), 32);
    EXPECT_EQ(c.GetIndent(), 4);
    EXPECT_TRUE(c.GetVisible());
    EXPECT_EQ(c.GetHeight(), 20);

    const TPanelStatusBar& b = s.GetStatusBar();
    EXPECT_EQ(b.GetColor(), TColor(0xDEDEDE));
    EXPECT_EQ(b.GetColorTo(), TColor(0xA9A9A9));
    EXPECT_EQ(b.GetBorderColor(), TColor(0xFFFFFF));
    EXPECT_EQ(b.GetBorderStyle(), bsSingle);
    EXPECT_FALSE(b.GetBevelInner());
    EXPECT_EQ(b.GetFont().Color, TColor(0x000000));
}

TEST(AdvPanelStylerTest, customKeepsEveryValueAndPartialSchemesKeepWhatTheyDoNotWrite)
{
    TAdvPanelStyler styler;
    styler.SetStyle(psOffice2007Luna);
    TAdvPanelSettings& s = styler.GetSettings();
    s.GetCaption().SetIndent(9);
    const TColor color = s.GetColor();
    styler.SetStyle(psCustom);
    EXPECT_EQ(styler.GetStyle(), psCustom);
    EXPECT_EQ(s.GetColor(), color);
    EXPECT_EQ(s.GetCaption().GetIndent(), 9);

    styler.SetStyle(psXP);
    EXPECT_EQ(s.GetFont().Color, TColor(0x723708)) << "psXP writes no font colour";
    EXPECT_EQ(s.GetStatusBar().GetGradientDirection(), gdVertical) << "nor a status bar direction";
    EXPECT_EQ(s.GetColor(), TColor(0xFFFFFF));
    EXPECT_EQ(s.GetCaption().GetIndent(), 2);
}

TEST(AdvPanelStylerTest, libraryStylesMapOntoPanelStyles)
{
    struct Case
    {
        TQRBStyle library;
        TAdvPanelStyle panel;
    };
    const Case cases[] = {
        {tsOffice2003Blue, psOffice2003Blue},
        {tsOffice2003Silver, psOffice2003Silver},
        {tsOffice2003Olive, psOffice2003Olive},
        {tsOffice2003Classic, psOffice2003Classic},
        {tsOffice2007Luna, psOffice2007Luna},
        {tsOffice2007Obsidian, psOffice2007Obsidian},
        {tsWindowsXP, psWindowsXP},
        {tsWhidbey, psWhidbey},
        {tsOffice2007Silver, psOffice2007Silver},
    };
    for (const Case& c : cases) {
        TAdvPanelStyler styler;
        styler.SetStyle(psQRB);
        styler.SetComponentStyle(c.library);
        EXPECT_EQ(styler.GetStyle(), c.panel) << c.library;
        styler.SetComponentStyle(tsCustom);
        EXPECT_EQ(styler.GetStyle(), c.panel) << "custom keeps " << c.library;
    }
}

TEST(AdvPanelStylerTest, panelsOfTheFormTakeTheSettingsButKeepTheirOwnButtons)
{
    TForm form;
    auto* styler = new TAdvPanelStyler(&form);
    auto* styled = new TAdvPanel(&form);
    auto* other = new TAdvPanel(&form);
    styled->GetCaption().SetCloseButton(true);
    styled->SetText(QStringLiteral("Własny tekst"));
    styled->SetStyler(styler);
    EXPECT_EQ(styled->GetColorTo(), TColor(0xE3F0F2)) << "the default scheme";

    styler->SetStyle(psOffice2003Blue);
    EXPECT_EQ(styled->GetColor(), TColor(0xFDEADA));
    EXPECT_EQ(styled->GetCaption().GetColor(), TColor(0xD68759));
    EXPECT_EQ(styled->GetStatusBar().GetColor(), TColor(0xE08F65));
    EXPECT_EQ(styled->GetCollapsColor(), clHighlight);
    EXPECT_TRUE(styled->GetCaption().GetCloseButton());
    EXPECT_EQ(styled->GetText(), QStringLiteral("Własny tekst"));
    EXPECT_EQ(other->GetColor(), clBtnFace) << "a panel without the styler keeps its look";

    // A change of the settings restyles the panel; without the styler it no longer does.
    styler->GetSettings().SetHoverColor(clRed);
    EXPECT_EQ(styled->GetHoverColor(), clRed);
    delete styler;
    EXPECT_EQ(styled->GetStyler(), nullptr);
    EXPECT_EQ(styled->GetColor(), TColor(0xFDEADA));
}

TEST(AdvPanelStylerTest, assignCopiesTheSettingsAndEachObjectKeepsItsOwner)
{
    TAdvPanelStyler source;
    source.SetStyle(psOffice2007Obsidian);
    source.GetSettings().SetHint(QStringLiteral("Podpowiedź"));
    source.GetSettings().SetHeight(77);
    source.SetComments(QStringLiteral("uwagi"));
    TAdvPanelStyler target;
    target.Assign(&source);
    EXPECT_EQ(target.GetStyle(), psOffice2007Obsidian);
    EXPECT_EQ(target.GetSettings().GetHint(), QStringLiteral("Podpowiedź"));
    EXPECT_EQ(target.GetSettings().GetHeight(), 77);
    EXPECT_EQ(target.GetSettings().GetStatusBar().GetColorTo(), TColor(0x534D4B));
    EXPECT_EQ(target.GetComments(), QStringLiteral("uwagi"));

    target.SetSettings(source.GetSettings());
    source.GetSettings().SetHeight(5);
    EXPECT_EQ(target.GetSettings().GetHeight(), 77) << "the settings were copied, not shared";
}

TEST(AdvPanelStylerTest, themeChangeWithAdaptationAppliesTheDefaultScheme)
{
    TForm form;
    auto* styler = new TAdvPanelStyler(&form);
    auto* panel = new TAdvPanel(&form);
    panel->SetStyler(styler);
    styler->SetStyle(psOffice2003Olive);
    themeChange(form);
    EXPECT_EQ(styler->GetStyle(), psOffice2003Olive) << "no adaptation";
    styler->SetAutoThemeAdapt(true);
    themeChange(form);
    EXPECT_EQ(styler->GetStyle(), psXP);
    EXPECT_EQ(panel->GetColorTo(), TColor(0xE3F0F2));
}

TEST(AdvPanelStylerTest, formStylerReachesThePanelStyler)
{
    TForm form;
    auto* styler = new TAdvPanelStyler(&form);
    auto* formStyler = new TAdvFormStyler(&form);
    formStyler->SetStyle(tsOffice2007Luna);
    EXPECT_EQ(styler->GetStyle(), psOffice2007Luna);
}
