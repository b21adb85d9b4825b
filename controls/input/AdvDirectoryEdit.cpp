#include "AdvDirectoryEdit.h"

#include "FileDialogs.h"
#include "FileSystem.h"

#include <QDir>

TAdvDirectoryEdit::TAdvDirectoryEdit(QWidget* parent) : TAdvEditBtn(parent)
{
    GetGlyph().LoadFromFile(QStringLiteral(":/glyphs/ADVDIRECTORYEDIT.bmp"));
    SetButtonWidth(18);
    OnValueValidate = [](TAdvEdit*, const QString& value, bool& isValid) { isValid = FileSystem::folderExists(value); };
}

bool TAdvDirectoryEdit::IsValidDirectory()
{
    const bool valid = FileSystem::folderExists(GetText());
    SetError(!valid);
    return valid;
}

void TAdvDirectoryEdit::BtnClick()
{
    QString start = GetText().isEmpty() ? QDir::currentPath() : GetText();
    if (OnShowDirectoryDialog)
        OnShowDirectoryDialog(this, start);
    while (start.size() > 1 && start.endsWith(u'/'))
        start.chop(1);
    TFolderDialogRequest request;
    request.Title = browseDialogText;
    request.StartFolder = start;
    request.AllowNewFolder = allowNewFolder;
    request.Anchor = mapToGlobal(QPoint(0, height()));
    QString folder;
    if (!fileDialogs().BrowseForFolder(parentWidget(), request, folder))
        return;
    if (OnDialogClose)
        OnDialogClose(this, folder, true);
    if (folder != GetText()) {
        SetText(folder);
        SetModified(true);
    }
}
