// An edit whose button (or F4) picks a file with the open or save dialog; its validation checks that the text names
// an existing file. Every confirmed choice raises OnChange, even the file already shown: a window that loads the file
// on each change loads it again.
#pragma once

#include "AdvEdBtn.h"
#include "FileDialogs.h"

class TAdvFileNameEdit : public TAdvEditBtn
{
    Q_OBJECT
public:
    explicit TAdvFileNameEdit(QWidget* parent = nullptr);

    void BtnClick() override;
    void ValidateEvent(const QString& value, bool& isValid) override;
    // With ShowURL, a text that names an existing file shows as a link.
    bool TestURL() const override;

    QString GetFileName() const { return GetText(); }
    void SetFileName(const QString& value) { SetText(value); }
    QString GetDefaultExt() const { return defaultExt; }
    void SetDefaultExt(const QString& value) { defaultExt = value; }
    QString GetFilter() const { return filter; }
    void SetFilter(const QString& value) { filter = value; }
    int GetFilterIndex() const { return filterIndex; }
    void SetFilterIndex(int value) { filterIndex = value; }
    QString GetInitialDir() const { return initialDir; }
    void SetInitialDir(const QString& value) { initialDir = value; }
    TOpenOptions GetDialogOptions() const { return dialogOptions; }
    void SetDialogOptions(TOpenOptions value) { dialogOptions = value; }
    QString GetDialogTitle() const { return dialogTitle; }
    void SetDialogTitle(const QString& value) { dialogTitle = value; }
    TFileDialogKind GetDialogKind() const { return dialogKind; }
    void SetDialogKind(TFileDialogKind value) { dialogKind = value; }

    // After the dialog closed, with whether a file was confirmed.
    std::function<void(TAdvFileNameEdit* sender, bool exitOK)> OnDialogExit;

private:
    // What makes no sense for a path.
    using TAdvEdit::SetAutoThousandSeparator;
    using TAdvEdit::SetEditAlign;
    using TAdvEdit::SetEditType;
    using TAdvEdit::SetExcelStyleDecimalSeparator;
    using TAdvEdit::SetPrecision;
    using TAdvEdit::SetSigned;
    using TCustomEdit::SetPasswordChar;

    void DialogExit(bool exitOK);

    QString defaultExt;
    QString filter;
    int filterIndex = 1;
    QString initialDir;
    TOpenOptions dialogOptions = ofHideReadOnly | ofEnableSizing;
    QString dialogTitle;
    TFileDialogKind dialogKind = fdOpen;
};
