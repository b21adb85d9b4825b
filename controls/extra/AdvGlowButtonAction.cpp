// How a glow button follows the action bound to it: its down state, group and image besides the caption, hint,
// enabled state and click that every control takes from its action.
#include "AdvGlowButton.h"

#include "ImageList.h"

bool TAdvCustomGlowButton::FStaticActionImageIndex = false;

bool TAdvCustomGlowButton::ActionHasImages() const
{
    if (FStaticActionImageIndex)
        return true;
    const TCustomAction* action = GetAction();
    return action && action->GetActionList() && action->GetActionList()->GetImages();
}

TImageList* TAdvCustomGlowButton::actionImages() const
{
    const TCustomAction* action = GetAction();
    if (!action || action->GetImageIndex() < 0 || !action->GetActionList())
        return nullptr;
    return action->GetActionList()->GetImages();
}

void TAdvCustomGlowButton::ActionChange(QObject* Sender, bool CheckDefaults)
{
    TActionClient::ActionChange(Sender, CheckDefaults);
    auto* action = qobject_cast<TCustomAction*>(Sender);
    if (!action)
        return;
    if (CheckDefaults || groupIndex == 0)
        SetGroupIndex(action->GetGroupIndex());
    if (!FStaticActionImageIndex && ActionHasImages())
        SetImageIndex(action->GetImageIndex());
}

TActionLinkClass TAdvCustomGlowButton::GetActionLinkClass() const
{
    return &MakeActionLink<TAdvGlowButtonActionLink>;
}

bool TAdvCustomGlowButton::actionKeepsDown()
{
    auto* link = GetActionLink();
    if (!GetAction() || !link)
        return false;
    const bool checkedInStep = link->IsCheckedLinked();
    const bool groupInStep = link->IsGroupIndexLinked();
    return checkedInStep || groupInStep;
}

void TAdvGlowButtonActionLink::AssignClient(TActionClient* client)
{
    TControlActionLink::AssignClient(client);
    button = dynamic_cast<TAdvCustomGlowButton*>(client);
}

bool TAdvGlowButtonActionLink::IsCheckedLinked()
{
    const bool linked = TControlActionLink::IsCheckedLinked() && GetAction()->GetChecked() == button->down;
    button->checkedLinked = linked;
    return linked;
}

bool TAdvGlowButtonActionLink::IsGroupIndexLinked()
{
    const bool linked = GetAction() && GetAction()->GetGroupIndex() == button->groupIndex;
    button->groupLinked = linked;
    return linked;
}

bool TAdvGlowButtonActionLink::IsImageIndexLinked()
{
    return TControlActionLink::IsImageIndexLinked() && GetAction()->GetImageIndex() == imageIndex;
}

void TAdvGlowButtonActionLink::SetChecked(bool value)
{
    if (!IsCheckedLinked())
        return;
    button->SetDown(value);
    // The action's group has another action checked now; its button went down without releasing this one (the
    // actions keep the group), so this one comes up even where it may not come up by itself.
    if (!value && button->down)
        button->comeUp();
}

void TAdvGlowButtonActionLink::SetGroupIndex(int value)
{
    if (IsGroupIndexLinked())
        button->SetGroupIndex(value);
}

void TAdvGlowButtonActionLink::SetImageIndex(int value)
{
    if (!IsImageIndexLinked())
        return;
    imageIndex = value;
    // The button draws the action's image, whether or not it takes the index.
    button->update();
    if (!TAdvCustomGlowButton::FStaticActionImageIndex && button->ActionHasImages())
        button->SetImageIndex(value);
}
