#include "PowiekszeniePlikuGraficznego.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvPanel.h"
#include "Bazadanych.h"
#include "Canvas.h"
#include "DialogFrame.h"
#include "EditingInput.h"
#include "GdiPlus.h"
#include "Miniaturyunit.h"
#include "PaintBox.h"
#include "Person.h"
#include "Picture.h"
#include "PictureImport.h"
#include "Prompter.h"
#include "Rotate.h"
#include "StdCtrls.h"
#include "Vh_langmanager.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

TFormPwiekszenie* FormPwiekszenie = nullptr;

namespace {

constexpr int clientWidth = 1000;
constexpr int clientHeight = 660;
constexpr int smallestWidth = 900;
constexpr int smallestHeight = 550;
constexpr int titleHeight = 64;
constexpr int stripPanelWidth = 260;
// The strip paint box is this much narrower than its panel, and a cell this much.
constexpr int stripBoxInset = 50;
constexpr int cellInset = 60;
constexpr int cellLeft = 10;
constexpr int cellTop = 5;
constexpr int cellHeight = 150;
// From one cell's top to the next one's.
constexpr int cellPitch = 170;
// The strip is as high as this for each cell with the margin between cells and at both ends.
constexpr int stripSlot = 160;
constexpr int cellMargin = 10;
constexpr int markerOffset = 10;
constexpr int markerSize = 32;
constexpr int previewMargin = 10;
constexpr int fieldsHeight = 170;
constexpr int buttonColumnWidth = 190;
constexpr int buttonHeight = 30;
constexpr int buttonGap = 6;
constexpr int wheelStep = 10;
// One notch of a mouse wheel, in the wheel event's eighths of a degree.
constexpr int wheelNotch = 120;
constexpr TColor currentCellColor = 0xF19754;
constexpr int currentCellAlpha = 25;
constexpr TColor previewBackground = 0xF4F4F4;
// DrawPictureInRect's "no background".
constexpr TColor noBackground = 0xFFFFFFFF;

QString markerPicture()
{
    return gAppFolder + QStringLiteral("TEMPLATE/include/user32.png");
}

TAdvEdit* addEdit(QWidget* parent, const char* name, const char* label, const QRect& geometry)
{
    auto* edit = new TAdvEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    edit->SetLabelPosition(lpLeftCenter);
    edit->SetLabelCaption(QString::fromUtf8(label));
    return edit;
}

QScrollArea* addScrollBox(QWidget* parent, const char* name, TColor background)
{
    auto* box = new QScrollArea(parent);
    box->setObjectName(QLatin1String(name));
    box->setFrameShape(QFrame::NoFrame);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Window, ToQColor(background));
    box->setPalette(colours);
    box->viewport()->setAutoFillBackground(true);
    box->viewport()->setPalette(colours);
    SetAlign(box, alClient);
    return box;
}

} // namespace

TFormPwiekszenie::TFormPwiekszenie(QWidget* owner) : TForm(owner)
{
    setUpDialogFrame(this, "FormPwiekszenie", clientWidth, clientHeight);
    SetBorderStyle(bsSizeable);
    setMinimumSize(smallestWidth, smallestHeight);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    PanelTitle = addNameTitlePanel(this, "PanelTitle", QStringLiteral("Zdjęcia"));
    buildStrip();
    auto* left = new QWidget(this);
    left->resize(clientWidth - stripPanelWidth, clientHeight - titleHeight);
    SetAlign(left, alClient);
    PanelDol = new QWidget(left);
    PanelDol->setObjectName(QStringLiteral("PanelDol"));
    PanelDol->resize(left->width(), fieldsHeight);
    SetAlign(PanelDol, alBottom);
    buildFieldsAndButtons();
    buildPreview();
    connectHandlers();
    LoadPictureFields();
}

void TFormPwiekszenie::buildStrip()
{
    PanelInneZdjecia = new TAdvPanel(this);
    PanelInneZdjecia->setObjectName(QStringLiteral("PanelInneZdjecia"));
    PanelInneZdjecia->SetBevelOuter(bvNone);
    PanelInneZdjecia->SetColor(clWhite);
    PanelInneZdjecia->setGeometry(clientWidth - stripPanelWidth, titleHeight, stripPanelWidth,
                                  clientHeight - titleHeight);
    SetAlign(PanelInneZdjecia, alRight);
    ScrollBoxMiniatury = addScrollBox(PanelInneZdjecia, "ScrollBoxMiniatury", clWhite);
    PaintBoxMiniatury = new TPaintBox;
    PaintBoxMiniatury->setObjectName(QStringLiteral("PaintBoxMiniatury"));
    PaintBoxMiniatury->resize(stripPanelWidth - stripBoxInset, cellMargin);
    ScrollBoxMiniatury->setWidget(PaintBoxMiniatury);
    PanelInneZdjecia->Loaded();
}

void TFormPwiekszenie::buildFieldsAndButtons()
{
    PanelPrzyciski = new QWidget(PanelDol);
    PanelPrzyciski->setObjectName(QStringLiteral("PanelPrzyciski"));
    PanelPrzyciski->setGeometry(PanelDol->width() - buttonColumnWidth, 0, buttonColumnWidth, fieldsHeight);
    SetAlign(PanelPrzyciski, alRight);
    const QRect button(10, 0, buttonColumnWidth - 20, buttonHeight);
    SpeedButtonDodajZdjecie =
        addButton(PanelPrzyciski, "SpeedButtonDodajZdjecie", QStringLiteral("Dodaj zdjęcie"), button);
    SpeedButtonUstawJakoProfilowe =
        addButton(PanelPrzyciski, "SpeedButtonUstawJakoProfilowe", QStringLiteral("Ustaw jako profilowe"), button);
    SpeedButtonZapisz = addButton(PanelPrzyciski, "SpeedButtonZapisz", QStringLiteral("Zapisz"), button);
    QFont bold = SpeedButtonZapisz->font();
    bold.setBold(true);
    SpeedButtonZapisz->setFont(bold);
    ButtonUsunZdjecie = addButton(PanelPrzyciski, "ButtonUsunZdjecie", QStringLiteral("Usuń"),
                                  button.translated(0, fieldsHeight - buttonHeight - cellMargin));
    SetAnchors(ButtonUsunZdjecie, akLeft | akBottom);

    PanelDaneZdjecia = new TAdvPanel(PanelDol);
    PanelDaneZdjecia->setObjectName(QStringLiteral("PanelDaneZdjecia"));
    PanelDaneZdjecia->SetBevelOuter(bvNone);
    PanelDaneZdjecia->SetColor(clWhite);
    const int width = PanelDol->width() - buttonColumnWidth;
    PanelDaneZdjecia->setGeometry(0, 0, width, fieldsHeight);
    SetAlign(PanelDaneZdjecia, alClient);
    constexpr int fieldLeft = 70;
    const int fieldWidth = width - fieldLeft - 10;
    AdvEditZdjecieNazwa =
        addEdit(PanelDaneZdjecia, "AdvEditZdjecieNazwa", "Nazwa", QRect(fieldLeft, 10, fieldWidth, 21));
    AdvComboZdjecieData = addEdit(PanelDaneZdjecia, "AdvComboZdjecieData", "Data", QRect(fieldLeft, 40, 140, 21));
    constexpr int placeLeft = fieldLeft + 140 + 70;
    AdvComboBoxZdjecieMiejsce =
        addComboBox(PanelDaneZdjecia, "AdvComboBoxZdjecieMiejsce", QStringLiteral("Miejsce"), lpLeftCenter, csDropDown,
                    {}, QRect(placeLeft, 40, width - placeLeft - 10, 21));
    AdvComboBoxZdjecieMiejsce->SetDropDownCount(15);
    Label1 = new TLabel(PanelDaneZdjecia);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(fieldLeft - 38, 72);
    Label1->SetCaption(QStringLiteral("Opis"));
    MemoNote = new QPlainTextEdit(PanelDaneZdjecia);
    MemoNote->setObjectName(QStringLiteral("MemoNote"));
    MemoNote->setGeometry(fieldLeft, 70, fieldWidth, fieldsHeight - 70 - cellMargin);
    MemoNote->setTabChangesFocus(true);
    SetAnchors(AdvEditZdjecieNazwa, akLeft | akTop | akRight);
    SetAnchors(AdvComboBoxZdjecieMiejsce, akLeft | akTop | akRight);
    SetAnchors(MemoNote, akLeft | akTop | akRight | akBottom);
    AdvEditZdjecieNazwa->Loaded();
    AdvComboZdjecieData->Loaded();
    AdvComboBoxZdjecieMiejsce->Loaded();
    PanelDaneZdjecia->Loaded();
}

void TFormPwiekszenie::buildPreview()
{
    ScrollBoxPreview = addScrollBox(PanelDol->parentWidget(), "ScrollBoxPreview", previewBackground);
    ScrollBoxPreview->setWidgetResizable(true);
    PanelZdjecieIMG = new QWidget;
    PanelZdjecieIMG->setObjectName(QStringLiteral("PanelZdjecieIMG"));
    ScrollBoxPreview->setWidget(PanelZdjecieIMG);
    PaintBoxZdjecie = new TPaintBox(PanelZdjecieIMG);
    PaintBoxZdjecie->setObjectName(QStringLiteral("PaintBoxZdjecie"));
    SetAlign(PaintBoxZdjecie, alClient);
}

void TFormPwiekszenie::connectHandlers()
{
    OnCloseQuery = [this](QObject*, bool& canClose) { FormCloseQuery(canClose); };
    OnClose = [this](QObject*, TCloseAction& action) { FormClose(action); };
    OnShortCut = [this](QKeyEvent* key, bool& handled) { FormShortCut(key, handled); };
    PaintBoxZdjecie->OnPaint = [this](QPainter& painter, const QRect&) { PaintBoxZdjeciePaint(painter); };
    PaintBoxZdjecie->OnMouseDown = [this](QMouseEvent*) { AdvPicture1DblClick(); };
    PaintBoxZdjecie->OnResize = [this](QObject*) { PanelZdjecieIMGResize(); };
    PaintBoxMiniatury->OnPaint = [this](QPainter& painter, const QRect& exposed) {
        PaintBoxMiniaturyPaint(painter, exposed);
    };
    PaintBoxMiniatury->OnMouseDown = [this](QMouseEvent* event) { PaintBoxMiniaturyMouseDown(event); };
    PaintBoxMiniatury->OnMouseMove = [this](QMouseEvent* event) { PaintBoxMiniaturyMouseMove(event); };
    AdvEditZdjecieNazwa->OnChange = [this](TCustomEdit*) { AdvEditZdjecieNazwaChange(); };
    AdvComboZdjecieData->OnChange = [this](TCustomEdit*) { AdvEditZdjecieNazwaChange(); };
    AdvComboBoxZdjecieMiejsce->OnChange = [this](TAdvCustomCombo*) { AdvEditZdjecieNazwaChange(); };
    connect(MemoNote, &QPlainTextEdit::textChanged, this, &TFormPwiekszenie::AdvEditZdjecieNazwaChange);
    connect(SpeedButtonZapisz, &QPushButton::clicked, this, &TFormPwiekszenie::ZapiszZmiany);
    connect(SpeedButtonDodajZdjecie, &QPushButton::clicked, this, &TFormPwiekszenie::Dodajzdjcie1Click);
    connect(SpeedButtonUstawJakoProfilowe, &QPushButton::clicked, this, &TFormPwiekszenie::Ustawjakodomylne1Click);
    connect(ButtonUsunZdjecie, &QPushButton::clicked, this, &TFormPwiekszenie::Usuzdjcie1Click);

    for (QWidget* text : std::initializer_list<QWidget*>{AdvEditZdjecieNazwa, AdvComboBoxZdjecieMiejsce, MemoNote})
        CapitaliseFirstLetter(text);
    for (QWidget* field :
         std::initializer_list<QWidget*>{AdvEditZdjecieNazwa, AdvComboZdjecieData, AdvComboBoxZdjecieMiejsce})
        EnterMovesOn(field);
}

void TFormPwiekszenie::LoadPictureList(const QString& personID)
{
    PersonID = personID;
    const KV_Person* person = gDB.FindPerson(personID);
    PictureIDs = person ? person->Pictures : QStringList();
    ProfileID = person ? person->GetProfilePictureID() : QString();
}

void TFormPwiekszenie::ShowPicture(const QString& pictureID)
{
    FreePreview();
    CurrentID = pictureID.isEmpty() && !PictureIDs.isEmpty() ? PictureIDs.first() : pictureID;
    BuildThumbnails();
    LoadPictureFields();
}

void TFormPwiekszenie::BuildThumbnails()
{
    thumbnailFiles.clear();
    const int count = int(PictureIDs.size());
    PaintBoxMiniatury->resize(PanelInneZdjecia->width() - stripBoxInset, count * stripSlot + (count + 1) * cellMargin);
    PaintBoxMiniatury->update();
}

int TFormPwiekszenie::cellWidth() const
{
    return PanelInneZdjecia->width() - cellInset;
}

bool TFormPwiekszenie::GetCellRect(const QString& key, bool byID, TRect& rect) const
{
    int index = -1;
    if (byID) {
        index = int(PictureIDs.indexOf(key));
    } else {
        // Only the index's own decimal text names a cell: "01" or " 1" do not.
        bool number = false;
        const int parsed = key.toInt(&number);
        if (number && QString::number(parsed) == key && parsed >= 0 && parsed < PictureIDs.size())
            index = parsed;
    }
    if (index < 0)
        return false;
    const int top = cellTop + cellPitch * index;
    rect = Rect(cellLeft, top, cellLeft + cellWidth(), top + cellHeight);
    return true;
}

int TFormPwiekszenie::cellAt(const QPoint& point) const
{
    if (point.y() < cellTop)
        return -1;
    const int index = (point.y() - cellTop) / cellPitch;
    TRect cell;
    if (!GetCellRect(QString::number(index), false, cell) || !cell.Contains(Point(point.x(), point.y())))
        return -1;
    return index;
}

QString TFormPwiekszenie::thumbnailOf(int index)
{
    const QString& id = PictureIDs.at(index);
    const auto known = thumbnailFiles.constFind(id);
    if (known != thumbnailFiles.constEnd())
        return *known;
    const KV_Picture* picture = gDB.FindPicture(id);
    const QString file = picture ? gMiniaturyUnit.GetThumbnail(picture->GetFullPath()) : QString();
    thumbnailFiles.insert(id, file);
    return file;
}

void TFormPwiekszenie::PaintBoxMiniaturyPaint(QPainter& painter, const QRect& exposed)
{
    painter.fillRect(exposed, Qt::white);
    TCanvas canvas(painter);
    TGPGraphics graphics(canvas);
    graphics.SetSmoothingMode(SmoothingModeAntiAlias);
    graphics.SetPageUnit(UnitPixel);
    const int first = qMax(0, (exposed.top() - cellTop - cellHeight) / cellPitch);
    const int last = qMin(int(PictureIDs.size()) - 1, (exposed.bottom() - cellTop) / cellPitch);
    for (int i = first; i <= last; ++i) {
        TRect cell;
        if (!GetCellRect(QString::number(i), false, cell))
            continue;
        const QString thumbnail = thumbnailOf(i);
        // An ID without a record, like a file that gives no picture, draws the empty framed box.
        DrawPictureInRect(&graphics, &canvas, cell, cellMargin, false, thumbnail, thumbnail, clWhite, true, nullptr,
                          nullptr, nullptr, false, true, true, false);
        const QString& id = PictureIDs.at(i);
        if (id == ProfileID) {
            const TRect marker = Rect(cell.Left + markerOffset, cell.Top + markerOffset,
                                      cell.Left + markerOffset + markerSize, cell.Top + markerOffset + markerSize);
            DrawPictureInRect(&graphics, &canvas, marker, 0, false, markerPicture(), markerPicture(), noBackground,
                              true, nullptr, nullptr, nullptr, false, false, false, false);
        }
        if (id == CurrentID)
            DrawRoundedFrame(&graphics, &canvas, cell, currentCellColor, currentCellAlpha);
    }
}

void TFormPwiekszenie::PaintBoxMiniaturyMouseMove(QMouseEvent* event)
{
    if (cellAt(event->position().toPoint()) >= 0)
        PaintBoxMiniatury->setCursor(Qt::PointingHandCursor);
    else
        PaintBoxMiniatury->unsetCursor();
}

void TFormPwiekszenie::PaintBoxMiniaturyMouseDown(QMouseEvent* event)
{
    const int index = cellAt(event->position().toPoint());
    if (index < 0)
        return;
    // A cell whose picture has no record has nothing to show.
    const KV_Picture* picture = gDB.FindPicture(PictureIDs.at(index));
    if (!picture || !settlePendingEdits())
        return;
    CurrentID = picture->ID;
    PaintBoxMiniatury->update();
    FreePreview();
    LoadPictureFields(picture);
}

void TFormPwiekszenie::LoadPictureFields(const KV_Picture* picture)
{
    if (!picture)
        picture = gDB.FindPicture(CurrentID);
    if (picture) {
        FullPath = picture->GetFullPath();
        AdvEditZdjecieNazwa->SetText(picture->Name);
        AdvComboZdjecieData->SetText(picture->Date.ToDisplayText(false, false));
        QStringList places;
        gDB.FillFromDictionary(places, DictionaryKind::Place, 0);
        AdvComboBoxZdjecieMiejsce->SetItems(places);
        AdvComboBoxZdjecieMiejsce->SetText(picture->Place);
        MemoNote->setPlainText(NoteForMemo(KV_DB::NormalizeLineBreaks(picture->Description)));
    } else {
        FullPath.clear();
        AdvEditZdjecieNazwa->SetText(QString());
        AdvComboZdjecieData->SetText(QString());
        AdvComboBoxZdjecieMiejsce->clear();
        AdvComboBoxZdjecieMiejsce->SetText(QString());
        MemoNote->clear();
    }
    SpeedButtonUstawJakoProfilowe->setVisible(picture && picture->ID != ProfileID);
    ButtonUsunZdjecie->setVisible(picture != nullptr);
    PanelDaneZdjecia->setVisible(picture != nullptr);
    // Loading is no edit.
    SpeedButtonZapisz->hide();
    placeButtons();
    FreePreview();
    PaintBoxZdjecie->update();
}

void TFormPwiekszenie::placeButtons()
{
    // The buttons that show stand one below the other from the top; "Zapisz" comes last.
    int top = cellMargin;
    for (QPushButton* button : {SpeedButtonDodajZdjecie, SpeedButtonUstawJakoProfilowe, SpeedButtonZapisz}) {
        if (button->isHidden())
            continue;
        button->move(button->x(), top);
        top += buttonHeight + buttonGap;
    }
}

bool TFormPwiekszenie::HasPendingEdits() const
{
    return !SpeedButtonZapisz->isHidden();
}

void TFormPwiekszenie::AdvEditZdjecieNazwaChange()
{
    ShowDateValidity(AdvComboZdjecieData, AdvEditZdjecieNazwa);
    if (SpeedButtonZapisz->isHidden()) {
        SpeedButtonZapisz->show();
        placeButtons();
    }
}

bool TFormPwiekszenie::SavePictureFields()
{
    if (!IsValidDateText(AdvComboZdjecieData->GetText())) {
        prompter().message(gLangM.Get(QStringLiteral("LABEL_WPISZ_POPRAWNA_WARTOSC_W_POLE_DATA!")), gProductName);
        AdvComboZdjecieData->setFocus();
        return false;
    }
    KV_Picture* picture = gDB.FindPicture(CurrentID);
    if (!picture)
        return true;
    picture->Name = AdvEditZdjecieNazwa->GetText();
    picture->Date.FromText(AdvComboZdjecieData->GetText());
    picture->Place = AdvComboBoxZdjecieMiejsce->GetText();
    picture->Description = KV_DB::NormalizeLineBreaks(MemoNote->toPlainText());
    // The record has taken the edits whatever the disk does; the next save writes them again.
    if (!gDB.SavePicture(picture, picture->ID))
        showStorageFailure(gDB.StorageError);
    return true;
}

bool TFormPwiekszenie::settlePendingEdits()
{
    if (!HasPendingEdits())
        return true;
    const Prompter::Answer answer = prompter().ask(
        gLangM.Get(QStringLiteral("LABEL_WPROWADZONO_ZMIANY_W_OPISIE_ZDJECIA._CZY_CHCESZ_JE_ZAPISAC?")),
        gLangM.Get(QStringLiteral("LABEL_UWAGA")), Prompter::Buttons::YesNoCancel, Prompter::Icon::Question);
    switch (answer) {
    case Prompter::Answer::Yes:
        if (!SavePictureFields())
            return false;
        SpeedButtonZapisz->hide();
        placeButtons();
        return true;
    case Prompter::Answer::No:
        // The fields show the picture as stored again.
        LoadPictureFields();
        return true;
    default:
        return false;
    }
}

void TFormPwiekszenie::ZapiszZmiany()
{
    if (!SavePictureFields())
        return;
    SpeedButtonZapisz->hide();
    placeButtons();
}

void TFormPwiekszenie::Dodajzdjcie1Click()
{
    if (!settlePendingEdits())
        return;
    QString file;
    if (!ChoosePictureFile(this, file))
        return;
    const QString added = AddPictureFromFile(PersonID, file);
    if (added.isEmpty())
        return;
    LoadPictureList(PersonID);
    ShowPicture(added);
}

void TFormPwiekszenie::Usuzdjcie1Click()
{
    if (!prompter().confirm(gLangM.Get(QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_WYBRANE_ZDECIE?")),
                            gLangM.Get(QStringLiteral("LABEL_UWAGA"))))
        return;
    // The person is saved here rather than inside the delete, so that a failed write is seen.
    KV_Person* person = gDB.FindPerson(PersonID);
    KV_DB::FileChange change(gDB);
    if (!gDB.DeletePictureOfPerson(PersonID, CurrentID, false)) {
        showStorageFailure(gDB.GetLastError());
        return;
    }
    const bool saved = !person || gDB.SavePerson(person, person->ID);
    if (!change.commit() || !saved)
        showStorageFailure(gDB.StorageError);
    LoadPictureList(PersonID);
    ShowPicture(QString());
}

void TFormPwiekszenie::Ustawjakodomylne1Click()
{
    KV_Person* person = gDB.FindPerson(PersonID);
    if (!person || person->GetProfilePictureID() == CurrentID)
        return;
    person->PictureProfile = CurrentID;
    if (!gDB.SavePerson(person, person->ID))
        showStorageFailure(gDB.StorageError);
    ProfileID = CurrentID;
    PaintBoxMiniatury->update();
}

void TFormPwiekszenie::showStorageFailure(const QString& failure)
{
    prompter().message(failure, gProductName, Prompter::Icon::Warning);
}

void TFormPwiekszenie::FreePreview()
{
    PreviewBitmap = QImage();
}

void TFormPwiekszenie::PaintBoxZdjeciePaint(QPainter& painter)
{
    const QSize size = PaintBoxZdjecie->size();
    if (PreviewBitmap.isNull() && !size.isEmpty()) {
        PreviewBitmap = QImage(size, QImage::Format_ARGB32_Premultiplied);
        PreviewBitmap.fill(ToQColor(previewBackground));
        TCanvas canvas(&PreviewBitmap);
        DrawPictureInRect(nullptr, &canvas, Rect(0, 0, size.width(), size.height()), previewMargin, false, FullPath,
                          FullPath, previewBackground, true, nullptr, nullptr, nullptr, false, true, true, false);
    }
    painter.drawImage(0, 0, PreviewBitmap);
}

void TFormPwiekszenie::PanelZdjecieIMGResize()
{
    FreePreview();
    PaintBoxZdjecie->update();
}

void TFormPwiekszenie::AdvPicture1DblClick()
{
    Close();
}

void TFormPwiekszenie::FormCloseQuery(bool& canClose)
{
    canClose = settlePendingEdits();
}

void TFormPwiekszenie::FormClose(TCloseAction& action)
{
    FreePreview();
    action = caHide;
}

void TFormPwiekszenie::FormShortCut(QKeyEvent* key, bool& handled)
{
    if (key->key() != Qt::Key_Escape)
        return;
    handled = true;
    Close();
}

void TFormPwiekszenie::FormMouseWheel(QWheelEvent* wheel, QWidget* receiver)
{
    wheelRemainder += wheel->angleDelta().y();
    const int notches = wheelRemainder / wheelNotch;
    wheelRemainder -= notches * wheelNotch;
    if (notches == 0)
        return;
    const int x = receiver->mapTo(this, wheel->position().toPoint()).x();
    QScrollArea* box = x > PanelInneZdjecia->x() ? ScrollBoxMiniatury : ScrollBoxPreview;
    QScrollBar* bar = box->verticalScrollBar();
    // A turn away from the user scrolls down.
    bar->setValue(qMax(0, bar->value() - notches * wheelStep));
}

bool TFormPwiekszenie::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        auto* receiver = qobject_cast<QWidget*>(watched);
        if (receiver && receiver->window() == this) {
            FormMouseWheel(static_cast<QWheelEvent*>(event), receiver);
            return true;
        }
    }
    return TForm::eventFilter(watched, event);
}
