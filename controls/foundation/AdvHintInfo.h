// The content of an office-style hint that controls publish as their OfficeHint: a title, lines of notes, a
// picture and the help flag.
#pragma once

#include "GDIPicture.h"
#include "Toolkit.h"

class TAdvHintInfo
{
public:
    TAdvHintInfo() = default;
    TAdvHintInfo(const TAdvHintInfo&) = delete;
    TAdvHintInfo& operator=(const TAdvHintInfo&) = delete;

    QString GetTitle() const { return title; }
    void SetTitle(const QString& value) { title = value; }
    TStringList& GetNotes() { return notes; }
    const TStringList& GetNotes() const { return notes; }
    void SetNotes(const TStringList& value);
    TGDIPPicture& GetPicture() { return picture; }
    const TGDIPPicture& GetPicture() const { return picture; }
    void SetPicture(const TGDIPPicture& value) { picture.Assign(&value); }
    bool GetShowHelp() const { return showHelp; }
    void SetShowHelp(bool value) { showHelp = value; }
    // Kept for the hint's wide-text form; nothing reads them, Assign copies them.
    QString GetWideTitle() const { return wideTitle; }
    void SetWideTitle(const QString& value) { wideTitle = value; }
    QString GetWideNotes() const { return wideNotes; }
    void SetWideNotes(const QString& value) { wideNotes = value; }

    // Copies title, notes, help flag, picture and the wide texts of another hint; null is ignored.
    void Assign(const TAdvHintInfo* source);

private:
    QString title;
    TStringList notes;
    TGDIPPicture picture;
    bool showHelp = false;
    QString wideTitle;
    QString wideNotes;
};
