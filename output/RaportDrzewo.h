// The tree report dialog: the kind of tree and the person come from the caller; the dialog shows the tree settings
// on three tabs and, on "F3 - Generuj", takes them over, builds the tree, draws it into the reports folder and opens
// the file. Changes that were not generated are dropped at the next showing.
#pragma once

#include "Forms.h"

class ColourPanel;
class QKeyEvent;
class QPushButton;
class QToolButton;
class TAdvComboBox;
class TAdvEdit;
class TAdvGroupBox;
class TAdvOfficeCheckBox;
class TAdvPageControl;
class TAdvPanel;
class TAdvTabSheet;
class KV_TreeSetings;

// "raport_" + title + ".pdf", safe as a file name: "/", "\", control characters and :*?"<>| become "_", and the
// title is cut (at a whole character) so that the name fits 255 bytes in UTF-8.
QString TreeReportFileName(const QString& title);

class TFormRaportDrzewo : public TForm
{
    Q_OBJECT
public:
    // Tags shared by each font description's edit and its "..." button.
    static constexpr int TitleFontTag = 100000;
    static constexpr int NameFontTag = 100010;
    static constexpr int DatesFontTag = 100020;
    static constexpr int SpouseFontTag = 100030;

    // The window is the tree report of the report functions (OpenTreeReport) while it exists.
    explicit TFormRaportDrzewo(QWidget* owner = nullptr);
    ~TFormRaportDrzewo() override;

    // The tree to make at the next showing: kind 1 ancestors, 2 descendants, 3 both, of the person.
    void SetupFor(int kind, const QString& personId);

    // At the first activation after SetupFor: shows the current settings, the kind's options and the person's
    // default title.
    void FormActivate();
    // F3 generates while "F3 - Generuj" is enabled; every other key passes on.
    void FormShortCut(QKeyEvent* key, bool& handled);
    void AdvComboBoxTypChange();
    void UpdateCaption();
    // The default title: the person's name and the kind of tree.
    void SpeedButton2Click();
    // Fills one tab (0 content, 1 fonts and colours, 2 frames) from the settings, or from the defaults.
    void LoadPage(int page, bool defaults);
    // The colour panels of a sex show what its fill and border lists ask for.
    void KWSChange();
    // A colour panel: the colour dialog opens on its colour.
    void HeaderFontColorClick(ColourPanel* panel);
    // A "..." button: the font chooser opens on the description in the edit of the same tag.
    void SpeedButton1Click(QToolButton* button);
    // Restores the active tab's defaults after a Yes.
    void Button1Click();
    void ButtonZapiszClick();

    bool FirstActivation = true;
    bool LoadPending = false;
    int TreeKind = 1;
    QString SelectedPersonID;

    // Components.
    TAdvPanel* PanelTitle;
    TAdvEdit* AdvComboBoxTytul;
    QToolButton* SpeedButton2;
    TAdvComboBox* AdvComboBoxTypDrzewa;
    TAdvPageControl* AdvPageControl1;
    TAdvTabSheet* AdvTabSheet1;
    TAdvTabSheet* AdvTabSheet2;
    TAdvTabSheet* AdvTabSheet3;
    TAdvTabSheet* AdvTabSheet4;
    // "Zakres danych".
    TAdvOfficeCheckBox* OptionShowPicture;
    TAdvOfficeCheckBox* OptionShowNameInTwoLines;
    TAdvOfficeCheckBox* OptionShowPlaces;
    TAdvOfficeCheckBox* OptionShowSpouses;
    TAdvOfficeCheckBox* AdvOfficeCheckBoxPrzodkiPokazRodowe;
    TAdvOfficeCheckBox* OptionShowInMenLines;
    TAdvOfficeCheckBox* AdvOfficeCheckBoxMirror;
    // "Czcionki i kolory tekstów".
    TAdvGroupBox* AdvGroupBoxTytul;
    TAdvEdit* HeaderFont;
    QToolButton* SpeedButton1;
    ColourPanel* HeaderFontColor;
    TAdvGroupBox* AdvGroupBoxDane;
    TAdvEdit* AdvEditNameFont;
    QToolButton* SpeedButton3;
    ColourPanel* AdvEditNameFontColor;
    TAdvEdit* AdvEditDatyFont;
    QToolButton* SpeedButton4;
    ColourPanel* AdvEditDatyFontColor;
    TAdvGroupBox* AdvGroupBoxWsp;
    TAdvEdit* AdvEditWspFont;
    QToolButton* SpeedButton6;
    ColourPanel* AdvEditWspFontColor;
    // "Parametry graficzne": women, men, unspecified sex.
    TAdvGroupBox* AdvGroupBoxKobiety;
    TAdvComboBox* KWS;
    ColourPanel* KK1;
    ColourPanel* KK2;
    TAdvComboBox* KBS;
    ColourPanel* KK;
    TAdvGroupBox* AdvGroupBoxMezczyzni;
    TAdvComboBox* MWS;
    ColourPanel* MK1;
    ColourPanel* MK2;
    TAdvComboBox* MBS;
    ColourPanel* MK;
    TAdvGroupBox* AdvGroupBoxNieokreslona;
    TAdvComboBox* NWS;
    ColourPanel* NK1;
    ColourPanel* NK2;
    TAdvComboBox* NBS;
    ColourPanel* NK;
    TAdvGroupBox* AdvGroupBoxLinia;
    ColourPanel* PanelKolorLinii;
    // "Układ strona", not shown.
    TAdvGroupBox* AdvGroupBoxOgolne;
    TAdvComboBox* AdvComboBoxTyp;
    TAdvComboBox* AdvComboBoxMarginesy;
    TAdvPanel* PanelPrzyciski;
    QPushButton* Button1;
    QPushButton* ButtonZapisz;
    QPushButton* Button2;

private:
    // The frame controls of one sex (0 woman, 1 man, 2 unspecified).
    struct FrameControls
    {
        TAdvComboBox* fill;
        ColourPanel* fillFrom;
        ColourPanel* fillTo;
        TAdvComboBox* border;
        ColourPanel* borderColour;
    };
    FrameControls frameControls(int sex) const;

    void buildHeader();
    void buildContentPage();
    void buildFontsPage();
    void buildFramesPage();
    void buildLayoutPage();
    void buildButtons();
    void connectHandlers();
    void loadContent(const KV_TreeSetings& source);
    void loadFonts(const KV_TreeSetings& source);
    void loadFrames(const KV_TreeSetings& source);
    // Copies every control into gTreeSetings.
    void storeSettings() const;
};

// The tree report dialog, created at start-up with the other windows.
extern TFormRaportDrzewo* FormRaportDrzewo;
