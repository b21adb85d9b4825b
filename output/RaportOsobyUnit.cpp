#include "RaportOsobyUnit.h"

#include "AdvCombo.h"
#include "AdvGroupBox.h"
#include "AdvPanel.h"
#include "Bazadanych.h"
#include "DialogFrame.h"
#include "Miniaturyunit.h"
#include "Pdfmanager.h"
#include "ProgressBar.h"
#include "ReportWindows.h"
#include "UrlOpener.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

TFormRaportOsoby* FormRaportOsoby = nullptr;

namespace {

// The window's first top edge, as a share of the screen's height.
constexpr double firstTopShare = 0.2;
// Margin choices of "Marginesy".
constexpr int evenMargins = 0;
constexpr int mirroredMargins = 2;
constexpr int pdfFile = 0;

TAdvComboBox* choice(QWidget* parent, const char* name, const QString& label, const QStringList& items, int selected,
                     const QRect& geometry)
{
    TAdvComboBox* combo = addComboBox(parent, name, label, lpLeftCenter, csDropDownList, items, geometry);
    combo->SetItemIndex(selected);
    return combo;
}

} // namespace

TFormRaportOsoby::TFormRaportOsoby(QWidget* owner) : TForm(owner)
{
    setUpDialogFrame(this, "FormRaportOsoby", 645, 375);
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));
    buildComponents();
    connectHandlers();
    finishLoading(this);
    gReportWindows.ShowPersonReport = [this](const QString& personID, bool rangeLocked) {
        SelectedPersonID = personID;
        PersonOnly = rangeLocked;
        ScopePending = true;
        ShowModal();
    };
}

TFormRaportOsoby::~TFormRaportOsoby()
{
    gReportWindows.ShowPersonReport = nullptr;
}

void TFormRaportOsoby::buildComponents()
{
    PanelTitle = addTitlePanel(this, "PanelTitle", QStringLiteral("Raport: Dane szczegółowe"));
    const QStringList yesNo = {QStringLiteral("nie"), QStringLiteral("tak")};
    AdvComboBoxZakresDanych = choice(this, "AdvComboBoxZakresDanych", QStringLiteral("Raport dotyczy"),
                                     {QStringLiteral("wybranej osoby"), QStringLiteral("wszystkich osób z listy"),
                                      QStringLiteral("wszystkich osób z bazy danych")},
                                     SelectedPerson, QRect(160, 72, 300, 21));

    AdvGroupBox1 = addGroupBox(this, "AdvGroupBox1", QStringLiteral(" Opcje wydruku  "), QRect(24, 102, 597, 128));
    AdvComboBoxZwiazki =
        choice(AdvGroupBox1, "AdvComboBoxZwiazki", QStringLiteral("Związki"), yesNo, 1, QRect(136, 22, 160, 21));
    AdvComboBoxRodzenstwo =
        choice(AdvGroupBox1, "AdvComboBoxRodzenstwo", QStringLiteral("Rodzeństwo"), yesNo, 1, QRect(136, 48, 160, 21));
    AdvComboBoxFakty =
        choice(AdvGroupBox1, "AdvComboBoxFakty", QStringLiteral("Fakty / zdarzenia"),
               {QStringLiteral("nie"), QStringLiteral("wszystkie"), QStringLiteral("wszystkie bez poufnych"),
                QStringLiteral("bez faktów narodzin, śmierci i dot. związków"),
                QStringLiteral("bez faktów narodzin, śmierci, dot. związków i poufnych")},
               OtherFacts, QRect(136, 74, 440, 21));
    AdvComboBoxAtr = choice(AdvGroupBox1, "AdvComboBoxAtr", QStringLiteral("Informacje dodatkowe"),
                            {QStringLiteral("nie"), QStringLiteral("wszystkie"), QStringLiteral("pomiń poufne")},
                            AllAttributes, QRect(136, 100, 160, 21));

    AdvComboBoxTyp = choice(this, "AdvComboBoxTyp", QStringLiteral("Format wyjściowy"), {QStringLiteral("Plik PDF")},
                            pdfFile, QRect(160, 240, 200, 21));
    AdvComboBoxMarginesy = choice(this, "AdvComboBoxMarginesy", QStringLiteral("Marginesy"),
                                  {QStringLiteral("1.5 cm - 1.5 cm"), QStringLiteral("2.0 cm - 1.0 cm"),
                                   QStringLiteral("2.0 cm - 1.0 cm - lustrzane")},
                                  evenMargins, QRect(160, 268, 200, 21));

    LabelPostep = new QLabel(QStringLiteral("Postęp"), this);
    LabelPostep->setObjectName(QStringLiteral("LabelPostep"));
    LabelPostep->setGeometry(24, 298, 120, 17);
    LabelPostep->hide();
    ProgressBarGenRaport = new TProgressBar(this);
    ProgressBarGenRaport->setObjectName(QStringLiteral("ProgressBarGenRaport"));
    ProgressBarGenRaport->setGeometry(160, 298, 461, 17);
    ProgressBarGenRaport->hide();

    PanelPrzyciski = addButtonPanel(this, "PanelPrzyciski");
    ButtonZapisz = addMainButton(PanelPrzyciski, "ButtonZapisz", QStringLiteral("F3 - Generuj"));
    Button2 = addCloseButton(this, PanelPrzyciski, mrClose);
}

void TFormRaportOsoby::connectHandlers()
{
    // A desktop that does not activate a window shown again still gets its fields loaded.
    OnActivate = [this](QObject*) { FormActivate(); };
    OnShow = OnActivate;
    OnShortCut = [this](QKeyEvent* key, bool& handled) { FormShortCut(key, handled); };
    for (TAdvComboBox* combo : {AdvComboBoxZakresDanych, AdvComboBoxZwiazki, AdvComboBoxRodzenstwo, AdvComboBoxFakty,
                                AdvComboBoxAtr, AdvComboBoxTyp, AdvComboBoxMarginesy})
        combo->OnChange = [this](TAdvCustomCombo*) { AdvComboBoxTypChange(); };
    connect(ButtonZapisz, &QPushButton::clicked, this, &TFormRaportOsoby::ButtonZapiszClick);
}

void TFormRaportOsoby::FormActivate()
{
    if (FirstActivation) {
        if (const QScreen* desktop = screen())
            move(x(), int(firstTopShare * desktop->geometry().height()));
        FirstActivation = false;
    }
    // Coming back from the report's viewer or from a message activates the dialog again: the scope the user chose
    // stays.
    if (!ScopePending)
        return;
    ScopePending = false;
    AdvComboBoxTypChange();
    if (!SelectedPersonID.isEmpty())
        AdvComboBoxZakresDanych->SetItemIndex(SelectedPerson);
    AdvComboBoxZakresDanych->SetEnabledEx(!PersonOnly);
    ProgressBarGenRaport->hide();
    LabelPostep->hide();
}

void TFormRaportOsoby::AdvComboBoxTypChange()
{
    AdvComboBoxMarginesy->SetVisibleEx(AdvComboBoxTyp->GetItemIndex() == pdfFile);
}

void TFormRaportOsoby::FormShortCut(QKeyEvent* key, bool& handled)
{
    if (clickOnF3(key, ButtonZapisz))
        handled = true;
}

void TFormRaportOsoby::ButtonZapiszClick()
{
    const QString path = gReportsFolder + QStringLiteral("RaportDane.pdf");
    // A file that could not be written has been reported; an older one of the name is not opened in its place.
    if (GenerateReport(path, AdvComboBoxMarginesy->GetItemIndex(), AdvComboBoxZakresDanych->GetItemIndex()))
        openLocalFile(path);
}

bool TFormRaportOsoby::GenerateReport(const QString& path, int margins, int scope)
{
    const TWaitCursorLok busy;
    ProgressBarGenRaport->SetPosition(0);
    PDFManager& pdf = gPDFManager;
    pdf.PageWidthCm = 21.0;
    pdf.PageHeightCm = 29.7;
    pdf.MarginLeft = margins == evenMargins ? 1.5 : 2.0;
    pdf.MarginRight = margins == evenMargins ? 1.5 : 1.0;
    pdf.MirrorMargins = margins == mirroredMargins;
    pdf.SetScale(1.0);
    // Page numbers only where there are several persons.
    pdf.ShowPageText2 = scope != SelectedPerson;
    pdf.BeginDocument(true);

    AttributesMode = AdvComboBoxAtr->GetItemIndex();
    FactsMode = AdvComboBoxFakty->GetItemIndex();
    UnionsMode = AdvComboBoxZwiazki->GetItemIndex();
    SiblingsMode = AdvComboBoxRodzenstwo->GetItemIndex();
    ContentTop = pdf.CmToPt(pdf.MarginTop);
    ContentWidth = pdf.CmToPt(pdf.PageWidthCm - (pdf.MarginLeft + pdf.MarginRight));
    LabelColumnWidth = pdf.CmToPt(4.0);
    OneMm = pdf.MmToPt(1);
    RuleColor = 0xC0C0C0;
    // The layer embeds the glyphs it draws, so no character set is named here.
    BoldFontId = pdf.SelectFontDescription(QStringLiteral("Tahoma, bold"), QString(), 0);
    RegularFontId = pdf.SelectFontDescription(QStringLiteral("Tahoma"), QString(), 0);
    NameFontSize = 12.0;
    TextFontSize = 10.0;

    const bool several = scope == PersonsOfTheList || scope == AllPersons;
    ProgressBarGenRaport->setVisible(several);
    LabelPostep->setVisible(several);
    LabelPostep->repaint();
    reportImages.clear();
    if (several) {
        gDB.SortByName(scope == PersonsOfTheList);
        const int count = gDB.GetReportCount();
        ProgressBarGenRaport->SetMax(count);
        int shownPercent = -1;
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                newPage();
            DrawPerson(gDB.GetReportPerson(i));
            ProgressBarGenRaport->SetPosition(i + 1);
            // The bar is painted at once, without a turn of the event loop, so nothing the user does meanwhile
            // reaches the windows; a repaint per percent keeps long runs fast.
            const int percent = (i + 1) * 100 / count;
            if (percent != shownPercent) {
                shownPercent = percent;
                ProgressBarGenRaport->repaint();
            }
        }
    } else {
        DrawPerson(gDB.FindPerson(SelectedPersonID));
    }
    const bool written = pdf.EndDocument(path);
    // The pictures are in the document now (or the document is gone).
    gMiniaturyUnit.DeleteReportImages(reportImages);
    reportImages.clear();
    return written;
}
