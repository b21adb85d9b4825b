// The glow button bound to an action: Down follows Checked only while the two are in step, the group index is
// taken while the window builds the button, images follow the action's list, and clicks run the action.
#include "AdvGlowButton.h"
#include "ExtraTestSupport.h"
#include "Forms.h"
#include "GlowButtonTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScopedValueRollback>
#include <QTest>

namespace {

// An action list whose images are two glyphs.
struct ActionImages
{
    ActionImages()
    {
        images = glyphList(&list);
        images->Add(images->GetImage(0));
        list.SetImages(images);
    }
    TActionList list;
    TImageList* images;
};

// A button the window has built (Loaded ran), bound at run time.
DrivenGlowButton* builtButton(QWidget* parent)
{
    auto* button = new DrivenGlowButton(parent);
    button->setGeometry(10, 10, 100, 41);
    button->Loaded();
    return button;
}

} // namespace

TEST(GlowButtonActionTest, downFollowsCheckedOnlyWhileTheyAreInStep)
{
    TAction action;
    DrivenGlowButton* button = builtButton(nullptr);
    std::unique_ptr<DrivenGlowButton> owner(button);
    button->SetStyle(bsCheck);
    button->SetDown(true);
    button->SetAction(&action);

    // Checked (false) differs from Down (true): the button is left alone.
    const TAdvButtonState before = button->state;
    button->state = absUp;
    action.SetChecked(true);
    EXPECT_FALSE(button->checkedLinked);
    EXPECT_TRUE(button->GetDown());
    EXPECT_EQ(button->state, absUp) << "SetDown would have set the down look";
    button->state = before;

    // Now both are true: unchecking the action releases the button.
    action.SetChecked(false);
    EXPECT_TRUE(button->checkedLinked);
    EXPECT_FALSE(button->GetDown());
    action.SetChecked(true);
    EXPECT_TRUE(button->GetDown());
}

TEST(GlowButtonActionTest, theGroupIndexIsTakenWhileTheWindowBuildsTheButton)
{
    TAction action;
    action.SetGroupIndex(5);

    DrivenGlowButton building;
    building.SetGroupIndex(3);
    building.SetAction(&action);
    EXPECT_EQ(building.GetGroupIndex(), 5);

    DrivenGlowButton* runTime = builtButton(nullptr);
    std::unique_ptr<DrivenGlowButton> owner(runTime);
    runTime->SetGroupIndex(3);
    runTime->SetAction(&action);
    EXPECT_EQ(runTime->GetGroupIndex(), 3);

    // A later change reaches only the button whose group was the action's.
    action.SetGroupIndex(7);
    EXPECT_EQ(building.GetGroupIndex(), 7);
    EXPECT_TRUE(building.groupLinked);
    EXPECT_EQ(runTime->GetGroupIndex(), 3);
    EXPECT_FALSE(runTime->groupLinked);

    // A button without a group of its own takes the action's at run time too.
    DrivenGlowButton* plain = builtButton(nullptr);
    std::unique_ptr<DrivenGlowButton> plainOwner(plain);
    plain->SetAction(&action);
    EXPECT_EQ(plain->GetGroupIndex(), 7);
}

TEST(GlowButtonActionTest, aStaticImageIndexOnlyRepaintsWhenTheActionsImageChanges)
{
    for (const bool isStatic : {true, false}) {
        const QScopedValueRollback staticIndex(TAdvCustomGlowButton::FStaticActionImageIndex, isStatic);
        ActionImages images;
        auto* action = new TAction(&images.list);
        action->SetImageIndex(0);
        QWidget window;
        window.resize(200, 100);
        DrivenGlowButton* button = builtButton(&window);
        button->SetImageIndex(5);
        button->SetAction(action);
        EXPECT_EQ(button->GetImageIndex(), isStatic ? 5 : 0) << isStatic;
        window.show();
        QApplication::processEvents();
        PaintCounter paints(button);

        action->SetImageIndex(1);
        QApplication::processEvents();
        EXPECT_EQ(button->GetImageIndex(), isStatic ? 5 : 1) << isStatic;
        EXPECT_GT(paints.paints, 0) << isStatic;
        // Either way the button draws the action's image.
        TBitmap tool(1, 1);
        const TGlowButtonFace face = button->FaceInputs(bsLarge, tool);
        EXPECT_EQ(face.Images, images.images) << isStatic;
        EXPECT_EQ(face.ImageIndex, 1) << isStatic;
    }
}

TEST(GlowButtonActionTest, anActionWithoutListImagesNeverChangesTheImageIndex)
{
    TActionList withoutImages;
    auto* listed = new TAction(&withoutImages);
    TAction unlisted;
    for (TAction* action : {listed, &unlisted}) {
        action->SetImageIndex(0);
        DrivenGlowButton* button = builtButton(nullptr);
        std::unique_ptr<DrivenGlowButton> owner(button);
        button->SetImageIndex(2);
        button->SetAction(action);
        EXPECT_FALSE(button->ActionHasImages());
        action->SetImageIndex(1);
        EXPECT_EQ(button->GetImageIndex(), 2);
        TBitmap tool(1, 1);
        EXPECT_EQ(button->FaceInputs(bsLarge, tool).ImageIndex, 2) << "nothing to draw the action's image from";
    }
}

TEST(GlowButtonActionTest, groupedButtonsFollowTheirGroupedActionsWhenClicked)
{
    // With AllowAllUp false the button released by its action comes up even so: two buttons of a group are
    // never down together.
    for (const bool allowAllUp : {true, false}) {
        TForm form;
        form.SetClientSize(300, 100);
        TActionList list;
        DrivenGlowButton* buttons[2];
        TAction* actions[2];
        for (int i = 0; i < 2; ++i) {
            actions[i] = new TAction(&list);
            actions[i]->SetGroupIndex(1);
            actions[i]->SetAutoCheck(true);
            buttons[i] = builtButton(&form);
            buttons[i]->move(10 + i * 110, 10);
            buttons[i]->SetAllowAllUp(allowAllUp);
            buttons[i]->SetAction(actions[i]);
        }
        actions[0]->SetChecked(true);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        EXPECT_TRUE(buttons[0]->GetDown());

        QTest::mouseClick(buttons[1], Qt::LeftButton, {}, QPoint(20, 20));
        EXPECT_TRUE(actions[1]->GetChecked()) << allowAllUp;
        EXPECT_FALSE(actions[0]->GetChecked()) << allowAllUp;
        EXPECT_TRUE(buttons[1]->GetDown()) << allowAllUp;
        EXPECT_FALSE(buttons[0]->GetDown()) << allowAllUp;
        EXPECT_EQ(buttons[0]->state, absUp) << allowAllUp;
    }
}

TEST(GlowButtonActionTest, aCheckButtonWithAnAutoCheckActionLeavesDownToTheAction)
{
    TForm form;
    form.SetClientSize(200, 100);
    TAction action;
    action.SetAutoCheck(true);
    action.SetCaption(QStringLiteral("Pogrubienie"));
    int runs = 0;
    action.OnExecute = [&runs](QObject*) { ++runs; };
    DrivenGlowButton* button = builtButton(&form);
    button->SetStyle(bsCheck);
    button->SetAction(&action);
    EXPECT_EQ(button->GetCaption(), QStringLiteral("Pogrubienie"));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(action.GetChecked());
    EXPECT_TRUE(button->GetDown());
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(action.GetChecked());
    EXPECT_FALSE(button->GetDown());

    // The button's own OnClick comes instead of the action.
    int clicks = 0;
    button->OnClick = [&clicks](QObject*) { ++clicks; };
    button->Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(runs, 2);
}

TEST(GlowButtonActionTest, assigningAButtonBindsTheTargetToTheSameAction)
{
    TAction action;
    action.SetCaption(QStringLiteral("Drukuj"));
    TAdvGlowButton source;
    source.SetAction(&action);
    TAdvGlowButton target;
    target.Assign(&source);
    EXPECT_EQ(target.GetAction(), &action);
    action.SetCaption(QStringLiteral("Drukuj wszystko"));
    EXPECT_EQ(target.GetCaption(), QStringLiteral("Drukuj wszystko"));
}
