#include "AdvFileNameEdit.h"

#include "FileSystem.h"

TAdvFileNameEdit::TAdvFileNameEdit(QWidget* parent) : TAdvEditBtn(parent)
{
    GetGlyph().LoadFromFile(QStringLiteral(":/glyphs/ADVFILENAMEEDIT.bmp"));
    SetButtonWidth(18);
}

void TAdvFileNameEdit::ValidateEvent(const QString& value, bool& isValid)
{
    isValid = FileSystem::fileExists(value);
    TAdvEditBtn::ValidateEvent(value, isValid);
}

bool TAdvFileNameEdit::TestURL() const
{
    return GetShowURL() && FileSystem::fileExists(GetText());
}

void TAdvFileNameEdit::DialogExit(bool exitOK)
{
    if (OnDialogExit)
        OnDialogExit(this, exitOK);
}

void TAdvFileNameEdit::BtnClick()
{
    TFileDialogRequest request;
    request.Kind = dialogKind;
    request.FileName = GetText();
    while (request.FileName.size() > 1 && request.FileName.endsWith(u'/'))
        request.FileName.chop(1);
    request.DefaultExt = defaultExt;
    request.Filter = filter;
    request.FilterIndex = filterIndex;
    request.InitialDir = initialDir;
    request.Options = dialogOptions;
    request.Title = dialogTitle;
    if (OnClickBtn)
        OnClickBtn(this);
    if (!fileDialogs().Execute(window(), request)) {
        DialogExit(false);
        return;
    }
    const QString before = text();
    SetText(request.FileName);
    // The same file chosen again is a choice all the same.
    if (text() == before)
        Change();
    filterIndex = request.FilterIndex;
    DialogExit(true);
    SetModified(true);
}
