// Actions, action lists and the link that keeps a control's caption, hint, enabled state and click in step.
#include "ActionList.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace {

// The smallest control that can be bound to an action.
class ActionControl : public QWidget, public TActionClient
{
public:
    ActionControl() : TActionClient(this) {}
    QString GetCaption() const override { return caption; }
    void SetCaption(const QString& value) override { caption = value; }
    using TActionClient::EndLoading;
    using TActionClient::ExecuteAction;

    QString caption;
};

} // namespace

TEST(ActionListTest, bindingAtRunTimeTakesEveryValueOfTheAction)
{
    TAction action;
    action.SetCaption(QStringLiteral("Zapisz"));
    action.SetHint(QStringLiteral("Zapisuje osobę"));
    action.SetEnabled(false);
    ActionControl control;
    control.EndLoading();
    control.caption = QStringLiteral("Własny");
    control.setToolTip(QStringLiteral("Własna podpowiedź"));

    control.SetAction(&action);
    EXPECT_EQ(control.GetAction(), &action);
    EXPECT_EQ(control.caption, QStringLiteral("Zapisz"));
    EXPECT_EQ(control.toolTip(), action.GetHint());
    EXPECT_FALSE(control.isEnabled());
}

TEST(ActionListTest, bindingWhileTheWindowBuildsFillsInOnlyDefaults)
{
    TAction action;
    action.SetCaption(QStringLiteral("Zapisz"));
    action.SetHint(QStringLiteral("Zapisuje osobę"));
    action.SetEnabled(false);

    ActionControl own;
    own.caption = QStringLiteral("Własny");
    own.setToolTip(QStringLiteral("Własna podpowiedź"));
    own.SetAction(&action);
    EXPECT_EQ(own.caption, QStringLiteral("Własny"));
    EXPECT_EQ(own.toolTip(), QStringLiteral("Własna podpowiedź"));
    EXPECT_FALSE(own.isEnabled()) << "enabled is the default, so the action's state is taken";

    // A caption that is still the control's name counts as not set; a disabled control stays disabled.
    TAction enabled;
    enabled.SetCaption(QStringLiteral("Usuń"));
    ActionControl named;
    named.setObjectName(QStringLiteral("ButtonUsun"));
    named.caption = named.objectName();
    named.setEnabled(false);
    named.SetAction(&enabled);
    EXPECT_EQ(named.caption, QStringLiteral("Usuń"));
    EXPECT_FALSE(named.isEnabled());

    // Later changes of the action reach the control in full.
    action.SetCaption(QStringLiteral("Zapisz zmiany"));
    EXPECT_EQ(own.caption, QStringLiteral("Zapisz zmiany"));
    action.SetEnabled(true);
    EXPECT_TRUE(own.isEnabled());
}

TEST(ActionListTest, checkingAnActionOfAGroupUnchecksTheOthersOfItsList)
{
    TActionList list;
    auto* bold = new TAction(&list);
    auto* italic = new TAction(&list);
    auto* other = new TAction(&list);
    TAction outside;
    bold->SetGroupIndex(1);
    italic->SetGroupIndex(1);
    other->SetGroupIndex(2);
    outside.SetGroupIndex(1);
    other->SetChecked(true);
    outside.SetChecked(true);

    bold->SetChecked(true);
    italic->SetChecked(true);
    EXPECT_FALSE(bold->GetChecked());
    EXPECT_TRUE(italic->GetChecked());
    EXPECT_TRUE(other->GetChecked()) << "another group";
    EXPECT_TRUE(outside.GetChecked()) << "another list";
    EXPECT_EQ(bold->GetActionList(), &list);
    EXPECT_EQ(list.Actions().size(), 3);
}

TEST(ActionListTest, executingRunsOnExecuteAndTurnsAnAutoCheckActionOver)
{
    TActionList list;
    auto* single = new TAction(&list);
    auto* grouped = new TAction(&list);
    int runs = 0;
    single->OnExecute = [&runs](QObject*) { ++runs; };
    single->SetAutoCheck(true);
    grouped->SetAutoCheck(true);
    grouped->SetGroupIndex(1);

    EXPECT_TRUE(single->Execute());
    EXPECT_TRUE(single->GetChecked());
    EXPECT_TRUE(single->Execute());
    EXPECT_FALSE(single->GetChecked());
    EXPECT_EQ(runs, 2);

    EXPECT_FALSE(grouped->Execute()) << "no OnExecute";
    EXPECT_TRUE(grouped->GetChecked());
    grouped->Execute();
    EXPECT_TRUE(grouped->GetChecked()) << "a group keeps one action checked";

    single->SetEnabled(false);
    EXPECT_FALSE(single->Execute());
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(single->GetChecked());
}

TEST(ActionListTest, aControlsClickRunsItsActionUntilTheActionIsGone)
{
    ActionControl control;
    control.EndLoading();
    EXPECT_FALSE(control.ExecuteAction());
    int runs = 0;
    {
        TAction action;
        action.OnExecute = [&runs](QObject*) { ++runs; };
        control.SetAction(&action);
        EXPECT_TRUE(control.ExecuteAction());
        EXPECT_EQ(runs, 1);
    }
    EXPECT_EQ(control.GetAction(), nullptr);
    EXPECT_FALSE(control.ExecuteAction());

    TAction next;
    control.SetAction(&next);
    control.SetAction(nullptr);
    next.SetCaption(QStringLiteral("Dalej"));
    EXPECT_NE(control.caption, QStringLiteral("Dalej")) << "unbound";
}
