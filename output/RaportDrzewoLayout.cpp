// The tree report dialog's components, built in the order of its layout.
#include "RaportDrzewo.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"
#include "AdvPageControl.h"
#include "AdvPanel.h"
#include "ColourPanel.h"
#include "DialogFrame.h"

#include <QPushButton>
#include <QToolButton>

#include <tuple>

namespace {

TAdvOfficeCheckBox* checkBox(QWidget* page, const char* name, const QString& caption, int top)
{
    return addCheckBox(page, name, caption, QRect(16, top, 570, 20));
}

TAdvComboBox* listBox(QWidget* parent, const char* name, const QString& label, TLabelPosition position,
                      const QStringList& items, const QRect& geometry)
{
    return addComboBox(parent, name, label, position, csDropDownList, items, geometry);
}

ColourPanel* colourPanel(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* panel = new ColourPanel(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setGeometry(geometry);
    return panel;
}

// A font row of the fonts tab: the description's edit, its "..." button (both with the row's tag) and its colour.
std::tuple<TAdvEdit*, QToolButton*, ColourPanel*> fontRow(QWidget* group, const char* edit, const QString& label,
                                                          const char* button, const char* colour, int tag, int top)
{
    TAdvEdit* description = addEdit(group, edit, label, lpLeftCenter, QRect(120, top, 330, 21));
    auto* chooser = new QToolButton(group);
    chooser->setObjectName(QLatin1String(button));
    chooser->setText(QStringLiteral("..."));
    chooser->setGeometry(454, top, 24, 21);
    SetTag(description, tag);
    SetTag(chooser, tag);
    return {description, chooser, colourPanel(group, colour, QRect(486, top, 60, 21))};
}

} // namespace

void TFormRaportDrzewo::buildHeader()
{
    PanelTitle = addTitlePanel(this, "PanelTitle", QString());
    AdvComboBoxTytul =
        addEdit(this, "AdvComboBoxTytul", QStringLiteral("Tytuł drzewa"), lpTopLeft, QRect(24, 84, 599, 21));
    SpeedButton2 = new QToolButton(this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setToolTip(QStringLiteral("Utwórz tytuł drzewa na podstawie danych osoby"));
    SpeedButton2->setGeometry(600, 84, 23, 21);
    SpeedButton2->hide();
    AdvComboBoxTypDrzewa = listBox(this, "AdvComboBoxTypDrzewa", QStringLiteral("Typ drzewa"), lpTopLeft,
                                   {QStringLiteral("drzewo przodków"), QStringLiteral("drzewo potomków"),
                                    QStringLiteral("drzewo przodków i potomków")},
                                   QRect(24, 84, 200, 21));
    AdvComboBoxTypDrzewa->SetVisibleEx(false);

    AdvPageControl1 = new TAdvPageControl(this);
    AdvPageControl1->setObjectName(QStringLiteral("AdvPageControl1"));
    AdvPageControl1->setGeometry(16, 116, 615, 352);
    AdvPageControl1->SetTabBorder3D(true);
    AdvPageControl1->SetMultiLine(true);
    AdvPageControl1->SetActiveColor(clNone);
    AdvPageControl1->SetTabBackGroundColor(clWhite);
    const char* names[] = {"AdvTabSheet1", "AdvTabSheet2", "AdvTabSheet3", "AdvTabSheet4"};
    const QString captions[] = {QStringLiteral("Zakres danych"), QStringLiteral("Czcionki i kolory tekstów"),
                                QStringLiteral("Parametry graficzne"), QStringLiteral("Układ strona")};
    TAdvTabSheet** sheets[] = {&AdvTabSheet1, &AdvTabSheet2, &AdvTabSheet3, &AdvTabSheet4};
    for (int i = 0; i < 4; ++i) {
        auto* sheet = new TAdvTabSheet(this);
        sheet->setObjectName(QLatin1String(names[i]));
        sheet->SetCaption(captions[i]);
        sheet->SetColor(clWhite);
        sheet->SetAdvPageControl(AdvPageControl1);
        *sheets[i] = sheet;
    }
    // The page layout has one choice, and the margins have one that is used.
    AdvTabSheet4->SetTabVisible(false);
    AdvPageControl1->SetActivePageIndex(0);
}

void TFormRaportDrzewo::buildContentPage()
{
    QWidget* page = AdvTabSheet1;
    OptionShowPicture = checkBox(page, "OptionShowPicture", QStringLiteral("Pokaż zdjęcia osób"), 16);
    OptionShowNameInTwoLines = checkBox(page, "OptionShowNameInTwoLines",
                                        QStringLiteral("Pokaż w nagłówku imię i nazwisko w jednym wierszu"), 42);
    OptionShowPlaces =
        checkBox(page, "OptionShowPlaces",
                 QStringLiteral("Pokaż w opisie oprócz dat także miejsce narodzenia i miejsce śmierci"), 68);
    OptionShowSpouses =
        checkBox(page, "OptionShowSpouses", QStringLiteral("Pokaż dane współmałżonków [drzewo potomków]"), 94);
    AdvOfficeCheckBoxPrzodkiPokazRodowe =
        checkBox(page, "AdvOfficeCheckBoxPrzodkiPokazRodowe",
                 QStringLiteral("Zamiast nazwiska wyświetlaj nazwisko rodowe [drzewo przodków]"), 120);
    OptionShowInMenLines = checkBox(page, "OptionShowInMenLines",
                                    QStringLiteral("Pokaż potomków tylko z linii męskiej (dziedziczenie herbu)"), 146);
    AdvOfficeCheckBoxMirror =
        checkBox(page, "AdvOfficeCheckBoxMirror", QStringLiteral("Widok odwrócony (przodkowie na górze)"), 172);
}

void TFormRaportDrzewo::buildFontsPage()
{
    QWidget* page = AdvTabSheet2;
    AdvGroupBoxTytul = addGroupBox(page, "AdvGroupBoxTytul", QStringLiteral(" Tytuł drzewa "), QRect(12, 12, 583, 60));
    std::tie(HeaderFont, SpeedButton1, HeaderFontColor) =
        fontRow(AdvGroupBoxTytul, "HeaderFont", QStringLiteral("Czcionka"), "SpeedButton1", "HeaderFontColor",
                TitleFontTag, 26);

    AdvGroupBoxDane =
        addGroupBox(page, "AdvGroupBoxDane", QStringLiteral(" Dane potomków i przodków "), QRect(12, 84, 583, 92));
    std::tie(AdvEditNameFont, SpeedButton3, AdvEditNameFontColor) =
        fontRow(AdvGroupBoxDane, "AdvEditNameFont", QStringLiteral("Nagłówek"), "SpeedButton3", "AdvEditNameFontColor",
                NameFontTag, 26);
    std::tie(AdvEditDatyFont, SpeedButton4, AdvEditDatyFontColor) =
        fontRow(AdvGroupBoxDane, "AdvEditDatyFont", QStringLiteral("Opis"), "SpeedButton4", "AdvEditDatyFontColor",
                DatesFontTag, 56);

    AdvGroupBoxWsp =
        addGroupBox(page, "AdvGroupBoxWsp", QStringLiteral(" Dane współmałżonków "), QRect(12, 188, 583, 60));
    std::tie(AdvEditWspFont, SpeedButton6, AdvEditWspFontColor) =
        fontRow(AdvGroupBoxWsp, "AdvEditWspFont", QStringLiteral("Nagłówek i opis"), "SpeedButton6",
                "AdvEditWspFontColor", SpouseFontTag, 26);
}

void TFormRaportDrzewo::buildFramesPage()
{
    QWidget* page = AdvTabSheet3;
    const QStringList fills = {QStringLiteral("brak"), QStringLiteral("domyślna tekstura"),
                               QStringLiteral("pełnym kolorem"), QStringLiteral("gradientem")};
    const QStringList borders = {QStringLiteral("brak"), QStringLiteral("kolor")};
    struct Sex
    {
        const char* group;
        QString caption;
        const char* fill;
        const char* from;
        const char* to;
        const char* border;
        const char* borderColour;
    };
    const Sex sexes[] = {
        {"AdvGroupBoxKobiety", QStringLiteral(" Dla kobiet "), "KWS", "KK1", "KK2", "KBS", "KK"},
        {"AdvGroupBoxMezczyzni", QStringLiteral(" Dla mężczyzn "), "MWS", "MK1", "MK2", "MBS", "MK"},
        {"AdvGroupBoxNieokreslona", QStringLiteral(" Gdy płeć nieokreślona "), "NWS", "NK1", "NK2", "NBS", "NK"},
    };
    TAdvGroupBox** groups[] = {&AdvGroupBoxKobiety, &AdvGroupBoxMezczyzni, &AdvGroupBoxNieokreslona};
    for (int i = 0; i < 3; ++i) {
        const Sex& sex = sexes[i];
        TAdvGroupBox* group = addGroupBox(page, sex.group, sex.caption, QRect(12 + i * 196, 12, 188, 176));
        *groups[i] = group;
        TAdvComboBox* fill =
            listBox(group, sex.fill, QStringLiteral("Wypełnienie"), lpTopLeft, fills, QRect(12, 42, 164, 21));
        ColourPanel* from = colourPanel(group, sex.from, QRect(12, 70, 78, 21));
        ColourPanel* to = colourPanel(group, sex.to, QRect(98, 70, 78, 21));
        TAdvComboBox* border =
            listBox(group, sex.border, QStringLiteral("Krawędź ramki"), lpTopLeft, borders, QRect(12, 118, 164, 21));
        ColourPanel* borderColour = colourPanel(group, sex.borderColour, QRect(12, 146, 78, 21));
        switch (i) {
        case 0:
            std::tie(KWS, KK1, KK2, KBS, KK) = std::tie(fill, from, to, border, borderColour);
            break;
        case 1:
            std::tie(MWS, MK1, MK2, MBS, MK) = std::tie(fill, from, to, border, borderColour);
            break;
        default:
            std::tie(NWS, NK1, NK2, NBS, NK) = std::tie(fill, from, to, border, borderColour);
            break;
        }
    }
    AdvGroupBoxLinia = addGroupBox(page, "AdvGroupBoxLinia", QStringLiteral("Kolor linii"), QRect(12, 200, 188, 56));
    PanelKolorLinii = colourPanel(AdvGroupBoxLinia, "PanelKolorLinii", QRect(12, 24, 78, 21));
}

void TFormRaportDrzewo::buildLayoutPage()
{
    AdvGroupBoxOgolne =
        addGroupBox(AdvTabSheet4, "AdvGroupBoxOgolne", QStringLiteral(" Ogólne "), QRect(12, 12, 583, 96));
    AdvComboBoxTyp = listBox(AdvGroupBoxOgolne, "AdvComboBoxTyp", QStringLiteral("Format wyjściowy"), lpLeftCenter,
                             {QStringLiteral("Plik PDF")}, QRect(140, 26, 160, 21));
    AdvComboBoxTyp->SetItemIndex(0);
    AdvComboBoxTyp->SetVisibleEx(false);
    AdvComboBoxMarginesy = listBox(AdvGroupBoxOgolne, "AdvComboBoxMarginesy", QStringLiteral("Marginesy"), lpLeftCenter,
                                   {QStringLiteral("2.0 cm"), QStringLiteral("3.0 cm"), QStringLiteral("4.0 cm")},
                                   QRect(140, 58, 160, 21));
    AdvComboBoxMarginesy->SetItemIndex(0);
}

void TFormRaportDrzewo::buildButtons()
{
    PanelPrzyciski = addButtonPanel(this, "PanelPrzyciski");
    Button1 = new QPushButton(QStringLiteral("Przywróć wartości domyślne"), PanelPrzyciski);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(16, 11, 180, 28);
    ButtonZapisz = addMainButton(PanelPrzyciski, "ButtonZapisz", QStringLiteral("F3 - Generuj"));
    Button2 = addCloseButton(this, PanelPrzyciski, mrClose);
}
