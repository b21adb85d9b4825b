#include "PersonFields.h"

#include "AdvCombo.h"
#include "AdvEdit.h"
#include "AdvGroupBox.h"
#include "AdvOfficeButtons.h"
#include "AdvPanel.h"
#include "BasicFacts.h"
#include "Bazadanych.h"
#include "DialogFrame.h"
#include "EditingInput.h"
#include "FieldStack.h"
#include "Person.h"
#include "StdCtrls.h"
#include "Unitdata.h"

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

void PersonFields::addPersonPanel(QWidget* parent, int width)
{
    AdvPanel3 = addFieldPanel(parent, "AdvPanel3");
    AdvPanel3->setContentsMargins(panelMargin, 4, panelMargin, 0);
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

void PersonFields::setUpTyping()
{
    for (QWidget* text : std::initializer_list<QWidget*>{AdvComboBoxImie, AdvComboBoxRodowe, AdvComboBoxNazwisko,
                                                         AdvComboBoxDataUrMiejsce, AdvEditDataSmierciMiejsce, MemoNote})
        CapitaliseFirstLetter(text);
    for (QWidget* field : std::initializer_list<QWidget*>{
             AdvComboBoxPlec, AdvComboBoxImie, AdvComboBoxRodowe, AdvComboBoxNazwisko, AdvComboBoxDataUr,
             AdvComboBoxDataUrMiejsce, AdvEditDataSmierci, AdvEditDataSmierciMiejsce, MemoNote})
        EnterMovesOn(field);
}

void PersonFields::showPerson(const KV_Person& person, int sexIndex)
{
    AdvComboBoxImie->SetText(person.Forename);
    AdvComboBoxNazwisko->SetText(person.Surname);
    AdvComboBoxRodowe->SetText(person.Familyname);
    ShowDateFact(person, QStringLiteral("BIRT"), AdvComboBoxDataUr, AdvComboBoxDataUrMiejsce);
    ShowDateFact(person, QStringLiteral("DEAT"), AdvEditDataSmierci, AdvEditDataSmierciMiejsce);
    AdvComboBoxPlec->SetItemIndex(sexIndex);
    CheckBoxOsobaZmarla->SetChecked(person.IsDead());
    MemoNote->setPlainText(NoteForMemo(person.Note));
}

void PersonFields::clearPerson()
{
    for (TAdvComboBox* combo :
         {AdvComboBoxImie, AdvComboBoxNazwisko, AdvComboBoxRodowe, AdvComboBoxDataUrMiejsce, AdvEditDataSmierciMiejsce})
        combo->SetText(QString());
    for (TAdvEdit* edit : {AdvComboBoxDataUr, AdvEditDataSmierci})
        edit->SetText(QString());
    CheckBoxOsobaZmarla->SetChecked(false);
    MemoNote->clear();
}

void PersonFields::fillWordLists()
{
    FillWordLists(
        {AdvComboBoxImie, AdvComboBoxRodowe, AdvComboBoxNazwisko, AdvComboBoxDataUrMiejsce, AdvEditDataSmierciMiejsce},
        AdvComboBoxPlec->GetItemIndex());
}

void PersonFields::showDeathFields()
{
    const bool dead = CheckBoxOsobaZmarla->GetChecked();
    // Just below the box: the top-aligned strips stack in the order of their tops.
    if (dead)
        AdvGroupBoxDataSmierci->move(AdvGroupBoxDataSmierci->x(), CheckBoxOsobaZmarla->y() + 4);
    AdvGroupBoxDataSmierci->setVisible(dead);
    if (dead && AdvEditDataSmierci->isVisible() && AdvEditDataSmierci->isEnabled())
        AdvEditDataSmierci->setFocus(Qt::OtherFocusReason);
}

void PersonFields::fillEmptySurname()
{
    if (AdvComboBoxNazwisko->GetText().isEmpty())
        AdvComboBoxNazwisko->SetText(AdvComboBoxRodowe->GetText());
}

TAdvEdit* PersonFields::wrongDate(const char*& messageKey) const
{
    if (!IsValidDateText(AdvComboBoxDataUr->GetText())) {
        messageKey = "LABEL_WPISZ_POPRAWNA_WARTOSC_W_POLE_[DATA_URODZENIA]!";
        return AdvComboBoxDataUr;
    }
    if (CheckBoxOsobaZmarla->GetChecked() && !IsValidDateText(AdvEditDataSmierci->GetText())) {
        messageKey = "LABEL_WPISZ_POPRAWNA_WARTOSC_W_POLE_[DATA_ZGONU]!";
        return AdvEditDataSmierci;
    }
    return nullptr;
}

void PersonFields::takeBasicData(KV_Person& person) const
{
    person.Forename = AdvComboBoxImie->GetText();
    person.Surname = AdvComboBoxNazwisko->GetText();
    person.Familyname = AdvComboBoxRodowe->GetText();
    person.Sex = AdvComboBoxPlec->GetItemIndex();
    person.SetDead(CheckBoxOsobaZmarla->GetChecked());
    person.Note = KV_DB::NormalizeLineBreaks(MemoNote->toPlainText());
}

void PersonFields::writeLifeFacts(KV_Person& person, EmptyBirth emptyBirth, QStringList& failures) const
{
    const QString birthDate = AdvComboBoxDataUr->GetText();
    const QString birthPlace = AdvComboBoxDataUrMiejsce->GetText();
    if (!birthDate.isEmpty() || !birthPlace.isEmpty())
        WriteDateFact(person, QStringLiteral("BIRT"), birthDate, birthPlace, failures);
    else if (emptyBirth == EmptyBirth::IsDeleted)
        DeleteDateFact(person, QStringLiteral("BIRT"), failures);
    if (CheckBoxOsobaZmarla->GetChecked()) {
        WriteDateFact(person, QStringLiteral("DEAT"), AdvEditDataSmierci->GetText(),
                      AdvEditDataSmierciMiejsce->GetText(), failures);
    } else {
        DeleteDateFact(person, QStringLiteral("DEAT"), failures);
        DeleteDateFact(person, QStringLiteral("BURI"), failures);
    }
}
