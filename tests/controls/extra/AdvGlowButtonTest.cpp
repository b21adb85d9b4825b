// The glow button's appearance and colour schemes, the look its paint state chooses, its corners, its automatic
// size and its properties.
#include "AdvGlowButton.h"
#include "ExtraTestSupport.h"
#include "GlowButtonTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>

namespace {

// The face the button would draw now, without its tool image (none here), whose bitmap ends with this call.
TGlowButtonFace faceOf(DrivenGlowButton& button, TButtonSizeState sizeState = bsLarge)
{
    TBitmap tool(1, 1);
    TGlowButtonFace face = button.FaceInputs(sizeState, tool);
    face.ToolImage = nullptr;
    return face;
}

} // namespace

TEST(GlowButtonAppearanceTest, defaultsAreTheHotAndNormalLooksDarkened)
{
    const TGlowButtonAppearance a;
    struct Case
    {
        const char* name;
        TGlowLook look, expected;
    };
    const Case cases[] = {
        {"normal", a.Normal(), {0xFFFFFF, 0xFFFFFF, 0xC0C0C0, 0xFFFFFF, 0xC0C0C0, ggVertical, ggVertical}},
        {"hot", a.Hot(), {0xF5F0E1, 0xF9D2B2, 0xF5C8AD, 0xFFF8F4, 0xFF0000, ggRadial, ggRadial}},
        {"down", a.Down(), {0xF5D8CA, 0xF9BDA0, 0xF5B49C, 0xFFDFDC, 0x800000, ggRadial, ggRadial}},
        {"checked", a.Checked(), {0xF5D8CA, 0xF9BDA0, 0xF5B49C, 0xFFDFDC, 0xFF0000, ggRadial, ggVertical}},
        {"disabled", a.Disabled(), {0xF2F2F2, 0xF2F2F2, 0xB6B6B6, 0xF2F2F2, 0x808080, ggRadial, ggRadial}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(c.look == c.expected) << c.name;
    EXPECT_EQ(a.GetColorDown(), DarkenColorRGB(a.GetColorHot(), -10, -10, 0));
    EXPECT_EQ(a.GetColorMirrorCheckedTo(), DarkenColorRGB(a.GetColorMirrorHotTo(), -10, -10, 0));
    EXPECT_EQ(a.GetColorMirrorDisabled(), DarkenColorRGB(a.GetColorMirror(), -5, -5, -5));
    EXPECT_TRUE(a.GetSystemFont());
}

TEST(GlowButtonAppearanceTest, settersAndAssignTellOnlyChanges)
{
    TGlowButtonAppearance a;
    int changes = 0;
    a.OnChange = [&](TGlowButtonAppearance*) { ++changes; };
    a.SetColorHot(a.GetColorHot());
    a.Assign(a);
    EXPECT_EQ(changes, 0);
    a.SetColorHot(clRed);
    a.SetGradientMirrorDisabled(ggDiagonalForward);
    EXPECT_EQ(changes, 2);

    TGlowButtonAppearance other;
    other.SetBorderColorChecked(clLime);
    other.SetSystemFont(false);
    changes = 0;
    a.Assign(other);
    EXPECT_EQ(changes, 4); // ColorHot, BorderColorChecked, GradientMirrorDisabled, SystemFont
    EXPECT_TRUE(a.Hot() == other.Hot());
    EXPECT_TRUE(a.Checked() == other.Checked());
    EXPECT_FALSE(a.GetSystemFont());
}

TEST(GlowButtonAppearanceTest, schemesLoadTheirLooks)
{
    struct Case
    {
        TQRBStyle style;
        TColor color, border, hot, hotBorder, downBorder, checked;
    };
    const Case cases[] = {
        {tsOffice2003Blue, 0xEEDBC8, 0xE0B99B, 0xEBFDFF, 0x99CEDB, 0x45667B, 0xB5DBFB},
        {tsOffice2003Classic, 0xFFFFFF, 0x000000, 0xEBFDFF, 0x99CEDB, 0x45667B, 0xB5DBFB},
        {tsOffice2007Obsidian, 0xDFDED6, 0xC0BCB2, 0xEBFDFF, 0x99CEDB, 0x45667B, 0xB5DBFB},
        {tsWindowsXP, 0xFFFFFF, 0xB9D8DC, 0xEFD3C6, clHighlight, clHighlight, 0xB9D8DC},
        {tsOffice2007Silver, 0xF3F3F1, 0xCCCAC9, 0xEBFDFF, 0x99CEDB, 0x45667B, 0xB5DBFB},
    };
    for (const Case& c : cases) {
        TAdvGlowButton button;
        button.SetComponentStyle(c.style);
        const TGlowButtonAppearance& a = button.GetAppearance();
        EXPECT_EQ(a.GetColor(), c.color) << c.style;
        EXPECT_EQ(a.GetBorderColor(), c.border) << c.style;
        EXPECT_EQ(a.GetColorHot(), c.hot) << c.style;
        EXPECT_EQ(a.GetBorderColorHot(), c.hotBorder) << c.style;
        EXPECT_EQ(a.GetBorderColorDown(), c.downBorder) << c.style;
        EXPECT_EQ(a.GetColorChecked(), c.checked) << c.style;
        EXPECT_EQ(a.GetGradientHot(), ggVertical) << c.style;
        EXPECT_EQ(a.GetGradientMirrorChecked(), ggVertical) << c.style;
        // The disabled look is no scheme's.
        EXPECT_TRUE(a.Disabled() == TGlowButtonAppearance().Disabled()) << c.style;
    }

    // The first scheme set leaves the checked border as the second one set it.
    TAdvGlowButton button;
    button.SetComponentStyle(tsOffice2007Luna);
    EXPECT_EQ(button.GetAppearance().GetBorderColorChecked(), 0x45667Bu);
    button.SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(button.GetAppearance().GetBorderColorChecked(), 0x45667Bu);
}

TEST(GlowButtonAppearanceTest, theCustomSchemeChangesNothingButRedraws)
{
    QWidget window;
    auto* button = new TAdvGlowButton(&window);
    button->SetComponentStyle(tsWhidbey);
    window.show();
    QApplication::processEvents();
    const TGlowLook before = button->GetAppearance().Hot();
    PaintCounter counter(button);
    button->SetComponentStyle(tsCustom);
    QApplication::processEvents();
    EXPECT_TRUE(button->GetAppearance().Hot() == before);
    EXPECT_EQ(button->GetAppearance().GetColor(), 0xFFFFFFu);
    EXPECT_EQ(counter.paints, 1);
}

TEST(TAdvGlowButtonTest, thePaintStateChoosesTheLook)
{
    const TGlowButtonAppearance a;
    struct Case
    {
        const char* name;
        std::function<void(DrivenGlowButton&)> drive;
        TColor color, border;
        bool highlighted;
    };
    const Case cases[] = {
        {"normal", [](DrivenGlowButton&) {}, a.GetColor(), a.GetBorderColor(), false},
        {"hot", [](DrivenGlowButton& b) { b.showHot(); }, a.GetColorHot(), a.GetBorderColorHot(), true},
        {"down", [](DrivenGlowButton& b) { b.state = absDown; }, a.GetColorDown(), a.GetBorderColorDown(), true},
        {"checked",
         [](DrivenGlowButton& b) {
             b.SetStyle(bsCheck);
             b.SetDown(true);
         },
         a.GetColorChecked(), a.GetBorderColorChecked(), false},
        {"exclusive", [](DrivenGlowButton& b) { b.state = absExclusive; }, a.GetColorChecked(),
         a.GetBorderColorChecked(), false},
        {"disabled", [](DrivenGlowButton& b) { b.setEnabled(false); }, a.GetColorDisabled(), a.GetBorderColorDisabled(),
         false},
        {"disabled hot",
         [](DrivenGlowButton& b) {
             b.showHot();
             b.setEnabled(false);
         },
         a.GetColorDisabled(), a.GetBorderColorDisabled(), false},
        {"fading", [](DrivenGlowButton& b) { b.fadeHalfway(); }, BlendColor(a.GetColorHot(), a.GetColor(), 50),
         BlendColor(a.GetBorderColorHot(), a.GetBorderColor(), 50), false},
        {"focused, hot focus",
         [](DrivenGlowButton& b) {
             b.focused = true;
             b.SetFocusType(ftHot);
         },
         a.GetColorHot(), a.GetBorderColorHot(), true},
        {"held in a row",
         [](DrivenGlowButton& b) {
             b.showHot();
             b.SetPosition(bpMiddle);
             b.leftButtonHeld = true;
         },
         a.GetColorHot(), a.GetBorderColor(), true},
    };
    for (const Case& c : cases) {
        DrivenGlowButton button;
        c.drive(button);
        button.grab(); // a paint settles the state
        const TGlowButtonFace face = faceOf(button);
        EXPECT_EQ(face.Look.Color, c.color) << c.name;
        EXPECT_EQ(face.Look.BorderColor, c.border) << c.name;
        EXPECT_EQ(face.Highlighted, c.highlighted) << c.name;
    }

    DrivenGlowButton focused;
    focused.focused = true;
    EXPECT_TRUE(faceOf(focused).FocusFrame);
    focused.SetFocusType(ftNone);
    EXPECT_FALSE(faceOf(focused).FocusFrame);

    DrivenGlowButton transparent;
    transparent.SetTransparent(true);
    EXPECT_TRUE(faceOf(transparent).Transparent);
    transparent.mouseInControl = true;
    EXPECT_FALSE(faceOf(transparent).Transparent);
}

TEST(TAdvGlowButtonTest, imagesPicturesAndCaptionByStateAndSize)
{
    QObject owner;
    TImageList* normal = glyphList(&owner);
    TImageList* hotList = glyphList(&owner, Qt::red);
    TImageList* disabledList = glyphList(&owner, Qt::gray);
    DrivenGlowButton button;
    button.SetImages(normal);
    button.SetHotImages(hotList);
    button.SetDisabledImages(disabledList);
    button.SetImageIndex(0);
    button.SetCaption(QStringLiteral("Zapisz"));
    EXPECT_EQ(faceOf(button).Images, normal);
    button.showHot();
    EXPECT_EQ(faceOf(button).Images, hotList);
    button.setEnabled(false);
    TGlowButtonFace face = faceOf(button);
    EXPECT_EQ(face.Images, disabledList);
    EXPECT_TRUE(face.ImageEnabled);
    button.SetDisabledImages(nullptr);
    face = faceOf(button);
    EXPECT_EQ(face.Images, hotList);
    EXPECT_FALSE(face.ImageEnabled);

    // The smaller size states of a button that sizes itself draw a small glyph, the smallest no caption.
    button.SetAutoSizeEx(true);
    face = faceOf(button, bsLabel);
    EXPECT_EQ(face.ForcedGlyphSize, QSize(16, 16));
    EXPECT_EQ(face.Caption, "Zapisz");
    EXPECT_EQ(face.Picture, nullptr);
    face = faceOf(button, bsGlyph);
    EXPECT_TRUE(face.Caption.isEmpty());
    EXPECT_EQ(faceOf(button).ForcedGlyphSize, QSize(0, 0));
    button.SetShowCaption(false);
    EXPECT_TRUE(faceOf(button).Caption.isEmpty());
}

TEST(TAdvGlowButtonTest, cornersOfTheOuterEndsShowTheParent)
{
    struct Case
    {
        TButtonPosition position;
        bool leftCornersParent, rightCornersParent;
    };
    const Case cases[] = {
        {bpStandalone, true, true}, {bpLeft, true, false}, {bpRight, false, true}, {bpMiddle, false, false}};
    for (const Case& c : cases) {
        QWidget window;
        window.resize(100, 60);
        window.setAutoFillBackground(true);
        window.setPalette(QPalette(Qt::red));
        auto* button = new TAdvGlowButton(&window);
        button->setGeometry(10, 10, 60, 30);
        button->SetPosition(c.position);
        button->SetRounded(false);
        window.show();
        QApplication::processEvents();
        const QImage shot = window.grab().toImage();
        EXPECT_EQ(shot.pixelColor(10, 10) == QColor(Qt::red), c.leftCornersParent) << c.position;
        EXPECT_EQ(shot.pixelColor(10, 39) == QColor(Qt::red), c.leftCornersParent) << c.position;
        EXPECT_EQ(shot.pixelColor(69, 10) == QColor(Qt::red), c.rightCornersParent) << c.position;
        EXPECT_EQ(shot.pixelColor(69, 39) == QColor(Qt::red), c.rightCornersParent) << c.position;
        EXPECT_NE(shot.pixelColor(11, 10), QColor(Qt::red)) << c.position;
    }
}

TEST(TAdvGlowButtonTest, automaticSizeAddsSpacingMarginsAndTheDropDownPart)
{
    DrivenGlowButton button;
    button.SetCaption(QStringLiteral("Zapisz osobę"));
    TGlowButtonFace face = faceOf(button);
    face.MeasureOnly = true;
    TCanvas measuring;
    const TPoint measured = DrawGlowButtonFace(measuring, face);

    button.SetAutoSizeEx(true);
    EXPECT_EQ(button.size(), QSize(3 * 2 + measured.X + 2 + 2 * 1, 2 * 2 + measured.Y + 2 * 1));
    button.SetMarginHorz(4);
    button.SetMarginVert(3);
    const QSize withMargins(3 * 2 + measured.X + 2 + 2 * 4, 2 * 2 + measured.Y + 2 * 3);
    EXPECT_EQ(button.size(), withMargins);
    button.SetDropDownButton(true);
    EXPECT_EQ(button.size(), withMargins + QSize(13, 0));
    button.SetDropDownPosition(dpBottom);
    EXPECT_EQ(button.size(), withMargins + QSize(0, 13));

    button.OnSetButtonSize = [](QObject*, int& w, int& h) {
        w = 120;
        h += 1;
    };
    button.SetShowCaption(false);
    EXPECT_EQ(button.width(), 120);

    TAdvGlowButton fixed;
    fixed.SetCaption(QStringLiteral("Bardzo długi napis przycisku"));
    EXPECT_EQ(fixed.size(), QSize(100, 41));
}

TEST(TAdvGlowButtonTest, propertiesAndTheDrawEvent)
{
    TAdvGlowButton button;
    EXPECT_EQ(button.GetVersion(), "1.8.3.0");
    button.SetVersion(QStringLiteral("9.9.9.9"));
    EXPECT_EQ(button.GetVersion(), "1.8.3.0");
    EXPECT_EQ(button.GetAntiAlias(), aaClearType);
    EXPECT_EQ(button.GetSpacing(), 2);
    EXPECT_TRUE(button.GetWordWrap());
    EXPECT_TRUE(button.GetRounded());
    EXPECT_TRUE(button.GetParentFont());
    EXPECT_FALSE(button.GetTabStop());
    EXPECT_EQ(button.GetNotesFont().Name, "Tahoma");
    EXPECT_EQ(button.GetNotesFont().GetSize(), 8);
    EXPECT_EQ(button.GetMinButtonSizeState(), bsGlyph);
    EXPECT_EQ(button.GetMaxButtonSizeState(), bsLarge);
    EXPECT_EQ(button.GetShortCutHintPos(), shpTop);

    std::vector<TGlowButtonState> drawn;
    DrivenGlowButton driven;
    driven.OnDrawButton = [&](QObject*, TCanvas&, const TRect& rect, TGlowButtonState state) {
        EXPECT_EQ(rect, Rect(0, 0, 100, 41));
        drawn.push_back(state);
    };
    driven.grab();
    driven.mouseInControl = true;
    driven.grab();
    driven.state = absDown;
    driven.grab();
    EXPECT_EQ(drawn, (std::vector<TGlowButtonState>{gsNormal, gsHot, gsDown}));
}
