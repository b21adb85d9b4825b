// An edit whose button picks a folder with the folder dialog; its validation checks that the text names an existing
// folder.
#pragma once

#include "AdvEdBtn.h"

class TAdvDirectoryEdit : public TAdvEditBtn
{
    Q_OBJECT
public:
    explicit TAdvDirectoryEdit(QWidget* parent = nullptr);

    void BtnClick() override;
    // Whether the text names an existing folder; the error state shows the opposite.
    bool IsValidDirectory();

    QString GetBrowseDialogText() const { return browseDialogText; }
    void SetBrowseDialogText(const QString& value) { browseDialogText = value; }
    bool GetAllowNewFolder() const { return allowNewFolder; }
    void SetAllowNewFolder(bool value) { allowNewFolder = value; }

    // Before the dialog opens, with the folder it starts in; a handler may choose another one.
    std::function<void(TAdvDirectoryEdit* sender, QString& initialPath)> OnShowDirectoryDialog;
    // After a folder was confirmed.
    std::function<void(TAdvDirectoryEdit* sender, const QString& newDirectory, bool ok)> OnDialogClose;

private:
    // What makes no sense for a path.
    using TAdvEdit::SetAutoThousandSeparator;
    using TAdvEdit::SetEditAlign;
    using TAdvEdit::SetEditType;
    using TAdvEdit::SetExcelStyleDecimalSeparator;
    using TAdvEdit::SetPrecision;
    using TAdvEdit::SetShowURL;
    using TAdvEdit::SetSigned;
    using TAdvEdit::SetURLColor;
    using TCustomEdit::SetPasswordChar;

    QString browseDialogText = QStringLiteral("Select Directory");
    bool allowNewFolder = true;
};
