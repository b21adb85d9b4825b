// The person editor's attribute commands: the attribute menu built from the attribute-type table, adding, editing,
// deleting and moving the person's attributes, with the buttons or by dragging a row onto another.
#include "OsobaFormUnit.h"

#include "AtrybutUnit.h"
#include "Bazadanych.h"
#include "Menus.h"
#include "Prompter.h"
#include "Vh_langmanager.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

namespace {

const QString separatorLabel = QStringLiteral("-");
const QString customNamesCode = QStringLiteral("LIST");
const QString customCode = QStringLiteral("CUSTOM");
// Custom name j of the attribute menu has the Tag firstCustomNameTag - j.
constexpr int firstCustomNameTag = -100;

} // namespace

void TOsobaEdycjaForm::ButtonInfoAddClick()
{
    if (HasBasicData())
        popUpUnder(PopupMenuDodatkowePola, ButtonInfoAdd);
}

void TOsobaEdycjaForm::PopupMenuDodatkowePolaPopup()
{
    if (PopupMenuDodatkowePola->isEmpty()) {
        for (int i = 0; i < gDB.GetAttributeTypeCount(); ++i) {
            const KV_Atribute* row = gDB.GetAttributeType(i);
            if (row->Name == separatorLabel) {
                PopupMenuDodatkowePola->addSeparator();
            } else if (row->Code == customNamesCode) {
                CustomAttributesItem = PopupMenuDodatkowePola->addMenu(MenuCaptionOfName(row->Name));
                CustomAttributesItem->menuAction()->setData(0);
            } else {
                QAction* item = PopupMenuDodatkowePola->addAction(MenuCaptionOfName(row->Name));
                item->setData(i);
                connect(item, &QAction::triggered, this, [this, item] { Wasnepole1Click(item); });
            }
        }
    }
    if (!CustomAttributesItem)
        return;
    CustomAttributesItem->clear();
    const TStringList& names = gDB.GetCustomAttributeNames();
    for (int j = 0; j < names.Count(); ++j) {
        QAction* item = CustomAttributesItem->addAction(MenuCaptionOfName(names[j]));
        item->setData(firstCustomNameTag - j);
        connect(item, &QAction::triggered, this, [this, item] { Wasnepole1Click(item); });
    }
    CustomAttributesItem->menuAction()->setVisible(names.Count() > 0);
}

void TOsobaEdycjaForm::Wasnepole1Click(QAction* item)
{
    const int tag = item->data().toInt();
    QString code;
    QString name;
    bool isPrivate = false;
    if (tag < 0) {
        const int j = firstCustomNameTag - tag;
        if (j >= gDB.GetCustomAttributeNameCount())
            return;
        code = customCode;
        name = gDB.GetCustomAttributeNames()[j];
    } else {
        const KV_Atribute* row = gDB.GetAttributeType(tag);
        if (!row)
            return;
        code = row->Code;
        name = code == customCode ? QString() : row->Name;
        isPrivate = row->Private;
    }
    TFormAtrybutEdycja* editor = FormAtrybutEdycja;
    KV_Person* person = gDB.FindPerson(PersonID);
    if (!editor || !person)
        return;
    editor->SetupFor(code, name, QString(), isPrivate);
    editor->ShowModal();
    // The person may have gone meanwhile, deleted in another window.
    person = gDB.FindPerson(PersonID);
    if (!editor->IsSaved() || !person)
        return;
    const int index = person->InsertAttribute(selectedAttributeIndex(), editor->AttributeCode, editor->AttributeName,
                                              editor->AttributeValue, editor->AttributePrivate);
    if (editor->AttributeCode == customCode)
        gDB.AddCustomAttributeName(editor->AttributeName);
    FillAttributes(index, true);
    savePerson(person);
}

void TOsobaEdycjaForm::ButtonInfoEdytujClick()
{
    const int index = selectedAttributeIndex();
    KV_Person* person = gDB.FindPerson(PersonID);
    KV_Atribute* attribute = person ? person->GetAttribute(index) : nullptr;
    TFormAtrybutEdycja* editor = FormAtrybutEdycja;
    if (!attribute || !editor)
        return;
    editor->SetupFor(attribute->Code, attribute->Name, attribute->Value, attribute->Private);
    editor->ShowModal();
    if (!editor->IsSaved())
        return;
    // Only the ID is kept across the dialog's wait: the person may have been deleted meanwhile.
    person = gDB.FindPerson(PersonID);
    attribute = person ? person->GetAttribute(index) : nullptr;
    if (!attribute)
        return;
    *attribute =
        KV_Atribute{editor->AttributeName, editor->AttributeValue, editor->AttributeCode, editor->AttributePrivate};
    if (attribute->Code == customCode)
        gDB.AddCustomAttributeName(attribute->Name);
    savePerson(person);
    FillAttributes(index, true);
}

void TOsobaEdycjaForm::ListViewInformacjeDodatkoweDblClick()
{
    if (ButtonInfoEdytuj->isEnabled())
        ButtonInfoEdytujClick();
}

void TOsobaEdycjaForm::ButtonInfoUsunClick()
{
    int index = selectedAttributeIndex();
    if (index < 0 || !gDB.FindPerson(PersonID))
        return;
    const QString name = ListViewInformacjeDodatkowe->topLevelItem(index)->text(1);
    if (!prompter().confirm(gLangM.FormatStr(QStringLiteral("LABEL_CZY_CHCESZ_USUNAC_ATRYBUT:_%S?"), name),
                            gLangM.Get(QStringLiteral("LABEL_UWAGA"))))
        return;
    // Only the ID is kept across the question: the person may have been deleted meanwhile.
    KV_Person* person = gDB.FindPerson(PersonID);
    if (!person || index >= person->GetAttributeCount())
        return;
    person->DeleteAttribute(index);
    // The row to select is known before a failed write's message waits for the user.
    if (index >= person->GetAttributeCount())
        --index;
    savePerson(person);
    FillAttributes(index, true);
}

void TOsobaEdycjaForm::Atrzmianagora()
{
    moveSelectedAttribute(-1);
}

void TOsobaEdycjaForm::SpeedButtonAtrDolClick()
{
    moveSelectedAttribute(1);
}

void TOsobaEdycjaForm::moveSelectedAttribute(int step)
{
    const int index = selectedAttributeIndex();
    const int target = index + step;
    KV_Person* person = gDB.FindPerson(PersonID);
    if (!person || index < 0 || target < 0 || target >= person->GetAttributeCount())
        return;
    person->SwapAttributes(index, target);
    savePerson(person);
    FillAttributes(target, false);
}

bool TOsobaEdycjaForm::ListViewInformacjeDodatkoweDragOver(const QPoint& at)
{
    QTreeWidgetItem* row = ListViewInformacjeDodatkowe->itemAt(at);
    if (!row)
        return true;
    ListViewInformacjeDodatkowe->scrollToItem(row);
    return row != SelectedRow(ListViewInformacjeDodatkowe);
}

void TOsobaEdycjaForm::ListViewInformacjeDodatkoweDragDrop(const QPoint& at)
{
    KV_Person* person = gDB.FindPerson(PersonID);
    const int index = selectedAttributeIndex();
    if (!person || index < 0 || index >= person->GetAttributeCount())
        return;
    int moved;
    if (QTreeWidgetItem* target = ListViewInformacjeDodatkowe->itemAt(at)) {
        const int targetIndex = ListViewInformacjeDodatkowe->indexOfTopLevelItem(target);
        if (targetIndex == index)
            return;
        person->SwapAttributes(index, targetIndex);
        moved = targetIndex;
    } else {
        const KV_Atribute attribute = *person->GetAttribute(index);
        person->DeleteAttribute(index);
        person->AddAttribute(attribute);
        moved = person->GetAttributeCount() - 1;
    }
    FillAttributes(moved, true);
    savePerson(person);
}
