#include "UnitFonSelect.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"
#include "AdvPanel.h"
#include "DialogFrame.h"
#include "FontDescription.h"
#include "Fonts.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>

TFormSelectFont* FormSelectFont = nullptr;

namespace {

// A comma would split the stored description, so neither the face nor the size may hold one.
constexpr QChar descriptionSeparator = u',';

// A style's check box, its caption shown in that style.
TAdvOfficeCheckBox* styleBox(QWidget* parent, const char* name, const QString& caption, TFontStyles style, int top)
{
    auto* box = new TAdvOfficeCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(256, top, 160, 20);
    TFont font = box->GetFont();
    font.Style = style;
    box->SetFont(font);
    box->SetCaption(caption);
    return box;
}

} // namespace

TFormSelectFont::TFormSelectFont(QWidget* owner) : TForm(owner)
{
    setUpDialogFrame(this, "FormSelectFont", 631, 411);
    SetCaption(QStringLiteral("Wybór czcionki"));

    Panel1 = new TAdvPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetColor(clWhite);
    SetAlign(Panel1, alClient);

    buildFaces();
    buildStyles();
    buildPreview();
    buildButtons();
    connectHandlers();
    Panel1->Loaded();
    AdvEditFontName->Loaded();
    AdvComboBoxFontSize->Loaded();
    for (TAdvOfficeCheckBox* box :
         {AdvOfficeCheckBoxPogrubienie, AdvOfficeCheckBoxPochylenie, AdvOfficeCheckBoxPodkreslenie})
        box->Loaded();
}

void TFormSelectFont::buildFaces()
{
    AdvEditFontName = new TAdvEdit(Panel1);
    AdvEditFontName->setObjectName(QStringLiteral("AdvEditFontName"));
    AdvEditFontName->setGeometry(16, 32, 217, 21);
    AdvEditFontName->SetLabelPosition(lpTopLeft);
    AdvEditFontName->SetLabelCaption(QStringLiteral("Czcionka"));

    ListBoxChcionki = new QListWidget(Panel1);
    ListBoxChcionki->setObjectName(QStringLiteral("ListBoxChcionki"));
    ListBoxChcionki->setGeometry(16, 58, 217, 337);
    // The program's own faces are registered before the list is filled, so they are offered too.
    Fonts::registerApplicationFonts();
    ListBoxChcionki->addItems(QFontDatabase::families());
}

void TFormSelectFont::buildStyles()
{
    AdvComboBoxFontSize = new TAdvComboBox(Panel1);
    AdvComboBoxFontSize->setObjectName(QStringLiteral("AdvComboBoxFontSize"));
    AdvComboBoxFontSize->setGeometry(256, 32, 81, 21);
    AdvComboBoxFontSize->SetStyle(csDropDown);
    AdvComboBoxFontSize->SetLabelPosition(lpTopLeft);
    AdvComboBoxFontSize->SetLabelCaption(QStringLiteral("Rozmiar"));
    AdvComboBoxFontSize->addItems(
        {"6", "7", "8", "9", "10", "12", "14", "16", "18", "20", "24", "28", "32", "64", "80", "100", "144"});
    AdvComboBoxFontSize->SetText(QStringLiteral("12"));
    // Typed, pasted or dropped, a text with a comma is refused as a whole.
    AdvComboBoxFontSize->lineEdit()->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^,]*")), AdvComboBoxFontSize));

    AdvOfficeCheckBoxPogrubienie =
        styleBox(Panel1, "AdvOfficeCheckBoxPogrubienie", QStringLiteral("Pogrubienie"), fsBold, 68);
    AdvOfficeCheckBoxPochylenie =
        styleBox(Panel1, "AdvOfficeCheckBoxPochylenie", QStringLiteral("Pochylenie"), fsItalic, 92);
    // Set only by reading a description.
    AdvOfficeCheckBoxPodkreslenie =
        styleBox(Panel1, "AdvOfficeCheckBoxPodkreslenie", QStringLiteral("Podkreślenie"), fsUnderline, 116);
    AdvOfficeCheckBoxPodkreslenie->hide();
}

void TFormSelectFont::buildPreview()
{
    AdvGroupBox1 = new TAdvGroupBox(Panel1);
    AdvGroupBox1->setObjectName(QStringLiteral("AdvGroupBox1"));
    AdvGroupBox1->setGeometry(256, 148, 359, 199);
    AdvGroupBox1->SetCaption(QStringLiteral("  Podgląd  "));

    LabelPodglad = new QLabel(QStringLiteral("A ą B ć Y ź"), AdvGroupBox1);
    LabelPodglad->setObjectName(QStringLiteral("LabelPodglad"));
    LabelPodglad->setGeometry(5, 18, AdvGroupBox1->width() - 10, AdvGroupBox1->height() - 23);
    LabelPodglad->setAlignment(Qt::AlignCenter);
}

void TFormSelectFont::buildButtons()
{
    ButtonZapisz = new QPushButton(QStringLiteral("Zapisz"), Panel1);
    ButtonZapisz->setObjectName(QStringLiteral("ButtonZapisz"));
    ButtonZapisz->setGeometry(391, 367, 108, 28);
    QFont bold = ButtonZapisz->font();
    bold.setBold(true);
    ButtonZapisz->setFont(bold);
    Button2 = new QPushButton(QStringLiteral("Anuluj"), Panel1);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(507, 367, 108, 28);
    SetCancelButton(Button2);
}

void TFormSelectFont::connectHandlers()
{
    connect(ButtonZapisz, &QPushButton::clicked, this, &TFormSelectFont::AdvGlowButtonOKClick);
    connect(Button2, &QPushButton::clicked, this, &TFormSelectFont::AdvGlowButtonAnulujClick);
    connect(ListBoxChcionki, &QListWidget::itemClicked, this, [this] { ListBoxChcionkiClick(); });
    AdvComboBoxFontSize->OnChange = [this](TAdvCustomCombo*) { AdvComboBoxFontSizeChange(); };
    for (TAdvOfficeCheckBox* box :
         {AdvOfficeCheckBoxPogrubienie, AdvOfficeCheckBoxPochylenie, AdvOfficeCheckBoxPodkreslenie})
        box->OnClick = [this](QObject*) { AdvComboBoxFontSizeChange(); };
    AdvEditFontName->OnKeyDown = [this](TCustomEdit*, int& key, Qt::KeyboardModifiers) { AdvEditFontNameKeyDown(key); };
    AdvEditFontName->OnKeyUp = [this](TCustomEdit*, int& key, Qt::KeyboardModifiers) { AdvEditFontNameKeyUp(key); };
    AdvEditFontName->OnKeyPress = [](TCustomEdit*, QChar& key) {
        if (key == descriptionSeparator)
            key = QChar();
    };
    AdvEditFontName->OnClipboardPaste = [](TAdvEdit*, const QString& value, bool& allow) {
        allow = !value.contains(descriptionSeparator);
    };
}

void TFormSelectFont::SetDescription(const QString& description)
{
    const FontDescription read = readFontDescription(description);
    AdvEditFontName->SetText(read.ItemCount >= 1 ? read.Face : QString());
    ListBoxChcionki->setCurrentRow(rowOf(AdvEditFontName->GetText()));
    if (read.ItemCount >= 2) {
        if (read.SizeGiven)
            AdvComboBoxFontSize->SetText(QString::number(read.Size));
        AdvOfficeCheckBoxPogrubienie->SetChecked(read.Bold);
        AdvOfficeCheckBoxPochylenie->SetChecked(read.Italic);
        AdvOfficeCheckBoxPodkreslenie->SetChecked(read.Underline);
    }
    AdvComboBoxFontSizeChange();
}

QString TFormSelectFont::GetDescription() const
{
    return writeFontDescription(AdvEditFontName->GetText(), AdvComboBoxFontSize->GetText(),
                                AdvOfficeCheckBoxPogrubienie->GetChecked(), AdvOfficeCheckBoxPochylenie->GetChecked(),
                                AdvOfficeCheckBoxPodkreslenie->GetChecked());
}

void TFormSelectFont::AdvGlowButtonOKClick()
{
    SetModalResult(mrOk);
}

void TFormSelectFont::AdvGlowButtonAnulujClick()
{
    SetModalResult(mrCancel);
}

void TFormSelectFont::ListBoxChcionkiClick()
{
    const QListWidgetItem* item = ListBoxChcionki->currentItem();
    if (!item)
        return;
    AdvEditFontName->SetText(item->text());
    AdvComboBoxFontSizeChange();
}

void TFormSelectFont::AdvComboBoxFontSizeChange()
{
    const int row = rowOf(AdvEditFontName->GetText());
    if (row < 0) {
        LabelPodglad->hide();
        return;
    }
    // A size that is not a whole number of points leaves the preview as it was.
    bool whole = false;
    const int size = AdvComboBoxFontSize->GetText().toInt(&whole);
    if (!whole || size <= 0)
        return;
    QFont font(ListBoxChcionki->item(row)->text(), size);
    font.setBold(AdvOfficeCheckBoxPogrubienie->GetChecked());
    font.setItalic(AdvOfficeCheckBoxPochylenie->GetChecked());
    font.setUnderline(AdvOfficeCheckBoxPodkreslenie->GetChecked());
    LabelPodglad->setFont(font);
    LabelPodglad->show();
}

int TFormSelectFont::rowOf(const QString& face) const
{
    for (int row = 0; row < ListBoxChcionki->count(); ++row) {
        if (ListBoxChcionki->item(row)->text().compare(face, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

int TFormSelectFont::firstRowBeginning(const QString& text) const
{
    for (int row = 0; row < ListBoxChcionki->count(); ++row) {
        if (ListBoxChcionki->item(row)->text().startsWith(text, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}

void TFormSelectFont::selectRow(int row)
{
    if (row < 0 || row >= ListBoxChcionki->count())
        return;
    ListBoxChcionki->setCurrentRow(row);
    AdvEditFontName->SetText(ListBoxChcionki->item(row)->text());
    AdvComboBoxFontSizeChange();
}

void TFormSelectFont::AdvEditFontNameKeyDown(int key)
{
    const int selected = ListBoxChcionki->currentRow();
    const auto firstMatch = [this] { return std::max(firstRowBeginning(AdvEditFontName->GetText()), 0); };
    if (key == Qt::Key_Down)
        selectRow(selected >= 0 ? selected + 1 : firstMatch());
    else if (key == Qt::Key_Up)
        selectRow(selected >= 0 ? std::max(selected - 1, 0) : firstMatch());
}

void TFormSelectFont::AdvEditFontNameKeyUp(int key)
{
    if (key == Qt::Key_Up || key == Qt::Key_Down)
        return;
    const QString text = AdvEditFontName->GetText();
    const int found = firstRowBeginning(text);
    if (found < 0) {
        ListBoxChcionki->setCurrentRow(-1);
        return;
    }
    ListBoxChcionki->scrollToItem(ListBoxChcionki->item(found), QAbstractItemView::PositionAtTop);
    ListBoxChcionki->setCurrentRow(rowOf(text));
    AdvComboBoxFontSizeChange();
}
