// Caption localisation: the texts the window layouts carry are replaced at the first activation by the texts of
// the caption table. Each localised property has one fixed key, made from the property's path and its design
// text by the folding rule below; the keys stand in the code as literals.
#pragma once

#include <QList>
#include <QString>

class QObject;
class TStartForm;

// Polish letters become their base letters; " ", "{", "}", "[", "]", "=", "'" and "->" become "_"; everything
// else stays, letter case included.
QString FoldCaptionText(const QString& text);
// The key of a property: its folded path ("StartForm->SpeedButton2->Caption"), "_", its folded design text.
QString CaptionKey(const QString& path, const QString& designText);

// One localised caption: a window, button, label, menu or menu item, and its key.
struct CaptionEntry
{
    QObject* component;
    const char* key;
};

// The main window's captions in the order of its layout.
QList<CaptionEntry> StartFormCaptions(TStartForm* form);
// Sets the caption of a window, button, label, menu or menu item.
void SetComponentCaption(QObject* component, const QString& caption);

// Localises every window created at start-up, in the order of their creation.
void TranslateForms(TStartForm* mainWindow);
