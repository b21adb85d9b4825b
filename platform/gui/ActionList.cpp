#include "ActionList.h"

#include <QScopedValueRollback>
#include <QWidget>

TCustomAction::TCustomAction(QObject* parent) : QObject(parent) {}

TCustomAction::~TCustomAction()
{
    // The controls bound to the action forget it.
    for (TControlActionLink* link : std::as_const(clients)) {
        QObject::disconnect(link->changed);
        link->action = nullptr;
    }
}

TActionList* TCustomAction::GetActionList() const
{
    return qobject_cast<TActionList*>(parent());
}

void TCustomAction::SetCaption(const QString& value)
{
    if (value == caption)
        return;
    for (TControlActionLink* link : std::as_const(clients))
        link->SetCaption(value);
    caption = value;
    change();
}

void TCustomAction::SetHint(const QString& value)
{
    if (value == hint)
        return;
    for (TControlActionLink* link : std::as_const(clients))
        link->SetHint(value);
    hint = value;
    change();
}

void TCustomAction::SetEnabled(bool value)
{
    if (value == enabled)
        return;
    for (TControlActionLink* link : std::as_const(clients))
        link->SetEnabled(value);
    enabled = value;
    change();
}

void TCustomAction::SetChecked(bool value)
{
    // Unchecking the rest of the group comes back here for each of them; the guard keeps this one out.
    if (checking || value == checked)
        return;
    const QScopedValueRollback guard(checking, true);
    for (TControlActionLink* link : std::as_const(clients))
        link->SetChecked(value);
    checked = value;
    if (groupIndex > 0 && checked) {
        if (TActionList* list = GetActionList()) {
            for (TCustomAction* other : list->Actions()) {
                if (other != this && other->groupIndex == groupIndex)
                    other->SetChecked(false);
            }
        }
    }
    change();
}

void TCustomAction::SetGroupIndex(int value)
{
    if (value == groupIndex)
        return;
    for (TControlActionLink* link : std::as_const(clients))
        link->SetGroupIndex(value);
    groupIndex = value;
    change();
}

void TCustomAction::SetImageIndex(int value)
{
    if (value == imageIndex)
        return;
    for (TControlActionLink* link : std::as_const(clients))
        link->SetImageIndex(value);
    imageIndex = value;
    change();
}

bool TCustomAction::Execute()
{
    if (!enabled)
        return false;
    // A group always keeps one action checked.
    if (autoCheck && !(checked && groupIndex > 0))
        SetChecked(!checked);
    if (!OnExecute)
        return false;
    OnExecute(this);
    return true;
}

TControlActionLink::~TControlActionLink()
{
    SetAction(nullptr);
}

void TControlActionLink::SetAction(TCustomAction* value)
{
    if (value == action)
        return;
    if (action) {
        QObject::disconnect(changed);
        action->clients.removeOne(this);
    }
    action = value;
    if (!action)
        return;
    action->clients.append(this);
    changed = QObject::connect(action, &TCustomAction::Changed, client->GetClientControl(),
                               [this] { client->ActionChange(action, false); });
}

bool TControlActionLink::IsCaptionLinked()
{
    return action && client->GetCaption() == action->GetCaption();
}

bool TControlActionLink::IsHintLinked()
{
    return action && client->GetClientControl()->toolTip() == action->GetHint();
}

bool TControlActionLink::IsEnabledLinked()
{
    // The control's own setting, not what a disabled parent makes of it.
    return action && !client->GetClientControl()->testAttribute(Qt::WA_ForceDisabled) == action->GetEnabled();
}

void TControlActionLink::SetCaption(const QString& value)
{
    if (IsCaptionLinked())
        client->SetCaption(value);
}

void TControlActionLink::SetHint(const QString& value)
{
    if (IsHintLinked())
        client->GetClientControl()->setToolTip(value);
}

void TControlActionLink::SetEnabled(bool value)
{
    if (IsEnabledLinked())
        client->GetClientControl()->setEnabled(value);
}

TActionClient::~TActionClient() = default;

void TActionClient::SetAction(TCustomAction* value)
{
    if (!value) {
        actionLink.reset();
        return;
    }
    if (!actionLink)
        actionLink = GetActionLinkClass()(this);
    actionLink->SetAction(value);
    ActionChange(value, loading);
}

void TActionClient::ActionChange(QObject* Sender, bool CheckDefaults)
{
    auto* action = qobject_cast<TCustomAction*>(Sender);
    if (!action)
        return;
    const QString caption = GetCaption();
    if (!CheckDefaults || caption.isEmpty() || caption == control->objectName())
        SetCaption(action->GetCaption());
    if (!CheckDefaults || !control->testAttribute(Qt::WA_ForceDisabled))
        control->setEnabled(action->GetEnabled());
    if (!CheckDefaults || control->toolTip().isEmpty())
        control->setToolTip(action->GetHint());
}
