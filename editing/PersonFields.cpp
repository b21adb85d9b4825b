#include "PersonFields.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"
#include "AdvPanel.h"
#include "DialogFrame.h"
#include "FieldStack.h"
#include "StdCtrls.h"

#include <QPlainTextEdit>

namespace {

// The field panel keeps its rows this far from its sides.
constexpr int panelMargin = 12;
constexpr int fieldLeft = 8;
// A field with its label above it.
constexpr int rowHeight = 46;
constexpr int fieldTop = 18;
constexpr int fieldHeight = 21;
constexpr int sexWidth = 160;
constexpr int checkBoxHeight = 30;
// A date group: the date, and its place beside it.
constexpr int dateGroupHeight = 62;
constexpr int dateTop = 26;
constexpr int dateWidth = 140;
constexpr int placeGap = 12;
constexpr int noteLabelHeight = 22;

} // namespace

void PersonFields::addFieldPanel(QWidget* parent, int width)
{
    AdvPanel3 = new TAdvPanel(parent);
    AdvPanel3->setObjectName(QStringLiteral("AdvPanel3"));
    AdvPanel3->SetBevelOuter(bvNone);
    AdvPanel3->SetColor(clWhite);
    AdvPanel3->setContentsMargins(panelMargin, 4, panelMargin, 0);
    SetAlign(AdvPanel3, alClient);
    rowWidth = width - 2 * panelMargin;
    nextTop = 0;
}

QWidget* PersonFields::nextRow(int height)
{
    QWidget* row = addFieldRow(AdvPanel3, QRect(panelMargin, nextTop, rowWidth, height));
    nextTop += height;
    return row;
}

TAdvGroupBox* PersonFields::nextDateGroup(const char* name)
{
    TAdvGroupBox* group = addDateGroup(AdvPanel3, name, QRect(panelMargin, nextTop, rowWidth, dateGroupHeight));
    nextTop += dateGroupHeight;
    return group;
}

TAdvComboBox* PersonFields::addOwnWordList(const char* name, const char* label)
{
    return addWordList(nextRow(rowHeight), name, label,
                       QRect(fieldLeft, fieldTop, rowWidth - 2 * fieldLeft, fieldHeight));
}

TAdvEdit* PersonFields::addOwnEdit(const char* name, const char* label)
{
    return addLabelledEdit(nextRow(rowHeight), name, label,
                           QRect(fieldLeft, fieldTop, rowWidth - 2 * fieldLeft, fieldHeight));
}

void PersonFields::addNameRows()
{
    AdvComboBoxPlec =
        addWordList(nextRow(rowHeight), "AdvComboBoxPlec", "Płeć", QRect(fieldLeft, fieldTop, sexWidth, fieldHeight));
    AdvComboBoxPlec->SetStyle(csDropDownList);
    AdvComboBoxPlec->addItems({QStringLiteral("Kobieta"), QStringLiteral("Mężczyzna"), QStringLiteral("Nieokreślona")});
    AdvComboBoxPlec->SetItemIndex(0);
    AdvComboBoxImie = addOwnWordList("AdvComboBoxImie", "Imiona");
    AdvComboBoxRodowe = addOwnWordList("AdvComboBoxRodowe", "Nazwisko rodowe");
    AdvComboBoxNazwisko = addOwnWordList("AdvComboBoxNazwisko", "Nazwisko");
}

TAdvGroupBox* PersonFields::addLifeRows(const char* birthGroupName)
{
    const int fieldWidth = rowWidth - 2 * fieldLeft;
    const QRect date(fieldLeft, dateTop, dateWidth, fieldHeight);
    const QRect place(fieldLeft + dateWidth + placeGap, dateTop, fieldWidth - dateWidth - placeGap, fieldHeight);

    TAdvGroupBox* birth = nextDateGroup(birthGroupName);
    AdvComboBoxDataUr = addLabelledEdit(birth, "AdvComboBoxDataUr", "Data urodzenia", date);
    AdvComboBoxDataUrMiejsce = addWordList(birth, "AdvComboBoxDataUrMiejsce", "Miejsce", place);

    CheckBoxOsobaZmarla = addCheckBox(AdvPanel3, "CheckBoxOsobaZmarla", QStringLiteral("Osoba zmarła"),
                                      QRect(panelMargin, nextTop, rowWidth, checkBoxHeight));
    SetAlign(CheckBoxOsobaZmarla, alTop);
    nextTop += checkBoxHeight;

    AdvGroupBoxDataSmierci = nextDateGroup("AdvGroupBoxDataSmierci");
    AdvEditDataSmierci = addLabelledEdit(AdvGroupBoxDataSmierci, "AdvEditDataSmierci", "Data zgonu", date);
    AdvEditDataSmierciMiejsce = addWordList(AdvGroupBoxDataSmierci, "AdvEditDataSmierciMiejsce", "Miejsce", place);
    AdvGroupBoxDataSmierci->hide();

    Label1 = new TLabel(nextRow(noteLabelHeight));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(fieldLeft, 6);
    Label1->SetCaption(QStringLiteral("Notatki"));
    auto* noteArea = new QWidget(AdvPanel3);
    noteArea->setContentsMargins(fieldLeft, 0, fieldLeft, 12);
    SetAlign(noteArea, alClient);
    MemoNote = new QPlainTextEdit(noteArea);
    MemoNote->setObjectName(QStringLiteral("MemoNote"));
    MemoNote->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoNote->setTabChangesFocus(true);
    SetAlign(MemoNote, alClient);
    return birth;
}
