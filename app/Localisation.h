// Caption localisation: the texts the window layouts carry are replaced at the first activation by the texts of
// the caption table. Each localised property has one fixed key, made from the property's path and its design
// text by the folding rule below; the keys stand in the code as literals.
#pragma once

#include <QList>
#include <QString>

class QObject;
class TFormListaOsob;
class TFormOProgramie;
class TFormRaportDrzewo;
class TFormSelectFont;
class TFormUstawienia;
class TStartForm;

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

// The captions of the windows, each in the order of its layout.
QList<CaptionEntry> StartFormCaptions(TStartForm* form);
QList<CaptionEntry> ListaOsobFormCaptions(TFormListaOsob* form);
QList<CaptionEntry> FormUstawieniaCaptions(TFormUstawienia* form);
QList<CaptionEntry> FormOProgramieCaptions(TFormOProgramie* form);
QList<CaptionEntry> FormSelectFontCaptions(TFormSelectFont* form);
QList<CaptionEntry> FormRaportDrzewoCaptions(TFormRaportDrzewo* form);
// Sets the caption of a window, button, label, group box, check box, menu or menu item, or the attached label of an
// edit or combo box.
void SetComponentCaption(QObject* component, const QString& caption);
// Sets the text of the entry's component or item.
void ApplyCaption(const CaptionEntry& entry, const QString& caption);

// Localises every window created at start-up, in the order of their creation.
void TranslateForms(TStartForm* mainWindow);
