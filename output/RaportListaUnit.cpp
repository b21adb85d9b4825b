#include "RaportListaUnit.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"
#include "AdvPanel.h"
#include "Bazadanych.h"
#include "DialogFrame.h"
#include "ReportWindows.h"
#include "UrlOpener.h"
#include "WaitCursor.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

TFormRaportLista* FormRaportLista = nullptr;

namespace {

// The window's first top edge, as a share of the screen's height.
constexpr double firstTopShare = 0.2;

TAdvOfficeRadioButton* radioButton(QWidget* parent, const char* name, const QString& caption, int top)
{
    auto* button = new TAdvOfficeRadioButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(16, top, 565, 20);
    button->SetCaption(caption);
    return button;
}

} // namespace

TFormRaportLista::TFormRaportLista(QWidget* owner) : TForm(owner)
{
    setUpDialogFrame(this, "FormRaportLista", 645, 433);
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));
    buildComponents();
    connectHandlers();
    finishLoading(this);
    gReportWindows.ShowListReport = [this] { ShowModal(); };
}

TFormRaportLista::~TFormRaportLista()
{
    gReportWindows.ShowListReport = nullptr;
}

void TFormRaportLista::buildComponents()
{
    PanelTitle = addTitlePanel(this, "PanelTitle", QStringLiteral("Raport: Lista osób"));

    AdvComboBoxTytul = new TAdvEdit(this);
    AdvComboBoxTytul->setObjectName(QStringLiteral("AdvComboBoxTytul"));
    AdvComboBoxTytul->setGeometry(24, 84, 597, 21);
    AdvComboBoxTytul->SetLabelPosition(lpTopLeft);
    AdvComboBoxTytul->SetLabelCaption(QStringLiteral("Tytuł raportu"));

    AdvComboBoxZakresDanych =
        addComboBox(this, "AdvComboBoxZakresDanych", QStringLiteral("Raport dotyczy"), lpTopLeft, csDropDownList,
                    {QStringLiteral("wszystkich osób z listy"), QStringLiteral("wszystkich osób z bazy danych")},
                    QRect(24, 132, 290, 21));
    AdvComboBoxZakresDanych->SetItemIndex(PersonsOfTheList);
    AdvComboBoxTyp =
        addComboBox(this, "AdvComboBoxTyp", QStringLiteral("Format wyjściowy"), lpTopLeft, csDropDownList,
                    {QStringLiteral("Plik PDF"), QStringLiteral("Plik CSV"), QStringLiteral("Plik CSV Excel")},
                    QRect(331, 132, 290, 21));
    AdvComboBoxTyp->SetItemIndex(PdfFile);

    AdvGroupBox1 = addGroupBox(this, "AdvGroupBox1", QStringLiteral(" Zakres danych  "), QRect(24, 168, 597, 100));
    ZakresPDF1 =
        radioButton(AdvGroupBox1, "ZakresPDF1", QStringLiteral("Nazwisko, imię | Data urodzenia | Data śmierci"), 22);
    ZakresPDF2 = radioButton(AdvGroupBox1, "ZakresPDF2",
                             QStringLiteral("Nazwisko, imię | Data i miejsce urodzenia  | Data i miejsce śmierci"), 46);
    ZakresPDF3 = radioButton(AdvGroupBox1, "ZakresPDF3",
                             QStringLiteral("Nazwisko | Imię | Nazwisko rodowe | Data ur. | Miejsce ur.  | "
                                            "Data śmierci | Miejsce śmierci"),
                             70);
    ZakresPDF1->SetChecked(true);

    AdvOfficeCheckBoxInnyKolor =
        addCheckBox(this, "AdvOfficeCheckBoxInnyKolor", QStringLiteral("Wyróżnij wiersze parzyste innym kolorem"),
                    QRect(24, 282, 400, 20));
    AdvOfficeCheckBoxInnyKolor->SetChecked(true);
    AdvComboBoxMarginesy =
        addComboBox(this, "AdvComboBoxMarginesy", QStringLiteral("Marginesy"), lpTopLeft, csDropDownList,
                    {QStringLiteral("1.5 cm - 1.5 cm"), QStringLiteral("2.0 cm - 1.0 cm"),
                     QStringLiteral("2.0 cm - 1.0 cm - lustrzane")},
                    QRect(24, 330, 290, 21));
    AdvComboBoxMarginesy->SetItemIndex(0);

    PanelPrzyciski = addButtonPanel(this, "PanelPrzyciski");
    ButtonZapisz = addMainButton(PanelPrzyciski, "ButtonZapisz", QStringLiteral("F3 - Generuj"));
    Button2 = addCloseButton(this, PanelPrzyciski, mrClose);
}

void TFormRaportLista::connectHandlers()
{
    OnActivate = [this](QObject*) { FormActivate(); };
    OnShortCut = [this](QKeyEvent* key, bool& handled) { FormShortCut(key, handled); };
    for (TAdvComboBox* combo : {AdvComboBoxTyp, AdvComboBoxMarginesy, AdvComboBoxZakresDanych})
        combo->OnChange = [this](TAdvCustomCombo*) { AdvComboBoxTypChange(); };
    connect(ButtonZapisz, &QPushButton::clicked, this, &TFormRaportLista::ButtonZapiszClick);
}

void TFormRaportLista::FormActivate()
{
    if (FirstActivation) {
        if (const QScreen* desktop = screen())
            move(x(), int(firstTopShare * desktop->geometry().height()));
        FirstActivation = false;
    }
    if (AdvComboBoxTytul->isEnabled() && AdvComboBoxTytul->isVisibleTo(this))
        AdvComboBoxTytul->setFocus();
    AdvComboBoxTypChange();
}

void TFormRaportLista::FormShortCut(QKeyEvent* key, bool& handled)
{
    if (clickOnF3(key, ButtonZapisz))
        handled = true;
}

void TFormRaportLista::AdvComboBoxTypChange()
{
    const bool pdf = AdvComboBoxTyp->GetItemIndex() == PdfFile;
    AdvOfficeCheckBoxInnyKolor->setVisible(pdf);
    AdvComboBoxMarginesy->SetVisibleEx(pdf);
}

int TFormRaportLista::selectedColumnSet() const
{
    if (ZakresPDF3->GetChecked())
        return 3;
    return ZakresPDF2->GetChecked() ? 2 : 1;
}

void TFormRaportLista::ButtonZapiszClick()
{
    const int columnSet = selectedColumnSet();
    Scope = AdvComboBoxZakresDanych->GetItemIndex();
    const int format = AdvComboBoxTyp->GetItemIndex();
    const QString path =
        gReportsFolder + (format == PdfFile ? QStringLiteral("Raport Lista.pdf") : QStringLiteral("Raport Lista.csv"));
    bool written = false;
    {
        const TWaitCursorLok busy;
        written = format == PdfFile
                      ? WritePdf(columnSet, path, AdvComboBoxTytul->GetText(), AdvOfficeCheckBoxInnyKolor->GetChecked(),
                                 AdvComboBoxMarginesy->GetItemIndex())
                      : WriteCsv(format, columnSet, path);
    }
    // A file that could not be written has been reported; an older one of the name is not opened in its place.
    if (written)
        openLocalFile(path);
}
