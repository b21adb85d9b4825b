// The person details report: for the chosen person, the persons of the person list's last search or everyone, a
// run of pages each (picture, name, birth, death and parents, then unions with their facts and children, other
// children, siblings, facts and additional information), written as "RaportDane.pdf" into the reports folder and
// opened with the desktop's program. The dialog keeps its choices between showings.
#pragma once

#include "Forms.h"

#include <QStringList>

class KV_Person;
class QKeyEvent;
class QLabel;
class QPushButton;
class TAdvComboBox;
class TAdvGroupBox;
class TAdvPanel;
class TProgressBar;

class TFormRaportOsoby : public TForm
{
    Q_OBJECT
public:
    // Scopes of "Raport dotyczy".
    static constexpr int SelectedPerson = 0;
    static constexpr int PersonsOfTheList = 1;
    static constexpr int AllPersons = 2;
    // Choices of "Fakty / zdarzenia".
    static constexpr int NoFacts = 0;
    static constexpr int AllFacts = 1;
    static constexpr int PublicFacts = 2;
    static constexpr int OtherFacts = 3;       // without birth, death and union facts
    static constexpr int OtherPublicFacts = 4; // and without private facts
    // Choices of "Informacje dodatkowe".
    static constexpr int NoAttributes = 0;
    static constexpr int AllAttributes = 1;
    static constexpr int PublicAttributes = 2;

    // The window is the person report of the report functions (OpenPersonReport) while it exists.
    explicit TFormRaportOsoby(QWidget* owner = nullptr);
    ~TFormRaportOsoby() override;

    // Places the window high on its first activation; at the first activation of each showing a given person
    // resets the scope to that person, and PersonOnly keeps the scope there.
    void FormActivate();
    // Margins are offered only for a PDF file.
    void AdvComboBoxTypChange();
    // F3 generates while "F3 - Generuj" is enabled; every other key passes on.
    void FormShortCut(QKeyEvent* key, bool& handled);
    void ButtonZapiszClick();
    // Writes the report of the scope to path; margins is the index of "Marginesy". False when the file could not
    // be written (the PDF layer has told the user).
    bool GenerateReport(const QString& path, int margins, int scope);

    // Draws one person from ContentTop of the current page, which is a fresh one; false for no person.
    bool DrawPerson(KV_Person* person);
    // The sections, each from y on with its left edge at x on every page it spans; each gives the y below it.
    double DrawFamily(KV_Person* person, double x, double y);
    double DrawFacts(KV_Person* person, double x, double y);
    double DrawAttributes(KV_Person* person, double x, double y);

    QString SelectedPersonID;
    bool PersonOnly = false;
    bool FirstActivation = true;
    // Set for each showing by the report functions.
    bool ScopePending = false;

    // The layout and the choices of the run in progress.
    double ContentTop = 0;
    double ContentWidth = 0;
    double LabelColumnWidth = 0;
    double OneMm = 0;
    int RuleColor = 0xC0C0C0;
    int BoldFontId = -1;
    int RegularFontId = -1;
    double NameFontSize = 12.0;
    double TextFontSize = 10.0;
    int FactsMode = OtherFacts;
    int AttributesMode = AllAttributes;
    int UnionsMode = 1;
    int SiblingsMode = 1;

    // Components.
    TAdvPanel* PanelTitle;
    TAdvComboBox* AdvComboBoxZakresDanych;
    TAdvGroupBox* AdvGroupBox1;
    TAdvComboBox* AdvComboBoxZwiazki;
    TAdvComboBox* AdvComboBoxRodzenstwo;
    TAdvComboBox* AdvComboBoxFakty;
    TAdvComboBox* AdvComboBoxAtr;
    TAdvComboBox* AdvComboBoxTyp;
    TAdvComboBox* AdvComboBoxMarginesy;
    QLabel* LabelPostep;
    TProgressBar* ProgressBarGenRaport;
    TAdvPanel* PanelPrzyciski;
    QPushButton* ButtonZapisz;
    QPushButton* Button2;

private:
    void buildComponents();
    void connectHandlers();
    // The person's picture in its frame, or the empty frame; the report image made is kept for deleting.
    void drawPicture(KV_Person* person, double left);
    double drawHeader(KV_Person* person);
    // One header line: a right-aligned label and its value beside it; gives the value's height.
    double drawHeaderLine(const QString& label, const QString& value, int font, double size, double y);
    // A bold section heading with a rule under it, kept together with the first row after it.
    double drawHeading(const QString& text, double x, double y);
    // A label in the label column and a value beside it, as high as the taller of the two. A row that fits on a
    // page moves whole to a new page when it does not fit on this one; a value taller than a page starts a page
    // of its own and goes on at ContentTop of the next ones.
    double drawRow(const QString& label, const QString& value, double x, double y, double labelSize, double valueSize,
                   double labelShift);
    double drawDetailRow(const QString& label, const QString& value, double x, double y);
    double drawFamilyRow(const QString& label, const QString& value, double x, double y);
    // A fresh page with its page texts; gives ContentTop.
    double newPage();
    // Rows of numbered persons under a heading: other children, siblings.
    double drawPersonList(const QString& heading, const QStringList& ids, double x, double y);
    double drawUnion(KV_Person* person, int index, QStringList& unionChildren, double x, double y);
    // A text box of the run's layout: box option 1, no shrinking; gives the height used. Text the box cannot hold
    // is cut off, its last line ending in "…".
    double drawText(int font, const QString& text, int align, double x, double y, double size, double width,
                    double height);
    // The height of a text box from y down to the bottom of the page's content.
    double roomBelow(double y) const;

    // The report images of the run in progress.
    QStringList reportImages;
};

// The person details report dialog, created at start-up with the other windows.
extern TFormRaportOsoby* FormRaportOsoby;
