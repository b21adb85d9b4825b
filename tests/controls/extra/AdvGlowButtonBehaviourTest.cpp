// How the glow button answers the pointer and the keys: fades ticked by hand, the drop-down part and its menu,
// groups, auto-repeat, Return, Esc and the accelerator, size states, copying, and the key tip.
#include "AdvGlowButton.h"
#include "Forms.h"
#include "GlowButtonTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {

// A shown window with glow buttons on it.
struct ButtonWindow
{
    ButtonWindow() { form.SetClientSize(300, 200); }
    DrivenGlowButton* add(int x, int y, const char* caption = "Przycisk")
    {
        auto* b = new DrivenGlowButton(&form);
        b->setGeometry(x, y, 100, 41);
        b->SetCaption(QString::fromUtf8(caption));
        return b;
    }
    bool show()
    {
        form.show();
        form.activateWindow();
        return QTest::qWaitForWindowActive(&form);
    }
    TForm form;
};

// Opens the menu by the action and reports where it stood and whether the button was dropped down meanwhile.
struct MenuWatch
{
    QPoint shownAt;
    bool droppedDown = false;
    bool shown = false;

    void during(QMenu& menu, DrivenGlowButton& button, const std::function<void()>& action)
    {
        QTimer::singleShot(0, &menu, [&] {
            shown = menu.isVisible();
            shownAt = menu.pos();
            droppedDown = button.GetDroppedDown();
            menu.close();
        });
        action();
    }
};

int ticksUntilTheFadeEnds(DrivenGlowButton& button, std::vector<int>* steps = nullptr)
{
    int ticks = 0;
    while (button.fadeTimer && ticks < 100) {
        button.FadeTick();
        ++ticks;
        if (steps)
            steps->push_back(button.glowState == gsPush ? button.pressStep : button.hoverStep);
    }
    return ticks;
}

} // namespace

TEST(GlowButtonFadeTest, hoverFadeRunsInSixTicksAndStaysWithinItsRange)
{
    DrivenGlowButton button;
    button.MouseEnter();
    ASSERT_TRUE(button.fadeTimer);
    EXPECT_EQ(button.fadeTimer->interval(), GlowSpeed);
    EXPECT_EQ(button.glowState, gsHover);
    std::vector<int> steps;
    EXPECT_EQ(ticksUntilTheFadeEnds(button, &steps), 6);
    EXPECT_EQ(steps, (std::vector<int>{20, 40, 60, 80, 100, 100}));
    EXPECT_EQ(button.glowState, gsNone);
    EXPECT_FALSE(button.fadeTimer);

    // Enter, leave and enter again within a fade: the step goes on from where it is.
    DrivenGlowButton restless;
    restless.MouseEnter();
    restless.FadeTick();
    restless.FadeTick();
    restless.MouseLeave();
    EXPECT_EQ(restless.hoverStep, 100);
    restless.FadeTick();
    restless.MouseEnter();
    EXPECT_EQ(restless.hoverStep, 80);
    for (int i = 0; i < 20; ++i) {
        if (i % 3 == 0)
            (i % 2 ? restless.MouseEnter() : restless.MouseLeave());
        restless.FadeTick();
        EXPECT_GE(restless.hoverStep, 0) << i;
        EXPECT_LE(restless.hoverStep, 100) << i;
    }
}

TEST(GlowButtonFadeTest, pressFadeRisesWhileHeldAndFallsAfterTheRelease)
{
    ButtonWindow w;
    DrivenGlowButton* button = w.add(10, 10);
    ASSERT_TRUE(w.show());
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(button->pressed);
    EXPECT_EQ(button->glowState, gsPush);
    EXPECT_EQ(button->state, absDown);
    button->FadeTick();
    button->FadeTick();
    EXPECT_EQ(button->pressStep, 40);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(button->state, absUp);
    std::vector<int> steps;
    EXPECT_EQ(ticksUntilTheFadeEnds(*button, &steps), 3);
    EXPECT_EQ(steps, (std::vector<int>{20, 0, 0}));
    EXPECT_FALSE(button->pressed);
}

TEST(GlowButtonDropDownTest, theDropDownPartBeginsThirteenPixelsFromTheEdge)
{
    ButtonWindow w;
    DrivenGlowButton* button = w.add(10, 20);
    button->SetDropDownButton(true);
    QMenu menu;
    menu.addAction(QStringLiteral("Pozycja"));
    button->SetDropDownMenu(&menu);
    int dropDowns = 0;
    int clicks = 0;
    button->OnDropDown = [&](QObject*) { ++dropDowns; };
    button->OnClick = [&](QObject*) { ++clicks; };
    ASSERT_TRUE(w.show());

    // The main part, and a click when let go there.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(100 - 13, 20));
    EXPECT_EQ(dropDowns, 0);
    EXPECT_EQ(clicks, 1);

    struct Case
    {
        TDropDownDirection direction;
        QPoint local; // of the menu's corner, in the window
    };
    for (const Case& c : {Case{ddDown, {10, 61}}, Case{ddRight, {110, 20}}}) {
        button->SetDropDownDirection(c.direction);
        MenuWatch watch;
        watch.during(menu, *button, [&] { QTest::mousePress(button, Qt::LeftButton, {}, QPoint(100 - 12, 20)); });
        EXPECT_TRUE(watch.shown) << c.direction;
        EXPECT_TRUE(watch.droppedDown) << c.direction;
        EXPECT_EQ(watch.shownAt, w.form.mapToGlobal(c.local)) << c.direction;
        EXPECT_FALSE(button->GetDroppedDown());
    }
    EXPECT_EQ(dropDowns, 2);

    // The hot look of the drop-down part starts a pixel further right than its press.
    QTest::mouseMove(button, QPoint(100 - 12, 20));
    EXPECT_FALSE(button->dropPartHot);
    QTest::mouseMove(button, QPoint(100 - 11, 20));
    EXPECT_TRUE(button->dropPartHot);
}

TEST(GlowButtonDropDownTest, fourOpensTheMenuOnlyWhereThereIsOne)
{
    ButtonWindow w;
    DrivenGlowButton* button = w.add(10, 20);
    button->SetTabStop(true);
    int dropDowns = 0;
    button->OnDropDown = [&](QObject*) { ++dropDowns; };
    ASSERT_TRUE(w.show());
    button->setFocus();
    QTest::keyClick(button, Qt::Key_F4);
    EXPECT_EQ(dropDowns, 0);

    QMenu menu;
    menu.addAction(QStringLiteral("Pozycja"));
    button->SetDropDownMenu(&menu);
    MenuWatch watch;
    watch.during(menu, *button, [&] { QTest::keyClick(button, Qt::Key_F4); });
    EXPECT_TRUE(watch.shown);
    EXPECT_EQ(dropDowns, 1);
    EXPECT_EQ(button->state, absUp);
}

TEST(GlowButtonGroupTest, groupedButtonsAreDownOneAtATime)
{
    ButtonWindow w;
    DrivenGlowButton* first = w.add(10, 10);
    DrivenGlowButton* second = w.add(120, 10);
    DrivenGlowButton* elsewhere = w.add(10, 100);
    for (DrivenGlowButton* b : {first, second, elsewhere})
        b->SetGroupIndex(1);
    elsewhere->SetGroupIndex(2);
    ASSERT_TRUE(w.show());
    first->SetDown(true);
    elsewhere->SetDown(true);
    EXPECT_EQ(first->state, absExclusive);

    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(second->GetDown());
    EXPECT_FALSE(first->GetDown());
    EXPECT_TRUE(elsewhere->GetDown());

    // Without AllowAllUp the down one stays down.
    second->SetDown(false);
    EXPECT_TRUE(second->GetDown());
    second->SetAllowAllUp(true);
    second->SetDown(false);
    EXPECT_FALSE(second->GetDown());
    second->SetDown(true);

    // Let go outside: nothing changes, the down look stays.
    QTest::mousePress(second, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(second, Qt::LeftButton, {}, QPoint(20, 80));
    EXPECT_TRUE(second->GetDown());
    EXPECT_EQ(second->state, absExclusive);

    // A plain button outside a group never stays down.
    DrivenGlowButton plain;
    plain.SetDown(true);
    EXPECT_FALSE(plain.GetDown());
    plain.SetStyle(bsCheck);
    plain.SetDown(true);
    EXPECT_TRUE(plain.GetDown());
}

TEST(GlowButtonRepeatTest, aHeldButtonClicksAfterFourHundredAndThenEveryHundredMilliseconds)
{
    ButtonWindow w;
    DrivenGlowButton* button = w.add(10, 10);
    button->SetRepeatClick(true);
    int clicks = 0;
    button->OnClick = [&](QObject*) { ++clicks; };
    ASSERT_TRUE(w.show());
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_TRUE(button->repeatTimer);
    EXPECT_TRUE(button->repeatTimer->isActive());
    EXPECT_EQ(button->repeatTimer->interval(), 400);
    button->TimerExpired();
    EXPECT_EQ(button->repeatTimer->interval(), 100);
    button->TimerExpired();
    EXPECT_EQ(clicks, 2);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(clicks, 3);
    EXPECT_FALSE(button->repeatTimer->isActive());
    button->TimerExpired();
    EXPECT_EQ(clicks, 3);

    // A click that fails stops the repeating before the failure goes on.
    button->OnClick = [](QObject*) { throw Exception(QStringLiteral("Błąd")); };
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_THROW(button->TimerExpired(), Exception);
    EXPECT_FALSE(button->repeatTimer->isActive());
}

TEST(GlowButtonKeyTest, returnEscapeSpaceAndTheAccelerator)
{
    ButtonWindow w;
    auto* edit = new QLineEdit(&w.form);
    edit->setGeometry(10, 150, 100, 21);
    DrivenGlowButton* ok = w.add(10, 10, "&Zapisz");
    DrivenGlowButton* cancel = w.add(120, 10, "Anuluj");
    DrivenGlowButton* other = w.add(10, 60, "&Inny");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel->SetCancel(true);
    other->SetTabStop(true);
    QStringList clicked;
    for (DrivenGlowButton* b : {ok, cancel, other})
        b->OnClick = [&clicked, b](QObject*) { clicked << b->GetCaption(); };
    ASSERT_TRUE(w.show());

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(w.form.GetModalResult(), mrOk);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(clicked, (QStringList{"&Zapisz", "Anuluj"}));

    // A focused glow button answers Return itself; Space clicks it as it goes down.
    clicked.clear();
    other->setFocus();
    QTest::keyClick(other, Qt::Key_Return);
    QTest::keyPress(other, Qt::Key_Space);
    EXPECT_EQ(other->state, absDown);
    QTest::keyRelease(other, Qt::Key_Space);
    EXPECT_EQ(other->state, absUp);
    EXPECT_EQ(clicked, (QStringList{"&Inny", "&Inny"}));

    clicked.clear();
    edit->setFocus();
    QTest::keyClick(&w.form, Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(clicked, QStringList{"&Zapisz"});
    ok->setEnabled(false);
    QTest::keyClick(&w.form, Qt::Key_Return);
    QTest::keyClick(&w.form, Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(clicked, QStringList{"&Zapisz"});
}

TEST(GlowButtonSizeTest, sizeStatesMeasureAndLayOutTheButton)
{
    QObject owner;
    DrivenGlowButton button;
    button.SetCaption(QStringLiteral("Zapisz"));
    button.SetImages(glyphList(&owner));
    button.SetImageIndex(0);
    button.SetLayout(blGlyphTop);
    TBitmap tool(1, 1);
    TGlowButtonFace face = button.FaceInputs(bsLarge, tool);
    face.MeasureOnly = true;
    TCanvas measuring;
    const TPoint measured = DrawGlowButtonFace(measuring, face);
    const TPoint large = button.GetButtonSize(bsLarge);
    EXPECT_EQ(large.X, measured.X + 3 * 2 + 2 * 1 + 2);
    EXPECT_EQ(large.Y, measured.Y + 2 * 2 + 2 * 1);
    button.SetDropDownButton(true);
    EXPECT_EQ(button.GetButtonSize(bsLarge).X, large.X + 13);

    button.SetAutoSizeEx(true);
    button.SetButtonSizeState(bsLabel);
    EXPECT_EQ(button.GetLayout(), blGlyphLeft);
    EXPECT_EQ(button.FaceInputs(bsLabel, tool).ForcedGlyphSize, QSize(16, 16));
    button.SetButtonSizeState(bsGlyph);
    EXPECT_TRUE(button.FaceInputs(bsGlyph, tool).Caption.isEmpty());
    EXPECT_LT(button.width(), large.X);
    button.SetButtonSizeState(bsLarge);
    EXPECT_EQ(button.GetLayout(), blGlyphTop);

    button.SetMinButtonSizeState(bsLabel);
    EXPECT_EQ(button.GetButtonSizeState(), bsLarge);
    button.SetButtonSizeState(bsGlyph);
    button.SetMinButtonSizeState(bsLarge);
    EXPECT_EQ(button.GetButtonSizeState(), bsLarge);
}

TEST(GlowButtonAssignTest, copiesTheCommonPropertiesOnly)
{
    QObject owner;
    TAdvGlowButton target;
    target.SetImages(glyphList(&owner));
    target.SetLayout(blGlyphRight);

    TAdvGlowButton source;
    source.SetCaption(QStringLiteral("Źródło"));
    source.SetSpacing(5);
    source.SetRounded(false);
    source.SetModalResult(mrCancel);
    source.SetGroupIndex(4);
    source.SetLayout(blGlyphBottom);
    target.Assign(&source);
    EXPECT_EQ(target.GetImages(), nullptr);
    EXPECT_EQ(target.GetCaption(), "Źródło");
    EXPECT_EQ(target.GetSpacing(), 5);
    EXPECT_FALSE(target.GetRounded());
    EXPECT_EQ(target.GetModalResult(), mrCancel);
    EXPECT_EQ(target.GetGroupIndex(), 0);
    EXPECT_EQ(target.GetLayout(), blGlyphRight);
}

TEST(GlowButtonKeyTipTest, placesByPosition)
{
    const QRect button(100, 100, 80, 40);
    const QSize tip(20, 16);
    struct Case
    {
        TShortCutHintPos position;
        QPoint at;
    };
    const Case cases[] = {
        {shpLeft, {106, 112}},
        {shpTop, {130, 92}},
        {shpRight, {170, 112}},
        {shpBottom, {130, 132}},
        {shpCenter, {130, 112}},
        {shpTopLeft, {106, 92}},
        {shpTopRight, {161, 92}},
        {shpAboveTop, {130, 84}},
        {shpAboveTopLeft, {106, 84}},
        {shpAboveTopRight, {161, 84}},
        {shpBottomLeft, {106, 132}},
        {shpBottomRight, {161, 132}},
        {shpBelowBottom, {130, 140}},
        {shpBelowBottomLeft, {106, 140}},
        {shpBelowBottomRight, {161, 140}},
        {shpBelowBottomCenter, {130, 140}},
        {shpAuto, {130, 92}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TAdvCustomGlowButton::ShortCutHintPlace(c.position, button, tip), c.at) << c.position;
}

TEST(GlowButtonKeyTipTest, showsBesideTheButtonInTheAppearancesColours)
{
    ButtonWindow w;
    DrivenGlowButton* button = w.add(40, 40);
    button->SetShortCutHintPos(shpAuto);
    ASSERT_TRUE(w.show());
    button->OnGetShortCutHintPos = [](QObject*, TButtonSizeState state, TShortCutHintPos& position) {
        EXPECT_EQ(state, bsLarge);
        position = shpAuto;
    };
    button->ShowShortCutHint();
    TShortCutHintWindow* tip = button->GetShortCutHintWindow();
    ASSERT_TRUE(tip);
    EXPECT_TRUE(tip->isVisible());
    const QRect client(button->mapToGlobal(QPoint(0, 0)), button->size());
    EXPECT_EQ(tip->pos(), TAdvCustomGlowButton::ShortCutHintPlace(shpTop, client, tip->size()));
    TCanvas measuring;
    measuring.Font = TFont::FromQFont(tip->font());
    EXPECT_GE(tip->width(), measuring.TextWidth(QStringLiteral("O")) + 8);

    EXPECT_EQ(tip->GetColor(), clWhite);
    EXPECT_EQ(tip->GetColorTo(), button->GetAppearance().GetColor());
    button->GetAppearance().SetColor(clYellow);
    EXPECT_EQ(tip->GetColorTo(), clYellow);
    button->SetComponentStyle(tsOffice2003Olive);
    EXPECT_EQ(tip->GetColorTo(), 0xCFF0EAu);
    button->HideShortCutHint();
    EXPECT_FALSE(tip->isVisible());
}
