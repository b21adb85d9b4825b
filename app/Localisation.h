// Caption localisation: the texts the window layouts carry are replaced at the first activation by the texts of
// the caption table. Each localised property has one fixed key (ControlCaptions.h); the keys stand in the code as
// literals.
#pragma once

#include "ControlCaptions.h"

#include <QList>
#include <QString>

class TFormAtrybutEdycja;
class TFormDaneOsobyBasic;
class TFormFaktEdycja;
class TFormFormularz;
class TFormGedcomImport;
class TFormKolejnoscZmiana;
class TFormListaOsob;
class TFormOProgramie;
class TFormPwiekszenie;
class TFormRaportDrzewo;
class TFormRaportLista;
class TFormRaportOsoby;
class TFormRelacjaAdd;
class TFormSelectFont;
class TFormUstawienia;
class TStartForm;

// The captions of the windows, each in the order of its layout.
QList<CaptionEntry> StartFormCaptions(TStartForm* form);
QList<CaptionEntry> ListaOsobFormCaptions(TFormListaOsob* form);
QList<CaptionEntry> FormFormularzCaptions(TFormFormularz* form);
QList<CaptionEntry> FormFaktEdycjaCaptions(TFormFaktEdycja* form);
QList<CaptionEntry> FormRelacjaAddCaptions(TFormRelacjaAdd* form);
QList<CaptionEntry> FormDaneOsobyBasicCaptions(TFormDaneOsobyBasic* form);
QList<CaptionEntry> FormPwiekszenieCaptions(TFormPwiekszenie* form);
QList<CaptionEntry> FormUstawieniaCaptions(TFormUstawienia* form);
QList<CaptionEntry> FormGedcomImportCaptions(TFormGedcomImport* form);
QList<CaptionEntry> FormOProgramieCaptions(TFormOProgramie* form);
QList<CaptionEntry> FormKolejnoscZmianaCaptions(TFormKolejnoscZmiana* form);
QList<CaptionEntry> FormSelectFontCaptions(TFormSelectFont* form);
QList<CaptionEntry> FormRaportDrzewoCaptions(TFormRaportDrzewo* form);
QList<CaptionEntry> FormAtrybutEdycjaCaptions(TFormAtrybutEdycja* form);
QList<CaptionEntry> FormRaportListaCaptions(TFormRaportLista* form);
QList<CaptionEntry> FormRaportOsobyCaptions(TFormRaportOsoby* form);

// Localises every window created at start-up, in the order of their creation.
void TranslateForms(TStartForm* mainWindow);
