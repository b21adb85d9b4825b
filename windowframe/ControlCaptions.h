// Localised texts of the controls: the key of each text, made from the text's path and its design text, and setting
// the text the way the control's kind takes it. The caption localisation of the windows and each person editor use
// it.
#pragma once

#include <QList>
#include <QString>

class QObject;

// Polish letters become their base letters; " ", "{", "}", "[", "]", "=", "'" and "->" become "_"; everything
// else stays, letter case included.
QString FoldCaptionText(const QString& text);
// The key of a property: its folded path ("StartForm->SpeedButton2->Caption"), "_", its folded design text.
QString CaptionKey(const QString& path, const QString& designText);

// One localised text: the caption of a window, button, label, group box, check box, menu or menu item, the attached
// label of an edit or combo box, one item of a combo box or the caption of a list's column; and its key.
struct CaptionEntry
{
    QObject* component;
    const char* key;
    // The combo box item the text is for; -1 for the component's caption or label.
    int item = -1;
    // The list view column the text is for; -1 otherwise.
    int column = -1;
};

// Sets the caption of a window, button, label, group box, check box, menu or menu item, or the attached label of an
// edit or combo box.
void SetComponentCaption(QObject* component, const QString& caption);
// Sets the text of the entry's component or item.
void ApplyCaption(const CaptionEntry& entry, const QString& caption);
