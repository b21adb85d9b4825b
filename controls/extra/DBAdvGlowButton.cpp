#include "DBAdvGlowButton.h"

#include "ImageList.h"

#include <QEvent>
#include <QImage>
#include <QScopedValueRollback>

namespace {

constexpr TColor glyphMask = 0xFF00FF; // magenta is the glyphs' transparent colour

// The glyph's resource name; insert and append share one.
QString glyphName(TDBGlowButtonType type)
{
    switch (type) {
    case dbFirst:
        return QStringLiteral("DBIMGFIRST");
    case dbPrior:
        return QStringLiteral("DBIMGPRIOR");
    case dbNext:
        return QStringLiteral("DBIMGNEXT");
    case dbLast:
        return QStringLiteral("DBIMGLAST");
    case dbInsert:
    case dbAppend:
        return QStringLiteral("DBIMGINSERT");
    case dbDelete:
        return QStringLiteral("DBIMGDELETE");
    case dbEdit:
        return QStringLiteral("DBIMGEDIT");
    case dbPost:
        return QStringLiteral("DBIMGPOST");
    case dbCancel:
        return QStringLiteral("DBIMGCANCEL");
    case dbRefresh:
        return QStringLiteral("DBIMGREFRESH");
    case dbCustom:
        break;
    }
    return QString();
}

// The conditions under which the command makes no sense: no record to move to, nothing to change in a read-only
// set, nothing to store while not editing, no moving away from a record being edited.
TDBBDisableControls disableReasons(TDBGlowButtonType type)
{
    switch (type) {
    case dbFirst:
    case dbPrior:
        return drBOF | drEditing | drEmpty;
    case dbNext:
    case dbLast:
        return drEOF | drEditing | drEmpty;
    case dbInsert:
    case dbAppend:
        return drReadonly | drEditing;
    case dbDelete:
    case dbEdit:
        return drReadonly | drEditing | drEmpty;
    case dbPost:
    case dbCancel:
        return drNotEditing;
    case dbRefresh:
        return drEditing;
    case dbCustom:
        break;
    }
    return 0;
}

} // namespace

void TDBGlowButtonDataLink::EditingChanged()
{
    if (OnEditingChanged)
        OnEditingChanged();
}

void TDBGlowButtonDataLink::DataSetChanged()
{
    if (OnDataSetChanged)
        OnDataSetChanged();
}

void TDBGlowButtonDataLink::ActiveChanged()
{
    if (OnActiveChanged)
        OnActiveChanged();
}

TDBAdvGlowButton::TDBAdvGlowButton(QWidget* parent) : TAdvCustomGlowButton(parent)
{
    const auto recompute = [this] { UpdateEnabled(); };
    dataLink.OnEditingChanged = recompute;
    dataLink.OnDataSetChanged = recompute;
    dataLink.OnActiveChanged = recompute;
}

void TDBAdvGlowButton::SetDataSource(TDataSource* value)
{
    dataLink.SetDataSource(value);
    if (!IsLoading())
        UpdateEnabled();
}

void TDBAdvGlowButton::SetDBButtonType(TDBGlowButtonType value)
{
    if (value == dbButtonType)
        return;
    if (value == dbDelete && confirmActionString.isEmpty())
        confirmActionString = QStringLiteral("Delete record?");
    dbButtonType = value;
    if (!IsLoading())
        LoadGlyph();
    if (value != dbCustom)
        disableControl = disableReasons(value);
}

void TDBAdvGlowButton::Loaded()
{
    TAdvCustomGlowButton::Loaded();
    LoadGlyph();
    UpdateEnabled();
}

void TDBAdvGlowButton::changeEvent(QEvent* event)
{
    TAdvCustomGlowButton::changeEvent(event);
    // Enabled set from outside: with AutoDisable the data set's state has the last word.
    if (event->type() == QEvent::EnabledChange && !updating && !IsLoading())
        UpdateEnabled();
}

void TDBAdvGlowButton::Click()
{
    TAdvCustomGlowButton::Click();
    DoAction();
}

void TDBAdvGlowButton::DoBeforeAction(bool& DoAction)
{
    if (OnBeforeAction)
        OnBeforeAction(this, DoAction);
}

void TDBAdvGlowButton::DoGetQuestion(QString& Question, Prompter::Buttons& Buttons, int& HelpCtx)
{
    Question.clear();
    if (!confirmAction)
        return;
    Question = confirmActionString;
    Buttons = Prompter::Buttons::OkCancel;
    HelpCtx = 0;
    if (OnGetConfirm)
        OnGetConfirm(this, Question, Buttons, HelpCtx);
}

bool TDBAdvGlowButton::DoConfirmAction()
{
    QString question;
    Prompter::Buttons buttons = Prompter::Buttons::OkCancel;
    int helpCtx = 0;
    DoGetQuestion(question, buttons, helpCtx);
    if (question.isEmpty())
        return true;
    const Prompter::Answer answer =
        prompter().ask(question, QStringLiteral("Potwierdzenie"), buttons, Prompter::Icon::Question);
    return answer == Prompter::Answer::Ok || answer == Prompter::Answer::Yes;
}

void TDBAdvGlowButton::DoAction()
{
    if (!DoConfirmAction())
        return;
    bool doIt = dbButtonType != dbCustom;
    try {
        DoBeforeAction(doIt);
        TDataSource* source = GetDataSource();
        if (doIt && source && source->GetState() != dsInactive)
            runCommand(*source->GetDataSet());
    } catch (...) {
        bool showException = true;
        if (OnAfterAction)
            OnAfterAction(this, showException);
        if (showException)
            throw;
        return;
    }
    if (doIt && OnAfterAction) {
        bool showException = false;
        OnAfterAction(this, showException);
    }
}

void TDBAdvGlowButton::runCommand(TDataSet& dataSet) const
{
    switch (dbButtonType) {
    case dbFirst:
        dataSet.First();
        break;
    case dbPrior:
        dataSet.Prior();
        break;
    case dbNext:
        dataSet.Next();
        break;
    case dbLast:
        dataSet.Last();
        break;
    case dbInsert:
        dataSet.Insert();
        break;
    case dbAppend:
        dataSet.Append();
        break;
    case dbDelete:
        dataSet.Delete();
        break;
    case dbEdit:
        dataSet.Edit();
        break;
    case dbPost:
        dataSet.Post();
        break;
    case dbCancel:
        dataSet.Cancel();
        break;
    case dbRefresh:
        dataSet.Refresh();
        break;
    case dbCustom:
        break;
    }
}

bool TDBAdvGlowButton::enabledSetting() const
{
    return !testAttribute(Qt::WA_ForceDisabled);
}

void TDBAdvGlowButton::UpdateEnabled()
{
    if (!autoDisable)
        return;
    {
        const QScopedValueRollback guard(updating, true);
        const bool wasEnabled = enabledSetting();
        bool enabled = false;
        if (dataLink.GetActive()) {
            const TDataSet* dataSet = dataLink.GetDataSet();
            TDBBDisableControls reasons = 0;
            if (dataSet->GetBof())
                reasons |= drBOF;
            if (dataSet->GetEof())
                reasons |= drEOF;
            if (!dataSet->GetCanModify())
                reasons |= drReadonly;
            if (dataSet->GetBof() && dataSet->GetEof())
                reasons |= drEmpty;
            reasons |= dataLink.GetEditing() ? drEditing : drNotEditing;
            enabled = (disableControl & ~drEvent & reasons) == 0;
            if ((disableControl & drEvent) && OnGetEnabled)
                OnGetEnabled(this, enabled);
        }
        setEnabled(enabled);
        if (enabledSetting() != wasEnabled && OnEnabledChanged)
            OnEnabledChanged(this);
    }
    LoadGlyph();
}

void TDBAdvGlowButton::LoadGlyph()
{
    if (IsLoading() || GetImages())
        return;
    const bool enabled = enabledSetting();
    if ((!enabled && GetDisabledImages()) || dbButtonType == dbCustom)
        return;
    TImageList* glyphs = InternalImages();
    glyphs->Clear();
    const QString name = glyphName(dbButtonType) + (enabled ? QString() : QStringLiteral("D"));
    glyphs->AddMasked(QImage(QStringLiteral(":/glyphs/%1.bmp").arg(name)), glyphMask);
    StoreImageIndex(0);
    update();
}
