// Windows of panels with caption bars, written as pictures for a person to look at: every shade type, both bar
// positions, the three shapes with buttons, the fourteen schemes of the panel styler, and panel groups.
#include "AdvPanel.h"
#include "AdvPanelGroup.h"
#include "AdvPanelStyler.h"
#include "InputTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

TAdvPanel* captionPanel(QWidget* parent, const QRect& geometry, const QString& title)
{
    auto* panel = new TAdvPanel(parent);
    panel->setGeometry(geometry);
    panel->SetColor(clWhite);
    panel->SetColorTo(0xE4E4E4);
    panel->SetBevelOuter(bvNone);
    panel->SetBorderColor(clGray);
    panel->SetBorderWidth(1);
    TPanelCaption& caption = panel->GetCaption();
    caption.SetVisible(true);
    caption.SetText(title);
    caption.SetIndent(4);
    caption.SetShadeLight(255);
    return panel;
}

QWidget* galleryWindow(int w, int h)
{
    auto* window = new QWidget;
    paintGalleryBackground(*window);
    window->resize(w, h);
    return window;
}

} // namespace

TEST(PanelGalleryTest, shadeTypesShapesAndButtons)
{
    std::unique_ptr<QWidget> window(galleryWindow(920, 560));
    const char* names[] = {"stNormal",    "stNoise",   "stDiagShade",      "stHShade",        "stVShade",
                           "stHBump",     "stVBump",   "stSoftBump",       "stHardBump",      "stLMetal",
                           "stRMetal",    "stIRadial", "stORadial",        "stHShadeInv",     "stVShadeInv",
                           "stXPCaption", "stBitmap",  "stBitmapRStretch", "stBitmapLStretch"};
    TBitmap picture(60, 20);
    for (int x = 0; x < 60; ++x) {
        for (int y = 0; y < 20; ++y)
            picture.Image().setPixelColor(x, y, QColor(40 + 3 * x, 90 + 4 * y, 200));
    }
    for (int i = 0; i <= stBitmapLStretch; ++i) {
        auto* panel = captionPanel(window.get(), QRect(10 + (i % 5) * 180, 10 + (i / 5) * 70, 170, 60),
                                   QString::fromLatin1(names[i]));
        TPanelCaption& caption = panel->GetCaption();
        caption.SetColor(i % 2 ? TColor(0xC08040) : TColor(0x4080C0));
        caption.SetBackground(picture);
        caption.SetShadeType(TShadeType(i));
    }
    // Shapes with buttons, and left bars.
    const TCaptionShape shapes[] = {csRectangle, csRounded, csSemiRounded};
    for (int i = 0; i < 3; ++i) {
        auto* panel =
            captionPanel(window.get(), QRect(10 + i * 180, 300, 170, 80), QStringLiteral("Kształt <b>%1</b>").arg(i));
        TPanelCaption& caption = panel->GetCaption();
        caption.SetColor(0x9C6B3A);
        caption.SetShadeType(stVBump);
        caption.SetShape(shapes[i]);
        caption.SetCloseButton(true);
        caption.SetMinMaxButton(i != 1);
        caption.SetButtonPosition(i == 2 ? cbpLeft : cbpRight);
        panel->SetText(QStringLiteral("Treść panelu z <a href=\"x\">odnośnikiem</a>."));
    }
    auto* plain = captionPanel(window.get(), QRect(550, 300, 170, 80), QStringLiteral("Gradient i przyciski"));
    plain->GetCaption().SetColor(clNavy);
    plain->GetCaption().SetColorTo(0xFF8080);
    plain->GetCaption().SetCloseButton(true);
    plain->GetCaption().SetMinMaxButton(true);
    plain->GetStatusBar().SetVisible(true);
    plain->GetStatusBar().SetText(QStringLiteral("Pasek stanu"));
    for (int i = 0; i < 2; ++i) {
        auto* left = captionPanel(window.get(), QRect(730 + i * 90, 300, 80, 240), QStringLiteral("Pasek z lewej"));
        left->GetCaption().SetPosition(TPanelCaption::cpLeft);
        left->GetCaption().SetColor(0x3A6B9C);
        left->GetCaption().SetShadeType(i ? stHShade : stNormal);
        left->GetCaption().SetCloseButton(true);
        left->GetCaption().SetMinMaxButton(true);
        left->GetCaption().SetButtonPosition(i ? cbpLeft : cbpRight);
    }
    const QImage shot = window->grab().toImage();
    EXPECT_TRUE(shot.save(testOutputFolder() + QStringLiteral("/PanelGallery-shades.png")));
}

TEST(PanelGalleryTest, fourteenSchemes)
{
    std::unique_ptr<QWidget> window(galleryWindow(920, 420));
    const char* names[] = {"psXP",
                           "psFlat",
                           "psQRB",
                           "psClassic",
                           "psOffice2003Blue",
                           "psOffice2003Olive",
                           "psOffice2003Silver",
                           "psOffice2003Classic",
                           "psOffice2007Luna",
                           "psOffice2007Obsidian",
                           "psWhidbey",
                           "psWindowsXP",
                           "psCustom",
                           "psOffice2007Silver"};
    for (int i = 0; i <= psOffice2007Silver; ++i) {
        auto* styler = new TAdvPanelStyler(window.get());
        styler->SetStyle(TAdvPanelStyle(i));
        auto* panel = new TAdvPanel(window.get());
        panel->setGeometry(10 + (i % 5) * 180, 10 + (i / 5) * 135, 170, 125);
        panel->GetCaption().SetVisible(true);
        panel->GetCaption().SetText(QString::fromLatin1(names[i]));
        panel->GetCaption().SetMinMaxButton(true);
        panel->GetStatusBar().SetVisible(true);
        panel->GetStatusBar().SetText(QStringLiteral("Gotowe"));
        panel->SetText(QStringLiteral("Treść z <a href=\"x\">odnośnikiem</a>"));
        panel->SetStyler(styler);
    }
    const QImage shot = window->grab().toImage();
    EXPECT_TRUE(shot.save(testOutputFolder() + QStringLiteral("/PanelGallery-schemes.png")));
}

TEST(PanelGalleryTest, groupOfCollapsedAndExpandedPanels)
{
    std::unique_ptr<QWidget> window(galleryWindow(560, 420));
    auto* group = new TAdvPanelGroup(window.get());
    group->setGeometry(10, 10, 260, 400);
    group->SetColumns(1);
    auto* wide = new TAdvPanelGroup(window.get());
    wide->setGeometry(290, 10, 260, 400);
    wide->SetColumns(2);
    const QStringList titles = {QStringLiteral("Osoba"), QStringLiteral("Fakty"), QStringLiteral("Zdjęcia"),
                                QStringLiteral("Notatki"), QStringLiteral("Relacje")};
    for (TAdvPanelGroup* g : {group, wide}) {
        g->GetDefaultPanel().GetCaption().SetVisible(true);
        g->GetDefaultPanel().GetCaption().SetShadeType(stVBump);
        g->GetDefaultPanel().GetCaption().SetColor(0x9C6B3A);
        g->GetDefaultPanel().SetColor(clWhite);
        g->GetDefaultPanel().SetColorTo(0xE4E4E4);
        g->GetDefaultPanel().SetHeight(90);
        for (int i = 0; i < titles.size(); ++i) {
            TCustomAdvPanel* panel = g->AddPanel();
            // The settings carry the caption's look; whether it shows is each panel's own.
            panel->GetCaption().SetVisible(true);
            panel->GetCaption().SetMinMaxButton(true);
            panel->GetCaption().SetText(titles[i]);
            panel->SetText(QStringLiteral("Treść panelu „%1”.").arg(titles[i]));
            panel->SetCollapsSteps(0);
            // The two-column group collapses a whole row, so the rows keep their height.
            if (g == group ? i % 2 : i / 2 == 1)
                panel->SetCollaps(true);
        }
    }
    window->show();
    const QImage shot = window->grab().toImage();
    EXPECT_TRUE(shot.save(testOutputFolder() + QStringLiteral("/PanelGallery-group.png")));
}
