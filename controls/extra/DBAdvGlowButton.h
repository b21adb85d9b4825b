// The data-set navigation button: a glow button bound to a data source that runs one command on the data set when
// clicked (move to the first, prior, next or last record, insert, append, delete, edit, post, cancel, refresh),
// shows that command's glyph, can ask first, and enables itself from the data set's state.
#pragma once

#include "AdvGlowButton.h"
#include "DataSet.h"
#include "Prompter.h"

#include <functional>

enum TDBGlowButtonType {
    dbCustom,
    dbFirst,
    dbPrior,
    dbNext,
    dbLast,
    dbInsert,
    dbAppend,
    dbDelete,
    dbEdit,
    dbPost,
    dbCancel,
    dbRefresh
};
// The data-set conditions that disable a button; drEvent leaves the last word to OnGetEnabled.
enum TDBBDisableControl {
    drBOF = 0x01,
    drEOF = 0x02,
    drReadonly = 0x04,
    drNotEditing = 0x08,
    drEditing = 0x10,
    drEmpty = 0x20,
    drEvent = 0x40
};
// A set of TDBBDisableControl bits.
using TDBBDisableControls = int;

// A data link that reports each of its changes to the button.
class TDBGlowButtonDataLink : public TDataLink
{
public:
    std::function<void()> OnEditingChanged;
    std::function<void()> OnDataSetChanged;
    std::function<void()> OnActiveChanged;

protected:
    void EditingChanged() override;
    void DataSetChanged() override;
    void ActiveChanged() override;
};

class TDBAdvGlowButton : public TAdvCustomGlowButton
{
    Q_OBJECT
public:
    explicit TDBAdvGlowButton(QWidget* parent = nullptr);

    // Enables and disables the button from the data set's state.
    bool GetAutoDisable() const { return autoDisable; }
    void SetAutoDisable(bool value) { autoDisable = value; }
    // Asks ConfirmActionString before the command runs.
    bool GetConfirmAction() const { return confirmAction; }
    void SetConfirmAction(bool value) { confirmAction = value; }
    QString GetConfirmActionString() const { return confirmActionString; }
    void SetConfirmActionString(const QString& value) { confirmActionString = value; }
    TDataSource* GetDataSource() const { return dataLink.GetDataSource(); }
    void SetDataSource(TDataSource* value);
    // A new type brings its glyph and replaces DisableControl with the conditions under which its command makes
    // no sense; a delete button without a question of its own asks "Delete record?".
    TDBGlowButtonType GetDBButtonType() const { return dbButtonType; }
    void SetDBButtonType(TDBGlowButtonType value);
    TDBBDisableControls GetDisableControl() const { return disableControl; }
    void SetDisableControl(TDBBDisableControls value) { disableControl = value; }

    // The glow button's click, then the command.
    void Click() override;
    // Loads the glyph and works out the enabled state once the window has set every property.
    void Loaded() override;

    // May stop the command (DoAction starts as true: the button has a command).
    std::function<void(QObject* Sender, bool& DoAction)> OnBeforeAction;
    // After the command; after a failed one, ShowException (true) lets the exception go on, false swallows it.
    std::function<void(QObject* Sender, bool& ShowException)> OnAfterAction;
    // May change the question, its buttons and help context.
    std::function<void(QObject* Sender, QString& Question, Prompter::Buttons& Buttons, int& HelpCtx)> OnGetConfirm;
    // The last word on the enabled state when DisableControl holds drEvent.
    std::function<void(QObject* Sender, bool& Enabled)> OnGetEnabled;
    // The data set's state changed Enabled.
    TNotifyEvent OnEnabledChanged;

protected:
    void changeEvent(QEvent* event) override;

    virtual void DoBeforeAction(bool& DoAction);
    virtual void DoGetQuestion(QString& Question, Prompter::Buttons& Buttons, int& HelpCtx);
    // True when the button has no question or the answer was OK or Yes.
    virtual bool DoConfirmAction();
    // Asks, then runs the button's command on the data set.
    virtual void DoAction();
    // Enables the button when its data set's state shares none of DisableControl's conditions.
    virtual void UpdateEnabled();
    // The command's 16 x 16 glyph, enabled or disabled, into the button's own glyph list (not over Images).
    virtual void LoadGlyph();

private:
    void runCommand(TDataSet& dataSet) const;
    // Enabled as set on the button, whatever its parent's state.
    bool enabledSetting() const;

    TDBGlowButtonDataLink dataLink;
    bool autoDisable = true;
    bool confirmAction = false;
    QString confirmActionString;
    TDBGlowButtonType dbButtonType = dbCustom;
    TDBBDisableControls disableControl = 0;
    bool updating = false; // the button sets its own Enabled
};
