#include "Localisation.h"

#include "StartUnit.h"
#include "Vh_langmanager.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

QString FoldCaptionText(const QString& text)
{
    static const std::pair<const char16_t*, const char16_t*> replacements[] = {
        {u"Ą", u"A"}, {u"ą", u"a"}, {u"Ć", u"C"}, {u"ć", u"c"}, {u"Ę", u"E"},  {u"ę", u"e"}, {u"Ł", u"L"},
        {u"ł", u"l"}, {u"Ń", u"N"}, {u"ń", u"n"}, {u"Ó", u"O"}, {u"ó", u"o"},  {u"Ś", u"S"}, {u"ś", u"s"},
        {u"Ż", u"Z"}, {u"ż", u"z"}, {u"Ź", u"Z"}, {u"ź", u"z"}, {u" ", u"_"},  {u"{", u"_"}, {u"}", u"_"},
        {u"[", u"_"}, {u"]", u"_"}, {u"=", u"_"}, {u"'", u"_"}, {u"->", u"_"},
    };
    QString folded = text;
    for (const auto& [from, to] : replacements)
        folded.replace(QString::fromUtf16(from), QString::fromUtf16(to));
    return folded;
}

QString CaptionKey(const QString& path, const QString& designText)
{
    return FoldCaptionText(path) + u'_' + FoldCaptionText(designText);
}

QList<CaptionEntry> StartFormCaptions(TStartForm* form)
{
    // The window itself and its two footer labels show run-time texts and are never translated.
    return {
        {form->SpeedButton7, "StartForm_SpeedButton7_Caption_Kobieta"},
        {form->SpeedButton2, "StartForm_SpeedButton2_Caption_Mezczyzna"},
        {form->SpeedButton4, "StartForm_SpeedButton4_Caption_Formularz"},
        {form->SpeedButton5, "StartForm_SpeedButton5_Caption_Lista_osob"},
        {form->SpeedButton3, "StartForm_SpeedButton3_Caption_Ustawienia"},
        {form->SpeedButton1, "StartForm_SpeedButton1_Caption_Pomoc"},
        {form->SpeedButton8, "StartForm_SpeedButton8_Caption_Odswiez"},
        {form->Plik1, "StartForm_Plik1_Caption_&Plik"},
        {form->Importdanych1, "StartForm_Importdanych1_Caption_Import_danych"},
        {form->ZGedcomged1, "StartForm_ZGedcomged1_Caption_GEDCOM_(*.ged)"},
        {form->N1, "StartForm_N1_Caption_-"},
        {form->Usudane1, "StartForm_Usudane1_Caption_Usun_dane"},
        {form->Usuwszystkiewprowadzonedane1,
         "StartForm_Usuwszystkiewprowadzonedane1_Caption_Usun_wszystkie_wprowadzone_dane"},
        {form->N2, "StartForm_N2_Caption_-"},
        {form->Ustawienia1, "StartForm_Ustawienia1_Caption_Ustawienia..."},
        {form->N3, "StartForm_N3_Caption_-"},
        {form->Zamknij1, "StartForm_Zamknij1_Caption_Zakoncz"},
        {form->Pomoc1, "StartForm_Pomoc1_Caption_P&omoc"},
        {form->Pomoc2, "StartForm_Pomoc2_Caption_Pomoc"},
        {form->PomocPDF1, "StartForm_PomocPDF1_Caption_Pomoc_(PDF)"},
        {form->N4, "StartForm_N4_Caption_-"},
        {form->Sprawdczyjestnowawersjaprogramu1,
         "StartForm_Sprawdczyjestnowawersjaprogramu1_Caption_Sprawdz,_czy_jest_nowa_wersja_programu"},
        {form->N5, "StartForm_N5_Caption_-"},
        {form->Pokapulpitstartowy1, "StartForm_Pokapulpitstartowy1_Caption_Pokaz_pulpit_startowy"},
        {form->N6, "StartForm_N6_Caption_-"},
        {form->Oprogramie1, "StartForm_Oprogramie1_Caption_O_programie"},
        {form->Zapisz2, "StartForm_Zapisz2_Caption_Odswiez"},
    };
}

void SetComponentCaption(QObject* component, const QString& caption)
{
    if (auto* menu = qobject_cast<QMenu*>(component))
        menu->setTitle(caption);
    else if (auto* action = qobject_cast<QAction*>(component))
        action->setText(caption);
    else if (auto* button = qobject_cast<QAbstractButton*>(component))
        button->setText(caption);
    else if (auto* label = qobject_cast<QLabel*>(component))
        label->setText(caption);
    else if (auto* window = qobject_cast<QWidget*>(component))
        window->setWindowTitle(caption);
}

void TranslateForms(TStartForm* mainWindow)
{
    // Each window created at start-up adds its captions here, in the order the entry point creates the windows.
    for (const CaptionEntry& entry : StartFormCaptions(mainWindow))
        SetComponentCaption(entry.component, gLangM.Get(QLatin1String(entry.key)));
}
