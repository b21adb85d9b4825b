// The toolkit's actions: a command with a caption, a hint, an enabled and a checked state and an image, which the
// controls bound to it show and run. An action belongs to the action list that is its parent, whose image list
// holds the action images. A control bound to an action keeps its caption, hint, enabled state and click in step
// with it through an action link that the control makes for itself.
#pragma once

#include "ImageList.h"
#include "Toolkit.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <memory>

class QWidget;
class TActionList;
class TControlActionLink;

class TCustomAction : public QObject
{
    Q_OBJECT
public:
    // An action made with an action list as its parent belongs to that list.
    explicit TCustomAction(QObject* parent = nullptr);
    ~TCustomAction() override;

    TActionList* GetActionList() const;

    // Each setter tells the bound controls first, while the action still holds the old value (so that a link can
    // see whether its control was in step), then stores the value and reports the change.
    QString GetCaption() const { return caption; }
    void SetCaption(const QString& value);
    QString GetHint() const { return hint; }
    void SetHint(const QString& value);
    bool GetEnabled() const { return enabled; }
    void SetEnabled(bool value);
    // Checking an action of a group (GroupIndex above 0) unchecks the other actions of its list in that group.
    bool GetChecked() const { return checked; }
    void SetChecked(bool value);
    int GetGroupIndex() const { return groupIndex; }
    void SetGroupIndex(int value);
    // The image in the action list's Images; -1 for none.
    int GetImageIndex() const { return imageIndex; }
    void SetImageIndex(int value);
    // Executing turns Checked over (a checked action of a group stays checked).
    bool GetAutoCheck() const { return autoCheck; }
    void SetAutoCheck(bool value) { autoCheck = value; }

    // Runs the action when it is enabled: AutoCheck first, then OnExecute. True when OnExecute ran.
    bool Execute();

    TNotifyEvent OnExecute;

Q_SIGNALS:
    // After every change of a property.
    void Changed();

private:
    friend class TControlActionLink;

    void change() { Q_EMIT Changed(); }

    QList<TControlActionLink*> clients;
    QString caption;
    QString hint;
    bool enabled = true;
    bool checked = false;
    bool checking = false; // the group's unchecking runs
    int groupIndex = 0;
    int imageIndex = -1;
    bool autoCheck = false;
};

// The action that windows publish; everything lives in TCustomAction.
class TAction : public TCustomAction
{
    Q_OBJECT
public:
    using TCustomAction::TCustomAction;
};

// The actions that are its children, and the images they show.
class TActionList : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    TImageList* GetImages() const { return images; }
    void SetImages(TImageList* value) { images = value; }
    QList<TCustomAction*> Actions() const { return findChildren<TCustomAction*>(Qt::FindDirectChildrenOnly); }

private:
    QPointer<TImageList> images;
};

class TActionClient;

// Ties one control to one action. The action calls the setters when one of its properties changes; each one
// passes the value on when the control was in step with the action (its Is...Linked test), so a control whose
// value was set on its own keeps it. Controls with more to link derive their own link.
class TControlActionLink
{
public:
    TControlActionLink() = default;
    virtual ~TControlActionLink();
    TControlActionLink(const TControlActionLink&) = delete;
    TControlActionLink& operator=(const TControlActionLink&) = delete;

    TCustomAction* GetAction() const { return action; }
    // Binds the link to the action (or to none); the action's changes reach the client's ActionChange.
    void SetAction(TCustomAction* value);
    // Runs the action for the client's click; false without an action.
    bool Execute() { return action && action->Execute(); }

    virtual bool IsCaptionLinked();
    virtual bool IsHintLinked();
    virtual bool IsEnabledLinked();
    virtual bool IsCheckedLinked() { return action != nullptr; }
    virtual bool IsGroupIndexLinked() { return action != nullptr; }
    virtual bool IsImageIndexLinked() { return action != nullptr; }

    virtual void SetCaption(const QString& value);
    virtual void SetHint(const QString& value);
    virtual void SetEnabled(bool value);
    virtual void SetChecked(bool) {}
    virtual void SetGroupIndex(int) {}
    virtual void SetImageIndex(int) {}

    // The control the link serves; made links get it at once.
    virtual void AssignClient(TActionClient* client) { this->client = client; }

protected:
    TActionClient* client = nullptr;

private:
    friend class TCustomAction;

    TCustomAction* action = nullptr;
    QMetaObject::Connection changed;
};

// The toolkit's way of naming the link class a control wants: a function that makes such a link for a client.
using TActionLinkClass = std::unique_ptr<TControlActionLink> (*)(TActionClient* client);

template <typename Link>
std::unique_ptr<TControlActionLink> MakeActionLink(TActionClient* client)
{
    std::unique_ptr<TControlActionLink> link = std::make_unique<Link>();
    link->AssignClient(client);
    return link;
}

// The side of a control that can be bound to an action (a control derives from it beside its widget class). While
// the control's window builds it (until its Loaded runs), binding an action fills in only the values the control
// still has at their defaults; afterwards, and on every change of the action, the action's values are taken.
class TActionClient
{
public:
    TActionClient(const TActionClient&) = delete;
    TActionClient& operator=(const TActionClient&) = delete;

    TCustomAction* GetAction() const { return actionLink ? actionLink->GetAction() : nullptr; }
    // Binds the control to the action (none: unbinds it), through a link of the control's link class.
    void SetAction(TCustomAction* value);
    TControlActionLink* GetActionLink() const { return actionLink.get(); }

    virtual QString GetCaption() const = 0;
    virtual void SetCaption(const QString& value) = 0;
    QWidget* GetClientControl() const { return control; }

protected:
    explicit TActionClient(QWidget* control) : control(control) {}
    virtual ~TActionClient();

    // The action changed, or it was bound: caption, hint and enabled state follow it. With CheckDefaults only a
    // caption that is empty or the control's name, an empty hint and an enabled state that is still on are taken.
    virtual void ActionChange(QObject* Sender, bool CheckDefaults);
    virtual TActionLinkClass GetActionLinkClass() const { return &MakeActionLink<TControlActionLink>; }
    // Runs the bound action for a click; false when there is none.
    bool ExecuteAction() { return actionLink && actionLink->Execute(); }

    // The window has built the control: from now on it is set at run time.
    void EndLoading() { loading = false; }
    bool IsLoading() const { return loading; }

private:
    friend class TControlActionLink;

    QWidget* control;
    std::unique_ptr<TControlActionLink> actionLink;
    bool loading = true;
};
