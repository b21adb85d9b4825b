#include "RaportDrzewo.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvOfficeButtons.h"
#include "AdvPageControl.h"
#include "AdvPanel.h"
#include "Bazadanych.h"
#include "ColorDialogs.h"
#include "ColourPanel.h"
#include "DialogFrame.h"
#include "Prompter.h"
#include "ReportWindows.h"
#include "TreeSetings.h"
#include "Treeunit.h"
#include "UnitFonSelect.h"
#include "UrlOpener.h"
#include "Vh_langmanager.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

TFormRaportDrzewo* FormRaportDrzewo = nullptr;

namespace {

// A file name may hold no more bytes than this.
constexpr int longestFileName = 255;
// The margins list starts at this many centimetres, one more for each item.
constexpr int smallestMarginCm = 2;

bool unfitForFileName(QChar c)
{
    return c.category() == QChar::Other_Control || c.isSurrogate() || QStringLiteral("/\\:*?\"<>|").contains(c);
}

} // namespace

QString TreeReportFileName(const QString& title)
{
    const QString prefix = QStringLiteral("raport_");
    const QString extension = QStringLiteral(".pdf");
    const qsizetype room = longestFileName - prefix.size() - extension.size();
    QString name;
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < title.size(); ++i) {
        QString character(title[i]);
        if (title[i].isHighSurrogate() && i + 1 < title.size() && title[i + 1].isLowSurrogate())
            character += title[++i];
        else if (unfitForFileName(title[i]))
            character = QStringLiteral("_");
        const qsizetype size = character.toUtf8().size();
        if (bytes + size > room)
            break;
        name += character;
        bytes += size;
    }
    return prefix + name + extension;
}

TFormRaportDrzewo::TFormRaportDrzewo(QWidget* owner) : TForm(owner)
{
    setUpDialogFrame(this, "FormRaportDrzewo", 647, 526);
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));
    buildHeader();
    buildContentPage();
    buildFontsPage();
    buildFramesPage();
    buildLayoutPage();
    buildButtons();
    connectHandlers();
    finishLoading(this);
    gReportWindows.ShowTreeReport = [this](TreeType type, const QString& personId) {
        SetupFor(int(type), personId);
        ShowModal();
    };
}

TFormRaportDrzewo::~TFormRaportDrzewo()
{
    gReportWindows.ShowTreeReport = nullptr;
}

void TFormRaportDrzewo::connectHandlers()
{
    // A desktop that does not activate a window shown again still gets its fields loaded.
    OnActivate = [this](QObject*) { FormActivate(); };
    OnShow = OnActivate;
    OnShortCut = [this](QKeyEvent* key, bool& handled) { FormShortCut(key, handled); };
    for (TAdvComboBox* combo : {AdvComboBoxTypDrzewa, AdvComboBoxTyp, AdvComboBoxMarginesy})
        combo->OnChange = [this](TAdvCustomCombo*) { AdvComboBoxTypChange(); };
    for (TAdvComboBox* combo : {KWS, MWS, NWS, KBS, MBS, NBS})
        combo->OnChange = [this](TAdvCustomCombo*) { KWSChange(); };
    for (ColourPanel* panel : findChildren<ColourPanel*>())
        panel->OnClick = [this, panel](QObject*) { HeaderFontColorClick(panel); };
    for (QToolButton* button : {SpeedButton1, SpeedButton3, SpeedButton4, SpeedButton6})
        connect(button, &QToolButton::clicked, this, [this, button] { SpeedButton1Click(button); });
    connect(SpeedButton2, &QToolButton::clicked, this, &TFormRaportDrzewo::SpeedButton2Click);
    connect(Button1, &QPushButton::clicked, this, &TFormRaportDrzewo::Button1Click);
    connect(ButtonZapisz, &QPushButton::clicked, this, &TFormRaportDrzewo::ButtonZapiszClick);
}

void TFormRaportDrzewo::SetupFor(int kind, const QString& personId)
{
    TreeKind = kind;
    SelectedPersonID = personId;
    LoadPending = true;
}

void TFormRaportDrzewo::FormActivate()
{
    if (FirstActivation) {
        placeDialogHigh(this);
        FirstActivation = false;
    }
    // A closing font chooser, colour dialog or message activates the dialog again, and so does coming back from
    // the report's viewer: the fields are loaded once per showing, not over what the user chose.
    if (!LoadPending)
        return;
    LoadPending = false;
    AdvComboBoxTytul->setFocus();
    AdvComboBoxTypDrzewa->SetItemIndex(TreeKind - 1);
    AdvComboBoxTypChange();
    // Every showing starts from the settings of the last generation.
    for (int page = 0; page < 3; ++page)
        LoadPage(page, false);
    const bool descendants = TreeKind == KV_Tree::DescendantsTree || TreeKind == KV_Tree::FullTree;
    OptionShowSpouses->setVisible(descendants);
    OptionShowInMenLines->setVisible(descendants);
    AdvOfficeCheckBoxPrzodkiPokazRodowe->setVisible(TreeKind == KV_Tree::AncestorsTree);
    AdvOfficeCheckBoxMirror->setVisible(TreeKind == KV_Tree::AncestorsTree);
    SpeedButton2Click();
    UpdateCaption();
}

void TFormRaportDrzewo::FormShortCut(QKeyEvent* key, bool& handled)
{
    if (clickOnF3(key, ButtonZapisz))
        handled = true;
}

void TFormRaportDrzewo::AdvComboBoxTypChange()
{
    TreeKind = AdvComboBoxTypDrzewa->GetItemIndex() + 1;
    AdvComboBoxMarginesy->SetVisibleEx(AdvComboBoxTyp->GetItemIndex() == 0);
    UpdateCaption();
}

namespace {

QString kindText(int kind, const char* ancestors, const char* descendants, const char* both)
{
    const char* key = kind == KV_Tree::AncestorsTree     ? ancestors
                      : kind == KV_Tree::DescendantsTree ? descendants
                                                         : both;
    return gLangM.Get(QLatin1String(key));
}

} // namespace

void TFormRaportDrzewo::UpdateCaption()
{
    const QString caption =
        kindText(TreeKind, "LABEL_DRZEWO:_PRZODKOW", "LABEL_DRZEWO:_POTOMKOW", "LABEL_DRZEWO:_PRZODKOW_I_POTOMKOW");
    PanelTitle->SetText(caption);
    SetCaption(caption);
}

void TFormRaportDrzewo::SpeedButton2Click()
{
    AdvComboBoxTytul->SetText(
        gDB.GetPersonDisplayName(SelectedPersonID, DisplayNameMode::Plain, false, false, QString()) +
        QStringLiteral(" - ") +
        kindText(TreeKind, "LABEL_DRZEWO_PRZODKOW", "LABEL_DRZEWO_POTOMKOW", "LABEL_DRZEWO_PRZODKOW_I_POTOMKOW"));
}

TFormRaportDrzewo::FrameControls TFormRaportDrzewo::frameControls(int sex) const
{
    switch (sex) {
    case 0:
        return {KWS, KK1, KK2, KBS, KK};
    case 1:
        return {MWS, MK1, MK2, MBS, MK};
    default:
        return {NWS, NK1, NK2, NBS, NK};
    }
}

void TFormRaportDrzewo::LoadPage(int page, bool defaults)
{
    const KV_TreeSetings fresh;
    const KV_TreeSetings& source = defaults ? fresh : gTreeSetings;
    switch (page) {
    case 0:
        loadContent(source);
        break;
    case 1:
        loadFonts(source);
        break;
    case 2:
        loadFrames(source);
        break;
    default:
        break;
    }
}

void TFormRaportDrzewo::loadContent(const KV_TreeSetings& source)
{
    OptionShowPicture->SetChecked(source.ShowPicture);
    OptionShowNameInTwoLines->SetChecked(source.ShowNamesInOneLines);
    OptionShowPlaces->SetChecked(source.ShowPlaces);
    OptionShowSpouses->SetChecked(source.ShowSpouses);
    OptionShowInMenLines->SetChecked(source.ShowOnlyManDescendents);
    AdvOfficeCheckBoxMirror->SetChecked(source.MirrorWidok);
    AdvOfficeCheckBoxPrzodkiPokazRodowe->SetChecked(source.ShowAncestorsFamilyName);
}

void TFormRaportDrzewo::loadFonts(const KV_TreeSetings& source)
{
    HeaderFont->SetText(source.TitleFont);
    HeaderFontColor->SetColor(source.TitleColor);
    AdvEditNameFont->SetText(source.PDFFontName);
    AdvEditNameFontColor->SetColor(source.PDFFontNameColor);
    AdvEditDatyFont->SetText(source.PDFFontDaty);
    AdvEditDatyFontColor->SetColor(source.PDFFontDatyColor);
    AdvEditWspFont->SetText(source.PDFFontWsp);
    AdvEditWspFontColor->SetColor(source.PDFFontWspColor);
}

void TFormRaportDrzewo::loadFrames(const KV_TreeSetings& source)
{
    // The fill and border lists hold the styles in the order of their stored values.
    for (int sex = 0; sex < 3; ++sex) {
        const FrameControls controls = frameControls(sex);
        const KV_FrameStyle& frame = source.Frames[sex];
        controls.fill->SetItemIndex(frame.fill);
        controls.fillFrom->SetColor(frame.fill_color_from);
        controls.fillTo->SetColor(frame.fill_color_to);
        controls.border->SetItemIndex(frame.border);
        controls.borderColour->SetColor(frame.border_color);
    }
    PanelKolorLinii->SetColor(source.ColorToChild);
    KWSChange();
}

void TFormRaportDrzewo::KWSChange()
{
    for (int sex = 0; sex < 3; ++sex) {
        const FrameControls controls = frameControls(sex);
        const int fill = controls.fill->GetItemIndex();
        controls.fillFrom->setVisible(fill == KV_FrameStyle::SolidFill || fill == KV_FrameStyle::GradientFill);
        controls.fillTo->setVisible(fill == KV_FrameStyle::GradientFill);
        controls.borderColour->setVisible(controls.border->GetItemIndex() == KV_FrameStyle::ColouredBorder);
    }
}

void TFormRaportDrzewo::HeaderFontColorClick(ColourPanel* panel)
{
    TColor colour = panel->GetColor();
    if (colorDialogs().Execute(this, colour))
        panel->SetColor(colour);
}

void TFormRaportDrzewo::SpeedButton1Click(QToolButton* button)
{
    const int tag = GetTag(button);
    if (tag < TitleFontTag || tag > TitleFontTag + 100 || !FormSelectFont)
        return;
    TAdvEdit* edit = nullptr;
    for (QObject* sibling : button->parent()->children()) {
        if (sibling != button && GetTag(sibling) == tag) {
            edit = qobject_cast<TAdvEdit*>(sibling);
            break;
        }
    }
    if (!edit)
        return;
    FormSelectFont->SetDescription(edit->GetText());
    if (FormSelectFont->ShowModal() == mrOk)
        edit->SetText(FormSelectFont->GetDescription());
}

void TFormRaportDrzewo::Button1Click()
{
    if (prompter().confirm(
            gLangM.Get(QStringLiteral("LABEL_CZY_CHCESZ_PRZYWROCIC_USTAWIENIA_DOMYSLNE_DLA_WYBRANEJ_KARTY?")),
            gLangM.Get(QStringLiteral("LABEL_UWAGA"))))
        LoadPage(AdvPageControl1->GetActivePageIndex(), true);
}

void TFormRaportDrzewo::storeSettings() const
{
    KV_TreeSetings& settings = gTreeSetings;
    settings.ShowPicture = OptionShowPicture->GetChecked();
    settings.ShowNamesInOneLines = OptionShowNameInTwoLines->GetChecked();
    settings.ShowPlaces = OptionShowPlaces->GetChecked();
    settings.ShowSpouses = OptionShowSpouses->GetChecked();
    settings.ShowOnlyManDescendents = OptionShowInMenLines->GetChecked();
    settings.MirrorWidok = AdvOfficeCheckBoxMirror->GetChecked();
    settings.ShowAncestorsFamilyName = AdvOfficeCheckBoxPrzodkiPokazRodowe->GetChecked();
    settings.TitleFont = HeaderFont->GetText();
    settings.TitleColor = HeaderFontColor->GetColor();
    settings.PDFFontName = AdvEditNameFont->GetText();
    settings.PDFFontNameColor = AdvEditNameFontColor->GetColor();
    settings.PDFFontDaty = AdvEditDatyFont->GetText();
    settings.PDFFontDatyColor = AdvEditDatyFontColor->GetColor();
    settings.PDFFontWsp = AdvEditWspFont->GetText();
    settings.PDFFontWspColor = AdvEditWspFontColor->GetColor();
    for (int sex = 0; sex < 3; ++sex) {
        const FrameControls controls = frameControls(sex);
        KV_FrameStyle& frame = settings.Frames[sex];
        frame.fill = controls.fill->GetItemIndex();
        frame.fill_color_from = controls.fillFrom->GetColor();
        frame.fill_color_to = controls.fillTo->GetColor();
        frame.border = controls.border->GetItemIndex();
        frame.border_color = controls.borderColour->GetColor();
    }
    settings.ColorToChild = PanelKolorLinii->GetColor();
    settings.SetMargins(AdvComboBoxMarginesy->GetItemIndex() + smallestMarginCm);
    settings.Title = AdvComboBoxTytul->GetText();
}

void TFormRaportDrzewo::ButtonZapiszClick()
{
    storeSettings();
    gTree.Build(TreeKind, SelectedPersonID);
    const QString file = gReportsFolder + TreeReportFileName(AdvComboBoxTytul->GetText());
    // A file that could not be written has been reported; an older one of the name is not opened in its place.
    if (gTree.DrawPdf(file))
        openLocalFile(file);
}
