#include "AdvHintInfo.h"

void TAdvHintInfo::SetNotes(const TStringList& value)
{
    notes.Clear();
    for (int i = 0; i < value.Count(); ++i)
        notes.AddObject(value[i], value.GetObject(i));
}

void TAdvHintInfo::Assign(const TAdvHintInfo* source)
{
    if (!source)
        return;
    title = source->title;
    SetNotes(source->notes);
    showHelp = source->showHelp;
    picture.Assign(&source->picture);
    wideTitle = source->wideTitle;
    wideNotes = source->wideNotes;
}
